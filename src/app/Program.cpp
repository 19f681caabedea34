// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/Program.h"

#include "balloon/widgets/TBalloonForm.h"

#include <QTimer>

namespace kvel {

Program::Program(BarPaths paths, DesktopServices desktop)
    : m_dictionary(paths.dictionaryFile, paths.converter),
      m_startSpeech(std::move(desktop.startSpeech)),
      m_bar(std::make_unique<TKvelMainForm>(std::move(paths), m_dictionary, std::move(desktop)))
{
    // The bar owns its translation window and closes it before it goes.
    auto* balloon = new TBalloonForm(*m_bar);
    m_bar->attachBalloon(balloon);
    // A bar that stays on top of every window belongs on every workspace,
    // and its translation window with it.
    m_bar->windowEffects().showOnEveryWorkspace(*m_bar);
    m_bar->windowEffects().showOnEveryWorkspace(*balloon);
}

Program::~Program() = default;

void Program::start()
{
    m_bar->show();
    if (m_startSpeech)
        QTimer::singleShot(0, m_bar.get(), [this] { m_bar->setSpeechEngine(m_startSpeech()); });
}

} // namespace kvel
