#include "viewer/core/CalibrationDlg.h"
#include "viewer/core/CalibrationPane.h"
#include "viewer/core/ViewerSettings.h"

#include "support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace lumora;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

// The first pane as the dialog sees it: the line mode and every ApplyCalibration, with the
// calibration the settings held at that moment.
struct FakePane : CalibrationPane {
    explicit FakePane(const ViewerSettings& settings) : settings(settings) {}
    void SetCalibrationLineMode(bool on) override { lineMode = on; }
    bool CalibrationLineMode() const override { return lineMode; }
    void ApplyCalibration() override { applied.push_back(settings.onePixelSize); }

    const ViewerSettings& settings;
    bool lineMode = false;
    std::vector<double> applied;
};

struct Fixture {
    TempDir dir;
    ViewerSettings settings = LoadViewerSettings(dir.path().string(), "/opt/suite");
    FakePane pane{settings};
    QStringList messages;
    std::unique_ptr<CCalibrationDlg> dialog = Make();

    std::unique_ptr<CCalibrationDlg> Make() {
        auto d = std::make_unique<CCalibrationDlg>(settings, pane);
        d->setMessenger([this](const QString& text) { messages << text; });
        return d;
    }
    std::string ini() const { return ReadText(ViewerIniPath(dir.path().string())); }
    // The user's steps: Start, a line of `pixels`, the value and unit, Apply, OK.
    void calibrate(double pixels, const QString& value, int unit, bool apply) {
        dialog->show();
        QTest::mouseClick(dialog->startButton(), Qt::LeftButton);
        dialog->SetCurrentDistance(pixels);
        dialog->valueEdit()->setText(value);
        dialog->unitCombo()->setCurrentIndex(unit);
        dialog->applyCheck()->setChecked(apply);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    }
};

}  // namespace

class tst_CCalibrationDlg : public QObject {
    Q_OBJECT

private slots:
    void openingShowsTheDefaults() {
        Fixture f;
        QCOMPARE(f.dialog->windowTitle(), QString("Calibration"));
        QCOMPARE(f.dialog->distanceEdit()->text(), QString("1"));
        QVERIFY(!f.dialog->distanceEdit()->isEnabled());
        QCOMPARE(f.dialog->valueEdit()->text(), QString("1"));
        QCOMPARE(f.dialog->unitCombo()->currentIndex(), 0);
        QVERIFY(!f.dialog->applyCheck()->isChecked());
        QVERIFY(!f.dialog->isVisible());
    }

    void okStoresTheCalibration_data() {
        QTest::addColumn<double>("pixels");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("apply");
        QTest::addColumn<double>("onePixel");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("250 px = 1 mm") << 250.0 << "1" << 1 << true << 0.004
            << QByteArray("[CALIBRATION]\r\nIS_MM=1\r\nUSE_CALIBRATION=1\r\nONE_PIXEL_SIZE=0.004000\r\n"
                          "PIXEL_COUNT=250.000000\r\nCALIBRATION_VALUE=1.000000\r\n");
        QTest::newRow("not applied, micrometres") << 300.0 << "150" << 0 << false << 0.5
            << QByteArray("[CALIBRATION]\r\nIS_MM=0\r\nUSE_CALIBRATION=0\r\nONE_PIXEL_SIZE=0.500000\r\n"
                          "PIXEL_COUNT=300.000000\r\nCALIBRATION_VALUE=150.000000\r\n");
        QTest::newRow("fraction of a pixel, blanks round the value") << 123.4 << " 0.25 " << 1 << true << 0.25 / 123.4
            << QByteArray("[CALIBRATION]\r\nIS_MM=1\r\nUSE_CALIBRATION=1\r\nONE_PIXEL_SIZE=0.002026\r\n"
                          "PIXEL_COUNT=123.400000\r\nCALIBRATION_VALUE=0.250000\r\n");
    }
    void okStoresTheCalibration() {
        QFETCH(double, pixels);
        QFETCH(QString, value);
        QFETCH(int, unit);
        QFETCH(bool, apply);
        QFETCH(double, onePixel);
        QFETCH(QByteArray, file);
        Fixture f;
        f.calibrate(pixels, value, unit, apply);
        QCOMPARE(f.dialog->distanceEdit()->text(), QString::asprintf("%.0f", pixels));
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(!f.pane.lineMode);
        QCOMPARE(f.pane.applied.size(), size_t{1});
        QCOMPARE(f.pane.applied[0], onePixel);  // the pane sees the new value
        QCOMPARE(f.settings.calibrationApplied, apply ? 1 : 0);
        QCOMPARE(f.settings.calibrationUnit, unit);
        QCOMPARE(f.settings.pixelCount, pixels);
        QCOMPARE(QByteArray::fromStdString(f.ini()), file);
        // What the next start reads back.
        const ViewerSettings back = LoadViewerSettings(f.dir.path().string(), "/opt/suite");
        QCOMPARE(back.calibrationUnit, unit);
        QCOMPARE(back.calibrationApplied, apply ? 1 : 0);
        QVERIFY(qAbs(back.onePixelSize - onePixel) < 5e-7);
        QVERIFY(f.messages.isEmpty());
    }

    // After the setting dialog has written its keys: the section is added after them, and a
    // second calibration replaces the values in place.
    void okJoinsAnExistingFile() {
        Fixture f;
        const std::string settings = "[GALLERY]\r\nPATH=/data/Gallery\r\n\r\n[CAPTURE]\r\nAUTO=0\r\n";
        WriteText(ViewerIniPath(f.dir.path().string()), settings);
        f.calibrate(250, "1", 1, true);
        const std::string first = settings +
            "\r\n[CALIBRATION]\r\nIS_MM=1\r\nUSE_CALIBRATION=1\r\nONE_PIXEL_SIZE=0.004000\r\n"
            "PIXEL_COUNT=250.000000\r\nCALIBRATION_VALUE=1.000000\r\n";
        QCOMPARE(QByteArray::fromStdString(f.ini()), QByteArray::fromStdString(first));
        f.calibrate(400, "2", 0, false);
        const std::string second = settings +
            "\r\n[CALIBRATION]\r\nIS_MM=0\r\nUSE_CALIBRATION=0\r\nONE_PIXEL_SIZE=0.005000\r\n"
            "PIXEL_COUNT=400.000000\r\nCALIBRATION_VALUE=2.000000\r\n";
        QCOMPARE(QByteArray::fromStdString(f.ini()), QByteArray::fromStdString(second));
    }

    void okIsRefused_data() {
        QTest::addColumn<double>("pixels");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("told");
        QTest::newRow("nothing measured") << 0.0 << "1" << false;
        QTest::newRow("not a number") << 250.0 << "1 mm" << true;
        QTest::newRow("empty") << 250.0 << "" << true;
        QTest::newRow("zero") << 250.0 << "0" << true;
        QTest::newRow("negative") << 250.0 << "-2" << true;
        QTest::newRow("infinite") << 250.0 << "1e999" << true;
    }
    void okIsRefused() {
        QFETCH(double, pixels);
        QFETCH(QString, value);
        QFETCH(bool, told);
        Fixture f;
        const ViewerSettings before = f.settings;
        f.calibrate(pixels, value, 1, false);
        QVERIFY(f.dialog->isVisible());
        QVERIFY(f.pane.applied.empty());
        QVERIFY(!QFile::exists(QString::fromStdString(ViewerIniPath(f.dir.path().string()))));
        QCOMPARE(f.settings.onePixelSize, before.onePixelSize);
        QCOMPARE(f.settings.calibrationValue, before.calibrationValue);
        QCOMPARE(f.messages, told ? QStringList{CCalibrationDlg::InvalidValueMessage()} : QStringList{});
        // With nothing measured the dialog does not even leave the line mode.
        QCOMPARE(f.pane.lineMode, pixels == 0.0);
    }

    void cancelAfterStartKeepsTheLineModeUntilOk() {
        Fixture f;
        f.dialog->show();
        QTest::mouseClick(f.dialog->startButton(), Qt::LeftButton);
        QVERIFY(f.pane.lineMode);
        f.dialog->SetCurrentDistance(80);
        QTest::mouseClick(f.dialog->cancelButton(), Qt::LeftButton);
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(f.pane.lineMode);
        QVERIFY(!QFile::exists(QString::fromStdString(ViewerIniPath(f.dir.path().string()))));
        f.dialog->show();
        QTest::mouseClick(f.dialog->okButton(), Qt::LeftButton);
        QVERIFY(!f.pane.lineMode);
        QCOMPARE(f.settings.onePixelSize, 1.0 / 80);
    }

    void reopeningShowsWhatWasStored() {
        Fixture f;
        WriteText(ViewerIniPath(f.dir.path().string()), "[CALIBRATION]\r\nIS_MM=1\r\nUSE_CALIBRATION=1\r\n"
                  "ONE_PIXEL_SIZE=0.004\r\nPIXEL_COUNT=250.600000\r\nCALIBRATION_VALUE=1.002400\r\n");
        f.settings = LoadViewerSettings(f.dir.path().string(), "/opt/suite");
        f.dialog = f.Make();
        QCOMPARE(f.dialog->distanceEdit()->text(), QString("251"));
        QCOMPARE(f.dialog->valueEdit()->text(), QString("1.0024"));
        QCOMPARE(f.dialog->unitCombo()->currentIndex(), 1);
        QVERIFY(f.dialog->applyCheck()->isChecked());
        QCOMPARE(f.dialog->currentDistance(), 250.6);
    }

    void unitTexts_data() {
        QTest::addColumn<int>("useAlias");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("aliases") << 1 << QStringList{"micron", "milli"};
        QTest::newRow("built-in texts") << 0 << QStringList{"um", "mm"};
    }
    void unitTexts() {
        QFETCH(int, useAlias);
        QFETCH(QStringList, items);
        Fixture f;
        f.settings.useAlias = useAlias;
        f.settings.aliasUm = "micron";
        f.settings.aliasMm = "milli";
        f.dialog = f.Make();
        QStringList shown;
        for (int i = 0; i < f.dialog->unitCombo()->count(); ++i) shown << f.dialog->unitCombo()->itemText(i);
        QCOMPARE(shown, items);
    }

    void aFileThatCannotBeWrittenIsReported() {
        Fixture f;
        f.settings.applicationFolder = f.dir.file("missing/folder");
        f.calibrate(250, "1", 1, true);
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages[0].contains("missing/folder/lumora.ini"));
        // The calibration still holds for this run.
        QCOMPARE(f.settings.onePixelSize, 0.004);
        QCOMPARE(f.pane.applied.size(), size_t{1});
    }
};

QTEST_MAIN(tst_CCalibrationDlg)
#include "tst_calibrationdlg.moc"
