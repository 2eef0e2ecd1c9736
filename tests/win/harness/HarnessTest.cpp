// Proves the Windows test harness: the client simulator and the program start under Wine in
// the test's own prefix, the registry entry the test makes is the one the program reads, the
// two find each other's windows, and what reaches the simulator shows in its log.

#include "WinTestSupport.h"

#include <gtest/gtest.h>

using namespace wintest;

TEST(Harness, ProgramAndSimulatorFindEachOtherInTheTestsPrefix)
{
    TempDir dir;
    const std::string log = dir.file("client.log");
    ClientSimulator client(log);
    ASSERT_EQ(FindWindowA("#32770", "Roger Wilco"), client.window());

    // A message sent by hand arrives as sent.
    char buffer[255] = {};
    const char command[] = "/volume 99";
    memcpy(buffer, command, sizeof command - 1);
    COPYDATASTRUCT record{0, 254, buffer};
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutA(client.window(), WM_COPYDATA, 0,
                                  reinterpret_cast<LPARAM>(&record), SMTO_ABORTIFHUNG, 5000,
                                  &result),
              0);
    auto lines = waitForLogLines(log, 3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("CMDLINE ", 0), 0u);
    EXPECT_EQ(lines[1], "ARGS ");
    EXPECT_EQ(lines[2], "COPYDATA 254 /volume 99");

    // The program, in a folder of its own, finds the client through the registry entry
    // written here and hands it the lobby of its default profile.
    ASSERT_TRUE(
        CopyFileA((exeDir() + "kestrion.exe").c_str(), dir.file("kestrion.exe").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA((exeDir() + "kestrihk.dll").c_str(), dir.file("kestrihk.dll").c_str(), FALSE));
    setClientAppPath(ClientSimulator::exePath());
    SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", dir.file("started.log").c_str());
    Process program(wintest::quoted(dir.file("kestrion.exe")));
    HWND main = program.window("TMainForm", std::chrono::seconds(15));
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(waitFor(
        [&] {
            // Two clients run now: the join goes to whichever the system finds first.
            for (const auto& file : {log, dir.file("started.log")})
                for (const auto& line : logLines(file))
                    if (line == "COPYDATA 254 /join1 127.0.0.1/ ")
                        return true;
            return false;
        },
        std::chrono::seconds(15)));
    // The program started a client of its own too (it does at every start).
    EXPECT_EQ(logLines(dir.file("started.log")).at(1), "ARGS ");
    removeClientAppPath();
}
