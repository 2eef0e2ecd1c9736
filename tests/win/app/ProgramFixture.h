#pragma once
// The fixture of the tests that run kestrion.exe from start to stop under Wine.

#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace wintest {

// A copy of the program in a folder of its own, so that its home profile is the test's, with
// the client simulator installed as the voice client.
class ProgramFixture : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileA((exeDir() + "kestrion.exe").c_str(), m_program.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((exeDir() + "kestrihk.dll").c_str(), dir.file("kestrihk.dll").c_str(),
                              FALSE));
        setClientAppPath(ClientSimulator::exePath());
        SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", m_log.c_str());
        SetEnvironmentVariableA("KESTRION_CLIENTSIM_TITLE", nullptr);
    }
    void TearDown() override
    {
        m_process.reset();
        // Whatever simulator the program started goes too.
        for (int i = 0; i < 4; ++i) {
            if (HWND client = FindWindowA("#32770", "Roger Wilco"))
                PostMessageA(client, WM_CLOSE, 0, 0);
            Sleep(50);
        }
        removeClientAppPath();
    }

    void profile(const std::string& text)
    {
        ASSERT_TRUE(writeFile(dir.file("kestrion.ini"), text));
    }

    // Starts the program and waits until the client has taken `joins` commands.
    HWND start(std::size_t copyDataLines = 1)
    {
        m_process = std::make_unique<Process>(wintest::quoted(m_program));
        if (copyDataLines > 0) {
            EXPECT_TRUE(waitForCopyData(copyDataLines));
        }
        return m_process->window("TMainForm", std::chrono::seconds(15));
    }

    std::vector<std::string> copyData() const { return copyDataTexts(m_log); }
    bool waitForCopyData(std::size_t count)
    {
        return waitFor([&] { return copyData().size() >= count; }, std::chrono::seconds(15));
    }
    // Posts a message to the main window and waits for the client's next command.
    std::string hotkey(HWND main, UINT message)
    {
        std::size_t before = copyData().size();
        PostMessageA(main, message, 0, 0);
        if (!waitForCopyData(before + 1))
            return "(nothing)";
        return copyData().back();
    }
    TempDir dir;
    std::unique_ptr<Process> m_process;

protected:
    std::string m_program = dir.file("kestrion.exe");
    std::string m_log = dir.file("client.log");
};

} // namespace wintest
