// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/BalloonContent.h"
#include "lookup/store/DictionaryChecks.h"

#include <QObject>
#include <QString>
#include <optional>

namespace kvel {

class BarDictionary;

// Whether the bar can look phrases up yet. An Access dictionary converts in
// the background: the first show's checks, and a lookup asked for meanwhile,
// wait for it; the checks' failures are what the bar shows instead of an answer.
class DictionaryReadiness : public QObject
{
    Q_OBJECT
public:
    DictionaryReadiness(BarDictionary& dictionary, QString dictionaryFile, QObject* parent);

    // The first show: the checks run as soon as the dictionary is ready.
    void checkOnFirstShow();
    // True while a lookup must wait; it is then asked for again by lookupDue,
    // once however often it was asked for meanwhile.
    bool lookupWaits();
    // What a failed check shows instead of an answer; nothing when all passed.
    std::optional<BalloonContent> notice() const { return dictionaryNotice(m_checks); }

signals:
    // The first show's checks passed, and no typed phrase waits to be answered.
    void checksPassed();
    void lookupDue();

private:
    void dictionaryReady();
    void runChecks();

    BarDictionary& m_dictionary;
    QString m_dictionaryFile;
    DictionaryChecks m_checks;
    bool m_checksWaiting = false;
    bool m_lookupWaiting = false;
};

} // namespace kvel
