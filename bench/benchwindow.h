#pragma once

#include "browser/client/listserverclient.h"
#include "browser/ui/mainwindow.h"
#include "fakelistserver.h"
#include "fakenetservices.h"
#include "fakeprocessstarter.h"
#include "recordingmessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

namespace velberd::bench {

// Eleven servers as the list server sends them.
inline QByteArray realisticList() {
    QByteArray block;
    for (int i = 1; i <= 11; ++i) {
        block += "192.0.2." + QByteArray::number(i) + ":10052 local " + (i % 4 == 0 ? "private" : "public ") +
                 (i % 3 == 0 ? " ctf 1.21   " : " battle 1.24   ") + QByteArray::number(60 * i + 7) + " [" +
                 QByteArray::number(i % 8) + "/32] Carrotus Arena " + QByteArray::number(i) + "\r\n";
    }
    return block;
}

// The main window against a loopback list server and name and echo services that answer like a
// real network: nothing leaves the machine.
struct BenchWindow {
    explicit BenchWindow(int lookupDelayMs = 30, int echoDelayMs = 40, const QByteArray& served = realisticList()) {
        list.serve({served});
        net->setLookupDelay(lookupDelayMs);
        net->setEchoDelay(echoDelayMs);
        for (int i = 1; i <= 11; ++i) {
            const auto address = "192.0.2." + std::to_string(i);
            net->setHostName(address, "host" + std::to_string(i) + ".dsl.example.net");
            net->setRoundTrip(address, 40 + static_cast<std::uint32_t>(i));
        }
        BrowserServices services;
        services.listServer = {QStringLiteral("127.0.0.1"), list.port()};
        services.messages = std::make_shared<test::RecordingMessages>();
        services.net = net;
        services.processes = std::make_shared<test::FakeProcessStarter>();
        services.programFolder = folder.path();
        services.localAddress = [] { return QStringLiteral("192.0.2.44"); };
        window = std::make_unique<MainWindow>(std::move(services));
    }

    QListWidget* list2() const { return window->findChild<QListWidget*>(QStringLiteral("List2")); }
    QTimer* timer(const char* name) const { return window->findChild<QTimer*>(QString::fromLatin1(name)); }

    void refreshList() const { window->findChild<ListServerClient*>()->requestServerList(); }

    // The start-up steps at once, the refresh timer held.
    void finishStartup() const {
        for (int i = 0; i < 6; ++i)
            window->advanceStartup();
        timer("autolist")->stop();
    }

    // One refresh, waited for until the list is rebuilt; false when it did not come within 2 s.
    bool refresh(int servers = 11) const {
        list2()->addItem(QStringLiteral("stale"));
        refreshList();
        return waitFor([this, servers] { return list2()->count() == servers && list2()->item(0)->text() != "stale"; },
                       2000);
    }

    template <typename Condition> static bool waitFor(Condition done, int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > timeoutMs) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }

    QTemporaryDir folder;
    test::FakeListServer list;
    std::shared_ptr<test::FakeNetServices> net = std::make_shared<test::FakeNetServices>();
    std::unique_ptr<MainWindow> window;
};

} // namespace velberd::bench
