// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// The name the instance's lock and socket share: "notkvel-" and the display
// it runs on. An X display is named without its screen number, and "unix:N"
// as ":N", so every spelling of one X server gives one name. ASCII letters,
// digits, '.', '_' and '-' are kept, every other character (':' and '/'
// included) becomes '_'; a name too long for a socket path ends in a hash of
// the whole display name instead.
QString sessionName(const QString& x11Display, const QString& waylandDisplay);

} // namespace kvel
