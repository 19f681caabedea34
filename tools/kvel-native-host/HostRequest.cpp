// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-native-host/HostRequest.h"

#include "shell/browser/BrowserMenuItem.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace kvel {

QStringList selectedWords(const QString& text)
{
    QStringList words;
    QString word;
    for (const QChar c : text) {
        if (!c.isSpace()) {
            word += c;
            continue;
        }
        if (!word.isEmpty())
            words += std::exchange(word, QString());
    }
    if (!word.isEmpty())
        words += word;
    return words;
}

QJsonObject answerRequest(const QJsonObject& request, const QString& configHome,
                          const DictionaryStarter& startDictionary)
{
    const QString action = request.value(u"action"_s).toString();
    if (action == u"state") {
        const BrowserMenuItem item = readBrowserMenuItem(configHome);
        return {{u"item"_s, browserMenuItemName(item)}, {u"caption"_s, browserMenuCaption(item)}};
    }
    if (action == u"translate") {
        const QStringList words = selectedWords(request.value(u"text"_s).toString());
        if (words.isEmpty())
            return {{u"started"_s, false}, {u"error"_s, u"no words selected"_s}};
        if (!startDictionary(words))
            return {{u"started"_s, false}, {u"error"_s, u"the dictionary could not be started"_s}};
        return {{u"started"_s, true}};
    }
    return {{u"error"_s, u"unknown action"_s}};
}

} // namespace kvel
