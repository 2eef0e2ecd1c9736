// Program start: the DLL search is restricted before anything can load a DLL; then the
// program (app/win32/Program.h) comes up and runs its message loop.

#include "app/win32/DllSearch.h"
#include "app/win32/Program.h"

#include <windows.h>

#include <exception>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    app::restrictDllSearch();
    try {
        app::Program program(instance, app::Program::ownPath());
        program.run();
        return 0;
    } catch (const std::exception& error) {
        // Nothing is up to show it otherwise.
        MessageBoxA(nullptr, error.what(), app::Program::kApplicationTitle, MB_ICONERROR | MB_OK);
        return 1;
    }
}
