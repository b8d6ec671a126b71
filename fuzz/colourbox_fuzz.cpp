// Whatever the player types into a colour box.
#include "chareditor/ui/colourbox.h"
#include "check.h"

#include <cstddef>
#include <cstdint>

using velberd::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto byte = velberd::colourByteFromText(text)) {
        const auto shown = velberd::colourText(*byte);
        require(!shown.empty() && shown.size() <= 2, "a byte shows as one or two digits");
        require(velberd::colourByteFromText(shown) == byte, "what a box shows reads back as the same byte");
    }
    if (size > 0) {
        const auto shown = velberd::colourText(data[0]);
        require(velberd::colourByteFromText(shown) == data[0], "every byte survives the box");
        require(velberd::colourByteFromText(" " + shown + "\t\n") == data[0], "blanks around it do not count");
    }
    return 0;
}
