// Reading a settings file from its bytes; what was read is written and read back, and must
// come back the same.
#include "settings/Defaults.h"
#include "settings/SavedState.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace qd;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Settings settings;
    Initialize(settings);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!SettingsFromBytes(settings, bytes).empty()) return 0;

    std::string written;
    if (!SettingsFileBytes(settings, written).empty()) return 0; // a value with a line break
    Settings again;
    Initialize(again);
    if (!SettingsFromBytes(again, written).empty()) std::abort();
    std::string rewritten;
    if (!SettingsFileBytes(again, rewritten).empty() || rewritten != written) std::abort();
    return 0;
}
