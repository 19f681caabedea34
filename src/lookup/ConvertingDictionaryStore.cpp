#include "ConvertingDictionaryStore.h"

#include "DictionaryFileFormat.h"

namespace kvel {

ConvertingDictionaryStore::ConvertingDictionaryStore(QString path, StoreFactory makeStore,
                                                     JetConverter converter)
    : m_path(std::move(path)), m_makeStore(std::move(makeStore)), m_converter(std::move(converter))
{
    // Opened now, so that a store which prepares itself in the background
    // starts as early as it would without this layer.
    store();
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
    const FileIdentity now = FileIdentity::of(m_path);
    if (m_lookedAt == now)
        return m_store.get();
    m_lookedAt = now;

    // Anything but a Jet file goes to the SQLite store, which reports a file
    // it cannot read as such; it also follows changes to that file itself.
    const std::optional<QString> target =
        detectDictionaryFormat(m_path) == DictionaryFileFormat::Jet
            ? m_converter.convert(m_path)
            : std::optional<QString>(m_path);
    if (!target) {
        m_store.reset();
        m_openedPath.clear();
    } else if (!m_store || *target != m_openedPath) {
        m_store = m_makeStore(*target);
        m_openedPath = *target;
    }
    return m_store.get();
}

} // namespace kvel
