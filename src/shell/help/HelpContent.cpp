// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/HelpContent.h"

#include "core/content/ContentMarkup.h"
#include "core/strings/StringTable.h"
#include "shell/help/TipOfTheDay.h"
#include "shell/hotkey/HotKeyNames.h"

#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// The shortcut reminder line by line; an empty entry is a blank line.
constexpr std::optional<StringId> kBlankLine;
constexpr auto kKeyboardLines = std::to_array<std::optional<StringId>>({
    StringId::KeysLanguageLabel,
    StringId::KeysAltL,
    StringId::KeysAltI,
    kBlankLine,
    StringId::KeysSearchLabel,
    StringId::KeysAltBCEW,
    kBlankLine,
    StringId::KeysEntryLabel,
    StringId::KeysEnter,
    StringId::KeysEscape,
    StringId::KeysAltU,
    StringId::KeysAltZ,
    StringId::KeysAltS,
    StringId::KeysAltH,
    StringId::KeysCtrlACVX,
    kBlankLine,
    StringId::KeysClipboardLabel,
    StringId::KeysAlt123,
    kBlankLine,
    StringId::KeysPositionLabel,
    StringId::KeysAltArrow,
    StringId::KeysCtrlAltArrow,
    kBlankLine,
    StringId::KeysHelpLabel,
    StringId::KeysF1,
    StringId::KeysAltK,
    StringId::KeysAltT,
    StringId::KeysAltD,
    StringId::KeysAltA,
    kBlankLine,
    StringId::KeysHotKeyLabel,
});

constexpr std::array kDonationLines{
    StringId::DonationsFree,   StringId::DonationsEffort,   StringId::DonationsInvitation,
    StringId::DonationsAmount, StringId::DonationsEnvelope, StringId::DonationsNoPostalAddress,
};

QStringList lngTexts(std::initializer_list<StringId> ids)
{
    QStringList lines;
    for (StringId id : ids)
        lines << LoadLngText(id);
    return lines;
}

BalloonContent centredText(ContentKind kind, ImageId image, const QString& caption,
                           const QStringList& texts)
{
    return textContent(kind, image, caption, texts, Qt::AlignHCenter);
}

StringId hotKeyStatusId(HotKeyState state)
{
    switch (state) {
    case HotKeyState::On:
        return StringId::KeysHotKeyOn;
    case HotKeyState::Taken:
        return StringId::KeysHotKeyTaken;
    case HotKeyState::Off:
        break;
    }
    return StringId::KeysHotKeyOff;
}

HelpLine hotKeyLine(int hotKey, HotKeyState state)
{
    const QString status = LoadLngText(hotKeyStatusId(state));
    const std::optional<StringId> caption = hotKeyCaptionId(hotKey);
    if (!caption)
        return {std::nullopt, status};
    return {LoadText(*caption), status};
}

} // namespace

BalloonContent keyboardListContent(int hotKey, HotKeyState state)
{
    QStringList lines;
    for (const std::optional<StringId>& line : kKeyboardLines)
        lines << (line ? LoadLngText(*line) : QString());
    BalloonContent content = textContent(ContentKind::KeyboardList, ImageId::Keyboard,
                                         LoadLngText(StringId::KeysCaption), lines);
    content.helpLines.append(hotKeyLine(hotKey, state));
    return content;
}

BalloonContent tipContent(int tipIndex)
{
    return centredText(ContentKind::Tip, ImageId::Tip, LoadLngText(StringId::MenuTipOfTheDay),
                       {LoadLngText(tipStringId(tipIndex))});
}

BalloonContent donationsContent()
{
    QStringList lines;
    for (StringId id : kDonationLines)
        lines << LoadLngText(id);
    return centredText(ContentKind::Donations, ImageId::Donations,
                       LoadLngText(StringId::DonationsCaption), lines);
}

BalloonContent aboutContent(const QString& dictionaryVersion)
{
    const QString version =
        dictionaryVersion.isEmpty() ? LoadText(StringId::NotAvailable) : dictionaryVersion;
    QStringList before = lngTexts({StringId::AboutProgramLabel});
    before << LoadLngText(StringId::AboutProgramName) + u' ' + LoadText(StringId::ProgramVersion) +
                  u'.' + LoadText(StringId::ProgramBuild);
    before << lngTexts(
        {StringId::AboutEdition, StringId::AboutDivider1, StringId::AboutDictionaryLabel});
    QStringList lines = lngTexts({StringId::AboutDivider2, StringId::AboutSupportedDictionaries});
    lines << u"v"_s + LoadText(StringId::DictionaryVersionOldest) +
                 LoadLngText(StringId::AboutVersionRangeDash) + u"v"_s +
                 LoadText(StringId::DictionaryVersionNewest);
    lines << lngTexts({StringId::AboutDivider3,    StringId::AboutAuthorLabel,
                       StringId::AboutAuthor,      StringId::AboutDivider4,
                       StringId::AboutLegalLabel,  StringId::AboutCopyright,
                       StringId::AboutLicence,     StringId::AboutDivider5,
                       StringId::AboutFreeToUse,   StringId::AboutDictionaryData,
                       StringId::AboutDivider6,    StringId::AboutNoWarranty,
                       StringId::AboutNoLiability, StringId::AboutCheckTranslation,
                       StringId::AboutDivider7,    StringId::AboutContactLabel,
                       StringId::AboutNoContact,   StringId::AboutSeeDocumentation,
                       StringId::AboutWebPageItem, StringId::AboutNoPostalDonations});
    BalloonContent content =
        centredText(ContentKind::About, ImageId::About, LoadLngText(StringId::MenuAbout), before);
    // The version is the dictionary file's own text: one line, taken as it is.
    content.helpLines.append(
        {std::nullopt, LoadLngText(StringId::AboutDictionaryName) + u' ' + version});
    for (const QString& text : std::as_const(lines))
        content.helpLines += helpLinesFromText(text);
    return content;
}

BalloonContent helpFileErrorContent(HelpFileProblem problem)
{
    const QString line = problem == HelpFileProblem::NoViewer
                             ? LoadLngText(StringId::HelpFileNoViewer)
                             : LoadLngText(StringId::HelpFileMissing)
                                   .replace(u"%s"_s, LoadText(StringId::HelpFileName));
    return centredText(ContentKind::HelpFileError, ImageId::HelpFile,
                       LoadLngText(StringId::HelpFileErrorCaption), {line});
}

} // namespace kvel
