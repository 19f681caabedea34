// SPDX-License-Identifier: GPL-2.0-or-later
// The settings file reader and writer on any text: parsing what was written
// gives the same values, and loading settings clamps every value.

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "core/text/PhraseNormalizer.h"
#include "shell/recent/RecentPhrases.h"
#include "shell/settings/IniDocument.h"
#include "shell/settings/KvelSettings.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;
using kvel::fuzz::require;

namespace {

// A plain screen, one left of and above the primary, and one narrower than the bar.
const std::array kScreens{QRect(0, 0, 1024, 768), QRect(-1280, -200, 1280, 1024),
                          QRect(0, 0, 100, 10)};

struct Name
{
    QString section;
    QString key;
};

// Every key the text seems to name under the header it seems to follow,
// whatever the reader makes of them, plus the hand-over key written below.
QList<Name> namesIn(const QString& text)
{
    constexpr qsizetype kMaxNames = 64;
    QList<Name> names{{u"IE"_s, u"ParamStr"_s}};
    QString section;
    for (const QString& line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'['))
            section = trimmed.mid(1, trimmed.indexOf(u']') - 1).trimmed();
        else if (line.contains(u'=') && names.size() < kMaxNames)
            names.append({section, line.left(line.indexOf(u'=')).trimmed()});
    }
    return names;
}

QStringList valuesOf(const kvel::IniDocument& ini, const QList<Name>& names)
{
    QStringList values;
    for (const Name& name : names)
        values << ini.value(name.section, name.key, u"<missing>"_s);
    return values;
}

bool inRange(int value, int lowest, int highest)
{
    return value >= lowest && value <= highest;
}

void checkClamped(const kvel::KvelSettings& s, const QRect& screen)
{
    for (const int flag :
         {s.FInterfaceLang, s.FAdjustKeyboard, s.FSmartClipboard, s.FFastClipboardOff, s.FIEMenu,
          s.FSensitive, s.FLocked, s.FShowTips, s.FSaveRecent, s.FWrap, s.FToTray, s.FAutoStart,
          s.FSavePosition, s.FHookOn, s.FSpeech, s.FAlphaBlendOn})
        require(inRange(flag, 0, 1), "flags are 0 or 1");
    require(inRange(s.FSearchLang, 0, 2) && inRange(s.FFindMethod, 0, 3) &&
                inRange(s.FHotKey, 0, 3) && inRange(s.FABSpeed, 0, 2),
            "choices within their range");

    const QSize bar = kvel::kBarDesignSize;
    const int maxLeft = screen.x() + screen.width() - bar.width();
    const int maxTop = screen.y() + screen.height() - bar.height();
    // An unreadable edge is 0 whatever the screen.
    require(s.FBarLeft == 0 || (s.FBarLeft <= maxLeft &&
                                (s.FBarLeft >= screen.x() || screen.width() < bar.width())),
            "the bar's left edge is on the screen");
    require(s.FBarTop == 0 || (s.FBarTop <= maxTop &&
                               (s.FBarTop >= screen.y() || screen.height() < bar.height())),
            "the bar's top edge is on the screen");

    const std::array lists{std::pair{s.FBthCount, &s.FRecentBoth},
                           std::pair{s.FEngCount, &s.FRecentEng},
                           std::pair{s.FSerCount, &s.FRecentSer}};
    for (const auto& [count, list] : lists) {
        require(inRange(count, 0, kvel::kMaxRecentPhrases), "counts within 0..10");
        require(list->size() <= count, "no more entries than the count");
        for (const QString& entry : *list)
            require(!entry.isEmpty() && kvel::trimControl(entry) == entry,
                    "entries are trimmed and not empty");
    }
}

int clampedEdge(int stored, int start, int length, int barLength)
{
    return std::min(std::max(stored, start), start + length - barLength);
}

// The settings as a fresh file holds them: equal texts mean equal settings,
// apart from the position, which loading keeps on the screen.
QString fileText(kvel::KvelSettings settings)
{
    kvel::IniDocument ini;
    kvel::writeSettings(ini, settings, QPoint(0, 0));
    return ini.toText();
}

void checkSettingsRoundTrip(const kvel::IniDocument& original, const QRect& screen)
{
    kvel::KvelSettings loaded = kvel::readSettings(original, screen);
    checkClamped(loaded, screen);

    kvel::IniDocument saved = original;
    const QPoint position(loaded.FBarLeft, loaded.FBarTop);
    kvel::writeSettings(saved, loaded, position);
    const kvel::KvelSettings reloaded =
        kvel::readSettings(kvel::IniDocument(saved.toText()), screen);

    require(fileText(reloaded) == fileText(loaded), "saved settings load as they were");
    if (loaded.FSavePosition == 1) {
        const QSize bar = kvel::kBarDesignSize;
        require(reloaded.FBarLeft ==
                        clampedEdge(position.x(), screen.x(), screen.width(), bar.width()) &&
                    reloaded.FBarTop ==
                        clampedEdge(position.y(), screen.y(), screen.height(), bar.height()),
                "a saved position loads as it was, kept on the screen");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const kvel::IniDocument ini(text);
    const QList<Name> names = namesIn(text);

    const QString written = ini.toText();
    const kvel::IniDocument reread(written);
    require(reread.toText() == written, "written text parses to the same text");
    require(valuesOf(reread, names) == valuesOf(ini, names),
            "written text parses to the same values");

    // The hand-over value is free text: it comes back without line breaks, and
    // nothing else in the file changes.
    kvel::IniDocument handedOver = ini;
    const QString words = text.left(300);
    handedOver.setValue(u"IE", u"ParamStr", words);
    QString oneLine = words;
    oneLine.remove(u'\r').remove(u'\n');
    const kvel::IniDocument handedReread(handedOver.toText());
    require(handedReread.value(u"IE", u"ParamStr") == oneLine, "a written value reads back");
    QList<Name> others;
    for (const Name& name : names) {
        if (kvel::lowerCaseAscii(name.section) != u"ie"_s ||
            kvel::lowerCaseAscii(name.key) != u"paramstr"_s)
            others.append(name);
    }
    require(valuesOf(handedReread, others) == valuesOf(ini, others),
            "writing one value leaves the others");

    // One screen per input keeps the runs fast; the length picks it.
    checkSettingsRoundTrip(ini, kScreens[size % kScreens.size()]);
    return 0;
}
