// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/access/JetConverter.h"

#include <QObject>
#include <QString>
#include <memory>

namespace kvel {

class ConvertingDictionaryStore;
class HunspellForms;
class LookupEngine;

// The dictionary the bar looks phrases up in: its store (an Access file is
// converted in the background), the Hunspell dictionary forms, and the lookup
// engine over both.
class BarDictionary : public QObject
{
    Q_OBJECT
public:
    BarDictionary(const QString& file, JetConverter converter);
    ~BarDictionary() override;

    ConvertingDictionaryStore& store() { return *m_store; }
    HunspellForms& forms() { return *m_forms; }
    LookupEngine& engine() { return *m_engine; }

signals:
    // A conversion ended; delivered on this object's thread.
    void ready();

private:
    std::unique_ptr<ConvertingDictionaryStore> m_store;
    std::unique_ptr<HunspellForms> m_forms;
    std::unique_ptr<LookupEngine> m_engine;
};

} // namespace kvel
