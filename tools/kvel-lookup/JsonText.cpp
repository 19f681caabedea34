// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-lookup/JsonText.h"

using namespace Qt::StringLiterals;

namespace kvel {

QString jsonString(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += u"\\\""_s;
            break;
        case '\\':
            out += u"\\\\"_s;
            break;
        case '\b':
            out += u"\\b"_s;
            break;
        case '\f':
            out += u"\\f"_s;
            break;
        case '\n':
            out += u"\\n"_s;
            break;
        case '\r':
            out += u"\\r"_s;
            break;
        case '\t':
            out += u"\\t"_s;
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString jsonStringArray(const QStringList& items)
{
    QStringList quoted;
    quoted.reserve(items.size());
    for (const QString& item : items)
        quoted.append(jsonString(item));
    return u'[' + quoted.join(u", "_s) + u']';
}

} // namespace kvel
