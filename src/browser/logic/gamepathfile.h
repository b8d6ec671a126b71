#pragma once

#include <string>
#include <string_view>

namespace velberd {

// The two game paths of dirs.txt, in Combo1's order: the 1.21 to 1.23 game, then The Secret Files.
struct GamePaths {
    std::string classic;
    std::string secretFiles;
};

// Reads the bytes of dirs.txt line by line (CR LF or a lone CR ends a line), the lines joined by
// CR LF, the final CR LF dropped, cut at the first CR LF. So a third line stays in the second
// entry after a CR LF. A file with lone LF line ends, which a text editor
// on Linux writes, is cut at its first LF instead; a single line is the first entry alone.
GamePaths parseGamePathFile(std::string_view bytes);

} // namespace velberd
