#include "settings/SettingsFields.h"

#include <type_traits>
#include <utility>

#include <array>

namespace qd {

namespace {

using S = Settings;

// The field (group.*Member) of the settings record, for each kind of field.
template <auto Group, auto Member> constexpr SettingField Flag(std::string_view name) {
    return {name, FieldKind::Flag, [](S& s) -> bool& { return (s.*Group).*Member; }};
}
// A list field, held as an index or as an enumeration numbered like its list.
template <auto Group, auto Member> constexpr SettingField List(std::string_view name, int entries) {
    using Value = std::remove_cvref_t<decltype((std::declval<S&>().*Group).*Member)>;
    return {name,
            FieldKind::ListIndex,
            nullptr,
            [](const S& s) { return static_cast<int>((s.*Group).*Member); },
            [](S& s, int i) { (s.*Group).*Member = static_cast<Value>(i); },
            entries};
}
template <auto Group, auto Member> constexpr SettingField Text(std::string_view name) {
    return {name, FieldKind::Text, nullptr, nullptr, nullptr, 0, [](S& s) -> ustring& {
                return (s.*Group).*Member;
            }};
}
// One marker of a comment-marker pair.
template <auto Member, int I> constexpr SettingField Marker(std::string_view name) {
    return {name, FieldKind::Text, nullptr, nullptr, nullptr, 0, [](S& s) -> ustring& {
                return (s.comments.*Member)[I];
            }};
}

using W = WordFormation;
using I = IgnoreRules;
using O = OutputSettings;

const std::array kFields = {
    Flag<&S::words, &W::CaseSignificant>("CaseSignificant"),
    Flag<&S::words, &W::AllowWordsWithHyphens>("AllowWordsWithHyphens"),
    Flag<&S::words, &W::AllowWordsWithApostrophes>("AllowWordsWithApostrophes"),
    Flag<&S::words, &W::AllowWordsWithUnderscores>("AllowWordsWithUnderscores"),
    Flag<&S::words, &W::AllowWordsWithColons>("AllowWordsWithColons"),
    Flag<&S::words, &W::AllowWordsWithBackslashes>("AllowWordsWithBackslashes"),
    Flag<&S::words, &W::AllowWordsWithForwardslashes>("AllowWordsWithForwardslashes"),
    Flag<&S::words, &W::AllowWordsWithPeriods>("AllowWordsWithPeriods"),
    Flag<&S::words, &W::AllowWordsWithAtSigns>("AllowWordsWithAtSigns"),
    Flag<&S::words, &W::AllowWordsWithNumerals>("AllowWordsWithNumerals"),
    Flag<&S::words, &W::Only7bitASCII>("Only7bitASCII"),
    Flag<&S::words, &W::DropFinalS>("DropFinalS"),
    Flag<&S::comments, &CommentSettings::AllowCommentMarkers>("AllowCommentMarkers"),
    Marker<&CommentSettings::StartComment, 0>("StartComment0"),
    Marker<&CommentSettings::EndComment, 0>("EndComment0"),
    Marker<&CommentSettings::StartComment, 1>("StartComment1"),
    Marker<&CommentSettings::EndComment, 1>("EndComment1"),
    Flag<&S::ignore, &I::IgnoreCommonWords>("IgnoreCommonWords"),
    Text<&S::ignore, &I::CommonWordsFile>("CommonWordsFile"),
    Text<&S::ignore, &I::WordsToIgnore>("WordsToIgnore"),
    Flag<&S::ignore, &I::IgnoreRepetitions>("IgnoreRepetitions"),
    Flag<&S::ignore, &I::IgnoreRomNum40>("IgnoreRomNum40"),
    Flag<&S::ignore, &I::IgnoreNoLetter>("IgnoreNoLetter"),
    Flag<&S::ignore, &I::IgnoreInfrequentWords>("IgnoreInfrequentWords"),
    List<&S::ignore, &I::ThresholdFrequency>("ThresholdFrequency", kThresholdFrequencyEntries),
    Flag<&S::ignore, &I::IgnoreShortWords>("IgnoreShortWords"),
    List<&S::ignore, &I::ShortWordSize>("ShortWordSize", kShortWordSizeEntries),
    List<&S::ignore, &I::LongWordSize>("LongWordSize", kLongWordSizeEntries),
    Flag<&S::output, &O::OutputWithCommas>("OutputWithCommas"),
    List<&S::output, &O::OutputEncoding>("OutputEncoding", kOutputEncodingEntries),
    Flag<&S::output, &O::WarnOnOverwrite>("WarnOnOverwrite"),
    SettingField{"SaveStateOnQuit", FieldKind::Flag,
                 [](S& s) -> bool& { return s.SaveStateOnQuit; }},
    SettingField{"Source", FieldKind::Source},
    Text<&S::input, &InputSettings::InputFile>("InputFile"),
    Text<&S::output, &O::OutputFile>("OutputFile"),
    Flag<&S::input, &InputSettings::UTF8>("UTF8"),
    Flag<&S::output, &O::SuppressWords>("SuppressWords"),
    Flag<&S::output, &O::DisableOutputToFile>("DisableOutputToFile"),
    List<&S::output, &O::WordOrder>("WordOrder", kWordOrderEntries),
    List<&S::output, &O::DisplayFormat>("DisplayFormat", kDisplayFormatEntries),
    Flag<&S::output, &O::ShowFilesColumn>("ShowFilesColumn"),
};

char16_t AsciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

bool SameNameIgnoringCase(ustring_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(char16_t(b[i]))) return false;
    return true;
}

// The index written as plain decimal digits, or -1.
int ParseIndex(ustring_view value) {
    if (value.empty() || value.size() > 4) return -1;
    int n = 0;
    for (char16_t c : value) {
        if (c < u'0' || c > u'9') return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

ustring Quoted(ustring_view value) {
    return u"\"" + ustring(value) + u"\"";
}

} // namespace

std::span<const SettingField> AllSettingFields() {
    return kFields;
}

const SettingField* FindSettingField(ustring_view name) {
    for (const SettingField& f : kFields)
        if (SameNameIgnoringCase(name, f.name)) return &f;
    return nullptr;
}

SettingValue GetSetting(const Settings& settings, ustring_view name) {
    const SettingField* f = FindSettingField(name);
    if (!f) return {{}, u"Unknown setting " + Quoted(name) + u"."};
    switch (f->kind) {
    case FieldKind::Flag:
        return {f->flagOf(settings) ? u"1" : u"0", {}};
    case FieldKind::ListIndex:
        return {FromInt(f->indexOf(settings)), {}};
    case FieldKind::Text:
        return {f->textOf(settings), {}};
    case FieldKind::Source:
        return {settings.input.Source == SourceKind::InFile ? u"InFile" : u"OnClipboard", {}};
    }
    return {};
}

ustring SetSetting(Settings& settings, ustring_view name, ustring_view value) {
    const SettingField* f = FindSettingField(name);
    if (!f) return u"Unknown setting " + Quoted(name) + u".";
    const ustring fieldName = FromUtf8(f->name);
    switch (f->kind) {
    case FieldKind::Flag:
        if (value != u"0" && value != u"1")
            return u"The setting " + fieldName + u" takes 0 or 1, not " + Quoted(value) + u".";
        f->flagOf(settings) = value == u"1";
        return {};
    case FieldKind::ListIndex: {
        const int index = ParseIndex(value);
        if (index < 0 || index >= f->entries)
            return u"The setting " + fieldName + u" takes an entry index from 0 to " +
                   FromInt(f->entries - 1) + u", not " + Quoted(value) + u".";
        f->setIndexOf(settings, index);
        return {};
    }
    case FieldKind::Text:
        f->textOf(settings) = ustring(value);
        return {};
    case FieldKind::Source:
        if (SameNameIgnoringCase(value, "InFile"))
            settings.input.Source = SourceKind::InFile;
        else if (SameNameIgnoringCase(value, "OnClipboard"))
            settings.input.Source = SourceKind::OnClipboard;
        else
            return u"The setting Source takes InFile or OnClipboard, not " + Quoted(value) + u".";
        return {};
    }
    return {};
}

ustring ApplySettingAssignment(Settings& settings, ustring_view assignment) {
    const size_t eq = assignment.find(u'=');
    if (eq == ustring_view::npos) return u"Expected NAME=VALUE, not " + Quoted(assignment) + u".";
    return SetSetting(settings, assignment.substr(0, eq), assignment.substr(eq + 1));
}

} // namespace qd
