#pragma once

#include "DictionaryStore.h"
#include "FileIdentity.h"
#include "JetConverter.h"

#include <QString>
#include <functional>
#include <memory>

namespace kvel {

// Opens the dictionary file whatever its format: an SQLite file directly, an
// Access (Jet) file through its converted copy. The file is looked at again
// when it changes on disk; each version of it is converted at most once per
// run, also when that fails, so a bad file costs one conversion, not one per
// keystroke. While there is nothing to read, the version is empty (the
// dictionary-version notice) and queries fail.
class ConvertingDictionaryStore final : public DictionaryStore
{
public:
    // Makes the store that reads an SQLite file.
    using StoreFactory = std::function<std::unique_ptr<DictionaryStore>(const QString& path)>;

    ConvertingDictionaryStore(QString path, StoreFactory makeStore,
                              JetConverter converter = JetConverter::standard());

    std::optional<QList<DictionaryRow>> findRows(SearchLanguage language, FindMethod method,
                                                 const QString& phrase, int limit) override;
    std::optional<QList<DictionaryRow>> findOnlyTolerantRows(SearchLanguage language,
                                                             FindMethod method,
                                                             const QString& phrase,
                                                             int limit) override;
    QString queryMeaning(const QString& phrase, int selected) override;
    QString readVersion() override;

private:
    // The store for the file as it is now; null when it cannot be read.
    DictionaryStore* store();

    QString m_path;
    StoreFactory m_makeStore;
    JetConverter m_converter;
    std::optional<FileIdentity> m_lookedAt; // the file as last looked at
    QString m_openedPath;                   // the SQLite file m_store reads
    std::unique_ptr<DictionaryStore> m_store;
};

// A StoreFactory for a store class constructed from a path.
template <class Store> std::unique_ptr<DictionaryStore> makeStore(const QString& path)
{
    return std::make_unique<Store>(path);
}

} // namespace kvel
