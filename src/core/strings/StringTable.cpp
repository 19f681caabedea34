// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/strings/StringTable.h"

#include "core/strings/StringTableParser.h"

#include <QFile>

namespace kvel {

namespace {

// The build refuses a table with problems, so only the texts are kept.
const QHash<int, QString>& table()
{
    static const QHash<int, QString> entries = [] {
        QFile file(QStringLiteral(":/kvel/strings/kvel-strings.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return QHash<int, QString>();
        return parseStringTable(file.readAll()).texts;
    }();
    return entries;
}

// Written only on the user-interface thread; other threads load no texts.
int g_languageOffset = 0;

QString textAt(int id)
{
    return table().value(id);
}

} // namespace

QString LoadText(StringId id)
{
    return textAt(int(id));
}

QString LoadLngText(StringId id)
{
    return textAt(int(id) + g_languageOffset);
}

QString LoadLngText(StringId id, InterfaceLanguage language)
{
    return textAt(int(id) + (language == InterfaceLanguage::English ? 1 : 0));
}

void SetLanguageOffset(int interfaceLanguage)
{
    // Anything but English reads Serbian texts rather than ids of another pair.
    g_languageOffset = interfaceLanguage == 1 ? 1 : 0;
}

int LanguageOffset()
{
    return g_languageOffset;
}

} // namespace kvel
