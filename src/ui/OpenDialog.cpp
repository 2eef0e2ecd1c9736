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

bool OpenDialog::execute()
{
    return backend().executeOpenDialog(*this);
}

} // namespace ui
