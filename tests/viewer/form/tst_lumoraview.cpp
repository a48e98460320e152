// The main form: layouts, pane clicks, stills, tools and colours, the camera's timers, capture
// to the gallery and what it leaves in lumora.ini. The camera is the simulated one (or the
// scripted video4linux device where the test counts device calls); message boxes and dialogs
// are answered by a recording stand-in.
#include "support/ScriptedVideoDevice.h"
#include "support/TempDir.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/ColorPickerButton.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/core/JogControl.h"
#include "viewer/core/SimulatedCamera.h"
#include "viewer/core/SkinButton.h"
#include "viewer/core/SettingDlg.h"
#include "viewer/core/V4l2Camera.h"
#include "viewer/form/FormBitmaps.h"
#include "viewer/form/LumoraView.h"
#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/DrawRectangleObj.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <deque>
#include <filesystem>

using namespace lumora;
namespace fs = std::filesystem;

namespace {

struct Shown {
    QString caption;
    QString text;
};

class RecordingPrompts : public FormPrompts {
public:
    void Tell(const QString& caption, const QString& text, Icon) override { told.push_back({caption, text}); }
    bool AskYesNo(const QString& caption, const QString& text) override {
        asked.push_back({caption, text});
        return answer;
    }
    std::optional<QString> AskCaptureName(const QString& proposed) override {
        proposedNames.push_back(proposed);
        if (names.empty()) return std::nullopt;
        std::optional<QString> name = names.front();
        names.pop_front();
        return name;
    }
    bool RunSettings(ViewerSettings& settings, SettingDlgHost& host) override {
        ++settingsRuns;
        settingsHost = &host;
        if (settingsRun) return settingsRun(settings, host);
        return settingsResult;
    }
    void Print(CImageView& pane) override { printed.push_back(&pane); }
    void OpenUrl(const QUrl& url) override { urls.push_back(url); }

    std::vector<Shown> told;
    std::vector<Shown> asked;
    bool answer = true;
    std::deque<std::optional<QString>> names;
    std::vector<QString> proposedNames;
    int settingsRuns = 0;
    SettingDlgHost* settingsHost = nullptr;
    bool settingsResult = true;
    std::function<bool(ViewerSettings&, SettingDlgHost&)> settingsRun;  // the real dialog, driven
    std::vector<CImageView*> printed;
    std::vector<QUrl> urls;
};

// A form on the simulated camera in a fresh start folder with an empty gallery.
struct Fixture {
    testsupport::TempDir folder;
    ViewerSettings settings;
    std::shared_ptr<SimulatedCameraSystem> cameras = std::make_shared<SimulatedCameraSystem>();
    RecordingPrompts* prompts = nullptr;
    std::unique_ptr<CLumoraView> form;

    Fixture() {
        settings.applicationFolder = folder.path().string();
        settings.galleryFolder = folder.file("Gallery");
        fs::create_directory(settings.galleryFolder);
    }
    CLumoraView& make() {
        auto recording = std::make_unique<RecordingPrompts>();
        prompts = recording.get();
        form = std::make_unique<CLumoraView>(settings, cameras, std::move(recording));
        return *form;
    }
    std::string gallery(const std::string& name) const { return settings.galleryFolder + "/" + name; }
};

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

Q_DECLARE_METATYPE(PaneLayout)

class tst_LumoraView : public QObject {
    Q_OBJECT

private slots:
    void zoomIsReadOnTheTimerNotPerRepaint() {
        testsupport::DeviceScript script;
        script.controls = {{V4L2_CID_ZOOM_ABSOLUTE, "Zoom, Absolute", V4L2_CTRL_TYPE_INTEGER, 100, 500, 1, 100, 230, 0}};
        auto device = std::make_shared<testsupport::ScriptedVideoDevice>(std::vector<testsupport::DeviceScript>{script});
        testsupport::TempDir folder;
        ViewerSettings settings;
        settings.applicationFolder = folder.path().string();
        settings.galleryFolder = folder.file("Gallery");
        CLumoraView form(settings, std::make_shared<V4l2CameraSystem>(device), std::make_unique<RecordingPrompts>());
        QVERIFY(form.camera().IsOpen());
        QVERIFY(form.magnificationTimerRunning());

        const int before = device->Calls(VIDIOC_G_CTRL);
        for (int i = 0; i < 10; ++i) (void)form.grab();
        QCOMPARE(device->Calls(VIDIOC_G_CTRL), before);

        QTRY_VERIFY(device->Calls(VIDIOC_G_CTRL) > before);  // timer 1
        QTRY_COMPARE(form.pane(0)->Magnification(), 230);
    }

    void cameraValuesAreAppliedOnlyAfterTheFirstFrame() {
        Fixture f;
        CameraProperties stored;
        stored[CameraProperty::Brightness] = 37;
        stored[CameraProperty::Contrast] = 12;
        QVERIFY(WriteCameraProperties(f.settings.applicationFolder, stored));
        CLumoraView& form = f.make();
        // Opened, but no frame handled yet: the camera still has its own values.
        QVERIFY(form.WaitingForFirstFrame());
        QVERIFY(!form.frameArrived());
        QVERIFY(form.firstFrameTimerRunning());
        QCOMPARE(form.camera().GetProperty(CameraProperty::Brightness), std::optional<int>(0));

        QTRY_VERIFY(!form.WaitingForFirstFrame());
        QVERIFY(form.frameArrived());
        QVERIFY(!form.firstFrameTimerRunning());
        QCOMPARE(form.camera().GetProperty(CameraProperty::Brightness), std::optional<int>(37));
        QCOMPARE(form.camera().GetProperty(CameraProperty::Contrast), std::optional<int>(12));
    }

    void aMissingCameraIsRetriedAndPicksUpWhenItComes() {
        Fixture f;
        f.cameras->Unplug();
        CLumoraView& form = f.make();
        QVERIFY(form.CameraMissing());
        QVERIFY(form.WaitingForFirstFrame());
        QVERIFY(form.reconnectTimerRunning());
        QVERIFY(form.firstFrameTimerRunning());
        QVERIFY(!form.magnificationTimerRunning());

        f.cameras->Replug();
        QTRY_VERIFY_WITH_TIMEOUT(!form.CameraMissing(), 10000);
        QVERIFY(!form.reconnectTimerRunning());
        QVERIFY(form.magnificationTimerRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!form.WaitingForFirstFrame(), 10000);
    }

    void aCameraPluggedInAgainGetsTheStoredValuesBack() {
        Fixture f;
        CameraProperties stored;
        stored[CameraProperty::Brightness] = 37;
        QVERIFY(WriteCameraProperties(f.settings.applicationFolder, stored));
        CLumoraView& form = f.make();
        QTRY_VERIFY(form.frameArrived() && !form.WaitingForFirstFrame());
        QCOMPARE(form.camera().GetProperty(CameraProperty::Brightness), std::optional<int>(37));

        f.cameras->Unplug();
        QTRY_VERIFY(form.CameraMissing());
        QVERIFY(form.reconnectTimerRunning());
        f.cameras->Replug();
        QTRY_VERIFY_WITH_TIMEOUT(!form.CameraMissing(), 10000);
        // A new connection starts from the camera's own values; the stored ones follow at once.
        QCOMPARE(form.camera().GetProperty(CameraProperty::Brightness), std::optional<int>(37));
    }

    void framesGoToTheActiveLivePane() {
        Fixture f;
        CLumoraView& form = f.make();
        form.SelectLayout(PaneLayout::Four);
        form.PaneClicked(1);  // pane 1 keeps a still, pane 2 becomes the live one
        const QByteArray still(reinterpret_cast<const char*>(form.pane(0)->FrameBuffer().Pixels()), 640 * 480 * 3);
        const uint64_t produced = f.cameras->FramesProduced();
        QTRY_VERIFY(f.cameras->FramesProduced() > produced + 3);
        QCoreApplication::processEvents();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(form.pane(0)->FrameBuffer().Pixels()), 640 * 480 * 3), still);
        QCOMPARE(form.pane(1)->FrameBuffer().Width(), 640);
        // Pane 2 no longer shows the grey start picture.
        QTRY_VERIFY(form.pane(1)->FrameBuffer().Pixels()[0] != 100 || form.pane(1)->FrameBuffer().Pixels()[1] != 100);
    }

    void layoutsPlacePanesAndEnableControls_data() {
        QTest::addColumn<PaneLayout>("layout");
        QTest::addColumn<int>("visible");
        QTest::addColumn<QRect>("first");
        QTest::addColumn<QRect>("last");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("2H") << PaneLayout::TwoH << 2 << QRect(360, 210, 320, 240) << QRect(680, 210, 320, 240) << false;
        QTest::newRow("2V") << PaneLayout::TwoV << 2 << QRect(360, 88, 320, 480) << QRect(680, 88, 320, 480) << false;
        QTest::newRow("4") << PaneLayout::Four << 4 << QRect(360, 88, 320, 240) << QRect(680, 328, 320, 240) << false;
    }
    void layoutsPlacePanesAndEnableControls() {
        QFETCH(PaneLayout, layout);
        QFETCH(int, visible);
        QFETCH(QRect, first);
        QFETCH(QRect, last);
        QFETCH(bool, enabled);
        Fixture f;
        CLumoraView& form = f.make();
        form.show();
        form.PaneClicked(0);  // a still in pane 1, which the layout change drops
        QCOMPARE(form.jog()->mode(), 1);

        form.layoutButton(layout)->click();
        QCOMPARE(form.layout(), layout);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(form.pane(i)->isVisible(), i < visible);
            QCOMPARE(form.pane(i)->GetPaneState(), int(kPaneLive));
        }
        QCOMPARE(form.pane(0)->geometry(), first);
        QCOMPARE(form.pane(visible - 1)->geometry(), last);
        QCOMPARE(form.activePane(), 0);
        QVERIFY(form.pane(0)->Selected());
        QCOMPARE(form.jog()->mode(), 0);
        QCOMPARE(form.resolutionCombo()->isEnabled(), enabled);
        QCOMPARE(form.switchButton(OverlaySwitch::Scale)->isEnabled(), enabled);
        QCOMPARE(form.switchButton(OverlaySwitch::Grid)->isEnabled(), enabled);
        QCOMPARE(form.switchButton(OverlaySwitch::CentreLine)->isEnabled(), enabled);
        QVERIFY(form.switchButton(OverlaySwitch::MagBar)->isEnabled());
        QVERIFY(form.switchButton(OverlaySwitch::MagData)->isEnabled());
        for (PaneLayout other : {PaneLayout::One, PaneLayout::TwoH, PaneLayout::TwoV, PaneLayout::Four})
            QCOMPARE(form.layoutButton(other)->isPushed(), other == layout);

        // And back to one pane: everything enabled again, drawing on pane 1.
        form.layoutButton(PaneLayout::One)->click();
        QVERIFY(!form.pane(1)->isVisible());
        QCOMPARE(form.pane(0)->geometry(), QRect(360, 88, 640, 480));
        QVERIFY(form.resolutionCombo()->isEnabled());
        QVERIFY(form.switchButton(OverlaySwitch::Scale)->isEnabled());
        QVERIFY(form.switchButton(OverlaySwitch::CentreLine)->isEnabled());
    }

    void theLayoutAlreadyDownChangesNothing() {
        Fixture f;
        CLumoraView& form = f.make();
        form.SelectLayout(PaneLayout::Four);
        form.PaneClicked(1);
        QCOMPARE(form.activePane(), 1);
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneStill));

        form.layoutButton(PaneLayout::Four)->click();
        QCOMPARE(form.activePane(), 1);
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneStill));
        QVERIFY(form.pane(1)->Selected());
        QVERIFY(!form.pane(0)->Selected());
        QVERIFY(form.layoutButton(PaneLayout::Four)->isPushed());
    }

    void paneClicksMoveBetweenLiveStillAndFile() {
        Fixture f;
        CLumoraView& form = f.make();
        form.SelectLayout(PaneLayout::Four);
        form.resolutionCombo()->setCurrentIndex(2);

        // The active live pane clicked: a still at the chosen size.
        form.PaneClicked(0);
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneStill));
        QCOMPARE(form.pane(0)->FrameBuffer().Width(), 1280);
        QCOMPARE(form.jog()->mode(), 1);
        QVERIFY(!form.resolutionCombo()->isEnabled());
        // Clicked again: live, 640 x 480; the combo stays off outside layout 1.
        form.PaneClicked(0);
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneLive));
        QCOMPARE(form.jog()->mode(), 0);
        QVERIFY(!form.resolutionCombo()->isEnabled());

        // Another pane: the live active pane first keeps a still, then the clicked one goes live.
        form.PaneClicked(1);
        QCOMPARE(form.activePane(), 1);
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneStill));
        QCOMPARE(form.pane(1)->GetPaneState(), int(kPaneLive));
        QVERIFY(form.pane(1)->Selected());
        QVERIFY(!form.pane(0)->Selected());
        QCOMPARE(form.jog()->mode(), 0);

        // Back to the still: the combo follows the still's width.
        form.resolutionCombo()->setCurrentIndex(0);
        form.PaneClicked(0);
        QCOMPARE(form.activePane(), 0);
        QCOMPARE(form.resolutionCombo()->currentIndex(), 2);
        QCOMPARE(form.jog()->mode(), 1);
        QCOMPARE(form.pane(1)->GetPaneState(), int(kPaneStill));  // it was live: it keeps a still

        // A smallest still is taken at 800 x 600 and reduced to 640 x 480.
        form.resolutionCombo()->setCurrentIndex(0);
        form.PaneClicked(3);  // pane 1 holds a still: nothing taken; pane 4 goes live
        QCOMPARE(form.pane(0)->FrameBuffer().Width(), 1280);
        form.PaneClicked(2);  // pane 4 was live: it keeps a still
        QCOMPARE(form.pane(3)->GetPaneState(), int(kPaneStill));
        QCOMPARE(form.pane(3)->FrameBuffer().Width(), 640);
        QCOMPARE(form.pane(3)->FrameBuffer().Height(), 480);

        // A gallery file in the active pane: clicks change nothing, other panes give jog mode 2.
        form.pane(2)->ShowFile(QString::fromStdString(f.gallery("missing.jpg")), QStringLiteral("mm"), 0.01);
        const int jogBefore = form.jog()->mode();
        form.PaneClicked(2);
        QCOMPARE(form.pane(2)->GetPaneState(), int(kPaneFile));
        QCOMPARE(form.jog()->mode(), jogBefore);
        form.PaneClicked(0);
        QCOMPARE(form.jog()->mode(), 1);
        form.PaneClicked(2);
        QCOMPARE(form.jog()->mode(), 2);
        QCOMPARE(form.activePane(), 2);
    }

    void toolButtonsSetTheToolOfPaneOne_data() {
        QTest::addColumn<QList<int>>("presses");
        QTest::addColumn<int>("tool");
        QTest::newRow("select") << QList<int>{0} << int(kToolSelect);
        QTest::newRow("line") << QList<int>{1} << int(kToolLine);
        QTest::newRow("rectangle") << QList<int>{2} << int(kToolRectangle);
        QTest::newRow("ellipse") << QList<int>{3} << int(kToolEllipse);
        QTest::newRow("polygon") << QList<int>{4} << int(kToolPolygon);
        QTest::newRow("angle") << QList<int>{5} << int(kToolAngle);
        QTest::newRow("line again is none") << QList<int>{1, 1} << int(kToolNone);
        QTest::newRow("line then angle") << QList<int>{1, 5} << int(kToolAngle);
        QTest::newRow("off then ellipse") << QList<int>{3, 3, 3} << int(kToolEllipse);
    }
    void toolButtonsSetTheToolOfPaneOne() {
        QFETCH(QList<int>, presses);
        QFETCH(int, tool);
        Fixture f;
        CLumoraView& form = f.make();
        for (int k : presses) form.toolButton(k)->click();
        QCOMPARE(form.pane(0)->Tool(), tool);
        for (int k = 0; k < 6; ++k) QCOMPARE(form.toolButton(k)->isChecked(), kToolCodes[size_t(k)] == tool);
        QCOMPARE(form.DrawingToolPressed(), tool != kToolNone);
    }

    void coloursGoToTheSelectedAnnotationOrTheCurrentColours() {
        Fixture f;
        CLumoraView& form = f.make();
        CDrawObj& set = form.pane(0)->Annotations();
        set.CreateTemplates();
        set.LineStart(10, 10);
        set.LineFinish(100, 10);
        QCOMPARE(set.Annotations().size(), size_t(1));
        CDrawObj& line = *set.Annotations().front();

        form.ApplyColour(1019, MakeColorRef(0, 0, 255));  // nothing selected: the current colour
        QCOMPARE(set.m_lineColour, MakeColorRef(0, 0, 255));
        QCOMPARE(set.LineTemplate() != nullptr, true);
        const uint32_t lineBefore = line.m_lineColour;

        QVERIFY(set.HitTest(55, 10, 80) == &line);
        form.ApplyColour(1019, MakeColorRef(255, 0, 0));
        QCOMPARE(line.m_lineColour, MakeColorRef(255, 0, 0));
        QCOMPARE(set.m_lineColour, MakeColorRef(0, 0, 255));
        QVERIFY(lineBefore != line.m_lineColour);

        set.DeselectAll();
        form.ApplyColour(1018, static_cast<ColorRef>(kNoFillColor));  // "Transparent"
        QCOMPARE(set.RectangleTemplate()->m_fill, 0);
        form.ApplyColour(1018, MakeColorRef(0, 255, 0));
        QCOMPARE(set.RectangleTemplate()->m_fill, 1);
        QCOMPARE(set.RectangleTemplate()->m_fillColour, MakeColorRef(0, 255, 0));
        form.ApplyColour(1020, MakeColorRef(1, 2, 3));
        QCOMPARE(set.m_textColour, MakeColorRef(1, 2, 3));
    }

    void overlaySwitchesAndTheMagnificationTimer() {
        Fixture f;
        CLumoraView& form = f.make();
        QVERIFY(form.magnificationTimerRunning());
        QVERIFY(form.pane(0)->Switches().scale);
        form.switchButton(OverlaySwitch::Scale)->click();
        QVERIFY(!form.pane(0)->Switches().scale);
        QVERIFY(!form.magnificationTimerRunning());
        form.switchButton(OverlaySwitch::Grid)->click();
        QVERIFY(form.pane(0)->Switches().grid);
        QVERIFY(!form.magnificationTimerRunning());  // only SCALE drives the timer
        form.switchButton(OverlaySwitch::Scale)->click();
        QVERIFY(form.magnificationTimerRunning());
        form.switchButton(OverlaySwitch::MagData)->click();
        QVERIFY(!form.pane(0)->Switches().magData);
        QVERIFY(!form.switchButton(OverlaySwitch::MagData)->isPushed());
    }

    void jogActions() {
        Fixture f;
        CLumoraView& form = f.make();
        form.RunJogAction(kJogStill);
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneStill));
        QCOMPARE(form.jog()->mode(), 1);
        form.RunJogAction(kJogPrint);
        QCOMPARE(f.prompts->printed, std::vector<CImageView*>{form.pane(0)});
        form.RunJogAction(kJogLive);
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneLive));
        QCOMPARE(form.jog()->mode(), 0);
        QVERIFY(form.resolutionCombo()->isEnabled());

        form.pane(0)->SetMagnification(1);
        f.prompts->settingsResult = false;
        form.RunJogAction(kJogSettings);
        QCOMPARE(form.pane(0)->Magnification(), 1);  // cancelled: untouched
        f.prompts->settingsResult = true;
        form.RunJogAction(kJogSettings);
        QCOMPARE(f.prompts->settingsRuns, 2);
        QCOMPARE(f.prompts->settingsHost, static_cast<SettingDlgHost*>(&form));
        QCOMPARE(form.pane(0)->Magnification(), 100);  // the simulated camera's zoom
    }

    void theSettingDialogWorksThroughTheForm() {
        Fixture f;
        const std::string other = f.folder.file("Other");
        fs::create_directory(other);
        testsupport::WriteText(other + "/Pic00004.bmp", "not a picture");
        CLumoraView& form = f.make();
        QTRY_VERIFY(!form.WaitingForFirstFrame());
        QVERIFY(form.camera().SetProperty(CameraProperty::Gamma, 150));
        f.prompts->settingsRun = [&](ViewerSettings& settings, SettingDlgHost& host) {
            CSettingDlg dialog(settings, host);
            dialog.setMessenger([](const QString&) {});
            dialog.galleryFolderEdit()->setText(QString::fromStdString(other));
            dialog.defaultButton()->click();  // factory values into CAMERA_PROP and the camera
            dialog.okButton()->click();
            return dialog.result() == QDialog::Accepted;
        };
        form.RunJogAction(kJogSettings);
        QCOMPARE(form.camera().GetProperty(CameraProperty::Gamma), std::optional<int>(100));
        QCOMPARE(f.settings.galleryFolder, other);
        QCOMPARE(form.gallery()->folder(), QString::fromStdString(other));
        QCOMPARE(form.gallery()->ItemCount(), 1);
        QCOMPARE(form.gallery()->ItemText(0), QStringLiteral("Pic00004.bmp"));
        // The next capture goes to the new folder, numbered after what is there.
        form.RunJogAction(kJogCapture);
        QVERIFY(fs::exists(other + "/Pic00005.bmp"));
    }

    void draggingThePanelMovesTheWindow() {
        Fixture f;
        CLumoraView& form = f.make();
        form.move(10, 10);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QPoint start = form.pos();
        QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(700, 20));
        QTest::mouseMove(&form, QPoint(750, 60));
        QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(750, 60));
        QCOMPARE(form.pos(), start + QPoint(50, 40));
        QVERIFY(f.prompts->urls.empty());
        // A press on the logo moves nothing.
        QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(100, 50));
        QTest::mouseMove(&form, QPoint(150, 90));
        QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(150, 90));
        QCOMPARE(form.pos(), start + QPoint(50, 40));
    }

    // --- Capture to the gallery --------------------------------------------------------------

    void captureToGallery_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("autoNaming");
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("typed");  // empty: cancel
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QString>("stored");     // empty: nothing new
        QTest::addColumn<QString>("toldCaption");
        QTest::addColumn<QString>("askedCaption");
        QTest::addColumn<int>("paneState");

        QTest::newRow("first automatic bmp") << QStringList{} << "1" << 0 << QStringList{} << true << "Pic00001.bmp"
                                             << "" << "" << int(kPaneLive);
        QTest::newRow("after the largest number")
            << QStringList{"Pic00007.jpg", "Pic00012.bmp", "Pic0003a.jpg", "Picture.jpg", "Pic00020.png"} << "1" << 1
            << QStringList{} << true << "Pic00013.jpg" << "" << "" << int(kPaneLive);
        QTest::newRow("auto other than 1 is automatic")
            << QStringList{"Pic00002.BMP"} << "2" << 0 << QStringList{} << true << "Pic00003.bmp" << "" << "" << int(kPaneLive);
        QTest::newRow("manual, leading blanks") << QStringList{} << "0" << 1 << QStringList{"  sample"} << true
                                                << "sample.jpg" << "" << "" << int(kPaneLive);
        QTest::newRow("manual, blanks only") << QStringList{} << "0" << 1 << QStringList{"   "} << true << ""
                                             << "Warning" << "" << int(kPaneStill);
        QTest::newRow("manual, cancelled") << QStringList{} << "0" << 0 << QStringList{} << true << "" << "" << ""
                                           << int(kPaneStill);
        QTest::newRow("manual, replace no") << QStringList{"sample.bmp"} << "0" << 0 << QStringList{"sample"} << false
                                            << "" << "" << "Confirm File Replace" << int(kPaneLive);
        QTest::newRow("manual, slash refused") << QStringList{} << "0" << 0 << QStringList{"../up"} << true << ""
                                               << "Warning" << "" << int(kPaneStill);
    }
    void captureToGallery() {
        QFETCH(QStringList, existing);
        QFETCH(QString, autoNaming);
        QFETCH(int, type);
        QFETCH(QStringList, typed);
        QFETCH(bool, replace);
        QFETCH(QString, stored);
        QFETCH(QString, toldCaption);
        QFETCH(QString, askedCaption);
        QFETCH(int, paneState);

        Fixture f;
        for (const QString& name : existing) testsupport::WriteText(f.gallery(name.toStdString()), "old");
        f.settings.captureAuto = autoNaming.toStdString();
        CLumoraView& form = f.make();
        form.fileTypeCombo()->setCurrentIndex(type);
        for (const QString& name : typed) f.prompts->names.push_back(name);
        f.prompts->answer = replace;
        const std::vector<std::string> before = FilesIn(f.settings.galleryFolder);

        form.RunJogAction(kJogCapture);

        std::vector<std::string> expected = before;
        if (!stored.isEmpty()) {
            const std::string name = stored.toStdString();
            expected.push_back(name);
            expected.push_back(name.substr(0, name.size() - 4) + name.substr(name.size() - 3) + ".mag");
            std::sort(expected.begin(), expected.end());
            QVERIFY(form.gallery()->model().match(form.gallery()->model().index(0), Qt::DisplayRole, stored, 1,
                                                  Qt::MatchFixedString).size() == 1);
        }
        QCOMPARE(FilesIn(f.settings.galleryFolder), expected);
        for (const QString& name : existing) QCOMPARE(testsupport::ReadText(f.gallery(name.toStdString())), std::string("old"));
        QCOMPARE(f.prompts->told.size(), size_t(toldCaption.isEmpty() ? 0 : 1));
        if (!toldCaption.isEmpty()) {
            QCOMPARE(f.prompts->told[0].caption, toldCaption);
            if (typed == QStringList{"   "}) QCOMPARE(f.prompts->told[0].text, QStringLiteral("Input the file name."));
        }
        QCOMPARE(f.prompts->asked.size(), size_t(askedCaption.isEmpty() ? 0 : 1));
        if (!askedCaption.isEmpty()) {
            QCOMPARE(f.prompts->asked[0].caption, askedCaption);
            QCOMPARE(f.prompts->asked[0].text,
                     QStringLiteral("\nThis folder already contains a file 'sample.bmp'.\n\nWould you like to replace "
                                    "the existing file with this one?\n"));
        }
        if (autoNaming == "0") QCOMPARE(f.prompts->proposedNames, std::vector<QString>{QStringLiteral("Pic00001")});
        QCOMPARE(form.pane(0)->GetPaneState(), paneState);
        QCOMPARE(form.jog()->mode(), paneState);
    }

    void captureReplacesWhenTheUserAgrees() {
        Fixture f;
        testsupport::WriteText(f.gallery("sample.jpg"), "old");
        f.settings.captureAuto = "0";
        CLumoraView& form = f.make();
        form.fileTypeCombo()->setCurrentIndex(1);
        f.prompts->names.push_back(QStringLiteral("sample"));
        f.prompts->answer = true;
        form.RunJogAction(kJogCapture);
        QCOMPARE(f.prompts->asked.size(), size_t(1));  // asked once, by the form
        const std::string bytes = testsupport::ReadText(f.gallery("sample.jpg"));
        QVERIFY(bytes.size() > 1000);
        QCOMPARE(uint8_t(bytes[0]), uint8_t(0xFF));
        QCOMPARE(form.gallery()->ItemCount(), 1);
    }

    void captureWithoutGalleryFolderTellsAndTakesNothing() {
        Fixture f;
        f.settings.galleryFolder = f.folder.file("nowhere");
        CLumoraView& form = f.make();
        form.RunJogAction(kJogCapture);
        QCOMPARE(f.prompts->told.size(), size_t(1));
        QCOMPARE(f.prompts->told[0].caption, QStringLiteral("Check"));
        QCOMPARE(f.prompts->told[0].text,
                 QStringLiteral("Cannot find the gallery folder.\nPlease select a gallery folder in setting window."));
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneLive));
        QVERIFY(!fs::exists(f.settings.galleryFolder));
    }

    void galleryDoubleClickShowsTheFileInTheActivePane() {
        Fixture f;
        CLumoraView& form = f.make();
        form.RunJogAction(kJogCapture);
        QCOMPARE(form.gallery()->ItemCount(), 1);
        form.OpenGalleryItem(0);
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneFile));
        QCOMPARE(form.pane(0)->ImagePath(), QString::fromStdString(f.gallery("Pic00001.bmp")));
        QVERIFY(form.pane(0)->Library().isValid());
        QCOMPARE(form.jog()->mode(), 2);
        QCOMPARE(form.camera().Running(), 0);  // paused while a file shows
        form.RunJogAction(kJogLive);
        QCOMPARE(form.pane(0)->GetPaneState(), int(kPaneLive));
        QCOMPARE(form.camera().Running(), 1);
    }

    // --- Calibration and the logo ------------------------------------------------------------

    void calibrationDialogIsMadeOnceAndHearsPaneOne() {
        Fixture f;
        CLumoraView& form = f.make();
        QVERIFY(!form.calibrationDialog());
        form.calibrationButton()->click();
        CCalibrationDlg* dialog = form.calibrationDialog();
        QVERIFY(dialog && dialog->isVisible());
        dialog->hide();
        form.calibrationButton()->click();
        QCOMPARE(form.calibrationDialog(), dialog);

        dialog->startButton()->click();
        QVERIFY(form.CalibrationLineMode());
        emit form.pane(0)->calibrationDistance(250.0);
        QCOMPARE(dialog->currentDistance(), 250.0);
        dialog->valueEdit()->setText(QStringLiteral("1"));
        dialog->unitCombo()->setCurrentIndex(1);
        dialog->okButton()->click();
        QVERIFY(!form.CalibrationLineMode());
        QCOMPARE(f.settings.onePixelSize, 0.004);
    }

    void logoOpensTheMakersPage() {
        Fixture f;
        CLumoraView& form = f.make();
        QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(100, 50));
        QCOMPARE(f.prompts->urls, std::vector<QUrl>{QUrl(QString::fromLatin1(kDefaultMakerUrl))});
        QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(300, 50));
        QCOMPARE(f.prompts->urls.size(), size_t(1));
    }

    void builtInBitmapsAreDrawnAtBothScales() {
        for (int id = kBitmapTextColour; id <= kBitmapToolAngle; ++id) {
            const QImage one = FormBitmap(id, 1);
            const QImage two = FormBitmap(id, 2);
            QCOMPARE(one.size(), QSize(kFormBitmapSize, kFormBitmapSize));
            QCOMPARE(two.size(), QSize(2 * kFormBitmapSize, 2 * kFormBitmapSize));
            QCOMPARE(two.devicePixelRatio(), 2.0);
            // Something is drawn: not one colour all over.
            QVERIFY2(one.pixel(0, 0) != one.pixel(11, 11) || one.pixel(0, 0) != one.pixel(5, 15), qPrintable(QString::number(id)));
        }
        QVERIFY(FormBitmap(141).isNull());
        QVERIFY(FormBitmap(152).isNull());
    }

    // --- lumora.ini ----------------------------------------------------------------------------

    void formEndWritesItsKeys_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("first start, nothing changed")
            << false
            << QByteArray("[CAPTURE]\r\nSIZE=0\r\nTYPE=0\r\n\r\n[MODE]\r\nSCALE=1\r\nMAG_BAR=1\r\nMAG_DATA=1\r\nGRID_LINE=0\r\n"
                          "CENTER_LINE=0\r\n\r\n[DRAWING_OPTIONS]\r\nFILL_COLOR=0\r\nLINE_COLOR=0\r\nTEXT_COLOR=0\r\n");
        QTest::newRow("changed")
            << true
            << QByteArray("[CAPTURE]\r\nSIZE=2\r\nTYPE=1\r\n\r\n[MODE]\r\nSCALE=0\r\nMAG_BAR=1\r\nMAG_DATA=1\r\nGRID_LINE=1\r\n"
                          "CENTER_LINE=0\r\n\r\n[DRAWING_OPTIONS]\r\nFILL_COLOR=-16777216\r\nLINE_COLOR=255\r\nTEXT_COLOR=0\r\n");
    }
    void formEndWritesItsKeys() {
        QFETCH(bool, changed);
        QFETCH(QByteArray, ini);
        Fixture f;
        CLumoraView& form = f.make();
        form.show();
        QVERIFY(!fs::exists(f.folder.file("lumora.ini")));  // nothing written at start
        if (changed) {
            form.resolutionCombo()->setCurrentIndex(2);
            form.fileTypeCombo()->setCurrentIndex(1);
            form.ToggleSwitch(OverlaySwitch::Scale);
            form.ToggleSwitch(OverlaySwitch::Grid);
            form.colourButton(0)->setColour(static_cast<ColorRef>(kNoFillColor));
            form.colourButton(1)->setColour(MakeColorRef(255, 0, 0));
        }
        f.form.reset();
        QCOMPARE(QByteArray::fromStdString(testsupport::ReadText(f.folder.file("lumora.ini"))), ini);

        // The next form starts from what was written.
        CLumoraView& again = f.make();
        QCOMPARE(again.resolutionCombo()->currentIndex(), changed ? 2 : 0);
        QCOMPARE(again.switchButton(OverlaySwitch::Grid)->isPushed(), changed);
        QCOMPARE(again.pane(0)->Switches().scale, !changed);
        QCOMPARE(again.colourButton(0)->colour(), changed ? static_cast<ColorRef>(kNoFillColor) : ColorRef(0));
    }

    void aFormNeverShownWritesNothing() {
        // The screen was too small: the program ends before the window shows.
        Fixture f;
        f.make();
        f.form.reset();
        QVERIFY(!fs::exists(f.folder.file("lumora.ini")));
    }

    void closingTheWindowEndsTheForm() {
        Fixture f;
        CLumoraView& form = f.make();
        form.show();
        form.closeButton()->click();
        QVERIFY(!form.isVisible());
        QVERIFY(fs::exists(f.folder.file("lumora.ini")));
        QVERIFY(!form.camera().IsOpen());
        QVERIFY(!form.magnificationTimerRunning());
        QVERIFY(!form.pane(0));
    }
};

QTEST_MAIN(tst_LumoraView)
#include "tst_lumoraview.moc"
