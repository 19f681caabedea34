// SPDX-License-Identifier: GPL-2.0-or-later
#include "FakeSelectionOwner.h"

#include "../xcb_connection.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <poll.h>

namespace kvel::test {

FakeSelectionOwner::FakeSelectionOwner(OwnerScript script)
    : m_script(std::move(script)), m_connection(connectWithRetries())
{
    if (!m_connection)
        return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    m_window = xcb_generate_id(m_connection);
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    m_selection = atom(m_script.selection);
    // The server ignores a take stamped before the last one; within the
    // same millisecond as the previous test's owner it may have to wait.
    for (int attempt = 0; attempt < 100 && !m_owns; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        xcb_set_selection_owner(m_connection, m_window, m_selection, XCB_CURRENT_TIME);
        const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeDeleter> owner(
            xcb_get_selection_owner_reply(
                m_connection, xcb_get_selection_owner(m_connection, m_selection), nullptr));
        m_owns = owner && owner->owner == m_window;
    }
    m_thread = std::jthread([this](std::stop_token stop) { serve(stop); });
}

FakeSelectionOwner::~FakeSelectionOwner()
{
    m_thread = {}; // stops and joins
    if (m_connection)
        xcb_disconnect(m_connection);
}

xcb_atom_t FakeSelectionOwner::atom(const QByteArray& name)
{
    return internAtom(m_connection, name.constData());
}

void FakeSelectionOwner::serve(std::stop_token stop)
{
    while (!stop.stop_requested() && !xcb_connection_has_error(m_connection)) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_SELECTION_REQUEST && m_script.answers)
                answer(*reinterpret_cast<xcb_selection_request_event_t*>(event));
            else if (type == XCB_PROPERTY_NOTIFY)
                sendNextPiece(*reinterpret_cast<xcb_property_notify_event_t*>(event));
            std::free(event);
        }
        pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        poll(&fd, 1, 20);
    }
}

void FakeSelectionOwner::answer(const xcb_selection_request_event_t& request)
{
    xcb_atom_t property = XCB_ATOM_NONE;
    const xcb_atom_t targets = atom("TARGETS");
    if (request.target == targets && m_script.listsTargets) {
        QList<xcb_atom_t> offered{targets};
        for (const auto& form : m_script.forms)
            offered.append(atom(form.first));
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor,
                            request.property, XCB_ATOM_ATOM, 32, uint32_t(offered.size()),
                            offered.constData());
        property = request.property;
    }
    for (const auto& [name, data] : m_script.forms) {
        if (request.target != atom(name))
            continue;
        property = request.property;
        if (m_script.piece > 0 && data.size() > m_script.piece) {
            m_transfer = {request.requestor, request.property, request.target, data};
            const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_change_window_attributes(m_connection, request.requestor, XCB_CW_EVENT_MASK, &mask);
            const uint32_t size = uint32_t(data.size());
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor,
                                request.property, atom("INCR"), 32, 1, &size);
        } else {
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor,
                                request.property, request.target, 8, uint32_t(data.size()),
                                data.constData());
        }
    }
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = property;
    xcb_send_event(m_connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(m_connection);
}

void FakeSelectionOwner::sendNextPiece(const xcb_property_notify_event_t& notify)
{
    // The requestor deleted the last piece (or the INCR announcement): the
    // next one follows, and an empty one after the data.
    Transfer& t = m_transfer;
    if (t.ended || notify.window != t.requestor || notify.atom != t.property ||
        notify.state != XCB_PROPERTY_DELETE)
        return;
    const qsizetype length = std::min(m_script.piece, t.data.size() - t.sent);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, t.requestor, t.property, t.type, 8,
                        uint32_t(length), t.data.constData() + t.sent);
    xcb_flush(m_connection);
    t.sent += length;
    t.ended = length == 0;
    if (length > 0)
        ++m_piecesSent;
}

} // namespace kvel::test
