// SPDX-License-Identifier: GPL-2.0-or-later
// A session manager for one client, for the end-to-end tests: it shows what
// a program tells the session manager about restarting it.
//
// usage: kvel-e2e-session-manager
//
// Listens on a local ICE socket only and prints "address: ADDRESS", the value
// for SESSION_MANAGER. It registers the first client, asks it to save itself,
// prints each property the client sets as "property NAME: VALUES" (a CARD8 as
// its number, list items separated by blanks) and "done" once the client has
// saved. Then it stays, as a session manager does: Qt programs end when their
// session manager goes away. SIGTERM ends it and removes its socket. Exits 1
// when the client has not saved within 30 s or leaves before that.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kGiveUpSeconds = 30;

bool g_saved = false;
volatile std::sig_atomic_t g_stop = 0;

// Only connections through the local socket: nothing from the network.
Bool onlyLocal(char* hostName)
{
    return std::strncmp(hostName, "local/", 6) == 0;
}

Status registerClient(SmsConn connection, SmPointer, char* previousId)
{
    std::free(previousId);
    char* id = SmsGenerateClientID(connection);
    SmsRegisterClientReply(connection, id);
    std::free(id);
    SmsSaveYourself(connection, SmSaveLocal, False, SmInteractStyleNone, False);
    return 1;
}

std::string propertyText(const SmProp& property)
{
    if (std::strcmp(property.type, SmCARD8) == 0 && property.num_vals > 0 &&
        property.vals[0].length > 0)
        return std::to_string(*static_cast<unsigned char*>(property.vals[0].value));
    std::string text;
    for (int i = 0; i < property.num_vals; ++i) {
        if (i > 0)
            text += ' ';
        text.append(static_cast<const char*>(property.vals[i].value),
                    std::size_t(property.vals[i].length));
    }
    return text;
}

void setProperties(SmsConn, SmPointer, int count, SmProp** properties)
{
    for (int i = 0; i < count; ++i) {
        std::printf("property %s: %s\n", properties[i]->name, propertyText(*properties[i]).c_str());
        SmFreeProperty(properties[i]);
    }
    std::free(properties);
    std::fflush(stdout);
}

void saveYourselfDone(SmsConn, SmPointer, Bool)
{
    g_saved = true;
}

void interactRequest(SmsConn connection, SmPointer, int)
{
    SmsInteract(connection);
}

void interactDone(SmsConn, SmPointer, Bool) {}

void saveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}

void saveYourselfPhase2Request(SmsConn connection, SmPointer)
{
    SmsSaveYourselfPhase2(connection);
}

void closeConnection(SmsConn connection, SmPointer, int count, char** reasons)
{
    SmFreeReasons(count, reasons);
    SmsCleanUp(connection);
}

void deleteProperties(SmsConn, SmPointer, int count, char** names)
{
    for (int i = 0; i < count; ++i)
        std::free(names[i]);
    std::free(names);
}

void getProperties(SmsConn connection, SmPointer)
{
    SmsReturnProperties(connection, 0, nullptr);
}

Status newClient(SmsConn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**)
{
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    *callbacks = {};
    callbacks->register_client.callback = registerClient;
    callbacks->interact_request.callback = interactRequest;
    callbacks->interact_done.callback = interactDone;
    callbacks->save_yourself_request.callback = saveYourselfRequest;
    callbacks->save_yourself_phase2_request.callback = saveYourselfPhase2Request;
    callbacks->save_yourself_done.callback = saveYourselfDone;
    callbacks->close_connection.callback = closeConnection;
    callbacks->set_properties.callback = setProperties;
    callbacks->delete_properties.callback = deleteProperties;
    callbacks->get_properties.callback = getProperties;
    return 1;
}

int fail(const char* what, const char* detail)
{
    std::fprintf(stderr, "session manager: %s: %s\n", what, detail);
    return 1;
}

} // namespace

int main()
{
    // Without SA_RESTART, so that poll() returns.
    struct sigaction stop
    {
    };
    stop.sa_handler = [](int) {
        g_stop = 1;
    };
    sigaction(SIGTERM, &stop, nullptr);
    alarm(kGiveUpSeconds);
    char error[256] = {};
    if (!SmsInitialize("kvel-e2e", "1.0", newClient, nullptr, onlyLocal, sizeof error, error))
        return fail("cannot start", error);
    int count = 0;
    IceListenObj* listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error))
        return fail("cannot listen", error);
    IceListenObj local = nullptr;
    for (int i = 0; i < count; ++i) {
        IceSetHostBasedAuthProc(listeners[i], onlyLocal);
        char* name = IceGetListenConnectionString(listeners[i]);
        if (!local && std::strncmp(name, "local/", 6) == 0)
            local = listeners[i];
        std::free(name);
    }
    if (!local)
        return fail("cannot listen", "no local socket");
    char* address = IceComposeNetworkIdList(1, &local);
    std::printf("address: %s\n", address);
    std::fflush(stdout);
    std::free(address);

    // A lost client is seen in the result of IceProcessMessages; the default
    // handler would end the program.
    IceSetIOErrorHandler([](IceConn) {});
    std::vector<IceConn> clients;
    bool announced = false;
    // A SIGTERM that arrives outside poll() is seen within the poll's timeout.
    constexpr int kStopCheckMs = 200;
    for (;;) {
        if (g_stop) {
            IceFreeListenObjs(count, listeners);
            return 0;
        }
        std::vector<pollfd> fds{{IceGetListenConnectionNumber(local), POLLIN, 0}};
        for (IceConn client : clients)
            fds.push_back({IceConnectionNumber(client), POLLIN, 0});
        if (poll(fds.data(), fds.size(), kStopCheckMs) < 0) {
            if (errno != EINTR)
                return fail("poll", std::strerror(errno));
            continue;
        }
        if (fds[0].revents & POLLIN) {
            IceAcceptStatus status;
            if (IceConn client = IceAcceptConnection(local, &status)) {
                while (IceConnectionStatus(client) == IceConnectPending)
                    IceProcessMessages(client, nullptr, nullptr);
                if (IceConnectionStatus(client) == IceConnectAccepted)
                    clients.push_back(client);
            }
        }
        for (std::size_t i = fds.size() - 1; i >= 1; --i) {
            if (fds[i].revents & (POLLIN | POLLHUP) &&
                IceProcessMessages(clients[i - 1], nullptr, nullptr) != IceProcessMessagesSuccess) {
                if (!g_saved)
                    return fail("client", "connection lost before it saved");
                IceCloseConnection(clients[i - 1]);
                clients.erase(clients.begin() + std::ptrdiff_t(i - 1));
            }
        }
        if (g_saved && !announced) {
            alarm(0);
            std::printf("done\n");
            std::fflush(stdout);
            announced = true;
        }
    }
}
