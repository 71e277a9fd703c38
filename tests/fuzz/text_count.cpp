// The count of a text file: the line reader (small blocks and a small soft line limit, so
// that lines cross block boundaries and overlong lines are split), the line preparation, the
// scanner with its comment markers and the ranking. The first byte chooses the settings.
#include "count/CountText.h"
#include "count/TextFileLines.h"
#include "settings/Defaults.h"
#include "sources/TextFileReader.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

using namespace qd;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t choice = data[0];
    ++data;
    --size;

    Settings settings;
    Initialize(settings);
    settings.input.UTF8 = choice & 1;
    settings.words.CaseSignificant = choice & 2;
    settings.words.DropFinalS = choice & 4;
    settings.ignore.IgnoreInfrequentWords = choice & 8;
    settings.words.AllowWordsWithHyphens = choice & 16;
    settings.words.AllowWordsWithApostrophes = choice & 16;
    static constexpr char16_t const* kExtensions[] = {u"txt", u"htm", u"xml", u"php"};
    const ustring_view extension = kExtensions[(choice >> 5) & 3];
    WordLists lists;

    // In memory, read through a descriptor as a file is.
    const int fd = ::memfd_create("text", MFD_CLOEXEC);
    if (fd < 0) std::abort();
    for (size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += size_t(n);
    }
    ::lseek(fd, 0, SEEK_SET);
    TextFileReader reader(64, 256);
    reader.attach(fd);
    Yielder yield;
    TextFileLines lines(reader, settings, yield);
    const CountResult result = CountText(settings, lists, lines, extension);
    if (result.stats.wordsIncluded > result.table.size()) std::abort();
    ::close(fd);
    return 0;
}
