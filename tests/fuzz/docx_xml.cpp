// Cutting the text runs out of a document part: the XML as it was unpacked, scanned from an
// offset the first two bytes choose.
#include "count/DocxText.h"
#include "count/RunState.h"
#include "support/ScriptedHost.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace qd;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t start = (size_t(data[0]) << 8 | data[1]) % size;
    const std::string_view xml(reinterpret_cast<const char*>(data) + 2, size - 2);
    test::ScriptedHost host;
    RunState run(host, Environment{});
    run.session.startUpCompleted = true;
    std::vector<ustring> runs;
    int32_t extracted = int32_t(xml.size());
    const int32_t count = ExtractDocxRuns(run, xml, start, runs, extracted);
    size_t joined = 0;
    for (const ustring& r : runs)
        joined += r.size();
    if (count != int32_t(runs.size()) || size_t(extracted) != joined) std::abort();
    return 0;
}
