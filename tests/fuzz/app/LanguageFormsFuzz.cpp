// A language file that somebody sent, applied to the program's real forms (the main window,
// the channel sound dialog and the settings dialog, headless), as choosing it from the
// Language menu applies it.
//
// Checked: nothing faults and nothing takes long (the run's time limit per input). A language
// file may name a property that does not exist or give a value a setter refuses; that ends
// its translation with an error, which is what the program shows, and is no finding.

#include "app/headless/StandInProgram.h"
#include "i18n/bsPolyglotManager.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"
#include "ui/Text.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Setup {
    fs::path folder;
    std::unique_ptr<app::StandInProgram> program;
    int turn = 0;

    Setup()
    {
        folder = fs::temp_directory_path() /
                 ("kestrion-language-forms-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        // Two names in turn: a language that is current already is not applied again.
        for (const char* name : {"FuzzA.lng", "FuzzB.lng"})
            std::ofstream(folder / name) << "[TMainForm]\r\n";
        program = std::make_unique<app::StandInProgram>((folder / "kestrion.exe").string());
        program->mainForm().bsPolyglotManager1->setLangsDir(folder.string() + "/");
    }
    ~Setup() { fs::remove_all(folder); }
};

template <class Action>
void tolerate(Action action)
{
    try {
        action();
    } catch (const std::exception&) {
        // A refused value or an unknown property: the program shows it; no fault.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    const std::string name = (++setup.turn % 2) ? "FuzzA" : "FuzzB";
    {
        std::ofstream out(setup.folder / (name + ".lng"), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    app::TMainForm& form = setup.program->mainForm();
    tolerate([&] { form.bsPolyglotManager1->setCurrentLang(name); });
    // The settings dialog is made for each use and translated as it is made.
    tolerate([&] {
        auto* dialog = new profile::TSettingsDlg(
            &setup.program->application(),
            profile::SettingsDlgLinks{
                form.Profile, {}, setup.program->soundsDlg(), form.bsPolyglotManager1, {}});
        ui::destroy(dialog);
    });
    return 0;
}
