#include "measure/core/MeasureResultTable.h"
#include "measure/dialogs/CMeasureResultDlg.h"
#include "measure/res/CommandTable.h"
#include "measure/dialogs/DialogTestSupport.h"
#include "support/TempDir.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace tessmet;
using testsupport::Control;
using testsupport::DisplayRgb;
using testsupport::FakeDialogHost;

namespace {

constexpr uint32_t kBlue = 0x0000FF;  // the measurement pen, as 0xRRGGBB

}  // namespace

class tst_CMeasureResultDlg : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::TempDir> dir;
    std::unique_ptr<FakeDialogHost> host;
    std::unique_ptr<CMeasureResultDlg> dialog;

    QPushButton* button(int id) { return Control<QPushButton>(dialog.get(), id); }
    QTreeWidget& list() { return dialog->results(); }
    void selectRow(int row) { list().setCurrentItem(list().topLevelItem(row)); }

private slots:
    void init() {
        dir = std::make_unique<testsupport::TempDir>();
        host = std::make_unique<FakeDialogHost>(dir->path().string());
        host->addView("first.bmp");
        dialog = std::make_unique<CMeasureResultDlg>(*host);
        dialog->setDocumentOpen(true);
    }
    void cleanup() {
        dialog.reset();
        host.reset();
        dir.reset();
    }

    void withoutADocumentEverythingIsDisabledAndEmpty() {
        FakeDialogHost::addMeasurement(*host->views[0], Kind::TwoPointDistance, {{10, 20}, {40, 60}}, {50, 50});
        dialog->RefreshResults(0, true);
        QCOMPARE(list().topLevelItemCount(), 1);
        dialog->setDocumentOpen(false);
        dialog->RefreshResults(0, false);
        for (const int id : {CMeasureResultDlg::kClear, CMeasureResultDlg::kDelete, CMeasureResultDlg::kSaveData,
                             CMeasureResultDlg::kWindowChange})
            QVERIFY(!button(id)->isEnabled());
        QVERIFY(!dialog->kinds().isEnabled());
        QCOMPARE(list().topLevelItemCount(), 0);
        QCOMPARE(list().columnCount(), 0);
        QVERIFY(dialog->fileName().text().isEmpty());
    }

    void rowsShowValueAndPointsUnderUnitTitles() {
        CTessmetView& view = *host->views[0];
        FakeDialogHost::addMeasurement(view, Kind::VerticalDistance, {{10, 0}, {10, 100}, {50, 40}}, {60, 60});
        view.document().calibration().unit = Unit::Millimetre;
        view.document().calibration().hResolution = 0.01;
        view.document().calibration().vResolution = 0.01;
        dialog->RefreshResults(1, true);
        QCOMPARE(dialog->fileName().text(), QString::fromStdString(view.document().path()));
        QCOMPARE(dialog->kinds().currentRow(), 1);
        QCOMPARE(list().headerItem()->text(0), QStringLiteral("Distance[mm]"));
        QCOMPARE(list().columnCount(), 9);
        const QTreeWidgetItem* row = list().topLevelItem(0);
        QCOMPARE(row->text(0), QStringLiteral("0.4000"));
        const QStringList cells{"10", "0", "10", "100", "50", "40", "10", "40"};
        for (int c = 0; c < cells.size(); ++c) QCOMPARE(row->text(c + 1), cells[c]);
    }

    void areaHasSixtyOneColumnsAndATriangleFillsSix() {
        FakeDialogHost::addMeasurement(*host->views[0], Kind::Area, {{0, 0}, {30, 0}, {0, 30}}, {60, 60}, 450);
        dialog->RefreshResults(2, true);
        QCOMPARE(list().columnCount(), 61);
        QCOMPARE(list().headerItem()->text(60), QStringLiteral("y30"));
        const QTreeWidgetItem* row = list().topLevelItem(0);
        QCOMPARE(row->text(0), QStringLiteral("450.00"));
        QCOMPARE(row->text(6), QStringLiteral("30"));  // y3
        QVERIFY(row->text(7).isEmpty());                // x4: the label point is not a vertex
    }

    void choosingAKindInTheListRebuildsIt() {
        FakeDialogHost::addMeasurement(*host->views[0], Kind::TwoPointRadius, {{0, 0}, {30, 40}}, {60, 60});
        dialog->RefreshResults(0, true);
        QCOMPARE(list().topLevelItemCount(), 0);
        dialog->kinds().setCurrentRow(5);
        QCOMPARE(dialog->kind(), 5);
        QCOMPARE(list().topLevelItemCount(), 1);
        QCOMPARE(list().topLevelItem(0)->text(0), QStringLiteral("50.00"));
        // Another tool keeps the selection the user sees.
        dialog->RefreshResults(-1, false);
        QCOMPARE(dialog->kind(), 5);
        QCOMPARE(list().topLevelItemCount(), 1);
    }

    void activatingTheSameWindowAgainOnlyStopsTheBlink() {
        CTessmetView& view = *host->views[0];
        FakeDialogHost::addMeasurement(view, Kind::TwoPointDistance, {{10, 20}, {40, 20}}, {50, 50});
        dialog->RefreshResults(0, true);
        selectRow(0);
        QCOMPARE(dialog->row(), 0);
        FakeDialogHost::addMeasurement(view, Kind::TwoPointDistance, {{10, 80}, {40, 80}}, {50, 90});
        dialog->StopBlink();
        dialog->RefreshResults(0, true);
        QCOMPARE(dialog->row(), -1);
        QCOMPARE(list().topLevelItemCount(), 1);  // not rebuilt
        dialog->RefreshResults(0, false);          // a completed measurement rebuilds it
        QCOMPARE(list().topLevelItemCount(), 2);
    }

    void theSelectedRecordBlinksInvertedAndComesBack() {
        CTessmetView& view = *host->views[0];
        FakeDialogHost::addMeasurement(view, Kind::TwoPointDistance, {{10, 100}, {150, 100}}, {20, 20});
        FakeDialogHost::addMeasurement(view, Kind::TwoPointDistance, {{10, 130}, {150, 130}}, {20, 40});
        dialog->RefreshResults(0, true);
        QCOMPARE(DisplayRgb(view.images().display(), 80, 100), kBlue);
        selectRow(0);
        dialog->Blink(true);
        QCOMPARE(DisplayRgb(view.images().display(), 80, 100), 0xFFFFFFu ^ kBlue);
        QCOMPARE(DisplayRgb(view.images().display(), 80, 130), kBlue);
        dialog->Blink(false);
        QCOMPARE(DisplayRgb(view.images().display(), 80, 100), kBlue);
        // Moving the selection while inverted draws the earlier record normally again.
        dialog->Blink(true);
        selectRow(1);
        dialog->Blink(true);
        QCOMPARE(DisplayRgb(view.images().display(), 80, 100), kBlue);
        QCOMPARE(DisplayRgb(view.images().display(), 80, 130), 0xFFFFFFu ^ kBlue);
        // Activation stops it with the record drawn normally.
        dialog->StopBlink();
        QCOMPARE(DisplayRgb(view.images().display(), 80, 130), kBlue);
        QCOMPARE(dialog->row(), -1);
        // The timer's tick toggles one phase for the whole program.
        selectRow(0);
        dialog->BlinkTick();
        const uint32_t first = DisplayRgb(view.images().display(), 80, 100);
        dialog->BlinkTick();
        QVERIFY(DisplayRgb(view.images().display(), 80, 100) != first);
    }

    void deleteRemovesTheRecordAndSelectsTheOneBefore() {
        CTessmetView& view = *host->views[0];
        for (int i = 0; i < 3; ++i)
            FakeDialogHost::addMeasurement(view, Kind::Angle, {{50, 50}, {90, 50 + i}, {50, 10}}, {100, 100});
        dialog->RefreshResults(3, true);
        selectRow(2);
        button(CMeasureResultDlg::kDelete)->click();
        QCOMPARE(view.store().CountOf(Kind::Angle), 2);
        QCOMPARE(list().topLevelItemCount(), 2);
        QCOMPARE(dialog->row(), 1);
        selectRow(0);
        button(CMeasureResultDlg::kDelete)->click();
        QCOMPARE(dialog->row(), 0);  // row 0 stays 0
        button(CMeasureResultDlg::kDelete)->click();
        QCOMPARE(view.store().CountOf(Kind::Angle), 0);
        QCOMPARE(list().topLevelItemCount(), 0);
        QCOMPARE(dialog->row(), 0);
        dialog->Blink(true);  // finds no record and draws nothing
        button(CMeasureResultDlg::kDelete)->click();  // nothing to delete
        QCOMPARE(view.store().Count(), 0);
    }

    void clearAndWindowChangeGoToTheMainWindow() {
        dialog->RefreshResults(0, true);
        button(CMeasureResultDlg::kClear)->click();
        QCOMPARE(host->commands, std::vector<int>{CommandId::MeasureClear});
        button(CMeasureResultDlg::kWindowChange)->click();  // one window: nothing
        QCOMPARE(host->commands.size(), size_t(1));
        CTessmetView& second = host->addView("second.bmp");
        dialog->RefreshResults(0, true);
        button(CMeasureResultDlg::kWindowChange)->click();
        QCOMPARE(host->commands.back(), CommandId::WindowChange);
        QCOMPARE(dialog->shownView(), &second);
        QCOMPARE(dialog->fileName().text(), QString::fromStdString(second.document().path()));
    }

    void saveDataWritesTheExportAndReportsAFailure() {
        CTessmetView& view = *host->views[0];
        FakeDialogHost::addMeasurement(view, Kind::TwoPointDistance, {{10, 20}, {40, 60}}, {50, 50});
        dialog->RefreshResults(0, true);
        const std::string csv = dir->file("out.csv");
        host->files.answers = {csv};
        button(CMeasureResultDlg::kSaveData)->click();
        QCOMPARE(testsupport::ReadText(csv), std::string("2 Point Distance[1], 50.00, x1, 10, y1, 20, x2, 40, y2, 60, \r"));
        QVERIFY(host->viewHost.presenter.shown.empty());
        QCOMPARE(host->folder, dir->path().string() + "/");

        // A folder that is not there: nothing written, and the user is told.
        host->files.answers = {dir->file("missing/out.csv")};
        button(CMeasureResultDlg::kSaveData)->click();
        QCOMPARE(host->viewHost.presenter.shown.size(), size_t(1));
        QCOMPARE(host->viewHost.presenter.shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(host->viewHost.presenter.shown[0].plainText.find("missing/out.csv") != std::string::npos);
        QCOMPARE(host->files.folders.back(), dir->path().string() + "/");

        // Cancel writes nothing.
        button(CMeasureResultDlg::kSaveData)->click();
        QCOMPARE(testsupport::CountEntries(dir->path()), size_t(2));  // the picture and out.csv
    }

    void enterAndEscapeKeepTheWindowAndClosingReportsIt() {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QTest::keyClick(dialog.get(), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QSignalSpy closed(dialog.get(), &CMeasureResultDlg::closedByUser);
        dialog->close();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!dialog->isVisible());
    }
};

QTEST_MAIN(tst_CMeasureResultDlg)
#include "MeasureResultDlgTest.moc"
