#pragma once
// Where the program takes DLLs from. Windows looks for a DLL that is not among its known DLLs
// in the program's own folder first, and a portable program often lands in a folder it
// shares with other downloads: a planted VERSION.dll or WINMM.DLL there would run inside it.
//
// So the program imports at load time only known DLLs and its own kestrihk.dll (which the
// loader takes from the program's folder, where it ships). Every other system DLL is
// delay-loaded, and this unit's delay-load hook loads it by its full path in the system
// folder; a DLL that the manifest binds to a side-by-side assembly (the common controls) is
// loaded by name, which the loader resolves in that assembly before it searches any folder.

namespace app {

// How restrictDllSearch left the search for DLLs loaded by name.
enum class DllSearch {
    // Only the system folder (SetDefaultDllDirectories): also what system DLLs load by name
    // for themselves comes from there.
    systemFolderOnly,
    // Windows before 8 without its 2011 loader update: the current folder is out of the
    // search (SetDllDirectory with an empty name); the delay-loaded DLLs still come from the
    // system folder by full path.
    withoutCurrentFolder,
};

// Restricts the process's DLL search. Call it first thing at program start, before anything
// can load a DLL. Safe to call again.
DllSearch restrictDllSearch();

// restrictDllSearch as on a Windows without SetDefaultDllDirectories, so that tests can prove
// that way too.
DllSearch restrictDllSearchWithoutDefaultDirectories();

} // namespace app
