// Broken and hostile bitmaps: each is refused with exactly one message, and
// never read past its end (the sanitizer build would catch that).
#include "unit/dib_test_support.h"

using namespace testing_support;

namespace {

const char* const kUnknown = "Unknown DIB file format.";
const char* const kConversion = "Image file conversion error.";

BmpFile palette8(int32_t width, int32_t height)
{
    BmpFile bmp;
    bmp.bitCount = 8;
    bmp.width = width;
    bmp.height = height;
    bmp.palette.assign(256, Rgb{1, 2, 3});
    std::vector<std::string> rows(static_cast<size_t>(height < 0 ? -height : height), std::string(width, '\x05'));
    bmp.pixels = paddedRows(rows);
    return bmp;
}

BmpFile rle8(const std::string& stream, int32_t width = 4, int32_t height = 2)
{
    BmpFile bmp = palette8(1, 1);
    bmp.width = width;
    bmp.height = height;
    bmp.compression = 1;
    bmp.pixels = stream;
    return bmp;
}

} // namespace

TEST_F(DibTest, HeadersOtherThanCoreAndInfoAreUnknown)
{
    BmpFile bmp = patternBmp24(2, 2);
    for (uint32_t size : {108u, 124u, 64u, 0u, 0xFFFFFFFFu}) {
        bmp.headerSize = size;
        expectRejected(bmp.bytes(), kUnknown);
    }
    // Too short to hold even the header's size.
    expectRejected("BM", kUnknown);
    expectRejected(std::string("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0", 16), kUnknown);
    expectRejected("x", kUnknown);
}

TEST_F(DibTest, TruncatedHeadersTablesAndMasksAreConversionErrors)
{
    const std::string whole = palette8(4, 2).bytes();
    // Cut inside the info header, inside the colour table, before the pixels.
    for (size_t length : {20u, 53u, 60u, 14u + 40u + 1023u, 14u + 40u + 1024u})
        expectRejected(whole.substr(0, length), kConversion);

    BmpFile core = palette8(4, 2);
    core.headerSize = 12;
    expectRejected(core.bytes().substr(0, 14 + 11), kConversion);

    BmpFile masked;
    masked.bitCount = 16;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0};  // one mask short, and no pixels
    expectRejected(masked.bytes(), kConversion);
}

TEST_F(DibTest, ImpossibleSidesAreConversionErrors)
{
    const int32_t sides[][2] = {
        {0, 2}, {2, 0}, {-2, 2}, {65536, 1}, {1, 65536}, {1, -65536}, {1, INT32_MIN}, {INT32_MIN, 1},
        {INT32_MAX, 1},
    };
    for (const auto& side : sides) {
        BmpFile bmp = patternBmp24(1, 1);
        bmp.width = side[0];
        bmp.height = side[1];
        SCOPED_TRACE(std::to_string(side[0]) + " x " + std::to_string(side[1]));
        expectRejected(bmp.bytes(), kConversion);
    }
}

TEST_F(DibTest, FilesTooShortForTheirPicturesAreConversionErrors)
{
    // The largest sides allowed, whose row size times height needs 64 bits.
    BmpFile huge = patternBmp24(2, 2);
    huge.width = 65535;
    huge.height = 65535;
    expectRejected(huge.bytes(), kConversion);
    huge.bitCount = 32;
    expectRejected(huge.bytes(), kConversion);
    huge.headerSize = 12;
    huge.bitCount = 24;
    expectRejected(huge.bytes(), kConversion);

    // One byte short of the last row's pixels.
    const std::string whole = patternBmp24(3, 3).bytes();
    expectRejected(whole.substr(0, whole.size() - 4), kConversion);

    // Pixel offset at or past the end of the file.
    BmpFile bmp = patternBmp24(2, 2);
    bmp.pixelOffset = static_cast<int64_t>(bmp.bytes().size());
    expectRejected(bmp.bytes(), kConversion);
    bmp.pixelOffset = 0xFFFFFFFF;
    expectRejected(bmp.bytes(), kConversion);

    // A packed DIB whose colours-used field pushes the pixels past the end.
    BmpFile packed = patternBmp24(2, 2);
    packed.fileHeader = false;
    packed.coloursUsed = 0x40000000;
    expectRejected(packed.bytes(), kConversion);
}

TEST_F(DibTest, UnknownBitCountsAndCompressionsAreConversionErrors)
{
    for (uint16_t bits : {0, 2, 3, 7, 9, 12, 48, 64}) {
        BmpFile bmp = palette8(2, 2);
        bmp.bitCount = bits;
        SCOPED_TRACE(bits);
        expectRejected(bmp.bytes(), kConversion);
    }
    const uint32_t mismatched[][2] = {
        {4, 8},  {5, 8},   {6, 32},  {99, 24},  // JPEG, PNG, alpha bit-fields, nonsense
        {1, 4},  {1, 24},  {2, 8},   {2, 1},    // RLE at the wrong depth
        {3, 24}, {3, 8},                        // bit-fields at the wrong depth
    };
    for (const auto& pair : mismatched) {
        BmpFile bmp = palette8(2, 2);
        bmp.compression = pair[0];
        bmp.bitCount = static_cast<uint16_t>(pair[1]);
        bmp.masks = {0xF800, 0x07E0, 0x001F};
        bmp.pixels.append(64, '\0');
        SCOPED_TRACE(std::to_string(pair[0]) + " at " + std::to_string(pair[1]));
        expectRejected(bmp.bytes(), kConversion);
    }
}

TEST_F(DibTest, RleThatPaintsPastItsRowOrThePictureIsAConversionError)
{
    expectRejected(rle8(byteString({5, 1})).bytes(), kConversion);                    // run past the row
    expectRejected(rle8(byteString({2, 1, 3, 1})).bytes(), kConversion);              // second run overflows
    expectRejected(rle8(byteString({0, 5, 1, 2, 3, 4, 5, 0})).bytes(), kConversion);  // absolute past the row
    expectRejected(rle8(byteString({0, 2, 5, 0})).bytes(), kConversion);              // delta past the row
    expectRejected(rle8(byteString({0, 2, 0, 3})).bytes(), kConversion);              // delta past the top
    expectRejected(rle8(byteString({0, 0, 0, 0, 1, 1})).bytes(), kConversion);        // paints above the top
    expectRejected(rle8(byteString({0, 0, 0, 0, 0, 0})).bytes(), kConversion);        // end of line past the top
    expectRejected(rle8(byteString({0, 4, 1, 2})).bytes(), kConversion);              // literals past the file

    BmpFile rle4 = rle8(byteString({0, 5, 0x12, 0x34}), 8, 1);
    rle4.bitCount = 4;
    rle4.compression = 2;
    rle4.palette.resize(16);
    expectRejected(rle4.bytes(), kConversion);  // five nibbles need three bytes
}

TEST_F(DibTest, RleTooShortToCoverItsPictureIsRefusedBeforeAllocating)
{
    // Two bytes paint at most 255 pixels; 4 bytes cannot cover 511.
    expectRejected(rle8(byteString({255, 1, 0, 1}), 511, 1).bytes(), kConversion);
    recordedBoxes().clear();
    EXPECT_NE(decode(rle8(byteString({255, 1, 255, 1}), 510, 1).bytes()), nullptr);
    // The same for the largest sides: a few bytes never claim gigabytes.
    expectRejected(rle8(byteString({0, 1}), 65535, 65535).bytes(), kConversion);
    // No stream at all.
    BmpFile empty = rle8("");
    empty.fileHeader = false;
    expectRejected(empty.bytes(), kConversion);
}
