#pragma once
// Every field of the settings record by its name, for the settings files and for setting a
// field from text (the command line's --set NAME=VALUE). Names are the field names; the two
// comment-marker pairs are StartComment0, EndComment0, StartComment1 and EndComment1.
// As text, a flag is "0" or "1", a list field the index of its entry, Source "InFile" or
// "OnClipboard", and a string field itself.

#include "scan/Settings.h"
#include "text/UString.h"

#include <span>
#include <string_view>

namespace qd {

enum class FieldKind { Flag, ListIndex, Text, Source };

struct SettingField {
    std::string_view name;
    FieldKind kind;
    bool& (*flag)(Settings&) = nullptr;
    int (*getIndex)(const Settings&) = nullptr;
    void (*setIndex)(Settings&, int) = nullptr;
    int entries = 0; // list fields: the number of entries
    ustring& (*text)(Settings&) = nullptr;

    bool& flagOf(Settings& s) const { return flag(s); }
    bool flagOf(const Settings& s) const { return flag(const_cast<Settings&>(s)); }
    int indexOf(const Settings& s) const { return getIndex(s); }
    void setIndexOf(Settings& s, int i) const { setIndex(s, i); }
    ustring& textOf(Settings& s) const { return text(s); }
    const ustring& textOf(const Settings& s) const { return text(const_cast<Settings&>(s)); }
};

// Every field, in the order of the settings record.
std::span<const SettingField> AllSettingFields();

// The field of that name (ASCII letters in any case), or nullptr.
const SettingField* FindSettingField(ustring_view name);

struct SettingValue {
    ustring value;
    ustring error; // empty when the name is known
};

// The field's value as text, or an error text for an unknown name.
SettingValue GetSetting(const Settings& settings, ustring_view name);

// Sets the field from text. Returns an error text for an unknown name or a value the field
// cannot take, and then leaves the settings unchanged; empty on success.
ustring SetSetting(Settings& settings, ustring_view name, ustring_view value);

// SetSetting for "NAME=VALUE" (the value may itself contain '=').
ustring ApplySettingAssignment(Settings& settings, ustring_view assignment);

} // namespace qd
