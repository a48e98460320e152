#include "measure/workspace/SingleInstance.h"
#include "platform/qt/HandOverServer.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tessmet;

// Two "starts" of the program inside one test process, sharing a program folder, a lock folder
// and a socket that belong to the test alone.
class tst_SingleInstance : public QObject {
    Q_OBJECT

private:
    QTemporaryDir programFolder;
    QTemporaryDir lockFolder;

    SingleInstance::Options options() const {
        return {programFolder.path(), QStringLiteral("/opt/tessmet/bin/Tessmet"), lockFolder.path(),
                lockFolder.filePath(QStringLiteral("WC_Tessmet"))};
    }

private slots:
    void aSecondStartHandsItsFileToTheFirstAndLeavesNoFile() {
        SingleInstance first(options());
        QVERIFY(first.claim());
        QVERIFY(first.listening());
        QCOMPARE(first.handOverFile(), programFolder.filePath(QStringLiteral("Tessmet.tmp")));
        QSignalSpy activated(&first.server(), &platform::HandOverServer::activationRequested);
        QSignalSpy received(&first.server(), &platform::HandOverServer::handOverReceived);

        SingleInstance second(options());
        QVERIFY(!second.claim());
        const QString picture = programFolder.filePath(QStringLiteral("gallery/Pic 00001.jpg"));
        QCOMPARE(second.handOver(picture), platform::HandOverResult::Delivered);
        QVERIFY(received.wait(5000));
        QCOMPARE(received.at(0).at(0).toString(), picture);
        QCOMPARE(activated.count(), 1);
        QVERIFY(!QFile::exists(first.handOverFile()));
    }

    void aSecondStartWithoutFileOnlyBringsTheFirstForward() {
        SingleInstance first(options());
        QVERIFY(first.claim());
        QSignalSpy activated(&first.server(), &platform::HandOverServer::activationRequested);
        QSignalSpy received(&first.server(), &platform::HandOverServer::handOverReceived);
        SingleInstance second(options());
        QVERIFY(!second.claim());
        QCOMPARE(second.handOver(QString()), platform::HandOverResult::Delivered);
        QVERIFY(activated.wait(5000));
        QCOMPARE(received.count(), 0);
    }

    void theNextStartAfterTheFirstEndedIsTheFirstAgain() {
        {
            SingleInstance first(options());
            QVERIFY(first.claim());
        }
        SingleInstance next(options());
        QVERIFY(next.claim());
        QVERIFY(next.listening());
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "SingleInstanceTest.moc"
