#include "measure/workspace/CTessmetView.h"

#include "measure/core/NumberText.h"
#include "measure/core/SnapDirection.h"
#include "measure/core/ViewMapping.h"
#include "measure/core/UnitFormat.h"
#include "measure/draw/MeasureDrawing.h"
#include "measure/draw/ViewFont.h"
#include "measure/processing/PixelAccess.h"
#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/LayerComposition.h"
#include "measure/workspace/MouseTool.h"
#include "measure/workspace/OverlayGeometry.h"
#include "measure/workspace/ShowMessage.h"
#include "measure/workspace/TextEntry.h"
#include "measure/workspace/ViewHost.h"
#include "measure/workspace/ViewOverlays.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace tessmet {
namespace {

MeasureLook MeasureLookFrom(const Settings& s) {
    MeasureLook look;
    look.arrows = s.measArrow != 0;
    look.fillArea = s.measSquare != 0;
    look.font = s.font;
    return look;
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

Point ToPoint(QPoint p) { return {p.x(), p.y()}; }

// The pixel read-out of status pane 0: "(%d, %d)", with the original picture's channels while
// the colour distribution window is visible.
QString PixelReadout(const Dib& original, QPoint image, bool withColour) {
    QString text = QStringLiteral("(%1, %2)").arg(image.x()).arg(image.y());
    if (!withColour || !original.contains(image.x(), image.y())) return text;
    const uint8_t* p = original.pixel(image.x(), image.y());
    const int bits = original.bitsPerPixel();
    return text + QStringLiteral("  R=%1 G=%2 B=%3")
                      .arg(ReadChannel(p, Channel::Red, bits))
                      .arg(ReadChannel(p, Channel::Green, bits))
                      .arg(ReadChannel(p, Channel::Blue, bits));
}

}  // namespace

// What the mouse tools see of their view.
class ViewToolTarget final : public ToolTarget {
public:
    explicit ViewToolTarget(CTessmetView& view) : view_(view) {}

    double zoom() const override { return view_.zoom_; }
    QSize imageSize() const override { return view_.imageSize(); }
    QPoint scrollPosition() const override { return view_.scrollPosition(); }
    CalibrationValues calibration() const override { return view_.calibration(); }
    OverlayLook overlayLook() const override {
        const Settings& s = view_.host_.settings();
        return OverlayLookFrom(s.addUseXor, s.addColor, s.measArrow, s.font);
    }
    Point toImage(Point v) const override { return ToImage(v, view_.zoom_, view_.images_.width(), view_.images_.height()); }

    void completeMeasurement(ObjectKind kind, std::span<const Point> viewPoints,
                             std::optional<long long> areaCount) override {
        const Settings& s = view_.host_.settings();
        CompleteRequest request;
        request.kind = kind;
        request.viewPoints = viewPoints;
        request.zoom = view_.zoom_;
        request.pen = s.measurePen;
        request.areaCount = areaCount;
        // A construction without a result records nothing; the tool starts over.
        request.mask = &view_.mask_;
        QRect drawn;
        request.drawn = &drawn;
        const int code = CompleteMeasurement(request, calibration(), MeasureLookFrom(s), view_.images_.display(), view_.store_);
        // What it drew is composed again with the record, in its place among the layers.
        view_.foreign_ |= drawn;
        if (code != 0) {
            view_.viewport()->update();
            return;
        }
        LayerFlags flags = view_.flags_;
        flags.measureLayer = true;
        view_.changeFlags(flags);
        view_.Rebuild();
        view_.host_.measurementsChanged(&view_);
    }

    void addDrawObject(ObjectKind kind, std::vector<int32_t> geometry, const std::string& text) override {
        view_.AddDrawObject(kind, geometry, text);
    }

    void setRegion(const RegionOfInterest& region) override { view_.SetRegion(region); }

    std::optional<std::string> editText(const QRect& clientBox) override {
        // The main window outlives its views; the view might not survive the nested loop.
        ViewHost& host = view_.host_;
        QPointer<CTessmetView> alive(&view_);
        host.setMainWindowEnabled(false);
        const std::optional<QString> text =
            RunTextEntry(view_.viewport(), clientBox, ViewFont(host.settings().font),
                         [&](QLineEdit* editor) { emit view_.textEditorOpened(editor); });
        host.setMainWindowEnabled(true);
        if (!alive || !text) return std::nullopt;
        return text->toStdString();
    }

    void finishCalibration(const std::array<Point, 4>& imagePoints) override {
        view_.host_.finishCalibration(imagePoints);
    }

    void showCalibrationGuide(int line1, int line2, QPoint offset) override {
        view_.host_.showCalibrationGuide(line1, line2, offset);
    }

private:
    CTessmetView& view_;
};

CTessmetView::CTessmetView(ViewHost& host, std::unique_ptr<CTessmetDoc> document, QWidget* parent)
    : QAbstractScrollArea(parent),
      host_(host),
      document_(document ? std::move(document) : std::make_unique<CTessmetDoc>(std::string())),
      target_(std::make_unique<ViewToolTarget>(*this)) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    // Every paint covers the whole client area with the off-screen copy.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
}

CTessmetView::~CTessmetView() = default;

int CTessmetView::LoadImage() {
    const int code = document_->LoadImage(images_);
    if (code != 0) return code;
    afterPictureLoaded();
    return 0;
}

int CTessmetView::SetPicture(Dib picture) {
    const int bits = picture.bitsPerPixel();
    if (picture.isNull() || (bits != 16 && bits != 24 && bits != 32)) return StringId::FileNotOpened;
    images_ = ImageSet::FromPicture(std::move(picture));
    document_->calibration().imageWidth = images_.width();
    document_->calibration().imageHeight = images_.height();
    afterPictureLoaded();
    return 0;
}

void CTessmetView::afterPictureLoaded() {
    composer_.ProcessingCleared();  // a new image set: processing layer all zero
    foreign_ = QRegion();
    zoom_ = 1.0;
    region_ = RegionOfInterest();
    regionSpans_.reset();
    clicks_.Reset(clicks_.tool());
    Rebuild();
    updateScrollBars();
    ScrollTo(QPoint(0, 0));
    emit imageLoaded(imageSize());
}

CalibrationValues CTessmetView::calibration() const {
    return EffectiveCalibration(document_->calibration(), host_.sharedCalibration());
}

void CTessmetView::Rebuild(bool recompute) {
    const Settings& s = host_.settings();
    const QRegion changed = composer_.Update(
        images_, LayerSources{store_, region_, flags_, calibration(), MeasureLookFrom(s), recompute, &mask_}, foreign_);
    foreign_ = QRegion();
    if (composer_.lastWasFull()) {
        scaler_.Invalidate();
    } else {
        for (const QRect& rect : changed) scaler_.Invalidate(rect);
    }
    viewport()->update();
}

void CTessmetView::SetFlags(const LayerFlags& flags) {
    const LayerFlags old = flags_;
    flags_ = flags;
    if (old.scale && !flags.scale) host_.setStatusText(1, Text(ResolutionText(calibration())));
    const bool layersChanged = old.originalLayer != flags.originalLayer || old.processingLayer != flags.processingLayer ||
                               old.measureLayer != flags.measureLayer || old.drawLayer != flags.drawLayer;
    // The overlays live on the screen copy only; the composition needs the four layers.
    if (layersChanged) {
        Rebuild();
    } else {
        viewport()->update();
    }
}

void CTessmetView::changeFlags(const LayerFlags& flags) {
    flags_ = flags;
    host_.setFlags(flags_);
}

void CTessmetView::DisplayChanged() {
    composer_.Forget();
    scaler_.Invalidate();
    viewport()->update();
}

void CTessmetView::DisplayChanged(const QRect& imageRect) {
    foreign_ |= imageRect;
    scaler_.Invalidate(imageRect);
    viewport()->update();
}

// Zoom and scrolling ------------------------------------------------------------------------

void CTessmetView::SetZoom(double zoom, std::optional<double> oldZoom) {
    if (!(zoom > 0.0)) return;
    const QPoint oldScroll = scrollPosition();
    zoom_ = zoom;
    updateScrollBars();
    if (oldZoom && *oldZoom > 0.0) {
        ScrollTo(ScrollAfterZoom(oldScroll, clientSize(), *oldZoom, zoom, mapping().scrollRange()));
    }
    viewport()->update();
}

QPoint CTessmetView::scrollPosition() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

QSize CTessmetView::clientSize() const { return viewport()->size(); }

void CTessmetView::ScrollTo(QPoint position) {
    const QPoint p = ClampScroll(position, clientSize(), mapping().scrollRange());
    horizontalScrollBar()->setValue(p.x());
    verticalScrollBar()->setValue(p.y());
}

void CTessmetView::ScrollStep(int dx, int dy) {
    const int step = TruncateToInt(kScrollStep * zoom_);
    ScrollTo(scrollPosition() + QPoint(dx * step, dy * step));
}

void CTessmetView::updateScrollBars() {
    const QSize range = mapping().scrollRange();
    // Against the client area without scroll bars first: an image that fits needs none, even
    // while bars shown for a smaller window still take their room.
    const QSize whole = maximumViewportSize();
    const QSize client = range.width() <= whole.width() && range.height() <= whole.height() ? whole : clientSize();
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    horizontalScrollBar()->setRange(0, std::max(range.width() - client.width(), 0));
    verticalScrollBar()->setRange(0, std::max(range.height() - client.height(), 0));
}

void CTessmetView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CTessmetView::scrollContentsBy(int, int) {
    // The overlays follow the visible area, so the whole client area is painted again rather
    // than moved. Overlays that follow the cursor take their place from the next paint; the
    // read-out of pane 0 no longer matches the pixel under the cursor.
    if (flags_.scale || flags_.horizontalLuminance || flags_.verticalLuminance) host_.setStatusText(0, QString());
    viewport()->update();
}

void CTessmetView::keyPressEvent(QKeyEvent* event) {
    // Arrows, Enter and ESC are the main window's accelerators; the view takes no keys itself.
    event->ignore();
}

// Tools --------------------------------------------------------------------------------------

void CTessmetView::followCurrentTool() {
    // The main window may change the tool without telling the view (ESC); the points placed for
    // another tool are then forgotten.
    const ToolMode tool = host_.currentTool();
    if (tool == clicks_.tool()) return;
    clicks_.Reset(tool);
    tool_ = MakeMouseTool(tool);
}

void CTessmetView::ForgetPoints() {
    clicks_.Reset(host_.currentTool());
    tool_ = MakeMouseTool(clicks_.tool());
    viewport()->update();
}

void CTessmetView::mousePressEvent(QMouseEvent* event) {
    // Clicks act on release.
    event->accept();
}

void CTessmetView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const QPoint client = event->position().toPoint();
    cursor_ = client;
    if (event->button() == Qt::LeftButton) {
        leftButtonUp(client, event->modifiers().testFlag(Qt::ShiftModifier));
    } else if (event->button() == Qt::RightButton) {
        rightButtonUp(client);
    }
}

void CTessmetView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) doubleClick();
}

void CTessmetView::leftButtonUp(QPoint client, bool shift) {
    followCurrentTool();
    const ToolMode tool = clicks_.tool();
    Point p = ToPoint(client + scrollPosition());

    if (tool == Tool::None || tool == Tool::MouseZoom) {
        ScrollTo(ScrollToCentre(QPoint(p.x, p.y), clientSize(), mapping().scrollRange()));
        if (tool == Tool::MouseZoom) host_.runCommand(CommandId::ZoomUp);
        ForgetPoints();
        return;
    }
    if (!tool_) return;

    // SHIFT keeps the new point on a 15-degree direction from the last one; never the label.
    if (!clicks_.empty() && shift && !clicks_.WaitingForLabel()) {
        const Point previous = clicks_.points().back();
        const Point v = SnapDirection({p.x - previous.x, p.y - previous.y});
        p = {previous.x + v.x, previous.y + v.y};
    }
    // A new region starts from the whole image.
    if (IsRegionTool(tool) && clicks_.empty() && !region_.isWholeImage()) {
        region_ = RegionOfInterest();
        regionSpans_.reset();
        Rebuild();
        host_.regionChanged(this);
    }
    if (clicks_.Contains(p) || !tool_->accepts(clicks_.points(), p, *target_)) return;

    const bool complete = clicks_.Place(p);
    tool_->pointPlaced(clicks_, *target_);
    if (complete) {
        const ClickSequence done = clicks_;
        clicks_.Reset(tool);
        // The tool object finishes the figure; the text tool runs a nested event loop, so the
        // object is kept alive here whatever happens to the current tool meanwhile.
        const std::unique_ptr<MouseTool> finishing = std::move(tool_);
        tool_ = MakeMouseTool(tool);
        QPointer<CTessmetView> alive(this);
        finishing->complete(done, *target_);
        if (!alive) return;
    }
    refreshCursorReadout();
    viewport()->update();
}

void CTessmetView::rightButtonUp(QPoint client) {
    followCurrentTool();
    if (clicks_.StepBack()) {
        if (tool_) tool_->pointTakenBack(clicks_, *target_);
        refreshCursorReadout();
        viewport()->update();
    }
    const ToolMode tool = clicks_.tool();
    if (tool == Tool::None || tool == Tool::MouseZoom) {
        const QPoint p = client + scrollPosition();
        ScrollTo(ScrollToCentre(p, clientSize(), mapping().scrollRange()));
        if (tool == Tool::MouseZoom) host_.runCommand(CommandId::ZoomDown);
        ForgetPoints();
    }
}

void CTessmetView::doubleClick() {
    followCurrentTool();
    if (!IsPolygonTool(clicks_.tool())) return;
    clicks_.DoubleClick([this](std::span<const Point> points) { return AreaPixelCount(points, *target_); });
}

// The mouse read-out --------------------------------------------------------------------------

void CTessmetView::mouseMoveEvent(QMouseEvent* event) {
    cursor_ = event->position().toPoint();
    refreshCursorReadout();
}

bool CTessmetView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) {
        cursor_.reset();
        viewport()->update();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

bool CTessmetView::cursorOnImage() const { return cursor_ && mapping().onImage(*cursor_ + scrollPosition()); }

void CTessmetView::refreshCursorReadout() {
    followCurrentTool();
    if (!cursor_ || images_.isNull()) return;
    const QPoint p = *cursor_ + scrollPosition();
    const QPoint image = mapping().toImage(p);
    if (clicks_.empty() || !tool_) {
        host_.setStatusText(0, PixelReadout(images_.original(), image, host_.colourDistributionVisible()));
    } else {
        host_.setStatusText(0, Text(tool_->statusText(clicks_, ToPoint(p), *target_)));
    }
    if (flags_.scale && !tool_ && cursorOnImage()) {
        const QRect visible(scrollPosition(), clientSize());
        const CalibrationValues c = calibration();
        host_.setStatusText(1, Text(ScalePitchText(c, ScaleRuler(c, zoom_, imageSize(), visible, p))));
    }
    if (flags_.scale || flags_.horizontalLuminance || flags_.verticalLuminance || !clicks_.empty()) {
        viewport()->update();
    }
    // The zoom window shows black beyond the image, so it gets the point unclamped.
    if (host_.zoomWindowVisible()) {
        host_.zoomWindowFollow(this, QPoint(TruncateToInt(p.x() / zoom_), TruncateToInt(p.y() / zoom_)));
    }
}

// Painting ------------------------------------------------------------------------------------

void CTessmetView::drawOverlays(QImage& frame) {
    const QPoint scroll = scrollPosition();
    const Settings& s = host_.settings();
    OverlayScene scene;
    scene.flags = flags_;
    scene.zoom = zoom_;
    scene.image = imageSize();
    scene.visible = QRect(scroll, frame.size());
    scene.gridDistance = s.gridDistance;
    scene.centreOffset = QPoint(s.centerLineOffX, s.centerLineOffY);
    scene.look = OverlayLookFrom(s.addUseXor, s.addColor, s.measArrow, s.font);
    scene.calibration = calibration();

    Canvas canvas(frame, scroll);
    DrawCentreAndGrid(canvas, scene);
    if (!cursorOnImage()) return;
    const QPoint p = *cursor_ + scroll;
    if (tool_ && !clicks_.empty()) {
        tool_->drawRubberBand(canvas, clicks_, ToPoint(p), *target_);
    } else if (!tool_) {
        DrawCursorOverlays(canvas, scene, p, images_.original());
    }
    canvas.flush();
}

QImage CTessmetView::RenderVisible() {
    followCurrentTool();
    QImage& frame = scaler_.Render(images_.display(), zoom_, scrollPosition(), clientSize());
    drawOverlays(frame);
    return frame.copy();
}

void CTessmetView::paintEvent(QPaintEvent*) {
    followCurrentTool();
    QImage& frame = scaler_.Render(images_.display(), zoom_, scrollPosition(), clientSize());
    drawOverlays(frame);
    QPainter painter(viewport());
    painter.drawImage(0, 0, frame);
}

// Commands ------------------------------------------------------------------------------------

void CTessmetView::Undo() {
    store_.Undo();
    Rebuild();
    host_.measurementsChanged(this);
}

void CTessmetView::ClearMeasurements() {
    store_.ClearKinds(Kind::MeasureMask);
    LayerFlags flags = flags_;
    flags.measureLayer = false;
    changeFlags(flags);
    Rebuild();
    host_.measurementsChanged(this);
}

void CTessmetView::ClearDrawObjects() {
    store_.ClearKinds(Kind::DrawMask);
    LayerFlags flags = flags_;
    flags.drawLayer = false;
    changeFlags(flags);
    Rebuild();
    host_.measurementsChanged(this);
}

void CTessmetView::ClearProcessing() {
    images_.processing().fill(0);
    composer_.ProcessingCleared();
    LayerFlags flags = flags_;
    flags.processingLayer = false;
    changeFlags(flags);
    Rebuild();
}

void CTessmetView::ProcessingChanged() {
    composer_.ProcessingChanged();
    LayerFlags flags = flags_;
    flags.processingLayer = true;
    changeFlags(flags);
    Rebuild();
}

int CTessmetView::SetRegion(int type, Point a, Point b) {
    const int w = images_.width(), h = images_.height();
    const auto inside = [&](Point p) { return p.x >= 0 && p.y >= 0 && p.x < w && p.y < h; };
    if ((type != RoiType::Rectangle && type != RoiType::Ellipse) || !inside(a) || !inside(b) || a.x == b.x || a.y == b.y) {
        return StringId::RoiNotSetup;
    }
    SetRegion(type == RoiType::Rectangle ? RegionOfInterest::Rectangle(a, b) : RegionOfInterest::Ellipse(a, b));
    return 0;
}

void CTessmetView::SetRegion(const RegionOfInterest& region) {
    region_ = region;
    regionSpans_.reset();
    LayerFlags flags = flags_;
    flags.processingLayer = true;
    changeFlags(flags);
    Rebuild();
    host_.regionChanged(this);
}

const RoiSpans& CTessmetView::regionSpans() const {
    if (!regionSpans_) regionSpans_ = region_.spans(images_.width(), images_.height());
    return *regionSpans_;
}

void CTessmetView::ClearRegion() {
    region_ = RegionOfInterest();
    regionSpans_.reset();
    Rebuild();
    host_.regionChanged(this);
}

void CTessmetView::PreviewRegion(const RegionOfInterest& region) {
    Rebuild();
    if (images_.isNull()) return;
    QRect drawn;
    {
        Canvas canvas(images_.display(), mask_);
        DrawRegionOutline(canvas, region);
        canvas.flush();
        drawn = canvas.takeTouched();
    }
    if (!drawn.isEmpty()) DisplayChanged(drawn);
}

int CTessmetView::AddDrawObject(ObjectKind kind, std::span<const int32_t> geometry, const std::string& text) {
    size_t expected = 0;
    switch (kind) {
        case Kind::Line:
        case Kind::Rectangle: expected = 4; break;
        case Kind::Circle: expected = 3; break;
        case Kind::Text: expected = 2; break;
        default: return -1;
    }
    if (geometry.size() != expected || (kind == Kind::Text && text.empty())) return -1;
    const Pen& pen = host_.settings().drawPen;
    std::vector<int32_t> fields(geometry.begin(), geometry.end());
    fields.insert(fields.end(), {pen.style, pen.width, pen.color});
    const std::string stored = kind == Kind::Text ? QString::fromStdString(text).left(TextEntryBox::kMaxLength).toStdString() : std::string();
    if (store_.Add(kind, fields, stored) != 0) return -1;
    LayerFlags flags = flags_;
    flags.drawLayer = true;
    changeFlags(flags);
    Rebuild();
    host_.measurementsChanged(this);
    return 0;
}

std::optional<SaveResult> CTessmetView::Save() {
    if (ShowMessage(host_.messages(), StringId::ConfirmOverwrite, MessageIcon::Information, MessageButtons::YesNo) !=
        MessageAnswer::Yes) {
        return std::nullopt;
    }
    return document_->Save(images_, host_.settings().jpegQuality, [this](ImageSet&) { Rebuild(); });
}

SaveResult CTessmetView::SaveAs(const std::string& path) {
    return document_->SaveAs(path, images_, host_.settings().jpegQuality, [this](ImageSet&) { Rebuild(); });
}

int CTessmetView::RedrawRecord(ObjectKind kind, int index, bool inverted) {
    GraphicRecord record;
    if (images_.isNull() || store_.Get(kind, index, record) != 0) return -1;
    std::vector<int32_t> fields = record.fields;
    // The pen is the last three fields; the all-zero pen draws by inverting.
    if (inverted && fields.size() >= 3) std::fill(fields.end() - 3, fields.end(), 0);
    int drawn = 0;
    QRect touched;
    {
        Canvas canvas(images_.display(), mask_);
        drawn = DrawRecord(canvas, kind, fields, calibration(), MeasureLookFrom(host_.settings()), false);
        canvas.flush();
        touched = canvas.takeTouched();
    }
    if (drawn != 0) return -1;
    // Only what the blink drew is redone at the next composition.
    if (!touched.isEmpty()) DisplayChanged(touched);
    return 0;
}

// Activation ----------------------------------------------------------------------------------

void CTessmetView::OnActivate() {
    host_.setFlags(flags_);
    host_.viewActivated(this);
    host_.setStatusText(1, Text(ResolutionText(calibration())));
}

void CTessmetView::OnDeactivate() {
    ForgetPoints();
    host_.viewDeactivated(this);
    host_.setStatusText(1, QString());
}

}  // namespace tessmet
