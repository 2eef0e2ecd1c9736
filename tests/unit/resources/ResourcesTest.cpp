// The built-in sounds and the icon kept in resources/ are what the generator makes, and
// have the formats the program and Windows expect of them.

#include "ResourceGen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

resgen::Bytes readResource(const std::string& name)
{
    std::ifstream in(std::string(KESTRION_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    return resgen::Bytes(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(Resources, KeptFilesMatchTheGenerator)
{
    EXPECT_EQ(readResource("Stsnd01.wav"), resgen::errorSound());
    EXPECT_EQ(readResource("Stsnd02.wav"), resgen::switchSound());
    EXPECT_EQ(readResource("Kestrion.ico"), resgen::applicationIcon());
}

TEST(Resources, SoundsHaveTheirFormatsAndDoNotClip)
{
    struct Case {
        resgen::Bytes file;
        std::uint32_t rate;
        std::uint16_t bits;
        double seconds;
    };
    const Case cases[] = {
        {resgen::switchSound(), 22050, 16, 0.33},
        {resgen::errorSound(), 22254, 8, 0.65},
    };
    for (const auto& c : cases) {
        resgen::WaveFormat f;
        ASSERT_TRUE(resgen::readWaveFormat(c.file, f));
        EXPECT_EQ(f.channels, 1);
        EXPECT_EQ(f.sampleRate, c.rate);
        EXPECT_EQ(f.bitsPerSample, c.bits);
        double seconds = static_cast<double>(f.dataBytes) / (c.bits / 8) / c.rate;
        EXPECT_NEAR(seconds, c.seconds, 0.01);
        // Peaks stay below full scale, and the sound is not silence.
        int peak = 0;
        for (std::size_t i = 44; i + c.bits / 8 <= c.file.size(); i += c.bits / 8) {
            int v = c.bits == 16 ? static_cast<std::int16_t>(c.file[i] | c.file[i + 1] << 8)
                                 : (c.file[i] - 128) * 256;
            peak = std::max(peak, v < 0 ? -v : v);
        }
        EXPECT_GT(peak, 8000);
        EXPECT_LT(peak, 32000);
    }
}

// The icon's images as its directory lists them.
struct IconImage {
    int width;
    int height;
    int colours;
    int bits;
    resgen::Bytes data;
};

std::vector<IconImage> iconImages(const resgen::Bytes& ico)
{
    auto u16 = [&](std::size_t at) { return ico.at(at) | ico.at(at + 1) << 8; };
    auto u32 = [&](std::size_t at) {
        return std::size_t(u16(at)) | std::size_t(u16(at + 2)) << 16;
    };
    std::vector<IconImage> images;
    for (int i = 0; i < u16(4); ++i) {
        const std::size_t entry = 6 + 16 * std::size_t(i);
        const std::size_t size = u32(entry + 8);
        const std::size_t offset = u32(entry + 12);
        images.push_back({ico.at(entry), ico.at(entry + 1), ico.at(entry + 2), u16(entry + 6),
                          resgen::Bytes(ico.begin() + std::ptrdiff_t(offset),
                                        ico.begin() + std::ptrdiff_t(offset + size))});
    }
    return images;
}

std::uint64_t fnv1a(const resgen::Bytes& bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (std::uint8_t b : bytes)
        hash = (hash ^ b) * 0x100000001b3u;
    return hash;
}

TEST(Resources, IconHoldsItsSixteenColourImageAndOneImageForEverySize)
{
    const resgen::Bytes ico = resgen::applicationIcon();
    ASSERT_EQ(ico[2], 1); // an icon
    const std::vector<IconImage> images = iconImages(ico);
    ASSERT_EQ(images.size(), 1 + std::size(resgen::kLargeIconSizes));
    // First the 16 x 16 image of 16 colours, byte for byte the one the program always had.
    EXPECT_EQ(images[0].width, 16);
    EXPECT_EQ(images[0].colours, 16);
    EXPECT_EQ(images[0].bits, 4);
    EXPECT_EQ(fnv1a(images[0].data), 0x67ffad80485017dau);
    // Then one image of 32 bits for each size the system asks for from 120 to 192 dpi: the
    // header says so, the mask covers exactly the transparent pixels, and the picture is
    // the design's: clear corners and top row, the grey case, the lit letter on the screen.
    for (std::size_t i = 1; i < images.size(); ++i) {
        const IconImage& image = images[i];
        const int size = resgen::kLargeIconSizes[i - 1];
        SCOPED_TRACE(size);
        EXPECT_EQ(image.width, size);
        EXPECT_EQ(image.height, size);
        EXPECT_EQ(image.bits, 32);
        const std::size_t maskRow = (std::size_t(size) + 31) / 32 * 4;
        ASSERT_EQ(image.data.size(), 40 + std::size_t(size) * size * 4 + maskRow * size);
        EXPECT_EQ(image.data[8] | image.data[9] << 8, size * 2);
        const resgen::IconPicture picture = resgen::iconPicture(size);
        int clear = 0;
        int lit = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::size_t row = std::size_t(size - 1 - y); // stored bottom row first
                const std::size_t at = 40 + (row * size + std::size_t(x)) * 4;
                const std::uint32_t stored = std::uint32_t(image.data[at]) |
                                             std::uint32_t(image.data[at + 1]) << 8 |
                                             std::uint32_t(image.data[at + 2]) << 16 |
                                             std::uint32_t(image.data[at + 3]) << 24;
                EXPECT_EQ(stored, picture.argb[std::size_t(y) * size + x]);
                const std::uint8_t maskByte =
                    image.data[40 + std::size_t(size) * size * 4 + row * maskRow + x / 8];
                const bool masked = (maskByte & (0x80 >> (x % 8))) != 0;
                EXPECT_EQ(masked, (stored >> 24) == 0) << x << ", " << y;
                clear += masked;
                lit += stored == 0xFF60FF60;
            }
        }
        EXPECT_EQ(picture.argb[0], 0u);                                       // top-left corner
        EXPECT_EQ(picture.argb[std::size_t(size) * size - 1], 0u);            // bottom-right corner
        EXPECT_EQ(picture.argb[std::size_t(size) * (size / 2)], 0xFF404040u); // the case
        EXPECT_GT(clear, size); // at least the top row
        EXPECT_GE(lit, 14);     // the letter's 14 dots
    }
}
