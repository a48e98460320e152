// The lumora program as a user starts it, on a virtual X screen of a chosen size.

#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace {

// A private X server; -displayfd makes it pick a free display number and tell us which.
class VirtualScreen {
public:
    bool start(QSize size) {
        server_.start(QStringLiteral(XVFB_PROGRAM),
                      {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0",
                       QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height())});
        if (!server_.waitForStarted(10000)) return false;
        while (!server_.canReadLine())
            if (!server_.waitForReadyRead(20000)) return false;
        display_ = ":" + QString::fromLatin1(server_.readLine()).trimmed();
        return true;
    }
    ~VirtualScreen() {
        server_.terminate();
        server_.waitForFinished(10000);
    }
    const QString& display() const { return display_; }

private:
    QProcess server_;
    QString display_;
};

}  // namespace

class tst_LumoraProgram : public QObject {
    Q_OBJECT

    testsupport::TempDir startFolder_;
    testsupport::TempDir socketFolder_;  // keeps the test's instance apart from a running Lumora

    void prepare(QProcess& lumora, const VirtualScreen& screen) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", screen.display());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("TMPDIR", QString::fromStdString(socketFolder_.path().string()));
        lumora.setProcessEnvironment(env);
        lumora.setWorkingDirectory(QString::fromStdString(startFolder_.path().string()));
        lumora.setProgram(QStringLiteral(LUMORA_PROGRAM));
        lumora.setArguments({"--simulate-camera"});
    }

    QString socketPath() const {
        return QString::fromStdString(socketFolder_.path().string()) + QStringLiteral("/Lumora-%1").arg(::getuid());
    }

private slots:
    void exitsAtStartOnAScreenLowerThan768() {
        VirtualScreen screen;
        QVERIFY(screen.start(QSize(1024, 600)));
        QProcess lumora;
        prepare(lumora, screen);
        lumora.start();
        QVERIFY(lumora.waitForFinished(30000));
        QCOMPARE(lumora.exitStatus(), QProcess::NormalExit);
        QCOMPARE(lumora.exitCode(), 1);
        QVERIFY(!QFile::exists(QString::fromStdString(startFolder_.file("lumora.ini"))));
    }

    void aSecondStartHandsOverAndEnds() {
        VirtualScreen screen;
        QVERIFY(screen.start(QSize(1280, 1024)));
        QProcess first;
        prepare(first, screen);
        first.start();
        QVERIFY(first.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socketPath()), 30000);

        QProcess second;
        prepare(second, screen);
        second.start();
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        // Nothing is written at exit by the program itself.
        QVERIFY(!QFile::exists(QString::fromStdString(startFolder_.file("lumora.ini"))));
    }
};

QTEST_GUILESS_MAIN(tst_LumoraProgram)
#include "tst_lumoraprogram.moc"
