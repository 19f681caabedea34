// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace kvel {

// Every command of the phrase bar, whether a key or a menu item gives it; the
// bar checks each command's own condition (window visible ...) itself.
enum class BarCommand
{
    None,
    // Keys, some also in the menus.
    RememberAndFlash, // Enter
    HelpIndex,        // F1
    Pronounce,        // Alt+Z
    NextSearchLanguage,
    HelpKeyboard,
    About,
    TipOfTheDay,
    Donations,
    ClearRecent,
    SwitchInterfaceLanguage,
    CopyPhrase,
    CopyMeanings,
    CopyPhraseAndMeanings,
    ToggleLock,
    StepUp,
    StepDown,
    StepLeft,
    StepRight,
    EdgeTop,
    EdgeBottom,
    EdgeLeft,
    EdgeRight,
    FindBegins,
    FindContains,
    FindEnds,
    FindWhole,
    PopupMenu,
    // Menu items only.
    UnlockTranslation,
    InterfaceSerbian,
    InterfaceEnglish,
    SearchBoth,
    SearchEnglish,
    SearchSerbian,
    AdjustKeyboard,
    AutoStart,
    ToTray,
    SmartClipboard,
    ClipboardWatchingOff,
    BrowserItem,
    SensitiveTranslation,
    ShowTips,
    LockedTranslation,
    SaveRecent,
    WrapTranslation,
    SavePosition,
    Speech,
    Tolerant,
    Forms,
    Fade,
    FadeSlow,
    FadeMedium,
    FadeFast,
    HotKeyOn,
    HotKeyF9,
    HotKeyF10,
    HotKeyF11,
    HotKeyF12,
    HomePage,
    WhatsNew,
    ThisProjectsPage,
    TechnicalSupport,
    MailMiscellaneous,
    MailImprovement,
    MailBug,
    MailAsk,
    MailRegister,
    CloseBar,
    OpenBar,
    Quit,
};

} // namespace kvel
