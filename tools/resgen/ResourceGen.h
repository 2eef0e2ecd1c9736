#pragma once
// Synthesis of the program's built-in binary resources: the two wave sounds and the
// application icon. The files in resources/ were written by this code (tools/resgen), and a
// unit test checks that they still match it byte for byte.

#include <cstdint>
#include <vector>

namespace resgen {

using Bytes = std::vector<std::uint8_t>;

// The switch sound: PCM, mono, 16 bit, 22050 Hz, about 0.33 s; a soft rising two-note chime.
Bytes switchSound();
// The error sound: PCM, mono, 8 bit, 22254 Hz, about 0.65 s; a low falling two-note buzz.
Bytes errorSound();
// The application icon: first the 16 x 16 image with 16 colours (4 bits per pixel) and its
// mask, then images of 32 bits with alpha (and a mask) in kLargeIconSizes: the sizes of the
// small and the large icon at 120, 144 and 192 dpi, and the large one at 96.
inline constexpr int kLargeIconSizes[] = {20, 24, 32, 40, 48, 64};
Bytes applicationIcon();

// One of the large images, top row first, each pixel 0xAARRGGBB (alpha 0 or 255).
struct IconPicture {
    int size = 0;
    std::vector<std::uint32_t> argb;
};
IconPicture iconPicture(int size);

// The RIFF/WAVE header fields of a PCM file, as read back by the tests.
struct WaveFormat {
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint32_t dataBytes = 0;
};
// Reads the format of a canonical PCM wave file; false when it is not one.
bool readWaveFormat(const Bytes& file, WaveFormat& format);

} // namespace resgen
