#include "table/WordTable.h"
#include "Host.h"
#include "RunState.h"
#include "support/ScriptedHost.h"
#include "table/AddWordToList.h"
#include "table/BinarySearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qd {
namespace {

using test::ScriptedHost;

std::vector<std::string> WordsInOrder(const WordTable& table) {
    std::vector<std::string> words;
    for (int32_t i = 1; i <= table.size(); ++i)
        words.push_back(ToUtf8(table[i].Word));
    return words;
}

void AddAll(RunState& run, std::initializer_list<const char*> words) {
    for (const char* w : words)
        AddWordToList(run, U(w));
}

// --- Counting and order -------------------------------------------------------------------

TEST(AddWordToList, RepeatedWordsAreCountedAndShownOnceInArrivalOrder) {
    ScriptedHost host;
    RunState run(host);
    AddAll(run, {"b", "a", "b", "c", "a"});

    ASSERT_EQ(run.table.size(), 3);
    EXPECT_EQ(WordsInOrder(run.table), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(run.table[1].Count, 2);
    EXPECT_EQ(run.table[2].Count, 2);
    EXPECT_EQ(run.table[3].Count, 1);
    EXPECT_EQ(host.outputUtf8(), "b a c ");
}

TEST(AddWordToList, CapitalsSortBeforeSmallLettersAsSeparateEntries) {
    ScriptedHost host;
    RunState run(host);
    AddAll(run, {"apple", "Apple", "apple"});
    EXPECT_EQ(WordsInOrder(run.table), (std::vector<std::string>{"Apple", "apple"}));
    EXPECT_EQ(run.table[1].Count, 1);
    EXPECT_EQ(run.table[2].Count, 2);
}

TEST(AddWordToList, NewEntryHasItsSortKeyAndIsListed) {
    ScriptedHost host;
    RunState run(host);
    AddWordToList(run, U("Élan"));
    const WordEntry& e = run.table[1];
    EXPECT_EQ(ToUtf8(e.SortKey), "elan");
    EXPECT_EQ(e.Count, 1);
    EXPECT_TRUE(e.Listed);
    EXPECT_EQ(e.Rank, 0);
    EXPECT_EQ(e.NextByFrequency, 0);
}

TEST(AddWordToList, The501stWordRaisesTheCapacityAndKeepsEveryWord) {
    ScriptedHost host;
    RunState run(host);
    run.settings.SuppressWords = true;
    EXPECT_EQ(run.table.capacity(), 500);
    // Added in descending order so that every new word lands at the front.
    for (int i = 500; i >= 1; --i)
        AddWordToList(run, FromInt(100000 + i));
    EXPECT_EQ(run.table.capacity(), 500);
    AddWordToList(run, u"100000");
    EXPECT_EQ(run.table.capacity(), 1000);
    ASSERT_EQ(run.table.size(), 501);
    for (int32_t i = 1; i <= 501; ++i)
        EXPECT_EQ(run.table[i].Word, FromInt(100000 + i - 1)) << i;

    run.table.clear();
    EXPECT_EQ(run.table.capacity(), 500);
    EXPECT_EQ(run.table.size(), 0);
}

TEST(AddWordToList, WordOf81CharactersChangesNothing) {
    ScriptedHost host;
    RunState run(host);
    AddWordToList(run, ustring(81, u'x'));
    EXPECT_EQ(run.table.size(), 0);
    EXPECT_EQ(host.output, u"");

    AddWordToList(run, u"a");
    AddWordToList(run, ustring(81, u'x'));
    EXPECT_EQ(run.table.size(), 1);
    EXPECT_EQ(run.table[1].Count, 1);
    EXPECT_EQ(host.output, u"a ");

    AddWordToList(run, ustring(80, u'x'));
    EXPECT_EQ(run.table.size(), 2);
}

TEST(AddWordToList, EntriesFollowTheWordAgainAfterAReordering) {
    ScriptedHost host;
    RunState run(host);
    run.settings.SuppressWords = true;
    AddAll(run, {"c", "a", "b"});
    run.table.swapEntries(1, 3);
    EXPECT_EQ(WordsInOrder(run.table), (std::vector<std::string>{"c", "b", "a"}));
    run.table.clear();
    AddAll(run, {"z", "y"});
    EXPECT_EQ(WordsInOrder(run.table), (std::vector<std::string>{"y", "z"}));
}

// --- The live display ----------------------------------------------------------------------

TEST(AddWordToList, FirstWordReplacesTheOutputBox) {
    ScriptedHost host;
    RunState run(host);
    host.output = u"Now processing input file ...";
    AddWordToList(run, u"hello");
    EXPECT_EQ(host.outputUtf8(), "hello ");
}

TEST(AddWordToList, SuppressedWordsAreCountedButNotShown) {
    ScriptedHost host;
    RunState run(host);
    run.settings.SuppressWords = true;
    host.output = u"busy";
    AddAll(run, {"x", "y", "x"});
    EXPECT_EQ(host.outputUtf8(), "busy");
    EXPECT_EQ(run.table.size(), 2);
}

TEST(AddWordToList, NearlyFullOutputBoxGetsTheNoticeOnceAndSuppressesLaterWords) {
    ScriptedHost host;
    RunState run(host);
    AddWordToList(run, u"first");
    host.output = ustring(OutputTextLimit - 100, u'.');
    AddWordToList(run, u"second"); // the box holds exactly the limit: still shown
    EXPECT_EQ(host.output.size(), size_t(OutputTextLimit - 100 + 7));
    EXPECT_FALSE(run.settings.SuppressWords);

    host.output = ustring(OutputTextLimit - 100 + 1, u'.');
    AddWordToList(run, u"third");
    const ustring notice = u"\r\n\r\n[Suppressing display of words to avoid buffer overflow.]";
    EXPECT_EQ(host.output, ustring(OutputTextLimit - 99, u'.') + notice);
    EXPECT_TRUE(run.settings.SuppressWords);
    EXPECT_TRUE(run.SuppressionNoticeShown);
    EXPECT_GE(host.settingsChangedCalls, 1);
    EXPECT_TRUE(host.caretAtEnd);

    AddAll(run, {"fourth", "fifth", "third"});
    EXPECT_EQ(host.output, ustring(OutputTextLimit - 99, u'.') + notice);
    EXPECT_EQ(run.table.size(), 5);
}

TEST(AddWordToList, NoticeIsNotRepeatedWhenTheUserClearsSuppressionAgain) {
    ScriptedHost host;
    RunState run(host);
    AddWordToList(run, u"a");
    host.output = ustring(OutputTextLimit, u'.');
    AddWordToList(run, u"b");
    const size_t withNotice = host.output.size();
    run.settings.SuppressWords = false;
    AddWordToList(run, u"c");
    EXPECT_EQ(host.output.size(), withNotice);
    EXPECT_TRUE(run.settings.SuppressWords);
}

// --- The number-of-words label -------------------------------------------------------------

TEST(AddWordToList, EveryTenthCommonWordUpdatesTheLabel) {
    ScriptedHost host;
    RunState run(host);
    run.blnReadingWords = true;
    run.settings.SuppressWords = true;
    for (int i = 1; i <= 9; ++i)
        AddWordToList(run, FromInt(1000 + i));
    EXPECT_EQ(host.labels.count(LabelId::NumberOfWords), 0u);
    AddWordToList(run, u"1010");
    EXPECT_EQ(ToUtf8(host.labels[LabelId::NumberOfWords]),
              "Number of common words read so far: 10");
    EXPECT_TRUE(host.labelVisible[LabelId::NumberOfWords]);
    AddWordToList(run, u"1001"); // repeated: no change
    for (int i = 11; i <= 20; ++i)
        AddWordToList(run, FromInt(1000 + i));
    EXPECT_EQ(ToUtf8(host.labels[LabelId::NumberOfWords]),
              "Number of common words read so far: 20");
}

TEST(AddWordToList, CountRunOnlyShowsTheLabelEveryTenthWord) {
    ScriptedHost host;
    RunState run(host);
    run.settings.SuppressWords = true;
    for (int i = 1; i <= 10; ++i)
        AddWordToList(run, FromInt(1000 + i));
    EXPECT_EQ(host.labels.count(LabelId::NumberOfWords), 0u);
    EXPECT_TRUE(host.labelVisible[LabelId::NumberOfWords]);
}

// --- Binary search -------------------------------------------------------------------------

TEST(BinarySearchEntries, ReportsPositionsAsThePartDefinesThem) {
    ScriptedHost host;
    RunState run(host);
    int32_t pos = 99;
    EXPECT_FALSE(run.table.BinarySearchEntries(u"a", 0, pos));
    EXPECT_EQ(pos, -1);

    run.settings.SuppressWords = true;
    AddAll(run, {"z", "a", "k"});
    EXPECT_FALSE(run.table.BinarySearchEntries(u"m", 3, pos));
    EXPECT_EQ(pos, -3);
    EXPECT_FALSE(run.table.BinarySearchEntries(u"0", 3, pos));
    EXPECT_EQ(pos, -1);
    EXPECT_FALSE(run.table.BinarySearchEntries(u"zz", 3, pos));
    EXPECT_EQ(pos, -4);
    EXPECT_FALSE(run.table.BinarySearchEntries(u"b", 3, pos));
    EXPECT_EQ(pos, -2);
    for (int32_t i = 1; i <= 3; ++i) {
        EXPECT_TRUE(run.table.BinarySearchEntries(run.table[i].Word, 3, pos));
        EXPECT_EQ(pos, i);
    }
}

TEST(BinarySearchEntries, FindsEveryWordAndEveryGapInLargerTables) {
    ScriptedHost host;
    RunState run(host);
    run.settings.SuppressWords = true;
    for (int n = 1; n <= 40; ++n) {
        run.table.clear();
        for (int i = 1; i <= n; ++i)
            AddWordToList(run, FromInt(100 + 2 * i)); // 102, 104, ...
        for (int i = 1; i <= n; ++i) {
            int32_t pos = 0;
            EXPECT_TRUE(run.table.BinarySearchEntries(FromInt(100 + 2 * i), n, pos));
            EXPECT_EQ(pos, i);
            EXPECT_FALSE(run.table.BinarySearchEntries(FromInt(100 + 2 * i - 1), n, pos));
            EXPECT_EQ(pos, -i) << "n=" << n << " i=" << i;
        }
        int32_t pos = 0;
        EXPECT_FALSE(run.table.BinarySearchEntries(FromInt(100 + 2 * n + 1), n, pos));
        EXPECT_EQ(pos, -(n + 1));
    }
}

TEST(BinarySearchStrings, ComparesFromTheStartPosition) {
    const std::vector<ustring> words = {u"xa", u"xk", u"xz"};
    int32_t pos = 0;
    EXPECT_TRUE(BinarySearchStrings(u"k", words, 3, pos, 2));
    EXPECT_EQ(pos, 2);
    EXPECT_FALSE(BinarySearchStrings(u"xm", words, 3, pos));
    EXPECT_EQ(pos, -3);
    EXPECT_FALSE(BinarySearchStrings(u"a", {}, 0, pos));
    EXPECT_EQ(pos, -1);
    // n larger than the array is held to the array.
    EXPECT_FALSE(BinarySearchStrings(u"zz", words, 10, pos));
    EXPECT_EQ(pos, -4);
}

} // namespace
} // namespace qd
