#include "i18n/TranslatableTexts.h"

#include "ui/ClassInfo.h"
#include "ui/Form.h"
#include "ui/Text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace i18n {

namespace {

// The published text properties that a user reads; names never translated.
constexpr std::array<std::string_view, 5> kShownTexts = {"Caption", "Hint", "Title", "Filter",
                                                         "Text"};

// A letter of the ANSI code page: A to Z, a to z, and the accented letters from 0xC0 up
// (but the multiplication and division signs).
bool hasLetter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
               (b >= 0xC0 && b != 0xD7 && b != 0xF7);
    });
}

void collect(const ui::Persistent& object, const std::string& prefix,
             const std::vector<std::string>& runtime, std::vector<TranslatableText>& out)
{
    for (const ui::PropertyInfo* property : object.classInfo().properties()) {
        if (property->kind() != ui::PropertyKind::Text ||
            std::find(kShownTexts.begin(), kShownTexts.end(), property->name()) ==
                kShownTexts.end())
            continue;
        const std::string path = prefix + property->name();
        const bool setWhileRunning =
            std::any_of(runtime.begin(), runtime.end(),
                        [&](const std::string& r) { return ui::sameText(r, path); });
        std::optional<std::string> text = property->text(object);
        if (text && hasLetter(*text) && !setWhileRunning)
            out.push_back({path, *text});
    }
}

} // namespace

std::vector<TranslatableText> translatableTexts(const ui::Form& form)
{
    const std::vector<std::string> runtime = form.runtimeTexts();
    std::vector<TranslatableText> out;
    collect(form, "", runtime, out);
    for (const ui::Component* component : form.components())
        if (!component->name().empty())
            collect(*component, component->name() + ".", runtime, out);
    return out;
}

} // namespace i18n
