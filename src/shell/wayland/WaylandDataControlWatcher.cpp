// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/WaylandDataControlWatcher.h"

#include "shell/wayland/DataControlProtocol.h"
#include "shell/wayland/OfferReader.h"
#include "shell/wayland/OfferedText.h"

#include <QSocketNotifier>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <wayland-client.h>

namespace kvel {

WaylandDataControlWatcher::WaylandDataControlWatcher(QObject* parent) : QObject(parent) {}

WaylandDataControlWatcher::~WaylandDataControlWatcher()
{
    stop();
}

bool WaylandDataControlWatcher::start(const QString& displayName)
{
    if (m_display)
        return true;
    const QByteArray name = displayName.toLocal8Bit();
    m_display = wl_display_connect(name.isEmpty() ? nullptr : name.constData());
    if (!m_display)
        return false;
    if (!bindDevice()) {
        stop();
        return false;
    }
    m_ready = true;
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this,
            &WaylandDataControlWatcher::dispatchEvents);
    wl_display_flush(m_display);
    return true;
}

bool WaylandDataControlWatcher::bindDevice()
{
    static const wl_registry_listener registryListener = {&registryGlobal, &registryGlobalRemove};
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, this);
    if (wl_display_roundtrip(m_display) < 0 || m_seatName == 0 || m_managerName == 0)
        return false;
    // Version 1 has everything a watcher needs; version 2 adds the mouse
    // selection, which is not a copy.
    m_seat =
        static_cast<wl_proxy*>(wl_registry_bind(m_registry, m_seatName, &wl_seat_interface, 1));
    m_manager = static_cast<wl_proxy*>(
        wl_registry_bind(m_registry, m_managerName, &datacontrol::managerInterface, 1));
    m_device = datacontrol::getDataDevice(m_manager, m_seat);
    static const datacontrol::DeviceListener deviceListener = {
        &deviceDataOffer, &deviceSelection, &deviceFinished, &devicePrimarySelection};
    datacontrol::addDeviceListener(m_device, &deviceListener, this);
    // The device reports the current selection at once; m_ready is still false.
    return wl_display_roundtrip(m_display) >= 0 && m_device;
}

void WaylandDataControlWatcher::stop()
{
    delete m_reader;
    delete m_notifier;
    m_notifier = nullptr;
    m_ready = false;
    dropOffersExcept(nullptr);
    if (m_device)
        datacontrol::destroyDevice(m_device);
    if (m_manager)
        datacontrol::destroyManager(m_manager);
    if (m_seat)
        wl_proxy_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    m_device = m_manager = m_seat = nullptr;
    m_registry = nullptr;
    m_seatName = m_managerName = 0;
    if (m_display) {
        wl_display_flush(m_display);
        wl_display_disconnect(m_display);
        m_display = nullptr;
    }
}

void WaylandDataControlWatcher::dispatchEvents()
{
    // prepare_read fails while events are queued: they are dispatched first,
    // and the notifier fires again for what is left on the socket.
    if (wl_display_prepare_read(m_display) == 0 && wl_display_read_events(m_display) < 0) {
        stop();
        return;
    }
    if (wl_display_dispatch_pending(m_display) < 0) {
        stop();
        return;
    }
    if (m_display)
        wl_display_flush(m_display);
}

void WaylandDataControlWatcher::registryGlobal(void* data, wl_registry*, uint32_t name,
                                               const char* interface, uint32_t)
{
    auto* self = static_cast<WaylandDataControlWatcher*>(data);
    // The first seat is the desktop's keyboard and mouse; further seats are rare.
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && self->m_seatName == 0)
        self->m_seatName = name;
    else if (std::strcmp(interface, datacontrol::kManagerName) == 0)
        self->m_managerName = name;
}

void WaylandDataControlWatcher::registryGlobalRemove(void*, wl_registry*, uint32_t)
{
    // A seat that goes away ends its device, which reports finished.
}

void WaylandDataControlWatcher::deviceDataOffer(void* data, wl_proxy*, wl_proxy* offer)
{
    auto* self = static_cast<WaylandDataControlWatcher*>(data);
    self->m_offers.insert(offer, {});
    static const datacontrol::OfferListener offerListener = {&offerMimeType};
    datacontrol::addOfferListener(offer, &offerListener, self);
}

void WaylandDataControlWatcher::offerMimeType(void* data, wl_proxy* offer, const char* mimeType)
{
    auto* self = static_cast<WaylandDataControlWatcher*>(data);
    const auto types = self->m_offers.find(offer);
    if (types != self->m_offers.end())
        types->append(QByteArray(mimeType));
}

void WaylandDataControlWatcher::deviceSelection(void* data, wl_proxy*, wl_proxy* offer)
{
    static_cast<WaylandDataControlWatcher*>(data)->selectionChanged(offer);
}

void WaylandDataControlWatcher::deviceFinished(void* data, wl_proxy*)
{
    // The seat is gone; stopping from inside the dispatch would free the
    // connection under it.
    auto* self = static_cast<WaylandDataControlWatcher*>(data);
    QMetaObject::invokeMethod(self, &WaylandDataControlWatcher::stop, Qt::QueuedConnection);
}

void WaylandDataControlWatcher::devicePrimarySelection(void* data, wl_proxy*, wl_proxy* offer)
{
    // Only sent to version 2 devices; the mouse selection is not a copy.
    auto* self = static_cast<WaylandDataControlWatcher*>(data);
    if (offer && self->m_offers.remove(offer))
        datacontrol::destroyOffer(offer);
}

void WaylandDataControlWatcher::selectionChanged(wl_proxy* offer)
{
    // A newer copy replaces whatever is still being read: the last text wins.
    delete m_reader;
    const QList<QByteArray> types = m_offers.value(offer);
    dropOffersExcept(offer);
    if (!offer || !m_ready)
        return;
    if (const std::optional<QByteArray> mimeType = textMimeType(types))
        readSelection(offer, *mimeType);
}

void WaylandDataControlWatcher::readSelection(wl_proxy* offer, const QByteArray& mimeType)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    datacontrol::receive(offer, mimeType.constData(), fds[1]);
    ::close(fds[1]);
    wl_display_flush(m_display);
    auto* reader = new OfferReader(fds[0], kMaxOfferedTextBytes, this);
    connect(reader, &OfferReader::finished, this,
            [this, reader](const QByteArray& data) { readerFinished(reader, data); });
    m_reader = reader;
}

void WaylandDataControlWatcher::readerFinished(OfferReader* reader, const QByteArray& data)
{
    reader->deleteLater();
    if (reader != m_reader)
        return;
    m_reader = nullptr;
    emit textCopied(offeredText(data));
}

void WaylandDataControlWatcher::dropOffersExcept(wl_proxy* kept)
{
    for (auto it = m_offers.begin(); it != m_offers.end();) {
        if (it.key() == kept) {
            ++it;
            continue;
        }
        datacontrol::destroyOffer(it.key());
        it = m_offers.erase(it);
    }
}

} // namespace kvel
