#pragma once
// Helpers of the desktop services' Windows tests: Unix tools of the machine that runs Wine
// (xdotool), wave data, and the sound that the prefix's sound device captured.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

namespace desktoptest {

// Clicks with xdotool at a point of the screen: button 1 left, 3 right; `clicks` 2 is a
// double click. True when xdotool ran successfully.
bool clickAt(int x, int y, int button, int clicks = 1);

// The bytes of a RIFF wave file's "data" chunk; empty when the file has none.
std::string waveData(const std::string& waveFile);
// A canonical PCM wave file of those samples.
std::string waveFile(int sampleRate, int bitsPerSample, const std::string& samples);

// A resource of this program, by type and name; empty when it is missing.
std::string programResource(const char* type, const char* name);

// The capture file of the prefix's sound device (kestrion_win_test's SOUND_CAPTURE): what
// the programs of the prefix play arrives there as the device takes it, which is about three
// times as fast as it would sound.
class SoundCapture {
public:
    // Throws std::runtime_error when the test runs without the capture.
    SoundCapture();
    // Bytes captured so far.
    std::size_t size() const;
    // What arrived after the first `from` bytes, once at least `bytes` of it came and then
    // nothing more for a moment (or 10 s passed).
    std::string since(std::size_t from, std::size_t bytes) const;

private:
    std::string m_path;
};

} // namespace desktoptest
