// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/speech/SpokenPhrase.h"

namespace kvel {

namespace {

bool isTrimmed(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

} // namespace

std::optional<QString> phraseToSpeak(const BalloonContent& content)
{
    const DictionaryEntry* first = content.firstEntry();
    if (!first || first->language != HeadLanguage::English)
        return std::nullopt;
    const QString& head = first->headword;
    qsizetype begin = 0;
    qsizetype end = head.size();
    while (begin < end && isTrimmed(head[begin]))
        ++begin;
    while (end > begin && isTrimmed(head[end - 1]))
        --end;
    return head.mid(begin, end - begin);
}

} // namespace kvel
