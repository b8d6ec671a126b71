// splitText with any delimiter and limit.
#include "browser/logic/splittext.h"
#include "check.h"

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

using velberd::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int limit = input.ConsumeIntegralInRange(-2, 16);
    const auto delimiter = input.ConsumeRandomLengthString(8);
    const auto expression = input.ConsumeRemainingBytesAsString();

    const auto pieces = velberd::splitText(expression, delimiter, limit);
    if (expression.empty() || limit == 0) {
        require(pieces.empty(), "nothing to cut gives no pieces");
        return 0;
    }
    if (limit > 0) require(pieces.size() <= static_cast<std::size_t>(limit), "the limit caps the count");
    if (delimiter.empty() || limit > 0) return 0;

    std::string text;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) text += delimiter;
        text += pieces[i];
    }
    require(text == expression || text + delimiter == expression, "joining the pieces gives the expression");
    return 0;
}
