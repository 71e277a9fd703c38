#include "support/ErrorReport.h"
#include "RunState.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace qd {
namespace {

using test::ScriptedHost;

class ErrorReport : public ::testing::Test {
protected:
    ScriptedHost host;
    RunState run{host};
    test::TempDir dir;
    // Each text reads as its number in angle brackets, so the tests see which one is used.
    ErrorReport() {
        run.texts.Load(dir.write("dvn.dat", "[en]\n27=<27>\n31=<31>\n32=<32>\n33=<33>\n34=<34>\n"));
    }
};

TEST_F(ErrorReport, NamesThePlaceTheNumberAndTheDescription) {
    run.blnElapsedTimeRunning = true;
    ReportError(run, 70, u"Permission denied", u"DoIt");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), "At DoIt error #70.\r\nDescription: Permission denied");
    EXPECT_EQ(host.messages[0].title, u"<34>");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(run.blnElapsedTimeRunning);
}

TEST_F(ErrorReport, MentionsAWrittenOutputFile) {
    run.OutputFileWritten = true;
    ReportError(run, 5, u"Bad call", u"ListWords");
    EXPECT_EQ(host.lastMessage(), "At ListWords error #5.\r\nDescription: Bad call\r\n<33>");
}

// The full output box: what the message advises depends on the output file.
TEST_F(ErrorReport, FullOutputBoxAdvisesAnOutputFile) {
    ReportError(run, kOutputBoxFullError, u"", u"ListWordsAlphabetically A");
    EXPECT_EQ(host.lastMessage(), "<27>  <31>");
    EXPECT_EQ(host.messages.back().title, u"<27>");

    run.settings.OutputFile = u"/tmp/out.txt";
    run.settings.DisableOutputToFile = true;
    ReportError(run, kOutputBoxFullError, u"", u"ListWordsByFrequency B");
    EXPECT_EQ(host.lastMessage(), "<27>  <32>");

    run.settings.DisableOutputToFile = false;
    run.OutputFileWritten = true;
    ReportError(run, kOutputBoxFullError, u"", u"ListWordsByFrequency A");
    EXPECT_EQ(host.lastMessage(), "<27>  \r\n<33>");

    run.OutputFileWritten = false;
    ReportError(run, kOutputBoxFullError, u"", u"ListWordsByFrequency A");
    EXPECT_EQ(host.lastMessage(), "<27>  ");
}

TEST(FileErrorInfo, UsesTheProgramsNumbers) {
    EXPECT_EQ(FileErrorInfo(EACCES).number, 70);
    EXPECT_EQ(FileErrorInfo(EACCES).description, u"Permission denied");
    EXPECT_EQ(FileErrorInfo(ENOSPC).number, 61);
    EXPECT_EQ(FileErrorInfo(ENOENT).number, 53);
    EXPECT_EQ(FileErrorInfo(EISDIR).number, 75);
    EXPECT_EQ(FileErrorInfo(EIO).number, 57);
    EXPECT_FALSE(FileErrorInfo(EIO).description.empty());
}

} // namespace
} // namespace qd
