// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/text/TextFolding.h"

namespace kvel {

QString foldForMatching(const QString& text)
{
    return text.toCaseFolded();
}

bool matchesFolded(QStringView foldedWord, QStringView foldedPhrase, FindMethod method)
{
    switch (method) {
    case FindMethod::Begins:
        return foldedWord.startsWith(foldedPhrase);
    case FindMethod::Contains:
        return foldedWord.contains(foldedPhrase);
    case FindMethod::Ends:
        return foldedWord.endsWith(foldedPhrase);
    case FindMethod::Whole:
        return foldedWord == foldedPhrase;
    }
    return false;
}

} // namespace kvel
