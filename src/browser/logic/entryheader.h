#pragma once

#include <string>
#include <string_view>

namespace velberd {

// What the "Server Information" frame shows first for a server-list entry: whether the server
// is public, the address it may be joined at, and its name.
struct EntryHeader {
    // The 7 characters after "local " or "mirror " (from position 7 when neither word occurs),
    // shorter where the entry ends: "public " or "private".
    std::string access;
    // False when the last character of access is 'e', a private server.
    bool joinEnabled = true;
    // "restricted" for a private server; else the text before the first ":", or "x" when the entry
    // has none, so that no other server's address stays shown.
    std::string address;
    // The same text the server list shows for the entry.
    std::string serverName;
};

// Reads the header fields of one server-list entry; empty text gives an empty access field.
EntryHeader readEntryHeader(std::string_view entry);

// The 1-based position of the access field: after "local " or, failing that, "mirror "; 7 with
// neither word; 0 (no field) when the word lies beyond the positions a 16-bit count holds.
int accessFieldStart(std::string_view entry);

} // namespace velberd
