#include "browser/logic/probablehosts.h"

#include "browser/logic/slice.h"

namespace velberd {
namespace {

constexpr std::array<ProbableHost, 48> kTable{{
    {"dyn.harbourline.net", "Carrotbane"},
    {"static.harbourline.net", "Quillfire or Mossgrin"},
    {"cable.harbourline.net", "Nyxie"},
    {"harbourline.net", "Turtlebreaker"},
    {"dsl.kestrelnet.com", "Pellet, Zephyr9"},
    {"fiber.kestrelnet.com", "Kipper"},
    {"adsl.tallbridge.co.uk", "Dr. Fuzzle"},
    {"cust.tallbridge.co.uk", "Sprocket or Hexhare"},
    {"dip.vossberg-kabel.de", "Tamarind"},
    {"dialin.vossberg-kabel.de", "Blinkstep"},
    {"polderweb.nl", "Orbweaver"},
    {"mapleridge-isp.ca", "Cobaltine, Razzle, Umbertide"},
    {"res.nordfjell-bredband.no", "Glimmerjack"},
    {"biz.nordfjell-bredband.no", "Thistle"},
    {"wallaroo-broadband.com.au", "Vortigan"},
    {"sierrapunto-red.es", "Sable or Fennek"},
    {"lumiverkko.fi", "Mirth"},
    {"kanalnett-syd.se", "Gravelsnout"},
    {"pool.brightmoor.net", "Lumen"},
    {"ppp.brightmoor.net", "Octavo"},
    {"hsd1.bluefern-cable.com", "Brisket"},
    {"hsd2.bluefern-cable.com", "Wickwire or Jolt"},
    {"bluefern-cable.com", "Crumble"},
    {"ipv4.tundrawave.pl", "Marzipan"},
    {"client.ostrovnet.cz", "Stardrift"},
    {"cpe.pinecrest-tel.net", "Quokka"},
    {"home.vinkelnet.dk", "Rook, Tinder"},
    {"adsl.bellamare-tel.it", "Halcyon"},
    {"fibra.bellamare-tel.it", "Moxie"},
    {"wlan.alpenfunk.at", "Pumice"},
    {"dynamic.riverglen-isp.com", "Yarrow"},
    {"static.riverglen-isp.com", "Skink or Cinders"},
    {"dhcp.coralbay-net.com", "Noodle"},
    {"res.kiwistream.co.nz", "Vesper"},
    {"dsl.prairieline.net", "Flintlock"},
    {"cable.prairieline.net", "Gizmo, Ember"},
    {"user.lagunazul.com.br", "Tiko"},
    {"bb.sakuranet-hikari.jp", "Hoshimaru"},
    {"dyn.marchwood-dsl.co.uk", "Pockets"},
    {"client.ferrovia-net.pt", "Lampwick"},
    {"dial.stormhaven.org", "Bramble or Tuft"},
    {"adsl.gryphonline.fr", "Chicory"},
    {"abo.gryphonline.fr", "Velvet Jack"},
    {"cm.cedarvale-comm.net", "Mistral"},
    {"ip.hollowpeak.ru", "Pinwheel, Dusk, Sorrel"},
    {"home.quartzline.be", "Fidget"},
    {"kestrelnet.com", "Spindle"},
    {"tallbridge.co.uk", "Ravelin or Corvid"},
}};

} // namespace

const std::array<ProbableHost, 48>& probableHostsTable() {
    return kTable;
}

std::optional<std::string> probableHosts(std::string_view hostName) {
    for (const auto& row : kTable) {
        if (positionOf(hostName, row.fragment, 2) != 0) return std::string{row.hosts};
    }
    return std::nullopt;
}

} // namespace velberd
