// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/MailLink.h"

#include "core/strings/StringTable.h"

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

StringId subjectPieceId(MailKind kind)
{
    switch (kind) {
    case MailKind::Miscellaneous:
        return StringId::MailSubjectMiscellaneous;
    case MailKind::Bug:
        return StringId::MailSubjectBug;
    case MailKind::Improvement:
        return StringId::MailSubjectImprovement;
    case MailKind::Ask:
        return StringId::MailSubjectAsk;
    case MailKind::Register:
        return StringId::MailSubjectRegister;
    }
    return StringId::MailSubjectMiscellaneous;
}

QString projectLine()
{
    return LoadLngText(StringId::MailProjectIntro) + LoadLngText(StringId::ProgramTitle) +
           LoadLngText(StringId::MailVersionPrefix) + LoadText(StringId::ProgramVersion) +
           LoadLngText(StringId::MailBuildPrefix) + LoadText(StringId::ProgramBuild) +
           LoadLngText(StringId::MailProjectEnd);
}

QString mailBody(MailKind kind)
{
    const QString twoBreaks = LoadText(StringId::MailLineBreak).repeated(2);
    const QString messageArea = LoadLngText(StringId::MailMessageArea);
    const QString personalDataArea = LoadLngText(StringId::MailPersonalDataArea);
    const QString postScript = LoadLngText(StringId::MailPostScript);
    switch (kind) {
    case MailKind::Miscellaneous:
        return messageArea + twoBreaks + personalDataArea + twoBreaks + postScript;
    case MailKind::Register:
        return projectLine() + twoBreaks + LoadLngText(StringId::MailRegistrationForm) + twoBreaks +
               postScript;
    case MailKind::Improvement:
    case MailKind::Bug:
    case MailKind::Ask:
        break;
    }
    return projectLine() + twoBreaks + messageArea + twoBreaks + personalDataArea + twoBreaks +
           postScript;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// What a mailto header value may hold unencoded (RFC 6068), less "+", which
// some mail programs read as a blank.
bool isPlainInMailto(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           QByteArrayView("-._~!$'()*,;:@").contains(c);
}

} // namespace

QByteArray encodeMailPiece(const QString& text, const QByteArray& keep)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray encoded;
    encoded.reserve(utf8.size() * 3);
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const bool isEscape =
            c == '%' && i + 2 < utf8.size() && isHexDigit(utf8[i + 1]) && isHexDigit(utf8[i + 2]);
        if (isPlainInMailto(c) || isEscape || keep.contains(c)) {
            encoded += c;
            continue;
        }
        encoded += '%';
        encoded += QByteArray::number(uchar(c), 16).toUpper().rightJustified(2, '0');
    }
    return encoded;
}

QUrl mailLink(MailKind kind)
{
    // The subject piece carries the query's own delimiters ("?subject=...&Body=");
    // the address and the body are plain text with escapes.
    const QByteArray link = encodeMailPiece(LoadText(StringId::MailScheme), ":") +
                            encodeMailPiece(LoadText(StringId::MailAddress), "@") +
                            encodeMailPiece(LoadText(subjectPieceId(kind)), "?=&") +
                            encodeMailPiece(mailBody(kind));
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

} // namespace kvel
