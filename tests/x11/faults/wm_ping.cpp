// SPDX-License-Identifier: GPL-2.0-or-later
// Measures how quickly a window answers the window manager's _NET_WM_PING,
// for the fault tests: a program whose event loop is stuck answers late or
// not at all, and desktops offer to kill it.
//
// usage: kvel-wm-ping WINDOW SECONDS
//
// Sends a ping to WINDOW (a decimal or 0x window id) every 200 ms for SECONDS
// and waits for each answer, which comes back to the root window, before the
// next one. Prints "pings: N, longest: MS ms"; exits 1 when a ping got no
// answer within 30 s.
#include "../xcb_connection.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <thread>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kInterval = std::chrono::milliseconds(200);
constexpr auto kNoAnswer = std::chrono::seconds(30);

struct Pinger
{
    xcb_connection_t* connection;
    xcb_window_t target;
    xcb_atom_t protocols;
    xcb_atom_t ping;

    void send(uint32_t serial) const
    {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = target;
        message.type = protocols;
        message.data.data32[0] = ping;
        message.data.data32[1] = serial; // the timestamp field, echoed back
        message.data.data32[2] = target;
        xcb_send_event(connection, 0, target, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection);
    }

    bool isAnswer(const xcb_generic_event_t* event, uint32_t serial) const
    {
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
        return message->type == protocols && message->data.data32[0] == ping &&
               message->data.data32[1] == serial && message->data.data32[2] == target;
    }

    // Waits for the answer to ping `serial`; false when none came in time.
    bool awaitAnswer(uint32_t serial) const
    {
        const auto giveUp = Clock::now() + kNoAnswer;
        while (Clock::now() < giveUp) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
                const bool answer = isAnswer(event, serial);
                std::free(event);
                if (answer)
                    return true;
            }
            if (xcb_connection_has_error(connection))
                return false;
            pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
            poll(&fd, 1, 100);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    const unsigned long window = argc == 3 ? std::strtoul(argv[1], nullptr, 0) : 0;
    const double seconds = argc == 3 ? std::atof(argv[2]) : 0;
    if (window == 0 || seconds <= 0) {
        std::fprintf(stderr, "usage: kvel-wm-ping WINDOW SECONDS\n");
        return 2;
    }
    xcb_connection_t* connection = connectWithRetries();
    if (!connection)
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // Answers are sent to the root window for the window manager's masks:
    // (sub)structure notify and substructure redirect, which it holds itself.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    const Pinger pinger{connection, xcb_window_t(window), internAtom(connection, "WM_PROTOCOLS"),
                        internAtom(connection, "_NET_WM_PING")};

    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    uint32_t serial = 0;
    auto longest = Clock::duration::zero();
    while (Clock::now() < end) {
        ++serial;
        const auto sent = Clock::now();
        pinger.send(serial);
        if (!pinger.awaitAnswer(serial)) {
            std::printf("pings: %u, no answer to ping %u within %lld s\n", serial, serial,
                        static_cast<long long>(kNoAnswer.count()));
            return 1;
        }
        longest = std::max(longest, Clock::now() - sent);
        std::this_thread::sleep_for(kInterval);
    }
    std::printf("pings: %u, longest: %lld ms\n", serial,
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(longest).count()));
    return 0;
}
