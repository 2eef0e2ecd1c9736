#pragma once
// The texts of a form that a language file translates.

#include <string>
#include <vector>

namespace ui {
class Form;
}

namespace i18n {

struct TranslatableText {
    // The property path a language file names it by: "Caption", "Exit1.Caption",
    // "OpenDialog1.Filter".
    std::string path;
    // The text it holds now.
    std::string text;
};

// The captions, hints, titles, file filters and initial texts (the properties Caption, Hint,
// Title, Filter and Text) of the form and of its named components, in the order the
// components were made, the form first. Only texts with a letter in them count ("+", "-" and
// "..." are the same in every language), and none of the form's runtimeTexts(). Components
// without a name cannot be reached from a language file and are left out.
std::vector<TranslatableText> translatableTexts(const ui::Form& form);

} // namespace i18n
