// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/X11SelectionText.h"

#include "shell/clipboard/X11TextTargets.h"

#include <QList>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <thread>
#include <xcb/xcb.h>

using namespace std::chrono_literals;

namespace kvel {

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks at the stop request.
constexpr auto kPollSlice = 50ms;
// A real owner offers a few dozen targets.
constexpr qsizetype kMaxTargets = 256;
// The password-manager hint holds a short word ("secret").
constexpr qsizetype kHintBytes = 64;
constexpr int kConnectAttempts = 5;
constexpr auto kConnectPause = 20ms;

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbPtr = std::unique_ptr<T, FreeDeleter>;

struct Atoms
{
    xcb_atom_t selection = XCB_ATOM_NONE;
    xcb_atom_t targets = XCB_ATOM_NONE;
    xcb_atom_t incr = XCB_ATOM_NONE;
    xcb_atom_t property = XCB_ATOM_NONE;
    xcb_atom_t secretHint = XCB_ATOM_NONE;
};

// One read, on its own connection and window, closed when it ends: an
// unfinished transfer ends with it.
class SelectionSession
{
public:
    SelectionSession(const QByteArray& displayName, const QByteArray& selection,
                     Clock::time_point deadline, std::stop_token stop)
        : m_deadline(deadline), m_stop(std::move(stop))
    {
        int screenNumber = 0;
        // The server at times resets a connection made just after another
        // one closed: a few more tries, a moment apart.
        for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
            if (attempt > 0) {
                xcb_disconnect(m_connection);
                std::this_thread::sleep_for(kConnectPause);
            }
            m_connection = xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(),
                                       &screenNumber);
            if (!xcb_connection_has_error(m_connection)) {
                m_window = createWindow(screenNumber, selection);
                return;
            }
        }
    }
    ~SelectionSession() { xcb_disconnect(m_connection); }
    SelectionSession(const SelectionSession&) = delete;
    SelectionSession& operator=(const SelectionSession&) = delete;

    std::optional<QString> readText(qsizetype maxBytes);

private:
    enum class Outcome
    {
        Answered,
        Refused,
        Failed
    };
    struct Converted
    {
        Outcome outcome = Outcome::Failed;
        xcb_atom_t type = XCB_ATOM_NONE;
        uint8_t format = 0;
        QByteArray data;
    };

    xcb_window_t createWindow(int screenNumber, const QByteArray& selection);
    QList<xcb_atom_t> intern(const QList<QByteArray>& names);
    QList<QByteArray> atomNames(const QList<xcb_atom_t>& atoms);
    Converted convert(xcb_atom_t target, qsizetype maxBytes);
    bool takeProperty(Converted& converted, qsizetype maxBytes, bool* complete);
    bool readIncrementally(Converted& converted, qsizetype maxBytes);
    std::optional<QString> textOf(const Converted& converted);
    template <typename Wanted> XcbPtr<xcb_generic_event_t> waitFor(Wanted wanted);

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_window = XCB_WINDOW_NONE;
    Atoms m_atoms;
    const Clock::time_point m_deadline;
    const std::stop_token m_stop;
};

xcb_window_t SelectionSession::createWindow(int screenNumber, const QByteArray& selection)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return XCB_WINDOW_NONE;
    const xcb_window_t window = xcb_generate_id(m_connection);
    const uint32_t values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(m_connection, 0, window, screens.data->root, -10, -10, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    const QList<xcb_atom_t> atoms =
        intern({selection, "TARGETS", "INCR", "KVEL_SELECTION", "x-kde-passwordManagerHint"});
    if (atoms.contains(XCB_ATOM_NONE))
        return XCB_WINDOW_NONE;
    m_atoms = {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4]};
    return window;
}

QList<xcb_atom_t> SelectionSession::intern(const QList<QByteArray>& names)
{
    // All requests first, then the answers: one round trip to the server.
    QList<xcb_intern_atom_cookie_t> cookies;
    for (const QByteArray& name : names)
        cookies.append(xcb_intern_atom(m_connection, 0, uint16_t(name.size()), name.constData()));
    QList<xcb_atom_t> atoms;
    for (const xcb_intern_atom_cookie_t cookie : cookies) {
        const XcbPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_connection, cookie, nullptr));
        atoms.append(reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE));
    }
    return atoms;
}

QList<QByteArray> SelectionSession::atomNames(const QList<xcb_atom_t>& atoms)
{
    QList<xcb_get_atom_name_cookie_t> cookies;
    for (const xcb_atom_t atom : atoms)
        cookies.append(xcb_get_atom_name(m_connection, atom));
    QList<QByteArray> names;
    for (const xcb_get_atom_name_cookie_t cookie : cookies) {
        const XcbPtr<xcb_get_atom_name_reply_t> reply(
            xcb_get_atom_name_reply(m_connection, cookie, nullptr));
        names.append(reply ? QByteArray(xcb_get_atom_name_name(reply.get()),
                                        xcb_get_atom_name_name_length(reply.get()))
                           : QByteArray());
    }
    return names;
}

template <typename Wanted> XcbPtr<xcb_generic_event_t> SelectionSession::waitFor(Wanted wanted)
{
    // Only the owner's answers can be slow: the server itself answers at once.
    while (true) {
        while (XcbPtr<xcb_generic_event_t> event{xcb_poll_for_event(m_connection)}) {
            if (wanted(event.get()))
                return event;
        }
        if (xcb_connection_has_error(m_connection) || m_stop.stop_requested())
            return nullptr;
        const auto left = m_deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return nullptr;
        const auto slice = std::chrono::ceil<std::chrono::milliseconds>(
            std::min<Clock::duration>(left, kPollSlice));
        pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        poll(&fd, 1, int(slice.count()));
    }
}

SelectionSession::Converted SelectionSession::convert(xcb_atom_t target, qsizetype maxBytes)
{
    xcb_convert_selection(m_connection, m_window, m_atoms.selection, target, m_atoms.property,
                          XCB_CURRENT_TIME);
    xcb_flush(m_connection);
    const XcbPtr<xcb_generic_event_t> event = waitFor([&](const xcb_generic_event_t* e) {
        if ((e->response_type & 0x7f) != XCB_SELECTION_NOTIFY)
            return false;
        const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(e);
        return notify->requestor == m_window && notify->selection == m_atoms.selection &&
               notify->target == target;
    });
    Converted converted;
    if (!event)
        return converted;
    if (reinterpret_cast<const xcb_selection_notify_event_t*>(event.get())->property ==
        XCB_ATOM_NONE) {
        converted.outcome = Outcome::Refused;
        return converted;
    }
    bool complete = false;
    if (!takeProperty(converted, maxBytes, &complete))
        return converted;
    if (converted.type == m_atoms.incr && !readIncrementally(converted, maxBytes))
        return converted;
    converted.outcome = Outcome::Answered;
    return converted;
}

// Appends the property's value, up to maxBytes in all, and deletes it (which
// asks an incremental owner for the next piece). complete is false when the
// value went past maxBytes.
bool SelectionSession::takeProperty(Converted& converted, qsizetype maxBytes, bool* complete)
{
    const qsizetype room = std::max<qsizetype>(maxBytes - converted.data.size(), 0);
    const uint32_t longs = uint32_t(std::max<qsizetype>((room + 3) / 4, 1));
    const XcbPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection,
                               xcb_get_property(m_connection, 1, m_window, m_atoms.property,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, longs),
                               nullptr));
    if (!reply)
        return false;
    // The server deletes only a property read to its end.
    if (reply->bytes_after > 0)
        xcb_delete_property(m_connection, m_window, m_atoms.property);
    xcb_flush(m_connection);
    const int length = xcb_get_property_value_length(reply.get());
    // An empty last piece may come without a type.
    if (length > 0 || converted.data.isEmpty()) {
        converted.type = reply->type;
        converted.format = reply->format;
    }
    converted.data.append(static_cast<const char*>(xcb_get_property_value(reply.get())),
                          std::min<qsizetype>(length, room));
    *complete = reply->bytes_after == 0 && length <= room;
    return true;
}

bool SelectionSession::readIncrementally(Converted& converted, qsizetype maxBytes)
{
    // The owner writes piece after piece, each once the last was deleted; an
    // empty piece ends the transfer.
    converted.data.clear();
    while (true) {
        const XcbPtr<xcb_generic_event_t> event = waitFor([&](const xcb_generic_event_t* e) {
            if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
                return false;
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(e);
            return notify->window == m_window && notify->atom == m_atoms.property &&
                   notify->state == XCB_PROPERTY_NEW_VALUE;
        });
        if (!event)
            return false;
        const qsizetype before = converted.data.size();
        bool complete = false;
        if (!takeProperty(converted, maxBytes, &complete))
            return false;
        // Past the limit the rest is left to the owner, who sees the
        // connection go.
        if (converted.data.size() == before || !complete || converted.data.size() >= maxBytes)
            return true;
    }
}

std::optional<QString> SelectionSession::textOf(const Converted& converted)
{
    if (converted.outcome != Outcome::Answered || converted.format != 8)
        return std::nullopt;
    return x11Text(atomNames({converted.type}).value(0), converted.data);
}

std::optional<QString> SelectionSession::readText(qsizetype maxBytes)
{
    if (m_window == XCB_WINDOW_NONE)
        return std::nullopt;
    const XcbPtr<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, m_atoms.selection), nullptr));
    if (!owner || owner->owner == XCB_WINDOW_NONE)
        return std::nullopt;

    const Converted targets = convert(m_atoms.targets, kMaxTargets * 4);
    if (targets.outcome == Outcome::Failed)
        return std::nullopt;
    if (targets.outcome == Outcome::Refused || targets.format != 32) {
        // An old owner without a target list: the text forms in turn.
        for (const xcb_atom_t target : intern(x11TargetsWithoutList())) {
            const Converted text = convert(target, maxBytes);
            if (text.outcome != Outcome::Refused)
                return textOf(text);
        }
        return std::nullopt;
    }

    QList<xcb_atom_t> offered(targets.data.size() / 4);
    std::memcpy(offered.data(), targets.data.constData(), size_t(offered.size()) * 4);
    const std::optional<X11TextRequest> request = x11TextRequest(atomNames(offered));
    if (!request)
        return std::nullopt;
    if (request->askSecret) {
        const Converted hint = convert(m_atoms.secretHint, kHintBytes);
        if (hint.outcome == Outcome::Failed ||
            (hint.outcome == Outcome::Answered && hint.data == "secret"))
            return std::nullopt;
    }
    return textOf(convert(intern({request->target}).value(0), maxBytes));
}

} // namespace

std::optional<QString> readX11SelectionText(const QByteArray& displayName,
                                            const QByteArray& selection,
                                            const SelectionReadLimits& limits, std::stop_token stop)
{
    SelectionSession session(displayName, selection, Clock::now() + limits.deadline,
                             std::move(stop));
    return session.readText(limits.maxBytes);
}

} // namespace kvel
