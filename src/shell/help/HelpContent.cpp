// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/HelpContent.h"

#include "core/strings/StringTable.h"
#include "shell/help/TipOfTheDay.h"

#include <array>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int FirstKeyboardLineId = 30501;
constexpr int LastKeyboardLineId = 30561;
constexpr std::array HotKeyNameIds{30118, 30120, 30122, 30124};
constexpr int HookOnId = 30563;
constexpr int HookOffId = 30565;

constexpr std::array DonationLineIds{30371, 30373, 30375, 30377, 30379, 30381};

constexpr int NotAvailableId = 30002;

QStringList lngTexts(std::initializer_list<int> ids)
{
    QStringList lines;
    for (int id : ids)
        lines << LoadLngText(id);
    return lines;
}

QString hotKeyLine(int hotKey, bool hookOn)
{
    const QString status = LoadLngText(hookOn ? HookOnId : HookOffId);
    if (hotKey < 0 || hotKey >= int(HotKeyNameIds.size()))
        return status;
    return LoadText(HotKeyNameIds[hotKey]) + u"~2"_s + status;
}

} // namespace

HelpContent keyboardListContent(int hotKey, bool hookOn)
{
    QStringList lines;
    for (int id = FirstKeyboardLineId; id <= LastKeyboardLineId; id += 2)
        lines << LoadLngText(id);
    lines << hotKeyLine(hotKey, hookOn);
    return {ContentKind::KeyboardList, Bitmap::Keyboard, LoadLngText(30320), lines, Qt::AlignLeft};
}

HelpContent tipContent(int tipIndex)
{
    return {ContentKind::Tip,
            Bitmap::Tip,
            LoadLngText(30223),
            {LoadLngText(tipStringId(tipIndex))},
            Qt::AlignHCenter};
}

HelpContent donationsContent()
{
    QStringList lines;
    for (int id : DonationLineIds)
        lines << LoadLngText(id);
    return {ContentKind::Donations, Bitmap::Donations, LoadLngText(30369), lines, Qt::AlignHCenter};
}

HelpContent aboutContent(const QString& dictionaryVersion)
{
    const QString version =
        dictionaryVersion.isEmpty() ? LoadText(NotAvailableId) : dictionaryVersion;
    QStringList lines = lngTexts({30401});
    lines << LoadLngText(30403) + u' ' + LoadText(30000) + u'.' + LoadText(30001);
    lines << lngTexts({30405, 30407, 30409});
    lines << LoadLngText(30411) + u' ' + version;
    lines << lngTexts({30413, 30415});
    lines << u"v"_s + LoadText(30003) + LoadLngText(30417) + u"v"_s + LoadText(30004);
    lines << lngTexts({30419, 30421, 30423, 30425, 30427, 30429, 30431, 30433, 30435, 30437,
                       30439, 30441, 30443, 30445, 30447, 30449, 30451, 30453, 30455, 30457});
    return {ContentKind::About, Bitmap::About, LoadLngText(30254), lines, Qt::AlignHCenter};
}

HelpContent helpFileErrorContent(HelpFileProblem problem)
{
    const QString line = problem == HelpFileProblem::NoViewer
                             ? LoadLngText(30614)
                             : LoadLngText(30612).replace(u"%s"_s, LoadText(30024));
    return {
        ContentKind::HelpFileError, Bitmap::HelpFile, LoadLngText(30610), {line}, Qt::AlignHCenter};
}

} // namespace kvel
