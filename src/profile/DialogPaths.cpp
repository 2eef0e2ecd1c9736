#include "profile/DialogPaths.h"

#include "platform/LocalPath.h"

namespace profile {

void keepDialogOnThisComputer(ui::OpenDialog& dialog, const std::string& fallbackFolder)
{
    if (!dialog.initialDir().empty() && !platform::isLocalFilePath(dialog.initialDir()))
        dialog.setInitialDir(fallbackFolder);
    if (!dialog.fileName().empty() && !platform::isLocalFilePath(dialog.fileName()))
        dialog.setFileName({});
}

} // namespace profile
