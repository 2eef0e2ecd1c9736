// What others hand Kestrion, under Wine, against the real program and the client simulator:
// a profile and a language file that name files on another computer, a language file left in
// the folder the program is started from, a look-alike of the client's window, and messages
// forged by another program.

#include "../platform/DesktopTestSupport.h"
#include "ProgramFixture.h"
#include "ScreenPicture.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <cstdint>
#include <string>

using namespace wintest;

namespace {

// The Windows path of a share of another computer as Wine serves it: \\host\share\f is
// <prefix>/dosdevices/unc/host/share/f, and the prefix lies on drive Z:, the Unix root.
std::string shareFolder(const std::string& host, const std::string& share)
{
    char prefix[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    if (n == 0 || n >= sizeof prefix || prefix[0] != '/')
        throw std::runtime_error("WINEPREFIX is not set: run this test through CTest");
    std::string folder = "Z:" + std::string(prefix);
    for (char& c : folder)
        if (c == '/')
            c = '\\';
    for (const std::string& part : {std::string("\\dosdevices\\unc"), "\\" + host, "\\" + share}) {
        folder += part;
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder;
}

// Samples that no other sound holds, so that the capture tells whether this wave was played.
std::string distinctSamples()
{
    std::string samples;
    for (int i = 0; i < 6000; ++i) {
        const std::uint16_t value = (i % 2) ? 0x3A5C : 0xC5A3;
        samples += static_cast<char>(value & 0xFF);
        samples += static_cast<char>(value >> 8);
    }
    return samples;
}

// A font of five by seven dots for the codes 32 to 126, every dot of every glyph lit.
std::string allLitFont()
{
    std::string bytes;
    for (std::int32_t value : {5, 7, 32, 126})
        for (int b = 0; b < 4; ++b)
            bytes += static_cast<char>((value >> (8 * b)) & 0xFF);
    bytes += std::string(std::size_t(5 * 7 * (126 - 32 + 1)), '\0');
    return bytes;
}

class SharedInputTest : public ProgramFixture {
protected:
    // The profile and the English language file, naming the wave and the font at `folder`.
    void profileNaming(const std::string& folder)
    {
        const std::string wave = folder + "\\a.wav";
        profile("[options]\r\nlanguage=English\r\n[host]\r\naddress=10.0.0.1\r\npassword=pw\r\n"
                "[channels]\r\ncount=2\r\ndefault=1\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n"
                "[sounds]\r\nerror=" +
                wave + "\r\nchannel0=" + wave + "\r\nchannel1=" + wave + "\r\nchannel2=" + wave +
                "\r\n");
        CreateDirectoryA(dir.file("language").c_str(), nullptr);
        ASSERT_TRUE(writeFile(dir.file("language\\English.lng"),
                              "[TMainForm]\r\nChannelLCD.filename='" + folder + "\\lit.lcf'\r\n"));
    }
    // Channel 2, then "next" at the last channel: a join with its sound, and the error sound.
    void switchAndOvershoot(HWND main)
    {
        EXPECT_EQ(hotkey(main, 0x404), "/join1 10.0.0.1/BRAVO pw");
        PostMessageA(main, 0x401, 0, 0);
        EXPECT_EQ(hotkey(main, 0x40C), "/join1 10.0.0.1/ pw");
    }
    // Whether the display shows `caption` in the program's own font and colours.
    static bool showsPlainly(HWND main, const std::string& caption)
    {
        return waitFor([&] { return contains(captureClient(main), lcdShowing(caption)); },
                       std::chrono::seconds(3));
    }
};

} // namespace

// A shared profile and language file that name a wave and a font on another computer: the
// program never looks them up (on Windows the look-up alone hands the user's credentials to
// that host). The same files, named by a path on this computer, are played and shown: so the
// share is reachable, and only the refusal keeps the program from it.
TEST_F(SharedInputTest, FilesOnAnotherComputerAreNeverOpenedNorPlayed)
{
    const std::string share = shareFolder("evilhost", "share");
    const std::string samples = distinctSamples();
    ASSERT_TRUE(writeFile(share + "\\a.wav", desktoptest::waveFile(22050, 16, samples)));
    ASSERT_TRUE(writeFile(share + "\\lit.lcf", allLitFont()));
    desktoptest::SoundCapture capture;
    const std::string probe = samples.substr(samples.size() / 2, 64);

    // Wine reaches the share: a program that looks the wave up plays it.
    std::size_t before = capture.size();
    ASSERT_TRUE(PlaySoundA("\\\\evilhost\\share\\a.wav", nullptr, SND_FILENAME | SND_ASYNC));
    ASSERT_NE(capture.since(before, samples.size()).find(probe), std::string::npos)
        << "the share did not play: the test proves nothing";
    PlaySoundA(nullptr, nullptr, 0);

    for (const std::string remote :
         {"\\\\evilhost\\share", "//evilhost/share", "\\\\?\\UNC\\evilhost\\share"}) {
        profileNaming(remote);
        before = capture.size();
        HWND main = start(copyData().size() + 1);
        ASSERT_NE(main, nullptr) << remote;
        switchAndOvershoot(main);
        Sleep(1500);
        EXPECT_EQ(capture.since(before, 0).find(probe), std::string::npos) << remote;
        EXPECT_TRUE(showsPlainly(main, "Default")) << remote;
        m_process.reset();
    }

    // The same files by their path on this computer.
    profileNaming(share);
    before = capture.size();
    HWND main = start(copyData().size() + 1);
    ASSERT_NE(main, nullptr);
    switchAndOvershoot(main);
    EXPECT_NE(capture.since(before, samples.size()).find(probe), std::string::npos);
    keepForALook(captureClient(main), "shared-input-local-font.ppm");
    EXPECT_FALSE(showsPlainly(main, "Default"));
}

// The program starts from whatever folder it is started from (a download folder, a shared
// one): a language file that lies there in ".\Language\" is never applied, not even for a
// moment before the program's own languages are read.
TEST_F(SharedInputTest, ALanguageFileInTheFolderItIsStartedFromIsNeverApplied)
{
    TempDir startedFrom;
    CreateDirectoryA(startedFrom.file("Language").c_str(), nullptr);
    // Red dots: the program's own English file leaves the colour alone, so it would stay.
    ASSERT_TRUE(writeFile(startedFrom.file("Language\\English.lng"),
                          "[TMainForm]\r\nChannelLCD.PixelOn=255\r\n"));
    CreateDirectoryA(dir.file("language").c_str(), nullptr);
    ASSERT_TRUE(writeFile(dir.file("language\\English.lng"), "[TMainForm]\r\n"));
    profile("[host]\r\naddress=10.0.0.1\r\npassword=pw\r\n"
            "[channels]\r\ncount=2\r\ndefault=2\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n");
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(startedFrom.file("").c_str()));
    HWND main = start();
    SetCurrentDirectoryA(previous);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(showsPlainly(main, "Bravo"));
}

// Any program may open a dialog titled like the client's, after the client and in front of
// it: the join, password and all, goes to the installed client alone.
TEST_F(SharedInputTest, ALookAlikeOfTheClientsWindowReceivesNothing)
{
    profile("[host]\r\naddress=10.0.0.1\r\npassword=secret\r\n"
            "[channels]\r\ncount=2\r\ndefault=1\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n");
    HWND main = start();
    ASSERT_NE(main, nullptr);

    TempDir other;
    const std::string lookAlike = other.file("lookalike.exe");
    ASSERT_TRUE(CopyFileA(ClientSimulator::exePath().c_str(), lookAlike.c_str(), FALSE));
    ClientSimulator::Options options;
    options.program = lookAlike;
    ClientSimulator impostor(other.file("lookalike.log"), options);
    ASSERT_EQ(FindWindowA("#32770", "Roger Wilco"), impostor.window())
        << "the look-alike must stand in front, where a search by title finds it first";

    EXPECT_EQ(hotkey(main, 0x404), "/join1 10.0.0.1/BRAVO secret");
    for (const auto& line : logLines(other.file("lookalike.log")))
        EXPECT_EQ(line.rfind("COPYDATA", 0), std::string::npos) << line;
}

// Another program dresses its own window up as one of the program's controls (the window
// property the framework once kept its controls in) and posts the messages that name a
// control, and a WM_DPICHANGED whose rectangle is an address of its choosing: the program
// follows none of them, and goes on switching channels.
TEST_F(SharedInputTest, MessagesForgedByAnotherProgramLeaveItSwitching)
{
    profile("[host]\r\naddress=10.0.0.1\r\npassword=pw\r\n"
            "[channels]\r\ncount=2\r\ndefault=1\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n");
    HWND main = start();
    ASSERT_NE(main, nullptr);

    HWND decoy =
        CreateWindowExA(0, "STATIC", "decoy", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(decoy, nullptr);
    SetPropA(decoy, "KestrionPeer", reinterpret_cast<HANDLE>(std::uintptr_t{0x1234}));
    const auto from = reinterpret_cast<LPARAM>(decoy);
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), from);
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), from);
    PostMessageA(main, WM_HSCROLL, SB_THUMBTRACK, from);
    PostMessageA(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(decoy), MAKELPARAM(-1, -1));
    PostMessageA(main, WM_DPICHANGED, MAKEWPARAM(144, 144), 0x1234);
    PostMessageA(main, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(main, WM_DPICHANGED, MAKEWPARAM(144, 144), 0x1234, SMTO_ABORTIFHUNG, 2000,
                        &answer);

    EXPECT_EQ(hotkey(main, 0x404), "/join1 10.0.0.1/BRAVO pw");
    EXPECT_EQ(hotkey(main, 0x403), "/join1 10.0.0.1/ALPHA pw");
    EXPECT_TRUE(m_process->running());
    DestroyWindow(decoy);
}
