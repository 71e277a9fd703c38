#include "QtText.h"

namespace qd::gui {

QString toWidgetLines(ustring_view s) {
    QString out;
    out.reserve(qsizetype(s.size()));
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c == u'\r') {
            out.append(QChar(u'\n'));
            if (i + 1 < s.size() && s[i + 1] == u'\n') ++i;
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

ustring fromWidgetLines(const QString& s) {
    ustring out;
    out.reserve(size_t(s.size()));
    for (QChar c : s) {
        if (c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            out += u"\r\n";
        } else {
            out.push_back(c.unicode());
        }
    }
    return out;
}

QString withoutMnemonic(QString caption) {
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') caption.remove(i, 1); // "&&" keeps one ampersand
    }
    return caption;
}

QString withMnemonic(const QString& caption, QChar key) {
    const qsizetype at = caption.indexOf(key, 0, Qt::CaseInsensitive);
    if (at < 0) return caption;
    QString out = caption;
    out.insert(at, u'&');
    return out;
}

} // namespace qd::gui
