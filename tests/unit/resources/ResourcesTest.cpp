// The built-in sounds and the icon kept in resources/ are what the generator makes, and
// have the formats the program and Windows expect of them.

#include "ResourceGen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

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

TEST(Resources, IconIsOneSixteenColourImageOfSixteenPixels)
{
    resgen::Bytes ico = resgen::applicationIcon();
    ASSERT_EQ(ico.size(), 6u + 16 + 40 + 64 + 128 + 64);
    EXPECT_EQ(ico[2], 1);  // an icon
    EXPECT_EQ(ico[4], 1);  // one image
    EXPECT_EQ(ico[6], 16); // width
    EXPECT_EQ(ico[7], 16); // height
    EXPECT_EQ(ico[8], 16); // colours
    EXPECT_EQ(ico[12], 4); // bits per pixel
    EXPECT_EQ(ico[22], 40);
    EXPECT_EQ(ico[22 + 8], 32); // colour image and mask
}
