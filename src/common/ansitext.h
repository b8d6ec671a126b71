#pragma once

#include <QString>
#include <string>
#include <string_view>

// The one crossing between byte text (Windows-1252, as the network, files and registry hold it)
// and the widgets' QString. Every one of the 256 byte values survives a round trip.
namespace velberd {

QString toCaption(std::string_view bytes);
std::string fromCaption(const QString& text);

} // namespace velberd
