#pragma once
// Settings records for the settings tests: one in which every field differs from its default.

#include "settings/SettingsFields.h"
#include "support/RunFixtures.h"
#include "text/UString.h"

#include <string>

namespace qd::test {

// A valid value for the field that differs from the one it holds now. Texts gain spaces at
// both ends, a comma and quotes, which the files must keep.
inline ustring OtherValue(const Settings& s, const SettingField& f) {
    switch (f.kind) {
    case FieldKind::Flag:
        return f.flagOf(s) ? u"0" : u"1";
    case FieldKind::ListIndex:
        return FromInt((f.indexOf(s) + 1) % f.entries);
    case FieldKind::Text:
        return u" " + f.textOf(s) + u"x, \"y\" ";
    case FieldKind::Source:
        return s.input.Source == SourceKind::InFile ? u"OnClipboard" : u"InFile";
    }
    return {};
}

// Every field away from its default.
inline Settings Unusual() {
    Settings s;
    for (const SettingField& f : AllSettingFields())
        SetSetting(s, FromUtf8(f.name), OtherValue(s, f));
    return s;
}

// Each named field (space-separated) set back to its default.
inline void ResetFields(Settings& s, std::string_view names) {
    for (size_t from = 0; from < names.size();) {
        size_t space = names.find(' ', from);
        if (space == std::string_view::npos) space = names.size();
        const ustring name = FromUtf8(names.substr(from, space - from));
        SetSetting(s, name, GetSetting(Settings{}, name).value);
        from = space + 1;
    }
}

} // namespace qd::test
