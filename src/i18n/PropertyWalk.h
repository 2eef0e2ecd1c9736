#pragma once
// The walk that applies a language file to a form: each entry name of the section named after
// the form's class is a property path (Exit1.Caption, Font.Name, ListBox1.Items.Strings,
// StatusBar1.Panels.Items(0).Text) resolved over the component model, and its value is read
// in the form the property needs.

#include "ui/Text.h"

#include <string_view>

namespace ui {
class Component;
class Persistent;
} // namespace ui

namespace i18n {

class TbsINIFile;

// An enumeration value that names no member of its enumeration: "Invalid property element: %s"
// with the value. It ends the translation at that entry.
class PropertyElementError : public ui::Error {
public:
    explicit PropertyElementError(std::string_view value);
};

// Applies every entry of the root's section, in file order. Entries that reach no property,
// collection indexes out of range and object properties without a value are ignored; a
// PropertyElementError, or any error a property setter throws, ends the walk and propagates.
void translateComponent(const TbsINIFile& file, ui::Component& root);

// One entry: the section and the entry name from which every value is read, however deep the
// path goes.
class PropertyWalk {
public:
    PropertyWalk(const TbsINIFile& file, std::string_view section, std::string_view entry)
        : m_file(file), m_section(section), m_entry(entry)
    {
    }

    // Resolves `path` from `object`: a published property of that name, else an owned
    // component, else (for a windowed control) a child control; otherwise nothing.
    void ResolvePath(ui::Persistent& object, std::string_view path) const;
    // Sets the property `property` of `object` from the entry's value, by the property's kind;
    // `rest` is the remaining path for object properties.
    void ApplyProperty(ui::Persistent& object, std::string_view property,
                       std::string_view rest) const;

private:
    void applyCollectionItem(ui::Persistent& collection, std::string_view rest) const;

    const TbsINIFile& m_file;
    std::string_view m_section;
    std::string_view m_entry;
};

} // namespace i18n
