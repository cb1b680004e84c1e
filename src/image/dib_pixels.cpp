#include "image/dib_pixels.h"

namespace {

// Colours by palette index, as red, green, blue. Indices the file's table does
// not reach read as black.
struct Palette {
    uint8_t rgb[256][3] = {};
};

Palette readPalette(const uint8_t* file, const DibLayout& layout)
{
    Palette palette;
    const uint8_t* entry = file + layout.paletteOffset;
    for (uint32_t i = 0; i < layout.paletteEntries; ++i, entry += layout.paletteEntrySize) {
        palette.rgb[i][0] = entry[2];
        palette.rgb[i][1] = entry[1];
        palette.rgb[i][2] = entry[0];
    }
    return palette;
}

// One colour channel of a 16- or 32-bit pixel: where its bits sit and how
// their values spread over 0..255, so that the brightest value is 255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int dropBits = 0;      // channels wider than 8 bits keep their top 8
    uint8_t scale[256] = {};

    explicit Channel(uint32_t channelMask)
        : mask(channelMask)
    {
        if (mask == 0)
            return;
        while (((mask >> shift) & 1) == 0)
            ++shift;
        int bits = 0;
        while (shift + bits < 32 && ((mask >> (shift + bits)) & 1) != 0)
            ++bits;
        dropBits = bits > 8 ? bits - 8 : 0;
        const uint32_t top = bits >= 8 ? 255 : (1u << bits) - 1;
        for (uint32_t v = 0; v <= top; ++v)
            scale[v] = static_cast<uint8_t>((v * 255 + top / 2) / top);
    }

    uint8_t operator()(uint32_t pixel) const
    {
        return scale[((pixel & mask) >> shift) >> dropBits];
    }
};

struct RowContext {
    const Palette* palette = nullptr;
    const Channel* channels = nullptr;  // red, green, blue
};

using RowDecoder = void (*)(const uint8_t* src, uint8_t* dst, int32_t width, const RowContext& context);

void decodeRow24(const uint8_t* src, uint8_t* dst, int32_t width, const RowContext&)
{
    for (int32_t x = 0; x < width; ++x, src += 3, dst += 3) {
        const uint8_t blue = src[0];
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = blue;
    }
}

void putColour(uint8_t* dst, const uint8_t* colour)
{
    dst[0] = colour[0];
    dst[1] = colour[1];
    dst[2] = colour[2];
}

void decodeRow8(const uint8_t* src, uint8_t* dst, int32_t width, const RowContext& context)
{
    for (int32_t x = 0; x < width; ++x, dst += 3)
        putColour(dst, context.palette->rgb[src[x]]);
}

void decodeRow4(const uint8_t* src, uint8_t* dst, int32_t width, const RowContext& context)
{
    for (int32_t x = 0; x < width; ++x, dst += 3) {
        const uint8_t byte = src[x >> 1];
        putColour(dst, context.palette->rgb[(x & 1) ? byte & 0x0F : byte >> 4]);
    }
}

void decodeRow1(const uint8_t* src, uint8_t* dst, int32_t width, const RowContext& context)
{
    for (int32_t x = 0; x < width; ++x, dst += 3)
        putColour(dst, context.palette->rgb[(src[x >> 3] >> (7 - (x & 7))) & 1]);
}

void putMasked(uint8_t* dst, uint32_t pixel, const Channel* channels)
{
    dst[0] = channels[0](pixel);
    dst[1] = channels[1](pixel);
    dst[2] = channels[2](pixel);
}

void decodeRow16(const uint8_t* src, uint8_t* dst, int32_t width, const RowContext& context)
{
    for (int32_t x = 0; x < width; ++x, src += 2, dst += 3)
        putMasked(dst, static_cast<uint32_t>(src[0] | src[1] << 8), context.channels);
}

void decodeRow32(const uint8_t* src, uint8_t* dst, int32_t width, const RowContext& context)
{
    for (int32_t x = 0; x < width; ++x, src += 4, dst += 3) {
        const uint32_t pixel = static_cast<uint32_t>(src[0]) | static_cast<uint32_t>(src[1]) << 8
            | static_cast<uint32_t>(src[2]) << 16 | static_cast<uint32_t>(src[3]) << 24;
        putMasked(dst, pixel, context.channels);
    }
}

RowDecoder rowDecoderFor(uint16_t bitCount)
{
    switch (bitCount) {
    case 1: return decodeRow1;
    case 4: return decodeRow4;
    case 8: return decodeRow8;
    case 16: return decodeRow16;
    case 32: return decodeRow32;
    default: return decodeRow24;
    }
}

// Output row of the n-th stored row: files keep their rows bottom-up unless
// the height was negative.
size_t outputRow(const DibLayout& layout, int32_t storedRow)
{
    return static_cast<size_t>(layout.topDown ? layout.height - 1 - storedRow : storedRow);
}

void decodeUncompressed(const uint8_t* file, const DibLayout& layout, uint8_t* rgb)
{
    const Palette palette = readPalette(file, layout);
    const Channel channels[3] = {Channel(layout.masks[0]), Channel(layout.masks[1]), Channel(layout.masks[2])};
    const RowContext context{&palette, channels};
    const RowDecoder decodeRow = rowDecoderFor(layout.bitCount);
    const size_t outStride = static_cast<size_t>(layout.width) * 3;
    const uint8_t* src = file + layout.pixelOffset;
    for (int32_t row = 0; row < layout.height; ++row, src += layout.rowStride)
        decodeRow(src, rgb + outputRow(layout, row) * outStride, layout.width, context);
}

// Run-length encoded 8- and 4-bit data: pairs of (count, index) repeat a
// colour; a zero count introduces an escape: 0 end of line, 1 end of bitmap,
// 2 a move right and up by the next two bytes, 3..255 that many literal
// indices padded to a 16-bit boundary. 4-bit runs alternate the index's two
// nibbles, high first.
class RleDecoder {
public:
    RleDecoder(const uint8_t* file, size_t size, const DibLayout& layout, uint8_t* rgb)
        : file_(file), size_(size), layout_(layout), rgb_(rgb), palette_(readPalette(file, layout)),
          fourBit_(layout.compression == kDibRle4)
    {
    }

    bool decode()
    {
        size_t pos = layout_.pixelOffset;
        // A stream that ends without its end-of-bitmap escape keeps what it drew.
        while (size_ - pos >= 2) {
            const uint8_t count = file_[pos];
            const uint8_t value = file_[pos + 1];
            pos += 2;
            if (count > 0) {
                if (!paintRun(count, value))
                    return false;
                continue;
            }
            switch (value) {
            case 0:  // end of line
                if (y_ >= layout_.height)
                    return false;
                x_ = 0;
                ++y_;
                break;
            case 1:  // end of bitmap
                return true;
            case 2:  // delta
                if (size_ - pos < 2)
                    return true;
                x_ += file_[pos];
                y_ += file_[pos + 1];
                pos += 2;
                if (x_ > layout_.width || y_ > layout_.height)
                    return false;
                break;
            default: {  // absolute run
                const size_t bytes = fourBit_ ? (value + 1u) / 2 : value;
                if (size_ - pos < bytes || !paintLiterals(file_ + pos, value))
                    return false;
                pos += bytes + (bytes & 1);
                if (pos > size_)
                    pos = size_;  // the last pad byte may be missing
                break;
            }
            }
        }
        return true;
    }

private:
    uint8_t* pixelsAt(int32_t count)
    {
        if (y_ >= layout_.height || count > layout_.width - x_)
            return nullptr;
        uint8_t* dst = rgb_ + (outputRow(layout_, y_) * static_cast<size_t>(layout_.width) + static_cast<size_t>(x_)) * 3;
        x_ += count;
        return dst;
    }

    bool paintRun(int32_t count, uint8_t value)
    {
        uint8_t* dst = pixelsAt(count);
        if (!dst)
            return false;
        const uint8_t* colours[2] = {palette_.rgb[fourBit_ ? value >> 4 : value],
                                     palette_.rgb[fourBit_ ? value & 0x0F : value]};
        for (int32_t i = 0; i < count; ++i, dst += 3)
            putColour(dst, colours[i & 1]);
        return true;
    }

    bool paintLiterals(const uint8_t* src, int32_t count)
    {
        uint8_t* dst = pixelsAt(count);
        if (!dst)
            return false;
        for (int32_t i = 0; i < count; ++i, dst += 3) {
            const uint8_t index = fourBit_ ? ((i & 1) ? src[i >> 1] & 0x0F : src[i >> 1] >> 4) : src[i];
            putColour(dst, palette_.rgb[index]);
        }
        return true;
    }

    const uint8_t* file_;
    size_t size_;
    const DibLayout& layout_;
    uint8_t* rgb_;
    const Palette palette_;
    const bool fourBit_;
    int32_t x_ = 0;
    int32_t y_ = 0;  // stored row
};

} // namespace

bool decodeDibPixels(const uint8_t* file, size_t size, const DibLayout& layout, uint8_t* rgb)
{
    if (layout.compression == kDibRle8 || layout.compression == kDibRle4)
        return RleDecoder(file, size, layout, rgb).decode();
    decodeUncompressed(file, layout, rgb);
    return true;
}
