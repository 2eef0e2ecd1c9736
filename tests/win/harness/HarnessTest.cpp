// Proves the Windows test harness: the program and the client simulator start under Wine,
// their windows can be found as the program and the client find each other, and what is
// sent to the simulator arrives in its log.

#include "WinTestSupport.h"

#include <gtest/gtest.h>

using namespace wintest;

TEST(Harness, ProgramAndSimulatorStartAndTheSimulatorLogsCopyData)
{
    TempDir dir;
    const std::string log = dir.file("client.log");
    ClientSimulator client(log);

    HWND found = FindWindowA("#32770", "Roger Wilco");
    ASSERT_EQ(found, client.window());

    Process program(quoted(exeDir() + "kestrion.exe"));
    HWND main = program.window("TMainForm", std::chrono::seconds(15));
    ASSERT_NE(main, nullptr);
    char caption[256] = {};
    GetWindowTextA(main, caption, sizeof caption);
    EXPECT_STREQ(caption, "Quorbit's RW Corvandial");
    RECT client_area{};
    GetClientRect(main, &client_area);
    EXPECT_EQ(client_area.right, 246);
    EXPECT_EQ(client_area.bottom, 71);

    char buffer[255] = {};
    const char command[] = "/join1 127.0.0.1/ALPHA secret";
    memcpy(buffer, command, sizeof command - 1);
    COPYDATASTRUCT record{0, 254, buffer};
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutA(found, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record),
                                  SMTO_ABORTIFHUNG, 5000, &result),
              0);
    PostMessageA(found, RegisterWindowMessageA("5x5 Networking Sort Channel"), 0, 0);

    auto lines = waitForLogLines(log, 4);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].rfind("CMDLINE ", 0), 0u);
    EXPECT_EQ(lines[1], "ARGS ");
    EXPECT_EQ(lines[2], "COPYDATA 254 /join1 127.0.0.1/ALPHA secret");
    EXPECT_EQ(lines[3], "SORT");

    // The program ends when its window is closed; the simulator on "/shutdown".
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.wait(std::chrono::seconds(10)), std::optional<DWORD>(0));
    const char shutdown[] = "/shutdown";
    char buffer2[255] = {};
    memcpy(buffer2, shutdown, sizeof shutdown - 1);
    COPYDATASTRUCT bye{0, 254, buffer2};
    SendMessageTimeoutA(found, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&bye), SMTO_ABORTIFHUNG,
                        5000, &result);
    EXPECT_EQ(client.process().wait(std::chrono::seconds(10)), std::optional<DWORD>(0));
}
