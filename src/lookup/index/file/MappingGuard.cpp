// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/MappingGuard.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <signal.h>
#include <sys/mman.h>

namespace kvel {

namespace {

// Lock-free, as the handler reads them at any moment.
struct Watched
{
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::size_t> length{0};
    std::atomic<bool> lost{false};
    std::atomic<bool> taken{false};
};

// More than the dictionaries a process opens at once.
std::array<Watched, 32> watched;
struct sigaction previous;

void chainToPrevious(int signal, siginfo_t* info, void* context)
{
    if (previous.sa_flags & SA_SIGINFO) {
        if (previous.sa_sigaction)
            previous.sa_sigaction(signal, info, context);
        return;
    }
    if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
        return;
    }
    // The faulting read runs again on return and now ends the process as it
    // would have without this handler.
    ::signal(SIGBUS, SIG_DFL);
}

void onBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Watched& mapping : watched) {
        const std::uintptr_t begin = mapping.begin.load();
        const std::size_t length = mapping.length.load();
        if (begin == 0 || address - begin >= length)
            continue;
        // The read runs again on return and finds a zero.
        if (mmap(reinterpret_cast<void*>(begin), length, PROT_READ,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED)
            break;
        mapping.lost.store(true);
        return;
    }
    chainToPrevious(signal, info, context);
}

void installHandler()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction action = {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        sigaction(SIGBUS, &action, &previous);
    });
}

} // namespace

MappingGuard::MappingGuard(void* begin, std::size_t length)
{
    installHandler();
    for (std::size_t slot = 0; slot < watched.size(); ++slot) {
        bool free = false;
        if (!watched[slot].taken.compare_exchange_strong(free, true))
            continue;
        watched[slot].lost.store(false);
        watched[slot].length.store(length);
        watched[slot].begin.store(reinterpret_cast<std::uintptr_t>(begin));
        m_slot = int(slot);
        return;
    }
}

MappingGuard::~MappingGuard()
{
    if (m_slot < 0)
        return;
    watched[std::size_t(m_slot)].begin.store(0);
    watched[std::size_t(m_slot)].taken.store(false);
}

bool MappingGuard::lost() const
{
    return m_slot >= 0 && watched[std::size_t(m_slot)].lost.load();
}

} // namespace kvel
