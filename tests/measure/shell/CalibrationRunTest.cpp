#include "measure/core/CalibrationFile.h"
#include "measure/dialogs/CCalibrationGuideDlg.h"
#include "measure/dialogs/CCalibrationSetupDlg.h"
#include "measure/dialogs/CInputDistanceDlg.h"
#include "measure/dialogs/CMeasureResultDlg.h"
#include "measure/dialogs/DialogTestSupport.h"
#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CommandActions.h"
#include "measure/workspace/FileChooser.h"
#include "measure/workspace/FrameRegistry.h"
#include "support/RecordingMessagePresenter.h"

#include <QLineEdit>
#include <QMenu>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

using namespace tessmet;
using testsupport::Control;
using testsupport::RecordingMessagePresenter;

namespace {

class NoFiles : public FileChooser {
public:
    std::optional<std::string> openImage(const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveImage(const std::string&) override { return std::nullopt; }
};

std::string WritePicture(const QTemporaryDir& dir, const QString& name) {
    const std::string path = dir.filePath(name).toStdString();
    WriteBmpFile(path, testsupport::Grey(400, 300));
    return path;
}

// Two objects that meet at a right angle: 100 pixels across, 50 pixels down.
const std::array<Point, 4> kObjects{Point{10, 10}, Point{110, 10}, Point{200, 20}, Point{200, 70}};

}  // namespace

class tst_CalibrationRun : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    RecordingMessagePresenter messages;
    NoFiles files;
    testsupport::QueuedDataFiles dataFiles;
    // Plays the user in each modal dialog, in order; a dialog beyond the list is cancelled.
    std::vector<std::function<int(QDialog&)>> answers;
    std::vector<QString> dialogs;
    std::unique_ptr<CMainFrame> frame;

    int answer(QDialog& dialog) {
        dialogs.push_back(QString::fromLatin1(dialog.metaObject()->className()));
        if (answers.empty()) return QDialog::Rejected;
        auto next = answers.front();
        answers.erase(answers.begin());
        return next(dialog);
    }
    bool menusGrey() const {
        for (const MenuId id : MenuBar())
            if (frame->actions().menu(id)->isEnabled()) return false;
        return true;
    }
    bool barsVisible() const {
        for (const ToolbarInfo& info : Toolbars())
            if (frame->actions().toolbar(info.id)->isHidden()) return false;
        return true;
    }
    // "Calibration Setup": choose the unit and press "Calibration".
    static std::function<int(QDialog&)> startRunIn(UnitType unit) {
        return [unit](QDialog& d) {
            Control<QAbstractButton>(&d, CCalibrationSetupDlg::kPixel + unit)->click();
            Control<QAbstractButton>(&d, CCalibrationSetupDlg::kCalibration)->click();
            return d.result();
        };
    }
    static std::function<int(QDialog&)> typeDistances(const QString& first, const QString& second) {
        return [first, second](QDialog& d) {
            Control<QLineEdit>(&d, CInputDistanceDlg::kFirst)->setText(first);
            Control<QLineEdit>(&d, CInputDistanceDlg::kSecond)->setText(second);
            Control<QAbstractButton>(&d, CInputDistanceDlg::kOk)->click();
            return d.result();
        };
    }

private slots:
    void init() {
        messages.shown.clear();
        answers.clear();
        dialogs.clear();
        QFile::remove(folder.filePath(QStringLiteral("Tessmet.ini")));
        frame = std::make_unique<CMainFrame>(CMainFrame::Services{
            folder.path().toStdString() + "/", &messages, &files, [](const QUrl&) {}, [] { return Qt::NoModifier; },
            &dataFiles, [this](QDialog& d) { return answer(d); }});
        frame->resize(1000, 760);
        frame->show();
        frame->AfterShown();
        QCOMPARE(frame->OpenImage(WritePicture(folder, QStringLiteral("plate.bmp"))), 0);
    }
    void cleanup() { frame.reset(); }

    void aSuccessfulRunReopensTheSetupWithItsSolution() {
        CalibrationRunResult seen;
        answers = {startRunIn(Unit::Micrometre), typeDistances("1000", "1000"), [&](QDialog& d) {
                       auto& setup = static_cast<CCalibrationSetupDlg&>(d);
                       seen = {setup.unit(), setup.hWork(), setup.vWork()};
                       return int(QDialog::Rejected);  // Cancel discards the solution
                   }};
        QVERIFY(frame->actions().action(CommandId::CalibrationSetup)->isEnabled());
        frame->OnCommand(CommandId::CalibrationSetup);

        // The run waits for its clicks: toolbars hidden, menus grey, the guide up.
        QCOMPARE(frame->currentTool(), Tool::CalibrationMicrometre);
        QVERIFY(menusGrey());
        for (const ToolbarInfo& info : Toolbars()) QVERIFY(frame->actions().toolbar(info.id)->isHidden());
        QCOMPARE(messages.ids(), std::vector<int>{10051});
        QVERIFY(frame->calibrationGuide().isVisible());
        QCOMPARE(frame->calibrationGuide().line1(), QString::fromStdString(LoadString(10056)));

        frame->finishCalibration(kObjects);
        QCOMPARE(dialogs, (std::vector<QString>{"tessmet::CCalibrationSetupDlg", "tessmet::CInputDistanceDlg",
                                                "tessmet::CCalibrationSetupDlg"}));
        QCOMPARE(messages.ids(), (std::vector<int>{10051, 10052}));
        QCOMPARE(seen.unit, Unit::Micrometre);
        QCOMPARE(seen.hResolution, 0.01);
        QCOMPARE(seen.vResolution, 0.02);
        QVERIFY(!frame->calibrationGuide().isVisible());
        QVERIFY(barsVisible());
        QVERIFY(!menusGrey());
        QCOMPARE(frame->currentTool(), Tool::None);
        QCOMPARE(frame->activeView()->document().calibration().unit, Unit::Pixel);  // nothing stored
    }

    void aFailedRunSays10055AndShowsTheDocumentsValues() {
        UnitType seenUnit = -1;
        answers = {startRunIn(Unit::Millimetre), typeDistances("1", "0.1"), [&](QDialog& d) {
                       seenUnit = static_cast<CCalibrationSetupDlg&>(d).unit();
                       return int(QDialog::Rejected);
                   }};
        frame->OnCommand(CommandId::CalibrationSetup);
        // A vertical object of 50 pixels at 1 mm leaves the second no room for 0.1 mm.
        frame->finishCalibration({Point{10, 100}, Point{10, 150}, Point{50, 50}, Point{80, 70}});
        QCOMPARE(messages.ids(), (std::vector<int>{10051, 10055}));
        QCOMPARE(messages.shown[1].icon, MessageIcon::Exclamation);
        QCOMPARE(seenUnit, Unit::Pixel);
        QCOMPARE(frame->currentTool(), Tool::None);
        QVERIFY(barsVisible());
    }

    void escapeAsksAndOnlyYesEndsTheRun() {
        answers = {startRunIn(Unit::Millimetre)};
        frame->OnCommand(CommandId::CalibrationSetup);
        messages.answerQuestionsWith(MessageAnswer::No);
        QTest::keyClick(frame.get(), Qt::Key_Escape);
        QCOMPARE(frame->currentTool(), Tool::CalibrationMillimetre);
        QVERIFY(menusGrey());
        QVERIFY(frame->calibrationGuide().isVisible());
        // Escape in the guide goes to the main window.
        messages.answerQuestionsWith(MessageAnswer::Yes);
        QTest::keyClick(&frame->calibrationGuide(), Qt::Key_Escape);
        QCOMPARE(messages.ids(), (std::vector<int>{10051, 10054, 10054}));
        QCOMPARE(frame->currentTool(), Tool::None);
        QVERIFY(!menusGrey());
        QVERIFY(barsVisible());
        QVERIFY(!frame->calibrationGuide().isVisible());
    }

    void closingAWindowDuringTheRunIsRefused() {
        answers = {startRunIn(Unit::Inch)};
        frame->OnCommand(CommandId::CalibrationSetup);
        QVERIFY(!frame->activeFrame()->close());
        QCOMPARE(messages.ids(), (std::vector<int>{10051, 10053}));
        QCOMPARE(frame->registry().count(), 1);
    }

    void theResultListFollowsMeasurementsAndTheCalibration() {
        QVERIFY(!frame->measureResult().isVisible());
        frame->OnCommand(CommandId::MeasureResult);
        QVERIFY(frame->measureResult().isVisible());
        QVERIFY(frame->actions().action(CommandId::MeasureResult)->isChecked());

        CTessmetView& view = *frame->activeView();
        testsupport::FakeDialogHost::addMeasurement(view, Kind::TwoPointDistance, {{10, 20}, {40, 60}}, {50, 50});
        frame->measurementsChanged(&view);
        QTreeWidget& list = frame->measureResult().results();
        QCOMPARE(list.topLevelItemCount(), 1);
        QCOMPARE(list.topLevelItem(0)->text(0), QStringLiteral("50.00"));

        // OK in "Calibration Setup" relabels the list.
        answers = {[](QDialog& d) {
            Control<QAbstractButton>(&d, CCalibrationSetupDlg::kPixel + Unit::Millimetre)->click();
            Control<QAbstractButton>(&d, CCalibrationSetupDlg::kOk)->click();
            return d.result();
        }};
        view.document().calibration().hResolution = 0.01;
        view.document().calibration().vResolution = 0.01;
        frame->OnCommand(CommandId::CalibrationSetup);
        QCOMPARE(messages.ids(), (std::vector<int>{12105, 10005}));
        QCOMPARE(list.headerItem()->text(0), QStringLiteral("Distance[mm]"));
        QCOMPARE(list.topLevelItem(0)->text(0), QStringLiteral("0.5000"));
        QCOMPARE(ReadCalibrationFile(folder.filePath(QStringLiteral("platebmp.inf")).toStdString()).unit, Unit::Millimetre);
        QCOMPARE(frame->statusText(1), QStringLiteral("Resolution  Horz: 0.0100  Vert: 0.0100 [mm/pixel]"));

        // The close box unchecks the command; the last window closing empties the list.
        frame->measureResult().close();
        QVERIFY(!frame->actions().action(CommandId::MeasureResult)->isChecked());
        frame->OnCommand(CommandId::FileCloseAll);
        QTRY_COMPARE(frame->registry().count(), 0);
        QCOMPARE(list.topLevelItemCount(), 0);
        QVERIFY(!list.isEnabled());
    }
};

QTEST_MAIN(tst_CalibrationRun)
#include "CalibrationRunTest.moc"
