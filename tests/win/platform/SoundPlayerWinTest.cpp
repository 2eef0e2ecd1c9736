// The sound service, heard: the prefix's only sound device appends everything played to a
// capture file, which is compared with the waves.

#include "platform/win32/Win32Services.h"

#include "DesktopTestSupport.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace desktoptest;
using namespace wintest;
using platform::SoundSource;

namespace {

// The sound data of the built-in waves, as the program carries them.
std::string builtInSound(const char* name)
{
    return waveData(programResource("WAVE", name));
}

// Whether the device got exactly these samples. Silence before and after them is allowed (the
// device's buffers are filled up with it), and so is a little silence among them, which the
// device inserts when the machine is too busy to feed it in time (a buffer of about 10 ms, seen
// with the machine loaded): apart from that, nothing may be missing, changed or added.
testing::AssertionResult sameSound(const std::string& captured, const std::string& expected,
                                   char silence)
{
    std::size_t i = captured.find_first_not_of(silence);
    std::size_t j = expected.find_first_not_of(silence);
    if (j == std::string::npos)
        return testing::AssertionFailure() << "the expected sound is silence";
    if (i == std::string::npos)
        return testing::AssertionFailure() << "nothing but silence was played";
    std::size_t inserted = 0;
    while (j < expected.size() && i < captured.size()) {
        if (captured[i] == expected[j]) {
            ++i;
            ++j;
        } else if (captured[i] == silence) {
            ++i;
            ++inserted;
        } else {
            return testing::AssertionFailure()
                   << "byte " << i << " of " << captured.size() << " differs (byte " << j << " of "
                   << expected.size() << " expected)";
        }
    }
    if (j < expected.size())
        return testing::AssertionFailure()
               << "only " << j << " of " << expected.size() << " bytes were played";
    if (captured.find_first_not_of(silence, i) != std::string::npos)
        return testing::AssertionFailure() << "more was played after the sound";
    if (inserted > expected.size() / 10)
        return testing::AssertionFailure() << inserted << " bytes of silence were inserted";
    return testing::AssertionSuccess();
}

// Where the last sound of `captured` begins if it is `expected`: the last place that holds the
// first sounding bytes of `expected`. npos when there is none.
std::size_t lastSoundStart(const std::string& captured, const std::string& expected, char silence)
{
    std::size_t start = expected.find_first_not_of(silence);
    if (start == std::string::npos)
        return std::string::npos;
    return captured.rfind(expected.substr(start, 32));
}

// Samples that are never silence, so that a prefix of them cannot be mistaken for padding.
std::string tone(std::size_t bytes, int step)
{
    std::string samples(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i)
        samples[i] = static_cast<char>(0x20 + (i * static_cast<std::size_t>(step)) % 0xC0);
    return samples;
}

} // namespace

TEST(Win32SoundPlayer, PlaysTheProgramsOwnWavesAndWaveFilesUnchanged)
{
    SoundCapture capture;
    auto& sounds = platform::win32DesktopServices().sounds;
    TempDir dir;
    ASSERT_TRUE(CreateDirectoryA(dir.file("My Sounds").c_str(), nullptr));
    const std::string chimePath = dir.file("My Sounds\\caf\xe9 chime.wav");
    const std::string chime = tone(3300, 7); // 8 bit, 11025 Hz, 0.3 s
    ASSERT_TRUE(writeFile(chimePath, waveFile(11025, 8, chime)));

    const std::string switchSound = builtInSound("STSND02");
    const std::string errorSound = builtInSound("STSND01");
    ASSERT_GT(switchSound.size(), 10000u);
    ASSERT_GT(errorSound.size(), 10000u);

    struct Case {
        SoundSource source;
        std::string name;
        std::string played;
        char silence; // 16-bit samples are signed, 8-bit ones are not
    };
    const Case cases[] = {
        // The program plays its resources by these names; the resources are upper case.
        {SoundSource::ProgramResource, "Stsnd02", switchSound, '\0'},
        {SoundSource::ProgramResource, "Stsnd01", errorSound, '\x80'},
        {SoundSource::File, chimePath, chime, '\x80'},
    };
    for (const auto& c : cases) {
        std::size_t before = capture.size();
        EXPECT_TRUE(sounds.play(c.source, c.name)) << c.name;
        EXPECT_TRUE(sameSound(capture.since(before, c.played.size()), c.played, c.silence))
            << c.name;
    }
}

TEST(Win32SoundPlayer, ANewSoundStopsTheOnePlaying)
{
    SoundCapture capture;
    auto& sounds = platform::win32DesktopServices().sounds;
    TempDir dir;
    const std::string longPath = dir.file("long.wav");
    // The device takes sound faster than it would play it (about three times), so the long
    // sound is long enough to be sure it is still going when the next one starts.
    const std::string longSound = tone(20 * 44100, 3); // 16 bit, 22050 Hz, 20 s
    ASSERT_TRUE(writeFile(longPath, waveFile(22050, 16, longSound)));
    const std::string switchSound = builtInSound("STSND02");

    std::size_t before = capture.size();
    ASSERT_TRUE(sounds.play(SoundSource::File, longPath));
    // The next sound starts once the long one is heard, well before its end.
    ASSERT_TRUE(waitFor([&] { return capture.size() >= before + 22050; }, std::chrono::seconds(10)))
        << "the long sound did not start";
    ASSERT_TRUE(sounds.play(SoundSource::ProgramResource, "Stsnd02"));
    std::string played = capture.since(before, switchSound.size());

    // What the device got: the start of the long sound, perhaps silence to the end of the
    // device's last buffer, then the whole switch sound.
    std::size_t switchAt = lastSoundStart(played, switchSound, '\0');
    ASSERT_NE(switchAt, std::string::npos) << "the switch sound was not played";
    EXPECT_TRUE(sameSound(played.substr(switchAt), switchSound, '\0'));
    // The long sound's bytes are never zero: a zero in the head is silence, which the device
    // also inserts among the samples when the loaded machine feeds it too late.
    std::string head = played.substr(0, switchAt);
    std::size_t at = 0;
    std::size_t common = 0;
    while (at < head.size() && common < longSound.size()) {
        if (head[at] == longSound[common]) {
            ++at;
            ++common;
        } else if (head[at] == '\0') {
            ++at;
        } else {
            break;
        }
    }
    EXPECT_GT(common, 0u) << "the long sound did not start";
    EXPECT_LT(common, longSound.size() / 2) << "the long sound was not stopped";
    EXPECT_EQ(head.find_first_not_of('\0', at), std::string::npos)
        << "only silence may follow the stopped sound";
}

TEST(Win32SoundPlayer, UnplayableFilesAndNamesLeaveTheNextSoundIntact)
{
    SoundCapture capture;
    auto& sounds = platform::win32DesktopServices().sounds;
    TempDir dir;
    const std::string full = waveFile(22050, 16, tone(44100, 5));
    ASSERT_TRUE(writeFile(dir.file("header only.wav"), full.substr(0, 44)));
    ASSERT_TRUE(writeFile(dir.file("cut short.wav"), full.substr(0, 1000)));
    ASSERT_TRUE(writeFile(dir.file("text.wav"), "this is not a wave file\r\n"));
    ASSERT_TRUE(writeFile(dir.file("empty.wav"), ""));
    ASSERT_TRUE(CreateDirectoryA(dir.file("folder.wav").c_str(), nullptr));
    const std::string switchSound = builtInSound("STSND02");

    struct Case {
        SoundSource source;
        std::string name;
    };
    const Case bad[] = {
        {SoundSource::File, dir.file("missing.wav")},
        {SoundSource::File, dir.file("header only.wav")},
        {SoundSource::File, dir.file("cut short.wav")},
        {SoundSource::File, dir.file("text.wav")},
        {SoundSource::File, dir.file("empty.wav")},
        {SoundSource::File, dir.file("folder.wav")},
        {SoundSource::File, ""},
        {SoundSource::ProgramResource, "NOSUCHSOUND"},
        {SoundSource::ProgramResource, ""},
    };
    std::size_t before = capture.size();
    for (const auto& c : bad) {
        // Taken or refused, the request must do no harm; the next one comes once the device
        // has gone quiet again.
        sounds.play(c.source, c.name);
        capture.since(capture.size(), 0);
    }
    EXPECT_TRUE(sounds.beep());
    capture.since(capture.size(), 0);
    ASSERT_TRUE(sounds.play(SoundSource::ProgramResource, "Stsnd02"));
    std::string played = capture.since(before, switchSound.size());
    std::size_t switchAt = lastSoundStart(played, switchSound, '\0');
    ASSERT_NE(switchAt, std::string::npos) << "the sound after the bad ones was not played";
    EXPECT_TRUE(sameSound(played.substr(switchAt), switchSound, '\0'))
        << "the sound after the bad ones was not played whole";
}
