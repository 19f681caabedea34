// SPDX-License-Identifier: GPL-2.0-or-later
// The bar itself: its widgets and the objects it hands work to, its window,
// its keys.
#include "phrasebar/TKvelMainForm.h"

#include "lookup/forms/HunspellForms.h"
#include "phrasebar/BarCommands.h"
#include "phrasebar/BarDictionary.h"
#include "phrasebar/BarDragging.h"
#include "phrasebar/BarGeometry.h"
#include "phrasebar/BarKeys.h"
#include "phrasebar/BarMenus.h"
#include "phrasebar/BarNotices.h"
#include "phrasebar/BarStartup.h"
#include "phrasebar/DesktopIntegration.h"
#include "phrasebar/DictionaryReadiness.h"
#include "phrasebar/HelpCommands.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TrayPresence.h"

#include <QLabel>
#include <QMenu>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kLabelWidth = 27;
const QColor kFrameColour(128, 128, 128);

QFont barFont()
{
    // Liberation Sans stands in where Arial is missing; fontconfig maps it.
    QFont font(u"Arial"_s);
    font.setPixelSize(11);
    return font;
}

} // namespace

TKvelMainForm::TKvelMainForm(BarPaths paths, BarDictionary& dictionary, DesktopServices desktop,
                             QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_paths(std::move(paths)), m_dictionary(dictionary), m_settingsFile(m_paths.settingsFile),
      m_help(std::make_unique<HelpCommands>(
          std::move(desktop.help), dictionary.store(), m_prefs,
          [this](const BalloonContent& content) { showDisplay(content); },
          [this] { return m_integration->hotKeyTaken(); })),
      m_integration(std::make_unique<DesktopIntegration>(std::move(desktop.hotKey), m_prefs)),
      m_windowEffects(std::move(desktop.windowEffects))
{
    setObjectName(u"TKvelMainForm"_s);
    m_readiness = new DictionaryReadiness(m_dictionary, m_paths.dictionaryFile, this);
    connect(m_readiness, &DictionaryReadiness::lookupDue, this, &TKvelMainForm::LngEditChange);
    buildWidgets();
    m_menus = new BarMenus(this);
    m_commands = std::make_unique<BarCommands>(*this, m_prefs, *m_menus, *m_help, *m_integration);
    new BarKeys(*this, *m_commands, *LngEdit, *LngLabel);
    m_presence = new TrayPresence(std::move(desktop.tray), *this, m_prefs, m_paths.settingsFile);
    m_tray = &m_presence->icon();
    m_requests = std::make_unique<BarRequests>(*this, m_paths.settingsFile);
    m_languages = std::make_unique<BarLanguages>(*this, m_prefs, *m_menus, *m_presence, *LngLabel,
                                                 *LngEdit, std::move(desktop.keyboard));
    // Notices show like the others, and the next lookup replaces them.
    m_notices = std::make_unique<BarNotices>(
        *this, m_prefs, *m_tray, m_paths.settingsFile, [this](const BalloonContent& notice) {
            BalloonForm->ShowContent(notice, geometry(), balloonOptions(false));
        });
    connectDesktop(desktop.clipboard.release());
    m_startup = new BarStartup(*this, {m_prefs, m_settingsFile, *m_clipboard, *m_readiness,
                                       *m_presence, *m_requests, *m_notices, *m_help});
    m_shutdown = std::make_unique<BarShutdown>(*this, BalloonForm, *LngEdit, *m_presence,
                                               *m_integration, *m_clipboard);
    m_settingsFile.load(m_prefs, availableScreen(*this));
    m_integration->settingsLoaded(m_settingsFile.readable());
    connect(&m_prefs, &Preferences::changed, this, &TKvelMainForm::PreferenceChanged);
    connect(&m_prefs, &Preferences::hotKeyChanged, this, &TKvelMainForm::HotKeyChosen);
    if (m_prefs.flag(Preference::Forms))
        m_dictionary.forms().prepare();
    move(m_prefs.position());
    SetLanguageOffset(int(m_prefs.interfaceLanguage()));
    m_languages->applyInterfaceLanguage();
}

TKvelMainForm::~TKvelMainForm()
{
    m_shutdown->cleanup();
}

void TKvelMainForm::buildWidgets()
{
    setFixedSize(kBarSize);
    setFont(barFont());
    setAutoFillBackground(true);

    LngLabel = new QLabel(this);
    LngLabel->setObjectName(u"LngLabel"_s);
    LngLabel->setGeometry(1, 1, kLabelWidth, height() - 2);
    LngLabel->setAlignment(Qt::AlignCenter);
    auto* dragging = new BarDragging(*this);
    dragging->addHandle(LngLabel);
    connect(dragging, &BarDragging::dropped, this, &TKvelMainForm::RefreshTranslation);

    LngEdit = new LowerCaseEntry(this);
    LngEdit->setObjectName(u"LngEdit"_s);
    LngEdit->setGeometry(kLabelWidth + 1, 1, width() - kLabelWidth - 2, height() - 2);
    LngEdit->setFrame(false);
    LngEdit->setTextMargins(2, 0, 0, 0);
    connect(LngEdit, &QLineEdit::textChanged, this, [this] { LngEditChange(); });
}

void TKvelMainForm::paintEvent(QPaintEvent*)
{
    // The frame around the strip, where a press starts moving the bar.
    QPainter painter(this);
    painter.setPen(kFrameColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TKvelMainForm::MoveBarByKey(BarCommand move)
{
    this->move(movedBar(pos(), size(), availableScreen(*this), move));
    RefreshTranslation();
}

} // namespace kvel
