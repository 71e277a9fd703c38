#include "settings/SettingsFields.h"
#include "SettingsTestUtil.h"

#include <gtest/gtest.h>

#include <set>

namespace qd {
namespace {

using test::U8;

// --- The table of fields: distinct names, each reaching only its own field ---

TEST(SettingFields, NamesAreDistinctAndFoundInAnyCase) {
    std::set<std::string_view> names;
    for (const SettingField& f : AllSettingFields()) {
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
        EXPECT_EQ(FindSettingField(FromUtf8(f.name)), &f);
    }
    EXPECT_EQ(names.size(), 39u);
    EXPECT_NE(FindSettingField(u"casesignificant"), nullptr);
    EXPECT_EQ(FindSettingField(u"StartComment"), nullptr);
    EXPECT_EQ(FindSettingField(u""), nullptr);
}

TEST(SettingFields, EachNameReachesOnlyItsOwnField) {
    for (const SettingField& f : AllSettingFields()) {
        SCOPED_TRACE(f.name);
        ScanSettings s;
        const ustring name = FromUtf8(f.name);
        const ustring before = GetSetting(s, name).value;
        const ustring other = test::OtherValue(s, f);
        ASSERT_EQ(SetSetting(s, name, other), u"");
        EXPECT_EQ(GetSetting(s, name).value, other);
        EXPECT_NE(s, ScanSettings{});
        ASSERT_EQ(SetSetting(s, name, before), u"");
        EXPECT_EQ(s, ScanSettings{}) << "another field was touched";
    }
}

// --- Setting from text: good values, names in any case ---

TEST(SetSetting, TakesEveryIndexOfAListStringsAsGivenAndSourceByName) {
    ScanSettings s;
    for (const char* assignment :
         {"DisplayFormat=9", "ShortWordSize=0", "LongWordSize=15", "WordsToIgnore=  a, b  ",
          "EndComment0=", "StartComment0=<%=", "UTF8=1", "source=onclipboard"})
        EXPECT_EQ(ApplySettingAssignment(s, FromUtf8(assignment)), u"") << assignment;
    EXPECT_EQ(s.DisplayFormat, 9);
    EXPECT_EQ(s.ShortWordSize, 0);
    EXPECT_EQ(s.longWordSizeValue(), 90);
    EXPECT_EQ(s.WordsToIgnore, u"  a, b  ");
    EXPECT_EQ(s.EndComment[0], u"");
    EXPECT_EQ(s.StartComment[0], u"<%=");
    EXPECT_TRUE(s.UTF8);
    EXPECT_EQ(s.Source, SourceKind::OnClipboard);
    EXPECT_EQ(U8(GetSetting(s, u"Source").value), "OnClipboard");
    EXPECT_EQ(U8(GetSetting(s, u"StartComment1").value), "//");
}

// --- Setting from text: bad values are refused and change nothing ---

TEST(SetSetting, RefusalsLeaveTheSettingsAlone) {
    const std::pair<const char*, const char*> cases[] = {
        {"NoSuchSetting=1", "Unknown setting \"NoSuchSetting\"."},
        {"CaseSignificant=2", "The setting CaseSignificant takes 0 or 1, not \"2\"."},
        {"CaseSignificant=true", "The setting CaseSignificant takes 0 or 1, not \"true\"."},
        {"CaseSignificant=", "The setting CaseSignificant takes 0 or 1, not \"\"."},
        {"ShortWordSize=14",
         "The setting ShortWordSize takes an entry index from 0 to 13, not \"14\"."},
        {"WordOrder=-1", "The setting WordOrder takes an entry index from 0 to 1, not \"-1\"."},
        {"DisplayFormat= 3",
         "The setting DisplayFormat takes an entry index from 0 to 9, not \" 3\"."},
        {"ThresholdFrequency=99999999",
         "The setting ThresholdFrequency takes an entry index from 0 to 7, not \"99999999\"."},
        {"Source=Clipboard", "The setting Source takes InFile or OnClipboard, not \"Clipboard\"."},
        {"UTF8", "Expected NAME=VALUE, not \"UTF8\"."},
        {"=1", "Unknown setting \"\"."},
    };
    for (const auto& [assignment, error] : cases) {
        ScanSettings s;
        EXPECT_EQ(U8(ApplySettingAssignment(s, FromUtf8(assignment))), error);
        EXPECT_EQ(s, ScanSettings{}) << assignment;
    }
    EXPECT_EQ(U8(GetSetting(ScanSettings{}, u"Nope").error), "Unknown setting \"Nope\".");
}

} // namespace
} // namespace qd
