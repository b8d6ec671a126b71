#pragma once

#include "chareditor/registry/importfile.h"
#include "chareditor/registry/registryapi.h"

// The character editor's save with administrator rights, below its window: the values the import
// sets from the fields shown, and whether they read back so once Windows' registry tool has ended.
namespace velberd::registry {

// "Char" holds the character code as a 32-bit little-endian number.
std::string characterValue(unsigned char code);

struct EditorFields {
    std::string name;      // in the code page, as Set writes it
    std::string nameUtf16; // the same name as the registry holds it: each byte as UTF-16LE, no terminator
    std::string colour;    // the bytes of the colour boxes that hold one
    std::optional<unsigned char> character; // the code of the character chosen
};

struct AdministratorSave {
    std::string keyPath;
    std::vector<ImportedValue> values;
    std::string name;  // as it reads back, in the code page
    std::string shown; // the values named, e.g. "name, colours and character"
};

// What is shown is what is saved: the name, the colours when every box holds a byte, and the
// character chosen.
AdministratorSave administratorSave(std::string_view keyPath, const EditorFields& fields);

// Whether every value reads back as shown; a string reads back in the code page, with its terminator.
bool readsBackAsShown(const Registry& registry, const AdministratorSave& save);

} // namespace velberd::registry
