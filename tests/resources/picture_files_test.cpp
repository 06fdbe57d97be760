// The committed title picture and icon are files the Windows resource
// compiler and loader accept: the headers, sizes, bit depths and palettes
// the program relies on, and a picture that shows what it should.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t u16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::uint32_t u32(const Bytes& b, std::size_t at) { return u16(b, at) | (u16(b, at + 2) << 16); }

std::int32_t s32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(u32(b, at)); }

struct Colour {
    int r;
    int g;
    int b;
};

// ---------------------------------------------------------------------------
// bitmap_1.bmp

class TitlePicture : public ::testing::Test {
  protected:
    void SetUp() override {
        bmp = readFile(std::string(PICTURES_DIR) + "/bitmap_1.bmp");
        ASSERT_GE(bmp.size(), 14u + 40u) << "bitmap_1.bmp is missing or truncated";
    }
    // Palette entry and pixel (x from the left, y from the TOP) of the
    // bottom-up 8-bit image.
    Colour paletteEntry(unsigned index) const {
        const std::size_t at = 14 + 40 + 4 * std::size_t{index};
        return Colour{bmp.at(at + 2), bmp.at(at + 1), bmp.at(at)};
    }
    Colour pixel(int x, int y) const {
        const std::size_t row = static_cast<std::size_t>(239 - y);
        const std::size_t at = u32(bmp, 10) + row * 320 + static_cast<std::size_t>(x);
        return paletteEntry(bmp.at(at));
    }
    Bytes bmp;
};

TEST_F(TitlePicture, FileHeaderIsConsistentWithTheFile) {
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(u32(bmp, 2), bmp.size()) << "file size field";
    EXPECT_EQ(u32(bmp, 6), 0u) << "reserved words";
    // Pixels follow the two headers and a full 256-entry palette.
    EXPECT_EQ(u32(bmp, 10), 14u + 40u + 256u * 4u);
}

TEST_F(TitlePicture, Is320By240With256ColoursBottomUpUncompressed) {
    EXPECT_EQ(u32(bmp, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(s32(bmp, 18), 320);
    // Positive height: bottom-up rows, which every loader accepts.
    EXPECT_EQ(s32(bmp, 22), 240);
    EXPECT_EQ(u16(bmp, 26), 1u) << "planes";
    EXPECT_EQ(u16(bmp, 28), 8u) << "bits per pixel";
    EXPECT_EQ(u32(bmp, 30), 0u) << "BI_RGB";
    EXPECT_EQ(u32(bmp, 34), 320u * 240u) << "image size (rows need no padding)";
    const std::uint32_t used = u32(bmp, 46);
    EXPECT_TRUE(used == 0 || used == 256) << "colours used " << used;
    EXPECT_EQ(bmp.size(), 14u + 40u + 1024u + 320u * 240u);
}

TEST_F(TitlePicture, PaletteReservedBytesAreZero) {
    ASSERT_GE(bmp.size(), 14u + 40u + 1024u);
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(bmp[14 + 40 + 4 * i + 3], 0) << "palette entry " << i;
    }
}

TEST_F(TitlePicture, GroundIsPinkAtEveryCornerAndEdge) {
    ASSERT_EQ(bmp.size(), 14u + 40u + 1024u + 320u * 240u);
    const int xs[] = {0, 160, 319};
    const int ys[] = {0, 239};
    for (int x : xs) {
        for (int y : ys) {
            const Colour c = pixel(x, y);
            // Pink: red near full, green and blue clearly lower, blue >= green.
            EXPECT_GE(c.r, 240) << x << "," << y;
            EXPECT_LT(c.g, c.r - 20) << x << "," << y;
            EXPECT_GE(c.b, c.g) << x << "," << y;
        }
    }
}

TEST_F(TitlePicture, RightHalfCarriesDarkLettering) {
    ASSERT_EQ(bmp.size(), 14u + 40u + 1024u + 320u * 240u);
    // The name is drawn in a dark ink on the right-hand half; the left-hand
    // half holds the figure. Count clearly dark pixels in each half.
    int darkRight = 0;
    int darkLeft = 0;
    int lightLeft = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const Colour c = pixel(x, y);
            const bool dark = c.r + c.g + c.b < 300;
            if (x >= 140 && dark) ++darkRight;
            if (x < 130 && dark) ++darkLeft;
            if (x < 130 && c.r > 240 && c.g > 240 && c.b > 240) ++lightLeft;
        }
    }
    EXPECT_GT(darkRight, 1500) << "no lettering on the right";
    EXPECT_LT(darkLeft, darkRight / 4) << "the left should hold the figure, not text";
    EXPECT_GT(lightLeft, 3000) << "the figure's white page is missing";
}

// ---------------------------------------------------------------------------
// tenvo.ico

struct IconEntry {
    unsigned width;
    unsigned height;
    unsigned colours;
    unsigned planes;
    unsigned bitCount;
    std::uint32_t bytes;
    std::uint32_t offset;
};

class ProgramIcon : public ::testing::Test {
  protected:
    void SetUp() override {
        ico = readFile(std::string(PICTURES_DIR) + "/tenvo.ico");
        ASSERT_GE(ico.size(), 6u + 2u * 16u) << "tenvo.ico is missing or truncated";
        for (std::size_t i = 0; i < u16(ico, 4) && i < 8; ++i) {
            const std::size_t at = 6 + 16 * i;
            entries.push_back(IconEntry{ico.at(at), ico.at(at + 1), ico.at(at + 2),
                                        u16(ico, at + 4), u16(ico, at + 6), u32(ico, at + 8),
                                        u32(ico, at + 12)});
        }
    }
    // Whether the pixel (x, y from the top) of image e is transparent: its
    // AND-mask bit is set.
    bool transparent(const IconEntry& e, unsigned x, unsigned y) const {
        const std::size_t xorRow = (e.width * 4 + 31) / 32 * 4;
        const std::size_t andRow = (e.width + 31) / 32 * 4;
        const std::size_t maskAt = e.offset + 40 + 16 * 4 + xorRow * e.height;
        const std::size_t at = maskAt + andRow * (e.height - 1 - y) + x / 8;
        return (ico.at(at) & (0x80 >> (x % 8))) != 0;
    }
    unsigned colourIndex(const IconEntry& e, unsigned x, unsigned y) const {
        const std::size_t xorRow = (e.width * 4 + 31) / 32 * 4;
        const std::size_t at = e.offset + 40 + 16 * 4 + xorRow * (e.height - 1 - y) + x / 2;
        return x % 2 == 0 ? ico.at(at) >> 4 : ico.at(at) & 0x0F;
    }
    Bytes ico;
    std::vector<IconEntry> entries;
};

TEST_F(ProgramIcon, DirectoryHoldsA32And16PixelImageOf16Colours) {
    EXPECT_EQ(u16(ico, 0), 0u) << "reserved";
    EXPECT_EQ(u16(ico, 2), 1u) << "type 1 is an icon (2 would be a cursor)";
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].width, 32u);
    EXPECT_EQ(entries[0].height, 32u);
    EXPECT_EQ(entries[1].width, 16u);
    EXPECT_EQ(entries[1].height, 16u);
    for (const IconEntry& e : entries) {
        EXPECT_EQ(e.colours, 16u);
        EXPECT_EQ(e.planes, 1u);
        EXPECT_EQ(e.bitCount, 4u);
    }
}

TEST_F(ProgramIcon, ImagesFillTheFileWithoutGapOrOverlap) {
    ASSERT_EQ(entries.size(), 2u);
    std::uint32_t expectedOffset = 6 + 16 * 2;
    for (const IconEntry& e : entries) {
        // 40-byte header, 16 colours, 4-bit rows and 1-bit mask rows, each
        // row padded to a multiple of four bytes.
        const std::uint32_t xorRow = (e.width * 4 + 31) / 32 * 4;
        const std::uint32_t andRow = (e.width + 31) / 32 * 4;
        EXPECT_EQ(e.offset, expectedOffset);
        EXPECT_EQ(e.bytes, 40 + 16 * 4 + (xorRow + andRow) * e.height);
        expectedOffset = e.offset + e.bytes;
    }
    EXPECT_EQ(expectedOffset, ico.size());
}

TEST_F(ProgramIcon, EachImageHeaderHasDoubleHeightForTheMask) {
    ASSERT_EQ(entries.size(), 2u);
    for (const IconEntry& e : entries) {
        ASSERT_LE(e.offset + 40u, ico.size());
        EXPECT_EQ(u32(ico, e.offset), 40u);
        EXPECT_EQ(s32(ico, e.offset + 4), static_cast<std::int32_t>(e.width));
        EXPECT_EQ(s32(ico, e.offset + 8), static_cast<std::int32_t>(2 * e.height));
        EXPECT_EQ(u16(ico, e.offset + 12), 1u);
        EXPECT_EQ(u16(ico, e.offset + 14), 4u);
        EXPECT_EQ(u32(ico, e.offset + 16), 0u) << "BI_RGB";
        const std::uint32_t used = u32(ico, e.offset + 32);
        EXPECT_TRUE(used == 0 || used == 16) << used;
    }
}

TEST_F(ProgramIcon, CornersAreTransparentAndTheMiddleIsDrawn) {
    ASSERT_EQ(entries.size(), 2u);
    ASSERT_LE(entries[1].offset + entries[1].bytes, ico.size());
    for (const IconEntry& e : entries) {
        const unsigned last = e.width - 1;
        EXPECT_TRUE(transparent(e, 0, 0)) << e.width;
        EXPECT_TRUE(transparent(e, last, last)) << e.width;
        EXPECT_FALSE(transparent(e, e.width / 2, e.height * 3 / 4)) << e.width;
        // A transparent pixel must be black in the colour image, or the
        // XOR step would tint the screen behind the icon.
        unsigned opaque = 0;
        for (unsigned y = 0; y < e.height; ++y) {
            for (unsigned x = 0; x < e.width; ++x) {
                if (transparent(e, x, y)) {
                    EXPECT_EQ(colourIndex(e, x, y), 0u) << x << "," << y;
                } else {
                    ++opaque;
                }
            }
        }
        EXPECT_GT(opaque, e.width * e.height / 2) << "icon " << e.width << " is mostly empty";
    }
}

}  // namespace
