// The language files shipped with the program. Each one is complete: it has an entry for every
// text that the forms show (a new caption without a translation fails here) and for every
// numbered message text, and no entry for a text that a form sets itself. Every entry reaches
// a property of its form (a misspelt component or property name would otherwise be ignored
// silently), and after a change to the language the property shows the entry's text. Every
// menu item has an access key, and within each menu the keys differ. Each translation names
// one thing with one word wherever it shows it.

#include "app/headless/StandInProgram.h"

#include "i18n/Messages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/TranslatableTexts.h"
#include "i18n/ValueDecoding.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotManager.h"
#include "lcd/LCDLabel.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"
#include "ui/Menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

namespace fs = std::filesystem;

namespace {

const fs::path LanguageFolder = fs::path(KESTRION_SOURCE_DIR) / "resources" / "language";

// The languages the program ships, by their file names (Windows-1252 names, kept as UTF-8 by
// the source tree).
const std::set<std::string> ShippedLanguages = {"Deutsch", "English", "Espa\xC3\xB1ol",
                                                "Fran\xC3\xA7"
                                                "ais",
                                                "Italiano"};

// The program's three forms, made as the program makes them, in their designed texts (no
// language folder beside the program).
struct Forms {
    app::StandInProgram program{
        (fs::temp_directory_path() / "kestrion-no-program" / "kestrion.exe").string()};
    app::TMainForm& main = program.mainForm();
    profile::TSoundsDlg& sounds = program.soundsDlg();
    // The settings dialog is made for each use and translated as it is made; one made after a
    // change of language shows that language.
    std::unique_ptr<profile::TSettingsDlg> makeSettings()
    {
        return std::make_unique<profile::TSettingsDlg>(
            &program.application(), profile::SettingsDlgLinks{main.Profile, nullptr, sounds,
                                                              main.bsPolyglotManager1, nullptr});
    }
    void selectLanguage(const std::string& name)
    {
        main.bsPolyglotManager1->setLangsDir(LanguageFolder.string() + "/");
        main.bsPolyglotManager1->setCurrentLang(name);
    }
};

std::vector<std::string> shippedFiles()
{
    std::vector<std::string> names;
    for (const auto& file : fs::directory_iterator(LanguageFolder))
        names.push_back(file.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string filePath(const std::string& language)
{
    return (LanguageFolder / (language + ".lng")).string();
}

// The property that a path names on a form: components by name, then one text or integer
// property (a language file may move or widen a control to fit its text); nothing when the
// path reaches no such property.
struct PropertyAt {
    ui::Persistent* object;
    const ui::PropertyInfo* property;

    std::string value() const
    {
        if (property->kind() == ui::PropertyKind::Integer)
            return std::to_string(property->integer(*object).value_or(0));
        return property->text(*object).value_or("");
    }
    // A value no language file gives: a text the file did not reach stays so.
    void mark() const
    {
        if (property->kind() == ui::PropertyKind::Integer)
            property->setInteger(*object, 1);
        else
            property->setText(*object, "(not translated)");
    }
};
std::optional<PropertyAt> propertyAt(ui::Component& form, const std::string& path)
{
    ui::Persistent* object = &form;
    std::string rest = path;
    for (;;) {
        auto dot = rest.find('.');
        std::string head = rest.substr(0, dot);
        if (const ui::PropertyInfo* p = ui::findProperty(*object, head)) {
            if (p->kind() == ui::PropertyKind::Text || p->kind() == ui::PropertyKind::Integer)
                return PropertyAt{object, p};
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

std::set<std::string> upperSet(const std::vector<std::string>& names)
{
    std::set<std::string> out;
    for (const auto& n : names)
        out.insert(ui::upperCase(n));
    return out;
}

// The access key of a caption, folded to upper case in Windows-1252; 0 for none.
unsigned char accessKey(const std::string& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        auto c = static_cast<unsigned char>(caption[i + 1]);
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            c = static_cast<unsigned char>(c - 0x20);
        return c;
    }
    return 0;
}

} // namespace

TEST(LanguageFiles, TheFiveLanguagesShip)
{
    const std::vector<std::string> files = shippedFiles();
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), ShippedLanguages);
}

TEST(LanguageFiles, EveryFileTranslatesEveryTextTheFormsShowAndEveryMessage)
{
    Forms forms;
    auto settings = forms.makeSettings();
    struct Form {
        const char* section;
        const ui::Form& form;
    };
    const Form all[] = {
        {"TMainForm", forms.main}, {"TSettingsDlg", *settings}, {"TSoundsDlg", forms.sounds}};
    // What the forms show, before any language file: the designed texts.
    std::map<std::string, std::set<std::string>> shown;
    for (const auto& f : all) {
        for (const auto& text : i18n::translatableTexts(f.form))
            shown[f.section].insert(ui::upperCase(text.path));
        EXPECT_GT(shown[f.section].size(), 5u) << f.section;
    }
    // A form's own texts are left alone, and so are texts that read alike in every language.
    EXPECT_FALSE(shown["TMainForm"].count("CAPTION"));
    EXPECT_FALSE(shown["TMainForm"].count("CHANNELLCD.CAPTION"));
    EXPECT_TRUE(shown["TMainForm"].count("OPENDIALOG1.FILTER"));
    EXPECT_TRUE(shown["TSettingsDlg"].count("CAPTION"));
    EXPECT_FALSE(shown["TSettingsDlg"].count("BUTTON3.CAPTION")); // "+"
    EXPECT_TRUE(shown["TSettingsDlg"].count("CHANNELNAMEEDIT.TEXT"));
    EXPECT_TRUE(shown["TSoundsDlg"].count("OPENDIALOG1.FILTER"));

    std::set<std::string> messages;
    for (const auto& m : i18n::builtinMessages())
        messages.insert(std::to_string(m.id));

    for (const std::string& language : shippedFiles()) {
        SCOPED_TRACE(language);
        i18n::TbsINIFile file(filePath(language));
        for (const auto& f : all) {
            const std::set<std::string> entries = upperSet(file.ReadSection(f.section));
            for (const auto& path : shown[f.section])
                EXPECT_TRUE(entries.count(path)) << f.section << " has no " << path;
            for (const auto& entry : entries) {
                const std::string property = entry.substr(entry.rfind('.') + 1);
                const bool aText = property == "CAPTION" || property == "HINT" ||
                                   property == "TITLE" || property == "FILTER" ||
                                   property == "TEXT";
                EXPECT_FALSE(aText && !shown[f.section].count(entry))
                    << f.section << " " << entry << " is not a text the form shows";
            }
        }
        std::set<std::string> translated;
        for (const auto& name : file.ReadSection("ResourceStrings"))
            translated.insert(name.substr(0, name.find('_')));
        EXPECT_EQ(translated, messages);
    }
}

// Every entry's property is first given a value no file gives, so that an entry the language
// file does not reach stays so: the English file gives the designed texts back, which would
// otherwise pass unnoticed.
TEST(LanguageFiles, EveryEntryReachesItsPropertyOnEveryForm)
{
    for (const std::string& language : shippedFiles()) {
        SCOPED_TRACE(language);
        i18n::TbsINIFile texts(filePath(language));
        Forms forms;
        auto settings = forms.makeSettings();
        struct Form {
            const char* section;
            ui::Component& form;
        };
        const Form all[] = {
            {"TMainForm", forms.main}, {"TSettingsDlg", *settings}, {"TSoundsDlg", forms.sounds}};
        auto expectTranslated = [&](const char* section, ui::Component& form) {
            for (const auto& entry : texts.ReadSection(section)) {
                auto at = propertyAt(form, entry);
                ASSERT_TRUE(at.has_value()) << section << " " << entry;
                EXPECT_EQ(at->value(), i18n::UnquoteValue(texts.ReadString(section, entry, "")))
                    << section << " " << entry;
            }
        };
        for (const auto& f : all) {
            for (const auto& entry : texts.ReadSection(f.section)) {
                auto at = propertyAt(f.form, entry);
                ASSERT_TRUE(at.has_value()) << f.section << " " << entry;
                at->mark();
            }
        }
        // The change of language translates every form, the open settings dialog too.
        forms.selectLanguage(language);
        ASSERT_EQ(forms.main.bsPolyglotManager1->CurrentLang(), language);
        for (const auto& f : all)
            expectTranslated(f.section, f.form);
        // A settings dialog made while the language is current is translated as it is made.
        settings.reset();
        expectTranslated("TSettingsDlg", *forms.makeSettings());

        // The display's texts fit on the display, every letter shown as itself or as its
        // plain form, none clamped to another glyph.
        lcd::TLCDLabel& display = *forms.main.ChannelLCD;
        for (const auto& shownOnDisplay :
             {i18n::msg::SStandBy, i18n::msg::SStandingBy, i18n::msg::SLobbyName}) {
            const std::string text = i18n::LoadResourceString(shownOnDisplay);
            EXPECT_FALSE(text.empty()) << shownOnDisplay.identifier;
            display.setCaption(text);
            const std::string cells = display.cellCodes();
            EXPECT_LE(cells.size(), static_cast<std::size_t>(display.NoOfChars())) << text;
            for (char c : cells) {
                const int code = static_cast<unsigned char>(c);
                EXPECT_TRUE(code >= display.FirstChar() && code <= display.LastChar())
                    << text << " shows code " << code;
            }
        }
        for (const auto& m : i18n::builtinMessages()) {
            const std::string text = i18n::LoadResourceString(i18n::ResStringRec{m.id});
            EXPECT_FALSE(text.empty()) << m.id;
            // Texts with a place for a value keep it.
            for (const char* slot : {"%s", "%d"})
                EXPECT_EQ(m.text.find(slot) == std::string_view::npos,
                          text.find(slot) == std::string::npos)
                    << m.id << " " << text;
        }
    }
}

TEST(LanguageFiles, AccessKeysDifferWithinEachMenuAndNoneIsLost)
{
    // The captions of each menu's named items, in the language selected; the tray menu's first
    // item shows one of two message texts, so the tray menu is checked with each.
    auto menus = [](Forms& forms) {
        app::TMainForm& m = forms.main;
        auto settings = forms.makeSettings();
        std::map<std::string, std::vector<std::string>> out;
        const std::pair<const char*, ui::MenuItem*> lists[] = {
            {"menu bar", &m.MainMenu1->items()},
            {"File", m.File1},
            {"Options", m.Options1},
            {"Initial Channel", m.InitialChannel1},
            {"Help", m.Help1},
            {"channel list", &settings->PopupMenu1->items()}};
        for (const auto& [name, menu] : lists)
            for (ui::MenuItem* item : menu->items())
                if (!item->isSeparator() && !item->name().empty())
                    out[name].push_back(item->caption());
        for (const auto& restore : {i18n::msg::SHide, i18n::msg::SRestore}) {
            auto& captions = out["tray " + std::to_string(restore.identifier)];
            captions.push_back(i18n::LoadResourceString(restore));
            for (ui::MenuItem* item : m.TrayMenu->items().items())
                if (!item->isSeparator() && item != m.Restore1)
                    captions.push_back(item->caption());
        }
        return out;
    };

    std::map<std::string, std::vector<std::string>> designed;
    {
        Forms english;
        english.selectLanguage("English");
        designed = menus(english);
    }
    for (const std::string& language : shippedFiles()) {
        SCOPED_TRACE(language);
        Forms forms;
        forms.selectLanguage(language);
        const auto translated = menus(forms);
        ASSERT_EQ(translated.size(), designed.size());
        for (const auto& [menu, captions] : translated) {
            const auto& original = designed.at(menu);
            ASSERT_EQ(captions.size(), original.size()) << menu;
            std::set<unsigned char> keys;
            for (std::size_t i = 0; i < captions.size(); ++i) {
                const unsigned char key = accessKey(captions[i]);
                EXPECT_NE(key, 0) << menu << ": \"" << captions[i] << "\" has no access key";
                if (key) {
                    EXPECT_TRUE(keys.insert(key).second)
                        << menu << ": \"" << captions[i] << "\" takes a key already taken";
                }
            }
        }
    }
}

// One word for one thing in each translation: the lobby has the name the display shows for it
// on the Initial Channel menu and in the sound menu; the hotkeys are named alike on the menu
// and in the message that they are unavailable; the disconnect key is labelled with the word
// for leaving a channel, never with the word of the Exit item that ends the program. English
// keeps the program's own texts, which call the lobby "Default" and "Lobby" both.
TEST(LanguageFiles, EachTranslationNamesTheLobbyHotkeysAndDisconnectOneWay)
{
    struct Glossary {
        std::string language;
        std::string hotkeys;
        std::string disconnect;
    };
    const Glossary glossaries[] = {
        {"Deutsch", "Tastenk\xFCrzel", "Trennen"},
        {"Fran\xC3\xA7"
         "ais",
         "raccourcis",
         "D\xE9"
         "connecter"},
        {"Espa\xC3\xB1ol", "atajos", "Desconectar"},
        {"Italiano", "scorciatoie", "Disconnetti"},
    };
    auto withoutAccessKey = [](std::string caption) {
        for (std::size_t at = 0; (at = caption.find('&', at)) != std::string::npos; ++at)
            caption.erase(at, 1); // "&&" keeps one "&"
        return ui::upperCase(caption);
    };
    auto contains = [](const std::string& text, const std::string& word) {
        return ui::upperCase(text).find(ui::upperCase(word)) != std::string::npos;
    };
    for (const Glossary& g : glossaries) {
        SCOPED_TRACE(g.language);
        Forms forms;
        forms.selectLanguage(g.language);
        ASSERT_EQ(forms.main.bsPolyglotManager1->CurrentLang(), g.language);
        auto settings = forms.makeSettings();

        const std::string lobby = i18n::LoadResourceString(i18n::msg::SLobbyName);
        EXPECT_EQ(withoutAccessKey(forms.main.Default1->caption()), ui::upperCase(lobby));
        EXPECT_TRUE(contains(withoutAccessKey(settings->CustomLobbySound1->caption()), lobby))
            << settings->CustomLobbySound1->caption();

        EXPECT_TRUE(contains(forms.main.SetChannels1->caption(), g.hotkeys))
            << forms.main.SetChannels1->caption();
        EXPECT_TRUE(contains(i18n::LoadResourceString(i18n::msg::SHookFailed), g.hotkeys));

        const std::string disconnect = settings->KeyLabels[12]->caption(); // Label15
        EXPECT_EQ(disconnect, g.disconnect);
        EXPECT_FALSE(contains(disconnect, withoutAccessKey(forms.main.Exit1->caption())))
            << disconnect;
    }
}
