// Reading a common-words file: the bytes as the file, in a fresh folder of its own, vetted,
// scanned and sorted into the common-words list.
#include "count/CommonWordsReader.h"
#include "count/RunState.h"
#include "settings/Defaults.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace qd;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const test::TempDir root;
    const auto file =
        root.write("cwds_xx.txt", std::string_view(reinterpret_cast<const char*>(data), size));
    test::ScriptedHost host;
    RunState run(host, Environment{root.path(), root.path()});
    Initialize(run.settings);
    run.session.startUpCompleted = true;
    run.settings.ignore.CommonWordsFile = FromPath(file);
    if (ReadCommonWordsFile(run) &&
        !std::is_sorted(run.lists.commonWords.begin(), run.lists.commonWords.end()))
        std::abort();
    return 0;
}
