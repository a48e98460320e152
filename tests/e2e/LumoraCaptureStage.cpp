// First stage of the end-to-end run, the viewer's side, driven through Lumora's main form as a
// user drives it: the form starts on the simulated camera with a lumora.ini that captures
// automatically at 1600 x 1200 as JPEG with SCALE on; a click on the jog dial's centre takes the
// capture into the gallery folder with its magnification sidecar; the capture is selected in the
// gallery strip and "Send to Tessmet" is chosen from the strip's context menu. The process the
// command would start is recorded instead, for the second stage.
#include "e2e/LaunchRecord.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/core/JogControl.h"
#include "viewer/core/JogRegions.h"
#include "viewer/core/SimulatedCamera.h"
#include "viewer/core/SkinButton.h"
#include "viewer/core/ViewerSettings.h"
#include "viewer/form/LumoraView.h"
#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/GalleryCommands.h"
#include "viewer/imaging/GallerySidecar.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <optional>

using namespace lumora;

namespace {

// Nothing in this run should ask or tell the user anything: every prompt is kept and the test
// fails on it.
class NoPrompts : public FormPrompts {
public:
    void Tell(const QString& caption, const QString& text, Icon) override { said.append(caption + ": " + text); }
    bool AskYesNo(const QString& caption, const QString& text) override {
        said.append(caption + ": " + text);
        return false;
    }
    std::optional<QString> AskCaptureName(const QString& proposed) override {
        said.append(QStringLiteral("capture name ") + proposed);
        return std::nullopt;
    }
    bool RunSettings(ViewerSettings&, SettingDlgHost&) override {
        said.append(QStringLiteral("settings"));
        return false;
    }
    void Print(CImageView&) override { said.append(QStringLiteral("print")); }
    void OpenUrl(const QUrl& url) override { said.append(url.toString()); }

    QStringList& said;
    explicit NoPrompts(QStringList& log) : said(log) {}
};

class NoGalleryMessages : public GalleryMessages {
public:
    explicit NoGalleryMessages(QStringList& log) : said(log) {}
    bool AskYesNo(const QString& caption, const QString& text) override {
        said.append(caption + ": " + text);
        return false;
    }
    void Tell(const QString& text) override { said.append(text); }
    QStringList& said;
};

struct StartedProcess {
    QString program;
    QStringList arguments;
    QString folder;
};

}  // namespace

class tst_LumoraCaptureStage : public QObject {
    Q_OBJECT

private:
    const QString scratch = QStringLiteral(E2E_SCRATCH);
    QString gallery() const { return scratch + QStringLiteral("/gallery"); }
    QString startFolder() const { return scratch + QStringLiteral("/lumora"); }
    QString picture() const { return QFileInfo(gallery() + QStringLiteral("/Pic00001.jpg")).absoluteFilePath(); }

private slots:
    void initTestCase() {
        // Every run starts from an empty gallery, so the capture is always Pic00001.
        QDir(scratch).removeRecursively();
        QVERIFY(QDir().mkpath(gallery()));
        QVERIFY(QDir().mkpath(startFolder()));
    }

    void captureFromTheJogDialAndSendFromTheGallery() {
        // lumora.ini as the setting dialog and the form leave it: the gallery, the measurement
        // program's folder, automatic capture names, the scale alone burnt into captures
        // ([PRINT_IMAGE]); 1600x1200, jpg, the SCALE switch on and the other overlays off.
        ViewerSettings stored;
        stored.applicationFolder = startFolder().toStdString();
        stored.galleryFolder = gallery().toStdString();
        stored.tessmetFolder = TESSMET_FOLDER;
        stored.captureAuto = "1";
        stored.printScale = 1;
        stored.printMagBar = stored.printMagData = stored.printGridLine = stored.printCenterLine = 0;
        QVERIFY(SaveViewerSettings(stored));
        FormState form;
        form.captureSize = 3;
        form.captureType = 1;
        form.modeScale = 1;
        form.modeMagBar = form.modeMagData = form.modeGridLine = form.modeCenterLine = 0;
        QVERIFY(WriteFormState(stored.applicationFolder, form));

        ViewerSettings settings = LoadViewerSettings(stored.applicationFolder, "/nonexistent");
        QCOMPARE(settings.tessmetFolder, std::string(TESSMET_FOLDER));
        QCOMPARE(settings.galleryFolder, gallery().toStdString());

        QStringList said;
        CLumoraView view(settings, std::make_shared<SimulatedCameraSystem>(), std::make_unique<NoPrompts>(said));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.resolutionCombo()->currentText(), QStringLiteral("1600x1200"));
        QCOMPARE(view.fileTypeCombo()->currentText(), QStringLiteral("jpg"));
        QVERIFY(view.switchButton(OverlaySwitch::Scale)->isPushed());
        QVERIFY(!view.switchButton(OverlaySwitch::MagBar)->isPushed());

        // The live picture runs, and the zoom the camera reports (100 on the simulated camera)
        // has reached the pane: the sidecar is written from it.
        QTRY_VERIFY_WITH_TIMEOUT(!view.WaitingForFirstFrame(), 10000);
        QCOMPARE(view.camera().GetZoom(), 100);
        QTRY_COMPARE_WITH_TIMEOUT(view.pane(0)->Magnification(), 100, 10000);

        // A left click in the middle of the dial: the centre button, capture.
        const QPoint centre((kJogCentreLeft + kJogCentreRight) / 2, (kJogCentreTop + kJogCentreBottom) / 2);
        QCOMPARE(JogRegionAt(centre.x(), centre.y(), view.jog()->mode()), 4);
        QSignalSpy jogged(view.jog(), &CJogControl::notified);
        QTest::mouseClick(view.jog(), Qt::LeftButton, Qt::NoModifier, centre);
        QCOMPARE(jogged.count(), 1);
        QCOMPARE(jogged.at(0).at(1).toInt(), int(kJogCapture));

        QTRY_VERIFY(QFileInfo::exists(picture()));
        QTRY_VERIFY(QFileInfo::exists(gallery() + QStringLiteral("/Pic00001jpg.mag")));
        QVERIFY2(said.isEmpty(), qPrintable(said.join(QLatin1Char('\n'))));
        QCOMPARE(QImage(picture()).size(), QSize(1600, 1200));
        const GallerySidecar sidecar = ReadGallerySidecar(gallery().toStdString(), "Pic00001.jpg");
        QCOMPARE(ZoomFromOptical(sidecar.optical), 100);
        QVERIFY(sidecar.onePixelLength > 0.0);
        // After the capture the pane is live again.
        QCOMPARE(view.pane(0)->GetPaneState(), int(kPaneLive));

        // The capture in the strip: a click selects it, the context menu sends it.
        CGalleryListCtrl& strip = *view.gallery();
        QCOMPARE(strip.ItemCount(), 1);
        QCOMPARE(strip.ItemText(0), QStringLiteral("Pic00001.jpg"));
        strip.scrollTo(strip.model().index(0));
        QTest::mouseClick(strip.viewport(), Qt::LeftButton, Qt::NoModifier, strip.visualRect(strip.model().index(0)).center());
        QCOMPARE(strip.SelectedRows(), QList<int>{0});

        std::optional<StartedProcess> started;
        GalleryCommands& commands = *view.galleryCommands();
        commands.setMessages(std::make_unique<NoGalleryMessages>(said));
        commands.setProcessStarter([&started](const QString& program, const QStringList& arguments, const QString& folder) {
            started = StartedProcess{program, arguments, folder};
            return true;
        });
        const std::unique_ptr<QMenu> menu = commands.ContextMenu(true);
        QAction* send = nullptr;
        for (QAction* action : menu->actions())
            if (action->text() == QStringLiteral("Send to Tessmet")) send = action;
        QVERIFY(send);
        QVERIFY(send->isEnabled());
        send->trigger();
        QVERIFY2(said.isEmpty(), qPrintable(said.join(QLatin1Char('\n'))));
        QVERIFY(started);

        // The program in TESSMET/PATH, started in that folder on ` - "<picture>"`.
        QCOMPARE(QFileInfo(started->program).absoluteFilePath(),
                 QFileInfo(QStringLiteral(TESSMET_FOLDER "/tessmet")).absoluteFilePath());
        QCOMPARE(QFileInfo(started->folder).absoluteFilePath(), QFileInfo(QStringLiteral(TESSMET_FOLDER)).absoluteFilePath());
        QCOMPARE(started->arguments, (QStringList{QStringLiteral("-"), picture()}));

        e2e::LaunchRecord launch;
        launch.program = started->program.toStdString();
        launch.workingDirectory = started->folder.toStdString();
        for (const QString& a : started->arguments) launch.arguments.push_back(a.toStdString());
        QVERIFY(e2e::WriteLaunchRecord(e2e::LaunchRecordPath(scratch.toStdString()), launch));
        view.close();
    }

    // The scale's corner sits at (630, 470) of the 640 x 480 frame with arms 112 frame pixels
    // long; a 1600 x 1200 still draws it 2.5 times as large. Its horizontal arm is a bright line
    // the specimen never has: every pixel of it near white, the rows beside it not.
    void theScaleIsBurntIn() {
        const QImage captured(picture());
        QVERIFY(!captured.isNull());
        const auto brightRun = [&captured](int y) {
            int bright = 0;
            for (int x = 1575 - 265; x <= 1570; ++x) {  // the arm without its two ends
                const QColor c = captured.pixelColor(x, y);
                bright += std::min({c.red(), c.green(), c.blue()}) >= 225 ? 1 : 0;
            }
            return bright;
        };
        QCOMPARE(brightRun(1175), 261);
        QVERIFY(brightRun(1169) < 200);
        QVERIFY(brightRun(1181) < 200);
    }
};

QTEST_MAIN(tst_LumoraCaptureStage)
#include "LumoraCaptureStage.moc"
