#include "viewer/imaging/ImageView.h"

#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/DrawAngleObj.h"
#include "viewer/imaging/ImageFormatRecord.h"
#include "viewer/imaging/TessmetLauncher.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumora {
namespace {

QColor Colour(uint32_t ref) {
    return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF), static_cast<int>((ref >> 16) & 0xFF));
}

const QColor kSelectedFrame(0, 128, 255);
const QColor kPlainFrame(200, 200, 200);

// A name handed over by drag and drop must stay a file of the gallery folder.
bool SafeGalleryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos;
}

}  // namespace

CImageView::CImageView(const ViewerSettings& settings, ImageViewHost* host, QWidget* parent)
    : QWidget(parent), settings_(settings), host_(host ? host : &defaultHost_), library_(new ImagingLibrary(this)) {
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Every paint covers the whole client area, so the background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const int lines = QApplication::wheelScrollLines();
    wheelLines_ = lines >= 0 ? lines : 3;
    connect(library_, &ImagingLibrary::displayChanged, this, [this] { update(); });
}

CImageView::~CImageView() = default;

void CImageView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    InitialSetUp();
}

void CImageView::InitialSetUp() {
    if (setUp_) return;
    setUp_ = true;
    annotations_.CreateTemplates();
    const bool mm = settings_.calibrationUnit != 0;
    // The templates start with millimetre texts whatever the unit; the decimals follow it.
    annotations_.SetCalibration(settings_.onePixelSize, AngleUnitText(settings_), AreaUnitText(settings_, true),
                                LengthUnitText(settings_, true), AreaUnitText(settings_, true),
                                AreaUnitText(settings_, true), mm ? 1 : 0, settings_.arrowStyle,
                                settings_.lineThickness + 1);
    library_->setMagnifierOption(ImagingLibrary::MagnifierOption::LensWidth, 240);
    library_->setMagnifierOption(ImagingLibrary::MagnifierOption::LensHeight, 180);
    library_->setMagnifierOption(ImagingLibrary::MagnifierOption::Factor, 3);
}

// --- Operations -----------------------------------------------------------------------------

void CImageView::ShowFile(const QString& path, const QString& unitText, double onePixelLength) {
    InitialSetUp();
    paneState_ = kPaneFile;
    if (library_->isValid()) library_->free();
    imagePath_.clear();
    if (library_->load(path.toStdString()) != 0) {
        update();
        return;
    }
    annotations_.Clear(false);
    ApplyScale(FileScale(unitText, onePixelLength, settings_));
    imagePath_ = path;
    zoom_ = 100;
    imageSize_ = library_->imageSize();
    library_->setSmoothScaling(true);
    library_->setCentred(true);
    setUpdatesEnabled(false);
    library_->bindWindow(this);
    setUpdatesEnabled(true);
    library_->showAtZoom(zoom_);
    library_->setSourceArea(QRect(QPoint(0, 0), imageSize_));
    zoom_ = library_->fit(FitMode::ActualSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    host_->PauseCameraForFile();
    update();
}

void CImageView::ResetToLive() {
    if (library_->isValid()) library_->free();
    imagePath_.clear();
    selected_ = false;
    paneState_ = kPaneLive;
    magnification_ = 1;
    frame_.ResetGrey();
    screenStale_ = true;
    Refit();
    update();
}

void CImageView::ShowFrame(const uint8_t* bytes, size_t count) {
    frame_.ShowFrame(bytes, count);
    screenStale_ = true;
    // Only the picture's area changed; the overlays are redrawn over it.
    update(LiveArea());
}

void CImageView::ReduceStill() {
    frame_.ReduceTo640x480();
    screenStale_ = true;
    update();
}

void CImageView::ApplyScale(const ScaleCalibration& scale) {
    style_.scale.text = scale.scaleText;
    const AnnotationCalibration& a = scale.annotation;
    annotations_.SetCalibration(a.pixelLength, a.angleText, a.areaText, a.lengthText, a.areaText, a.areaText,
                                a.decimals, settings_.arrowStyle, settings_.lineThickness + 1);
}

void CImageView::SetMagnification(int m) {
    if (paneState_ == kPaneFile) return;
    magnification_ = m > 0 ? m : 1;
    ApplyScale(MagnificationScale(magnification_, settings_));
    update();
}

void CImageView::ApplyCalibration() {
    if (settings_.calibrationApplied != 0)
        ApplyScale(AppliedCalibrationScale(settings_));
    else if (paneState_ != kPaneFile)
        SetMagnification(host_->CameraZoom());
    update();
}

void CImageView::ApplySettings() {
    style_ = StyleFromSettings(settings_, style_);
    crossColour_ = static_cast<uint32_t>(TextAsInt(settings_.crossColor));
    update();
}

void CImageView::ShowGrid(bool on) { switches_.grid = on; update(); }
void CImageView::ShowCentreLine(bool on) { switches_.centreLine = on; update(); }
void CImageView::ShowScale(bool on) { switches_.scale = on; update(); }
void CImageView::ShowMagBar(bool on) { switches_.magBar = on; update(); }
void CImageView::ShowMagData(bool on) { switches_.magData = on; update(); }
void CImageView::SetSelected(bool on) { selected_ = on; update(); }

void CImageView::SetPaneState(int state) {
    paneState_ = state;
    update();
}

void CImageView::SetCalibrationLine(bool on) {
    calibrationLine_ = on;
    if (!on) calStart_ = calEnd_ = QPoint();
    update();
}

void CImageView::Refit() {
    if (paneState_ == kPaneFile) {
        if (library_->isValid()) zoom_ = library_->fit(FitMode::Height);
    } else if (library_->isValid()) {
        zoom_ = library_->fit(FitMode::Window);
    }
}

CaptureOutcome CImageView::SaveCapture(const std::string& stem, bool jpeg, int resolutionIndex) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CaptureContent content{style_, magnification_, resolutionIndex, &annotations_};
    const QImage picture = ComposeCapture(frame_, content, settings_);
    const std::string sidecar = MagnificationFileText(magnification_, frame_.Width(), settings_);
    const CaptureOutcome outcome = StoreCapture(picture, stem, jpeg, sidecar, [this](const std::string& path) {
        QApplication::restoreOverrideCursor();
        const bool replace = host_->MayReplace(path);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return replace;
    });
    QApplication::restoreOverrideCursor();
    return outcome;
}

// --- Printing -------------------------------------------------------------------------------

void CImageView::Print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setCopyCount(1);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted) return;
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setCopyCount(1);
    PrintTo(printer);
}

bool CImageView::PrintTo(QPrinter& printer) {
    printer.setDocName(QStringLiteral("Lumora"));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    QImage page(1024, 768, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter pagePainter(&page);
        const QImage file = FileShown() ? QImage(imagePath_) : QImage();
        if (!file.isNull()) {
            pagePainter.drawImage(page.rect(), file);
        } else {
            if (screenStale_) frame_.ToImage(screen_);
            screenStale_ = false;
            pagePainter.drawImage(page.rect(), screen_);
        }
    }
    const QRect target(0, 0, printer.width(), printer.height());
    painter.drawImage(target, page);
    // Then the pane as it paints on the screen, in the printer's own pixels.
    PaintPane(painter);
    return painter.end();
}

// --- Painting -------------------------------------------------------------------------------

QRect CImageView::LiveArea() const {
    QRect area = rect();
    if (area.height() > 400) area = QRect(0, 0, static_cast<int>(area.height() * 1.3333333333333333), area.height());
    return area;
}

void CImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPane(painter);
}

void CImageView::PaintPane(QPainter& painter) {
    if (paneState_ != kPaneFile)
        PaintLive(painter);
    else
        PaintFile(painter);
}

void CImageView::PaintLive(QPainter& painter) {
    const QRect area = LiveArea();
    if (screenStale_) {
        frame_.ToImage(screen_);
        screenStale_ = false;
    }
    // Outside a 4:3 area the client shows the window's own background.
    const QRect client = rect();
    if (!area.contains(client)) {
        const QRegion rest = QRegion(client).subtracted(area);
        for (const QRect& r : rest) painter.fillRect(r, palette().window());
    }
    if (screen_.size() == area.size())
        painter.drawImage(area.topLeft(), screen_);
    else
        painter.drawImage(area, screen_);

    if (host_->CameraMissing() || host_->WaitingForFirstFrame()) {
        const bool missing = host_->CameraMissing();
        painter.setPen(missing ? QColor(100, 0, 0) : QColor(100, 200, 0));
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine,
                         missing ? QStringLiteral("Cannot find camera device") : QStringLiteral("PLEASE PRESS MENU/ENTER BUTTON."));
    }
    if (switches_.grid) DrawGrid(painter, style_.grid, 0);
    if (switches_.centreLine) DrawCentreLine(painter, style_.centreLine, 1.0);
    if (switches_.scale && magnification_ > 5) DrawScale(painter, style_.scale, style_.scale.length, -1);
    if (switches_.magBar && drawingEnabled_) DrawMagBar(painter, style_.scale, 1.0, magnification_);
    if (switches_.magData && drawingEnabled_) DrawMagData(painter, style_.scale, 0, magnification_);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(selected_ ? kSelectedFrame : kPlainFrame, 2));
    painter.drawRect(area.adjusted(1, 1, -1, -1));
    if (drawingEnabled_) {
        if (tool_ != kToolNone && settings_.useCrossLine != 0) {
            painter.setPen(QPen(Colour(crossColour_), 1));
            painter.drawLine(area.left(), crossPos_.y(), area.right(), crossPos_.y());
            painter.drawLine(crossPos_.x(), area.top(), crossPos_.x(), area.bottom());
        }
        annotations_.DrawAll(painter, 1.0);
        if (calibrationLine_) {
            painter.setPen(QPen(Qt::black, 1));
            painter.drawLine(calStart_, calEnd_);
        }
    }
}

void CImageView::PaintFile(QPainter& painter) {
    painter.fillRect(rect(), palette().window());
    if (!library_->isValid()) return;
    library_->paint(painter);
    const QRect a = library_->imageRect();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(selected_ ? kSelectedFrame : kPlainFrame, 2));
    painter.drawRect(a.adjusted(1, 1, -1, -1));
    if (drawingEnabled_) {
        if (tool_ != kToolNone) {
            painter.setPen(QPen(QColor(255, 0, 0), 1));
            painter.drawLine(0, crossPos_.y(), width(), crossPos_.y());
            painter.drawLine(crossPos_.x(), 0, crossPos_.x(), height());
        }
        annotations_.DrawAllMapped(painter, 1.0, FileMapping());
    }
}

void CImageView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (library_->isValid()) zoom_ = library_->relayout();
}

// --- Mouse ----------------------------------------------------------------------------------

PointMapping CImageView::FileMapping() const {
    const QRect a = library_->imageRect(), b = library_->displayRect();
    PointMapping m;
    m.offsetX = b.left();
    m.offsetY = b.top();
    m.factorX = a.width() > 0 ? static_cast<double>(b.width()) / a.width() : 1.0;
    m.factorY = a.height() > 0 ? static_cast<double>(b.height()) / a.height() : 1.0;
    return m;
}

QPoint CImageView::ToImage(QPoint p) const {
    if (cursorConfined_) p = QPoint(std::clamp(p.x(), 0, std::max(0, width() - 1)), std::clamp(p.y(), 0, std::max(0, height() - 1)));
    if (!FileShown()) return p;
    const QRect a = library_->imageRect(), b = library_->displayRect();
    if (b.width() <= 0 || b.height() <= 0) return p;
    return {static_cast<int>(static_cast<double>(p.x() - b.left()) / b.width() * a.width()),
            static_cast<int>(static_cast<double>(p.y() - b.top()) / b.height() * a.height())};
}

QPoint CImageView::Snapped(QPoint start, QPoint end, Qt::KeyboardModifiers modifiers) const {
    const int dx = end.x() - start.x(), dy = end.y() - start.y();
    if (!(modifiers & Qt::ShiftModifier) || dx == 0 || dy == 0) return end;
    const double a = std::abs(dx), b = std::abs(dy);
    const double ratio = a / b;
    if (ratio <= 0.8 || ratio >= 1.2) {
        if (b < a) return {end.x(), start.y()};
        if (a < b) return {start.x(), end.y()};
        return end;
    }
    if (a < b) return {end.x(), start.y() + (dy < 0 ? -static_cast<int>(a) : static_cast<int>(a))};
    return {start.x() + (dx < 0 ? -static_cast<int>(b) : static_cast<int>(b)), end.y()};
}

void CImageView::ReportCalibrationDistance() {
    const double dx = calEnd_.x() - calStart_.x(), dy = calEnd_.y() - calStart_.y();
    emit calibrationDistance(std::sqrt(dx * dx + dy * dy));
}

void CImageView::ConfineCursor(bool on) {
    // The window system here cannot hold the pointer inside a window; drawing points are kept
    // inside the pane instead while a shape asks for it.
    cursorConfined_ = on;
}

void CImageView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (event->modifiers() & Qt::ControlModifier) annotations_.Clear(!(event->modifiers() & Qt::ShiftModifier));
        const QPoint p = ToImage(at);
        if (host_->DrawingToolPressed()) {
            if (tool_ == kToolAngle) {
                if (annotations_.AngleCancel() == 0) annotations_.DeleteNearest(p.x(), p.y(), 20000);
            } else if (tool_ == kToolPolygon) {
                if (annotations_.PolygonRemoveLast() < 0) annotations_.DeleteNearest(p.x(), p.y(), 20000);
            } else {
                annotations_.DeleteNearest(p.x(), p.y(), 20000);
            }
        }
        update();
        return;
    }
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    annotations_.DeselectAll();
    grabbed_ = nullptr;
    if (calibrationLine_ && drawingEnabled_) {
        calStart_ = calEnd_ = at;
        update();
        ReportCalibrationDistance();
        return;
    }
    if (drawMode_ && drawingEnabled_) {
        const QPoint p = ToImage(at);
        switch (tool_) {
            case kToolLine:
                annotations_.LineStart(p.x(), p.y());
                ConfineCursor(true);
                break;
            case kToolAngle: {
                const int r = annotations_.AnglePress(p.x(), p.y());
                if (r == 1) ConfineCursor(true);
                if (r == 2) ConfineCursor(false);
                break;
            }
            case kToolPolygon:
                ConfineCursor(true);
                annotations_.PolygonAddVertex(p.x(), p.y());
                break;
            case kToolEllipse: annotations_.EllipseStart(p.x(), p.y()); break;
            case kToolRectangle: annotations_.RectangleStart(p.x(), p.y()); break;
            case kToolSelect:
                grabbed_ = annotations_.HitTest(p.x(), p.y(), 80);
                if (grabbed_) lastMove_ = at;
                break;
            default: return;
        }
        update();
        return;
    }
    if (FileShown()) {
        if (magnifier_)
            library_->startMagnifier(at);
        else
            library_->press(at);
        emit activated(paneState_);
        return;
    }
    if (paneState_ != kPaneFile && switches_.scale && ScaleLabelBox(style_.scale.anchor, style_.scale.length).contains(at)) {
        dragOrigin_ = at;
        scaleDrag_ = true;
        return;
    }
    emit activated(paneState_);
    QWidget::mousePressEvent(event);
}

void CImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool captured = event->buttons() & Qt::LeftButton;
    UpdateCursor(at);
    if (captured && calibrationLine_ && drawingEnabled_) {
        calEnd_ = Snapped(calStart_, at, event->modifiers());
        update();
        ReportCalibrationDistance();
        return;
    }
    if (drawMode_ && drawingEnabled_) {
        const QPoint p = ToImage(at);
        switch (tool_) {
            case kToolLine: annotations_.LineDrag(p.x(), p.y()); break;
            case kToolAngle: annotations_.AngleDrag(p.x(), p.y()); break;
            case kToolPolygon: annotations_.PolygonFloat(p.x(), p.y()); break;
            case kToolEllipse: annotations_.EllipseDrag(p.x(), p.y()); break;
            case kToolRectangle: annotations_.RectangleDrag(p.x(), p.y()); break;
            case kToolSelect:
                if (captured && grabbed_) {
                    grabbed_->MoveBy(at.x() - lastMove_.x(), at.y() - lastMove_.y());
                    lastMove_ = at;
                }
                break;
            default: return;
        }
        crossPos_ = at;
        update();
        return QWidget::mouseMoveEvent(event);
    }
    if (captured && scaleDrag_ && switches_.scale && paneState_ != kPaneFile) {
        style_.scale.anchor = ClampScaleAnchor(style_.scale.anchor + (at - dragOrigin_), style_.scale.length);
        dragOrigin_ = at;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void CImageView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (switches_.scale && ScaleCornerBox(style_.scale.anchor).contains(at)) return;
        if (paneState_ != kPaneFile || host_->DrawingToolPressed()) return QWidget::mouseReleaseEvent(event);
        if (std::unique_ptr<QMenu> menu = ContextMenu()) {
            if (QAction* chosen = menu->exec(mapToGlobal(at))) RunCommand(chosen->data().toInt());
        }
        return;
    }
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    scaleDrag_ = false;
    if (calibrationLine_ && drawingEnabled_) {
        calEnd_ = Snapped(calStart_, at, event->modifiers());
        update();
        ReportCalibrationDistance();
        return;
    }
    if (drawMode_ && drawingEnabled_) {
        const QPoint p = ToImage(at);
        switch (tool_) {
            case kToolLine:
                annotations_.LineFinish(p.x(), p.y());
                ConfineCursor(false);
                break;
            case kToolAngle: {
                const auto mapping = FileShown() ? std::optional<PointMapping>(FileMapping()) : std::nullopt;
                if (annotations_.AngleRelease(p.x(), p.y(), mapping) == 2) ConfineCursor(false);
                break;
            }
            case kToolPolygon:
                if (annotations_.PolygonVertexCount() >= 1) annotations_.PolygonAddVertex(p.x(), p.y());
                break;
            case kToolEllipse: annotations_.EllipseFinish(p.x(), p.y()); break;
            case kToolRectangle: annotations_.RectangleFinish(p.x(), p.y()); break;
            case kToolSelect: break;
            default: return;
        }
        update();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void CImageView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    annotations_.DeselectAll();
    const QPoint p = ToImage(event->position().toPoint());
    if (tool_ == kToolPolygon) {
        ConfineCursor(false);
        annotations_.PolygonClose(p.x(), p.y());
    } else if (tool_ == kToolSelect) {
        annotations_.HitTest(p.x(), p.y(), 50);
    } else if (tool_ == kToolNone) {
        return;
    }
    update();
    QWidget::mouseDoubleClickEvent(event);
}

void CImageView::UpdateCursor(QPoint at) {
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (paneState_ != kPaneFile) {
        if (switches_.scale && ScaleLabelBox(style_.scale.anchor, style_.scale.length).contains(at))
            shape = Qt::SizeAllCursor;
        else if (!drawingEnabled_)
            shape = paneState_ == kPaneLive ? Qt::ForbiddenCursor : Qt::PointingHandCursor;
        else if (tool_ != kToolNone)
            shape = Qt::CrossCursor;
    } else if (library_->isValid()) {
        shape = host_->DrawingToolPressed() ? Qt::CrossCursor : Qt::OpenHandCursor;
    }
    if (cursor().shape() != shape) setCursor(shape);
}

// --- Zoom, wheel, keys ----------------------------------------------------------------------

void CImageView::ZoomIn() {
    if (!library_->isValid()) return;
    zoom_ = ZoomInPercent(zoom_);
    library_->showAtZoom(zoom_);
}

void CImageView::ZoomOut() {
    if (!library_->isValid()) return;
    zoom_ = ZoomOutPercent(zoom_);
    library_->showAtZoom(zoom_);
}

void CImageView::Fit(FitMode mode) {
    if (library_->isValid()) zoom_ = library_->fit(mode);
}

void CImageView::Scroll(ImagingLibrary::Bar bar, ScrollAction action) {
    if (FileShown()) library_->scroll(bar, action);
    update();
}

void CImageView::wheelEvent(QWheelEvent* event) {
    if (paneState_ != kPaneFile) return;
    const int delta = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        const int k = delta * wheelLines_ / 120;
        if (k > 0)
            ZoomIn();
        else
            ZoomOut();
        return;
    }
    const bool pages = wheelLines_ == -1;
    const int k = pages ? delta / 120 : delta * wheelLines_ / 120;
    const ScrollAction back = pages ? ScrollAction::PageBack : ScrollAction::LineBack;
    const ScrollAction forward = pages ? ScrollAction::PageForward : ScrollAction::LineForward;
    for (int i = 0; i < std::abs(k); ++i) Scroll(ImagingLibrary::Bar::Vertical, k > 0 ? back : forward);
    update();
    QWidget::wheelEvent(event);
}

void CImageView::keyPressEvent(QKeyEvent* event) {
    using Bar = ImagingLibrary::Bar;
    switch (event->key()) {
        case Qt::Key_PageUp: return Scroll(Bar::Vertical, ScrollAction::PageBack);
        case Qt::Key_PageDown: return Scroll(Bar::Vertical, ScrollAction::PageForward);
        case Qt::Key_Home: return Scroll(Bar::Horizontal, ScrollAction::PageBack);
        case Qt::Key_End: return Scroll(Bar::Horizontal, ScrollAction::PageForward);
        case Qt::Key_Up: return Scroll(Bar::Vertical, ScrollAction::LineBack);
        case Qt::Key_Down: return Scroll(Bar::Vertical, ScrollAction::LineForward);
        case Qt::Key_Left: return Scroll(Bar::Horizontal, ScrollAction::LineBack);
        case Qt::Key_Right: return Scroll(Bar::Horizontal, ScrollAction::LineForward);
        default: break;
    }
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (keypad && FileShown() && event->key() == Qt::Key_Plus) return ZoomIn();
    if (keypad && FileShown() && event->key() == Qt::Key_Minus) return ZoomOut();
    const bool undo = (event->modifiers() & Qt::ControlModifier) && (event->key() == Qt::Key_Z || event->key() == Qt::Key_F11);
    if (undo && !event->isAutoRepeat()) {
        if (tool_ != kToolPolygon || annotations_.PolygonRemoveLast() < 0) annotations_.Undelete();
        update();
        return;
    }
    if (event->key() == Qt::Key_Escape && tool_ == kToolPolygon) {
        if (annotations_.PolygonRemoveLast() >= 0) update();
        return;
    }
    QWidget::keyPressEvent(event);
}

// --- Context menu and commands --------------------------------------------------------------

std::unique_ptr<QMenu> CImageView::ContextMenu() {
    if (paneState_ != kPaneFile) return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    const auto add = [&menu](const QString& text, int id) {
        QAction* action = menu->addAction(text);
        action->setData(id);
        return action;
    };
    add(QStringLiteral("Zoom &Out\t-, Ctrl+Wheel Up"), kCmdZoomOut);
    add(QStringLiteral("Zoom In\t+, Ctrl+Wheel Down"), kCmdZoomIn);
    menu->addSeparator();
    add(QStringLiteral("&Fit to Window"), kCmdFitWindow);
    add(QStringLiteral("Fit to &Width"), kCmdFitWidth);
    add(QStringLiteral("Fit to &Height"), kCmdFitHeight);
    add(QStringLiteral("&Actual Size"), kCmdActualSize);
    menu->addSeparator();
    QAction* magnifier = add(QStringLiteral("&Magnifier"), kCmdMagnifier);
    magnifier->setCheckable(true);
    magnifier->setChecked(magnifier_);
    add(QStringLiteral("&Send to Tessmet"), kCmdSendToTessmet);
    if (library_->isValid()) {
        menu->addSeparator();
        QAction* size = add(QStringLiteral("Image Size = %1x%2").arg(imageSize_.width()).arg(imageSize_.height()), kCmdImageSize);
        size->setEnabled(false);
    }
    return menu;
}

void CImageView::RunCommand(int command) {
    if (command == kCmdMagnifier) {
        magnifier_ = !magnifier_;
        return;
    }
    if (!library_->isValid()) return;
    switch (command) {
        case kCmdZoomOut: ZoomOut(); break;
        case kCmdZoomIn: ZoomIn(); break;
        case kCmdFitWindow: Fit(FitMode::Window); break;
        case kCmdFitWidth: Fit(FitMode::Width); break;
        case kCmdFitHeight: Fit(FitMode::Height); break;
        case kCmdActualSize: Fit(FitMode::ActualSize); break;
        case kCmdSendToTessmet:
            if (paneState_ == kPaneFile) SendToTessmet();
            break;
        default: break;
    }
}

QString CImageView::TessmetProgram() const { return TessmetLauncher(settings_).Program(); }

QStringList CImageView::TessmetArguments() const { return TessmetLauncher::Arguments(imagePath_); }

void CImageView::SendToTessmet() {
    const TessmetLauncher launcher(settings_);
    if (!launcher.Start(imagePath_)) emit message(launcher.FailureMessage());
}

// --- Drag and drop --------------------------------------------------------------------------

void CImageView::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasFormat(QString::fromLatin1(kImageFormatMimeType))) return event->ignore();
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void CImageView::dragMoveEvent(QDragMoveEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool both = (mods & Qt::ControlModifier) && (mods & Qt::ShiftModifier);
    if (!event->mimeData()->hasFormat(QString::fromLatin1(kImageFormatMimeType)) || both) return event->ignore();
    event->setDropAction((mods & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

bool CImageView::DropImageFormat(const QByteArray& data) {
    const auto record = DecodeImageFormatRecord(data);
    if (!record || !SafeGalleryName(record->fileName)) return false;
    const double length = std::isfinite(record->onePixelLength) ? record->onePixelLength : 0.0;
    ShowFile(QString::fromStdString(settings_.galleryFolder + "/" + record->fileName), QString::fromStdString(record->unit),
             length);
    return true;
}

void CImageView::dropEvent(QDropEvent* event) {
    if (!DropImageFormat(event->mimeData()->data(QString::fromLatin1(kImageFormatMimeType)))) return event->ignore();
    event->acceptProposedAction();
}

}  // namespace lumora
