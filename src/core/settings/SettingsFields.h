#pragma once
// Every field of the settings record by its name, for the settings files and for setting a
// field from text (the command line's --set NAME=VALUE). Names are the field names; the two
// comment-marker pairs are StartComment0, EndComment0, StartComment1 and EndComment1.
// As text, a flag is "0" or "1", a list field the index of its entry, Source "InFile" or
// "OnClipboard", and a string field itself.

#include "scan/ScanSettings.h"
#include "text/UString.h"

#include <span>
#include <string_view>

namespace qd {

enum class FieldKind { Flag, ListIndex, Text, Source };

struct SettingField {
    std::string_view name;
    FieldKind kind;
    bool ScanSettings::*flag = nullptr;
    int (*getIndex)(const ScanSettings&) = nullptr;
    void (*setIndex)(ScanSettings&, int) = nullptr;
    int entries = 0; // list fields: the number of entries
    ustring ScanSettings::*text = nullptr;
    std::array<ustring, 2> ScanSettings::*pair = nullptr; // comment markers
    int pairIndex = 0;

    bool& flagOf(ScanSettings& s) const { return s.*flag; }
    bool flagOf(const ScanSettings& s) const { return s.*flag; }
    int indexOf(const ScanSettings& s) const { return getIndex(s); }
    void setIndexOf(ScanSettings& s, int i) const { setIndex(s, i); }
    ustring& textOf(ScanSettings& s) const { return pair ? (s.*pair)[pairIndex] : s.*text; }
    const ustring& textOf(const ScanSettings& s) const {
        return pair ? (s.*pair)[pairIndex] : s.*text;
    }
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
SettingValue GetSetting(const ScanSettings& settings, ustring_view name);

// Sets the field from text. Returns an error text for an unknown name or a value the field
// cannot take, and then leaves the settings unchanged; empty on success.
ustring SetSetting(ScanSettings& settings, ustring_view name, ustring_view value);

// SetSetting for "NAME=VALUE" (the value may itself contain '=').
ustring ApplySettingAssignment(ScanSettings& settings, ustring_view assignment);

} // namespace qd
