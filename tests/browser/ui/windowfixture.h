#pragma once

#include "browser/client/listserverclient.h"
#include "browser/ui/mainwindow.h"
#include "fakelistserver.h"
#include "fakenetservices.h"
#include "fakeprocessstarter.h"
#include "memoryregistry.h"
#include "recordingmessages.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace velberd::test {

// A main window wired to stand-ins: a temporary program folder and, when given, a loopback list
// server. Nothing it does leaves the machine.
struct WindowFixture {
    // Messages are recorded, or shown in real message boxes for a test to read.
    enum class Messages { Recorded, Shown };

    // The program runs from the fixture's folder, or from a folder of the given name inside it.
    explicit WindowFixture(const QByteArray* dirsTxt = nullptr, quint16 listPort = 0,
                           Messages shown = Messages::Recorded, const QString& programFolderName = {})
        : programFolder(programFolderName.isEmpty() ? folder.path() : folder.filePath(programFolderName)) {
        QDir().mkpath(programFolder);
        if (dirsTxt) {
            QFile file(QDir(programFolder).filePath(QStringLiteral("dirs.txt")));
            file.open(QIODevice::WriteOnly);
            file.write(*dirsTxt);
        }
        BrowserServices services;
        services.listServer = {QStringLiteral("127.0.0.1"), listPort};
        if (shown == Messages::Shown) {
            services.messages = std::make_shared<MessageBoxPresenter>();
        } else {
            services.messages = messages;
        }
        services.net = net;
        services.processes = processes;
        services.registry = registry;
        services.programFolder = programFolder;
        services.winePrefix = prefixPath();
        services.localAddress = [] { return QStringLiteral("192.0.2.44"); };
        window = std::make_unique<MainWindow>(std::move(services));
    }
    // Lookups and echoes a test left hanging end with the test.
    ~WindowFixture() {
        net->releaseLookups();
        net->releaseEchoes();
    }

    // A Wine prefix of the test's own, for the game's paths.
    QString prefixPath() const { return folder.filePath(QStringLiteral("prefix")); }

    template <typename T = QWidget> T* control(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QString caption(const char* name) const { return control<QLabel>(name)->text(); }
    QTimer* timer(const char* name) const { return control<QTimer>(name); }

    QStringList items(const char* name) const {
        QStringList texts;
        const auto* list = control<QListWidget>(name);
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    // Asks the list server at once, as a tick of the refresh timer does.
    void refreshList() const { window->findChild<ListServerClient*>()->requestServerList(); }

    // Runs the start-up sequence at once and holds the refresh timer, so a test drives the
    // refreshes itself.
    void finishStartup() const {
        for (int i = 0; i < 6; ++i)
            window->advanceStartup();
        timer("autolist")->stop();
    }

    // Selects a row of the server list with the mouse, as the player does.
    void clickRow(int row) const {
        auto* list = control<QListWidget>("List2");
        if (!window->isVisible()) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        }
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    QTemporaryDir folder;
    QString programFolder;
    std::shared_ptr<RecordingMessages> messages = std::make_shared<RecordingMessages>();
    std::shared_ptr<FakeNetServices> net = std::make_shared<FakeNetServices>();
    std::shared_ptr<FakeProcessStarter> processes = std::make_shared<FakeProcessStarter>();
    std::shared_ptr<MemoryRegistry> registry = std::make_shared<MemoryRegistry>();
    std::unique_ptr<MainWindow> window;
};

} // namespace velberd::test
