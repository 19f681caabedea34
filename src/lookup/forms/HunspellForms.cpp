// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/forms/HunspellForms.h"

#include "lookup/forms/WordNetExceptions.h"
#include "lookup/text/SerbianTransliteration.h"

#include <QFileInfo>
#include <QMutexLocker>
#include <chrono>
#include <hunspell.hxx>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// No word of either language is longer; longer text is not worth analysing.
constexpr qsizetype kLongestWord = 64;

QString dictionaryPath(const QString& folder, const char* name, const char* extension)
{
    return folder + u'/' + QLatin1String(name) + u'.' + QLatin1String(extension);
}

bool installed(const QString& folder, const char* name)
{
    return QFileInfo(dictionaryPath(folder, name, "aff")).isReadable() &&
           QFileInfo(dictionaryPath(folder, name, "dic")).isReadable();
}

// A dictionary that is missing or not in UTF-8 (how both Debian ships are) gives nothing.
std::unique_ptr<Hunspell> loadDictionary(const QString& folder, const char* name)
{
    if (!installed(folder, name))
        return nullptr;
    auto dictionary =
        std::make_unique<Hunspell>(dictionaryPath(folder, name, "aff").toLocal8Bit().constData(),
                                   dictionaryPath(folder, name, "dic").toLocal8Bit().constData());
    if (dictionary->get_dict_encoding() != "UTF-8")
        return nullptr;
    return dictionary;
}

void appendStems(Hunspell* dictionary, const QString& word, QStringList& forms)
{
    if (!dictionary)
        return;
    for (const std::string& stem : dictionary->stem(word.toStdString()))
        forms.append(QString::fromStdString(stem));
}

} // namespace

struct HunspellForms::Analysers
{
    std::unique_ptr<Hunspell> serbian;
    std::unique_ptr<Hunspell> english;
    QHash<QString, QStringList> irregularEnglish;
};

FormsFolders FormsFolders::fromEnvironment()
{
    FormsFolders folders;
    if (const QString hunspell = qEnvironmentVariable("KVEL_HUNSPELL_DIR"); !hunspell.isEmpty())
        folders.hunspell = hunspell;
    if (const QString wordnet = qEnvironmentVariable("KVEL_WORDNET_DIR"); !wordnet.isEmpty())
        folders.wordnet = wordnet;
    return folders;
}

HunspellForms::HunspellForms(FormsFolders folders)
    : m_folders(std::move(folders)),
      m_serbianInstalled(installed(m_folders.hunspell, "sr_Latn_RS")),
      m_englishInstalled(installed(m_folders.hunspell, "en_US"))
{}

HunspellForms::~HunspellForms()
{
    // A load still running finishes before its folders go away.
    if (m_loading.valid())
        m_loading.wait();
}

bool HunspellForms::available() const
{
    return m_serbianInstalled || m_englishInstalled;
}

bool HunspellForms::loaded()
{
    if (m_analysers)
        return true;
    if (!available())
        return false;
    if (!m_loading.valid()) {
        m_loading = std::async(std::launch::async, [folders = m_folders] {
            auto analysers = std::make_shared<Analysers>();
            analysers->serbian = loadDictionary(folders.hunspell, "sr_Latn_RS");
            analysers->english = loadDictionary(folders.hunspell, "en_US");
            if (analysers->english)
                analysers->irregularEnglish = readWordNetExceptions(folders.wordnet);
            return analysers;
        });
    }
    if (m_loading.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return false;
    m_analysers = m_loading.get();
    return true;
}

void HunspellForms::prepare()
{
    QMutexLocker locker(&m_mutex);
    loaded();
}

bool HunspellForms::ready()
{
    QMutexLocker locker(&m_mutex);
    return m_analysers || (m_loading.valid() && m_loading.wait_for(std::chrono::seconds(0)) ==
                                                    std::future_status::ready);
}

void HunspellForms::waitUntilLoaded()
{
    QMutexLocker locker(&m_mutex);
    loaded();
    if (m_loading.valid())
        m_loading.wait();
    loaded();
}

QStringList HunspellForms::formsOf(const QString& word, SearchLanguage language)
{
    QMutexLocker locker(&m_mutex);
    if (word.size() > kLongestWord || !loaded())
        return {};
    QStringList forms;
    if (language == SearchLanguage::Serbian) {
        appendStems(m_analysers->serbian.get(), transliterateSerbianCyrillic(word), forms);
    } else if (language == SearchLanguage::English) {
        appendStems(m_analysers->english.get(), word, forms);
        if (m_analysers->english)
            forms += m_analysers->irregularEnglish.value(word.toLower());
    }
    forms.removeDuplicates();
    forms.removeAll(word);
    return forms;
}

} // namespace kvel
