// SPDX-License-Identifier: GPL-2.0-or-later
// Presses keys on KWin as a keyboard would, through KWin's fake-input
// protocol: each evdev key code given is pressed in order, then all are
// released in reverse order. KWin lets a client use the protocol only when
// it is started with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 or the client is
// listed as trusted, so a test starts KWin that way.
//
// Usage: kwin-press-keys CODE...   (e.g. 56 88 for Alt+F12)
#include "fake-input-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wayland-client.h>

enum { kMaxKeys = 8, kPressed = 1, kReleased = 0 };

static struct org_kde_kwin_fake_input* fakeInput;

static void addGlobal(void* data, struct wl_registry* registry, uint32_t name,
                      const char* interface, uint32_t version)
{
    (void)data;
    // keyboard_key arrived with version 4.
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        fakeInput = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}

static void removeGlobal(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static int parseKeys(int count, char** words, uint32_t* keys)
{
    if (count < 1 || count > kMaxKeys)
        return 0;
    for (int i = 0; i < count; ++i) {
        char* end = NULL;
        const unsigned long code = strtoul(words[i], &end, 10);
        if (end == words[i] || *end != '\0' || code == 0 || code > 767)
            return 0;
        keys[i] = (uint32_t)code;
    }
    return 1;
}

int main(int argc, char** argv)
{
    uint32_t keys[kMaxKeys];
    const int count = argc - 1;
    if (!parseKeys(count, argv + 1, keys)) {
        fprintf(stderr, "usage: %s CODE... (1 to %d evdev key codes)\n", argv[0], kMaxKeys);
        return 2;
    }
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    static const struct wl_registry_listener listener = {addGlobal, removeGlobal};
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, NULL);
    wl_display_roundtrip(display);
    if (!fakeInput) {
        fprintf(stderr, "the compositor offers no org_kde_kwin_fake_input 4 to this program\n");
        wl_display_disconnect(display);
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fakeInput, "kvel tests", "press keys as a user would");
    for (int i = 0; i < count; ++i)
        org_kde_kwin_fake_input_keyboard_key(fakeInput, keys[i], kPressed);
    for (int i = count - 1; i >= 0; --i)
        org_kde_kwin_fake_input_keyboard_key(fakeInput, keys[i], kReleased);
    const int ok = wl_display_roundtrip(display) >= 0;
    org_kde_kwin_fake_input_destroy(fakeInput);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return ok ? 0 : 1;
}
