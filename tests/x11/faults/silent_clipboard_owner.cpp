// SPDX-License-Identifier: GPL-2.0-or-later
// A clipboard owner that never answers, for the fault tests: it takes the
// CLIPBOARD selection, re-takes it every second and drops every request for
// its contents, so a program that asks waits for an answer that never comes.
//
// usage: kvel-silent-clipboard-owner SECONDS
//
// Prints "silent-owner-started" once it owns the clipboard and
// "silent-owner-done: N" (the number of times it took it) when the time is
// over; it exits then, which leaves the clipboard without an owner.
#include "../xcb_connection.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <xcb/xcb.h>

int main(int argc, char** argv)
{
    const double seconds = argc == 2 ? std::atof(argv[1]) : 0;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: kvel-silent-clipboard-owner SECONDS\n");
        return 2;
    }
    xcb_connection_t* connection = connectWithRetries();
    if (!connection)
        return 1;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t clipboard = internAtom(connection, "CLIPBOARD");

    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    auto nextTake = Clock::now();
    long takes = 0;
    while (Clock::now() < end) {
        if (Clock::now() >= nextTake) {
            xcb_set_selection_owner(connection, window, clipboard, XCB_CURRENT_TIME);
            xcb_flush(connection);
            if (++takes == 1) {
                std::printf("silent-owner-started\n");
                std::fflush(stdout);
            }
            nextTake += std::chrono::seconds(1);
        }
        // Requests for the contents are read and dropped: no SelectionNotify.
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
            std::free(event);
        if (xcb_connection_has_error(connection))
            return 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::printf("silent-owner-done: %ld\n", takes);
    std::fflush(stdout);
    xcb_disconnect(connection);
    return 0;
}
