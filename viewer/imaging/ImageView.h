#pragma once

#include "viewer/imaging/DrawObj.h"
#include "viewer/imaging/ImagingLibrary.h"
#include "viewer/imaging/Overlays.h"
#include "viewer/imaging/PaneFrameBuffer.h"
#include "viewer/imaging/ScaleCalibration.h"
#include "viewer/imaging/CaptureOutput.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

class QMenu;
class QPrinter;

namespace lumora {

struct ViewerSettings;

// What a pane asks of the main form that holds it. Every answer has a default, so a pane works
// on its own (tests, the command line).
class ImageViewHost {
public:
    virtual ~ImageViewHost() = default;
    virtual bool CameraMissing() const { return false; }
    virtual bool WaitingForFirstFrame() const { return false; }
    // Whether one of the main form's drawing-tool buttons is pressed.
    virtual bool DrawingToolPressed() const { return false; }
    // A gallery file is shown: the camera pauses and the jog control shows its file mode.
    virtual void PauseCameraForFile() {}
    // The camera's current zoom (-1 without a camera).
    virtual int CameraZoom() { return -1; }
    // Asked before a capture replaces an existing picture; the default never replaces.
    virtual bool MayReplace(const std::string& /*path*/) { return false; }
};

// Pane states.
enum PaneState { kPaneLive = 0, kPaneStill = 1, kPaneFile = 2 };

// Pane tool codes, as the main form's tool buttons set them.
enum PaneTool { kToolNone = 0, kToolLine = 1, kToolAngle = 2, kToolPolygon = 3, kToolEllipse = 4, kToolRectangle = 5, kToolSelect = 6 };

// Commands of the pane's context menu.
enum PaneCommand {
    kCmdMagnifier = 32774,
    kCmdZoomIn = 32775,
    kCmdZoomOut = 32776,
    kCmdFitWindow = 32777,
    kCmdActualSize = 32778,
    kCmdSendToTessmet = 32779,
    kCmdImageSize = 32780,
    kCmdFitHeight = 32782,
    kCmdFitWidth = 32783,
};

// One image pane of the viewer: the camera's live picture or a still, drawn from the pane's own
// frame buffer with the overlays, or a gallery file shown through the imaging library with
// zoom, fit, scrolling and magnifier; on top, the annotation set and the calibration line. The
// pane also stores what it shows as a capture with its sidecar, prints it, and starts the
// measurement program on the file it shows.
//
// Overlays are drawn on the screen copy while painting, never into the frame buffer, which
// keeps the camera's pixels for captures.
class CImageView : public QWidget {
    Q_OBJECT
public:
    CImageView(const ViewerSettings& settings, ImageViewHost* host = nullptr, QWidget* parent = nullptr);
    ~CImageView() override;

    // --- Operations of the main form and the calibration dialog ------------------------------
    // Loads a gallery file (state 2, also when the file does not load).
    void ShowFile(const QString& path, const QString& unitText, double onePixelLength);
    void ResetToLive();
    void ShowFrame(const uint8_t* bytes, size_t count);
    void ReduceStill();
    void SetMagnification(int magnification);
    void ApplyCalibration();
    void ApplySettings();
    void ShowGrid(bool on);
    void ShowCentreLine(bool on);
    void ShowScale(bool on);
    void ShowMagBar(bool on);
    void ShowMagData(bool on);
    void SetSelected(bool on);
    void Refit();
    // Writes the capture: stem + ".jpg" or ".bmp" with the overlays of the PRINT_IMAGE keys and
    // the annotations burnt in at resolution index 0..3, then its sidecar.
    CaptureOutcome SaveCapture(const std::string& stem, bool jpeg, int resolutionIndex);
    // Asks for a printer (landscape, one copy) and prints the pane; nothing when cancelled.
    void Print();
    // Prints on a printer already set up (the dialog's part done): the page content alone.
    // False when the printer could not start.
    bool PrintTo(QPrinter& printer);
    PaneFrameBuffer& FrameBuffer() { return frame_; }
    const PaneFrameBuffer& FrameBuffer() const { return frame_; }

    void SetPaneState(int state);
    int GetPaneState() const { return paneState_; }
    void SetDrawingEnabled(bool on) { drawingEnabled_ = on; update(); }
    void SetDrawMode(bool on) { drawMode_ = on; }
    void SetTool(int tool) { tool_ = tool; }
    int Tool() const { return tool_; }
    // The calibration dialog's reference line.
    void SetCalibrationLine(bool on);
    QLine CalibrationLine() const { return {calStart_, calEnd_}; }

    // --- Read-outs ---------------------------------------------------------------------------
    int Magnification() const { return magnification_; }
    const QString& ScaleText() const { return style_.scale.text; }
    QPoint ScaleAnchor() const { return style_.scale.anchor; }
    const OverlayStyle& Style() const { return style_; }
    const OverlaySwitches& Switches() const { return switches_; }
    int ZoomPercent() const { return zoom_; }
    bool MagnifierOn() const { return magnifier_; }
    bool Selected() const { return selected_; }
    int WheelLines() const { return wheelLines_; }
    void SetWheelLines(int lines) { wheelLines_ = lines; }
    const QString& ImagePath() const { return imagePath_; }
    ImagingLibrary& Library() { return *library_; }
    CDrawObj& Annotations() { return annotations_; }
    // The area a live or still picture is drawn in: the client area, narrowed or widened to
    // 4:3 when it is taller than 400 pixels.
    QRect LiveArea() const;
    // The context menu as it would open now; null in the live and still states.
    std::unique_ptr<QMenu> ContextMenu();
    // A dropped "ImageFormat" record: shows the gallery file it names. False, with nothing
    // changed, for a record that is not one or names a file outside the gallery folder.
    bool DropImageFormat(const QByteArray& record);
    // Runs a context-menu command.
    void RunCommand(int command);
    // The program and arguments that send the shown file to the measurement program.
    QString TessmetProgram() const;
    QStringList TessmetArguments() const;

signals:
    // A left press that no overlay or tool took: the main form makes this pane active.
    void activated(int paneState);
    // The calibration line's length, √(dx² + dy²), while it is drawn.
    void calibrationDistance(double distance);
    // A message for the user (the measurement program could not be started).
    void message(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void InitialSetUp();
    void PaintPane(QPainter& painter);
    void PaintLive(QPainter& painter);
    void PaintFile(QPainter& painter);
    void ApplyScale(const ScaleCalibration& scale);
    bool FileShown() const { return paneState_ == kPaneFile && library_->isValid(); }
    PointMapping FileMapping() const;  // image pixels to the window
    QPoint ToImage(QPoint window) const;  // the window point handed to annotations
    QPoint Snapped(QPoint start, QPoint end, Qt::KeyboardModifiers modifiers) const;
    void ZoomIn();
    void ZoomOut();
    void Fit(FitMode mode);
    void SendToTessmet();
    void UpdateCursor(QPoint at);
    void ConfineCursor(bool on);
    void Scroll(ImagingLibrary::Bar bar, ScrollAction action);
    void ReportCalibrationDistance();

    const ViewerSettings& settings_;
    ImageViewHost* host_;
    ImageViewHost defaultHost_;
    PaneFrameBuffer frame_;
    QImage screen_;  // the frame buffer as the screen paints it
    bool screenStale_ = true;
    ImagingLibrary* library_;  // child
    QString imagePath_;
    QSize imageSize_;
    int zoom_ = 100;
    bool magnifier_ = false;

    int paneState_ = kPaneLive;
    int magnification_ = 1;
    OverlayStyle style_;
    OverlaySwitches switches_;
    uint32_t crossColour_ = Rgb(255, 0, 0);
    QPoint crossPos_;
    bool selected_ = false;
    bool drawingEnabled_ = false;
    bool drawMode_ = false;
    int tool_ = kToolNone;
    bool calibrationLine_ = false;
    QPoint calStart_, calEnd_;
    CDrawObj* grabbed_ = nullptr;
    QPoint lastMove_;
    bool scaleDrag_ = false;
    QPoint dragOrigin_;
    bool cursorConfined_ = false;
    int wheelLines_ = 3;
    CDrawObj annotations_;
    bool setUp_ = false;
};

}  // namespace lumora
