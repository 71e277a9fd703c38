// Reading a settings file from its bytes; what was read is written and read back, and must
// come back the same.
#include "settings/Defaults.h"
#include "settings/SavedState.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace qd;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Line 37 names a file of this folder by its name alone.
    const std::filesystem::path dataFolder = "/usr/share/quorvel-dorvane";
    Settings settings;
    Initialize(settings);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!SettingsFromBytes(settings, bytes, dataFolder).empty()) return 0;

    std::string written;
    if (!SettingsFileBytes(settings, written, dataFolder).empty())
        return 0; // a value with a line break
    Settings again;
    Initialize(again);
    if (!SettingsFromBytes(again, written, dataFolder).empty()) std::abort();
    std::string rewritten;
    if (!SettingsFileBytes(again, rewritten, dataFolder).empty() || rewritten != written)
        std::abort();
    return 0;
}
