#pragma once

#include "viewer/core/CalibrationDlg.h"
#include "viewer/core/CalibrationPane.h"
#include "viewer/core/ColorTable.h"
#include "viewer/core/LumoraStartup.h"
#include "viewer/core/SettingDlgHost.h"
#include "viewer/form/FormPrompts.h"
#include "viewer/imaging/ImageView.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

class QComboBox;
class QPushButton;

namespace lumora {

class CCaptureDevice;
class CColorPickerButton;
class CGalleryListCtrl;
class GalleryCommands;
class CJogControl;
class CSkinButton;
class CameraSystem;

// The four pane layouts, in the order of their buttons on the form.
enum class PaneLayout { One, TwoH, TwoV, Four };

// The overlay switches of the form, in the order of their buttons.
enum class OverlaySwitch { Scale, MagBar, MagData, Grid, CentreLine };

// Jog actions.
enum JogAction { kJogSettings = 0, kJogLive = 1, kJogPrint = 2, kJogStill = 3, kJogCapture = 4 };

// The viewer's main form: a fixed 1024 x 768 skinned panel with four image panes, the camera,
// the gallery strip, the overlay switches, the layout, drawing-tool, colour and calibration
// buttons and the jog dial. The form routes: frames go to the active live pane, commands to the
// active pane or a dialog; the panes, the camera and the gallery do the work.
class CLumoraView : public QWidget, public ImageViewHost, public SettingDlgHost, public CalibrationPane {
    Q_OBJECT

public:
    // `settings` outlives the form. Without `prompts` the real dialogs are used.
    CLumoraView(ViewerSettings& settings, std::shared_ptr<CameraSystem> cameras,
                std::unique_ptr<FormPrompts> prompts = nullptr, QWidget* parent = nullptr);
    ~CLumoraView() override;

    // --- Commands (what the form's controls do) ----------------------------------------------
    void SelectLayout(PaneLayout layout);
    void ToggleSwitch(OverlaySwitch which);
    void PaneClicked(int index);
    void RunJogAction(int action);
    void CaptureToGallery();
    // The drawing-tool button k (0 select, 1 line, 2 rectangle, 3 ellipse, 4 polygon, 5 angle).
    void PressToolButton(int k);
    // A colour chosen with colour button 1018 (fill), 1019 (line) or 1020 (text).
    void ApplyColour(int controlId, ColorRef colour);
    void OpenCalibrationDialog();
    void OpenGalleryItem(int row);
    // The destruction sequence (settings written, camera closed, panes destroyed); runs once,
    // when the window closes or at the latest with the form.
    void Shutdown();

    // --- ImageViewHost -----------------------------------------------------------------------
    bool CameraMissing() const override { return cameraMissing_; }
    bool WaitingForFirstFrame() const override { return waitingForFirstFrame_; }
    bool DrawingToolPressed() const override;
    void PauseCameraForFile() override;
    int CameraZoom() override;
    bool MayReplace(const std::string& path) override;

    // --- SettingDlgHost ----------------------------------------------------------------------
    CCaptureDevice* Camera() override { return camera_; }
    void RefreshGallery(const std::string& folder) override;
    void ApplyCameraProperties() override;
    void ApplyPaneSettings() override;

    // --- CalibrationPane (the first pane) ----------------------------------------------------
    void SetCalibrationLineMode(bool on) override;
    bool CalibrationLineMode() const override { return calibrationLine_; }
    void ApplyCalibration() override;

    // --- Read-outs ---------------------------------------------------------------------------
    CImageView* pane(int index) const { return panes_[static_cast<size_t>(index)]; }
    int activePane() const { return active_; }
    PaneLayout layout() const { return layout_; }
    CSkinButton* layoutButton(PaneLayout layout) const { return layoutButtons_[static_cast<size_t>(layout)]; }
    CSkinButton* switchButton(OverlaySwitch which) const { return switchButtons_[static_cast<size_t>(which)]; }
    CSkinButton* minimizeButton() const { return minimize_; }
    CSkinButton* closeButton() const { return close_; }
    QComboBox* resolutionCombo() const { return resolution_; }
    QComboBox* fileTypeCombo() const { return fileType_; }
    QPushButton* toolButton(int k) const { return toolButtons_[static_cast<size_t>(k)]; }
    // 0 fill, 1 line, 2 text.
    CColorPickerButton* colourButton(int k) const { return colourButtons_[static_cast<size_t>(k)]; }
    QPushButton* calibrationButton() const { return calibration_; }
    CJogControl* jog() const { return jog_; }
    CGalleryListCtrl* gallery() const { return gallery_; }
    GalleryCommands* galleryCommands() const { return galleryCommands_; }
    CCalibrationDlg* calibrationDialog() const { return calibrationDlg_; }
    CCaptureDevice& camera() const { return *camera_; }
    bool frameArrived() const { return frameArrived_; }
    bool magnificationTimerRunning() const { return magnification_.isActive(); }
    bool firstFrameTimerRunning() const { return firstFrame_.isActive(); }
    bool reconnectTimerRunning() const { return reconnect_.isActive(); }
    const QImage& background() const { return background_; }

    // The pane rectangles of a layout (hidden panes get an empty rectangle).
    static std::array<QRect, 4> PaneRects(PaneLayout layout);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PlaceToolButtons();
    void CreatePanes();
    void SetUpColourButtons();
    void SetUpJog();
    void SetUpCombos();
    void SetUpSkin();
    void OpenCameraAtStart();
    void SetUpGallery();
    void SetUpSwitches();

    void OnMagnificationTimer();
    void OnFirstFrameTimer();
    void OnReconnectTimer();
    void OnDeviceLost();

    void TakeStill();
    void StillIntoActivePane();
    void BackToLive();
    void SetActivePaneState(CImageView& pane, int state);
    void EnableResolutionInLayoutOne();
    void SetJogMode(int mode);

    ViewerSettings& settings_;
    std::unique_ptr<FormPrompts> prompts_;
    std::array<CImageView*, 4> panes_{};  // children
    int active_ = 0;
    PaneLayout layout_ = PaneLayout::One;
    CCaptureDevice* camera_;  // child
    CGalleryListCtrl* gallery_ = nullptr;
    GalleryCommands* galleryCommands_ = nullptr;  // child
    CJogControl* jog_ = nullptr;
    QComboBox* resolution_ = nullptr;
    QComboBox* fileType_ = nullptr;
    std::array<CSkinButton*, 4> layoutButtons_{};
    std::array<CSkinButton*, 5> switchButtons_{};
    CSkinButton* minimize_ = nullptr;
    CSkinButton* close_ = nullptr;
    std::array<QPushButton*, 6> toolButtons_{};
    std::array<CColorPickerButton*, 3> colourButtons_{};
    QPushButton* calibration_ = nullptr;
    QPointer<CCalibrationDlg> calibrationDlg_;
    QImage background_;

    // Timer 1: the zoom, read here and by the actions that need it, never while painting (each
    // read is a round trip to the device). Timer 2: the first frame. Timer 3: reconnection.
    QTimer magnification_;
    QTimer firstFrame_;
    QTimer reconnect_;
    bool frameArrived_ = false;  // set by the first frame, never cleared
    bool waitingForFirstFrame_ = false;
    bool cameraMissing_ = false;
    // The camera went away while streaming; a camera plugged in again starts with its own
    // values, so the stored ones go to it once it is back.
    bool lostWhileStreaming_ = false;
    bool calibrationLine_ = false;
    bool replaceAgreed_ = false;  // the user has just agreed to replace the capture's file
    bool shutDown_ = false;
    bool everShown_ = false;

    // Moving the caption-less window by hand where the window system cannot do it.
    bool manualMove_ = false;
    QPoint moveOffset_;
};

// Makes the main window: the form itself.
class LumoraViewFactory : public MainFormFactory {
public:
    explicit LumoraViewFactory(std::shared_ptr<CameraSystem> cameras) : cameras_(std::move(cameras)) {}
    std::unique_ptr<QWidget> CreateMainWindow(ViewerSettings& settings) override;

private:
    std::shared_ptr<CameraSystem> cameras_;
};

// The control ids of the form's buttons.
inline constexpr std::array<int, 6> kToolButtonIds = {1061, 1062, 1063, 1064, 1065, 1066};
inline constexpr std::array<int, 6> kToolCodes = {kToolSelect, kToolLine, kToolRectangle, kToolEllipse, kToolPolygon, kToolAngle};
inline constexpr std::array<int, 3> kColourButtonIds = {1018, 1019, 1020};

// The messages of capturing to the gallery.
inline constexpr const char* kGalleryMissingMessage =
    "Cannot find the gallery folder.\nPlease select a gallery folder in setting window.";
inline constexpr const char* kGalleryMissingCaption = "Check";

}  // namespace lumora
