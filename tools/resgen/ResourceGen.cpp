#include "ResourceGen.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace resgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

void put16(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

// Byte by byte: GCC 12 at -O3 takes a range insert into a still empty vector for an overflow
// (a false -Wstringop-overflow), and warnings are errors.
void putTag(Bytes& b, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(tag[i]));
}

Bytes wave(std::uint32_t rate, std::uint16_t bits, const Bytes& samples)
{
    Bytes b;
    b.reserve(44 + samples.size());
    const std::uint16_t blockAlign = bits / 8;
    putTag(b, "RIFF");
    put32(b, static_cast<std::uint32_t>(36 + samples.size()));
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, 1); // mono
    put32(b, rate);
    put32(b, rate * blockAlign);
    put16(b, blockAlign);
    put16(b, bits);
    putTag(b, "data");
    put32(b, static_cast<std::uint32_t>(samples.size()));
    b.insert(b.end(), samples.begin(), samples.end());
    return b;
}

// A note with a short attack and an exponential decay, so that nothing clicks.
double note(double t, double start, double length, double frequency, double decay)
{
    double u = t - start;
    if (u < 0 || u >= length)
        return 0;
    double attack = std::min(1.0, u / 0.004);
    double release = std::min(1.0, (length - u) / 0.012);
    double envelope = attack * release * std::exp(-u * decay);
    // A little of the octave above gives the chime its brightness.
    return envelope *
           (std::sin(2 * kPi * frequency * u) + 0.25 * std::sin(4 * kPi * frequency * u)) / 1.25;
}

} // namespace

Bytes switchSound()
{
    constexpr std::uint32_t rate = 22050;
    constexpr std::uint32_t count = rate * 33 / 100; // 0.33 s
    Bytes samples;
    samples.reserve(count * 2);
    for (std::uint32_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / rate;
        double v = 0.6 * note(t, 0.0, 0.12, 1046.5, 14.0)     // C6
                   + 0.6 * note(t, 0.09, 0.24, 1568.0, 11.0); // G6
        v = std::clamp(v, -0.9, 0.9);
        auto s = static_cast<std::int16_t>(std::lround(v * 32767));
        put16(samples, static_cast<std::uint16_t>(s));
    }
    return wave(rate, 16, samples);
}

Bytes errorSound()
{
    constexpr std::uint32_t rate = 22254;
    constexpr std::uint32_t count = rate * 65 / 100; // 0.65 s
    Bytes samples;
    samples.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / rate;
        // Two low notes a fourth apart, falling, with a softened square edge.
        auto buzz = [t](double start, double length, double frequency) {
            double u = t - start;
            if (u < 0 || u >= length)
                return 0.0;
            double attack = std::min(1.0, u / 0.006);
            double release = std::min(1.0, (length - u) / 0.03);
            double s = std::tanh(3.0 * std::sin(2 * kPi * frequency * u)) / std::tanh(3.0);
            return attack * release * std::exp(-u * 2.5) * s;
        };
        double v = 0.55 * buzz(0.0, 0.28, 392.0) + 0.55 * buzz(0.3, 0.35, 293.7);
        v = std::clamp(v, -0.9, 0.9);
        samples.push_back(static_cast<std::uint8_t>(std::lround(128 + v * 127)));
    }
    return wave(rate, 8, samples);
}

namespace {

// The 16 x 16 image with 16 colours: a BITMAPINFOHEADER, the palette, the colour image and
// its mask.
Bytes sixteenColourImage()
{
    // The 16-colour palette, index: 0 black, 1 dark green, 2 green, 3 light green,
    // 4 dark grey, 5 grey, 6 light grey, 7 white, 8 dark amber, 9 amber; the rest black.
    static const std::uint32_t palette[16] = {
        0x000000, 0x004000, 0x00A000, 0x60FF60, 0x404040, 0x808080, 0xC0C0C0, 0xFFFFFF,
        0x806000, 0xFFC020, 0,        0,        0,        0,        0,        0};
    // A small dot-matrix display in a grey case, showing a lit "K" above a signal bar.
    // '.' is transparent; every other character is a palette index in hexadecimal.
    static const char* const rows[16] = {
        "................", //
        ".44444444444444.", //
        "4566666666666654", //
        "4611111111111164", //
        "4613111311111164", //
        "4613113111111164", //
        "4613131111111164", //
        "4613311111111164", //
        "4613131111111164", //
        "4613113111111164", //
        "4613111311111164", //
        "4611111111111164", //
        "4612222222229964", //
        "4611111111111164", //
        "4566666666666654", //
        ".44444444444444.", //
    };
    constexpr int size = 16;
    constexpr std::uint32_t xorBytes = size * size / 2; // 4 bits per pixel, rows of 8 bytes
    constexpr std::uint32_t andBytes = size * 4;        // 1 bit per pixel, rows padded to 4

    Bytes b;
    put32(b, 40); // BITMAPINFOHEADER
    put32(b, size);
    put32(b, size * 2); // the colour image and the mask
    put16(b, 1);
    put16(b, 4);
    put32(b, 0); // BI_RGB
    put32(b, xorBytes + andBytes);
    put32(b, 0);
    put32(b, 0);
    put32(b, 16);
    put32(b, 0);
    for (std::uint32_t rgb : palette) {
        b.push_back(static_cast<std::uint8_t>(rgb & 0xFF)); // blue
        b.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
        b.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
        b.push_back(0);
    }
    auto index = [](char c) -> std::uint8_t {
        if (c == '.')
            return 0;
        return static_cast<std::uint8_t>(c <= '9' ? c - '0' : c - 'A' + 10);
    };
    // Bitmaps are stored bottom row first.
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; x += 2)
            b.push_back(static_cast<std::uint8_t>(index(rows[y][x]) << 4 | index(rows[y][x + 1])));
    for (int y = size - 1; y >= 0; --y) {
        std::uint16_t mask = 0;
        for (int x = 0; x < size; ++x)
            if (rows[y][x] == '.')
                mask |= static_cast<std::uint16_t>(0x8000 >> x);
        b.push_back(static_cast<std::uint8_t>(mask >> 8));
        b.push_back(static_cast<std::uint8_t>(mask & 0xFF));
        b.push_back(0);
        b.push_back(0);
    }
    return b;
}

} // namespace

IconPicture iconPicture(int size)
{
    // The 16-pixel design drawn anew at `size`, square pixels of whole sizes: the case and
    // its bezel as wide as the scale's whole steps, the "K" as a 5 x 7 matrix of dots (with a
    // gap between dots once they are three pixels apart), the bar below it.
    constexpr std::uint32_t darkGrey = 0xFF404040, grey = 0xFF808080, lightGrey = 0xFFC0C0C0;
    constexpr std::uint32_t screen = 0xFF004000, lit = 0xFF60FF60, bar = 0xFF00A000;
    constexpr std::uint32_t amber = 0xFFFFC020;
    static const char* const letterK[7] = {"#...#", "#..#.", "#.#..", "##...",
                                           "#.#..", "#..#.", "#...#"};
    IconPicture picture{size, std::vector<std::uint32_t>(std::size_t(size) * size, 0)};
    auto fill = [&](int left, int top, int right, int bottom, std::uint32_t argb) {
        for (int y = std::max(top, 0); y < std::min(bottom, size); ++y)
            for (int x = std::max(left, 0); x < std::min(right, size); ++x)
                picture.argb[std::size_t(y) * size + x] = argb;
    };
    const int t = std::max(1, size / 16); // the width of the case's lines
    const int top = t;                    // the row above the case stays clear
    fill(0, top, size, size, darkGrey);
    fill(t, top + t, size - t, size - t, lightGrey);
    for (int x : {t, size - 2 * t})
        for (int y : {top + t, size - 2 * t})
            fill(x, y, x + t, y + t, grey);
    for (int x : {0, size - t})
        for (int y : {top, size - t})
            fill(x, y, x + t, y + t, 0); // rounded corners
    const int left = 2 * t, right = size - 2 * t, screenTop = top + 2 * t, bottom = size - 2 * t;
    fill(left, screenTop, right, bottom, screen);

    // Inside a margin of t: the letter, a gap of t, the bar t high, centred from top to
    // bottom.
    const int pitch = std::max(1, (bottom - screenTop - 4 * t) / 7);
    const int dot = pitch >= 3 ? pitch - 1 : pitch;
    const int content = 7 * pitch + 2 * t;
    const int y0 = screenTop + t + (bottom - screenTop - 2 * t - content) / 2;
    const int x0 = left + t;
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
            if (letterK[row][col] == '#')
                fill(x0 + col * pitch, y0 + row * pitch, x0 + col * pitch + dot,
                     y0 + row * pitch + dot, lit);
    const int barTop = y0 + 7 * pitch + t;
    const int amberWidth = std::max(2 * t, (right - x0) * 2 / 11);
    fill(x0, barTop, right - amberWidth, barTop + t, bar);
    fill(right - amberWidth, barTop, right, barTop + t, amber);
    return picture;
}

Bytes applicationIcon()
{
    struct Image {
        int size;
        int colours;
        int bits;
        Bytes data;
    };
    std::vector<Image> images{{16, 16, 4, sixteenColourImage()}};
    for (int size : kLargeIconSizes) {
        // 32 bits with alpha, and the mask that older systems draw with.
        const IconPicture picture = iconPicture(size);
        const std::uint32_t maskRow = (std::uint32_t(size) + 31) / 32 * 4;
        Bytes b;
        put32(b, 40);
        put32(b, std::uint32_t(size));
        put32(b, std::uint32_t(size) * 2);
        put16(b, 1);
        put16(b, 32);
        put32(b, 0); // BI_RGB
        put32(b, std::uint32_t(size) * size * 4 + maskRow * size);
        for (int i = 0; i < 4; ++i)
            put32(b, 0);
        for (int y = size - 1; y >= 0; --y)
            for (int x = 0; x < size; ++x)
                put32(b, picture.argb[std::size_t(y) * size + x]); // blue, green, red, alpha
        for (int y = size - 1; y >= 0; --y) {
            Bytes row(maskRow, 0);
            for (int x = 0; x < size; ++x)
                if ((picture.argb[std::size_t(y) * size + x] >> 24) == 0)
                    row[std::size_t(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            b.insert(b.end(), row.begin(), row.end());
        }
        images.push_back({size, 0, 32, b});
    }

    Bytes b;
    put16(b, 0); // reserved
    put16(b, 1); // icon
    put16(b, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (const Image& image : images) {
        b.push_back(static_cast<std::uint8_t>(image.size));
        b.push_back(static_cast<std::uint8_t>(image.size));
        b.push_back(static_cast<std::uint8_t>(image.colours));
        b.push_back(0);
        put16(b, 1); // planes
        put16(b, static_cast<std::uint16_t>(image.bits));
        put32(b, static_cast<std::uint32_t>(image.data.size()));
        put32(b, offset);
        offset += static_cast<std::uint32_t>(image.data.size());
    }
    for (const Image& image : images)
        b.insert(b.end(), image.data.begin(), image.data.end());
    return b;
}

bool readWaveFormat(const Bytes& file, WaveFormat& format)
{
    auto u16 = [&file](std::size_t at) {
        return static_cast<std::uint16_t>(file[at] | file[at + 1] << 8);
    };
    auto u32 = [&file](std::size_t at) {
        return static_cast<std::uint32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
                                          static_cast<std::uint32_t>(file[at + 3]) << 24);
    };
    if (file.size() < 44 || std::memcmp(file.data(), "RIFF", 4) != 0 ||
        std::memcmp(file.data() + 8, "WAVEfmt ", 8) != 0 || u16(20) != 1 ||
        std::memcmp(file.data() + 36, "data", 4) != 0)
        return false;
    format.channels = u16(22);
    format.sampleRate = u32(24);
    format.bitsPerSample = u16(34);
    format.dataBytes = u32(40);
    return 44 + static_cast<std::size_t>(format.dataBytes) <= file.size();
}

} // namespace resgen
