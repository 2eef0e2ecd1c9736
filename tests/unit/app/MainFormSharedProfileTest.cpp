// The main window and a profile or language file that somebody else wrote: it never looks up
// a file on another computer, and never hands the client a switch the profile smuggled in.

#include "MainFormFixture.h"

#include "ui/OpenDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

using app::TMainForm;
using namespace mainformtest;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

// Whether any file-system question of the fakes named the host.
bool askedAbout(const platform::CallLog& log, const std::string& host)
{
    return std::any_of(log.begin(), log.end(), [&](const std::string& line) {
        return line.starts_with("exists ") && line.find(host) != std::string::npos;
    });
}

} // namespace

TEST_F(MainFormTest, SoundsOnOtherComputersAreNeverLookedUpAndBeepAsMissingFilesDo)
{
    const std::string remotes[] = {
        "\\\\evilhost\\share\\a.wav",     "//evilhost/share/a.wav",
        "\\/evilhost/share/a.wav",        "\\\\?\\UNC\\evilhost\\share\\a.wav",
        "\\\\evilhost@SSL\\share\\a.wav", "\\??\\UNC\\evilhost\\share\\a.wav",
        "\\\\.\\pipe\\evilhost",
    };
    for (const std::string& remote : remotes) {
        platform::FakeServices& f = fakes;
        f.files.addFile(remote); // were it looked up, it would be found and played
        write(homeProfile, "[host]\r\naddress=10.1.1.5\r\n[channels]\r\ncount=1\r\ndefault=0\r\n"
                           "channel1=Alpha\r\n[sounds]\r\nchannel0=" +
                               remote + "\r\nchannel1=" + remote + "\r\nerror=" + remote + "\r\n");
        if (form) {
            ui::destroy(form->SoundsDlg);
            ui::destroy(form);
        }
        start();
        send(0x403); // channel 1
        send(0x401); // next at the last channel: the error sound
        fakes.windows.copyDataSucceeds = false;
        send(0x40C); // a failed join: the error sound
        fakes.windows.copyDataSucceeds = true;

        EXPECT_FALSE(askedAbout(fakes.log, "evilhost")) << remote;
        for (const auto& play : fakes.sounds.plays())
            EXPECT_EQ(play.name.find("evilhost"), std::string::npos) << remote;
        // The initial join, channel 1, the end of the range and the failed join: four beeps.
        EXPECT_EQ(fakes.sounds.beeps(), 4) << remote;
        fakes.sounds.clear();
        fakes.log.clear();
    }

    // A sound on this computer is still looked up and played.
    write(homeProfile, "[channels]\r\ncount=1\r\nchannel1=Alpha\r\n[sounds]\r\n"
                       "channel1=D:\\Sounds\\alpha.wav\r\n");
    fakes.files.addFile("D:\\Sounds\\alpha.wav");
    ui::destroy(form->SoundsDlg);
    ui::destroy(form);
    start();
    send(0x403);
    EXPECT_EQ(fakes.sounds.plays().back().name, "D:\\Sounds\\alpha.wav");
}

TEST_F(MainFormTest, ANameOrServerThatWouldAddASwitchIsNeverSentAndSoundsTheError)
{
    write(homeProfile, "[host]\r\naddress=10.1.1.5\r\npassword=pw\r\n"
                       "[channels]\r\ncount=3\r\ndefault=-1\r\nchannel1=Alpha\r\n"
                       "channel2=Charlie /shutdown\r\nchannel3=say \"hi\"\r\n");
    TMainForm& f = start();
    clearRecords();

    send(0x404); // channel 2
    EXPECT_EQ(f.ChannelLCD->Caption(), "Charlie /shutdown");
    EXPECT_EQ(f.ChannelBar->position(), 2);
    send(0x40D); // disconnect from it: no "/leave Charlie /shutdown" either
    send(0x405); // channel 3
    EXPECT_THAT(newCommands(), IsEmpty());
    EXPECT_THAT(sounds(), ElementsAre("Stsnd01", "Stsnd01"));

    send(0x403); // a channel whose name fits still joins
    EXPECT_THAT(newCommands(), ElementsAre("/join1 10.1.1.5/ALPHA pw"));

    // An address or a password that carries a switch fails every join.
    for (const std::string host : {"address=10.0.0.1 /file \\\\h\\s\\x.rwc\r\npassword=pw",
                                   "address=10.1.1.5\r\npassword=pw /shutdown"}) {
        write(homeProfile, "[host]\r\n" + host + "\r\n[channels]\r\ncount=1\r\nchannel1=Alpha\r\n");
        ui::destroy(form->SoundsDlg);
        ui::destroy(form);
        fakes.sounds.clear();
        start();
        clearRecords();
        send(0x403);
        send(0x40C);
        EXPECT_THAT(newCommands(), IsEmpty()) << host;
        EXPECT_THAT(sounds(), ElementsAre("Stsnd01", "Stsnd01", "Stsnd01")) << host;
    }
}

// A language file may give File, Open's dialog a folder and a file name; the dialog opens
// with neither when they name another computer, since it would look at them at once.
TEST_F(MainFormTest, FileOpenNeverOpensOnAFolderOrFileOfAnotherComputer)
{
    TMainForm& f = start();
    const std::string programFolder = programPath.substr(0, programPath.find_last_of("\\/") + 1);
    struct Case {
        std::string folder;
        std::string file;
        std::string shownFolder;
        std::string shownFile;
    };
    const Case cases[] = {
        {"\\\\host\\share\\", "\\\\host\\share\\team.ini", programFolder, ""},
        {"//host/share", "\\\\?\\UNC\\host\\s\\team.ini", programFolder, ""},
        {"C:\\Profiles\\", "\\\\host\\share\\team.ini", "C:\\Profiles\\", ""},
        {"C:\\Profiles\\", "C:\\Profiles\\team.ini", "C:\\Profiles\\", "C:\\Profiles\\team.ini"},
    };
    for (const Case& c : cases) {
        f.OpenDialog1->setInitialDir(c.folder);
        f.OpenDialog1->setFileName(c.file);
        backend.answerFileDialogs([&](ui::OpenDialog& d) -> std::optional<std::string> {
            EXPECT_EQ(d.initialDir(), c.shownFolder) << c.folder;
            EXPECT_EQ(d.fileName(), c.shownFile) << c.file;
            return std::nullopt;
        });
        ui::headless::chooseMenuItem(*f.Open1);
    }
    EXPECT_EQ(backend.fileDialogs().size(), std::size(cases));
}
