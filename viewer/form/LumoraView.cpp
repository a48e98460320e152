#include "viewer/form/LumoraView.h"

#include "viewer/core/CalibrationDlg.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/CaptureNaming.h"
#include "viewer/core/ColorPickerButton.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/core/JogControl.h"
#include "viewer/core/ScreenQuery.h"
#include "viewer/core/SkinButton.h"
#include "viewer/core/SkinLayout.h"
#include "viewer/core/ViewerPaths.h"
#include "viewer/form/FormBitmaps.h"
#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/GalleryCommands.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace lumora {
namespace {

constexpr int kMagnificationFirstMs = 2000;  // after the camera opened at start, and SCALE on
constexpr int kMagnificationReconnectedMs = 1000;
constexpr int kFirstFrameMs = 500;
constexpr int kFirstFrameMissingMs = 1000;
constexpr int kReconnectMs = 2000;

constexpr int kLiveWidth = 640;
constexpr int kLiveHeight = 480;

// The still sizes of the resolution combo.
constexpr std::array<QSize, 4> kStillSizes = {QSize(640, 480), QSize(800, 600), QSize(1280, 960), QSize(1600, 1200)};

// The resolution index of a still by its width; -1 for a width that is none of them.
int ResolutionOfWidth(int width) {
    for (size_t i = 0; i < kStillSizes.size(); ++i)
        if (kStillSizes[i].width() == width) return static_cast<int>(i);
    return -1;
}

QRect ToQRect(const FormRect& r) { return {r.x, r.y, r.width, r.height}; }

// The small picture buttons of the tool column: light keys on the dark panel, the chosen tool
// in the skin's teal.
const char* const kToolColumnStyle =
    "QPushButton { background: #eceff3; border: 1px solid #596372; border-radius: 3px; padding: 0; }"
    "QPushButton:hover { border: 1px solid #2fd3c4; }"
    "QPushButton:pressed { background: #cfd6de; }"
    "QPushButton:checked { background: #a8ece5; border: 2px solid #19b3a4; }";

// The layout buttons on the form, left to right, and the layout each selects.
constexpr std::array<PaneLayout, 4> kLayoutOfButton = {PaneLayout::One, PaneLayout::TwoH, PaneLayout::TwoV,
                                                       PaneLayout::Four};

}  // namespace

CLumoraView::CLumoraView(ViewerSettings& settings, std::shared_ptr<CameraSystem> cameras,
                         std::unique_ptr<FormPrompts> prompts, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      prompts_(prompts ? std::move(prompts) : std::make_unique<DialogPrompts>(this)),
      camera_(new CCaptureDevice(std::move(cameras), this)) {
    setObjectName(QStringLiteral("LumoraView"));
    resize(kFormWidth, kFormHeight);
    setMouseTracking(true);
    camera_->SetMessageHandler([this](CaptureMessage message) {
        prompts_->Tell(QStringLiteral("Lumora"), QString::fromLatin1(CaptureMessageText(message)),
                       FormPrompts::Icon::Warning);
    });
    connect(camera_, &CCaptureDevice::deviceLost, this, &CLumoraView::OnDeviceLost);
    connect(&magnification_, &QTimer::timeout, this, &CLumoraView::OnMagnificationTimer);
    connect(&firstFrame_, &QTimer::timeout, this, &CLumoraView::OnFirstFrameTimer);
    connect(&reconnect_, &QTimer::timeout, this, &CLumoraView::OnReconnectTimer);

    PlaceToolButtons();    // 1
    CreatePanes();         // 2
    SetUpColourButtons();  // 3
    SetUpJog();            // 4
    SetUpCombos();         // 5
    SetUpSkin();           // 6
    OpenCameraAtStart();   // 7
    SetUpGallery();        // 8
    SetUpSwitches();       // 9
}

CLumoraView::~CLumoraView() { Shutdown(); }

// --- Initialisation ----------------------------------------------------------------------------

void CLumoraView::PlaceToolButtons() {
    for (size_t k = 0; k < toolButtons_.size(); ++k) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("tool%1").arg(kToolButtonIds[k]));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(kToolColumnX, kToolButtonY[k], kToolButtonSize, kToolButtonSize);
        button->setIcon(FormBitmapIcon(kBitmapToolSelect + static_cast<int>(k)));
        button->setIconSize(QSize(kFormBitmapSize, kFormBitmapSize));
        button->setStyleSheet(QString::fromLatin1(kToolColumnStyle));
        connect(button, &QPushButton::clicked, this, [this, k] { PressToolButton(static_cast<int>(k)); });
        toolButtons_[k] = button;
    }
    static constexpr std::array<const char*, 6> kToolTips = {"Select", "Line", "Rectangle", "Ellipse", "Polygon", "Angle"};
    for (size_t k = 0; k < toolButtons_.size(); ++k) toolButtons_[k]->setToolTip(QString::fromLatin1(kToolTips[k]));

    calibration_ = new QPushButton(this);
    calibration_->setObjectName(QStringLiteral("calibration1021"));
    calibration_->setFocusPolicy(Qt::NoFocus);
    calibration_->setGeometry(kToolColumnX, kCalibrationButtonY, kToolButtonSize, kToolButtonSize);
    calibration_->setIcon(FormBitmapIcon(kBitmapCalibration));
    calibration_->setIconSize(QSize(kFormBitmapSize, kFormBitmapSize));
    calibration_->setToolTip(QStringLiteral("Calibration"));
    calibration_->setStyleSheet(QString::fromLatin1(kToolColumnStyle));
    connect(calibration_, &QPushButton::clicked, this, &CLumoraView::OpenCalibrationDialog);
}

void CLumoraView::CreatePanes() {
    for (size_t i = 0; i < panes_.size(); ++i) {
        auto* pane = new CImageView(settings_, this, this);
        pane->setObjectName(QStringLiteral("pane%1").arg(101 + i));
        pane->hide();
        const int index = static_cast<int>(i);
        connect(pane, &CImageView::activated, this, [this, index] { PaneClicked(index); });
        connect(pane, &CImageView::message, this,
                [this](const QString& text) { prompts_->Tell(QStringLiteral("Lumora"), text, FormPrompts::Icon::Warning); });
        panes_[i] = pane;
    }
    CImageView& first = *panes_[0];
    first.setGeometry(ToQRect(kPaneArea));
    first.show();
    first.SetSelected(true);
    SetActivePaneState(first, kPaneLive);
    first.ApplySettings();
}

void CLumoraView::SetUpColourButtons() {
    const FormState state = ReadFormState(settings_.applicationFolder);
    const std::array<int, 3> bitmaps = {kBitmapFillColour, kBitmapLineColour, kBitmapTextColour};
    const std::array<ColorRef, 3> colours = {static_cast<ColorRef>(state.fillColor), static_cast<ColorRef>(state.lineColor),
                                             static_cast<ColorRef>(state.textColor)};
    static constexpr std::array<const char*, 3> kTips = {"Fill color", "Line color", "Text color"};
    for (size_t k = 0; k < colourButtons_.size(); ++k) {
        auto* button = new CColorPickerButton(this, kColourButtonIds[k]);
        button->setObjectName(QStringLiteral("colour%1").arg(kColourButtonIds[k]));
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(kToolColumnX, kColourButtonY[k], kToolButtonSize, kToolButtonSize);
        button->setBitmap(FormBitmap(bitmaps[k]));
        button->setColour(colours[k]);
        button->setDefaultText(k == 0 ? QStringLiteral("Transparent") : QStringLiteral("Default Color"));
        button->setToolTip(QString::fromLatin1(kTips[k]));
        button->setStyleSheet(QString::fromLatin1(kToolColumnStyle));
        connect(button, &CColorPickerButton::selectionEndOk, this,
                [this](ColorRef colour, int id) { ApplyColour(id, colour); });
        colourButtons_[k] = button;
    }
    CDrawObj& set = panes_[0]->Annotations();
    set.SetFillColor(colours[0]);
    set.SetLineColor(colours[1]);
    set.SetTextColor(colours[2]);
    panes_[0]->SetDrawingEnabled(true);
}

void CLumoraView::SetUpJog() {
    jog_ = new CJogControl(this, 1017);
    jog_->setGeometry(ToQRect(kJogPlace));
    jog_->loadImages(QString::fromStdString(settings_.applicationFolder));
    connect(jog_, &CJogControl::notified, this, [this](int, int action) { RunJogAction(action); });
}

void CLumoraView::SetUpCombos() {
    const FormState state = ReadFormState(settings_.applicationFolder);
    resolution_ = new QComboBox(this);
    resolution_->setObjectName(QStringLiteral("resolution1006"));
    resolution_->addItems({QStringLiteral("640x480"), QStringLiteral("800x600"), QStringLiteral("1280x960"),
                           QStringLiteral("1600x1200")});
    resolution_->setGeometry(kResolutionCombo.x, kResolutionCombo.y, kResolutionCombo.width, 22);
    resolution_->setCurrentIndex(state.captureSize >= 0 && state.captureSize < 4 ? state.captureSize : 0);
    fileType_ = new QComboBox(this);
    fileType_->setObjectName(QStringLiteral("fileType1007"));
    fileType_->addItems({QStringLiteral("bmp"), QStringLiteral("jpg")});
    fileType_->setGeometry(kFileTypeCombo.x, kFileTypeCombo.y, kFileTypeCombo.width, 22);
    fileType_->setCurrentIndex(state.captureType == 1 ? 1 : 0);
}

void CLumoraView::SetUpSkin() {
    const std::string path = SkinBitmapPath(settings_.applicationFolder, kBackgroundImage);
    if (!path.empty()) background_.load(QString::fromStdString(path));
    const QString folder = QString::fromStdString(settings_.applicationFolder);

    const auto make = [&](const SkinButtonPlace& place) {
        auto* button = new CSkinButton(this, place.id);
        button->setObjectName(QString::fromLatin1(place.stem));
        if (place.caption)
            button->loadCaption(folder, QString::fromLatin1(place.stem));
        else
            button->loadStem(folder, QString::fromLatin1(place.stem));
        button->move(place.x, place.y);
        button->setToolTip(QString::fromLatin1(place.tooltip));
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    minimize_ = make(kCaptionButtons[0]);
    close_ = make(kCaptionButtons[1]);
    connect(minimize_, &QAbstractButton::clicked, this, [this] { window()->showMinimized(); });
    connect(close_, &QAbstractButton::clicked, this, [this] { window()->close(); });
    for (size_t i = 0; i < layoutButtons_.size(); ++i) {
        layoutButtons_[i] = make(kLayoutButtons[i]);
        const PaneLayout layout = kLayoutOfButton[i];
        connect(layoutButtons_[i], &QAbstractButton::clicked, this, [this, layout] { SelectLayout(layout); });
    }
    for (size_t i = 0; i < switchButtons_.size(); ++i) {
        switchButtons_[i] = make(kSwitchButtons[i]);
        const auto which = static_cast<OverlaySwitch>(i);
        connect(switchButtons_[i], &QAbstractButton::clicked, this, [this, which] { ToggleSwitch(which); });
    }
    layoutButtons_[0]->setPushed(true);
}

void CLumoraView::OpenCameraAtStart() {
    const int result = camera_->Open(ReadCameraDevice(settings_.applicationFolder), this, kLiveWidth, kLiveHeight, 3);
    if (result < 0) {
        camera_->Close();
        reconnect_.start(kReconnectMs);
        firstFrame_.start(kFirstFrameMissingMs);
        cameraMissing_ = true;
        waitingForFirstFrame_ = true;
        return;
    }
    cameraMissing_ = false;
    if (frameArrived_) {
        ApplyCameraProperties();
        panes_[0]->update();
    } else {
        firstFrame_.start(kFirstFrameMs);
        waitingForFirstFrame_ = true;
    }
    magnification_.start(kMagnificationFirstMs);
}

void CLumoraView::SetUpGallery() {
    gallery_ = new CGalleryListCtrl(this);
    gallery_->setObjectName(QStringLiteral("gallery1016"));
    gallery_->setGeometry(ToQRect(kGalleryPlace));
    gallery_->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    // A folder that cannot be read is said in the list itself; a refused rename needs a box.
    connect(&gallery_->model(), &GalleryModel::renameRefused, this,
            [this](const QString& text) { prompts_->Tell(QStringLiteral("Lumora"), text, FormPrompts::Icon::Warning); });
    connect(gallery_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OpenGalleryItem(index.row()); });
    // The strip's context menu: open with, properties, delete, rename, refresh, send to Tessmet.
    galleryCommands_ = new GalleryCommands(gallery_, settings_, this);
    gallery_->Refresh(QString::fromStdString(settings_.galleryFolder));
}

void CLumoraView::SetUpSwitches() {
    const FormState state = ReadFormState(settings_.applicationFolder);
    const std::array<bool, 5> on = {state.modeScale != 0, state.modeMagBar != 0, state.modeMagData != 0,
                                    state.modeGridLine != 0, state.modeCenterLine != 0};
    for (size_t i = 0; i < on.size(); ++i) switchButtons_[i]->setPushed(on[i]);
    CImageView& first = *panes_[0];
    first.ShowScale(on[0]);
    first.ShowMagBar(on[1]);
    first.ShowMagData(on[2]);
    first.ShowGrid(on[3]);
    first.ShowCentreLine(on[4]);
    first.update();
}

// --- Frames and timers -------------------------------------------------------------------------

bool CLumoraView::event(QEvent* event) {
    if (event->type() == WM_CAPTURE_FRAME && !shutDown_) {
        const auto* capture = static_cast<CaptureFrameEvent*>(event);
        frameArrived_ = true;
        CImageView& active = *panes_[static_cast<size_t>(active_)];
        if (active.GetPaneState() == kPaneLive) active.ShowFrame(capture->bytes(), capture->byteCount());
    }
    return QWidget::event(event);
}

void CLumoraView::OnMagnificationTimer() {
    if (!camera_->IsOpen()) return;
    panes_[static_cast<size_t>(active_)]->SetMagnification(camera_->GetZoom());
}

void CLumoraView::OnFirstFrameTimer() {
    if (!camera_->IsOpen() || !frameArrived_) return;
    ApplyCameraProperties();
    firstFrame_.stop();
    waitingForFirstFrame_ = false;
    panes_[0]->update();
}

void CLumoraView::OnReconnectTimer() {
    if (camera_->Open(ReadCameraDevice(settings_.applicationFolder), this, kLiveWidth, kLiveHeight, 3) < 0) {
        camera_->Close();
        return;
    }
    if (lostWhileStreaming_ && frameArrived_) ApplyCameraProperties();
    lostWhileStreaming_ = false;
    panes_[0]->update();
    reconnect_.stop();
    cameraMissing_ = false;
    if (!magnification_.isActive()) magnification_.start(kMagnificationReconnectedMs);
}

void CLumoraView::OnDeviceLost() {
    // The camera went away while streaming: back to the missing state until it returns.
    camera_->Close();
    cameraMissing_ = true;
    lostWhileStreaming_ = true;
    magnification_.stop();
    if (!reconnect_.isActive()) reconnect_.start(kReconnectMs);
    for (CImageView* pane : panes_) pane->update();
}

// --- Overlay switches and layouts ----------------------------------------------------------------

void CLumoraView::ToggleSwitch(OverlaySwitch which) {
    CSkinButton* button = switchButton(which);
    const bool on = !button->isPushed();
    button->setPushed(on);
    CImageView& first = *panes_[0];
    switch (which) {
    case OverlaySwitch::Scale:
        first.ShowScale(on);
        if (on)
            magnification_.start(kMagnificationFirstMs);
        else
            magnification_.stop();
        break;
    case OverlaySwitch::MagBar: first.ShowMagBar(on); break;
    case OverlaySwitch::MagData: first.ShowMagData(on); break;
    case OverlaySwitch::Grid: first.ShowGrid(on); break;
    case OverlaySwitch::CentreLine: first.ShowCentreLine(on); break;
    }
}

std::array<QRect, 4> CLumoraView::PaneRects(PaneLayout layout) {
    switch (layout) {
    case PaneLayout::One: return {QRect(360, 88, 640, 480), QRect(), QRect(), QRect()};
    case PaneLayout::TwoV: return {QRect(360, 88, 320, 480), QRect(680, 88, 320, 480), QRect(), QRect()};
    case PaneLayout::TwoH: return {QRect(360, 210, 320, 240), QRect(680, 210, 320, 240), QRect(), QRect()};
    case PaneLayout::Four:
        return {QRect(360, 88, 320, 240), QRect(680, 88, 320, 240), QRect(360, 328, 320, 240),
                QRect(680, 328, 320, 240)};
    }
    return {};
}

void CLumoraView::SelectLayout(PaneLayout layout) {
    if (layoutButton(layout)->isPushed()) return;
    const std::array<QRect, 4> rects = PaneRects(layout);
    for (size_t i = 0; i < panes_.size(); ++i) {
        if (rects[i].isEmpty()) {
            panes_[i]->hide();
        } else {
            panes_[i]->setGeometry(rects[i]);
            panes_[i]->show();
        }
    }
    for (CImageView* pane : panes_) pane->ResetToLive();
    CImageView& first = *panes_[0];
    const bool one = layout == PaneLayout::One;
    first.SetDrawingEnabled(one);
    if (one) {
        first.ShowScale(switchButton(OverlaySwitch::Scale)->isPushed());
        first.ShowGrid(switchButton(OverlaySwitch::Grid)->isPushed());
        first.ShowCentreLine(switchButton(OverlaySwitch::CentreLine)->isPushed());
    }
    active_ = 0;
    first.SetSelected(true);
    camera_->SetLive(1, kLiveWidth, kLiveHeight);
    resolution_->setEnabled(one);
    for (OverlaySwitch which : {OverlaySwitch::Scale, OverlaySwitch::Grid, OverlaySwitch::CentreLine}) {
        CSkinButton* button = switchButton(which);
        button->setEnabled(one);
        // The switch faces have no disabled picture: a disabled switch is shown faded.
        if (one) {
            button->setGraphicsEffect(nullptr);
        } else if (!button->graphicsEffect()) {
            auto* fade = new QGraphicsOpacityEffect(button);
            fade->setOpacity(0.35);
            button->setGraphicsEffect(fade);
        }
    }
    layout_ = layout;
    for (size_t i = 0; i < layoutButtons_.size(); ++i) layoutButtons_[i]->setPushed(kLayoutOfButton[i] == layout);
    SetJogMode(kPaneLive);
}

// --- Panes ---------------------------------------------------------------------------------------

void CLumoraView::SetActivePaneState(CImageView& pane, int state) {
    pane.SetPaneState(state);
    if (state == kPaneLive || state == kPaneStill) pane.Refit();
}

void CLumoraView::EnableResolutionInLayoutOne() {
    if (layout_ == PaneLayout::One) resolution_->setEnabled(true);
}

void CLumoraView::SetJogMode(int mode) {
    jog_->setMode(mode);
    jog_->update();
}

void CLumoraView::TakeStill() {
    const int index = resolution_->currentIndex();
    const QSize size = kStillSizes[static_cast<size_t>(index < 0 ? 0 : index)];
    if (camera_->IsOpen()) {
        camera_->SetLive(0, size.width(), size.height());
        // The smallest still is grabbed at 800 x 600 and reduced by the pane.
        const QSize grabbed = index <= 0 ? kStillSizes[1] : size;
        const StillBuffer& still = camera_->Still();
        CImageView& active = *panes_[static_cast<size_t>(active_)];
        active.ShowFrame(still.pixels(), static_cast<size_t>(grabbed.width()) * static_cast<size_t>(grabbed.height()) * 3u);
        if (index <= 0) active.ReduceStill();
    }
    resolution_->setEnabled(false);
}

void CLumoraView::StillIntoActivePane() {
    TakeStill();
    CImageView& active = *panes_[static_cast<size_t>(active_)];
    active.SetMagnification(CameraZoom());
    SetActivePaneState(active, kPaneStill);
}

void CLumoraView::BackToLive() {
    camera_->SetLive(1, kLiveWidth, kLiveHeight);
    EnableResolutionInLayoutOne();
    SetActivePaneState(*panes_[static_cast<size_t>(active_)], kPaneLive);
    SetJogMode(kPaneLive);
}

void CLumoraView::PaneClicked(int index) {
    if (index < 0 || index >= static_cast<int>(panes_.size())) return;
    for (CImageView* pane : panes_) pane->SetSelected(false);
    CImageView& clicked = *panes_[static_cast<size_t>(index)];
    clicked.SetSelected(true);

    if (index == active_) {
        switch (clicked.GetPaneState()) {
        case kPaneLive:
            StillIntoActivePane();
            SetJogMode(kPaneStill);
            break;
        case kPaneStill:
            camera_->SetLive(1, kLiveWidth, kLiveHeight);
            clicked.SetMagnification(CameraZoom());
            EnableResolutionInLayoutOne();
            SetActivePaneState(clicked, kPaneLive);
            SetJogMode(kPaneLive);
            break;
        default: break;  // a file: the click belongs to the picture
        }
        return;
    }

    if (panes_[static_cast<size_t>(active_)]->GetPaneState() == kPaneLive) StillIntoActivePane();
    active_ = index;
    switch (clicked.GetPaneState()) {
    case kPaneLive:
        camera_->SetLive(1, kLiveWidth, kLiveHeight);
        clicked.SetMagnification(CameraZoom());
        EnableResolutionInLayoutOne();
        SetActivePaneState(clicked, kPaneLive);
        SetJogMode(kPaneLive);
        break;
    case kPaneStill: {
        const int resolution = ResolutionOfWidth(clicked.FrameBuffer().Width());
        if (resolution >= 0) resolution_->setCurrentIndex(resolution);
        SetJogMode(kPaneStill);
        break;
    }
    default: SetJogMode(kPaneFile); break;
    }
}

// --- Jog actions ---------------------------------------------------------------------------------

void CLumoraView::RunJogAction(int action) {
    CImageView& active = *panes_[static_cast<size_t>(active_)];
    CImageView& first = *panes_[0];
    switch (action) {
    case kJogSettings:
        if (prompts_->RunSettings(settings_, *this) && first.GetPaneState() != kPaneFile)
            first.SetMagnification(CameraZoom());
        break;
    case kJogLive:
        camera_->SetLive(1, kLiveWidth, kLiveHeight);
        EnableResolutionInLayoutOne();
        if (active_ == 0) {
            first.SetDrawingEnabled(true);
            if (first.GetPaneState() == kPaneFile && first.Library().isValid()) {
                // Back to the camera: the file's drawings go, but stay restorable.
                first.Annotations().Clear(true);
                first.update();
            }
        }
        SetActivePaneState(active, kPaneLive);
        SetJogMode(kPaneLive);
        update();
        break;
    case kJogPrint: prompts_->Print(active); break;
    case kJogStill:
        StillIntoActivePane();
        if (active_ == 0) first.SetDrawingEnabled(true);
        SetJogMode(kPaneStill);
        update();
        break;
    case kJogCapture: CaptureToGallery(); break;
    default: break;
    }
}

void CLumoraView::CaptureToGallery() {
    const std::string folder = settings_.galleryFolder;
    if (folder.empty() || !QFileInfo(QString::fromStdString(folder)).isDir()) {
        prompts_->Tell(QString::fromLatin1(kGalleryMissingCaption), QString::fromLatin1(kGalleryMissingMessage),
                       FormPrompts::Icon::Information);
        return;
    }
    CImageView& active = *panes_[static_cast<size_t>(active_)];
    if (active.GetPaneState() == kPaneLive) {
        StillIntoActivePane();
        SetJogMode(kPaneStill);  // the dial follows the pane should the capture stop here
    }

    const int resolution = std::max(0, resolution_->currentIndex());
    const int type = fileType_->currentIndex();
    std::string baseName = PictureBaseName(NextPictureNumber(folder));
    std::string fileName = CaptureFileName(baseName, type);

    replaceAgreed_ = false;
    if (settings_.captureAuto == "0") {
        const std::optional<QString> typed = prompts_->AskCaptureName(QString::fromStdString(baseName));
        if (!typed) return;  // the pane keeps its still
        const std::optional<std::string> name = ManualCaptureName(typed->toStdString());
        if (!name) {
            prompts_->Tell(QString::fromLatin1(kEmptyNameCaption), QString::fromLatin1(kEmptyNameMessage),
                           FormPrompts::Icon::Warning);
            return;
        }
        // The capture must stay a file of the gallery folder.
        if (const std::optional<std::string> problem = CaptureNameProblem(*name)) {
            prompts_->Tell(QString::fromLatin1(kEmptyNameCaption), QString::fromStdString(*problem),
                           FormPrompts::Icon::Warning);
            return;
        }
        baseName = *name;
        fileName = CaptureFileName(baseName, type);
        if (QFileInfo::exists(QString::fromStdString(folder + "/" + fileName))) {
            if (!prompts_->AskYesNo(QString::fromLatin1(kReplaceFileCaption),
                                    QString::fromStdString(ReplaceFileQuestion(fileName)))) {
                BackToLive();
                return;
            }
            replaceAgreed_ = true;
        }
    }

    const CaptureOutcome outcome = active.SaveCapture(folder + "/" + baseName, type == 1, resolution);
    replaceAgreed_ = false;
    if (outcome.result == CaptureResult::Written) {
        gallery_->AddOrUpdate(QString::fromStdString(fileName));
        if (gallery_->ItemCount() > 0) gallery_->scrollTo(gallery_->model().index(gallery_->ItemCount() - 1));
    } else if (outcome.result == CaptureResult::WriteFailed || outcome.result == CaptureResult::NoPicture) {
        prompts_->Tell(QStringLiteral("Lumora"),
                       QStringLiteral("Cannot write the file '%1'.").arg(QString::fromStdString(outcome.imagePath)),
                       FormPrompts::Icon::Warning);
    }
    BackToLive();
    update();
}

// --- Drawing tools, colours, calibration ----------------------------------------------------------

void CLumoraView::PressToolButton(int k) {
    if (k < 0 || k >= static_cast<int>(toolButtons_.size())) return;
    CImageView& first = *panes_[0];
    const int code = kToolCodes[static_cast<size_t>(k)];
    const int current = first.Tool() == code ? kToolNone : code;
    first.SetTool(current);
    for (size_t i = 0; i < toolButtons_.size(); ++i) toolButtons_[i]->setChecked(kToolCodes[i] == current);
    first.SetDrawMode(current != kToolNone);
    first.update();
}

bool CLumoraView::DrawingToolPressed() const {
    for (const QPushButton* button : toolButtons_)
        if (button && button->isChecked()) return true;
    return false;
}

void CLumoraView::ApplyColour(int controlId, ColorRef colour) {
    CImageView& first = *panes_[0];
    CDrawObj& set = first.Annotations();
    CDrawObj* selected = nullptr;
    for (const auto& annotation : set.Annotations())
        if (annotation->m_selected != 0) selected = annotation.get();
    switch (controlId) {
    case 1018:
        if (selected)
            selected->SetFill(colour != static_cast<ColorRef>(kNoFillColor) ? 1 : 0, colour);
        else
            set.SetFillColor(colour);
        break;
    case 1019:
        if (selected)
            selected->SetLineColor(colour);
        else
            set.SetLineColor(colour);
        break;
    case 1020:
        if (selected)
            selected->SetTextColor(colour);
        else
            set.SetTextColor(colour);
        break;
    default: return;
    }
    first.update();
}

void CLumoraView::OpenCalibrationDialog() {
    if (!calibrationDlg_) {
        calibrationDlg_ = new CCalibrationDlg(settings_, *this, this);
        connect(panes_[0], &CImageView::calibrationDistance, calibrationDlg_.data(), &CCalibrationDlg::SetCurrentDistance);
    }
    calibrationDlg_->show();
    calibrationDlg_->raise();
    calibrationDlg_->activateWindow();
}

void CLumoraView::SetCalibrationLineMode(bool on) {
    calibrationLine_ = on;
    panes_[0]->SetCalibrationLine(on);
}

void CLumoraView::ApplyCalibration() { panes_[0]->ApplyCalibration(); }

// --- Gallery ---------------------------------------------------------------------------------------

void CLumoraView::OpenGalleryItem(int row) {
    if (row < 0 || row >= gallery_->ItemCount()) return;
    QString unit;
    double onePixel = 0.0;
    gallery_->GetItemCalibration(row, unit, onePixel);
    CImageView& active = *panes_[static_cast<size_t>(active_)];
    active.SetPaneState(kPaneFile);
    if (active_ == 0) active.SetDrawingEnabled(true);
    active.ShowFile(QString::fromStdString(settings_.galleryFolder) + QLatin1Char('/') + gallery_->ItemText(row), unit,
                    onePixel);
}

void CLumoraView::RefreshGallery(const std::string& folder) {
    gallery_->RemoveAll();
    gallery_->Refresh(QString::fromStdString(folder));
}

// --- Host services ---------------------------------------------------------------------------------

void CLumoraView::PauseCameraForFile() {
    camera_->SetRunning(0);
    SetJogMode(kPaneFile);
}

int CLumoraView::CameraZoom() { return camera_->IsOpen() ? camera_->GetZoom() : -1; }

bool CLumoraView::MayReplace(const std::string& path) {
    if (replaceAgreed_) return true;
    // A file of the automatic name appeared meanwhile: it is not overwritten unasked.
    const std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    return prompts_->AskYesNo(QString::fromLatin1(kReplaceFileCaption), QString::fromStdString(ReplaceFileQuestion(name)));
}

void CLumoraView::ApplyCameraProperties() {
    if (camera_->IsOpen()) camera_->SetProperties(ReadCameraProperties(settings_.applicationFolder));
}

void CLumoraView::ApplyPaneSettings() { panes_[0]->ApplySettings(); }

// --- Window handling ---------------------------------------------------------------------------------

void CLumoraView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.isNull())
        painter.drawImage(QRect(0, 0, kFormWidth, kFormHeight), background_);
    else
        painter.fillRect(rect(), palette().window());
}

void CLumoraView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !ToQRect(kLogoRect).contains(event->position().toPoint())) {
        // The window has no caption: a press on the panel moves it.
        QWindow* handle = window()->windowHandle();
        if (!handle || !handle->startSystemMove()) {
            manualMove_ = true;
            moveOffset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
        }
    }
    QWidget::mousePressEvent(event);
}

void CLumoraView::mouseMoveEvent(QMouseEvent* event) {
    if (manualMove_ && (event->buttons() & Qt::LeftButton)) {
        window()->move(event->globalPosition().toPoint() - moveOffset_);
        return;
    }
    if (ToQRect(kLogoRect).contains(event->position().toPoint()))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

void CLumoraView::mouseReleaseEvent(QMouseEvent* event) {
    manualMove_ = false;
    if (event->button() == Qt::LeftButton && ToQRect(kLogoRect).contains(event->position().toPoint()))
        prompts_->OpenUrl(QUrl(QString::fromStdString(ReadMakerUrl(settings_.applicationFolder))));
    QWidget::mouseReleaseEvent(event);
}

void CLumoraView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QScreen* screen = window()->screen() ? window()->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            if (const std::optional<QRect> place = MainWindowGeometry(screen->size())) window()->move(place->topLeft());
        }
    }
    QWidget::mouseDoubleClickEvent(event);
}

void CLumoraView::showEvent(QShowEvent* event) {
    everShown_ = true;
    QWidget::showEvent(event);
}

void CLumoraView::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) Shutdown();
}

void CLumoraView::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    delete calibrationDlg_.data();

    FormState state;
    state.captureSize = std::max(0, resolution_->currentIndex());
    state.captureType = std::max(0, fileType_->currentIndex());
    state.modeScale = switchButton(OverlaySwitch::Scale)->isPushed() ? 1 : 0;
    state.modeMagBar = switchButton(OverlaySwitch::MagBar)->isPushed() ? 1 : 0;
    state.modeMagData = switchButton(OverlaySwitch::MagData)->isPushed() ? 1 : 0;
    state.modeGridLine = switchButton(OverlaySwitch::Grid)->isPushed() ? 1 : 0;
    state.modeCenterLine = switchButton(OverlaySwitch::CentreLine)->isPushed() ? 1 : 0;
    state.fillColor = static_cast<int32_t>(colourButtons_[0]->colour());
    state.lineColor = static_cast<int32_t>(colourButtons_[1]->colour());
    state.textColor = static_cast<int32_t>(colourButtons_[2]->colour());
    // A form that never showed (the screen was too small) has nothing of the user's to keep.
    if (everShown_) WriteFormState(settings_.applicationFolder, state);

    gallery_->RemoveAll();
    magnification_.stop();
    firstFrame_.stop();
    reconnect_.stop();
    camera_->Close();
    for (CImageView*& pane : panes_) {
        delete pane;
        pane = nullptr;
    }
    background_ = QImage();
}

std::unique_ptr<QWidget> LumoraViewFactory::CreateMainWindow(ViewerSettings& settings) {
    return std::make_unique<CLumoraView>(settings, cameras_);
}

}  // namespace lumora
