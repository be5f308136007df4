#pragma once

#include <QImage>

#include <cstdint>

namespace tessaly::PackedRows {

/// One RGB32 row as 8-bit red, green, blue triples, the byte order the file wants on any
/// machine.
inline void toRgb(const QRgb *pixels, int width, std::uint8_t *out)
{
    for (int x = 0; x < width; ++x) {
        *out++ = std::uint8_t(qRed(pixels[x]));
        *out++ = std::uint8_t(qGreen(pixels[x]));
        *out++ = std::uint8_t(qBlue(pixels[x]));
    }
}

/// The same as blue, green, red triples.
inline void toBgr(const QRgb *pixels, int width, std::uint8_t *out)
{
    for (int x = 0; x < width; ++x) {
        *out++ = std::uint8_t(qBlue(pixels[x]));
        *out++ = std::uint8_t(qGreen(pixels[x]));
        *out++ = std::uint8_t(qRed(pixels[x]));
    }
}

/// Puts a value into four bytes, most significant first or last.
inline void putBigEndian32(std::uint8_t *out, std::uint32_t value)
{
    out[0] = std::uint8_t(value >> 24);
    out[1] = std::uint8_t(value >> 16);
    out[2] = std::uint8_t(value >> 8);
    out[3] = std::uint8_t(value);
}
inline void putLittleEndian32(std::uint8_t *out, std::uint32_t value)
{
    out[0] = std::uint8_t(value);
    out[1] = std::uint8_t(value >> 8);
    out[2] = std::uint8_t(value >> 16);
    out[3] = std::uint8_t(value >> 24);
}

} // namespace tessaly::PackedRows
