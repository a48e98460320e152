#include "measure/io/DibSection.h"
#include "measure/io/RgbBuffer.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tessmet {
namespace {

std::vector<uint8_t> Numbered(size_t count) {
    std::vector<uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), uint8_t{1});
    return bytes;
}

TEST(FlipRows, ReversesRowOrderAndLeavesTheMiddleRowOfAnOddHeight) {
    for (const int height : {1, 2, 3, 4, 5}) {
        const int width = 3;
        const size_t rowBytes = width * 3;
        const std::vector<uint8_t> before = Numbered(rowBytes * height);
        std::vector<uint8_t> buffer = before;
        FlipRows(buffer.data(), width, height);
        for (int y = 0; y < height; ++y)
            EXPECT_TRUE(std::equal(buffer.begin() + y * rowBytes, buffer.begin() + (y + 1) * rowBytes,
                                   before.begin() + (height - 1 - y) * rowBytes))
                << "height " << height << " row " << y;
        FlipRows(buffer.data(), width, height);
        EXPECT_EQ(buffer, before);
    }
    FlipRows(nullptr, 3, 3);  // nothing to do, nothing to crash
}

TEST(SwapRedBlue, ExchangesFirstAndThirdByteAndTwiceRestores) {
    std::vector<uint8_t> buffer = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(SwapRedBlue(buffer.data(), 2, 2), 1);
    EXPECT_EQ(buffer, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
    EXPECT_EQ(SwapRedBlue(buffer.data(), 2, 2), 1);
    EXPECT_EQ(buffer, Numbered(12));
    EXPECT_EQ(SwapRedBlue(nullptr, 2, 2), 0);
}

TEST(CreateDibSection24, MakesAClearedBitmapWithItsColourTable) {
    const auto zoom = CreateDibSection24(240, 240, 24);
    ASSERT_TRUE(zoom.has_value());
    EXPECT_EQ(zoom->bitmap.width(), 240);
    EXPECT_EQ(zoom->bitmap.stride(), 720);
    EXPECT_TRUE(zoom->colourTable.empty());
    EXPECT_TRUE(std::all_of(zoom->bitmap.bits(), zoom->bitmap.bits() + zoom->bitmap.sizeBytes(),
                            [](uint8_t b) { return b == 0; }));

    // 0x00BBGGRR colours become blue, green, red, 0 entries; palette depths pad their rows too.
    const auto grey = CreateDibSection24(5, 2, 4, {0x00112233, 0x00FFFFFF});
    ASSERT_TRUE(grey.has_value());
    EXPECT_EQ(grey->bitmap.stride(), 4);
    ASSERT_EQ(grey->colourTable.size(), 2u);
    EXPECT_EQ(grey->colourTable[0], (std::array<uint8_t, 4>{0x11, 0x22, 0x33, 0}));

    struct Bad {
        int width, height, bits;
        size_t paletteSize;
    };
    const Bad bad[] = {{0, 5, 24, 0},  {5, -1, 24, 0},   {5, 5, 12, 0},
                       {5, 5, 1, 3},   {5, 5, 24, 257},  {70000, 70000, 32, 0}};
    for (const Bad& b : bad)
        EXPECT_FALSE(CreateDibSection24(b.width, b.height, b.bits, std::vector<uint32_t>(b.paletteSize)).has_value())
            << b.width << "x" << b.height << "x" << b.bits;
}

}  // namespace
}  // namespace tessmet
