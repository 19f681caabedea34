// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace kvel {

// Numbers below a bound known up front, each stored in as few whole bytes as
// the bound needs: the key numbers of a million headwords take three bytes
// instead of four, which is most of what the indexes of a big dictionary hold.
// The bytes are either its own or borrowed from a mapped index file.
class PackedNumbers
{
public:
    // A read-only run of packed numbers.
    class View
    {
    public:
        class Iterator;

        View() = default;
        // `count` numbers of `width` bytes over `bytes`, which must hold them
        // and the spare bytes after them; none if they do not.
        static std::optional<View> over(std::span<const std::uint8_t> bytes, std::size_t count,
                                        std::uint32_t width);

        std::size_t size() const { return m_size; }
        std::uint32_t width() const { return m_width; }
        // The numbers' bytes and the spare bytes after them.
        std::span<const std::uint8_t> bytes() const;
        bool empty() const { return m_size == 0; }
        std::uint32_t operator[](std::size_t at) const
        {
            return wordAt(m_bytes + at * m_width) & m_mask;
        }
        std::uint32_t front() const { return (*this)[0]; }
        std::uint32_t back() const { return (*this)[m_size - 1]; }
        // `count` numbers from `offset` on.
        View subview(std::size_t offset, std::size_t count) const
        {
            return View(m_bytes + offset * m_width, count, m_width, m_mask);
        }
        Iterator begin() const;
        Iterator end() const;

        // Calls `visit` with every number in order. Faster than indexing over
        // a long run, since the loop is made for each width.
        template <class Visit> void forEach(const Visit& visit) const
        {
            switch (m_width) {
            case 1:
                return forEachOfWidth<1>(visit);
            case 2:
                return forEachOfWidth<2>(visit);
            case 3:
                return forEachOfWidth<3>(visit);
            default:
                return forEachOfWidth<4>(visit);
            }
        }

    private:
        friend class PackedNumbers;
        template <std::uint32_t Width, class Visit> void forEachOfWidth(const Visit& visit) const
        {
            constexpr std::uint32_t mask = std::uint32_t(~std::uint64_t(0) >> (64 - 8 * Width));
            const std::uint8_t* const end = m_bytes + m_size * Width;
            for (const std::uint8_t* bytes = m_bytes; bytes != end; bytes += Width)
                visit(wordAt(bytes) & mask);
        }

        // The four little-endian bytes at `bytes`. Every buffer ends in three
        // spare bytes, so that the last number can be read as a whole word too.
        static std::uint32_t wordAt(const std::uint8_t* bytes)
        {
            std::uint32_t number;
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(&number, bytes, sizeof number);
            } else {
                number = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                         std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
            }
            return number;
        }

        View(const std::uint8_t* bytes, std::size_t size, std::uint32_t width, std::uint32_t mask)
            : m_bytes(bytes), m_size(size), m_width(width), m_mask(mask)
        {}

        const std::uint8_t* m_bytes = nullptr;
        std::size_t m_size = 0;
        std::uint32_t m_width = 1;
        std::uint32_t m_mask = 0;
    };

    PackedNumbers() : PackedNumbers(1, 0) {}
    // `count` zeros, for numbers below `bound` (at most 2^32).
    PackedNumbers(std::uint64_t bound, std::size_t count);
    // The numbers of a view over bytes owned elsewhere, which must outlive them.
    explicit PackedNumbers(View borrowed) : m_view(borrowed) {}
    PackedNumbers(PackedNumbers&&) = default;
    PackedNumbers& operator=(PackedNumbers&&) = default;

    // Bytes a number below `bound` takes: 1 to 4.
    static int widthFor(std::uint64_t bound);

    std::size_t size() const { return m_view.m_size; }
    bool empty() const { return m_view.m_size == 0; }
    int width() const { return int(m_view.m_width); }
    std::uint32_t operator[](std::size_t at) const { return m_view[at]; }
    // Only numbers of its own can be set.
    void set(std::size_t at, std::uint32_t number)
    {
        const std::uint32_t width = m_view.m_width;
        const std::uint32_t mask = m_view.m_mask;
        std::uint8_t* bytes = m_bytes.data() + at * width;
        if constexpr (std::endian::native == std::endian::little) {
            // One word read and written back with the bytes past the number
            // unchanged: the spare bytes at the end make room for it.
            std::uint32_t word;
            std::memcpy(&word, bytes, sizeof word);
            word = (word & ~mask) | (number & mask);
            std::memcpy(bytes, &word, sizeof word);
        } else {
            for (std::uint32_t i = 0; i < width; ++i)
                bytes[i] = std::uint8_t(number >> (8 * i));
        }
    }

    View view() const { return m_view; }
    View view(std::size_t offset, std::size_t count) const { return view().subview(offset, count); }

    std::size_t memoryBytes() const { return m_bytes.capacity(); }

private:
    std::vector<std::uint8_t> m_bytes;
    // Over m_bytes or the borrowed bytes; a moved vector keeps its buffer.
    View m_view;
};

class PackedNumbers::View::Iterator
{
public:
    using value_type = std::uint32_t;
    using difference_type = std::ptrdiff_t;

    std::uint32_t operator*() const { return m_view[m_at]; }
    Iterator& operator++()
    {
        ++m_at;
        return *this;
    }
    Iterator operator++(int)
    {
        Iterator before = *this;
        ++m_at;
        return before;
    }
    bool operator==(const Iterator& other) const { return m_at == other.m_at; }

private:
    friend class PackedNumbers::View;
    Iterator(const View& view, std::size_t at) : m_view(view), m_at(at) {}
    View m_view;
    std::size_t m_at;
};

inline PackedNumbers::View::Iterator PackedNumbers::View::begin() const
{
    return Iterator(*this, 0);
}

inline PackedNumbers::View::Iterator PackedNumbers::View::end() const
{
    return Iterator(*this, m_size);
}

} // namespace kvel
