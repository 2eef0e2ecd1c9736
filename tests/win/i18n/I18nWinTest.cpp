// The localization on the Windows side: the module's string table that messages.def
// generates, 8-bit file names and attributes, and a language file locked by another program.

#include "base/win32/Handles.h"
#include "i18n/AnsiText.h"
#include "i18n/FileAccess.h"
#include "i18n/Messages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/bsCorePolyglot.h"
#include "i18n/bsINIFile.h"

#include "ui/headless/HeadlessBackend.h"

#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace i18n;

namespace {

// Makes `dir` the working directory for its lifetime.
class WorkingDir {
public:
    explicit WorkingDir(const std::string& dir)
    {
        char previous[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, previous);
        m_previous = previous;
        SetCurrentDirectoryA(dir.c_str());
    }
    ~WorkingDir() { SetCurrentDirectoryA(m_previous.c_str()); }
    WorkingDir(const WorkingDir&) = delete;
    WorkingDir& operator=(const WorkingDir&) = delete;

private:
    std::string m_previous;
};

} // namespace

TEST(StringTable, EveryBuiltInTextIsInTheModuleStringTable)
{
    ASSERT_EQ(TbsCorePolyglot::GetCorePolyglot(), nullptr);
    for (const auto& message : builtinMessages())
        EXPECT_EQ(LoadResourceString(ResStringRec{message.id}), message.text) << message.id;
    EXPECT_EQ(LoadResourceString(msg::SStartClientFailed).find("RW.\r\nPlease"), 16u);
    // Cut to 1023 characters when no translation exists.
    EXPECT_EQ(LoadResourceString(ResStringRec{100}), std::string(1023, 'L'));
    EXPECT_EQ(LoadResourceString(ResStringRec{101}), "");
}

TEST(LanguageFiles, EightBitNamesAttributesAndLockedFiles)
{
    wintest::TempDir cwd;
    wintest::TempDir dir;
    const std::string french = "Fran\xe7"
                               "ais";
    ASSERT_TRUE(
        wintest::writeFile(dir.file(french + ".lng"), "[ResourceStrings]\r\n65325='Erreur !'\r\n"));
    ASSERT_TRUE(wintest::writeFile(dir.file("Locked.LNG"), "[ResourceStrings]\r\n65325='x'\r\n"));
    ASSERT_TRUE(wintest::writeFile(dir.file("Short.lngx"), "[ResourceStrings]\r\n"));
    WorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    core.setLangsDir(dir.path());
    std::vector<std::string> names;
    for (int i = 0; i < core.LangsCount(); ++i)
        names.push_back(core.Langs(i));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{french, "Locked"}));

    core.SelectLang("FRAN\xc7"
                    "AIS");
    EXPECT_EQ(core.CurrentLang(), "FRAN\xc7"
                                  "AIS");
    EXPECT_EQ(LoadResourceString(msg::SErrorCaption), "Erreur !");
    EXPECT_EQ(ansiUpper("\xe9t\xe9"), "\xc9T\xc9");

    // A file that another program holds open without sharing: the error names the file, the
    // language is current without a file, and message texts are the built-in ones.
    base::win32::UniqueFile held(CreateFileA(dir.file("Locked.LNG").c_str(),
                                             GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    try {
        core.SelectLang("Locked");
        ADD_FAILURE() << "a locked file was read";
    } catch (const FileError& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind("Cannot open file \"" + dir.file("Locked.lng") + "\".", 0),
            0u)
            << e.what();
    }
    held.reset();
    EXPECT_EQ(core.CurrentLang(), "Locked");
    EXPECT_EQ(LoadResourceString(msg::SErrorCaption), "Error!");
}

TEST(LanguageFiles, ReleaseHonoursTheReadOnlyAttributeAndReplacesWritableFiles)
{
    ui::headless::HeadlessBackend backend;
    wintest::TempDir dir;
    const std::string original = "[A]\r\nx=1\r\n";
    std::string locked = dir.file("ReadOnly.lng");
    ASSERT_TRUE(wintest::writeFile(locked, original));
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(files::writeAccess(locked), files::WriteAccess::ReadOnly);
    {
        TbsINIFile file(locked);
        file.WriteString("A", "x", "2");
    }
    EXPECT_EQ(wintest::readFile(locked), original);
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    EXPECT_EQ(backend.messageBoxes()[0].text, "File \"" + locked + "\" is read-only");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

    std::string writable = dir.file("Writable.lng");
    ASSERT_TRUE(wintest::writeFile(writable, original));
    {
        TbsINIFile file(writable);
        file.WriteString("A", "y", "'two'");
    }
    EXPECT_EQ(wintest::readFile(writable), "[A]\r\nx=1\r\ny='two'\r\n\r\n");
    EXPECT_EQ(GetFileAttributesA((writable + ".tmp~").c_str()), INVALID_FILE_ATTRIBUTES);
}
