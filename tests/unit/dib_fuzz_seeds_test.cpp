// The bitmap fuzzer's seed corpus: one tiny file per stored form, made by the
// test writer. The committed files must match what is generated here and must
// decode; VERDAL_WRITE_BMP_SEEDS=1 rewrites them after a change.
#include "unit/dib_test_support.h"

#include <cstdlib>
#include <utility>

using namespace testing_support;

namespace {

std::vector<Rgb> smallPalette(int entries)
{
    std::vector<Rgb> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back({static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i * 16), static_cast<uint8_t>(i * 7)});
    return palette;
}

std::vector<std::pair<std::string, BmpFile>> seeds()
{
    std::vector<std::pair<std::string, BmpFile>> all;
    const auto add = [&](const char* name, const BmpFile& bmp) { all.emplace_back(name, bmp); };

    add("seed_24_odd_width.bmp", patternBmp24(3, 2));
    BmpFile packed = patternBmp24(2, 2);
    packed.fileHeader = false;
    add("seed_24_packed.bmp", packed);
    BmpFile topDown = patternBmp24(2, 3);
    topDown.height = -3;
    add("seed_24_top_down.bmp", topDown);
    BmpFile core24 = patternBmp24(3, 1);
    core24.headerSize = 12;
    add("seed_24_core.bmp", core24);

    add("seed_1.bmp", indexedBmp(1, 10, 2, smallPalette(2),
                                 paddedRows({byteString({0xA5, 0xC0}), byteString({0x3C, 0x40})})));

    const BmpFile four = indexedBmp(4, 3, 2, smallPalette(16),
                                    paddedRows({byteString({0x12, 0x30}), byteString({0xFE, 0xD0})}));
    add("seed_4.bmp", four);
    BmpFile core4 = four;
    core4.headerSize = 12;
    core4.fileHeader = false;
    add("seed_4_core_packed.bmp", core4);

    add("seed_8_colours_used.bmp", indexedBmp(8, 3, 2, smallPalette(17),
                                              paddedRows({byteString({0, 16, 200}), byteString({5, 6, 7})})));

    BmpFile rgb16;
    rgb16.bitCount = 16;
    rgb16.width = 3;
    rgb16.height = 1;
    rgb16.pixels = paddedRows({byteString({0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00})});
    add("seed_16_555.bmp", rgb16);
    BmpFile fields16 = rgb16;
    fields16.compression = 3;
    fields16.masks = {0xF800, 0x07E0, 0x001F};
    add("seed_16_565_fields.bmp", fields16);

    BmpFile rgb32;
    rgb32.bitCount = 32;
    rgb32.width = 2;
    rgb32.height = 1;
    rgb32.pixels = byteString({1, 2, 3, 0, 4, 5, 6, 0xFF});
    add("seed_32.bmp", rgb32);
    BmpFile fields32 = rgb32;
    fields32.compression = 3;
    fields32.masks = {0x000000FF, 0x0000FF00, 0x3FF00000};
    add("seed_32_fields.bmp", fields32);

    add("seed_rle8.bmp", indexedBmp(8, 5, 3, smallPalette(8),
                                    byteString({2, 1, 0, 3, 4, 5, 6, 0, 0, 0, 0, 2, 1, 1, 4, 7, 0, 1}), 1));

    BmpFile rle4 = indexedBmp(4, 5, 2, smallPalette(16),
                              byteString({5, 0x1F, 0, 0, 0, 3, 0xAB, 0xC0, 0, 2, 1, 0, 1, 0x99, 0, 1}), 2);
    rle4.fileHeader = false;
    add("seed_rle4_packed.bmp", rle4);
    return all;
}

} // namespace

TEST_F(DibTest, FuzzSeedCorpusIsCurrentAndDecodes)
{
    const char* source = std::getenv("VERDAL_SOURCE_DIR");
    if (!source)
        GTEST_SKIP() << "VERDAL_SOURCE_DIR not set";
    const std::filesystem::path corpus = std::filesystem::path(source) / "tests/fuzz/corpus/bmp_fuzz";
    const bool rewrite = std::getenv("VERDAL_WRITE_BMP_SEEDS") != nullptr;
    for (const auto& [name, bmp] : seeds()) {
        SCOPED_TRACE(name);
        const std::string bytes = bmp.bytes();
        if (rewrite)
            writeFile(corpus / name, bytes);
        EXPECT_EQ(readFile(corpus / name), bytes);
        EXPECT_NE(decode(bytes), nullptr);
    }
    EXPECT_TRUE(recordedBoxes().empty());
}
