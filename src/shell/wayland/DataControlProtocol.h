// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

struct wl_interface;
struct wl_proxy;

// The client side of the wlroots data-control protocol
// (zwlr_data_control_manager_v1, version 2), written from the protocol's
// documentation: Debian packages neither a client library nor its XML.
namespace kvel::datacontrol {

extern const wl_interface managerInterface;
extern const wl_interface deviceInterface;
extern const wl_interface sourceInterface;
extern const wl_interface offerInterface;

inline constexpr const char* kManagerName = "zwlr_data_control_manager_v1";

// Events of a device, in the protocol's order. New offers arrive through
// dataOffer, then announce their MIME types, then become the selection.
struct DeviceListener
{
    void (*dataOffer)(void* data, wl_proxy* device, wl_proxy* offer);
    void (*selection)(void* data, wl_proxy* device, wl_proxy* offer); // offer may be null
    void (*finished)(void* data, wl_proxy* device);
    void (*primarySelection)(void* data, wl_proxy* device, wl_proxy* offer); // since 2
};

struct OfferListener
{
    void (*offer)(void* data, wl_proxy* offer, const char* mimeType);
};

// The device that reports the selection of seat.
wl_proxy* getDataDevice(wl_proxy* manager, wl_proxy* seat);
void destroyManager(wl_proxy* manager);
void destroyDevice(wl_proxy* device);

// Asks the offer's owner to write its data as mimeType into fd; the request
// carries a copy of fd, so the caller closes its own at once.
void receive(wl_proxy* offer, const char* mimeType, int fd);
void destroyOffer(wl_proxy* offer);

int addDeviceListener(wl_proxy* device, const DeviceListener* listener, void* data);
int addOfferListener(wl_proxy* offer, const OfferListener* listener, void* data);

} // namespace kvel::datacontrol
