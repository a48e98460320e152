// Thousands of damaged variants of sound BMP and JPEG files, fed to the readers: none may crash,
// hang or hand back a bitmap that does not fit its data. The sanitizer build runs this too.

#include "codec/BmpReader.h"
#include "codec/JpegReader.h"
#include "codec/PictureLoader.h"
#include "support/BmpBytes.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace codec {
namespace {

using Bytes = std::vector<uint8_t>;

// Byte values that make header fields extreme.
constexpr uint32_t kInteresting[] = {0,      1,      0x7F,       0x80,       0xFF,      0x7FFF,
                                     0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};

class Mutator {
public:
    explicit Mutator(uint32_t seed) : random_(seed) {}

    Bytes mutate(const Bytes& original, size_t headerBytes) {
        Bytes bytes = original;
        const int steps = 1 + pick(3);
        for (int i = 0; i < steps && !bytes.empty(); ++i) {
            // Most damage goes to the headers, where the sizes and kinds live.
            const size_t span = pick(4) == 0 ? bytes.size() : std::min(headerBytes, bytes.size());
            const size_t at = pick(span);
            switch (pick(6)) {
                case 0: bytes[at] = static_cast<uint8_t>(random_()); break;
                case 1: bytes[at] ^= static_cast<uint8_t>(1u << pick(8)); break;
                case 2: {
                    const uint32_t value = kInteresting[pick(std::size(kInteresting))];
                    for (size_t k = 0; k < 4 && at + k < bytes.size(); ++k)
                        bytes[at + k] = static_cast<uint8_t>(value >> (8 * k));
                    break;
                }
                case 3: bytes.resize(pick(bytes.size())); break;
                case 4: bytes.insert(bytes.begin() + at, 1 + pick(16), static_cast<uint8_t>(random_())); break;
                case 5:
                    bytes.erase(bytes.begin() + at, bytes.begin() + std::min(bytes.size(), at + 1 + pick(16)));
                    break;
            }
        }
        return bytes;
    }

private:
    size_t pick(size_t n) { return n == 0 ? 0 : static_cast<size_t>(random_() % n); }
    std::mt19937 random_;
};

struct Tally {
    int loaded = 0;
    int refused = 0;
};

// A picture that loads must be plausible for the data it came from.
void CheckOutcome(ReadStatus status, const Dib& picture, size_t inputSize, Tally& tally) {
    if (status != ReadStatus::Ok) {
        ++tally.refused;
        EXPECT_TRUE(picture.isNull());
        return;
    }
    ++tally.loaded;
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 0);
    EXPECT_GT(picture.height(), 0);
    EXPECT_TRUE(picture.bitsPerPixel() == 16 || picture.bitsPerPixel() == 24 || picture.bitsPerPixel() == 32);
    EXPECT_LE(static_cast<uint64_t>(picture.width()) * picture.height(), static_cast<uint64_t>(inputSize) * 1024);
}

Bytes Bmp(int width, int height, uint16_t bits, uint32_t compression = 0, uint32_t infoSize = 40,
          std::array<uint32_t, 3> masks = {}) {
    testsupport::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bits;
    layout.compression = compression;
    layout.infoSize = infoSize;
    layout.masks = masks;
    return testsupport::BuildBmp(layout);
}

Bytes Jpeg(bool progressive, J_COLOR_SPACE input, J_COLOR_SPACE stored = JCS_UNKNOWN) {
    testsupport::JpegLayout layout;
    layout.width = 24;
    layout.height = 16;
    layout.progressive = progressive;
    layout.input = input;
    layout.stored = stored;
    layout.quality = 80;
    const int components = testsupport::Components(input);
    Bytes pixels(24 * 16 * components);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 29 + (i >> 4));
    return testsupport::EncodeJpeg(layout, pixels);
}

TEST(ReaderMutation, DamagedBitmapsNeverCrashOrOverreach) {
    const std::vector<Bytes> seeds = {Bmp(9, 5, 24), Bmp(6, -4, 16, 3, 40, {0xF800, 0x07E0, 0x001F}),
                                      Bmp(5, 3, 32, 3, 124, {0x00FF0000, 0x0000FF00, 0x000000FF}), Bmp(7, 3, 16)};
    Mutator mutator(0x5EED0001);
    Tally tally;
    for (int i = 0; i < 4000; ++i) {
        const Bytes& seed = seeds[static_cast<size_t>(i) % seeds.size()];
        const Bytes damaged = mutator.mutate(seed, 70);
        Dib picture;
        const ReadStatus status = DecodeBmp(damaged.data(), damaged.size(), picture);
        CheckOutcome(status, picture, damaged.size(), tally);
        if (status == ReadStatus::Ok) {
            const uint64_t stride = static_cast<uint64_t>(picture.stride());
            EXPECT_LE(stride * picture.height(), damaged.size());
        }
        if (HasFailure()) FAIL() << "mutation " << i;
    }
    // Both outcomes must occur, or the mutations test nothing.
    EXPECT_GT(tally.loaded, 100);
    EXPECT_GT(tally.refused, 100);
}

TEST(ReaderMutation, DamagedJpegsNeverCrashOrOverreach) {
    const std::vector<Bytes> seeds = {Jpeg(false, JCS_RGB), Jpeg(true, JCS_RGB), Jpeg(false, JCS_GRAYSCALE),
                                      Jpeg(false, JCS_CMYK, JCS_YCCK)};
    Mutator mutator(0x5EED0002);
    Tally tally;
    for (int i = 0; i < 3000; ++i) {
        const Bytes& seed = seeds[static_cast<size_t>(i) % seeds.size()];
        const Bytes damaged = mutator.mutate(seed, 700);
        Dib picture;
        CheckOutcome(DecodeJpeg(damaged.data(), damaged.size(), picture), picture, damaged.size(), tally);
        if (HasFailure()) FAIL() << "mutation " << i;
    }
    EXPECT_GT(tally.loaded, 100);
    EXPECT_GT(tally.refused, 100);
}

// The file route (picture loader, file reads) gets a share of the damage as well.
TEST(ReaderMutation, DamagedFilesThroughThePictureLoader) {
    const std::vector<Bytes> seeds = {Bmp(9, 5, 24), Jpeg(true, JCS_RGB)};
    Mutator mutator(0x5EED0003);
    testsupport::TempDir dir;
    const std::string path = dir.file("damaged.bin");
    Tally tally;
    for (int i = 0; i < 300; ++i) {
        const Bytes damaged = mutator.mutate(seeds[static_cast<size_t>(i) % 2], 200);
        testsupport::WriteText(path, testsupport::AsString(damaged));
        Dib picture;
        CheckOutcome(LoadPicture(path, picture), picture, damaged.size(), tally);
        if (HasFailure()) FAIL() << "mutation " << i;
    }
    EXPECT_GT(tally.loaded, 10);
    EXPECT_GT(tally.refused, 10);
}

}  // namespace
}  // namespace codec
