// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/forms/DictionaryForms.h"

#include <QHash>
#include <QMutex>
#include <future>
#include <memory>

class Hunspell;

namespace kvel {

// Where the analysers' files are: Hunspell's sr_Latn_RS and en_US .aff/.dic,
// and WordNet's *.exc lists.
struct FormsFolders
{
    QString hunspell = QStringLiteral("/usr/share/hunspell");
    QString wordnet = QStringLiteral("/usr/share/wordnet");

    // The folders above, or those named by KVEL_HUNSPELL_DIR and KVEL_WORDNET_DIR.
    static FormsFolders fromEnvironment();
};

// Dictionary forms from Hunspell (Serbian, Cyrillic words through their Latin
// spelling; English) and WordNet's irregular English forms. The dictionaries
// take about half a second to load, so the first request starts loading them
// on another thread and gets nothing; requests after that get the forms.
class HunspellForms : public DictionaryForms
{
public:
    explicit HunspellForms(FormsFolders folders = FormsFolders::fromEnvironment());
    ~HunspellForms() override;

    bool available() const override;
    void prepare() override;
    QStringList formsOf(const QString& word, SearchLanguage language) override;
    // The analysers are loaded; asks without starting to load them.
    bool ready();

    // Starts loading, if not started yet, and waits for it: for the command-line tools.
    void waitUntilLoaded();

private:
    struct Analysers;
    bool loaded();

    const FormsFolders m_folders;
    const bool m_serbianInstalled;
    const bool m_englishInstalled;
    QMutex m_mutex; // Hunspell objects are not made for use from two threads at once
    std::future<std::shared_ptr<Analysers>> m_loading;
    std::shared_ptr<Analysers> m_analysers;
};

} // namespace kvel
