#include "measure/core/CalibrationFile.h"
#include "measure/core/MagnificationFile.h"
#include "measure/dialogs/CCalibrationGuideDlg.h"
#include "measure/dialogs/CCalibrationSetupDlg.h"
#include "measure/dialogs/CInputCalibrationDlg.h"
#include "measure/dialogs/CInputDistanceDlg.h"
#include "measure/dialogs/DialogTestSupport.h"
#include "measure/res/StringTable.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <cstring>
#include <filesystem>

using namespace tessmet;
using testsupport::Control;
using testsupport::FakeDialogHost;

Q_DECLARE_METATYPE(tessmet::UnitType)

namespace {

void SetText(QWidget* dialog, int id, const QString& text) { Control<QLineEdit>(dialog, id)->setText(text); }
QString TextOf(QWidget* dialog, int id) { return Control<QLineEdit>(dialog, id)->text(); }
void Click(QWidget* dialog, int id) { Control<QAbstractButton>(dialog, id)->click(); }

// The viewer's sidecar for a 200 x 150 picture: 7.13 x 5.37 mm sensor at a total
// magnification of 20.
void WriteSidecar(const std::string& path) {
    testsupport::WriteText(path, "[MAG]\r\nOptical=2000\r\nCorrective=100\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n");
}

}  // namespace

class tst_CalibrationDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::TempDir> dir;
    std::unique_ptr<FakeDialogHost> host;

    CTessmetView& view() { return *host->views[0]; }
    void setDocument(UnitType unit, double h, double v) {
        Calibration& c = view().document().calibration();
        c.unit = unit;
        c.hResolution = h;
        c.vResolution = v;
    }
    std::vector<int> shown() const { return host->viewHost.presenter.ids(); }

private slots:
    void init() {
        dir = std::make_unique<testsupport::TempDir>();
        host = std::make_unique<FakeDialogHost>(dir->path().string());
        host->addView("plate.bmp");
    }
    void cleanup() {
        host.reset();
        dir.reset();
    }

    void openingShowsTheDocumentAndItsFiles() {
        setDocument(Unit::Millimetre, 0.0044449, 0.0044571);
        CCalibrationSetupDlg setup(*host);
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kPictureName), QString::fromStdString(dir->file("plate.bmp")));
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kSetupName), QStringLiteral("platebmp.inf"));
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kMagName), QString::fromStdString(LoadString(StringId::MagNotFound)));
        QVERIFY(Control<QPushButton>(&setup, CCalibrationSetupDlg::kLoadMag)->isHidden());
        QVERIFY(Control<QRadioButton>(&setup, CCalibrationSetupDlg::kPixel + 1)->isChecked());
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kHorz), QStringLiteral("0.00444"));
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kVert), QStringLiteral("0.00445"));
        // The program-wide calibration's controls are never offered.
        QVERIFY(Control<QCheckBox>(&setup, CCalibrationSetupDlg::kSharedCheck)->isHidden());
        QVERIFY(Control<QPushButton>(&setup, CCalibrationSetupDlg::kSharedButton)->isHidden());
    }

    void switchingTheUnitShowsConvertedValues_data() {
        QTest::addColumn<double>("hWork");
        QTest::addColumn<UnitType>("unit");
        QTest::addColumn<QString>("horz");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("editable");
        QTest::newRow("um") << 0.0025 << Unit::Micrometre << "2.5" << "[um/pixel]" << true;
        QTest::newRow("inch") << 0.00123 << Unit::Inch << "4.84e-05" << "[inch/pixel]" << true;
        QTest::newRow("mm") << 0.0025 << Unit::Millimetre << "0.0025" << "[mm/pixel]" << true;
        QTest::newRow("pixel") << 0.0025 << Unit::Pixel << "1" << "" << false;
    }
    void switchingTheUnitShowsConvertedValues() {
        QFETCH(double, hWork);
        QFETCH(UnitType, unit);
        setDocument(Unit::Millimetre, hWork, hWork);
        CCalibrationSetupDlg setup(*host);
        Click(&setup, CCalibrationSetupDlg::kPixel + unit);
        QTEST(TextOf(&setup, CCalibrationSetupDlg::kHorz), "horz");
        QTEST(Control<QLabel>(&setup, CCalibrationSetupDlg::kUnitLabel)->text(), "label");
        QTEST(Control<QPushButton>(&setup, CCalibrationSetupDlg::kEdit)->isEnabled(), "editable");
        QTEST(Control<QPushButton>(&setup, CCalibrationSetupDlg::kCalibration)->isEnabled(), "editable");
        QCOMPARE(setup.hWork(), hWork);  // only the shown values change
    }

    void editRefusesZeroAndTakesTheValuesInTheUnit() {
        setDocument(Unit::Micrometre, 0.0025, 0.0025);
        CCalibrationSetupDlg setup(*host);
        int attempts = 0;
        QString before, label;
        host->answerModal = [&](QDialog& dialog) {
            before = TextOf(&dialog, CInputCalibrationDlg::kHorzBefore);
            label = Control<QLabel>(&dialog, CInputCalibrationDlg::kHorzLabel)->text();
            const QString firstTries[][2] = {{"0", "3"}, {"3", "abc"}, {"3.14159", "6.0"}};
            for (const auto& values : firstTries) {
                ++attempts;
                SetText(&dialog, CInputCalibrationDlg::kHorzAfter, values[0]);
                SetText(&dialog, CInputCalibrationDlg::kVertAfter, values[1]);
                Click(&dialog, CInputCalibrationDlg::kOk);
                if (dialog.result() == QDialog::Accepted) break;
            }
            return dialog.result();
        };
        Click(&setup, CCalibrationSetupDlg::kEdit);
        QCOMPARE(before, QStringLiteral("2.5"));
        QCOMPARE(label, QStringLiteral("[um/pixel]"));
        QCOMPARE(attempts, 3);
        QCOMPARE(shown(), (std::vector<int>{12111, 12111}));
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kHorz), QStringLiteral("3.14"));
        QCOMPARE(setup.hWork(), 3.14 * 0.001);
        QCOMPARE(setup.vWork(), 6.0 * 0.001);
        QCOMPARE(view().document().calibration().hResolution, 0.0025);  // nothing stored before OK
    }

    void loadMagFileSaysWhatHappened() {
        WriteSidecar(dir->file("platebmp.mag"));
        CCalibrationSetupDlg setup(*host);
        QVERIFY(!Control<QPushButton>(&setup, CCalibrationSetupDlg::kLoadMag)->isHidden());
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kMagName), QStringLiteral("platebmp.mag"));
        Click(&setup, CCalibrationSetupDlg::kLoadMag);
        QCOMPARE(shown(), std::vector<int>{12101});
        QCOMPARE(setup.unit(), Unit::Millimetre);  // pixel switches to mm
        const ResolutionResult expected = ResolutionFromMagnification(view().document().calibration());
        QCOMPARE(setup.hWork(), expected.hResolution);
        QCOMPARE(setup.vWork(), expected.vResolution);

        std::filesystem::remove(dir->file("platebmp.mag"));
        Click(&setup, CCalibrationSetupDlg::kLoadMag);
        QCOMPARE(shown(), (std::vector<int>{12101, 12103}));
        QCOMPARE(host->viewHost.presenter.shown.back().icon, MessageIcon::Exclamation);
        QCOMPARE(setup.hWork(), expected.hResolution);  // unchanged
    }

    void okAsksThenStoresWritesAndRelabels() {
        CTessmetView& v = view();
        FakeDialogHost::addMeasurement(v, Kind::TwoPointDistance, {{10, 20}, {40, 60}}, {50, 50});
        const Dib before = v.images().display();
        CCalibrationSetupDlg setup(*host, CalibrationRunResult{Unit::Millimetre, 0.01, 0.01});
        host->viewHost.presenter.answerQuestionsWith(MessageAnswer::No);
        Click(&setup, CCalibrationSetupDlg::kOk);
        QCOMPARE(setup.result(), int(QDialog::Rejected));
        QCOMPARE(v.document().calibration().unit, Unit::Pixel);
        QVERIFY(!std::filesystem::exists(dir->file("platebmp.inf")));

        host->viewHost.presenter.answerQuestionsWith(MessageAnswer::Yes);
        Click(&setup, CCalibrationSetupDlg::kOk);
        QCOMPARE(setup.result(), int(QDialog::Accepted));
        QCOMPARE(shown(), (std::vector<int>{12105, 12105, 10005}));
        QCOMPARE(host->viewHost.presenter.shown[0].extra, std::string("\n<platebmp.inf>"));
        QCOMPARE(host->viewHost.presenter.shown[0].buttons, MessageButtons::YesNo);
        QCOMPARE(v.document().calibration().unit, Unit::Millimetre);
        QCOMPARE(v.document().calibration().hResolution, 0.01);
        const CalibrationFileData written = ReadCalibrationFile(dir->file("platebmp.inf"));
        QCOMPARE(written.result, 0);
        QCOMPARE(written.unit, Unit::Millimetre);
        QCOMPARE(written.hResolution, 0.01);
        QCOMPARE(host->refreshes, (std::vector<std::pair<int, bool>>{{0, false}}));
        // The label now reads 0.5000[mm] instead of 50.00[pixel].
        QVERIFY(std::memcmp(before.bits(), v.images().display().bits(), before.sizeBytes()) != 0);
    }

    void saveAndLoadDataUseTheSharedFolder() {
        setDocument(Unit::Micrometre, 0.0025, 0.005);
        CCalibrationSetupDlg setup(*host);
        const std::string saved = dir->file("setup.inf");
        host->files.answers = {saved};
        Click(&setup, CCalibrationSetupDlg::kSaveData);
        const CalibrationFileData data = ReadCalibrationFile(saved);
        QCOMPARE(data.unit, Unit::Micrometre);
        QCOMPARE(data.vResolution, 0.005);
        QCOMPARE(host->folder, dir->path().string() + "/");
        QVERIFY(!std::filesystem::exists(dir->file("platebmp.inf")));  // the document's own file untouched

        WriteCalibrationFile(dir->file("other.inf"), Unit::Inch, 0.0254, 0.0508);
        host->files.answers = {dir->file("other.inf"), dir->file("absent.inf")};
        Click(&setup, CCalibrationSetupDlg::kLoadData);
        QCOMPARE(setup.unit(), Unit::Inch);
        QVERIFY(Control<QRadioButton>(&setup, CCalibrationSetupDlg::kPixel + Unit::Inch)->isChecked());
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kHorz), QStringLiteral("0.001"));
        // A file that cannot be read leaves the fields.
        Click(&setup, CCalibrationSetupDlg::kLoadData);
        QCOMPARE(setup.unit(), Unit::Inch);
        QCOMPARE(setup.vWork(), 0.0508);
    }

    void calibrationButtonEndsTheDialogForARun() {
        setDocument(Unit::Micrometre, 0.0025, 0.0025);
        CCalibrationSetupDlg setup(*host);
        Click(&setup, CCalibrationSetupDlg::kPixel + Unit::Inch);
        Click(&setup, CCalibrationSetupDlg::kCalibration);
        QCOMPARE(setup.result(), int(QDialog::Rejected));
        QVERIFY(setup.calibrationRequested());
        QCOMPARE(setup.requestedUnit(), Unit::Inch);
    }

    void windowChangeTakesTheNextDocumentAndDropsEdits() {
        setDocument(Unit::Millimetre, 0.01, 0.01);
        CTessmetView& second = host->addView("second.bmp");
        second.document().calibration().unit = Unit::Micrometre;
        second.document().calibration().hResolution = 0.002;
        CCalibrationSetupDlg setup(*host);
        Click(&setup, CCalibrationSetupDlg::kPixel + Unit::Inch);
        Click(&setup, CCalibrationSetupDlg::kWindowChange);
        QCOMPARE(host->commands, std::vector<int>{35001});
        QCOMPARE(setup.unit(), Unit::Micrometre);
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kHorz), QStringLiteral("2"));
        QCOMPARE(TextOf(&setup, CCalibrationSetupDlg::kSetupName), QStringLiteral("secondbmp.inf"));
    }

    void inputDistanceNeedsTwoNonZeroValuesAndIgnoresEscape() {
        CInputDistanceDlg input(host->messages(), QStringLiteral("[um]"));
        input.show();
        QVERIFY(QTest::qWaitForWindowExposed(&input));
        QCOMPARE(Control<QLabel>(&input, CInputDistanceDlg::kSecondLabel)->text(), QStringLiteral("[um]"));
        QCOMPARE(TextOf(&input, CInputDistanceDlg::kFirst).toDouble(), 0.0);
        SetText(&input, CInputDistanceDlg::kSecond, QStringLiteral("5"));
        Click(&input, CInputDistanceDlg::kOk);
        QCOMPARE(shown(), std::vector<int>{12121});
        QVERIFY(input.isVisible());
        QTest::keyClick(&input, Qt::Key_Escape);
        QVERIFY(input.isVisible());
        input.close();
        QVERIFY(input.isVisible());
        SetText(&input, CInputDistanceDlg::kFirst, QStringLiteral("-2.5"));  // negative values are taken
        Click(&input, CInputDistanceDlg::kOk);
        QCOMPARE(input.result(), int(QDialog::Accepted));
        QCOMPARE(input.first(), -2.5);
        QCOMPARE(input.second(), 5.0);
    }

    void theGuidePassesEnterAndEscapeOn() {
        QWidget target;
        int escapes = 0;
        struct KeyCounter : QObject {
            int* count;
            explicit KeyCounter(int* c) : count(c) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) ++*count;
                return false;
            }
        } counter(&escapes);
        target.installEventFilter(&counter);
        CCalibrationGuideDlg guide(&target);
        guide.SetLines(StringId::CalibrationPerformed, StringId::SetupFirstObject);
        QCOMPARE(guide.line2(), QString::fromStdString(LoadString(StringId::SetupFirstObject)));
        guide.show();
        QVERIFY(QTest::qWaitForWindowExposed(&guide));
        QTest::keyClick(&guide, Qt::Key_Escape);
        QCOMPARE(escapes, 1);
        QVERIFY(guide.isVisible());
    }
};

QTEST_MAIN(tst_CalibrationDialogs)
#include "CalibrationDialogsTest.moc"
