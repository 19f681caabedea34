// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace kvel {

// What to ask an X11 clipboard owner for, from the names of the targets it
// offers (its TARGETS answer).
struct X11TextRequest
{
    QByteArray target;      // the text form to ask for
    bool askSecret = false; // the password-manager hint is offered: read it first
};

// Nothing when the clipboard holds no plain text: a file list or a picture
// (which carry a text form too), or no text form at all. UTF-8 is preferred.
std::optional<X11TextRequest> x11TextRequest(const QList<QByteArray>& targets);

// The targets asked for, in turn, of an owner that does not answer TARGETS.
QList<QByteArray> x11TargetsWithoutList();

// The text of a selection that arrived as `type`; nothing for an encoding
// that is not understood. A cut last UTF-8 character is dropped.
std::optional<QString> x11Text(const QByteArray& type, const QByteArray& data);

} // namespace kvel
