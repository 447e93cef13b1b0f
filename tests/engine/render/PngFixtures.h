#pragma once

// PNG files of any colour type and bit depth for tests and fuzz seeds, encoded
// with libspng from samples as the PNG format stores them (packed below 8 bits,
// big-endian at 16).

#include <spng.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace pngtest {

struct RawPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bitDepth = 8;
    uint8_t colourType = SPNG_COLOR_TYPE_GRAYSCALE;
    std::vector<uint8_t> rows; // packed rows, no filter bytes
    std::optional<uint16_t> greyKey;
    bool interlaced = false;
};

// Rows of greyscale samples at the given depth, packed as PNG stores them.
inline std::vector<uint8_t> PackGrey(const std::vector<std::vector<uint16_t>>& levels, uint8_t depth)
{
    std::vector<uint8_t> out;
    for (const auto& row : levels) {
        const size_t rowBytes = (row.size() * depth + 7) / 8;
        std::vector<uint8_t> packed(rowBytes, 0);
        for (size_t x = 0; x < row.size(); ++x) {
            if (depth == 16) {
                packed[x * 2] = uint8_t(row[x] >> 8);
                packed[x * 2 + 1] = uint8_t(row[x]);
            } else if (depth == 8) {
                packed[x] = uint8_t(row[x]);
            } else {
                const size_t bit = x * depth;
                packed[bit / 8] |= uint8_t(row[x] << (8 - depth - bit % 8));
            }
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

// The encoded file; empty when libspng refuses the picture.
inline std::vector<uint8_t> EncodeRawPng(const RawPicture& picture)
{
    std::vector<uint8_t> out;
    std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> ctx(spng_ctx_new(SPNG_CTX_ENCODER), &spng_ctx_free);
    if (!ctx)
        return out;
    spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr header {};
    header.width = picture.width;
    header.height = picture.height;
    header.bit_depth = picture.bitDepth;
    header.color_type = picture.colourType;
    header.interlace_method = picture.interlaced ? SPNG_INTERLACE_ADAM7 : SPNG_INTERLACE_NONE;
    if (spng_set_ihdr(ctx.get(), &header) != 0)
        return out;
    if (picture.greyKey) {
        spng_trns key {};
        key.gray = *picture.greyKey;
        spng_set_trns(ctx.get(), &key);
    }
    if (spng_encode_image(
            ctx.get(), picture.rows.data(), picture.rows.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE)
        != 0)
        return out;
    size_t length = 0;
    int error = 0;
    std::unique_ptr<void, decltype(&std::free)> buffer(
        spng_get_png_buffer(ctx.get(), &length, &error), &std::free);
    if (buffer && error == 0)
        out.assign(static_cast<uint8_t*>(buffer.get()), static_cast<uint8_t*>(buffer.get()) + length);
    return out;
}

// CRC-32 of PNG chunks (over the chunk type and data).
inline uint32_t ChunkCrc(const uint8_t* bytes, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The file with its header's width and height replaced (and the header's
// checksum made to match): a picture claiming more than it holds.
inline std::vector<uint8_t> WithSize(std::vector<uint8_t> png, uint32_t width, uint32_t height)
{
    if (png.size() < 33)
        return png;
    auto put = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            png[at + size_t(i)] = uint8_t(value >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    put(29, ChunkCrc(png.data() + 12, 17));
    return png;
}

} // namespace pngtest
