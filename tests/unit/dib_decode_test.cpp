// Pictures the decoder must read, one per stored form, compared byte for byte.
#include "unit/dib_test_support.h"

using namespace testing_support;

namespace {

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};
const Rgb kA{10, 20, 30}, kB{40, 50, 60}, kC{70, 80, 90}, kD{100, 110, 120};

// Palette of 16 colours whose entry i is (i, 2i, 3i) * 5: easy to predict.
std::vector<Rgb> rampPalette(int entries)
{
    std::vector<Rgb> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back({static_cast<uint8_t>(i * 5), static_cast<uint8_t>(i * 10), static_cast<uint8_t>(i * 15)});
    return palette;
}

Rgb ramp(int i)
{
    return {static_cast<uint8_t>(i * 5), static_cast<uint8_t>(i * 10), static_cast<uint8_t>(i * 15)};
}

} // namespace

TEST_F(DibTest, TwentyFourBitsThreeWideDropsRowPaddingAndSwapsRedAndBlue)
{
    BmpFile bmp;
    bmp.width = 3;
    bmp.height = 2;
    bmp.pixels = paddedRows({bgrRow({kA, kB, kC}), bgrRow({kD, kRed, kBlue})});
    ASSERT_EQ(bmp.pixels.size(), 24u);  // 9 bytes of pixels + 3 of padding per row

    auto image = decode(bmp.bytes());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->data, rgb({kA, kB, kC, kD, kRed, kBlue}));
    EXPECT_TRUE(recordedBoxes().empty());
}

TEST_F(DibTest, PackedDibAndTheCoreHeaderDecodeLikeTheFullFile)
{
    BmpFile full;
    full.bitCount = 8;
    full.width = 2;
    full.height = 2;
    full.palette = rampPalette(256);
    full.pixels = paddedRows({byteString({1, 255}), byteString({7, 0})});
    const std::vector<uint8_t> expected = rgb({ramp(1), ramp(255), ramp(7), ramp(0)});

    auto image = decode(full.bytes());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data, expected);

    BmpFile packed = full;
    packed.fileHeader = false;
    image = decode(packed.bytes());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data, expected);

    BmpFile core = full;
    core.headerSize = 12;
    for (bool fileHeader : {true, false}) {
        core.fileHeader = fileHeader;
        image = decode(core.bytes());
        ASSERT_NE(image, nullptr) << "file header " << fileHeader;
        EXPECT_EQ(image->width, 2);
        EXPECT_EQ(image->height, 2);
        EXPECT_EQ(image->data, expected);
    }

    BmpFile core24 = patternBmp24(5, 3);
    const auto reference = decode(core24.bytes());
    ASSERT_NE(reference, nullptr);
    core24.headerSize = 12;
    core24.fileHeader = false;
    image = decode(core24.bytes());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data, reference->data);
    EXPECT_TRUE(recordedBoxes().empty());
}

TEST_F(DibTest, OneBitPixelsCrossByteBoundariesMostSignificantBitFirst)
{
    // Row 0: 1000 0001 | 01xx xxxx; row 1: all of the first colour.
    const BmpFile bmp = indexedBmp(1, 10, 2, {kRed, kBlue},
                                   paddedRows({byteString({0x81, 0x7F}), byteString({0x00, 0x00})}));
    auto image = decode(bmp.bytes());
    ASSERT_NE(image, nullptr);
    std::vector<Rgb> expected{kBlue, kRed, kRed, kRed, kRed, kRed, kRed, kBlue, kRed, kBlue};
    expected.insert(expected.end(), 10, kRed);
    EXPECT_EQ(image->data, rgb(expected));
}

TEST_F(DibTest, SixteenBitsAreFiveFiveFiveUnlessMasksSayOtherwise)
{
    BmpFile bmp;
    bmp.bitCount = 16;
    bmp.width = 3;
    bmp.height = 1;
    // x RRRRR GGGGG BBBBB: full red, full green, (1, 16, 0).
    bmp.pixels = paddedRows({byteString({0x00, 0x7C, 0xE0, 0x03, 0x00, 0x06})});
    auto image = decode(bmp.bytes());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data, rgb({kRed, kGreen, {8, 132, 0}}));

    // 5-6-5 by bit-field masks: white, (0, 1/63, 31/31), green's 6 bits at the top.
    bmp.compression = 3;
    bmp.masks = {0xF800, 0x07E0, 0x001F};
    bmp.pixels = paddedRows({byteString({0xFF, 0xFF, 0x3F, 0x00, 0xE0, 0x07})});
    image = decode(bmp.bytes());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data, rgb({kWhite, {0, 4, 255}, kGreen}));

    // The masks sit right after the header in a packed DIB too.
    bmp.fileHeader = false;
    image = decode(bmp.bytes());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data, rgb({kWhite, {0, 4, 255}, kGreen}));
}

TEST_F(DibTest, TopDownRowsComeOutBottomRowFirstWithPositiveHeight)
{
    BmpFile bmp;
    bmp.width = 2;
    bmp.height = -3;
    bmp.pixels = paddedRows({bgrRow({kA, kB}), bgrRow({kC, kD}), bgrRow({kRed, kGreen})});
    auto image = decode(bmp.bytes());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->height, 3);
    EXPECT_EQ(image->data, rgb({kRed, kGreen, kC, kD, kA, kB}));
}

TEST_F(DibTest, Rle8RunsAbsoluteRunsAndEveryEscape)
{
    BmpFile bmp = indexedBmp(8, 6, 4, rampPalette(16), "", 1);
    bmp.pixels = byteString({
        3, 1,                // row 0: three of colour 1
        0, 3, 4, 5, 6, 0,    // absolute: 4 5 6, padded to a word
        0, 0,                // end of line
        2, 7,                // row 1: two of colour 7
        0, 2, 1, 1,          // delta: one right, one up -> row 2, x 3
        0, 4, 8, 9, 10, 11,  // absolute, even length needs no pad (x 3..6 would overrun: 3 only fit)
    });
    // The absolute run above is 4 long at x 3 of a 6-wide row: that overruns.
    expectRejected(bmp.bytes(), "Image file conversion error.");

    bmp.pixels = byteString({
        3, 1,
        0, 3, 4, 5, 6, 0,
        0, 0,
        2, 7,
        0, 2, 1, 1,
        0, 3, 8, 9, 10, 0,
        0, 0,
        6, 2,                // row 3
        0, 1,                // end of bitmap; the rest is never read
        9, 9, 9, 9,
    });
    recordedBoxes().clear();
    auto image = decode(bmp.bytes());
    ASSERT_NE(image, nullptr);
    const Rgb skipped = kBlack;
    EXPECT_EQ(image->data, rgb({
        ramp(1), ramp(1), ramp(1), ramp(4), ramp(5), ramp(6),
        ramp(7), ramp(7), skipped, skipped, skipped, skipped,
        skipped, skipped, skipped, ramp(8), ramp(9), ramp(10),
        ramp(2), ramp(2), ramp(2), ramp(2), ramp(2), ramp(2),
    }));
    EXPECT_TRUE(recordedBoxes().empty());
}

TEST_F(DibTest, Rle4RunsAlternateNibblesAndAbsoluteRunsPadToWords)
{
    BmpFile bmp = indexedBmp(4, 5, 3, rampPalette(16), "", 2);
    bmp.fileHeader = false;
    bmp.pixels = byteString({
        5, 0x12,              // row 0: 1 2 1 2 1
        0, 0,
        0, 3, 0x34, 0x50,     // row 1: absolute 3 4 5 (two bytes, already a word)
        0, 2, 1, 0,           // delta one right
        1, 0xF0,              // one of colour 15
        0, 0,
        0, 5, 0xAB, 0xCD, 0xE0, 0,  // row 2: absolute A B C D E, three bytes + pad
        0, 1,
    });
    auto image = decode(bmp.bytes());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data, rgb({
        ramp(1), ramp(2), ramp(1), ramp(2), ramp(1),
        ramp(3), ramp(4), ramp(5), kBlack, ramp(15),
        ramp(10), ramp(11), ramp(12), ramp(13), ramp(14),
    }));
    EXPECT_TRUE(recordedBoxes().empty());
}

TEST_F(DibTest, OpenFailuresShowOneOpenMessageWithTheWholeName)
{
    const std::string longName = std::string(600, 'x') + ".bmp";
    EXPECT_EQ(loadDibImage(longName.c_str()), nullptr);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Failed to open DIB file " + longName + ".\n"});

    writeFile("empty.bmp", "");
    std::filesystem::create_directory("folder.bmp");
    for (const char* name : {"empty.bmp", "folder.bmp"}) {
        recordedBoxes().clear();
        EXPECT_EQ(loadDibImage(name), nullptr);
        EXPECT_EQ(boxTexts(), std::vector<std::string>{"Failed to open DIB file " + std::string(name) + ".\n"});
    }
}
