#include "browser/logic/uptime.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace velberd {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The run of digits at the front of text, which is advanced past it.
std::string_view takeDigits(std::string_view& text) {
    const auto count = static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), isDigit) - text.begin());
    const auto digits = text.substr(0, count);
    text.remove_prefix(count);
    return digits;
}

// An exponent this large already puts any text that fits in memory far outside single
// precision, so the count stops there instead of overflowing.
constexpr std::int64_t kExponentCeiling = 1'000'000'000'000;

// Decimal exponent of the leading non-zero digit of whole.fraction; none when every digit is 0.
std::optional<std::int64_t> leadingMagnitude(std::string_view whole, std::string_view fraction) {
    if (const auto lead = whole.find_first_not_of('0'); lead != std::string_view::npos) {
        return static_cast<std::int64_t>(whole.size() - lead) - 1;
    }
    if (const auto lead = fraction.find_first_not_of('0'); lead != std::string_view::npos) {
        return -static_cast<std::int64_t>(lead) - 1;
    }
    return std::nullopt;
}

} // namespace

std::string formatUptime(float value) {
    if (std::isnan(value) || std::isinf(value)) return "--:--";
    if (value < 0) {
        auto text = formatUptime(-value);
        return text == "0:00" ? text : "-" + text;
    }
    // Rounding the whole value to seconds first is the same as rounding the remainder and carrying
    // a full sixty. Done in double, where every float and its remainder are exact, so the largest
    // uptimes keep their seconds; stepwise single precision goes astray past 2^26 seconds.
    const double seconds = std::round(static_cast<double>(value));
    const double rest = std::fmod(seconds, 60.0);
    const double minutes = (seconds - rest) / 60.0;
    std::array<char, 64> digits{};
    const auto written =
        std::to_chars(digits.data(), digits.data() + digits.size(), minutes, std::chars_format::fixed, 0);
    std::string text(digits.data(), written.ptr);
    const int s = static_cast<int>(rest);
    text += ':';
    text += static_cast<char>('0' + s / 10);
    text += static_cast<char>('0' + s % 10);
    return text;
}

std::optional<float> uptimeNumber(std::string_view text) {
    text = trimmed(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);

    const auto whole = takeDigits(text);
    std::string_view fraction;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        fraction = takeDigits(text);
    }
    if (whole.empty() && fraction.empty()) return std::nullopt;

    std::int64_t exponent = 0;
    if (!text.empty() && std::string_view{"EeDd"}.find(text.front()) != std::string_view::npos) {
        text.remove_prefix(1);
        const bool negativeExponent = !text.empty() && text.front() == '-';
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
        const auto digits = takeDigits(text);
        if (digits.empty()) return std::nullopt;
        for (const char c : digits)
            exponent = std::min(exponent * 10 + (c - '0'), kExponentCeiling);
        if (negativeExponent) exponent = -exponent;
    }
    if (!text.empty()) return std::nullopt;

    const float sign = negative ? -1.0f : 1.0f;
    const auto magnitude = leadingMagnitude(whole, fraction);
    if (!magnitude) return sign * 0.0f;
    // Screening by magnitude keeps the double parse below in range: beyond 10^39 single precision
    // overflows, which the conversion reports as a failure; below 10^-46 it rounds to zero.
    if (*magnitude + exponent > 38) return std::nullopt;
    if (*magnitude + exponent < -46) return sign * 0.0f;

    std::string number{whole};
    number += '.';
    number += fraction;
    number += 'e';
    number += std::to_string(exponent);
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc{}) return std::nullopt;
    if (value > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
    return sign * static_cast<float>(value);
}

} // namespace velberd
