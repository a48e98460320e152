#include "platform/qt/HandOverClient.h"
#include "platform/qt/HandOverProtocol.h"
#include "platform/qt/HandOverServer.h"
#include "platform/qt/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

using namespace platform;

// Server and client of one test share a fresh program folder and a socket inside it, so tests
// running in parallel never meet.
class tst_HandOver : public QObject {
    Q_OBJECT

private:
    struct Setup {
        QTemporaryDir folder;
        QString socketName() const { return folder.filePath(QStringLiteral("WC_Tessmet")); }
        QString handOverFile() const { return folder.filePath(QStringLiteral("Tessmet.tmp")); }
    };

    static void sendRaw(const QString& name, const QByteArray& bytes) {
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(5000));
        socket.write(bytes);
        QVERIFY(socket.waitForBytesWritten(5000));
        socket.disconnectFromServer();
    }

private slots:
    void framesRoundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("message");  // -1: not a frame
        QTest::newRow("open") << EncodeHandOverFrame(0x8101) << 0x8101;
        QTest::newRow("activate") << EncodeHandOverFrame(0) << 0;
        QTest::newRow("bytes") << QByteArray("HOv1\x00\x00\x81\x01", 8) << 0x8101;
        QTest::newRow("short") << QByteArray("HOv1\x00\x00\x81", 7) << -1;
        QTest::newRow("long") << QByteArray("HOv1\x00\x00\x81\x01\x00", 9) << -1;
        QTest::newRow("wrong magic") << QByteArray("HOv2\x00\x00\x81\x01", 8) << -1;
    }
    void framesRoundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, message);
        const std::optional<uint32_t> decoded = DecodeHandOverFrame(bytes);
        QCOMPARE(decoded.has_value(), message >= 0);
        if (decoded) QCOMPARE(static_cast<int>(*decoded), message);
    }

    void secondStartHandsOverThePathAndLeavesNoFile() {
        Setup s;
        HandOverServer server(s.handOverFile());
        QVERIFY2(server.listen(s.socketName()), qPrintable(server.errorString()));
        QSignalSpy activated(&server, &HandOverServer::activationRequested);
        QSignalSpy received(&server, &HandOverServer::handOverReceived);

        const QString picture = QStringLiteral("/home/u/my pictures/Pic00001.jpg");
        QCOMPARE(SendHandOver(s.socketName(), s.handOverFile(), picture), HandOverResult::Delivered);
        QVERIFY(received.wait(5000));
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), picture);
        QCOMPARE(activated.count(), 1);
        QVERIFY(!QFile::exists(s.handOverFile()));
    }

    void secondStartWithoutFileOnlyActivates() {
        Setup s;
        HandOverServer server(s.handOverFile());
        QVERIFY(server.listen(s.socketName()));
        QSignalSpy activated(&server, &HandOverServer::activationRequested);
        QSignalSpy received(&server, &HandOverServer::handOverReceived);

        QCOMPARE(SendHandOver(s.socketName(), s.handOverFile(), QString()), HandOverResult::Delivered);
        QVERIFY(activated.wait(5000));
        QCOMPARE(received.count(), 0);  // both signals come from the same frame
        QVERIFY(!QFile::exists(s.handOverFile()));
    }

    void aMissingFileGivesAnEmptyPath() {
        Setup s;
        HandOverServer server(s.handOverFile());
        QVERIFY(server.listen(s.socketName()));
        QSignalSpy received(&server, &HandOverServer::handOverReceived);
        sendRaw(s.socketName(), EncodeHandOverFrame(HandOverMessage::OpenHandedOverFile));
        QVERIFY(received.wait(5000));
        QCOMPARE(received.at(0).at(0).toString(), QString());
    }

    void aClientInAnotherProgramFolderDeliversNoPath() {
        Setup serverSide;
        Setup clientSide;
        HandOverServer server(serverSide.handOverFile());
        QVERIFY(server.listen(serverSide.socketName()));
        QSignalSpy received(&server, &HandOverServer::handOverReceived);
        QCOMPARE(SendHandOver(serverSide.socketName(), clientSide.handOverFile(), QStringLiteral("/a.jpg")),
                 HandOverResult::Delivered);
        QVERIFY(received.wait(5000));
        QCOMPARE(received.at(0).at(0).toString(), QString());
        QVERIFY(QFile::exists(clientSide.handOverFile()));  // not the server's to delete
    }

    void garbageIsIgnoredAndTheNextFrameStillWorks() {
        Setup s;
        HandOverServer server(s.handOverFile());
        QVERIFY(server.listen(s.socketName()));
        QSignalSpy activated(&server, &HandOverServer::activationRequested);
        sendRaw(s.socketName(), QByteArray("GET / HTTP/1.0\r\n"));
        sendRaw(s.socketName(), EncodeHandOverFrame(0x1234));
        sendRaw(s.socketName(), EncodeHandOverFrame(HandOverMessage::Activate));
        QVERIFY(activated.wait(5000));
        QCOMPARE(activated.count(), 1);
    }

    void withoutARunningInstanceNothingIsWritten() {
        Setup s;
        QCOMPARE(SendHandOver(s.socketName(), s.handOverFile(), QStringLiteral("/a.jpg"), 500),
                 HandOverResult::NoInstance);
        QVERIFY(!QFile::exists(s.handOverFile()));
    }

    void theSocketIsReachableOnlyByTheUser() {
        Setup s;
        HandOverServer server(s.handOverFile());
        QVERIFY(server.listen(s.socketName()));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(server.fullServerName()).constData(), &st), 0);
        QVERIFY(S_ISSOCK(st.st_mode));
        QCOMPARE(st.st_mode & 077, 0u);
        QCOMPARE(st.st_uid, ::getuid());
    }

    void aSocketLeftByACrashedRunIsReplaced() {
        Setup s;
        QFile leftOver(s.socketName());
        QVERIFY(leftOver.open(QIODevice::WriteOnly));
        leftOver.close();
        HandOverServer server(s.handOverFile());
        QVERIFY2(server.listen(s.socketName()), qPrintable(server.errorString()));
    }

    void theServerNameIsPerUser() {
        const QString name = LocalServerName(QStringLiteral("WC_Tessmet"));
        QCOMPARE(LocalServerName(QStringLiteral("WC_Tessmet")), name);
        QVERIFY(name.endsWith(QStringLiteral("WC_Tessmet")) ||
                name.endsWith(QStringLiteral("WC_Tessmet-%1").arg(::getuid())));
        if (name.startsWith('/')) {
            struct stat st {};
            const QString folder = QFileInfo(name).absolutePath();
            QCOMPARE(::stat(QFile::encodeName(folder).constData(), &st), 0);
            QCOMPARE(st.st_uid, ::getuid());
            QCOMPARE(st.st_mode & 077, 0u);
        }
    }

    void onlyOneInstanceHoldsTheLock() {
        QTemporaryDir folder;
        InstanceLock first(QStringLiteral("Tessmet"), folder.path());
        QCOMPARE(QFileInfo(first.path()).fileName(), QStringLiteral("Tessmet-%1.lock").arg(::getuid()));
        QVERIFY(first.tryLock());
        QVERIFY(first.tryLock());  // asking again keeps it
        {
            InstanceLock second(QStringLiteral("Tessmet"), folder.path());
            QVERIFY(!second.tryLock());
            InstanceLock other(QStringLiteral("OtherProgram"), folder.path());
            QVERIFY(other.tryLock());
        }
        first.unlock();
        InstanceLock third(QStringLiteral("Tessmet"), folder.path());
        QVERIFY(third.tryLock());
    }

    void aLongRunningInstanceKeepsItsLock() {
        QTemporaryDir folder;
        InstanceLock first(QStringLiteral("Tessmet"), folder.path());
        QVERIFY(first.tryLock());
        // As if the first instance had been running for a day.
        const time_t dayAgo = ::time(nullptr) - 24 * 3600;
        const utimbuf times{dayAgo, dayAgo};
        QCOMPARE(::utime(QFile::encodeName(first.path()).constData(), &times), 0);
        InstanceLock second(QStringLiteral("Tessmet"), folder.path());
        QVERIFY(!second.tryLock());
    }

    void aLockLeftByACrashedRunIsTakenOver() {
        QTemporaryDir folder;
        // A process that has ended, whose lock file stayed behind.
        const pid_t child = ::fork();
        if (child == 0) ::_exit(0);
        QVERIFY(child > 0);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);

        InstanceLock lock(QStringLiteral("Tessmet"), folder.path());
        QFile stale(lock.path());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray::number(child) + "\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
                    QSysInfo::machineHostName().toUtf8() + "\n");
        stale.close();
        QVERIFY(lock.tryLock());
    }

    void programBaseNameDropsFolderAndExtension() {
        QCOMPARE(ProgramBaseName(QStringLiteral("/opt/tessmet/bin/tessmet")), QStringLiteral("tessmet"));
        QCOMPARE(ProgramBaseName(QStringLiteral("C:/Program Files/Tessmet.exe")), QStringLiteral("Tessmet"));
    }
};

QTEST_GUILESS_MAIN(tst_HandOver)
#include "HandOverTest.moc"
