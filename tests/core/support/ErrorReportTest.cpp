#include "support/ErrorReport.h"
#include "RunState.h"
#include "support/RunFixtures.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace qd {
namespace {

class ErrorReport : public ::testing::Test {
protected:
    test::ScriptedHost host;
    RunState run{host};
    test::TempDir dir;
    ErrorReport() { test::LoadNumberedTexts(run, dir); }
};

// --- The place, the number and the description; a written output file is mentioned ---

TEST_F(ErrorReport, NamesThePlaceTheNumberAndTheDescription) {
    run.blnElapsedTimeRunning = true;
    ReportError(run, 70, u"Permission denied", u"DoIt");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), "At DoIt error #70.\r\nDescription: Permission denied");
    EXPECT_EQ(host.messages[0].title, u"<34>");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(run.blnElapsedTimeRunning);
    run.OutputFileWritten = true;
    ReportError(run, 5, u"Bad call", u"ListWords");
    EXPECT_EQ(host.lastMessage(), "At ListWords error #5.\r\nDescription: Bad call\r\n<33>");
}

// --- The full output box: the advice depends on the output file ---

TEST_F(ErrorReport, FullOutputBoxAdvisesAnOutputFile) {
    const struct {
        const char16_t* outputFile;
        bool disabled, written;
        const char* message;
    } cases[] = {
        {u"", false, false, "<27>  <31>"},
        {u"/tmp/out.txt", true, false, "<27>  <32>"},
        {u"/tmp/out.txt", false, true, "<27>  \r\n<33>"},
        {u"/tmp/out.txt", false, false, "<27>  "},
    };
    for (const auto& c : cases) {
        run.settings.OutputFile = c.outputFile;
        run.settings.DisableOutputToFile = c.disabled;
        run.OutputFileWritten = c.written;
        ReportError(run, kOutputBoxFullError, u"", u"ListWordsByFrequency A");
        EXPECT_EQ(host.lastMessage(), c.message);
        EXPECT_EQ(host.messages.back().title, u"<27>");
    }
}

// --- File errors in the program's numbers ---

TEST(FileErrorInfo, UsesTheProgramsNumbers) {
    const std::pair<int, int> cases[] = {
        {EACCES, 70}, {ENOSPC, 61}, {ENOENT, 53}, {EISDIR, 75}, {EIO, 57}};
    for (auto [error, number] : cases) {
        EXPECT_EQ(FileErrorInfo(error).number, number) << error;
        EXPECT_FALSE(FileErrorInfo(error).description.empty()) << error;
    }
    EXPECT_EQ(FileErrorInfo(EACCES).description, u"Permission denied");
}

} // namespace
} // namespace qd
