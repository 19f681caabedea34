// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/DictionaryReadiness.h"

#include "lookup/store/ConvertingDictionaryStore.h"
#include "phrasebar/BarDictionary.h"

namespace kvel {

DictionaryReadiness::DictionaryReadiness(BarDictionary& dictionary, QString dictionaryFile,
                                         QObject* parent)
    : QObject(parent), m_dictionary(dictionary), m_dictionaryFile(std::move(dictionaryFile))
{
    connect(&m_dictionary, &BarDictionary::ready, this, &DictionaryReadiness::dictionaryReady);
}

void DictionaryReadiness::checkOnFirstShow()
{
    m_checksWaiting = true;
    dictionaryReady();
}

bool DictionaryReadiness::lookupWaits()
{
    if (!m_checksWaiting && m_dictionary.store().ready())
        return false;
    m_lookupWaiting = true;
    return true;
}

void DictionaryReadiness::dictionaryReady()
{
    // Another change of the file may have started another conversion, whose
    // end calls this again.
    if (!m_dictionary.store().ready())
        return;
    if (m_checksWaiting) {
        m_checksWaiting = false;
        runChecks();
    }
    if (m_lookupWaiting) {
        m_lookupWaiting = false;
        emit lookupDue();
    }
}

void DictionaryReadiness::runChecks()
{
    m_checks = runDictionaryChecks(m_dictionaryFile, m_dictionary.store());
    // A phrase typed while the dictionary converted is the user's latest
    // wish, answered next; the clipboard's or a tip would only hide it.
    if (m_checks.allPassed() && !m_lookupWaiting)
        emit checksPassed();
}

} // namespace kvel
