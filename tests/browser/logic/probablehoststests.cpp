#include "browser/logic/probablehosts.h"

#include <gtest/gtest.h>
#include <string>

namespace velberd {
namespace {

// The rows the program ships, written out here and not read from the code under test.
constexpr std::array<ProbableHost, 48> kShippedRows{{
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

TEST(ProbableHostsTable, HoldsTheShippedRowsInOrderAndEachCanMatch) {
    const auto& table = probableHostsTable();
    for (std::size_t i = 0; i < kShippedRows.size(); ++i) {
        const auto& [fragment, hosts] = kShippedRows[i];
        SCOPED_TRACE(testing::Message() << "row " << i + 1 << ": " << fragment);
        EXPECT_EQ(table[i].fragment, fragment);
        EXPECT_EQ(table[i].hosts, hosts);
        // A row whose fragment holds an earlier row's fragment would never be reached.
        EXPECT_EQ(probableHosts("198-51-100-7." + std::string{fragment}), hosts);
    }
}

TEST(ProbableHosts, FragmentMustOccurFromPositionTwo) {
    EXPECT_EQ(probableHosts("polderweb.nl"), std::nullopt);
    EXPECT_EQ(probableHosts("polderweb.nl.polderweb.nl"), "Orbweaver");
    EXPECT_EQ(probableHosts("xpolderweb.nl"), "Orbweaver");
    // The specific row is skipped at position 1, but the provider's bare domain occurs later.
    EXPECT_EQ(probableHosts("dyn.harbourline.net"), "Turtlebreaker");
}

TEST(ProbableHosts, CaseSensitive) {
    EXPECT_EQ(probableHosts("c-198-51-100-7.DYN.HARBOURLINE.NET"), std::nullopt);
    EXPECT_EQ(probableHosts("c-198-51-100-7.Polderweb.nl"), std::nullopt);
}

TEST(ProbableHosts, TableOrderDecidesNotWhereInTheNameAFragmentStands) {
    EXPECT_EQ(probableHosts("a.polderweb.nl.lumiverkko.fi"), "Orbweaver");
    EXPECT_EQ(probableHosts("a.lumiverkko.fi.polderweb.nl"), "Orbweaver");
}

TEST(ProbableHosts, FailedLookupAndOddNamesMatchNothing) {
    EXPECT_EQ(probableHosts("Unknown"), std::nullopt);
    EXPECT_EQ(probableHosts(""), std::nullopt);
    EXPECT_EQ(probableHosts("x"), std::nullopt);
    EXPECT_EQ(probableHosts("192.0.2.5"), std::nullopt);
}

} // namespace
} // namespace velberd
