#include "viewer/core/LumoraStartup.h"
#include "viewer/core/ScreenQuery.h"
#include "viewer/core/SingleInstance.h"

#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace lumora;

namespace {

class FakeScreen : public ScreenQuery {
public:
    explicit FakeScreen(QSize size) : size_(size) {}
    QSize ScreenSize() const override { return size_; }

private:
    QSize size_;
};

class RecordingFactory : public MainFormFactory {
public:
    bool fail = false;
    int calls = 0;
    QPointer<QWidget> made;
    std::string galleryAtCreation;

    std::unique_ptr<QWidget> CreateMainWindow(ViewerSettings& settings) override {
        ++calls;
        galleryAtCreation = settings.galleryFolder;
        if (fail) return nullptr;
        auto window = std::make_unique<QWidget>();
        made = window.get();
        return window;
    }
};

// Makes a window that starts minimised; while making it, another start may ask this one to
// come to the front (as when the form's start-up waits in a message box).
class SlowFactory : public MainFormFactory {
public:
    SingleInstance* running = nullptr;
    QString serverName;
    bool askWhileMaking = false;
    bool requestArrived = false;

    std::unique_ptr<QWidget> CreateMainWindow(ViewerSettings&) override {
        if (askWhileMaking) {
            QSignalSpy activation(running, &SingleInstance::activationRequested);
            SingleInstance later(serverName);
            if (later.AskRunningInstanceToActivate()) requestArrived = activation.wait(5000);
        }
        auto window = std::make_unique<QWidget>();
        window->setWindowState(Qt::WindowMinimized);
        return window;
    }
};

QString UniqueServerName() { return "lumora-test-" + QUuid::createUuid().toString(QUuid::Id128); }

}  // namespace

class tst_Startup : public QObject {
    Q_OBJECT
private slots:
    void mainWindowGeometry_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("1280x1024") << QSize(1280, 1024) << true << QRect(128, 128, 1024, 767);
        QTest::newRow("1024x768") << QSize(1024, 768) << true << QRect(0, 0, 1024, 767);
        QTest::newRow("1920x1080") << QSize(1920, 1080) << true << QRect(448, 156, 1024, 767);
        QTest::newRow("800x768, narrow") << QSize(800, 768) << true << QRect(-112, 0, 1024, 767);
        QTest::newRow("1025x769, odd") << QSize(1025, 769) << true << QRect(0, 0, 1024, 767);
        QTest::newRow("1024x767") << QSize(1024, 767) << false << QRect();
        QTest::newRow("1024x600") << QSize(1024, 600) << false << QRect();
        QTest::newRow("no screen") << QSize(0, 0) << false << QRect();
    }
    void mainWindowGeometry() {
        QFETCH(QSize, screen);
        QFETCH(bool, fits);
        QFETCH(QRect, geometry);
        const auto placed = MainWindowGeometry(screen);
        QCOMPARE(placed.has_value(), fits);
        if (fits) QCOMPARE(*placed, geometry);
    }

    void startsAndPlacesTheWindowOnATallScreen() {
        testsupport::TempDir folder;
        testsupport::WriteText(folder.file("lumora.ini"), "[GALLERY]\nPATH=/pictures\n");
        SingleInstance instance(UniqueServerName());
        FakeScreen screen(QSize(1280, 1024));
        RecordingFactory factory;
        LumoraStartup startup({instance, screen, factory, folder.path().string(), "/opt/bin"});
        QCOMPARE(startup.Run(), StartupResult::Started);
        QCOMPARE(factory.galleryAtCreation, std::string("/pictures"));  // settings come first
        QCOMPARE(startup.settings().applicationFolder, folder.path().string());
        QWidget* window = startup.mainWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->pos(), QPoint(128, 128));
        QCOMPARE(window->size(), QSize(1024, 767));
        QCOMPARE(window->windowTitle(), QString("Lumora Viewer"));
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
    }

    void exitsOnAScreenLowerThan768() {
        testsupport::TempDir folder;
        SingleInstance instance(UniqueServerName());
        FakeScreen screen(QSize(1024, 600));
        RecordingFactory factory;
        LumoraStartup startup({instance, screen, factory, folder.path().string(), "/opt/bin"});
        QCOMPARE(startup.Run(), StartupResult::ScreenTooSmall);
        QCOMPARE(factory.calls, 1);
        QVERIFY(factory.made.isNull());  // made, never shown, destroyed
        QVERIFY(!startup.mainWindow());
    }

    void endsWhenTheMainFormFails() {
        testsupport::TempDir folder;
        SingleInstance instance(UniqueServerName());
        FakeScreen screen(QSize(1280, 1024));
        RecordingFactory factory;
        factory.fail = true;
        LumoraStartup startup({instance, screen, factory, folder.path().string(), "/opt/bin"});
        QCOMPARE(startup.Run(), StartupResult::MainWindowFailed);
    }

    void secondStartHandsOverToTheFirst() {
        const QString name = UniqueServerName();
        testsupport::TempDir folder;
        FakeScreen screen(QSize(1280, 1024));

        SingleInstance firstInstance(name);
        RecordingFactory firstFactory;
        LumoraStartup first({firstInstance, screen, firstFactory, folder.path().string(), "/opt/bin"});
        QCOMPARE(first.Run(), StartupResult::Started);
        first.mainWindow()->showMinimized();

        QSignalSpy activation(&firstInstance, &SingleInstance::activationRequested);
        SingleInstance secondInstance(name);
        RecordingFactory secondFactory;
        LumoraStartup second({secondInstance, screen, secondFactory, folder.path().string(), "/opt/bin"});
        QCOMPARE(second.Run(), StartupResult::HandedOver);
        QCOMPARE(secondFactory.calls, 0);  // nothing made, nothing shown
        QVERIFY(activation.wait());
        QCOMPARE(activation.count(), 1);
        QTRY_VERIFY(!(first.mainWindow()->windowState() & Qt::WindowMinimized));
        QVERIFY(first.mainWindow()->isVisible());
    }

    void aRequestWhileTheWindowIsMadeIsHonouredOnceItShows_data() {
        QTest::addColumn<bool>("ask");
        QTest::newRow("no request: stays minimised") << false;
        QTest::newRow("request while making: restored") << true;
    }
    void aRequestWhileTheWindowIsMadeIsHonouredOnceItShows() {
        QFETCH(bool, ask);
        const QString name = UniqueServerName();
        testsupport::TempDir folder;
        FakeScreen screen(QSize(1280, 1024));
        SingleInstance instance(name);
        SlowFactory factory;
        factory.running = &instance;
        factory.serverName = name;
        factory.askWhileMaking = ask;
        LumoraStartup startup({instance, screen, factory, folder.path().string(), "/opt/bin"});
        QCOMPARE(startup.Run(), StartupResult::Started);
        QCOMPARE(factory.requestArrived, ask);  // it arrived before the window existed
        QVERIFY(startup.mainWindow()->isVisible());
        QCOMPARE(bool(startup.mainWindow()->windowState() & Qt::WindowMinimized), !ask);
    }

    void theSocketIsTheUsersOnlyAndAStaleOneIsReplaced() {
        const QString name = UniqueServerName();
        {
            SingleInstance instance(name);
            QVERIFY(instance.Listen());
            const QFile::Permissions p = QFile::permissions(instance.fullServerName());
            QVERIFY(p & QFile::WriteOwner);
            QVERIFY(!(p & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));
        }
        // A crashed instance leaves its socket file behind, bound but with nobody listening.
        const QByteArray path = QFile::encodeName(QDir::tempPath() + "/" + name);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
        QVERIFY(QFile::exists(QString::fromLocal8Bit(path)));
        SingleInstance later(name);
        QVERIFY(!later.AskRunningInstanceToActivate());
        QVERIFY(later.Listen());
        SingleInstance third(name);
        QVERIFY(third.AskRunningInstanceToActivate());
    }

    void theDefaultNameIsPerUser() {
        QVERIFY(SingleInstance::DefaultServerName().startsWith("Lumora-"));
        QVERIFY(SingleInstance::DefaultServerName().size() > 7);
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
