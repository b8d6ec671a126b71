// Any datagram against the status answer's reader and what the window makes of it: only a signed
// answer whose name is whole is read; what is read holds no more players than it says, names
// without zero bytes, teams of two bits, and nothing of a player list where none was sent; the
// shown text has no colour switch and keeps its bound.
#include "browser/logic/playerstext.h"
#include "check.h"
#include "net/gamepingpacket.h"
#include "net/gamestatuspacket.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

using velberd::fuzz::require;
namespace gameping = velberd::net::gameping;
namespace gamestatus = velberd::net::gamestatus;

namespace {

bool shownPlainly(const std::string& text) {
    return text.size() <= velberd::kPlainNameBytes && text.find('|') == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Mostly signed answers, so the reader gets past the checksum to what follows it.
    const bool signAsAnswer = input.ConsumeIntegralInRange(0, 7) != 0;
    auto bytes = input.ConsumeRemainingBytes<unsigned char>();
    if (signAsAnswer && bytes.size() > 2) {
        bytes[2] = gamestatus::kAnswerType;
        gameping::sign(bytes);
    }

    const auto status = gamestatus::readAnswer(bytes);
    const auto sum = gameping::checksum(bytes);
    const bool whole = bytes.size() > 16 && bytes[2] == gamestatus::kAnswerType && sum && (*sum)[0] == bytes[0] &&
                       (*sum)[1] == bytes[1] && bytes.size() >= 17u + bytes[16];
    require(status.has_value() == whole, "an answer is read exactly when it is signed and whole to the name");
    if (!status) return 0;

    require(status->serverName.size() == bytes[16], "the name is as long as its length byte says");
    require(status->extended == (bytes.size() > 18u + bytes[16]), "an answer is extended by its length");
    require(status->extended || (status->playerList.empty() && !status->clients && !status->customMode),
            "a plain answer has no extended fields");
    require(!status->isPrivate || (status->playerList.empty() && !status->scoreLimit), "a private server names nobody");
    require(status->playerList.size() <= static_cast<std::size_t>(status->players), "no more players than it says");
    require(!status->playerListCut || status->playerList.size() < static_cast<std::size_t>(status->players),
            "a cut list is short");
    for (const auto& player : status->playerList) {
        require(player.name.find('\0') == std::string::npos, "a player's name holds no zero byte");
        require(player.team >= 0 && player.team <= 3, "a team is two bits");
    }

    const auto view =
        velberd::playersView(velberd::net::GameStatusResult{velberd::net::GamePingOutcome::Answered, *status});
    require(view.rows.size() == status->playerList.size(), "a row for each player read");
    for (const auto& row : view.rows)
        require(shownPlainly(row[0]), "a shown name is plain and bounded");
    require(shownPlainly(view.level), "the shown level is plain and bounded");
    const auto toolTip = velberd::playersToolTip(*status);
    require(toolTip.find('|') == std::string::npos, "the tool tip has no colour switch");
    return 0;
}
