#include "chareditor/registry/administratorsave.h"

#include <algorithm>

namespace velberd::registry {

std::string characterValue(unsigned char code) {
    return {static_cast<char>(code), '\0', '\0', '\0'};
}

AdministratorSave administratorSave(std::string_view keyPath, const EditorFields& fields) {
    const bool colours = fields.colour.size() == 4;
    AdministratorSave save{std::string(keyPath),
                           {{"Name", kRegSz, fields.nameUtf16 + std::string(2, '\0')}},
                           fields.name,
                           colours ? (fields.character ? "name, colours and character" : "name and colours")
                                   : (fields.character ? "name and character" : "name")};
    if (colours) save.values.push_back({"Color", kRegBinary, fields.colour});
    if (fields.character) save.values.push_back({"Char", kRegBinary, characterValue(*fields.character)});
    return save;
}

bool readsBackAsShown(const Registry& registry, const AdministratorSave& save) {
    return std::ranges::all_of(save.values, [&](const ImportedValue& value) {
        const std::string expected = value.type == kRegSz ? save.name + '\0' : value.bytes;
        return readBinaryValue(registry, save.keyPath, value.name) == expected;
    });
}

} // namespace velberd::registry
