#include "codec/BmpWriter.h"
#include "measure/processing/PixelAccess.h"
#include "measure/res/CommandTable.h"
#include "measure/res/Translations.h"
#include "measure/workspace/AboutDialog.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/CommandActions.h"
#include "measure/workspace/FileChooser.h"
#include "measure/workspace/FrameRegistry.h"
#include "measure/workspace/SingleInstance.h"
#include "measure/workspace/TessmetApplication.h"
#include "platform/ProfileFile.h"
#include "support/RecordingMessagePresenter.h"

#include <QAction>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTranslator>
#include <QtTest>

#include <deque>

using namespace tessmet;
using testsupport::RecordingMessagePresenter;

namespace {

// Answers the file dialogs from a queue; an empty queue means Cancel.
class QueuedFileChooser : public FileChooser {
public:
    std::deque<std::string> answers;
    std::vector<std::string> folders;
    std::optional<std::string> openImage(const std::string& folder) override { return next(folder); }
    std::optional<std::string> saveImage(const std::string& folder) override { return next(folder); }

private:
    std::optional<std::string> next(const std::string& folder) {
        folders.push_back(folder);
        if (answers.empty()) return std::nullopt;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

std::string WritePicture(const QTemporaryDir& dir, const QString& name, int width = 64, int height = 48) {
    Dib picture(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) WritePixel(picture.pixel(x, y), 40, 90, static_cast<uint8_t>(x * 3), 24);
    const std::string path = dir.filePath(name).toStdString();
    WriteBmpFile(path, picture);
    return path;
}

std::string IniValue(const std::string& iniPath, const char* section, const char* key) {
    return platform::ProfileFile::Load(iniPath).value(section, key).value_or("<absent>");
}

}  // namespace

class tst_MainFrame : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    RecordingMessagePresenter messages;
    QueuedFileChooser files;
    std::vector<QUrl> openedUrls;
    Qt::KeyboardModifiers heldKeys;  // what the main window sees held when a command arrives
    std::unique_ptr<CMainFrame> frame;

    void makeFrame() {
        frame = std::make_unique<CMainFrame>(CMainFrame::Services{
            folder.path().toStdString() + "/", &messages, &files, [this](const QUrl& url) { openedUrls.push_back(url); },
            [this] { return heldKeys; }});
        frame->resize(1000, 760);
        frame->show();
        frame->AfterShown();
    }

    bool enabled(int command) const { return frame->actions().action(command)->isEnabled(); }
    bool checked(int command) const { return frame->actions().action(command)->isChecked(); }

private slots:
    void init() {
        messages.shown.clear();
        files.answers.clear();
        openedUrls.clear();
        heldKeys = Qt::NoModifier;
        QFile::remove(folder.filePath(QStringLiteral("Tessmet.ini")));
        makeFrame();
    }
    void cleanup() { frame.reset(); }

    void withoutAPictureTheImageMenusAreGrey() {
        for (const MenuId id : {MenuId::Edit, MenuId::Roi, MenuId::ImageProcessing, MenuId::Measure, MenuId::Draw,
                                MenuId::Setup, MenuId::Window, MenuId::Zoom})
            QVERIFY2(!frame->actions().menu(id)->isEnabled(), MenuTitleSource(id));
        QVERIFY(frame->actions().menu(MenuId::File)->isEnabled());
        QVERIFY(enabled(CommandId::FileOpen));
        QVERIFY(enabled(CommandId::AppAbout));
        QVERIFY(enabled(CommandId::ToggleViewToolbar));
        QVERIFY(!enabled(CommandId::FileSave));
        QVERIFY(!enabled(CommandId::MeasureTwoPointDistance));
    }

    void openingAPictureEnablesThemAndClosingTheLastGreysThemAgain() {
        QCOMPARE(frame->OpenImage(WritePicture(folder, QStringLiteral("a.bmp"))), 0);
        QVERIFY(frame->activeView());
        QVERIFY(frame->actions().menu(MenuId::Measure)->isEnabled());
        QVERIFY(frame->actions().menu(MenuId::Zoom)->isEnabled());
        QVERIFY(enabled(CommandId::MeasureTwoPointDistance));
        QCOMPARE(frame->activeFrame()->windowTitle(), QStringLiteral("a.bmp : 100%"));
        QVERIFY(checked(CommandId::ToggleOriginalLayer));

        frame->OnCommand(CommandId::FileCloseAll);
        QTRY_COMPARE(frame->registry().count(), 0);
        QVERIFY(!frame->actions().menu(MenuId::Measure)->isEnabled());
        QVERIFY(!checked(CommandId::ToggleOriginalLayer));  // all nine flags cleared
    }

    void commandsWithoutTheirWindowStayGreyEvenWithAPicture() {
        frame->OpenImage(WritePicture(folder, QStringLiteral("a.bmp")));
        for (const int id : {CommandId::MeasureResult, CommandId::CalibrationSetup, CommandId::DrawSetup,
                             CommandId::OtherSetup, CommandId::ZoomSetup, CommandId::ZoomWindow})
            QVERIFY2(!enabled(id), qPrintable(QString::number(id)));
        frame->OnCommand(CommandId::CalibrationSetup);  // refused: nothing happens
        QVERIFY(messages.shown.empty());
    }

    void aSecondStartHandsItsPictureOverAndLeavesNoFile() {
        QTemporaryDir lockFolder;
        const SingleInstance::Options options{folder.path(), QStringLiteral("/opt/tessmet/bin/tessmet"),
                                              lockFolder.path(), lockFolder.filePath(QStringLiteral("WC_Tessmet"))};
        SingleInstance first(options);
        QVERIFY(first.claim());
        ConnectHandOver(first, *frame);
        SingleInstance second(options);
        QVERIFY(!second.claim());
        const std::string picture = WritePicture(folder, QStringLiteral("handed over.bmp"));
        QCOMPARE(second.handOver(QString::fromStdString(picture)), platform::HandOverResult::Delivered);
        QTRY_COMPARE(frame->registry().count(), 1);
        QCOMPARE(frame->activeView()->document().path(), picture);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("Tessmet.tmp"))));
    }

    void droppingThreeFilesWithSixtyThreeOpenOpensOneAndSays10001Once() {
        const std::string picture = WritePicture(folder, QStringLiteral("small.bmp"), 8, 8);
        for (int i = 0; i < 63; ++i) QCOMPARE(frame->OpenImage(picture), 0);
        QCOMPARE(frame->workspace().subWindowList().size(), 63);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(picture)),
                      QUrl::fromLocalFile(QString::fromStdString(picture)),
                      QUrl::fromLocalFile(QString::fromStdString(picture))});
        // A drop arrives after the drag entered the window.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame.get(), &drop);
        QCOMPARE(frame->workspace().subWindowList().size(), 64);
        QCOMPARE(messages.ids(), std::vector<int>{10001});
    }

    void closingDuringACalibrationRunIsRefused() {
        frame->setCurrentTool(Tool::CalibrationMillimetre);
        QVERIFY(!frame->close());
        QVERIFY(frame->isVisible());
        QCOMPARE(messages.ids(), std::vector<int>{10053});
        QCOMPARE(messages.shown[0].icon, MessageIcon::Exclamation);
        frame->setCurrentTool(Tool::None);
        QVERIFY(frame->close());
    }

    // Every image window refuses to close during a calibration run: Close All asks once and
    // stops, where closing "until none is left" would never end.
    void closeAllDuringACalibrationRunStopsAtTheFirstRefusal() {
        frame->OpenImage(WritePicture(folder, QStringLiteral("a.bmp")));
        frame->OpenImage(WritePicture(folder, QStringLiteral("b.bmp")));
        frame->setCurrentTool(Tool::CalibrationMillimetre);
        frame->OnCommand(CommandId::FileCloseAll);
        QCOMPARE(frame->registry().count(), 2);
        QCOMPARE(messages.ids(), std::vector<int>{10053});
        frame->setCurrentTool(Tool::None);
        frame->OnCommand(CommandId::FileCloseAll);
        QTRY_COMPARE(frame->registry().count(), 0);
    }

    void escapeDuringACalibrationRunAsksFirst() {
        frame->setCurrentTool(Tool::CalibrationMicrometre);
        messages.answerQuestionsWith(MessageAnswer::No);
        QTest::keyClick(frame.get(), Qt::Key_Escape);
        QCOMPARE(frame->currentTool(), Tool::CalibrationMicrometre);
        messages.answerQuestionsWith(MessageAnswer::Yes);
        QTest::keyClick(frame.get(), Qt::Key_Escape);
        QCOMPARE(frame->currentTool(), Tool::None);
        QCOMPARE(messages.ids(), (std::vector<int>{10054, 10054}));
    }

    void acceleratorsReachTheirCommands() {
        const std::string keysPicture = WritePicture(folder, QStringLiteral("keys.bmp"), 400, 300);
        frame->OpenImage(keysPicture);
        QApplication::setActiveWindow(frame.get());
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        struct Key {
            int key;
            Qt::KeyboardModifiers modifiers;
            bool LayerFlags::*flag;
        };
        const Key toggles[] = {
            {Qt::Key_L, Qt::ControlModifier, &LayerFlags::scale},
            {Qt::Key_C, Qt::ControlModifier, &LayerFlags::centreLine},
            {Qt::Key_G, Qt::ControlModifier, &LayerFlags::grid},
            {Qt::Key_H, Qt::ControlModifier, &LayerFlags::horizontalLuminance},
            {Qt::Key_V, Qt::ControlModifier, &LayerFlags::verticalLuminance},
            {Qt::Key_F1, Qt::NoModifier, &LayerFlags::originalLayer},
            {Qt::Key_F2, Qt::NoModifier, &LayerFlags::processingLayer},
            {Qt::Key_F3, Qt::NoModifier, &LayerFlags::measureLayer},
            {Qt::Key_F4, Qt::NoModifier, &LayerFlags::drawLayer},
        };
        for (const Key& k : toggles) {
            const bool before = frame->flags().*k.flag;
            QTest::keyClick(frame.get(), static_cast<Qt::Key>(k.key), k.modifiers);
            QCOMPARE(frame->flags().*k.flag, !before);
            QCOMPARE(frame->activeView()->flags().*k.flag, !before);  // the view follows
        }
        QTest::keyClick(frame.get(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(frame->activeFrame()->GetZoom(), 1.25);
        QTest::keyClick(frame.get(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(frame->activeFrame()->GetZoom(), 1.0);
        frame->activeFrame()->SetZoom(4.0);
        frame->activeFrame()->view().ScrollTo(QPoint(0, 0));
        QTest::keyClick(frame.get(), Qt::Key_Right);
        QCOMPARE(frame->activeView()->scrollPosition(), QPoint(80, 0));  // 20 x zoom
        QTest::keyClick(frame.get(), Qt::Key_Down);
        QCOMPARE(frame->activeView()->scrollPosition(), QPoint(80, 80));

        // ESC reaches the main window from the view that has the focus.
        frame->OnCommand(CommandId::MeasureAngle);
        QCOMPARE(frame->currentTool(), Tool::Angle);
        frame->activeView()->viewport()->setFocus();
        QTest::keyClick(frame->activeView()->viewport(), Qt::Key_Escape);
        QCOMPARE(frame->currentTool(), Tool::None);

        // Alt+Backspace undoes as Ctrl+Z does.
        const int32_t line[] = {1, 1, 50, 50};
        QCOMPARE(frame->activeView()->AddDrawObject(Kind::Line, line), 0);
        QTest::keyClick(frame.get(), Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(frame->activeView()->store().Count(), 0);

        // Ctrl+S saves to the picture's own file after asking 10010.
        messages.answerQuestionsWith(MessageAnswer::Yes);
        QVERIFY(QFile::remove(QString::fromStdString(keysPicture)));
        QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(messages.ids(), std::vector<int>{10010});
        QVERIFY(QFile::exists(QString::fromStdString(keysPicture)));

        // Ctrl+O opens through the file dialog; F12 goes on to the next window.
        CChildFrame* first = frame->activeFrame();
        files.answers.push_back(WritePicture(folder, QStringLiteral("second.bmp")));
        QTest::keyClick(frame.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(files.answers.empty());
        QCOMPARE(frame->registry().count(), 2);
        CChildFrame* second = frame->activeFrame();
        QVERIFY(second != first);
        QTest::keyClick(frame.get(), Qt::Key_F12);
        QCOMPARE(frame->activeFrame(), first);
        QTest::keyClick(frame.get(), Qt::Key_F12);
        QCOMPARE(frame->activeFrame(), second);
    }

    void undoRemovesTheNewestObject() {
        frame->OpenImage(WritePicture(folder, QStringLiteral("undo.bmp"), 100, 100));
        const int32_t line[] = {1, 1, 50, 50};
        QCOMPARE(frame->activeView()->AddDrawObject(Kind::Line, line), 0);
        QCOMPARE(frame->activeView()->store().Count(), 1);
        QApplication::setActiveWindow(frame.get());
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(frame->activeView()->store().Count(), 0);
    }

    void choosingAToolTwiceMeansNoTool() {
        frame->OpenImage(WritePicture(folder, QStringLiteral("t.bmp")));
        frame->OnCommand(CommandId::MeasureAngle);
        QCOMPARE(frame->currentTool(), Tool::Angle);
        QVERIFY(checked(CommandId::MeasureAngle));
        frame->OnCommand(CommandId::DrawLine);
        QCOMPARE(frame->currentTool(), Tool::DrawLine);
        QVERIFY(!checked(CommandId::MeasureAngle));
        frame->OnCommand(CommandId::DrawLine);
        QCOMPARE(frame->currentTool(), Tool::None);
        QVERIFY(!checked(CommandId::DrawLine));
    }

    void ctrlWithADrawOrRegionCommandLeavesTheToolAlone_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<ToolMode>("tool");
        QTest::newRow("draw line") << CommandId::DrawLine << Tool::DrawLine;
        QTest::newRow("draw rectangle") << CommandId::DrawRectangle << Tool::DrawRectangle;
        QTest::newRow("draw circle") << CommandId::DrawCircle << Tool::DrawCircle;
        QTest::newRow("draw text") << CommandId::DrawText << Tool::DrawText;
        QTest::newRow("ROI rectangle") << CommandId::RoiRectangle << Tool::RoiRectangle;
        QTest::newRow("ROI ellipse") << CommandId::RoiEllipse << Tool::RoiEllipse;
    }
    void ctrlWithADrawOrRegionCommandLeavesTheToolAlone() {
        QFETCH(int, command);
        QFETCH(ToolMode, tool);
        frame->OpenImage(WritePicture(folder, QStringLiteral("ctrl.bmp")));
        frame->OnCommand(CommandId::ZoomUp);
        frame->OnCommand(CommandId::MeasureAngle);
        const LayerFlags flags = frame->flags();

        // With Ctrl the command asks for coordinates, which it cannot yet: nothing changes.
        heldKeys = Qt::ControlModifier;
        frame->actions().action(command)->trigger();
        QCOMPARE(frame->currentTool(), Tool::Angle);
        QVERIFY(checked(CommandId::MeasureAngle));
        QVERIFY(!checked(command));
        QCOMPARE(frame->activeFrame()->GetZoom(), 1.25);  // not even the text tool's zoom reset
        QVERIFY(messages.shown.empty());
        QCOMPARE(frame->activeView()->store().Count(), 0);
        QVERIFY(frame->flags() == flags);

        // Without Ctrl it selects its tool.
        heldKeys = Qt::NoModifier;
        frame->actions().action(command)->trigger();
        QCOMPARE(frame->currentTool(), tool);
        QVERIFY(checked(command));
    }

    void changingTheToolShowsTheCursorAgainInEveryWindow() {
        frame->OpenImage(WritePicture(folder, QStringLiteral("a.bmp")));
        frame->OpenImage(WritePicture(folder, QStringLiteral("b.bmp")));
        const QList<QMdiSubWindow*> windows = frame->workspace().subWindowList();
        QCOMPARE(windows.size(), 2);
        const auto hideAll = [&] {
            for (QMdiSubWindow* w : windows) static_cast<CChildFrame*>(w)->SetHideCursor(true);
        };
        hideAll();
        frame->setCurrentTool(frame->currentTool());  // no change: stays hidden
        for (QMdiSubWindow* w : windows) QVERIFY(static_cast<CChildFrame*>(w)->hidesCursor());

        frame->OnCommand(CommandId::MouseZoom);
        for (QMdiSubWindow* w : windows) {
            auto* child = static_cast<CChildFrame*>(w);
            QVERIFY(!child->hidesCursor());
            QVERIFY(child->view().viewport()->cursor().shape() != Qt::BlankCursor);
        }
        hideAll();
        frame->activeView()->viewport()->setFocus();
        QTest::keyClick(frame->activeView()->viewport(), Qt::Key_Escape);  // back to no tool
        QCOMPARE(frame->currentTool(), Tool::None);
        for (QMdiSubWindow* w : windows) QVERIFY(!static_cast<CChildFrame*>(w)->hidesCursor());
    }

    void theTextToolResetsTheZoomWith10004() {
        frame->OpenImage(WritePicture(folder, QStringLiteral("t.bmp")));
        frame->OnCommand(CommandId::ZoomUp);
        QCOMPARE(frame->activeFrame()->GetZoom(), 1.25);
        frame->OnCommand(CommandId::DrawText);
        QCOMPARE(frame->activeFrame()->GetZoom(), 1.0);
        QCOMPARE(messages.ids(), std::vector<int>{10004});
        QCOMPARE(frame->currentTool(), Tool::DrawText);
    }

    void fileOpenUsesAndRemembersTheLastFolder() {
        QTemporaryDir other;
        const std::string picture = WritePicture(other, QStringLiteral("elsewhere.bmp"));
        files.answers.push_back(picture);
        frame->OnCommand(CommandId::FileOpen);
        QCOMPARE(files.folders.front(), folder.path().toStdString() + "/");  // the program folder first
        QCOMPARE(frame->registry().count(), 1);
        QCOMPARE(frame->lastFolder(), other.path().toStdString() + "/");
        frame->OnCommand(CommandId::FileOpen);  // cancelled
        QCOMPARE(files.folders.back(), other.path().toStdString() + "/");
    }

    void recentFilesAreKeptAndAMissingOneLeavesTheList() {
        const std::string a = WritePicture(folder, QStringLiteral("a.bmp"));
        const std::string b = WritePicture(folder, QStringLiteral("b.bmp"));
        frame->OpenImage(a);
        frame->OpenImage(b);
        QCOMPARE(frame->recentFiles().files(), (std::vector<std::string>{b, a}));
        const std::string ini = frame->settingsPath();
        QCOMPARE(IniValue(ini, "Recent File List", "File1"), b);
        QVERIFY(frame->actions().action(CommandId::RecentFileFirst + 1)->isVisible());
        QFile::remove(QString::fromStdString(a));
        frame->OnCommand(CommandId::RecentFileFirst + 1);
        QCOMPARE(messages.ids(), std::vector<int>{10002});
        QCOMPARE(frame->recentFiles().files(), std::vector<std::string>{b});
        QCOMPARE(IniValue(ini, "Recent File List", "File2"), std::string("<absent>"));
    }

    void settingsAreReadAndWrittenAtTheirMoments() {
        const std::string ini = frame->settingsPath();
        frame.reset();
        {
            platform::ProfileFile f;
            f.setValue("PEN", "Measure-Color", std::string("255"));
            f.setValue("OTHER", "JpegQuality", std::string("0"));
            f.setValue("OTHER", "GridDistance", std::string("30"));
            f.setValue("Font", "Height", std::string("-24"));
            f.setValue("Settings", "left", std::string("40"));
            f.setValue("Settings", "top", std::string("30"));
            f.setValue("Settings", "right", std::string("840"));
            f.setValue("Settings", "bottom", std::string("630"));
            QVERIFY(f.save(ini));
        }
        frame = std::make_unique<CMainFrame>(CMainFrame::Services{folder.path().toStdString() + "/", &messages, &files, {}, {}});
        QCOMPARE(frame->settings().font.height, -24);  // the font with the window
        QCOMPARE(frame->size(), QSize(800, 600));      // the placement with the window
        QCOMPARE(frame->settings().measurePen.color, 16711680);  // pens only once shown
        frame->show();
        frame->AfterShown();
        QCOMPARE(frame->settings().measurePen.color, 255);
        QCOMPARE(frame->settings().jpegQuality, 5);  // out of range
        QCOMPARE(frame->settings().gridDistance, 30);

        frame->move(120, 90);
        QTRY_COMPARE(IniValue(ini, "Settings", "left"), std::string("120"));
        QCOMPARE(IniValue(ini, "Settings", "right"), std::to_string(120 + frame->width()));

        frame->mutableSettings().font.height = -30;
        QVERIFY(frame->close());
        QCOMPARE(IniValue(ini, "Font", "Height"), std::string("-30"));
        QCOMPARE(IniValue(ini, "version", "bars"), std::string("1"));
        QCOMPARE(IniValue(ini, "Settings", "Maximize"), std::string("0"));
        QVERIFY(IniValue(ini, "tessmet\\ToolBarState", "State") != "<absent>");
        QCOMPARE(IniValue(ini, "OTHER", "JpegQuality"), std::string("0"));  // pens and options wait for the exit
        QVERIFY(SaveAtExit(*frame));
        QCOMPARE(IniValue(ini, "OTHER", "JpegQuality"), std::string("5"));
        QCOMPARE(IniValue(ini, "PEN", "Measure-Color"), std::string("255"));
    }

    void hiddenToolbarsComeBackHiddenAtTheNextStart() {
        frame->OnCommand(CommandId::ToggleMeasureToolbar);
        QVERIFY(!checked(CommandId::ToggleMeasureToolbar));
        QVERIFY(frame->close());
        frame = std::make_unique<CMainFrame>(CMainFrame::Services{folder.path().toStdString() + "/", &messages, &files, {}, {}});
        frame->show();
        QVERIFY(frame->actions().toolbar(ToolbarId::Measure)->isHidden());
        QVERIFY(!frame->actions().toolbar(ToolbarId::View)->isHidden());
    }

    void theWebAddressOpensOnlyAfterFiveClicksOnTheIcon() {
        int clicks = 0;
        AboutDialog about(clicks, [this](const QUrl& url) { openedUrls.push_back(url); });
        about.addressClicked();
        QVERIFY(openedUrls.empty());
        for (int i = 0; i < 4; ++i) about.iconClicked();
        about.addressClicked();
        QVERIFY(openedUrls.empty());
        about.iconClicked();
        about.addressClicked();
        QCOMPARE(openedUrls.size(), size_t{1});
        AboutDialog again(clicks, [this](const QUrl& url) { openedUrls.push_back(url); });
        again.addressClicked();  // the count holds for the whole run
        QCOMPARE(openedUrls.size(), size_t{2});
    }

    void theAboutBoxAndTheFileFiltersSpeakJapanese() {
        QVERIFY(InstallTranslations(*qApp, QLocale(QLocale::Japanese)) >= 1);
        int clicks = 0;
        AboutDialog about(clicks, {});
        const QStringList open = OpenImageFilters();
        const QStringList save = SaveImageFilters();
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QCOMPARE(about.windowTitle(), QStringLiteral("Tessmet のバージョン情報"));
        QCOMPARE(open.size(), 3);
        QVERIFY2(open[0].startsWith(QStringLiteral("画像ファイル (*.bmp,*.jpg) (*.bmp ")), qPrintable(open[0]));
        QCOMPARE(save.size(), 2);
        QVERIFY2(save[1].startsWith(QStringLiteral("JPEG ファイル (*.jpg) (*.jpg ")), qPrintable(save[1]));
        // Back in English once the translation is gone.
        QCOMPARE(AboutDialog(clicks, {}).windowTitle(), QStringLiteral("About Tessmet"));
        QVERIFY(OpenImageFilters()[1].startsWith(QStringLiteral("Bitmap (*.bmp) (")));
    }
};

QTEST_MAIN(tst_MainFrame)
#include "MainFrameTest.moc"
