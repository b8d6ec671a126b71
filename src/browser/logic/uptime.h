#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velberd {

// Seconds as minutes and seconds, "m:ss": the seconds rounded to a whole number, half away from
// zero, a full sixty carried into the minutes, the minutes not limited and not padded
// (3600 gives "60:00"). A negative value gets a leading "-" unless it rounds to "0:00";
// NaN and the infinities give "--:--".
std::string formatUptime(float value);

// The uptime text as a single-precision number: blanks around it, an optional sign, digits with
// an optional decimal point, an optional exponent (E or D). None when the text is not such a number or is too large for
// single precision; a value too small for it is 0.
std::optional<float> uptimeNumber(std::string_view text);

} // namespace velberd
