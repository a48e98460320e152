#include "measure/processing/Dib.h"
#include "measure/processing/PixelAccess.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tessmet;

namespace {

uint8_t* Word(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v & 0xFF);
    p[1] = static_cast<uint8_t>(v >> 8);
    return p;
}

TEST(PixelAccess, SixteenBitChannelsScaleFiveBitsToEight) {
    struct Case {
        uint16_t word;
        int blue, green, red;
    } cases[] = {
        {0x7FFF, 255, 255, 255},
        {0xFFFF, 255, 255, 255},  // bit 15 is ignored
        {static_cast<uint16_t>(16 << 10 | 16 << 5 | 16), 131, 131, 131},
        {static_cast<uint16_t>(1 << 10 | 2 << 5 | 3), 24, 16, 8},
        {0x001F, 255, 0, 0},
        {0x7C00, 0, 0, 255},
        {0x0000, 0, 0, 0},
    };
    for (const Case& c : cases) {
        uint8_t p[2];
        Word(p, c.word);
        EXPECT_EQ(ReadChannel(p, Channel::Blue, 16), c.blue) << std::hex << c.word;
        EXPECT_EQ(ReadChannel(p, Channel::Green, 16), c.green) << std::hex << c.word;
        EXPECT_EQ(ReadChannel(p, Channel::Red, 16), c.red) << std::hex << c.word;
    }
}

TEST(PixelAccess, WhiteRoundTripsThroughSixteenBits) {
    uint8_t p[2] = {0, 0};
    WritePixel(p, 255, 255, 255, 16);
    EXPECT_EQ(p[0] | p[1] << 8, 0x7FFF);
    for (const int channel : {Channel::Blue, Channel::Green, Channel::Red}) EXPECT_EQ(ReadChannel(p, channel, 16), 255);
    WritePixel(p, 8, 16, 131, 16);  // 8 -> 0, 16 -> 1, 131 -> 15
    EXPECT_EQ(p[0] | p[1] << 8, 15 << 10 | 1 << 5 | 0);
}

TEST(PixelAccess, TwentyFourAndThirtyTwoBitsAreBlueGreenRed) {
    for (const int bpp : {24, 32}) {
        uint8_t p[4] = {0, 0, 0, 0xAB};
        WritePixel(p, 10, 20, 30, bpp);
        EXPECT_EQ(p[0], 10);
        EXPECT_EQ(p[1], 20);
        EXPECT_EQ(p[2], 30);
        EXPECT_EQ(p[3], 0xAB);  // the fourth byte is never written
        EXPECT_EQ(ReadChannel(p, Channel::Blue, bpp), 10);
        EXPECT_EQ(ReadChannel(p, Channel::Green, bpp), 20);
        EXPECT_EQ(ReadChannel(p, Channel::Red, bpp), 30);
    }
}

TEST(PixelAccess, GreyLevelIsTheRootMeanSquare) {
    struct Case {
        uint8_t b, g, r;
        int grey;
    } cases[] = {{0, 0, 255, 147}, {255, 0, 0, 147}, {100, 100, 100, 100}, {255, 255, 255, 255},
                 {0, 0, 0, 0},     {99, 100, 101, 100}, {1, 0, 0, 0}};
    for (const Case& c : cases) {
        const uint8_t p[3] = {c.b, c.g, c.r};
        EXPECT_EQ(GreyLevel(p, 24), c.grey) << int(c.b) << "," << int(c.g) << "," << int(c.r);
        EXPECT_EQ(ReadChannel(p, Channel::Grey, 24), c.grey);
        EXPECT_EQ(ReadChannel(p, 3, 24), c.grey);  // any unknown channel reads the grey level
    }
}

TEST(PixelAccess, OtherDepthsReadZeroAndWriteNothing) {
    uint8_t p[4] = {200, 200, 200, 200};
    for (const int bpp : {1, 4, 8, 15, 0}) {
        EXPECT_EQ(ReadChannel(p, Channel::Red, bpp), 0) << bpp;
        WritePixel(p, 1, 2, 3, bpp);
        EXPECT_EQ(p[0], 200);
        EXPECT_EQ(p[2], 200);
    }
}

TEST(Dib, RowsArePaddedToFourBytes) {
    EXPECT_EQ(Dib::StrideFor(3, 24), 12);
    EXPECT_EQ(Dib::StrideFor(1, 16), 4);
    EXPECT_EQ(Dib::StrideFor(3, 16), 8);
    EXPECT_EQ(Dib::StrideFor(5, 32), 20);
    EXPECT_EQ(Dib::StrideFor(9, 1), 4);
    const Dib dib(3, 2, 24);
    EXPECT_EQ(dib.stride(), 12);
    EXPECT_EQ(dib.sizeBytes(), 24u);
    EXPECT_EQ(dib.pixel(2, 1) - dib.bits(), 12 + 6);
}

TEST(Dib, ImpossibleSizesGiveANullBitmap) {
    EXPECT_TRUE(Dib(0, 10, 24).isNull());
    EXPECT_TRUE(Dib(10, -1, 24).isNull());
    EXPECT_TRUE(Dib(100000, 100000, 32).isNull());
    EXPECT_TRUE(Dib(2147483647, 2, 32).isNull());
    EXPECT_FALSE(Dib(1, 1, 16).isNull());
}

}  // namespace

namespace {

TEST(Dib, CopiesAreIndependentAndMovesLeaveANullBitmap) {
    Dib original(5, 3, 24);
    original.pixel(4, 2)[0] = 77;
    Dib copy = original;
    EXPECT_TRUE(copy.sameLayout(original));
    EXPECT_EQ(copy.pixel(4, 2)[0], 77);
    copy.pixel(4, 2)[0] = 1;
    EXPECT_EQ(original.pixel(4, 2)[0], 77);

    Dib moved = std::move(original);
    EXPECT_TRUE(original.isNull());  // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_EQ(original.sizeBytes(), 0u);
    EXPECT_EQ(moved.pixel(4, 2)[0], 77);

    copy = Dib();
    EXPECT_TRUE(copy.isNull());
    Dib& self = moved;
    moved = self;
    EXPECT_EQ(moved.pixel(4, 2)[0], 77);
}

TEST(Dib, NewBitmapsAreZeroAndFillSetsEveryByte) {
    Dib dib(7, 5, 16);
    EXPECT_TRUE(std::all_of(dib.bits(), dib.bits() + dib.sizeBytes(), [](uint8_t b) { return b == 0; }));
    dib.fill(0xAB);
    EXPECT_TRUE(std::all_of(dib.bits(), dib.bits() + dib.sizeBytes(), [](uint8_t b) { return b == 0xAB; }));
}

}  // namespace
