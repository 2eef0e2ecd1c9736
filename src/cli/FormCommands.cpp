#include "cli/FormCommands.h"

#include "app/headless/StandInProgram.h"
#include "cli/Json.h"
#include "i18n/bsPolyglotManager.h"
#include "ui/StringList.h"

#include <chrono>
#include <filesystem>
#include <ostream>

namespace cli {

namespace {

void writeProperties(JsonWriter& json, ui::Persistent& object)
{
    json.beginObject();
    for (const ui::PropertyInfo* property : object.classInfo().properties()) {
        if (property->kind() == ui::PropertyKind::Text) {
            if (auto text = property->text(object))
                json.member(property->name(), *text);
        } else if (property->kind() == ui::PropertyKind::Object) {
            auto* list = dynamic_cast<ui::StringList*>(property->object(object));
            if (!list)
                continue;
            json.key(property->name()).beginArray();
            for (int i = 0; i < list->count(); ++i)
                json.value(list->at(i));
            json.endArray();
        }
    }
    json.endObject();
}

void writeComponent(JsonWriter& json, ui::Component& component)
{
    json.beginObject()
        .member("name", component.name())
        .member("class", component.className())
        .key("properties");
    writeProperties(json, component);
    json.endObject();
}

} // namespace

int runLangTranslate(const Args& args, Io& io)
{
    if (args.size() != 4 || args[0] != "translate" || args[2] != "--form")
        throw UsageError("usage: lang translate FILE --form TMainForm");
    const std::string& file = args[1];
    const std::string& formClass = args[3];
    if (formClass != "TMainForm")
        throw UsageError("unknown form '" + formClass + "' (known: TMainForm)");
    namespace fs = std::filesystem;
    fs::path path(file);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw std::runtime_error("cannot read language file " + file);

    // A program folder that holds nothing: no home profile, no languages.
    app::StandInProgram program(
        (fs::temp_directory_path() / "kestrion-cli-none" / "kestrion.exe").string());
    app::TMainForm& form = program.mainForm();

    // The language change, as the Language menu makes it, from a folder that holds this one
    // language file alone (so that no other language is applied first).
    fs::path folder = fs::temp_directory_path() /
                      ("kestrion-cli-lang-" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::remove_all(folder, ec);
    fs::create_directories(folder);
    struct RemoveFolder {
        fs::path path;
        ~RemoveFolder()
        {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } removeFolder{folder};
    fs::copy_file(path, folder / path.filename());
    form.bsPolyglotManager1->setLangsDir(folder.string() + "/");
    form.bsPolyglotManager1->setCurrentLang(path.stem().string());

    JsonWriter json;
    json.beginArray();
    writeComponent(json, form);
    for (ui::Component* component : form.components())
        if (!component->name().empty())
            writeComponent(json, *component);
    json.endArray();
    io.out << json.str() << '\n';
    return 0;
}

} // namespace cli
