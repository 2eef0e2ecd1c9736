// The language files shipped with the program: every entry of every form's section reaches
// a property of that form (a misspelt component or property name would otherwise be
// ignored silently), and after a change to the language the property shows the entry's text.

#include "app/headless/StandInProgram.h"

#include "i18n/ValueDecoding.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotManager.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

const fs::path LanguageFolder = fs::path(KESTRION_SOURCE_DIR) / "resources" / "language";

// The text property that a path names on a form: components by name, then one text
// property; nothing when the path reaches no text property.
struct TextAt {
    ui::Persistent* object;
    const ui::PropertyInfo* property;
};
std::optional<TextAt> textPropertyAt(ui::Component& form, const std::string& path)
{
    ui::Persistent* object = &form;
    std::string rest = path;
    for (;;) {
        auto dot = rest.find('.');
        std::string head = rest.substr(0, dot);
        if (const ui::PropertyInfo* p = ui::findProperty(*object, head)) {
            if (p->kind() == ui::PropertyKind::Text)
                return TextAt{object, p};
            if (p->kind() == ui::PropertyKind::Object && dot != std::string::npos) {
                object = p->object(*object);
                rest = rest.substr(dot + 1);
                if (object)
                    continue;
            }
            return std::nullopt;
        }
        auto* component = dynamic_cast<ui::Component*>(object);
        ui::Component* owned = component ? component->findComponent(head) : nullptr;
        if (!owned || dot == std::string::npos)
            return std::nullopt;
        object = owned;
        rest = rest.substr(dot + 1);
    }
}

} // namespace

// Every form's texts are first replaced by a marker, so that a text the language file does
// not reach stays marked: the English file gives the designed texts back, which would
// otherwise pass unnoticed.
TEST(LanguageFiles, EveryEntryReachesItsPropertyOnEveryForm)
{
    ASSERT_TRUE(fs::exists(LanguageFolder / "English.lng"));
    const std::string marker = "(not translated)";
    for (const auto& file : fs::directory_iterator(LanguageFolder)) {
        SCOPED_TRACE(file.path().filename().string());
        const std::string language = file.path().stem().string();
        i18n::TbsINIFile texts(file.path().string());

        app::StandInProgram program(
            (fs::temp_directory_path() / "kestrion-no-program" / "kestrion.exe").string());
        app::TMainForm& main = program.mainForm();
        profile::TSoundsDlg& sounds = program.soundsDlg();
        auto settings = std::make_unique<profile::TSettingsDlg>(
            &program.application(), profile::SettingsDlgLinks{main.Profile, nullptr, sounds,
                                                              main.bsPolyglotManager1, nullptr});

        struct Form {
            const char* section;
            ui::Component& form;
        };
        const Form forms[] = {
            {"TMainForm", main}, {"TSettingsDlg", *settings}, {"TSoundsDlg", sounds}};
        for (const auto& f : forms) {
            auto entries = texts.ReadSection(f.section);
            EXPECT_FALSE(entries.empty()) << f.section;
            for (const auto& entry : entries) {
                auto at = textPropertyAt(f.form, entry);
                ASSERT_TRUE(at.has_value()) << f.section << " " << entry;
                at->property->setText(*at->object, marker);
            }
        }
        // The change of language translates every form, the open settings dialog too.
        main.bsPolyglotManager1->setLangsDir(LanguageFolder.string() + "/");
        main.bsPolyglotManager1->setCurrentLang(language);
        ASSERT_EQ(main.bsPolyglotManager1->CurrentLang(), language);
        for (const auto& f : forms) {
            for (const auto& entry : texts.ReadSection(f.section)) {
                auto at = textPropertyAt(f.form, entry);
                ASSERT_TRUE(at.has_value()) << f.section << " " << entry;
                EXPECT_EQ(at->property->text(*at->object),
                          i18n::UnquoteValue(texts.ReadString(f.section, entry, "")))
                    << f.section << " " << entry;
            }
        }
        // A settings dialog made while the language is current is translated as it is made.
        settings.reset();
        profile::TSettingsDlg later(&program.application(), {main.Profile, nullptr, sounds,
                                                             main.bsPolyglotManager1, nullptr});
        for (const auto& entry : texts.ReadSection("TSettingsDlg")) {
            auto at = textPropertyAt(later, entry);
            ASSERT_TRUE(at.has_value()) << entry;
            EXPECT_EQ(at->property->text(*at->object),
                      i18n::UnquoteValue(texts.ReadString("TSettingsDlg", entry, "")))
                << entry;
        }
        // Every message text of the program has its translation.
        for (const char* id :
             {"65296", "65297", "65298", "65323", "65324", "65325", "65326", "65327"})
            EXPECT_FALSE(texts.ReadString("ResourceStrings", id, "").empty()) << id;
    }
}
