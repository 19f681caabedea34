// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace kvel {

// Whether the locale's character set can represent č ć đ š ž (UTF-8,
// ISO-8859-2 or Windows-1250); otherwise the user gets a hint at start.
bool IsCentralEuropeanCodePage();

} // namespace kvel
