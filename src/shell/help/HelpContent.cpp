// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/HelpContent.h"

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

QString hotKeyLine(int hotKey, bool hookOn)
{
    const QString status = LoadLngText(hookOn ? StringId::KeysHotKeyOn : StringId::KeysHotKeyOff);
    const std::optional<StringId> caption = hotKeyCaptionId(hotKey);
    if (!caption)
        return status;
    return LoadText(*caption) + u"~2"_s + status;
}

} // namespace

HelpContent keyboardListContent(int hotKey, bool hookOn)
{
    QStringList lines;
    for (const std::optional<StringId>& line : kKeyboardLines)
        lines << (line ? LoadLngText(*line) : QString());
    lines << hotKeyLine(hotKey, hookOn);
    return {ContentKind::KeyboardList, Bitmap::Keyboard, LoadLngText(StringId::KeysCaption), lines,
            Qt::AlignLeft};
}

HelpContent tipContent(int tipIndex)
{
    return {ContentKind::Tip,
            Bitmap::Tip,
            LoadLngText(StringId::MenuTipOfTheDay),
            {LoadLngText(tipStringId(tipIndex))},
            Qt::AlignHCenter};
}

HelpContent donationsContent()
{
    QStringList lines;
    for (StringId id : kDonationLines)
        lines << LoadLngText(id);
    return {ContentKind::Donations, Bitmap::Donations, LoadLngText(StringId::DonationsCaption),
            lines, Qt::AlignHCenter};
}

HelpContent aboutContent(const QString& dictionaryVersion)
{
    const QString version =
        dictionaryVersion.isEmpty() ? LoadText(StringId::NotAvailable) : dictionaryVersion;
    QStringList lines = lngTexts({StringId::AboutProgramLabel});
    lines << LoadLngText(StringId::AboutProgramName) + u' ' + LoadText(StringId::ProgramVersion) +
                 u'.' + LoadText(StringId::ProgramBuild);
    lines << lngTexts(
        {StringId::AboutEdition, StringId::AboutDivider1, StringId::AboutDictionaryLabel});
    lines << LoadLngText(StringId::AboutDictionaryName) + u' ' + version;
    lines << lngTexts({StringId::AboutDivider2, StringId::AboutSupportedDictionaries});
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
    return {ContentKind::About, Bitmap::About, LoadLngText(StringId::MenuAbout), lines,
            Qt::AlignHCenter};
}

HelpContent helpFileErrorContent(HelpFileProblem problem)
{
    const QString line = problem == HelpFileProblem::NoViewer
                             ? LoadLngText(StringId::HelpFileNoViewer)
                             : LoadLngText(StringId::HelpFileMissing)
                                   .replace(u"%s"_s, LoadText(StringId::HelpFileName));
    return {ContentKind::HelpFileError,
            Bitmap::HelpFile,
            LoadLngText(StringId::HelpFileErrorCaption),
            {line},
            Qt::AlignHCenter};
}

} // namespace kvel
