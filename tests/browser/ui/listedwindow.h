#pragma once

#include "windowfixture.h"

namespace velberd::test {

struct ListServerHolder {
    FakeListServer server;
};

// A started window whose list server has served the given entries, already listed.
struct ListedWindow : ListServerHolder, WindowFixture {
    explicit ListedWindow(const QList<QByteArray>& entries, const QByteArray* dirsTxt = nullptr,
                          Messages shown = Messages::Recorded, const QString& programFolderName = {})
        : WindowFixture(dirsTxt, server.port(), shown, programFolderName) {
        QByteArray reply;
        for (const auto& entry : entries)
            reply += entry + "\r\n";
        server.serve({reply});
        finishStartup();
        refreshList();
        QTRY_COMPARE(control<QListWidget>("List2")->count(), entries.size());
        QTRY_VERIFY(control("List2")->isEnabled());
    }
};

} // namespace velberd::test
