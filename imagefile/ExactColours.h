#pragma once

#include <QRgb>

#include <array>
#include <cstddef>
#include <vector>

namespace tessaly {

/// Collects the distinct colours of an image as long as there are at most `limit` of them
/// (up to 256), and finds a collected colour's index fast.
class ExactColours
{
public:
    explicit ExactColours(int limit) : m_limit(limit) { m_slots.fill(Empty); }

    bool overflowed() const { return m_overflowed; }
    const std::vector<QRgb> &colours() const { return m_colours; }

    void add(QRgb colour)
    {
        if (m_overflowed)
            return;
        std::size_t slot = find(colour);
        if (m_slots[slot] != Empty)
            return;
        if (int(m_colours.size()) == m_limit) {
            m_overflowed = true;
            return;
        }
        m_slots[slot] = int(m_colours.size());
        m_colours.push_back(colour);
    }

    int indexOf(QRgb colour) const { return m_slots[find(colour)]; }

private:
    static constexpr int Empty = -1;
    static constexpr std::size_t SlotCount = 1024; // over twice the most colours kept

    std::size_t find(QRgb colour) const
    {
        std::size_t slot = (colour * 2654435761u) % SlotCount;
        while (m_slots[slot] != Empty && m_colours[std::size_t(m_slots[slot])] != colour)
            slot = (slot + 1) % SlotCount;
        return slot;
    }

    int m_limit;
    bool m_overflowed = false;
    std::vector<QRgb> m_colours;
    std::array<int, SlotCount> m_slots;
};

} // namespace tessaly
