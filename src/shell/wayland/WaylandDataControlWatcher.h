// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

class QSocketNotifier;
struct wl_display;
struct wl_proxy;
struct wl_registry;

namespace kvel {

class OfferReader;

// Sees every copy on a Wayland desktop, even while no Kvel window has the
// focus, through the compositor's data-control protocol (wlroots compositors
// and KDE Plasma). It keeps its own Wayland connection beside the XWayland
// one the windows use, driven by Qt's event loop. Only plain text is taken;
// password-manager secrets, files and pictures are not news.
class WaylandDataControlWatcher : public QObject
{
    Q_OBJECT

public:
    explicit WaylandDataControlWatcher(QObject* parent = nullptr);
    ~WaylandDataControlWatcher() override;

    // Connects to the compositor (an empty name means WAYLAND_DISPLAY) and
    // reports every selection made from now on; the one already there is not
    // news. False when there is no compositor or it offers no data control.
    bool start(const QString& displayName = {});
    void stop();
    bool isActive() const { return m_display != nullptr; }

signals:
    void textCopied(const QString& text);

private:
    static void registryGlobal(void* data, wl_registry* registry, uint32_t name,
                               const char* interface, uint32_t version);
    static void registryGlobalRemove(void* data, wl_registry* registry, uint32_t name);
    static void deviceDataOffer(void* data, wl_proxy* device, wl_proxy* offer);
    static void deviceSelection(void* data, wl_proxy* device, wl_proxy* offer);
    static void deviceFinished(void* data, wl_proxy* device);
    static void devicePrimarySelection(void* data, wl_proxy* device, wl_proxy* offer);
    static void offerMimeType(void* data, wl_proxy* offer, const char* mimeType);

    bool bindDevice();
    void dispatchEvents();
    void selectionChanged(wl_proxy* offer);
    void readSelection(wl_proxy* offer, const QByteArray& mimeType);
    void readerFinished(OfferReader* reader, const QByteArray& data);
    void dropOffersExcept(wl_proxy* kept);

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    uint32_t m_seatName = 0;
    uint32_t m_managerName = 0;
    wl_proxy* m_seat = nullptr;
    wl_proxy* m_manager = nullptr;
    wl_proxy* m_device = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    // Offers still alive, with the MIME types each announced.
    QHash<wl_proxy*, QList<QByteArray>> m_offers;
    bool m_ready = false;
    QPointer<OfferReader> m_reader;
};

} // namespace kvel
