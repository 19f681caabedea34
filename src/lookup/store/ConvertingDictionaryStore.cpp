// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/ConvertingDictionaryStore.h"

#include "lookup/store/DictionaryFileFormat.h"

namespace kvel {

ConvertingDictionaryStore::ConvertingDictionaryStore(QString path, StoreFactory makeStore,
                                                     JetConverter converter,
                                                     ConversionEnded conversionEnded)
    : m_path(std::move(path)), m_makeStore(std::move(makeStore)), m_converter(std::move(converter)),
      m_conversionEnded(std::move(conversionEnded))
{
    // Looked at now, so that a store which prepares itself in the background,
    // or the conversion, starts as early as it would without this layer.
    ready();
}

ConvertingDictionaryStore::~ConvertingDictionaryStore()
{
    if (m_converting.joinable())
        m_converting.join();
}

std::optional<QList<DictionaryRow>> ConvertingDictionaryStore::findRows(SearchLanguage language,
                                                                        FindMethod method,
                                                                        const QString& phrase,
                                                                        int limit)
{
    DictionaryStore* current = store();
    return current ? current->findRows(language, method, phrase, limit) : std::nullopt;
}

std::optional<QList<DictionaryRow>>
ConvertingDictionaryStore::findOnlyTolerantRows(SearchLanguage language, FindMethod method,
                                                const QString& phrase, int limit)
{
    DictionaryStore* current = store();
    return current ? current->findOnlyTolerantRows(language, method, phrase, limit) : std::nullopt;
}

QString ConvertingDictionaryStore::queryMeaning(const QString& phrase, int selected)
{
    DictionaryStore* current = store();
    return current ? current->queryMeaning(phrase, selected) : QString();
}

QString ConvertingDictionaryStore::readVersion()
{
    DictionaryStore* current = store();
    return current ? current->readVersion() : QString();
}

DictionaryStore* ConvertingDictionaryStore::store()
{
    // Each round either finds the file as converted or waits for the
    // conversion of the version it has just met.
    while (!ready())
        m_converted.wait();
    return m_store.get();
}

bool ConvertingDictionaryStore::ready()
{
    if (m_converted.valid()) {
        if (m_converted.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return false;
        m_converting.join();
        open(m_converted.get());
    }

    const FileIdentity now = FileIdentity::of(m_path);
    if (m_lookedAt == now)
        return true;
    m_lookedAt = now;
    // Anything but a regular Jet file goes to the SQLite store, which reports
    // a file it cannot read as such; it also follows changes to that file
    // itself. Only a regular file is read here: opening a FIFO would block.
    if (!now.exists || detectDictionaryFormat(m_path) != DictionaryFileFormat::Jet) {
        open(m_path);
        return true;
    }
    startConversion();
    return false;
}

void ConvertingDictionaryStore::startConversion()
{
    std::promise<std::optional<QString>> converted;
    m_converted = converted.get_future();
    // The thread has copies of all it uses: the members stay the calling thread's.
    m_converting = std::thread([converter = m_converter, path = m_path, ended = m_conversionEnded,
                                converted = std::move(converted)]() mutable {
        converted.set_value(converter.convert(path));
        if (ended)
            ended();
    });
}

void ConvertingDictionaryStore::open(const std::optional<QString>& target)
{
    if (!target) {
        m_store.reset();
        m_openedPath.clear();
    } else if (!m_store || *target != m_openedPath) {
        m_store = m_makeStore(*target);
        m_openedPath = *target;
    }
}

} // namespace kvel
