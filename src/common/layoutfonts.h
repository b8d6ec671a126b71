#pragma once

namespace velberd {

// The main window's layout is drawn in Arial Narrow. Where the system lacks it (Windows without
// Office), its metric twin, shipped in fonts/ beside the program, stands in, so every caption
// keeps the width it was placed for. Call once, after the application exists.
void provideLayoutFonts();

} // namespace velberd
