#include "viewer/core/CaptureDevice.h"
#include "viewer/core/ColorSwatch.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/core/ImageComboBox.h"
#include "viewer/core/SettingDlg.h"
#include "viewer/core/SettingDlgHost.h"
#include "viewer/core/SimulatedCamera.h"

#include "support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace lumora;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

struct FakeHost : SettingDlgHost {
    CCaptureDevice* Camera() override { return camera; }
    void RefreshGallery(const std::string& folder) override { refreshed.push_back(folder); }
    void ApplyCameraProperties() override { ++cameraApplied; }
    void ApplyPaneSettings() override { ++paneApplied; }

    CCaptureDevice* camera = nullptr;
    std::vector<std::string> refreshed;
    int cameraApplied = 0;
    int paneApplied = 0;
};

struct Fixture {
    explicit Fixture(const std::string& iniText = {}) {
        if (!iniText.empty()) WriteText(ViewerIniPath(folder()), iniText);
        settings = LoadViewerSettings(folder(), "/opt/suite");
        dialog = std::make_unique<CSettingDlg>(settings, host);
        dialog->setMessenger([this](const QString& text) { messages << text; });
        dialog->show();
    }
    std::string folder() const { return dir.path().string(); }
    std::string ini() const { return ReadText(ViewerIniPath(folder())); }

    TempDir dir;
    ViewerSettings settings;
    FakeHost host;
    QStringList messages;
    std::unique_ptr<CSettingDlg> dialog;
};

void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

}  // namespace

class tst_CSettingDlg : public QObject {
    Q_OBJECT

private slots:
    void captureNaming_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("autoShown");
        QTest::addColumn<QString>("written");
        QTest::newRow("1 is automatic") << "1" << true << "1";
        QTest::newRow("0 asks") << "0" << false << "0";
        QTest::newRow("2 shows Manual and becomes 0") << "2" << false << "0";
        QTest::newRow("empty shows Manual") << "" << false << "0";
    }
    void captureNaming() {
        QFETCH(QString, stored);
        QFETCH(bool, autoShown);
        QFETCH(QString, written);
        Fixture f("[CAPTURE]\r\nAUTO=" + stored.toStdString() + "\r\n");
        QCOMPARE(f.dialog->autoRadio()->isChecked(), autoShown);
        QCOMPARE(f.dialog->manualRadio()->isChecked(), !autoShown);
        Click(f.dialog->okButton());
        QCOMPARE(QString::fromStdString(f.settings.captureAuto), written);
        QVERIFY(f.ini().find("[CAPTURE]\r\nAUTO=" + written.toStdString() + "\r\n") != std::string::npos);
    }

    // OK on the first start writes every start-up key but the calibration, in the save order;
    // new sections are set apart by an empty line.
    void okWritesTheWholeSet() {
        Fixture f;
        Click(f.dialog->okButton());
        const std::string expected =
            "[GALLERY]\r\nPATH=" + f.folder() + "/Gallery\r\n\r\n"
            "[TESSMET]\r\nPATH=/opt/suite\r\n\r\n"
            "[GRID_LINE]\r\nSPACE_INDEX=2\r\nTHICKNESS_INDEX=0\r\nCOLOR=13158600\r\n\r\n"
            "[CENTER_LINE]\r\nTHICKNESS_INDEX=0\r\nCOLOR=200\r\n\r\n"
            "[CAPTURE]\r\nAUTO=1\r\n\r\n"
            "[SCALE]\r\nLINE_COLOR=16777215\r\nTEXT_COLOR=16777215\r\nBAR_COLOR=65535\r\n\r\n"
            "[PRINT_IMAGE]\r\nSCALE=1\r\nMAG_BAR=1\r\nMAG_DATA=1\r\nGRID_LINE=0\r\nCENTER_LINE=0\r\n\r\n"
            "[DRAWING_OPTIONS]\r\nCROSS_COLOR=255\r\nUSE_CROSS_LINE=1\r\nMM=mm\r\nMM2=mm2\r\nUM=um\r\n"
            "UM2=um2\r\nDEGREE=degree\r\nUSE_ALIAS=1\r\nLINE_THICKNESS=0\r\nARROW_STYLE=0\r\n";
        QCOMPARE(QByteArray::fromStdString(f.ini()), QByteArray::fromStdString(expected));
        QCOMPARE(f.host.paneApplied, 1);
        QVERIFY(f.host.refreshed.empty());
        QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    }

    void openingShowsTheStoredValues() {
        Fixture f("[GRID_LINE]\r\nSPACE_INDEX=0\r\nTHICKNESS_INDEX=3\r\nCOLOR=grey\r\n"
                  "[CENTER_LINE]\r\nTHICKNESS_INDEX=9\r\nCOLOR=65280\r\n"
                  "[PRINT_IMAGE]\r\nSCALE=0\r\nGRID_LINE=1\r\n"
                  "[DRAWING_OPTIONS]\r\nUSE_ALIAS=0\r\nUSE_CROSS_LINE=0\r\nCROSS_COLOR=4660\r\n"
                  "MM=MIL\r\nLINE_THICKNESS=4\r\nARROW_STYLE=2\r\n");
        CSettingDlg& d = *f.dialog;
        QCOMPARE(d.size(), kSettingClientSize);
        QCOMPARE(d.gridCountCombo()->currentText(), QString("4x3"));
        QCOMPARE(d.gridThicknessCombo()->currentText(), QString("4"));
        QCOMPARE(d.centerThicknessCombo()->currentIndex(), 0);  // out of range
        QCOMPARE(d.gridColourSwatch()->colour(), ColorRef{0});  // not a number: black
        QCOMPARE(d.centerColourSwatch()->colour(), ColorRef{0x00FF00});
        QCOMPARE(d.barColourSwatch()->colour(), ColorRef{0x00FFFF});
        QCOMPARE(d.crossColourSwatch()->colour(), ColorRef{4660});
        QVERIFY(!d.crossColourSwatch()->isEnabled());
        const bool printShown[] = {false, true, true, true, false};
        for (size_t k = 0; k < 5; ++k) QCOMPARE(d.printChecks()[k]->isChecked(), printShown[k]);
        QVERIFY(!d.useAliasCheck()->isChecked());
        for (QLineEdit* e : d.aliasEdits()) QVERIFY(!e->isEnabled());
        QCOMPARE(d.aliasEdits()[0]->text(), QString("MIL"));
        QCOMPARE(d.lineThicknessCombo()->mode(), CImageComboBox::Mode::Line);
        QCOMPARE(d.lineThicknessCombo()->currentIndex(), 4);
        QCOMPARE(d.arrowStyleCombo()->mode(), CImageComboBox::Mode::Bitmap);
        QCOMPARE(d.arrowStyleCombo()->count(), 3);
        QCOMPARE(d.arrowStyleCombo()->currentIndex(), 2);
        QCOMPARE(d.tessmetFolderEdit()->geometry(), QRect(45, 41, 359, 21));
        QCOMPARE(d.crossColourSwatch()->geometry(), QRect(409, 402, 25, 23));
        QCOMPARE(d.aliasEdits()[4]->geometry(), QRect(217, 494, 54, 28));
    }

    void editsReachTheSettingsAndTheFile() {
        Fixture f;
        CSettingDlg& d = *f.dialog;
        std::vector<int> asked;
        d.setColourChooser([&asked](ColorRef initial, QWidget* parent) -> std::optional<ColorRef> {
            asked.push_back(static_cast<CColorSwatch*>(parent)->controlId());
            if (initial != 0) return std::nullopt;  // opens without a preset colour
            return MakeColorRef(10, 20, 30);
        });
        d.tessmetFolderEdit()->setText("/opt/other");
        d.gridCountCombo()->setCurrentIndex(1);
        d.centerThicknessCombo()->setCurrentIndex(2);
        QTest::mouseClick(d.scaleTextColourSwatch(), Qt::LeftButton);
        QTest::mouseClick(d.gridColourSwatch(), Qt::RightButton);  // only the left button asks
        Click(d.manualRadio());
        Click(d.printChecks()[4]);
        d.aliasEdits()[3]->setText("sq um");
        d.lineThicknessCombo()->setCurrentIndex(1);
        d.arrowStyleCombo()->setCurrentIndex(1);
        Click(d.okButton());
        QCOMPARE(asked, std::vector<int>{1035});
        const ViewerSettings& s = f.settings;
        QCOMPARE(s.tessmetFolder, std::string("/opt/other"));
        QCOMPARE(s.gridSpaceIndex, std::string("1"));
        QCOMPARE(s.centerLineThicknessIndex, std::string("2"));
        QCOMPARE(s.scaleTextColor, std::to_string(MakeColorRef(10, 20, 30)));
        QCOMPARE(s.gridColor, std::string("13158600"));
        QCOMPARE(s.captureAuto, std::string("0"));
        QCOMPARE(s.printCenterLine, 1);
        QCOMPARE(s.aliasUm2, std::string("sq um"));
        QCOMPARE(s.lineThickness, 1);
        QCOMPARE(s.arrowStyle, 1);
        QVERIFY(LoadViewerSettings(f.folder(), "/opt/suite") == s);
    }

    void cancelKeepsEverything() {
        Fixture f;
        const ViewerSettings before = f.settings;
        f.dialog->galleryFolderEdit()->setText("/elsewhere");
        Click(f.dialog->useAliasCheck());
        Click(f.dialog->cancelButton());
        QVERIFY(f.settings == before);
        QVERIFY(f.host.refreshed.empty());
        QCOMPARE(f.host.paneApplied, 0);
        QVERIFY(!QFile::exists(QString::fromStdString(ViewerIniPath(f.folder()))));
    }

    void galleryChangeRefillsTheList_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refilled");
        QTest::newRow("unchanged") << "/data/Gallery" << false;
        QTest::newRow("letter case only") << "/data/gallery" << true;
        QTest::newRow("another folder") << "/data/Other" << true;
        QTest::newRow("trailing slash") << "/data/Gallery/" << true;
    }
    void galleryChangeRefillsTheList() {
        QFETCH(QString, typed);
        QFETCH(bool, refilled);
        Fixture f("[GALLERY]\r\nPATH=/data/Gallery\r\n");
        f.dialog->galleryFolderEdit()->setText(typed);
        Click(f.dialog->okButton());
        QCOMPARE(f.host.refreshed, refilled ? std::vector<std::string>{typed.toStdString()} : std::vector<std::string>{});
        QCOMPARE(QString::fromStdString(f.settings.galleryFolder), typed);
    }

    void browsingForFolders_data() {
        QTest::addColumn<bool>("gallery");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("Tessmet folder chosen") << false << true;
        QTest::newRow("Tessmet browser cancelled") << false << false;
        QTest::newRow("gallery chosen") << true << true;
        QTest::newRow("gallery browser cancelled") << true << false;
    }
    void browsingForFolders() {
        QFETCH(bool, gallery);
        QFETCH(bool, confirmed);
        Fixture f("[GALLERY]\r\nPATH=/data/Gallery\r\n[TESSMET]\r\nPATH=/opt/tessmet\r\n");
        QString title, preselected;
        f.dialog->setFolderBrowser([&](QWidget* owner, const QString& t, const QString& current) -> std::optional<QString> {
            title = t;
            preselected = current;
            if (owner != f.dialog.get() || !confirmed) return std::nullopt;
            return QStringLiteral("/picked");
        });
        QLineEdit* edit = gallery ? f.dialog->galleryFolderEdit() : f.dialog->tessmetFolderEdit();
        const QString before = edit->text();
        Click(gallery ? f.dialog->galleryBrowseButton() : f.dialog->tessmetBrowseButton());
        QCOMPARE(title, QString::fromLatin1(gallery ? kGalleryFolderTitle : kTessmetFolderTitle));
        QCOMPARE(preselected, before);
        QCOMPARE(edit->text(), confirmed ? QStringLiteral("/picked") : before);
    }

    void switchesEnableTheirControls() {
        Fixture f("[DRAWING_OPTIONS]\r\nCROSS_COLOR=255\r\nUSE_CROSS_LINE=1\r\n");
        CSettingDlg& d = *f.dialog;
        Click(d.useAliasCheck());
        for (QLineEdit* e : d.aliasEdits()) QVERIFY(!e->isEnabled());
        Click(d.useAliasCheck());
        for (QLineEdit* e : d.aliasEdits()) QVERIFY(e->isEnabled());
        d.crossColourSwatch()->setColour(MakeColorRef(0, 0, 9));
        Click(d.useCrossLineCheck());
        QVERIFY(!d.crossColourSwatch()->isEnabled());
        QCOMPARE(d.crossColourSwatch()->colour(), MakeColorRef(0, 0, 9));
        Click(d.useCrossLineCheck());  // back on: the stored colour again
        QVERIFY(d.crossColourSwatch()->isEnabled());
        QCOMPARE(d.crossColourSwatch()->colour(), ColorRef{255});
    }

    void defaultCopiesTheFactoryValuesEvenOnCancel() {
        Fixture f("[CAMERA_DEFAULT]\r\nGAMMA=120\r\n[CAMERA_PROP]\r\nBRIGHTNESS=40\r\n");
        Click(f.dialog->defaultButton());
        Click(f.dialog->cancelButton());
        CameraProperties expected;
        expected[CameraProperty::Gamma] = 120;
        QVERIFY(ReadCameraProperties(f.folder()) == expected);
        QCOMPARE(f.host.cameraApplied, 1);
    }

    void userSettingStoresWhatTheCameraHolds() {
        Fixture f;
        int pagesShown = 0;
        f.dialog->setPropertyPages([&](CCaptureDevice& camera, QWidget* owner) {
            QCOMPARE(owner, static_cast<QWidget*>(f.dialog.get()));
            ++pagesShown;
            camera.SetProperty(CameraProperty::Brightness, 33);
            camera.SetProperty(CameraProperty::Saturation, 70);
        });
        Click(f.dialog->userSettingButton());  // no camera: nothing at all
        QCOMPARE(pagesShown, 0);
        QVERIFY(!QFile::exists(QString::fromStdString(ViewerIniPath(f.folder()))));

        CCaptureDevice camera(std::make_shared<SimulatedCameraSystem>());
        QCOMPARE(camera.Open("", nullptr, 640, 480, 3), kCaptureOk);
        f.host.camera = &camera;
        Click(f.dialog->userSettingButton());
        QCOMPARE(pagesShown, 1);
        CameraProperties expected;
        QCOMPARE(camera.GetProperties(expected), 0);
        QCOMPARE(expected[CameraProperty::Brightness], 33);
        QVERIFY(ReadCameraProperties(f.folder()) == expected);
        camera.Close();
    }

    void aFileThatCannotBeWrittenIsReported() {
        Fixture f;
        f.settings.applicationFolder = f.dir.file("missing");
        Click(f.dialog->okButton());
        QCOMPARE(f.messages, QStringList{SaveFailedMessage(f.dir.file("missing/lumora.ini"))});
        QCOMPARE(f.host.paneApplied, 1);
    }
};

QTEST_MAIN(tst_CSettingDlg)
#include "tst_settingdlg.moc"
