// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/speech/SpokenPhrase.h"

namespace kvel {

namespace {

bool isTrimmed(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

} // namespace

std::optional<QString> phraseToSpeak(const FormattedLine& firstLine)
{
    if (firstLine.headColour != HeadColour::Red || firstLine.headLength <= 0)
        return std::nullopt;
    const QString head = firstLine.text.left(firstLine.headLength);
    qsizetype begin = 0;
    qsizetype end = head.size();
    while (begin < end && isTrimmed(head[begin]))
        ++begin;
    while (end > begin && isTrimmed(head[end - 1]))
        --end;
    return head.mid(begin, end - begin);
}

} // namespace kvel
