#include "settings/SettingsFields.h"

#include <gtest/gtest.h>

#include <set>

namespace qd {
namespace {

std::string u8(const ustring& s) {
    return ToUtf8(s);
}

// A valid value for the field that differs from the one it holds now.
ustring OtherValue(const ScanSettings& s, const SettingField& f) {
    switch (f.kind) {
    case FieldKind::Flag:
        return f.flagOf(s) ? u"0" : u"1";
    case FieldKind::ListIndex:
        return FromInt((f.indexOf(s) + 1) % f.entries);
    case FieldKind::Text:
        return f.textOf(s) + u"x, \"y\"";
    case FieldKind::Source:
        return s.Source == SourceKind::InFile ? u"OnClipboard" : u"InFile";
    }
    return {};
}

// The table of fields.
TEST(SettingFields, NamesAreDistinctAndFound) {
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
        ScanSettings s;
        const ustring name = FromUtf8(f.name);
        const ustring before = GetSetting(s, name).value;
        const ustring other = OtherValue(s, f);
        ASSERT_EQ(SetSetting(s, name, other), u"") << f.name;
        EXPECT_EQ(GetSetting(s, name).value, other) << f.name;
        EXPECT_NE(s, ScanSettings{}) << f.name;
        ASSERT_EQ(SetSetting(s, name, before), u"") << f.name;
        EXPECT_EQ(s, ScanSettings{}) << f.name << " touched another field";
    }
}

TEST(SettingFields, ReadsTheDefaults) {
    ScanSettings s;
    EXPECT_EQ(u8(GetSetting(s, u"AllowWordsWithHyphens").value), "1");
    EXPECT_EQ(u8(GetSetting(s, u"CaseSignificant").value), "0");
    EXPECT_EQ(u8(GetSetting(s, u"LongWordSize").value), "7");
    EXPECT_EQ(u8(GetSetting(s, u"StartComment1").value), "//");
    EXPECT_EQ(u8(GetSetting(s, u"EndComment1").value), "");
    EXPECT_EQ(u8(GetSetting(s, u"Source").value), "InFile");
}

// Setting from text: good values.
TEST(SetSetting, ListsTakeEveryIndexOfTheirRange) {
    ScanSettings s;
    EXPECT_EQ(SetSetting(s, u"DisplayFormat", u"9"), u"");
    EXPECT_EQ(s.DisplayFormat, 9);
    EXPECT_EQ(SetSetting(s, u"ShortWordSize", u"0"), u"");
    EXPECT_EQ(s.ShortWordSize, 0);
    EXPECT_EQ(SetSetting(s, u"LongWordSize", u"15"), u"");
    EXPECT_EQ(s.longWordSizeValue(), 90);
}

TEST(SetSetting, StringsAreTakenAsGiven) {
    ScanSettings s;
    EXPECT_EQ(SetSetting(s, u"WordsToIgnore", u"  a, b  "), u"");
    EXPECT_EQ(s.WordsToIgnore, u"  a, b  ");
    EXPECT_EQ(SetSetting(s, u"EndComment0", u""), u"");
    EXPECT_EQ(s.EndComment[0], u"");
}

TEST(SetSetting, SourceByName) {
    ScanSettings s;
    EXPECT_EQ(SetSetting(s, u"source", u"onclipboard"), u"");
    EXPECT_EQ(s.Source, SourceKind::OnClipboard);
}

// Setting from text: bad values are refused and change nothing.
TEST(SetSetting, RefusalsLeaveTheSettingsAlone) {
    struct Case {
        const char16_t* name;
        const char16_t* value;
        const char* error;
    };
    const Case cases[] = {
        {u"NoSuchSetting", u"1", "Unknown setting \"NoSuchSetting\"."},
        {u"CaseSignificant", u"2", "The setting CaseSignificant takes 0 or 1, not \"2\"."},
        {u"CaseSignificant", u"true", "The setting CaseSignificant takes 0 or 1, not \"true\"."},
        {u"CaseSignificant", u"", "The setting CaseSignificant takes 0 or 1, not \"\"."},
        {u"ShortWordSize", u"14",
         "The setting ShortWordSize takes an entry index from 0 to 13, not \"14\"."},
        {u"WordOrder", u"-1",
         "The setting WordOrder takes an entry index from 0 to 1, not \"-1\"."},
        {u"DisplayFormat", u" 3",
         "The setting DisplayFormat takes an entry index from 0 to 9, not \" 3\"."},
        {u"ThresholdFrequency", u"99999999",
         "The setting ThresholdFrequency takes an entry index from 0 to 7, not \"99999999\"."},
        {u"Source", u"Clipboard",
         "The setting Source takes InFile or OnClipboard, not \"Clipboard\"."},
    };
    for (const Case& c : cases) {
        ScanSettings s;
        EXPECT_EQ(u8(SetSetting(s, c.name, c.value)), c.error);
        EXPECT_EQ(s, ScanSettings{});
    }
    EXPECT_EQ(u8(GetSetting(ScanSettings{}, u"Nope").error), "Unknown setting \"Nope\".");
}

// NAME=VALUE
TEST(ApplySettingAssignment, SplitsAtTheFirstEqualsSign) {
    ScanSettings s;
    EXPECT_EQ(ApplySettingAssignment(s, u"StartComment0=<%="), u"");
    EXPECT_EQ(s.StartComment[0], u"<%=");
    EXPECT_EQ(ApplySettingAssignment(s, u"UTF8=1"), u"");
    EXPECT_TRUE(s.UTF8);
    EXPECT_EQ(u8(ApplySettingAssignment(s, u"UTF8")), "Expected NAME=VALUE, not \"UTF8\".");
    EXPECT_EQ(u8(ApplySettingAssignment(s, u"=1")), "Unknown setting \"\".");
}

} // namespace
} // namespace qd
