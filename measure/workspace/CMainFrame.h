#pragma once

#include "measure/core/Calibration.h"
#include "measure/dialogs/CDrawSetupDlg.h"
#include "measure/dialogs/CoordinateMemory.h"
#include "measure/workspace/LayerFlags.h"
#include "measure/workspace/RecentFileList.h"
#include "measure/workspace/Settings.h"
#include "measure/workspace/ToolMode.h"
#include "measure/workspace/ViewHost.h"

#include <QMainWindow>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace tessmet {

class CCalibrationGuideDlg;
class CChildFrame;
class CColorDistDlg;
class CMeasureResultDlg;
class CommandActions;
class CZoomWindowDlg;
class DataFileChooser;
class FileChooser;
class FrameRegistry;
class WindowMenuList;

// Tessmet's main window: the workspace of image windows, the menus, toolbars and status bar,
// and the program-wide state the image windows share (current tool, the nine flags as the
// menus show them, pens, options and font, the calibration override). It routes every command
// to the active image window or a dialog; the image windows reach it through ViewHost.
class CMainFrame : public QMainWindow, public ViewHost {
    Q_OBJECT
public:
    struct Services {
        std::string programFolder;                      // ends with '/'; holds Tessmet.ini
        MessagePresenter* messages = nullptr;           // default: message boxes
        FileChooser* files = nullptr;                   // default: the desktop's file dialogs
        std::function<void(const QUrl&)> openUrl;       // default: the desktop's browser
        // The modifier keys held when a command arrives (Ctrl turns some commands into
        // coordinate entry). Default: the application's record of the last input event.
        std::function<Qt::KeyboardModifiers()> keyboardModifiers;
        DataFileChooser* dataFiles = nullptr;           // default: the desktop's file dialogs
        // Runs a modal tool dialog to its end. Default: QDialog::exec.
        std::function<int(QDialog&)> runModal;
    };

    explicit CMainFrame(Services services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // What the program does once the window is shown: pens and options from the settings file,
    // the calibration override cleared, dropped files accepted, menus greyed without an image.
    void AfterShown();

    // Opens a picture by any route (File Open, recent files, dropped files, command line,
    // hand-over): 0, or the message that was shown (10001 with 64 open, 10002, 10003).
    int OpenImage(const std::string& path);

    // Carries out a command as the menus, toolbars and keys do.
    void OnCommand(int commandId);

    // The picture a second start handed over.
    void HandOver(const QString& path);

    CChildFrame* activeFrame() const;
    CTessmetView* activeView() const;
    FrameRegistry& registry() { return *registry_; }
    QMdiArea& workspace() { return *area_; }
    CommandActions& actions() { return *actions_; }
    WindowMenuList& windowList() { return *windowList_; }
    const LayerFlags& flags() const { return flags_; }
    Settings& mutableSettings() { return settings_; }
    std::string settingsPath() const { return settingsPath_; }
    std::string lastFolder() const { return lastFolder_; }
    const RecentFileList& recentFiles() const { return recent_; }
    QString statusText(int pane) const;
    // Selecting a tool: the points placed so far are forgotten; the current tool again means
    // no tool.
    void SelectTool(ToolMode tool);

    // ViewHost
    void setStatusText(int pane, const QString& text) override;
    ToolMode currentTool() const override { return tool_; }
    void setFlags(const LayerFlags& flags) override;
    const Settings& settings() const override { return settings_; }
    const SharedCalibration& sharedCalibration() const override { return shared_; }
    MessagePresenter& messages() override { return *messages_; }
    void runCommand(int commandId) override { OnCommand(commandId); }
    void setMainWindowEnabled(bool enabled) override;
    void viewActivated(CTessmetView* view) override;
    bool zoomWindowVisible() const override { return zoomWindowShown_; }
    void zoomWindowFollow(CTessmetView* view, QPoint imagePoint) override;

    // How the Setup, Zoom Setup and numeric-entry dialogs run (default: QDialog::exec, which
    // returns the dialog's result), and the colour and font choosers of Draw Setup (default:
    // the desktop's). Tests answer the dialogs through these.
    void setDialogRunner(std::function<int(QDialog&)> runner) { runDialog_ = std::move(runner); }
    void setSetupChoosers(SetupChoosers choosers) { choosers_ = std::move(choosers); }

    // The zoom window, created hidden with the main window.
    CZoomWindowDlg& zoomWindow() const { return *zoomWindow_; }
    // What the numeric entries (Ctrl with a draw or region command) typed last.
    const CoordinateMemory& coordinateMemory() const { return entries_; }

    void regionChanged(CTessmetView* view) override;
    bool colourDistributionVisible() const override { return colourShown_; }

    // The colour distribution window, made with the main window and only shown and hidden.
    CColorDistDlg& colourWindow() { return *colourWindow_; }

    // Sets the tool directly, without the toggling of SelectTool (a calibration run does this).
    void setCurrentTool(ToolMode tool);

    // Tool windows and the calibration run (MainFrameDialogs.cpp).
    CMeasureResultDlg& measureResult() { return *resultDlg_; }
    CCalibrationGuideDlg& calibrationGuide() { return *guideDlg_; }
    // While a calibration run waits for its clicks: toolbars hidden, the ten menus grey.
    bool calibrationRunShowing() const { return runChrome_; }
    void measurementsChanged(CTessmetView* view) override;
    void showCalibrationGuide(int line1, int line2, QPoint offset) override;
    void finishCalibration(const std::array<Point, 4>& imagePoints) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildStatusBar();
    void restoreWindowState();
    void arrangeToolbarRows();
    void reservePane0(const QString& text);
    void updateWindowTitle();
    void saveWindowStateAtClose();
    void savePlacement();
    void refreshKeyboardIndicators();

    // Command groups (MainFrameCommands.cpp).
    void openWithDialog();
    void openRecent(int index);
    void save(bool saveAs);
    void toggleFlag(int commandId);
    void toggleBar(int commandId);
    void zoom(int direction);
    void changeWindow();
    void escape();
    void showAbout();
    // Setup and zoom dialogs, the zoom window and the numeric entries (SetupCommands.cpp).
    int runDialog(QDialog& dialog);
    void drawSetup();
    void applyFont(const FontDescription& font);
    void otherSetup();
    void zoomSetup();
    void toggleZoomWindow();
    void coordinateEntry(int commandId);
    void roiSetup(int roiType);
    void drawEntry(int commandId);
    std::vector<CTessmetView*> views() const;

    // Image processing (MainFrameProcessing.cpp): the dialogs and the grey image run on the
    // active view, then switch its processing layer on.
    void createColourWindow();
    void binaryImage();
    void detectCentre();
    void greyImage();
    void toggleColourWindow();
    // One update per group: what is enabled and what is checked.
    void updateCommands();
    void updateImageCommands(bool haveImage);
    void updateFlagChecks();
    void updateToolChecks();
    void updateBarChecks();

    void lastFrameClosed();
    void rememberRecent(const std::string& path);

    // Tool windows and the calibration run (MainFrameDialogs.cpp).
    class DialogHost;
    void createToolDialogs();
    void placeToolDialogs();
    void refreshResultsOnActivation();
    void toggleMeasureResult();
    void calibrationSetup();
    void startCalibrationRun();
    void endCalibrationRun();
    void placeGuide(QPoint offset);
    int runModal(QDialog& dialog);

    Services services_;
    std::string programFolder_;
    std::string settingsPath_;
    std::string lastFolder_;
    Settings settings_;
    SharedCalibration shared_;
    LayerFlags flags_ = LayerFlags::AllOff();
    ToolMode tool_ = Tool::None;
    RecentFileList recent_;
    int aboutClicks_ = 0;

    std::unique_ptr<MessagePresenter> ownMessages_;
    MessagePresenter* messages_ = nullptr;
    std::unique_ptr<FileChooser> ownFiles_;
    FileChooser* files_ = nullptr;

    QMdiArea* area_ = nullptr;
    FrameRegistry* registry_ = nullptr;
    CommandActions* actions_ = nullptr;
    WindowMenuList* windowList_ = nullptr;
    QLabel* pane0_ = nullptr;
    QLabel* pane1_ = nullptr;
    QLabel* capsIndicator_ = nullptr;
    QLabel* numIndicator_ = nullptr;
    QLabel* scrollIndicator_ = nullptr;
    std::function<int(QDialog&)> runDialog_;
    SetupChoosers choosers_;
    CoordinateMemory entries_;
    CZoomWindowDlg* zoomWindow_ = nullptr;
    bool zoomWindowShown_ = false;

    std::unique_ptr<DialogHost> dialogHost_;
    std::unique_ptr<DataFileChooser> ownDataFiles_;
    DataFileChooser* dataFiles_ = nullptr;
    std::string dataFolder_;  // where the CSV and calibration-file dialogs start
    CMeasureResultDlg* resultDlg_ = nullptr;
    CCalibrationGuideDlg* guideDlg_ = nullptr;
    bool resultShown_ = false;
    // The solution of the run that just succeeded, for "Calibration Setup" to show.
    bool haveRunResult_ = false;
    UnitType runUnit_ = Unit::Pixel;
    double runH_ = 0.0;
    double runV_ = 0.0;
    std::vector<QToolBar*> barsHiddenByRun_;
    bool runChrome_ = false;

    QTimer placementTimer_;
    QTimer indicatorTimer_;
    bool shown_ = false;
    CColorDistDlg* colourWindow_ = nullptr;
    bool colourShown_ = false;
};

}  // namespace tessmet
