// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/DataControlProtocol.h"

#include <wayland-client.h>

namespace kvel::datacontrol {

namespace {

// Request numbers are the messages' positions in the tables below.
constexpr uint32_t kGetDataDevice = 1;
constexpr uint32_t kManagerDestroy = 2;
constexpr uint32_t kDeviceDestroy = 1;
constexpr uint32_t kReceive = 0;
constexpr uint32_t kOfferDestroy = 1;

// One entry per argument: the interface of an object or new_id argument,
// null for every other kind.
const wl_interface* const sourceTypes[] = {&sourceInterface};
const wl_interface* const deviceAndSeatTypes[] = {&deviceInterface, &wl_seat_interface};
const wl_interface* const offerTypes[] = {&offerInterface};
const wl_interface* const noTypes[] = {nullptr, nullptr};

const wl_message managerRequests[] = {
    {"create_data_source", "n", const_cast<const wl_interface**>(sourceTypes)},
    {"get_data_device", "no", const_cast<const wl_interface**>(deviceAndSeatTypes)},
    {"destroy", "", nullptr},
};

const wl_message deviceRequests[] = {
    {"set_selection", "?o", const_cast<const wl_interface**>(sourceTypes)},
    {"destroy", "", nullptr},
    {"set_primary_selection", "2?o", const_cast<const wl_interface**>(sourceTypes)},
};

const wl_message deviceEvents[] = {
    {"data_offer", "n", const_cast<const wl_interface**>(offerTypes)},
    {"selection", "?o", const_cast<const wl_interface**>(offerTypes)},
    {"finished", "", nullptr},
    {"primary_selection", "2?o", const_cast<const wl_interface**>(offerTypes)},
};

const wl_message sourceRequests[] = {
    {"offer", "s", const_cast<const wl_interface**>(noTypes)},
    {"destroy", "", nullptr},
};

const wl_message sourceEvents[] = {
    {"send", "sh", const_cast<const wl_interface**>(noTypes)},
    {"cancelled", "", nullptr},
};

const wl_message offerRequests[] = {
    {"receive", "sh", const_cast<const wl_interface**>(noTypes)},
    {"destroy", "", nullptr},
};

const wl_message offerEvents[] = {
    {"offer", "s", const_cast<const wl_interface**>(noTypes)},
};

template <typename Table> constexpr int count(const Table& table)
{
    return int(sizeof(table) / sizeof(table[0]));
}

} // namespace

const wl_interface managerInterface = {
    kManagerName, 2, count(managerRequests), managerRequests, 0, nullptr,
};
const wl_interface deviceInterface = {
    "zwlr_data_control_device_v1", 2,
    count(deviceRequests),         deviceRequests,
    count(deviceEvents),           deviceEvents,
};
const wl_interface sourceInterface = {
    "zwlr_data_control_source_v1", 2,
    count(sourceRequests),         sourceRequests,
    count(sourceEvents),           sourceEvents,
};
const wl_interface offerInterface = {
    "zwlr_data_control_offer_v1", 2,           count(offerRequests), offerRequests,
    count(offerEvents),           offerEvents,
};

wl_proxy* getDataDevice(wl_proxy* manager, wl_proxy* seat)
{
    return wl_proxy_marshal_flags(manager, kGetDataDevice, &deviceInterface,
                                  wl_proxy_get_version(manager), 0, nullptr, seat);
}

void destroyManager(wl_proxy* manager)
{
    wl_proxy_marshal_flags(manager, kManagerDestroy, nullptr, wl_proxy_get_version(manager),
                           WL_MARSHAL_FLAG_DESTROY);
}

void destroyDevice(wl_proxy* device)
{
    wl_proxy_marshal_flags(device, kDeviceDestroy, nullptr, wl_proxy_get_version(device),
                           WL_MARSHAL_FLAG_DESTROY);
}

void receive(wl_proxy* offer, const char* mimeType, int fd)
{
    wl_proxy_marshal_flags(offer, kReceive, nullptr, wl_proxy_get_version(offer), 0, mimeType, fd);
}

void destroyOffer(wl_proxy* offer)
{
    wl_proxy_marshal_flags(offer, kOfferDestroy, nullptr, wl_proxy_get_version(offer),
                           WL_MARSHAL_FLAG_DESTROY);
}

int addDeviceListener(wl_proxy* device, const DeviceListener* listener, void* data)
{
    return wl_proxy_add_listener(
        device, reinterpret_cast<void (**)(void)>(const_cast<DeviceListener*>(listener)), data);
}

int addOfferListener(wl_proxy* offer, const OfferListener* listener, void* data)
{
    return wl_proxy_add_listener(
        offer, reinterpret_cast<void (**)(void)>(const_cast<OfferListener*>(listener)), data);
}

} // namespace kvel::datacontrol
