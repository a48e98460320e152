// Second stage of the end-to-end run, the measurement program's side: started as the viewer
// starts it (from the first stage's launch record), the capture opens in millimetres from its
// sidecar; a two-point measurement is clicked across two long ticks of the simulated slide's
// ruler, found in the picture; the result list's "Save Data" writes the CSV, and its value is
// compared with the ruler's known length.
#include "e2e/LaunchRecord.h"
#include "e2e/SlideRuler.h"
#include "measure/core/Calibration.h"
#include "measure/core/GraphicStore.h"
#include "measure/core/MeasureKinds.h"
#include "measure/dialogs/CMeasureResultDlg.h"
#include "measure/dialogs/DataFileChooser.h"
#include "measure/res/CommandTable.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/TessmetApplication.h"
#include "support/RecordingMessagePresenter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>

using namespace tessmet;
using e2e::FindRuler;
using e2e::kUnitsBetweenLongTicks;
using e2e::RulerInPicture;

namespace {

// One unit of the simulated slide is one pixel of the 640-pixel live frame at magnification
// 100, which the viewer's own calibration makes 0.0044643 mm; so 100 units are 0.44643 mm.
constexpr double kMillimetresPerUnit = 0.0044643;
// The measurement program's resolution from the sidecar's [MAG] and [SENSOR] at magnification
// 100, for a picture 640 pixels wide; it scales with the picture's width.
constexpr double kSidecarResolution640 = 0.0044385;

// Two calibrations meet here: the slide's length is known in the viewer's calibration, the
// measurement uses the one the sidecar gives, 0.58 % smaller. Each end of the measurement lies
// within a pixel of the tick's centre (the centre is found to half a pixel, the click lands on
// a whole pixel): 2 pixels of about 1000, 0.2 %. The CSV keeps four decimals (0.003 %). So the
// value lies within 0.8 % of the known length, and 1 % is tested; a wrong unit, a resolution
// not scaled to the picture's width or a missed tick is off by far more.
constexpr double kTolerance = 0.01;

// Answers "Save Data" with a fixed path.
class FixedDataFiles : public DataFileChooser {
public:
    std::deque<std::string> answers;
    std::optional<std::string> saveCsv(const std::string&) override { return next(); }
    std::optional<std::string> saveCalibration(const std::string&) override { return next(); }
    std::optional<std::string> openCalibration(const std::string&) override { return next(); }

private:
    std::optional<std::string> next() {
        if (answers.empty()) return std::nullopt;
        std::string a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace

class tst_TessmetMeasureStage : public QObject {
    Q_OBJECT

private:
    const QString scratch = QStringLiteral(E2E_SCRATCH);
    QString home() const { return scratch + QStringLiteral("/tessmet-home/"); }
    testsupport::RecordingMessagePresenter messages;
    FixedDataFiles dataFiles;
    std::unique_ptr<CMainFrame> frame;
    std::string picture;
    double pixelsPerUnit = 0.0;
    Point first, second;
    int spanUnits = 0;

    CTessmetView* view() const { return frame ? frame->activeView() : nullptr; }

    // A left click on an image pixel, as the user makes it: the view is scrolled to bring the
    // pixel on screen when it is not, and the screen point comes from the view's mapping.
    void clickImagePoint(Point p) {
        CTessmetView* v = view();
        QVERIFY(v);
        QWidget* port = v->viewport();
        const QPoint onImage = v->mapping().toView(QPoint(p.x, p.y));
        QPoint at = onImage - v->scrollPosition();
        if (!port->rect().adjusted(2, 2, -2, -2).contains(at)) {
            v->horizontalScrollBar()->setValue(onImage.x() - port->width() / 2);
            v->verticalScrollBar()->setValue(onImage.y() - port->height() / 2);
            at = onImage - v->scrollPosition();
        }
        QVERIFY2(port->rect().contains(at), "the point cannot be scrolled on screen");
        QCOMPARE(v->mapping().toImage(at + v->scrollPosition()), QPoint(p.x, p.y));
        QTest::mouseClick(port, Qt::LeftButton, Qt::NoModifier, at);
    }

private slots:
    void initTestCase() { QVERIFY(QDir(home()).removeRecursively() || !QDir(home()).exists()); }
    void cleanupTestCase() { frame.reset(); }

    void startsAsTheViewerStartsIt() {
        const auto launch = e2e::ReadLaunchRecord(e2e::LaunchRecordPath(scratch.toStdString()));
        QVERIFY2(launch, "no launch record: the viewer's stage did not run");
        QCOMPARE(QFileInfo(QString::fromStdString(launch->program)).fileName(), QStringLiteral("tessmet"));
        QCOMPARE(launch->arguments.size(), size_t(2));
        QCOMPARE(launch->arguments[0], std::string("-"));
        // The process would start in the Tessmet folder; a relative path would break there.
        QVERIFY(QDir::setCurrent(QString::fromStdString(launch->workingDirectory)));
        picture = CommandLinePicture(launch->arguments);
        QCOMPARE(picture, launch->arguments[1]);
        QVERIFY(QFileInfo(QString::fromStdString(picture)).isAbsolute());

        QVERIFY(QDir().mkpath(home()));
        frame = std::make_unique<CMainFrame>(
            CMainFrame::Services{home().toStdString(), &messages, nullptr, {}, {}, &dataFiles, {}});
        frame->resize(1200, 900);
        frame->show();
        frame->AfterShown();
        QVERIFY(OpenCommandLinePicture(*frame, picture));
        QVERIFY(messages.shown.empty());
        QVERIFY(view());
        QCOMPARE(view()->document().path(), picture);
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tessmet - Pic00001.jpg"));
    }

    void theSidecarGivesMillimetres() {
        QVERIFY(view());
        const Calibration& c = view()->document().calibration();
        QCOMPARE(c.unit, Unit::Millimetre);
        QVERIFY(!QFile::exists(QString::fromStdString(c.infPath)));
        QVERIFY(QFile::exists(QString::fromStdString(c.magPath)));
        QCOMPARE(QFileInfo(QString::fromStdString(c.magPath)).fileName(), QStringLiteral("Pic00001jpg.mag"));
        const double expected = kSidecarResolution640 * 640.0 / c.imageWidth;
        QVERIFY2(std::abs(c.hResolution / expected - 1.0) < 1e-4, qPrintable(QString::number(c.hResolution, 'g', 10)));
        QVERIFY(frame->statusText(1).endsWith(QStringLiteral("[mm/pixel]")));
    }

    void twoPointsAcrossTheRuler() {
        QVERIFY(view());
        const Dib& original = view()->images().original();
        QCOMPARE(QSize(original.width(), original.height()), QSize(1600, 1200));
        pixelsPerUnit = original.width() / 640.0;
        const RulerInPicture ruler = FindRuler(original, pixelsPerUnit);
        QVERIFY2(ruler.longTicks.size() >= 4, qPrintable(QString::number(ruler.longTicks.size())));
        // Neighbouring long ticks stand 100 units apart: this proves the finder saw ticks.
        for (size_t i = 1; i < ruler.longTicks.size(); ++i) {
            const double gap = ruler.longTicks[i] - ruler.longTicks[i - 1];
            QVERIFY2(std::abs(gap - kUnitsBetweenLongTicks * pixelsPerUnit) <= 1.5, qPrintable(QString::number(gap)));
        }
        // The outermost ticks the picture shows, for the longest span.
        spanUnits = static_cast<int>(ruler.longTicks.size() - 1) * kUnitsBetweenLongTicks;
        const int y = ruler.baseRow - static_cast<int>(std::lround(10 * pixelsPerUnit));
        first = {static_cast<int>(std::lround(ruler.longTicks.front())), y};
        second = {static_cast<int>(std::lround(ruler.longTicks.back())), y};
        qInfo("long ticks %zu, span %d units, from x %d to x %d on row %d", ruler.longTicks.size(), spanUnits, first.x,
              second.x, y);

        frame->OnCommand(CommandId::MeasureTwoPointDistance);
        QCOMPARE(frame->currentTool(), ToolMode(Tool::TwoPointDistance));
        clickImagePoint(first);
        clickImagePoint(second);
        clickImagePoint({(first.x + second.x) / 2, y - static_cast<int>(60 * pixelsPerUnit)});  // the label
        QCOMPARE(view()->store().Count(), 1);
        QVERIFY(messages.shown.empty());
    }

    void theCsvGivesTheRulersLength() {
        QVERIFY(view());
        QVERIFY(spanUnits > 0);
        frame->OnCommand(CommandId::MeasureResult);
        CMeasureResultDlg& list = frame->measureResult();
        QTRY_VERIFY(list.isVisible());
        QCOMPARE(list.results().topLevelItemCount(), 1);
        const QString csv = scratch + QStringLiteral("/results.csv");
        QFile::remove(csv);
        dataFiles.answers = {csv.toStdString()};
        auto* save = list.findChild<QPushButton*>(QString::number(CMeasureResultDlg::kSaveData));
        QVERIFY(save);
        save->click();
        QVERIFY(messages.shown.empty());

        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString line = QString::fromLatin1(file.readAll());
        QVERIFY2(line.endsWith(QLatin1Char('\r')), qPrintable(line));
        const QStringList fields = line.chopped(1).split(QStringLiteral(", "));
        QVERIFY2(fields.size() >= 10, qPrintable(line));
        QCOMPARE(fields[0], QStringLiteral("2 Point Distance[1]"));
        QCOMPARE(fields.mid(2, 8), (QStringList{QStringLiteral("x1"), QString::number(first.x), QStringLiteral("y1"),
                                                QString::number(first.y), QStringLiteral("x2"), QString::number(second.x),
                                                QStringLiteral("y2"), QString::number(second.y)}));
        bool ok = false;
        const double value = fields[1].toDouble(&ok);
        QVERIFY2(ok, qPrintable(line));

        // The value is the clicked span in the sidecar's calibration, to the four decimals shown.
        const double resolution = view()->document().calibration().hResolution;
        QVERIFY2(std::abs(value - (second.x - first.x) * resolution) <= 0.00005 + 1e-9, qPrintable(line));
        // And it is the ruler's length within the two calibrations' difference.
        const double known = spanUnits * kMillimetresPerUnit;
        const double deviation = value / known - 1.0;
        qInfo("CSV %s mm, ruler %d units = %.5f mm, deviation %+.3f %% (tolerance %.1f %%)", qPrintable(fields[1]),
              spanUnits, known, 100.0 * deviation, 100.0 * kTolerance);
        QVERIFY2(std::abs(deviation) <= kTolerance, qPrintable(line));
    }
};

QTEST_MAIN(tst_TessmetMeasureStage)
#include "TessmetMeasureStage.moc"
