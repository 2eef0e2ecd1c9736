#include "DesktopTestSupport.h"

#include "WinTestSupport.h"

#include <stdexcept>

#include <cstdint>

namespace desktoptest {

bool clickAt(int x, int y, int button, int clicks)
{
    std::string command = "/usr/bin/xdotool mousemove " + std::to_string(x) + " " +
                          std::to_string(y) + " click --repeat " + std::to_string(clicks) +
                          " --delay 80 " + std::to_string(button);
    return wintest::runOnHost(command) == 0;
}

namespace {

std::uint32_t readLittle(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

void appendLittle(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

std::string waveData(const std::string& waveFile)
{
    if (waveFile.size() < 12 || waveFile.compare(0, 4, "RIFF") != 0 ||
        waveFile.compare(8, 4, "WAVE") != 0)
        return {};
    std::size_t at = 12;
    while (at + 8 <= waveFile.size()) {
        std::uint32_t size = readLittle(waveFile, at + 4, 4);
        if (waveFile.compare(at, 4, "data") == 0)
            return waveFile.substr(at + 8, size);
        at += 8 + size + (size & 1);
    }
    return {};
}

std::string waveFile(int sampleRate, int bitsPerSample, const std::string& samples)
{
    const auto blockAlign = static_cast<std::uint32_t>(bitsPerSample / 8);
    std::string file = "RIFF";
    appendLittle(file, static_cast<std::uint32_t>(36 + samples.size()), 4);
    file += "WAVEfmt ";
    appendLittle(file, 16, 4);
    appendLittle(file, 1, 2); // PCM
    appendLittle(file, 1, 2); // mono
    appendLittle(file, static_cast<std::uint32_t>(sampleRate), 4);
    appendLittle(file, static_cast<std::uint32_t>(sampleRate) * blockAlign, 4);
    appendLittle(file, blockAlign, 2);
    appendLittle(file, static_cast<std::uint32_t>(bitsPerSample), 2);
    file += "data";
    appendLittle(file, static_cast<std::uint32_t>(samples.size()), 4);
    return file + samples;
}

std::string programResource(const char* type, const char* name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

namespace {

std::optional<std::string> variable(const std::string& name)
{
    DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0)
        return std::nullopt;
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name.c_str(), value.data(), size));
    return value;
}

} // namespace

SoundCapture::SoundCapture()
{
    auto unixPath = variable("KESTRION_SOUND_CAPTURE");
    if (!unixPath || unixPath->empty() || unixPath->front() != '/')
        throw std::runtime_error("no sound capture: run this test through CTest, or "
                                 "scripts/wine-run.sh with KESTRION_SOUND_CAPTURE=1");
    // Wine's drive Z: is the Unix root.
    m_path = "Z:" + *unixPath;
    for (char& c : m_path) {
        if (c == '/')
            c = '\\';
    }
}

std::size_t SoundCapture::size() const
{
    return wintest::readFile(m_path).size();
}

std::string SoundCapture::since(std::size_t from, std::size_t bytes) const
{
    wintest::waitFor([&] { return size() >= from + bytes; });
    // Whatever follows comes within a device buffer or two.
    std::size_t last = size();
    for (int quiet = 0; quiet < 6; last = size()) {
        Sleep(50);
        quiet = size() == last ? quiet + 1 : 0;
    }
    std::string all = wintest::readFile(m_path);
    return all.size() > from ? all.substr(from) : std::string();
}

} // namespace desktoptest
