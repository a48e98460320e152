#include "measure/dialogs/CBinaryImageDlg.h"
#include "measure/dialogs/CColorDistDlg.h"
#include "measure/dialogs/CDetectCenterDlg.h"
#include "measure/dialogs/ThresholdControls.h"
#include "codec/BmpWriter.h"
#include "measure/processing/PixelAccess.h"
#include "measure/res/CommandTable.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/CommandActions.h"
#include "measure/workspace/FileChooser.h"
#include "support/RecordingMessagePresenter.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace tessmet;
using testsupport::RecordingMessagePresenter;

namespace {

struct Call {
    int max, min, type;
};

template <typename T>
T* Find(QWidget& dialog, int id) {
    return dialog.findChild<T*>(QString::number(id));
}

class NoFiles : public FileChooser {
public:
    std::optional<std::string> openImage(const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveImage(const std::string&) override { return std::nullopt; }
};

// 40 x 30: light grey, a red band over columns 0..4 and one black pixel at (10, 20).
std::string WritePicture(const QString& path) {
    Dib picture(40, 30, 24);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            if (x == 10 && y == 20) continue;
            if (x < 5) WritePixel(picture.pixel(x, y), 0, 0, 255, 24);
            else WritePixel(picture.pixel(x, y), 200, 200, 200, 24);
        }
    WriteBmpFile(path.toStdString(), picture);
    return path.toStdString();
}

}  // namespace

class tst_ProcessingDialogs : public QObject {
    Q_OBJECT

private slots:
    // The dialog's own rules, against a recording operation.
    void binaryImageRunsOnOpeningAndOnEveryThresholdChange() {
        std::vector<Call> calls;
        CBinaryImageDlg dialog([&](int max, int min) -> ThresholdOutcome {
            calls.push_back({max, min, -1});
            return {max - min, 500, "12.00[pixel*pixel]"};
        }, nullptr);
        dialog.show();
        QTRY_COMPARE(calls.size(), size_t{1});
        QCOMPARE(calls[0].max, 0);
        QCOMPARE(calls[0].min, 0);
        QCOMPARE(dialog.ratioText(), QStringLiteral("0/500"));
        QCOMPARE(dialog.areaText(), QStringLiteral("12.00[pixel*pixel]"));
        QVERIFY(!Find<QCheckBox>(dialog, 1154)->isVisible());
        QVERIFY(Find<QCheckBox>(dialog, 1154)->isChecked());

        Find<QLineEdit>(dialog, 1151)->setText(QStringLiteral("100"));
        QTRY_COMPARE(calls.size(), size_t{2});
        QCOMPARE(calls.back().max, 100);
        QCOMPARE(Find<QSlider>(dialog, 1153)->value(), 100);
        QCOMPARE(dialog.ratioText(), QStringLiteral("100/500"));

        // The edit takes any integer; the slider stops at its end.
        Find<QLineEdit>(dialog, 1151)->setText(QStringLiteral("300"));
        QTRY_COMPARE(calls.size(), size_t{3});
        QCOMPARE(calls.back().max, 300);
        QCOMPARE(Find<QSlider>(dialog, 1153)->value(), 255);
    }

    void slidersPushEachOtherAndTheLayerFollowsADrag() {
        std::vector<Call> calls;
        CBinaryImageDlg dialog([&](int max, int min) -> ThresholdOutcome {
            calls.push_back({max, min, -1});
            return {};
        }, nullptr);
        dialog.show();
        QTRY_COMPARE(calls.size(), size_t{1});
        Find<QLineEdit>(dialog, 1161)->setText(QStringLiteral("60"));
        Find<QLineEdit>(dialog, 1151)->setText(QStringLiteral("200"));
        // Both changes arrive in one pass: one run with both values.
        QTRY_COMPARE(calls.size(), size_t{2});
        QCOMPARE(calls.back().max, 200);
        QCOMPARE(calls.back().min, 60);
        // Dragging max below min pushes the min slider along; the min field keeps its text.
        Find<QSlider>(dialog, 1153)->setValue(50);
        QCOMPARE(Find<QSlider>(dialog, 1163)->value(), 50);
        QCOMPARE(Find<QLineEdit>(dialog, 1161)->text(), QStringLiteral("60"));
        QCOMPARE(Find<QLineEdit>(dialog, 1151)->text(), QStringLiteral("50"));
        QTRY_COMPARE(calls.size(), size_t{3});
        QCOMPARE(calls.back().max, 50);
        QCOMPARE(calls.back().min, 60);
        // The up-down buttons step the edit by one.
        Find<QWidget>(dialog, 1162)->findChildren<QToolButton*>().first()->click();
        QCOMPARE(Find<QLineEdit>(dialog, 1161)->text(), QStringLiteral("61"));
        QTRY_COMPARE(calls.back().min, 61);
    }

    void clearingAHiddenBoxOpensTheThreshold() {
        std::vector<Call> calls;
        CBinaryImageDlg dialog([&](int max, int min) -> ThresholdOutcome {
            calls.push_back({max, min, -1});
            return {};
        }, nullptr);
        dialog.show();
        QTRY_COMPARE(calls.size(), size_t{1});
        Find<QCheckBox>(dialog, 1154)->setChecked(false);
        QCOMPARE(calls.size(), size_t{2});
        QCOMPARE(calls.back().max, 255);
        QVERIFY(!Find<QLineEdit>(dialog, 1151)->isEnabled());
        QVERIFY(!Find<QSlider>(dialog, 1153)->isEnabled());
        QCOMPARE(Find<QSlider>(dialog, 1153)->value(), 255);
    }

    void detectCenterShowsThePointAndRunsOnTheType() {
        std::vector<Call> calls;
        CDetectCenterDlg dialog([&](int max, int min, int type) -> CentreOutcome {
            calls.push_back({max, min, type});
            return {{1, 1200, "1.00[pixel*pixel]"}, 10.5, 20.5};
        }, nullptr);
        dialog.show();
        QTRY_COMPARE(calls.size(), size_t{1});
        QCOMPARE(calls[0].type, 1);
        QVERIFY(Find<QRadioButton>(dialog, 1231)->isChecked());
        QCOMPARE(dialog.pointText(), QStringLiteral("(10.50, 20.50)"));
        QCOMPARE(dialog.ratioText(), QStringLiteral("1/1200"));
        Find<QRadioButton>(dialog, 1232)->click();
        QCOMPARE(calls.back().type, 0);
        Find<QRadioButton>(dialog, 1231)->click();
        QCOMPARE(calls.back().type, 1);
        Find<QCheckBox>(dialog, 1214)->setChecked(false);  // runs whether set or cleared
        const size_t before = calls.size();
        Find<QCheckBox>(dialog, 1214)->setChecked(true);
        QCOMPARE(calls.size(), before + 1);
    }

    // Through the main window, on a real picture.
    void processingCommandsWriteTheLayerOfTheActiveImage() {
        QTemporaryDir dir;
        RecordingMessagePresenter messages;
        NoFiles files;
        CMainFrame frame(CMainFrame::Services{dir.path().toStdString() + "/", &messages, &files, {}, {}});
        frame.resize(900, 700);
        frame.show();
        frame.AfterShown();
        QCOMPARE(frame.OpenImage(WritePicture(dir.filePath(QStringLiteral("p.bmp")))), 0);
        CTessmetView* view = frame.activeView();
        for (const int id : {CommandId::BinaryImage, CommandId::DetectCenter, CommandId::GrayImage, CommandId::ColorDistribution})
            QVERIFY2(frame.actions().action(id)->isEnabled(), qPrintable(QString::number(id)));

        frame.OnCommand(CommandId::GrayImage);
        QCOMPARE(int(view->images().processing().pixel(0, 0)[0]), 147);
        QVERIFY(view->flags().processingLayer);
        QVERIFY(frame.actions().action(CommandId::ToggleProcessingLayer)->isChecked());

        // The modal dialog: type thresholds while it runs, then close it with Enter.
        QString ratio;
        QTimer::singleShot(0, &frame, [&] {
            auto* dialog = qobject_cast<CDetectCenterDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            Find<QRadioButton>(*dialog, 1232)->click();
            QTRY_COMPARE(dialog->pointText(), QStringLiteral("(10.50, 20.50)"));
            ratio = dialog->ratioText();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        frame.OnCommand(CommandId::DetectCenter);
        QCOMPARE(ratio, QStringLiteral("1/1200"));
        // The layer keeps the result: the X's middle at (10, 19) is white.
        QCOMPARE(int(view->images().processing().pixel(10, 19)[1]), 255);
        QCOMPARE(int(view->images().processing().pixel(10, 20)[1]), 255);  // the processing colour, green
    }

    void colourWindowFollowsWindowsRegionsAndSaves() {
        QTemporaryDir dir;
        RecordingMessagePresenter messages;
        NoFiles files;
        CMainFrame frame(CMainFrame::Services{dir.path().toStdString() + "/", &messages, &files, {}, {}});
        frame.resize(900, 700);
        frame.show();
        frame.AfterShown();
        CColorDistDlg& window = frame.colourWindow();
        QVERIFY(!window.isVisible());
        const std::string first = WritePicture(dir.filePath(QStringLiteral("p.bmp")));
        QCOMPARE(frame.OpenImage(first), 0);
        CTessmetView* a = frame.activeView();
        a->SetRegion(RegionOfInterest::Rectangle({0, 0}, {4, 9}));  // the red band only

        frame.OnCommand(CommandId::ColorDistribution);
        QVERIFY(window.isVisible());
        QVERIFY(frame.actions().action(CommandId::ColorDistribution)->isChecked());
        QVERIFY(frame.colourDistributionVisible());
        QCOMPARE(window.computedView(), a);
        QCOMPARE(window.fieldText(1801), QStringLiteral("12750"));
        QCOMPARE(window.fieldText(1807), QStringLiteral("100.00"));
        QCOMPARE(window.fieldText(1808), QStringLiteral("0.00"));
        QCOMPARE(window.fieldText(1814), QStringLiteral("50"));
        // No channel checked: the layer is cleared and switched on.
        QVERIFY(a->flags().processingLayer);
        QCOMPARE(int(a->images().processing().pixel(0, 0)[2]), 0);
        window.channelBox(0)->click();
        QCOMPARE(int(a->images().processing().pixel(0, 0)[2]), 255);

        // A new region recomputes.
        a->SetRegion(RegionOfInterest::Rectangle({5, 0}, {14, 0}));
        QCOMPARE(window.fieldText(1814), QStringLiteral("10"));
        QCOMPARE(window.fieldText(1804), QStringLiteral("200.00"));

        // Another window recomputes for it; coming back to the first recomputes again.
        QCOMPARE(frame.OpenImage(WritePicture(dir.filePath(QStringLiteral("q.bmp")))), 0);
        CTessmetView* b = frame.activeView();
        QVERIFY(b != a);
        QTRY_COMPARE(window.computedView(), b);
        QCOMPARE(window.fieldText(1814), QStringLiteral("1200"));

        // Save appends the same line twice; a file that cannot be written says so.
        const QString csv = dir.filePath(QStringLiteral("_ColorDistDlg.csv"));
        window.Save();
        window.Save();
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.startsWith(dir.filePath(QStringLiteral("q.bmp")).toUtf8() + ", "));
        QCOMPARE(content.count("\r\n"), 2);
        QCOMPARE(content.left(content.size() / 2), content.mid(content.size() / 2));
        file.close();
        QVERIFY(QFile::remove(csv));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("_ColorDistDlg.csv")));
        window.Save();
        QCOMPARE(messages.shown.size(), size_t{1});

        // The close box clears the shown flag.
        window.close();
        QVERIFY(!window.isVisible());
        QVERIFY(!frame.actions().action(CommandId::ColorDistribution)->isChecked());
        QVERIFY(!frame.colourDistributionVisible());

        // With every image window closed the fields are empty.
        frame.OnCommand(CommandId::ColorDistribution);
        frame.workspace().closeAllSubWindows();
        QTRY_VERIFY(!window.documentOpen());
        QCOMPARE(window.fieldText(1801), QString());
        QVERIFY(!window.findChild<QLineEdit*>(QStringLiteral("1801"))->isEnabled());
    }
};

QTEST_MAIN(tst_ProcessingDialogs)
#include "ProcessingDialogsTest.moc"
