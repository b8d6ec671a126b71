#pragma once

// What every Windows program of Velberd does first, before anything loads a DLL: DLLs come only
// from the program's own folder and Windows' system folder, never from the current folder or the
// PATH, where anything the player downloaded may lie. The programs also carry a qt.conf that fixes
// Qt's prefix to their own folder, so no plugin is looked for outside it.
namespace velberd {

void restrictDllSearch();

} // namespace velberd
