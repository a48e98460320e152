// First stage of the end-to-end run, the viewer's side: a 1600 x 1200 capture of the simulated
// camera with the scale burnt in, stored into a gallery folder with its magnification sidecar,
// then handed to the measurement program the way the image pane's "Send to Tessmet" starts it.
// The capture is made by `lumora-cli capture`, which stores a still exactly as the viewer's
// capture to the gallery does; the launch is recorded instead of started, for the second stage.
#include "e2e/LaunchRecord.h"
#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/GallerySidecar.h"
#include "viewer/imaging/ImageView.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <algorithm>

using namespace lumora;

class tst_LumoraCaptureStage : public QObject {
    Q_OBJECT

private:
    const QString scratch = QStringLiteral(E2E_SCRATCH);
    QString gallery() const { return scratch + QStringLiteral("/gallery"); }

private slots:
    void initTestCase() {
        // Every run starts from an empty gallery, so the capture is always Pic00001.
        QDir(scratch).removeRecursively();
        QVERIFY(QDir().mkpath(gallery()));
    }

    void captureWithTheScaleIntoTheGallery() {
        QProcess cli;
        cli.setWorkingDirectory(scratch);  // no lumora.ini there: the default settings
        cli.start(QStringLiteral(LUMORA_CLI),
                  {QStringLiteral("capture"), QStringLiteral("--simulate-camera"), QStringLiteral("--size"),
                   QStringLiteral("1600x1200"), QStringLiteral("--magnification"), QStringLiteral("100"),
                   QStringLiteral("--overlays"), QStringLiteral("scale"), gallery()});
        QVERIFY(cli.waitForFinished(30000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
        const QJsonObject answer = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
        const QString picture = answer.value(QStringLiteral("file")).toString();
        QCOMPARE(QFileInfo(picture).fileName(), QStringLiteral("Pic00001.jpg"));
        QCOMPARE(QFileInfo(answer.value(QStringLiteral("sidecar")).toString()).fileName(),
                 QStringLiteral("Pic00001jpg.mag"));
        QCOMPARE(QImage(picture).size(), QSize(1600, 1200));

        // The gallery reads the sidecar back as written for magnification 100.
        const GallerySidecar sidecar = ReadGallerySidecar(gallery().toStdString(), "Pic00001.jpg");
        QCOMPARE(ZoomFromOptical(sidecar.optical), 100);
        QVERIFY(sidecar.onePixelLength > 0.0);
    }

    // The scale's corner sits at (630, 470) of the 640 x 480 frame with arms 112 frame pixels
    // long; a 1600 x 1200 still draws it 2.5 times as large. Its horizontal arm is a bright line
    // the specimen never has: every pixel of it near white, the rows beside it not.
    void theScaleIsBurntIn() {
        const QImage picture(gallery() + QStringLiteral("/Pic00001.jpg"));
        QVERIFY(!picture.isNull());
        const auto brightRun = [&picture](int y) {
            int bright = 0;
            for (int x = 1575 - 265; x <= 1570; ++x) {  // the arm without its two ends
                const QColor c = picture.pixelColor(x, y);
                bright += std::min({c.red(), c.green(), c.blue()}) >= 225 ? 1 : 0;
            }
            return bright;
        };
        QCOMPARE(brightRun(1175), 261);
        QVERIFY(brightRun(1169) < 200);
        QVERIFY(brightRun(1181) < 200);
    }

    void sendToTessmetIsRecordedForTheNextStage() {
        const QString picture = QFileInfo(gallery() + QStringLiteral("/Pic00001.jpg")).absoluteFilePath();
        const GallerySidecar sidecar = ReadGallerySidecar(gallery().toStdString(), "Pic00001.jpg");
        ViewerSettings settings;
        settings.tessmetFolder = TESSMET_FOLDER;
        CImageView pane(settings);
        pane.resize(640, 480);
        pane.ShowFile(picture, QString::fromStdString(sidecar.unit), sidecar.onePixelLength);
        QCOMPARE(pane.GetPaneState(), int(kPaneFile));

        e2e::LaunchRecord launch;
        launch.program = pane.TessmetProgram().toStdString();
        launch.workingDirectory = settings.tessmetFolder;
        for (const QString& a : pane.TessmetArguments()) launch.arguments.push_back(a.toStdString());
        QCOMPARE(QFileInfo(QString::fromStdString(launch.program)).absoluteFilePath(),
                 QFileInfo(QStringLiteral(TESSMET_FOLDER "/tessmet")).absoluteFilePath());
        QVERIFY(e2e::WriteLaunchRecord(e2e::LaunchRecordPath(scratch.toStdString()), launch));
    }
};

QTEST_MAIN(tst_LumoraCaptureStage)
#include "LumoraCaptureStage.moc"
