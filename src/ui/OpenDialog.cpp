#include "ui/OpenDialog.h"

#include "ui/Backend.h"

namespace ui {

const ClassInfo& OpenDialog::staticClassInfo()
{
    using P = Published<OpenDialog>;
    static const ClassInfo info(
        "TOpenDialog", &Component::staticClassInfo(),
        {
            P::text("DefaultExt", &OpenDialog::defaultExt, &OpenDialog::setDefaultExt),
            P::text("FileName", &OpenDialog::fileName, &OpenDialog::setFileName),
            P::text("Filter", &OpenDialog::filter, &OpenDialog::setFilter),
            P::integer("FilterIndex", &OpenDialog::filterIndex, &OpenDialog::setFilterIndex),
            P::text("InitialDir", &OpenDialog::initialDir, &OpenDialog::setInitialDir),
            P::other("Options"),
            P::text("Title", &OpenDialog::title, &OpenDialog::setTitle),
        });
    return info;
}

std::string OpenDialog::systemFilter(const std::string& filter)
{
    if (filter.empty()) {
        return std::string(2, '\0');
    }
    std::string out;
    int parts = 1;
    for (char c : filter) {
        if (c == '|') {
            out += '\0';
            ++parts;
        } else {
            out += c;
        }
    }
    out += '\0';
    if (parts % 2 != 0) {
        out += '\0'; // the missing pattern
    }
    out += '\0';
    return out;
}

bool OpenDialog::execute()
{
    return backend().executeOpenDialog(*this);
}

} // namespace ui
