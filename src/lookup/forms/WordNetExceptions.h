// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace kvel {

// WordNet's lists of irregular English forms (noun.exc, verb.exc, adj.exc,
// adv.exc in `folder`): each line is an inflected word and its base forms,
// "went go", "children child". Phrases of several words (joined by "_") are
// left out, as are lines too long to be an entry; a missing file adds nothing.
QHash<QString, QStringList> readWordNetExceptions(const QString& folder);

} // namespace kvel
