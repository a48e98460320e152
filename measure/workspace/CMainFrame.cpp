#include "measure/workspace/CMainFrame.h"

#include "measure/res/CommandTable.h"
#include "measure/res/Icons.h"
#include "measure/res/StringTable.h"
#include "measure/dialogs/CColorDistDlg.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/CommandActions.h"
#include "measure/workspace/FileChooser.h"
#include "measure/workspace/FrameRegistry.h"
#include "measure/workspace/MessageBoxPresenter.h"
#include "measure/workspace/ShowMessage.h"
#include "platform/ProfileFile.h"
#include "platform/qt/KeyboardLocks.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

namespace tessmet {
namespace {

// The docking state of the toolbars, in the settings file next to the [version] bars flag.
constexpr const char* kBarStateSection = "tessmet\\ToolBarState";
constexpr const char* kBarStateKey = "State";

}  // namespace

CMainFrame::CMainFrame(Services services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    programFolder_ = services_.programFolder;
    if (!programFolder_.empty() && programFolder_.back() != '/') programFolder_ += '/';
    settingsPath_ = programFolder_ + kSettingsFileName;
    lastFolder_ = programFolder_;

    if (services_.messages) {
        messages_ = services_.messages;
    } else {
        ownMessages_ = std::make_unique<MessageBoxPresenter>(this);
        messages_ = ownMessages_.get();
    }
    if (services_.files) {
        files_ = services_.files;
    } else {
        ownFiles_ = std::make_unique<DialogFileChooser>(this);
        files_ = ownFiles_.get();
    }
    if (!services_.openUrl) services_.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    if (!services_.keyboardModifiers) services_.keyboardModifiers = [] { return QGuiApplication::keyboardModifiers(); };

    setObjectName(QStringLiteral("TessmetMainWindow"));
    setWindowTitle(QStringLiteral("Tessmet"));
    setWindowIcon(QIcon(QString::fromLatin1(kApplicationIcon)));

    area_ = new QMdiArea(this);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    registry_ = new FrameRegistry(this);
    connect(registry_, &FrameRegistry::frameRegistered, this, [this] {
        colourWindow_->setDocumentOpen(true);
        updateCommands();
    });
    connect(registry_, &FrameRegistry::lastFrameClosed, this, [this] { lastFrameClosed(); });
    connect(area_, &QMdiArea::subWindowActivated, this, [this] { updateCommands(); });

    actions_ = new CommandActions(*this, [this](int id) { OnCommand(id); });
    buildStatusBar();
    createColourWindow();

    settings_.font = LoadFont(settingsPath_);
    recent_.load(settingsPath_);
    actions_->setRecentFiles(recent_.files());
    restoreWindowState();

    placementTimer_.setSingleShot(true);
    placementTimer_.setInterval(250);
    connect(&placementTimer_, &QTimer::timeout, this, [this] { savePlacement(); });
    indicatorTimer_.setInterval(400);
    connect(&indicatorTimer_, &QTimer::timeout, this, [this] { refreshKeyboardIndicators(); });
    indicatorTimer_.start();

    updateCommands();
}

CMainFrame::~CMainFrame() {
    // The image windows refer to this window as their host: they go first.
    if (area_) {
        for (QMdiSubWindow* window : area_->subWindowList()) delete window;
    }
}

void CMainFrame::buildStatusBar() {
    pane0_ = new QLabel(this);
    pane0_->setObjectName(QStringLiteral("statusPane0"));
    pane1_ = new QLabel(this);
    pane1_->setObjectName(QStringLiteral("statusPane1"));
    capsIndicator_ = new QLabel(QStringLiteral("CAP"), this);
    numIndicator_ = new QLabel(QStringLiteral("NUM"), this);
    scrollIndicator_ = new QLabel(QStringLiteral("SCRL"), this);
    statusBar()->addWidget(pane0_, 3);
    statusBar()->addWidget(pane1_, 2);
    for (QLabel* indicator : {capsIndicator_, numIndicator_, scrollIndicator_}) {
        indicator->setEnabled(false);
        statusBar()->addPermanentWidget(indicator);
    }
    pane0_->setText(QString::fromStdString(LoadString(57345)));
    refreshKeyboardIndicators();
}

void CMainFrame::refreshKeyboardIndicators() {
    const std::optional<platform::KeyboardLocks> locks = platform::ReadKeyboardLocks();
    capsIndicator_->setEnabled(locks && locks->capsLock);
    numIndicator_->setEnabled(locks && locks->numLock);
    scrollIndicator_->setEnabled(locks && locks->scrollLock);
}

// Window placement, toolbars and font ----------------------------------------------------------

void CMainFrame::restoreWindowState() {
    const WindowPlacement p = LoadPlacement(settingsPath_);
    const int width = p.right - p.left;
    const int height = p.bottom - p.top;
    if (width > 0 && height > 0) {
        move(p.left, p.top);
        resize(width, height);
    }
    if (LoadBarsSaved(settingsPath_)) {
        const auto state = platform::ProfileFile::Load(settingsPath_).value(kBarStateSection, kBarStateKey);
        if (state) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state)));
    }
}

void CMainFrame::savePlacement() {
    if (!shown_ || isMinimized() || isMaximized() || isFullScreen()) return;
    WindowPlacement p = LoadPlacement(settingsPath_);
    p.showCommand = 1;
    p.left = pos().x();
    p.top = pos().y();
    p.right = p.left + width();
    p.bottom = p.top + height();
    SavePlacement(settingsPath_, p);
}

void CMainFrame::saveWindowStateAtClose() {
    platform::ProfileFile file = platform::ProfileFile::Load(settingsPath_);
    file.setValue(kBarStateSection, kBarStateKey, saveState().toBase64().toStdString());
    file.save(settingsPath_);
    SaveBarsSaved(settingsPath_);
    SaveMaximize(settingsPath_, isMaximized());
    SaveFont(settingsPath_, settings_.font);
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    placementTimer_.start();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placementTimer_.start();
}

// Start-up, hand-over, dropped files ----------------------------------------------------------

void CMainFrame::AfterShown() {
    shown_ = true;
    LoadSettings(settingsPath_, settings_);
    shared_ = SharedCalibration{};
    setAcceptDrops(true);
    colourWindow_->PlaceOver(frameGeometry());
    updateCommands();
}

int CMainFrame::OpenImage(const std::string& path) {
    CChildFrame* opened = nullptr;
    const int result = CChildFrame::Open(path, *area_, *this, *registry_, &opened);
    if (result == 0) {
        opened->setWindowIcon(windowIcon());
        rememberRecent(path);
    }
    updateCommands();
    return result;
}

void CMainFrame::rememberRecent(const std::string& path) {
    recent_.add(path);
    recent_.save(settingsPath_);
    actions_->setRecentFiles(recent_.files());
}

void CMainFrame::HandOver(const QString& path) {
    if (registry_->CheckOpenLimit() != 0) {
        ShowMessage(*messages_, StringId::TooManyImages, MessageIcon::Exclamation);
        return;
    }
    if (isMinimized() || isMaximized()) showNormal();
    raise();
    activateWindow();
    OpenImage(path.toStdString());
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        if (registry_->CheckOpenLimit() != 0) {
            ShowMessage(*messages_, StringId::TooManyImages, MessageIcon::Exclamation);
            break;
        }
        OpenImage(url.toLocalFile().toStdString());
    }
    event->acceptProposedAction();
}

// Closing ------------------------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (IsCalibrationTool(tool_)) {
        ShowMessage(*messages_, StringId::CalibrationRunning, MessageIcon::Exclamation);
        event->ignore();
        return;
    }
    placementTimer_.stop();
    savePlacement();
    saveWindowStateAtClose();
    // Images close without questions: a document never counts as modified.
    for (QMdiSubWindow* window : area_->subWindowList()) delete window;
    event->accept();
}

// Keys -------------------------------------------------------------------------------------------

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: event->accept(); return;  // swallowed
        case Qt::Key_Escape:
            escape();
            event->accept();
            return;
        default: QMainWindow::keyPressEvent(event);
    }
}

bool CMainFrame::event(QEvent* event) {
    // Menu and toolbar prompts go to pane 0, and "Ready" comes back when the prompt ends.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        pane0_->setText(tip.isEmpty() ? QString::fromStdString(LoadString(57345)) : tip);
        return true;
    }
    return QMainWindow::event(event);
}

// ViewHost ---------------------------------------------------------------------------------------

void CMainFrame::setStatusText(int pane, const QString& text) {
    if (pane == 0) pane0_->setText(text);
    if (pane == 1) pane1_->setText(text);
}

QString CMainFrame::statusText(int pane) const { return pane == 0 ? pane0_->text() : pane1_->text(); }

void CMainFrame::setFlags(const LayerFlags& flags) {
    flags_ = flags;
    updateFlagChecks();
}

void CMainFrame::setMainWindowEnabled(bool enabled) {
    // The view's own edit box must stay usable: disable everything around it.
    menuBar()->setEnabled(enabled);
    for (QToolBar* bar : findChildren<QToolBar*>()) bar->setEnabled(enabled);
    if (!enabled) {
        for (const CommandInfo& command : Commands()) actions_->setEnabled(command.id, false);
    } else {
        updateCommands();
    }
}

void CMainFrame::viewActivated(CTessmetView*) {
    updateCommands();
    colourWindow_->RefreshDistribution(true);
}

void CMainFrame::regionChanged(CTessmetView*) { colourWindow_->RefreshDistribution(false); }

void CMainFrame::setCurrentTool(ToolMode tool) {
    if (tool != tool_) {
        // A hidden cursor belonged to the tool that drew its own: the new tool shows it again.
        for (QMdiSubWindow* window : area_->subWindowList()) {
            if (auto* frame = qobject_cast<CChildFrame*>(window); frame && frame->hidesCursor())
                frame->SetHideCursor(false);
        }
    }
    tool_ = tool;
    updateToolChecks();
}

void CMainFrame::lastFrameClosed() {
    flags_ = LayerFlags::AllOff();
    pane1_->clear();
    colourWindow_->setDocumentOpen(false);
    colourWindow_->RefreshDistribution(false);
    updateCommands();
    update();
}

}  // namespace tessmet
