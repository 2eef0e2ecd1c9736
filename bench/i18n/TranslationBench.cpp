// Translation speed: three forms of 60 components each, from a language file of 2,000 entries
// (the three form sections and a large [ResourceStrings] section). Target: translating the
// three forms after a change of language takes under 2 ms.

#include "TestForm.h"
#include "i18n/ResourceStrings.h"
#include "i18n/bsCorePolyglot.h"
#include "i18n/bsPolyglotManager.h"
#include "i18n/bsPolyglotTranslator.h"

#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kComponents = 60;
constexpr int kForms = 3;
constexpr int kEntries = 2000;

template <int N>
class TBenchForm : public ui::Form {
public:
    TBenchForm(i18n::TbsPolyglotManager* manager) : ui::Form(nullptr)
    {
        for (int i = 0; i < kComponents; ++i) {
            auto* label = new i18n::test::TTestLabel(this);
            label->setName("Label" + std::to_string(i));
            label->setParent(this);
        }
        auto* translator = new i18n::TbsPolyglotTranslator(this);
        translator->setManager(manager);
        finishCreation();
    }
    static const ui::ClassInfo& staticClassInfo()
    {
        static const ui::ClassInfo info("TBenchForm" + std::to_string(N),
                                        &ui::Form::staticClassInfo(), {});
        return info;
    }
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }
};

// Each component gets five entries (text, hint, boolean, nested font name, string list); the
// rest of the 2,000 entries are message texts.
std::string languageFile(const std::string& tag)
{
    std::string text = "; benchmark language\r\n";
    int entries = 0;
    for (int form = 1; form <= kForms; ++form) {
        text += "[TBenchForm" + std::to_string(form) + "]\r\n";
        text += "Caption='Form " + std::to_string(form) + " " + tag + "'\r\n";
        ++entries;
        for (int i = 0; i < kComponents; ++i) {
            std::string label = "Label" + std::to_string(i);
            text += label + ".Caption='" + tag + " caption " + std::to_string(i) + "'\r\n";
            text +=
                label + ".Hint='" + tag + " hint with ''quotes'' " + std::to_string(i) + "'\r\n";
            text += label + ".Visible=True\r\n";
            text += label + ".Font.Name='Tahoma'\r\n";
            text += label + ".Items.Strings='one','two, three'\r\n";
            entries += 5;
        }
    }
    text += "[ResourceStrings]\r\n";
    for (int id = 1; entries < kEntries; ++id, ++entries)
        text += std::to_string(60000 + id) + "_Text='" + tag + " message " + std::to_string(id) +
                "'\r\n";
    return text;
}

struct Fixture {
    std::filesystem::path dir;
    std::filesystem::path cwd;
    std::unique_ptr<i18n::TbsCorePolyglot> core;
    ui::ComponentPtr<i18n::TbsPolyglotManager> manager;
    std::vector<ui::ComponentPtr<ui::Form>> forms;
    ui::headless::HeadlessBackend backend;

    Fixture()
    {
        dir = std::filesystem::temp_directory_path() / "kestrion-i18n-bench";
        std::filesystem::create_directories(dir / "cwd");
        std::ofstream(dir / "English.lng", std::ios::binary) << languageFile("English");
        std::ofstream(dir / "French.lng", std::ios::binary) << languageFile("French");
        cwd = std::filesystem::current_path();
        std::filesystem::current_path(dir / "cwd");
        core = std::make_unique<i18n::TbsCorePolyglot>();
        manager = ui::makeComponent<i18n::TbsPolyglotManager>(nullptr);
        manager->setLangsDir(dir.string() + "\\");
        manager->setCurrentLang("English");
        forms.emplace_back(new TBenchForm<1>(manager.get()));
        forms.emplace_back(new TBenchForm<2>(manager.get()));
        forms.emplace_back(new TBenchForm<3>(manager.get()));
    }
    ~Fixture()
    {
        forms.clear();
        manager.reset();
        core.reset();
        std::filesystem::current_path(cwd);
        std::filesystem::remove_all(dir);
    }
};

// The translation of the three forms from the loaded file, as after a change of language.
void BM_TranslateThreeForms(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        f.manager->TranslateAll();
    state.counters["entries/s"] = benchmark::Counter(static_cast<double>(state.iterations()) *
                                                         (kForms * (1 + 5 * kComponents)),
                                                     benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TranslateThreeForms)->Unit(benchmark::kMillisecond);

// A whole change of language: reading and parsing the 2,000-entry file, then translating.
void BM_ChangeLanguage(benchmark::State& state)
{
    Fixture f;
    bool french = false;
    for (auto _ : state) {
        french = !french;
        f.manager->setCurrentLang(french ? "French" : "English");
    }
}
BENCHMARK(BM_ChangeLanguage)->Unit(benchmark::kMillisecond);

// One message-text lookup near the end of a [ResourceStrings] section of about 1,100 entries.
void BM_LoadTranslatedMessage(benchmark::State& state)
{
    Fixture f;
    i18n::ResStringRec last{60000 + 1000};
    for (auto _ : state)
        benchmark::DoNotOptimize(i18n::LoadResourceString(last));
}
BENCHMARK(BM_LoadTranslatedMessage)->Unit(benchmark::kMicrosecond);

} // namespace
