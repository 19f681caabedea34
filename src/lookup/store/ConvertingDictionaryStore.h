// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/access/JetConverter.h"
#include "lookup/store/DictionaryStore.h"
#include "lookup/store/FileIdentity.h"

#include <QString>
#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace kvel {

// Opens the dictionary file whatever its format: an SQLite file directly, an
// Access (Jet) file through its converted copy. The file is looked at again
// when it changes on disk; each version of it is converted at most once per
// run, also when that fails, so a bad file costs one conversion, not one per
// keystroke. A conversion runs on a thread of its own, so a program can keep
// answering its user meanwhile (see ready()); the queries wait for it. While
// there is nothing to read, the version is empty (the dictionary-version
// notice) and queries fail.
class ConvertingDictionaryStore final : public DictionaryStore
{
public:
    // Makes the store that reads an SQLite file.
    using StoreFactory = std::function<std::unique_ptr<DictionaryStore>(const QString& path)>;
    // Called on the converting thread each time a conversion has ended.
    using ConversionEnded = std::function<void()>;

    ConvertingDictionaryStore(QString path, StoreFactory makeStore,
                              JetConverter converter = JetConverter::standard(),
                              ConversionEnded conversionEnded = {});
    // Waits for a conversion under way: it is bounded by the converter's limits.
    ~ConvertingDictionaryStore() override;
    ConvertingDictionaryStore(const ConvertingDictionaryStore&) = delete;
    ConvertingDictionaryStore& operator=(const ConvertingDictionaryStore&) = delete;

    // Looks at the file without waiting: a Jet file met in a new version
    // starts converting. True when the queries answer at once; false while a
    // conversion runs, and `conversionEnded` is called when it ends.
    bool ready();

    std::optional<QList<DictionaryRow>> findRows(SearchLanguage language, FindMethod method,
                                                 const QString& phrase, int limit) override;
    std::optional<QList<DictionaryRow>> findOnlyTolerantRows(SearchLanguage language,
                                                             FindMethod method,
                                                             const QString& phrase,
                                                             int limit) override;
    QString queryMeaning(const QString& phrase, int selected) override;
    QString readVersion() override;

private:
    // The store for the file as it is now, once any conversion has ended;
    // null when it cannot be read.
    DictionaryStore* store();
    void startConversion();
    // Opens the SQLite file `target` unless it is open already; none closes.
    void open(const std::optional<QString>& target);

    QString m_path;
    StoreFactory m_makeStore;
    JetConverter m_converter;
    ConversionEnded m_conversionEnded;
    std::optional<FileIdentity> m_lookedAt;          // the file as last looked at
    std::future<std::optional<QString>> m_converted; // valid while a conversion is not taken in
    std::thread m_converting;
    QString m_openedPath; // the SQLite file m_store reads
    std::unique_ptr<DictionaryStore> m_store;
};

// A StoreFactory for a store class constructed from a path.
template <class Store> std::unique_ptr<DictionaryStore> makeStore(const QString& path)
{
    return std::make_unique<Store>(path);
}

} // namespace kvel
