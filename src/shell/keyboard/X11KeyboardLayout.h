// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/keyboard/KeyboardLayout.h"

#include <memory>
#include <optional>

namespace kvel {

// The XKB group switch on X11; does nothing on other platforms.
class X11KeyboardLayout final : public KeyboardLayout
{
public:
    static std::unique_ptr<KeyboardLayout> create();

    void activate(KeyboardTarget target) override;
    void restoreUserLayout() override;
    LayoutLetters layoutLetters() const override;

private:
    std::optional<int> m_userGroup;
};

} // namespace kvel
