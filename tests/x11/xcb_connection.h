// SPDX-License-Identifier: GPL-2.0-or-later
// The X connection and atoms shared by the small xcb helpers of the X11 tests.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <xcb/xcb.h>

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};

// Connects to $DISPLAY; nullptr (after a message) when that fails. The server
// at times resets a connection made just after another closed, so it retries.
inline xcb_connection_t* connectWithRetries()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    for (int attempt = 0; attempt < 5 && xcb_connection_has_error(connection); ++attempt) {
        xcb_disconnect(connection);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        connection = xcb_connect(nullptr, nullptr);
    }
    if (!xcb_connection_has_error(connection))
        return connection;
    xcb_disconnect(connection);
    std::fprintf(stderr, "cannot connect to the X server\n");
    return nullptr;
}

inline xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}
