// The bitmap decoder: one picture per stored form, compared byte for byte;
// broken and hostile files, each refused with exactly one message and never
// read past its end (the sanitizer build would see that); open failures.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>

#include "image/dib_image.h"
#include "support/bmp_writer.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};
const Rgb kA{10, 20, 30}, kB{40, 50, 60}, kC{70, 80, 90}, kD{100, 110, 120};

// Colour i of the palette is (i, 2i, 3i) * 5: easy to predict.
Rgb ramp(int i) { return {uint8_t(i * 5), uint8_t(i * 10), uint8_t(i * 15)}; }
std::vector<uint8_t> rgb(const std::vector<Rgb>& pixels)
{
    std::vector<uint8_t> out;
    for (const Rgb& p : pixels)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}
std::vector<Rgb> rampPalette(int entries)
{
    std::vector<Rgb> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back(ramp(i));
    return palette;
}

// A bitmap made by changing a few fields of a plain one.
BmpFile bmpWith(const std::function<void(BmpFile&)>& change, BmpFile bmp = patternBmp24(2, 2))
{
    change(bmp);
    return bmp;
}

BmpFile palette8(int32_t width, int32_t height)
{
    const std::vector<std::string> rows(size_t(height), std::string(size_t(width), '\x05'));
    return indexedBmp(8, width, height, std::vector<Rgb>(256, Rgb{1, 2, 3}), paddedRows(rows));
}

BmpFile rle8(const std::string& stream, int32_t width = 4, int32_t height = 2)
{
    return indexedBmp(8, width, height, rampPalette(16), stream, 1);
}

class DibTest : public testing::Test {
protected:
    DibTest() { recordMessageBoxes(); }
    std::unique_ptr<DibImage> decode(const std::string& bytes)
    {
        recordedBoxes().clear();
        writeFile("t.bmp", bytes);
        return loadDibImage("t.bmp");
    }
    // The texts of the boxes shown, each an error box.
    static std::vector<std::string> boxTexts()
    {
        std::vector<std::string> texts;
        for (const auto& box : recordedBoxes())
            texts.push_back(box.caption == "Error" && box.style == platform::MessageBoxStyle::ErrorOk ? box.text : "?");
        return texts;
    }
    ScopedWorkingDirectory cwd_{makeTempDir("dib")};
};

} // namespace

TEST_F(DibTest, EveryStoredFormDecodesToRgbBottomRowFirst)
{
    const BmpFile palette256 = indexedBmp(8, 2, 2, rampPalette(256), paddedRows({byteString({1, 255}), byteString({7, 0})}));
    const std::vector<Rgb> palette256Pixels{ramp(1), ramp(255), ramp(7), ramp(0)};
    const struct {
        const char* form;
        BmpFile bmp;
        std::vector<Rgb> pixels;  // the picture's own width by its height, bottom row first
    } cases[] = {
        {"24 bits, rows padded, blue first",
         bmpWith([](BmpFile& b) { b.width = 3; b.pixels = paddedRows({bgrRow({kA, kB, kC}), bgrRow({kD, kRed, kBlue})}); }),
         {kA, kB, kC, kD, kRed, kBlue}},
        {"top-down rows",
         bmpWith([](BmpFile& b) { b.height = -3; b.pixels = paddedRows({bgrRow({kA, kB}), bgrRow({kC, kD}), bgrRow({kRed, kGreen})}); }),
         {kRed, kGreen, kC, kD, kA, kB}},
        {"8 bits through the colour table", palette256, palette256Pixels},
        {"packed, without the file header", bmpWith([](BmpFile& b) { b.fileHeader = false; }, palette256), palette256Pixels},
        // A table longer than 8 bits can index: its first 256 entries serve,
        // and the rest only push the pixels of a packed DIB further on.
        {"table longer than the bit count allows",
         bmpWith([](BmpFile& b) { b.fileHeader = false; b.coloursUsed = 300; b.palette.resize(300, kWhite); }, palette256),
         palette256Pixels},
        {"core header", bmpWith([](BmpFile& b) { b.headerSize = 12; }, palette256), palette256Pixels},
        {"core header, packed", bmpWith([](BmpFile& b) { b.headerSize = 12; b.fileHeader = false; }, palette256), palette256Pixels},
        // Row 0: 1000 0001 | 01xx xxxx, most significant bit first.
        {"1 bit across bytes", indexedBmp(1, 10, 1, {kRed, kBlue}, paddedRows({byteString({0x81, 0x7F})})),
         {kBlue, kRed, kRed, kRed, kRed, kRed, kRed, kBlue, kRed, kBlue}},
        // x RRRRR GGGGG BBBBB: full red, full green, (1, 16, 0).
        {"16 bits, 5-5-5", bmpWith([](BmpFile& b) {
             b.bitCount = 16; b.width = 3; b.height = 1; b.pixels = paddedRows({byteString({0x00, 0x7C, 0xE0, 0x03, 0x00, 0x06})});
         }), {kRed, kGreen, {8, 132, 0}}},
        {"16 bits, 5-6-5 by masks", bmpWith([](BmpFile& b) {
             b.bitCount = 16; b.width = 3; b.height = 1; b.compression = 3; b.masks = {0xF800, 0x07E0, 0x001F};
             b.pixels = paddedRows({byteString({0xFF, 0xFF, 0x3F, 0x00, 0xE0, 0x07})});
         }), {kWhite, {0, 4, 255}, kGreen}},
        {"32 bits, top byte unused",
         bmpWith([](BmpFile& b) { b.bitCount = 32; b.height = 1; b.pixels = byteString({30, 20, 10, 0xFF, 60, 50, 40, 0x12}); }),
         {kA, kB}},
        // Runs, an absolute run padded to a word, end of line, a delta (one
        // right, one up) that skips pixels, end of bitmap with bytes after it.
        {"RLE8", rle8(byteString({3, 1, 0, 3, 4, 5, 6, 0, 0, 0, 2, 7, 0, 2, 1, 1, 0, 3, 8, 9, 10, 0, 0, 0, 6, 2, 0, 1, 9, 9, 9, 9}), 6, 4),
         {ramp(1), ramp(1), ramp(1), ramp(4), ramp(5), ramp(6), ramp(7), ramp(7), kBlack, kBlack, kBlack, kBlack,
          kBlack, kBlack, kBlack, ramp(8), ramp(9), ramp(10), ramp(2), ramp(2), ramp(2), ramp(2), ramp(2), ramp(2)}},
        // Runs alternate nibbles; absolute runs pad to words.
        {"RLE4", bmpWith([](BmpFile& b) {
             b.bitCount = 4; b.compression = 2; b.width = 5; b.height = 3; b.palette.resize(16); b.coloursUsed = 16;
             b.pixels = byteString({5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 2, 1, 0, 1, 0xF0, 0, 0, 0, 5, 0xAB, 0xCD, 0xE0, 0, 0, 1});
         }, rle8("")), {ramp(1), ramp(2), ramp(1), ramp(2), ramp(1), ramp(3), ramp(4), ramp(5), kBlack, ramp(15),
                        ramp(10), ramp(11), ramp(12), ramp(13), ramp(14)}},
    };
    for (const auto& c : cases) {
        const auto image = decode(c.bmp.bytes());
        ASSERT_NE(image, nullptr) << c.form << testing::PrintToString(boxTexts());
        EXPECT_EQ(std::vector<int>({image->width, image->height}), std::vector<int>({c.bmp.width, std::abs(c.bmp.height)})) << c.form;
        EXPECT_EQ(image->data, rgb(c.pixels)) << c.form;
    }
}

TEST_F(DibTest, BrokenFilesAreRefusedWithOneMessageAndNeverReadPastTheirEnd)
{
    const std::string palette = palette8(4, 2).bytes(), picture = patternBmp24(3, 3).bytes();
    const std::vector<std::string> unknownFormat = {"x", "BM", bmpWith([](BmpFile& b) { b.headerSize = 108; }).bytes(),
                                                    bmpWith([](BmpFile& b) { b.headerSize = 0xFFFFFFFF; }).bytes()};
    std::vector<std::string> conversionError = {
        // Cut inside the info header, the colour table, before the pixels, in the last row.
        palette.substr(0, 20), palette.substr(0, 60), palette.substr(0, 14 + 40 + 1024), picture.substr(0, picture.size() - 4),
        bmpWith([](BmpFile& b) { b.headerSize = 12; }, palette8(4, 2)).bytes().substr(0, 25),
        bmpWith([](BmpFile& b) { b.bitCount = 16; b.compression = 3; b.masks = {0xF800, 0x07E0}; b.pixels = ""; }).bytes(),
        // Sides and offsets past what the file holds, counted in 64 bits.
        bmpWith([](BmpFile& b) { b.width = b.height = 65535; }).bytes(),
        bmpWith([](BmpFile& b) { b.width = b.height = 65535; b.headerSize = 12; }).bytes(),
        bmpWith([](BmpFile& b) { b.pixelOffset = 0xFFFFFFFF; }).bytes(),
        bmpWith([](BmpFile& b) { b.fileHeader = false; b.coloursUsed = 0x40000000; }).bytes(),
        // Bit counts and compressions that do not go together.
        bmpWith([](BmpFile& b) { b.bitCount = 12; }, palette8(2, 2)).bytes(),
        bmpWith([](BmpFile& b) { b.compression = 4; }, palette8(2, 2)).bytes(),
        bmpWith([](BmpFile& b) { b.compression = 1; b.bitCount = 4; }, palette8(2, 2)).bytes(),
        bmpWith([](BmpFile& b) { b.compression = 3; b.masks = {0xF800, 0x07E0, 0x001F}; }, palette8(2, 2)).bytes(),
        bmpWith([](BmpFile& b) { b.bitCount = 16; b.compression = 3; b.masks = {0xF801, 0x07E0, 0x001E}; }).bytes(),
        // Runs that paint past their row or the picture, or run out of file; a
        // picture its runs cannot cover; RLE in a packed DIB.
        rle8(byteString({5, 1})).bytes(), rle8(byteString({0, 5, 1, 2, 3, 4, 5, 0})).bytes(),
        rle8(byteString({0, 2, 5, 0})).bytes(), rle8(byteString({0, 2, 0, 3})).bytes(),
        rle8(byteString({0, 0, 0, 0, 1, 1})).bytes(), rle8(byteString({0, 4, 1, 2})).bytes(),
        rle8(byteString({255, 1, 0, 1}), 511, 1).bytes(), rle8(byteString({0, 1}), 65535, 65535).bytes(),
        bmpWith([](BmpFile& b) { b.fileHeader = false; }, rle8("")).bytes(),
    };
    for (int32_t side : {0, -2, 65536, INT32_MIN, INT32_MAX}) {
        conversionError.push_back(bmpWith([side](BmpFile& b) { b.width = side; }).bytes());
        conversionError.push_back(bmpWith([side](BmpFile& b) { b.height = side == -2 ? 0 : side; }).bytes());
    }
    for (const auto& [files, message] : {std::pair{unknownFormat, "Unknown DIB file format."},
                                         std::pair{conversionError, "Image file conversion error."}})
        for (size_t i = 0; i < files.size(); ++i) {
            EXPECT_EQ(decode(files[i]), nullptr) << message << " " << i;
            EXPECT_EQ(boxTexts(), std::vector<std::string>{message}) << message << " " << i;
        }
    EXPECT_NE(decode(rle8(byteString({255, 1, 255, 1}), 510, 1).bytes()), nullptr) << "two runs cover 510";
}

TEST_F(DibTest, OpenFailuresShowOneOpenMessageWithTheWholeName)
{
    writeFile("empty.bmp", "");
    std::filesystem::create_directory("folder.bmp");
    for (const std::string& name : {std::string(600, 'x') + ".bmp", std::string("empty.bmp"), std::string("folder.bmp")}) {
        recordedBoxes().clear();
        EXPECT_EQ(loadDibImage(name.c_str()), nullptr);
        EXPECT_EQ(boxTexts(), std::vector<std::string>{"Failed to open DIB file " + name + ".\n"});
    }
}
