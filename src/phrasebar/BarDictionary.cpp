// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarDictionary.h"

#include "lookup/engine/LookupEngine.h"
#include "lookup/forms/HunspellForms.h"
#include "lookup/store/ConvertingDictionaryStore.h"
#include "lookup/store/IndexedDictionaryStore.h"

namespace kvel {

BarDictionary::BarDictionary(const QString& file, JetConverter converter)
    : m_store(std::make_unique<ConvertingDictionaryStore>(
          file,
          // Kvel keeps an index file for a dictionary that comes without one.
          [](const QString& path) {
              return std::make_unique<IndexedDictionaryStore>(path, IndexFiles::ReadAndCache);
          },
          std::move(converter),
          // Called on the conversion's thread.
          [this] {
              QMetaObject::invokeMethod(this, &BarDictionary::ready, Qt::QueuedConnection);
          })),
      m_forms(std::make_unique<HunspellForms>()),
      m_engine(std::make_unique<LookupEngine>(*m_store, m_forms.get()))
{}

BarDictionary::~BarDictionary() = default;

} // namespace kvel
