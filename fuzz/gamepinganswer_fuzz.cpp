// Any datagram against the game ping's answer checker: it takes a datagram exactly when its length,
// type and checksum are those of an answer, whatever its sequence byte, and a checksum summed
// without reducing as it goes agrees with the checker's.
#include "check.h"
#include "net/gamepingpacket.h"

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

using velberd::fuzz::require;
namespace gameping = velberd::net::gameping;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto bytes = input.ConsumeRemainingBytes<unsigned char>();

    bool sumsAgree = bytes.size() < 2;
    if (bytes.size() >= 2) {
        std::uint64_t x = 1;
        std::uint64_t y = 1;
        for (std::size_t i = 2; i < bytes.size(); ++i) {
            x += bytes[i];
            y += x;
        }
        const auto sum = gameping::checksum(bytes);
        sumsAgree = sum && (*sum)[0] == x % 251 && (*sum)[1] == y % 251;
    }
    require(sumsAgree, "the checksum is the sums of the bytes from index 2, modulo 251");

    const bool expected = bytes.size() >= gameping::kMinAnswerSize && bytes[2] == gameping::kAnswerType &&
                          gameping::checksum(bytes) && (*gameping::checksum(bytes))[0] == bytes[0] &&
                          (*gameping::checksum(bytes))[1] == bytes[1];
    require(gameping::isAnswer(bytes) == expected, "only an answer is one");

    // Signed, the same bytes with an answer's type always answer.
    if (bytes.size() >= gameping::kMinAnswerSize) {
        std::vector<unsigned char> signedAnswer = bytes;
        signedAnswer[2] = gameping::kAnswerType;
        gameping::sign(signedAnswer);
        require(gameping::isAnswer(signedAnswer), "a signed answer is taken");
    }
    return 0;
}
