#include "browser/logic/entryheader.h"

#include "browser/logic/serverlist.h"
#include "browser/logic/slice.h"

namespace velberd {

// With neither word the mirror position is 0, so the field is read from position 7. A word found
// beyond the positions a 16-bit count can hold gives no field at all rather than one read from the
// wrong place.
int accessFieldStart(std::string_view entry) {
    const int local = positionOf(entry, "local");
    if (local != 0) return local < 0 ? 0 : local + 6;
    const int mirror = positionOf(entry, "mirror");
    return mirror < 0 ? 0 : mirror + 7;
}

EntryHeader readEntryHeader(std::string_view entry) {
    EntryHeader header;
    header.access = slice(entry, accessFieldStart(entry), 7).value_or(std::string{});
    header.joinEnabled = !header.access.ends_with('e');
    if (header.joinEnabled) {
        const auto address = leftOf(entry, positionOf(entry, ":") - 1);
        header.address = address && !address->empty() ? *address : "x";
    } else {
        header.address = "restricted";
    }
    header.serverName = displayName(entry);
    return header;
}

} // namespace velberd
