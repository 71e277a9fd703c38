#pragma once
// The core holds text as UTF-16 code units, as Qt does: converting is a copy, never a
// re-encoding.

#include "text/UString.h"

#include <QString>

namespace qd::gui {

inline QString toQ(ustring_view s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), qsizetype(s.size()));
}

inline ustring fromQ(const QString& s) {
    return ustring(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size()));
}

// CR LF and lone CR become the line feed a Qt text widget expects.
QString toWidgetLines(ustring_view s);
// Line feeds and paragraph separators of a Qt text widget become CR LF again.
ustring fromWidgetLines(const QString& s);

// A caption without its mnemonic marker: "&Count words" -> "Count words".
QString withoutMnemonic(QString caption);
// The caption with a mnemonic marker before the first occurrence of key (any case), or the
// caption unchanged when key does not occur in it.
QString withMnemonic(const QString& caption, QChar key);

} // namespace qd::gui
