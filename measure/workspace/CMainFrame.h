#pragma once

#include "measure/core/Calibration.h"
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

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace tessmet {

class CChildFrame;
class CColorDistDlg;
class CommandActions;
class FileChooser;
class FrameRegistry;

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
    void regionChanged(CTessmetView* view) override;
    bool colourDistributionVisible() const override { return colourShown_; }

    // The colour distribution window, made with the main window and only shown and hidden.
    CColorDistDlg& colourWindow() { return *colourWindow_; }

    // Sets the tool directly, without the toggling of SelectTool (a calibration run does this).
    void setCurrentTool(ToolMode tool);

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
    QLabel* pane0_ = nullptr;
    QLabel* pane1_ = nullptr;
    QLabel* capsIndicator_ = nullptr;
    QLabel* numIndicator_ = nullptr;
    QLabel* scrollIndicator_ = nullptr;
    QTimer placementTimer_;
    QTimer indicatorTimer_;
    bool shown_ = false;
    CColorDistDlg* colourWindow_ = nullptr;
    bool colourShown_ = false;
};

}  // namespace tessmet
