#include "settings/SettingsFields.h"

#include <type_traits>
#include <utility>

#include <array>

namespace qd {

namespace {

using S = ScanSettings;

constexpr SettingField Flag(std::string_view name, bool S::*member) {
    return {name, FieldKind::Flag, member};
}
// A list field, held as an index or as an enumeration numbered like its list.
template <auto Member> constexpr SettingField List(std::string_view name, int entries) {
    using Value = std::remove_cvref_t<decltype(std::declval<S&>().*Member)>;
    return {name,
            FieldKind::ListIndex,
            nullptr,
            [](const S& s) { return static_cast<int>(s.*Member); },
            [](S& s, int i) { s.*Member = static_cast<Value>(i); },
            entries};
}
constexpr SettingField Text(std::string_view name, ustring S::*member) {
    return {name, FieldKind::Text, nullptr, nullptr, nullptr, 0, member};
}
constexpr SettingField Marker(std::string_view name, std::array<ustring, 2> S::*member, int i) {
    return {name, FieldKind::Text, nullptr, nullptr, nullptr, 0, nullptr, member, i};
}

const std::array kFields = {
    Flag("CaseSignificant", &S::CaseSignificant),
    Flag("AllowWordsWithHyphens", &S::AllowWordsWithHyphens),
    Flag("AllowWordsWithApostrophes", &S::AllowWordsWithApostrophes),
    Flag("AllowWordsWithUnderscores", &S::AllowWordsWithUnderscores),
    Flag("AllowWordsWithColons", &S::AllowWordsWithColons),
    Flag("AllowWordsWithBackslashes", &S::AllowWordsWithBackslashes),
    Flag("AllowWordsWithForwardslashes", &S::AllowWordsWithForwardslashes),
    Flag("AllowWordsWithPeriods", &S::AllowWordsWithPeriods),
    Flag("AllowWordsWithAtSigns", &S::AllowWordsWithAtSigns),
    Flag("AllowWordsWithNumerals", &S::AllowWordsWithNumerals),
    Flag("Only7bitASCII", &S::Only7bitASCII),
    Flag("DropFinalS", &S::DropFinalS),
    Flag("AllowCommentMarkers", &S::AllowCommentMarkers),
    Marker("StartComment0", &S::StartComment, 0),
    Marker("EndComment0", &S::EndComment, 0),
    Marker("StartComment1", &S::StartComment, 1),
    Marker("EndComment1", &S::EndComment, 1),
    Flag("IgnoreCommonWords", &S::IgnoreCommonWords),
    Text("CommonWordsFile", &S::CommonWordsFile),
    Text("WordsToIgnore", &S::WordsToIgnore),
    Flag("IgnoreRepetitions", &S::IgnoreRepetitions),
    Flag("IgnoreRomNum40", &S::IgnoreRomNum40),
    Flag("IgnoreNoLetter", &S::IgnoreNoLetter),
    Flag("IgnoreInfrequentWords", &S::IgnoreInfrequentWords),
    List<&S::ThresholdFrequency>("ThresholdFrequency", kThresholdFrequencyEntries),
    Flag("IgnoreShortWords", &S::IgnoreShortWords),
    List<&S::ShortWordSize>("ShortWordSize", kShortWordSizeEntries),
    List<&S::LongWordSize>("LongWordSize", kLongWordSizeEntries),
    Flag("OutputWithCommas", &S::OutputWithCommas),
    Flag("WarnOnOverwrite", &S::WarnOnOverwrite),
    Flag("SaveStateOnQuit", &S::SaveStateOnQuit),
    SettingField{"Source", FieldKind::Source},
    Text("InputFile", &S::InputFile),
    Text("OutputFile", &S::OutputFile),
    Flag("UTF8", &S::UTF8),
    Flag("SuppressWords", &S::SuppressWords),
    Flag("DisableOutputToFile", &S::DisableOutputToFile),
    List<&S::WordOrder>("WordOrder", kWordOrderEntries),
    List<&S::DisplayFormat>("DisplayFormat", kDisplayFormatEntries),
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

SettingValue GetSetting(const ScanSettings& settings, ustring_view name) {
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
        return {settings.Source == SourceKind::InFile ? u"InFile" : u"OnClipboard", {}};
    }
    return {};
}

ustring SetSetting(ScanSettings& settings, ustring_view name, ustring_view value) {
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
            settings.Source = SourceKind::InFile;
        else if (SameNameIgnoringCase(value, "OnClipboard"))
            settings.Source = SourceKind::OnClipboard;
        else
            return u"The setting Source takes InFile or OnClipboard, not " + Quoted(value) + u".";
        return {};
    }
    return {};
}

ustring ApplySettingAssignment(ScanSettings& settings, ustring_view assignment) {
    const size_t eq = assignment.find(u'=');
    if (eq == ustring_view::npos) return u"Expected NAME=VALUE, not " + Quoted(assignment) + u".";
    return SetSetting(settings, assignment.substr(0, eq), assignment.substr(eq + 1));
}

} // namespace qd
