#pragma once
// Helpers of the desktop services' Windows tests: Unix tools of the machine that runs Wine
// (xdotool), Unix paths for Wine's audio configuration, wave data, environment variables.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

namespace desktoptest {

// The Unix path of a Windows path under Wine; empty when not running under Wine.
std::optional<std::string> unixPath(const std::string& windowsPath);

// Runs a Unix program of the host (a full path and its arguments), handling this thread's
// window messages while it runs, so that windows of this process keep answering. Its exit
// code, or nothing when it could not be started or did not end in time.
std::optional<DWORD> runUnixTool(const std::string& commandLine,
                                 std::chrono::milliseconds timeout = std::chrono::seconds(20));

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
// the programs of the prefix play arrives there, in real time.
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

// Sets an environment variable of this process (inherited by the processes it starts) and
// puts back the old value, or removes it, when it goes.
class ScopedVariable {
public:
    ScopedVariable(const std::string& name, const std::string& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// The value of an environment variable of this process.
std::optional<std::string> variable(const std::string& name);

} // namespace desktoptest
