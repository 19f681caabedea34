// SPDX-License-Identifier: GPL-2.0-or-later
// The central path: the entry's text looked up and handed to the translation
// window, and remembering the first entry it shows.
#include "balloon/widgets/TBalloonForm.h"
#include "core/text/PhraseNormalizer.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/store/ConvertingDictionaryStore.h"
#include "phrasebar/BarDictionary.h"
#include "phrasebar/DictionaryReadiness.h"
#include "phrasebar/HelpCommands.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "phrasebar/TrayPresence.h"

#include <QMutexLocker>

namespace kvel {

bool TKvelMainForm::LookupAllowed()
{
    const std::optional<BalloonContent> notice = m_readiness->notice();
    if (!notice)
        return true;
    // A program started to the tray or with the system stays quiet while hidden.
    if ((m_presence->inTray() || m_prefs.flag(Preference::AutoStart)) && !barShown())
        return false;
    showDisplay(*notice);
    return false;
}

void TKvelMainForm::LngEditChange()
{
    // Answered for the entry's text once the dictionary is ready; no answer
    // to an earlier phrase stays up meanwhile.
    if (m_readiness->lookupWaits()) {
        if (BalloonForm)
            BalloonForm->hide();
        return;
    }
    if (!LookupAllowed())
        return;
    QMutexLocker locker(&LookupLock);
    const std::optional<BalloonContent> display = m_dictionary.engine().lookUp(
        LngEdit->text(), m_prefs.searchLanguage(), m_prefs.findMethod(),
        m_prefs.flag(Preference::Tolerant) ? Matching::Tolerant : Matching::Exact,
        m_prefs.flag(Preference::Forms) ? Inflection::WithDictionaryForms : Inflection::PhraseOnly);
    if (!display) {
        if (BalloonForm)
            BalloonForm->hide();
        if (isVisible())
            LngEdit->setFocus();
        return;
    }
    showDisplay(*display);
}

void TKvelMainForm::showDisplay(const BalloonContent& content)
{
    BalloonForm->ShowContent(content, geometry(),
                             balloonOptions(m_prefs.flag(Preference::SensitiveTranslation)));
    if (isVisible())
        LngEdit->setFocus();
}

QString TKvelMainForm::QueryMeaning(const QString& phrase, int selected)
{
    // Nothing while the dictionary converts: the bar never waits for it.
    if (!m_dictionary.store().ready())
        return QString();
    return m_dictionary.engine().QueryMeaning(phrase, selected);
}

void TKvelMainForm::EnterPhraseFromOutside(const QString& text, bool rerunWhenUnchanged)
{
    const QString phrase = NormalizePhrase(text);
    m_prefs.setSearchLanguage(SearchLanguage::Both);
    m_languages->showSearchLanguage();
    // The entry keeps its text in lower case, so "ŠKOLA" after "škola" is no change.
    if (rerunWhenUnchanged && LngEdit->text() == phrase.toLower())
        LngEditChange();
    else
        LngEdit->setEntryText(phrase);
    LngEdit->moveCaretToEnd();
}

void TKvelMainForm::RefreshTranslation()
{
    // A help text follows the language or the moved bar instead of a lookup.
    if (translationVisible() && m_help->showAgain(BalloonForm->contentKind()))
        return;
    LngEditChange();
}

void TKvelMainForm::RememberFirstEntry()
{
    if (!translationVisible())
        LngEditChange();
    else if (m_firstEntry.remember())
        m_languages->refreshRecentMenus();
}

} // namespace kvel
