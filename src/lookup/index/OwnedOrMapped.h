// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace kvel {

// A read-only array that is either its own, as a built index has it, or
// borrowed from a mapped index file, which must outlive it.
template <class T> class OwnedOrMapped
{
public:
    OwnedOrMapped() = default;
    explicit OwnedOrMapped(std::vector<T> owned) : m_owned(std::move(owned)), m_view(m_owned) {}
    explicit OwnedOrMapped(std::span<const T> mapped) : m_view(mapped) {}
    // A moved vector keeps its buffer, so the view stays right.
    OwnedOrMapped(OwnedOrMapped&&) = default;
    OwnedOrMapped& operator=(OwnedOrMapped&&) = default;

    std::span<const T> view() const { return m_view; }
    std::size_t size() const { return m_view.size(); }
    bool empty() const { return m_view.empty(); }
    const T& operator[](std::size_t at) const { return m_view[at]; }
    auto begin() const { return m_view.begin(); }
    auto end() const { return m_view.end(); }
    // Heap bytes it holds: none when mapped.
    std::size_t memoryBytes() const { return m_owned.capacity() * sizeof(T); }

private:
    std::vector<T> m_owned;
    std::span<const T> m_view;
};

} // namespace kvel
