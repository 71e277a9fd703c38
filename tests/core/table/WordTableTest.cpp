#include "table/WordTable.h"
#include "count/AddWordToList.h"
#include "count/RunState.h"
#include "scan/BinarySearch.h"
#include "scan/CaseFolding.h"
#include "support/RunFixtures.h"
#include "support/ScriptedHost.h"
#include "table/PostCountRules.h"
#include "text/Folders.h"
#include "text/Host.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace qd {
namespace {

class AddWordToList : public ::testing::Test {
protected:
    test::ScriptedHost host;
    RunState run{host, DefaultEnvironment()};

    void add(std::initializer_list<const char*> words) {
        for (const char* w : words)
            qd::AddWordToList(run, U(w));
    }
};

// --- The table's growth and its 80-character limit ---

TEST_F(AddWordToList, The501stWordRaisesTheCapacityAndKeepsEveryWord) {
    run.settings.output.SuppressWords = true;
    EXPECT_EQ(run.result.table.capacity(), 500);
    // Added in descending order so that every new word lands at the front.
    for (int i = 500; i >= 1; --i)
        qd::AddWordToList(run, FromInt(100000 + i));
    EXPECT_EQ(run.result.table.capacity(), 500);
    qd::AddWordToList(run, u"100000");
    EXPECT_EQ(run.result.table.capacity(), 1000);
    ASSERT_EQ(run.result.table.size(), 501);
    for (int32_t i = 1; i <= 501; ++i)
        EXPECT_EQ(run.result.table[i].word(), FromInt(100000 + i - 1)) << i;
    run.result.table.clear();
    EXPECT_EQ(run.result.table.capacity(), 500);
    EXPECT_EQ(run.result.table.size(), 0);
}

TEST_F(AddWordToList, WordOf81CharactersChangesNothing) {
    qd::AddWordToList(run, ustring(81, u'x'));
    EXPECT_EQ(run.result.table.size(), 0);
    EXPECT_EQ(host.output, u"");
    add({"a"});
    qd::AddWordToList(run, ustring(81, u'x'));
    EXPECT_EQ(run.result.table.size(), 1);
    EXPECT_EQ(run.result.table[1].Count, 1);
    EXPECT_EQ(host.output, u"a ");
    qd::AddWordToList(run, ustring(80, u'x'));
    EXPECT_EQ(run.result.table.size(), 2);
}

TEST_F(AddWordToList, WordOf81CharactersIsTooLongForTheIgnoredWordsOfACountOnly) {
    run.scanner.setIgnoredSink(&run.excluded);
    qd::AddWordToList(run, ustring(81, u'x'));
    qd::AddWordToList(run, ustring(81, u'x'));
    run.scanner.setReadingWords(true); // a common-words file: its words are no count's
    qd::AddWordToList(run, ustring(82, u'y'));
    const std::vector<ExcludedWord> words = run.excluded.ordered(ListOrder::Alphabetical);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].word, ustring(81, u'x'));
    EXPECT_EQ(words[0].count, 2);
    EXPECT_EQ(words[0].rule, IgnoreRule::TooLong);
}

// --- The live display stops before the output box is full ---

TEST_F(AddWordToList, NearlyFullOutputBoxGetsTheNoticeOnceAndSuppressesLaterWords) {
    add({"first"});
    host.output = ustring(OutputTextLimit - 100, u'.');
    add({"second"}); // the box holds exactly the limit: still shown
    EXPECT_EQ(host.output.size(), size_t(OutputTextLimit - 100 + 7));
    EXPECT_FALSE(run.settings.output.SuppressWords);

    host.output = ustring(OutputTextLimit - 100 + 1, u'.');
    add({"third"});
    const ustring full = ustring(OutputTextLimit - 99, u'.') +
                         u"\r\n\r\n[Suppressing display of words to avoid buffer overflow.]";
    EXPECT_EQ(host.output, full);
    EXPECT_TRUE(run.settings.output.SuppressWords);
    EXPECT_TRUE(run.current.SuppressionNoticeShown);
    EXPECT_GE(host.settingsChangedCalls, 1);
    EXPECT_TRUE(host.caretAtEnd);
    add({"fourth", "fifth", "third"});
    EXPECT_EQ(host.output, full);
    EXPECT_EQ(run.result.table.size(), 5);
    // The notice is not repeated when the user clears the suppression again.
    run.settings.output.SuppressWords = false;
    add({"sixth"});
    EXPECT_EQ(host.output, full);
    EXPECT_TRUE(run.settings.output.SuppressWords);
}

// --- Binary search: the index when found, minus the insertion point when not ---

TEST_F(AddWordToList, BinarySearchEntriesReportsFoundWordsAndGaps) {
    int32_t pos = 99;
    EXPECT_FALSE(run.result.table.BinarySearchEntries(u"a", 0, pos));
    EXPECT_EQ(pos, -1);
    run.settings.output.SuppressWords = true;
    for (int n = 1; n <= 40; ++n) {
        run.result.table.clear();
        for (int i = 1; i <= n; ++i)
            qd::AddWordToList(run, FromInt(100 + 2 * i)); // 102, 104, ...
        for (int i = 1; i <= n; ++i) {
            EXPECT_TRUE(run.result.table.BinarySearchEntries(FromInt(100 + 2 * i), n, pos));
            EXPECT_EQ(pos, i);
            EXPECT_FALSE(run.result.table.BinarySearchEntries(FromInt(100 + 2 * i - 1), n, pos));
            EXPECT_EQ(pos, -i) << "n=" << n << " i=" << i;
        }
        EXPECT_FALSE(run.result.table.BinarySearchEntries(FromInt(100 + 2 * n + 1), n, pos));
        EXPECT_EQ(pos, -(n + 1));
    }
}

// --- Statistics of the listed words ---

TEST_F(AddWordToList, StatisticsCountOnlyListedWords) {
    run.settings.output.SuppressWords = true;
    test::AddWords(run, {{"alpha", 3}, {"be", 7}, {"longestword", 1}, {"xiv", 2}});
    run.settings.ignore.IgnoreRomNum40 = true;
    run.settings.ignore.IgnoreInfrequentWords = true;
    run.result.stats.thresholdFrequency = 2;
    ApplyPostCountRules(run.result.table, run.settings, run.result.stats);
    run.result.stats.maxWordLength = 99; // from an earlier run
    ComputeListStatistics(run.result.table, run.result.stats);
    EXPECT_EQ(run.result.stats.wordsIncluded, 2);
    EXPECT_EQ(run.result.stats.wordsExcluded, 2);
    EXPECT_EQ(run.result.stats.occurrences, 10);
    EXPECT_EQ(run.result.stats.maxFrequency, 7);
    EXPECT_EQ(run.result.stats.maxWordLength, 5);
}

// --- The words left out after the count, their rules, tally and orders ---

TEST_F(AddWordToList, HiddenEntriesGoUnderTheRuleThatHidThemRomanNumeralsFirst) {
    run.settings.output.SuppressWords = true;
    test::AddWords(run, {{"alpha", 3}, {"vi", 1}, {"xiv", 2}, {"Zeta", 1}, {"éclair", 1}});
    run.excluded.addIgnoredWord(u"echo", IgnoreRule::CommonWord);
    run.excluded.addIgnoredWord(u"echo", IgnoreRule::CommonWord);
    run.settings.ignore.IgnoreRomNum40 = true;
    run.settings.ignore.IgnoreInfrequentWords = true;
    run.result.stats.thresholdFrequency = 2;
    ApplyPostCountRules(run.result.table, run.settings, run.result.stats);
    run.excluded.addHiddenEntries(run.result.table, run.settings, run.result.stats);

    const IgnoredTally tally = run.excluded.tally();
    EXPECT_EQ(tally[IgnoreRule::RomanNumeral].words, 2); // vi as well, though counted once
    EXPECT_EQ(tally[IgnoreRule::RomanNumeral].instances, 3);
    EXPECT_EQ(tally[IgnoreRule::BelowThreshold].words, 2);
    EXPECT_EQ(tally[IgnoreRule::CommonWord].instances, 2);
    EXPECT_EQ(tally[IgnoreRule::TooShort].words, 0);

    const auto words = [this](ListOrder order) {
        std::vector<std::string> text;
        for (const ExcludedWord& w : run.excluded.ordered(order))
            text.push_back(ToUtf8(w.word) + " " + std::to_string(w.count));
        return text;
    };
    // Alphabetically by the folded key (éclair between echo and vi); by frequency, the
    // highest count first and equal counts alphabetically.
    EXPECT_EQ(words(ListOrder::Alphabetical),
              (std::vector<std::string>{"echo 2", "éclair 1", "vi 1", "xiv 2", "Zeta 1"}));
    EXPECT_EQ(words(ListOrder::ByFrequency),
              (std::vector<std::string>{"echo 2", "xiv 2", "éclair 1", "vi 1", "Zeta 1"}));
}

// The key held for each word, or the word standing for its own key, is the word's SortKeyOf:
// every ASCII character and some beyond, alone and in words.
TEST(WordTable, EveryEntryGivesTheSortKeyOfItsWord) {
    WordTable table;
    for (char16_t c = 1; c < 256; ++c) {
        table.add(ustring(1, c));
        table.add(u"ab" + ustring(1, c) + u"Zé");
    }
    for (int32_t i = 1; i <= table.size(); ++i)
        ASSERT_EQ(table[i].sortKey(), SortKeyOf(table[i].word())) << i;
}

// Stored in a reordered numbering, every entry keeps its word, key, count and files; the table
// then finds its words again, and slots handed out afterwards count the right words.
TEST(WordTable, StoredInOrderKeepsEveryEntryAndFindsItsWordsAgain) {
    WordTable table;
    std::vector<ustring> words;
    for (int k = 0; k < 5000; ++k)
        words.push_back(FromInt((k * 7919) % 5000) + (k % 3 ? u"x" : u"É"));
    // Word k occurs in files 1 to k % 3 + 1.
    for (int32_t file = 1; file <= 3; ++file) {
        table.setFileIndex(file);
        for (size_t k = 0; k < words.size(); ++k)
            if (int32_t(k % 3) >= file - 1) table.add(words[k]);
    }
    // Reversed: every entry moves.
    for (int32_t a = 1, b = table.size(); a < b; ++a, --b)
        table.swapEntries(a, b);
    std::vector<std::tuple<ustring, ustring, int64_t, int32_t>> before;
    for (int32_t i = 1; i <= table.size(); ++i)
        before.emplace_back(table[i].word(), table[i].sortKey(), table[i].Count, table.filesOf(i));
    table.storeInOrder(true);
    for (int32_t i = 1; i <= table.size(); ++i)
        ASSERT_EQ(std::make_tuple(ustring(table[i].word()), ustring(table[i].sortKey()),
                                  table[i].Count, table.filesOf(i)),
                  before[size_t(i - 1)])
            << i;

    int32_t slot = -1;
    EXPECT_EQ(table.add(std::get<0>(before[0]), &slot), WordTable::AddResult::Repeated);
    table.addAgain(slot);
    EXPECT_EQ(table[1].Count, std::get<2>(before[0]) + 2);
    EXPECT_EQ(table.add(u"new", &slot), WordTable::AddResult::New);
    table.addAgain(slot);
    int32_t pos = 0;
    ASSERT_TRUE(table.BinarySearchEntries(u"new", table.size(), pos));
    EXPECT_EQ(table[pos].Count, 2);
}

} // namespace
} // namespace qd
