// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <atomic>
#include <thread>
#include <utility>
#include <xcb/xcb.h>

namespace kvel::test {

// How a fake clipboard owner behaves.
struct OwnerScript
{
    // The forms it offers, by target name; each is sent with its own name as
    // the type.
    QList<std::pair<QByteArray, QByteArray>> forms;
    bool listsTargets = true; // answers TARGETS
    bool answers = true;      // answers anything at all
    qsizetype piece = 0;      // > 0: longer data goes incrementally, in pieces this long
    QByteArray selection = "CLIPBOARD";
};

// Owns a selection (CLIPBOARD unless the script says) of the X server in DISPLAY from its
// construction on and serves it on a thread of its own, as the script says.
class FakeSelectionOwner
{
public:
    explicit FakeSelectionOwner(OwnerScript script);
    ~FakeSelectionOwner();
    FakeSelectionOwner(const FakeSelectionOwner&) = delete;
    FakeSelectionOwner& operator=(const FakeSelectionOwner&) = delete;

    bool owns() const { return m_owns; }
    // Pieces of incremental transfers written so far.
    int piecesSent() const { return m_piecesSent; }

private:
    struct Transfer
    {
        xcb_window_t requestor = XCB_WINDOW_NONE;
        xcb_atom_t property = XCB_ATOM_NONE;
        xcb_atom_t type = XCB_ATOM_NONE;
        QByteArray data;
        qsizetype sent = 0;
        bool ended = false;
    };

    void serve(std::stop_token stop);
    void answer(const xcb_selection_request_event_t& request);
    void sendNextPiece(const xcb_property_notify_event_t& notify);
    xcb_atom_t atom(const QByteArray& name);

    const OwnerScript m_script;
    xcb_connection_t* m_connection;
    xcb_window_t m_window = XCB_WINDOW_NONE;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    bool m_owns = false;
    Transfer m_transfer;
    std::atomic<int> m_piecesSent{0};
    std::jthread m_thread;
};

} // namespace kvel::test
