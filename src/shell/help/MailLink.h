// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace kvel {

// The prepared e-mails of the Help menu.
enum class MailKind
{
    Miscellaneous,
    Improvement,
    Bug,
    Ask,
    Register,
};

// The mailto link that opens the user's mail program with the prepared subject
// and body in the interface language. The support address is left empty in the
// string table, so the user picks the recipient.
QUrl mailLink(MailKind kind);

// `text` with the escapes it already holds ("%0D%0A") kept and every other
// character that a mailto value may not hold as it is percent-encoded as UTF-8,
// so that a blank, an "&" or a "č" arrives in the mail program as written.
// `keep` lists the delimiters that must stay literal.
QByteArray encodeMailPiece(const QString& text, const QByteArray& keep = {});

} // namespace kvel
