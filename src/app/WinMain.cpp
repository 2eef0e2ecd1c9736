// Program start: the DLL search is restricted before anything can load a DLL; the thread joins
// a single-threaded COM apartment (screen readers reach the windows' accessible objects
// through COM); then the program (app/win32/Program.h) comes up and runs its message loop.

#include "app/win32/DllSearch.h"
#include "app/win32/Program.h"

#include <objbase.h>
#include <windows.h>

#include <exception>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    app::restrictDllSearch();
    // Without COM the windows still work; only screen readers would then learn less of them.
    struct Apartment {
        HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        Apartment() = default;
        Apartment(const Apartment&) = delete;
        Apartment& operator=(const Apartment&) = delete;
        ~Apartment()
        {
            if (SUCCEEDED(joined)) {
                CoUninitialize();
            }
        }
    } apartment;
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
