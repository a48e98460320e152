#pragma once

#include "measure/core/GraphicStore.h"
#include "measure/core/ImageSet.h"
#include "measure/core/RegionOfInterest.h"
#include "measure/core/TessmetDoc.h"
#include "measure/draw/Canvas.h"
#include "measure/io/ComposedImageSave.h"
#include "measure/workspace/ClickSequence.h"
#include "measure/workspace/DisplayScaler.h"
#include "measure/workspace/LayerComposition.h"
#include "measure/workspace/LayerFlags.h"
#include "measure/workspace/ViewGeometry.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>

#include <memory>
#include <optional>
#include <span>
#include <string>

class QLineEdit;

namespace tessmet {

class MouseTool;
class ViewHost;
class ViewToolTarget;

// The view of one open image: owns the image set, the store of measurements and draw objects,
// the region of interest, the nine layer and overlay flags and the clicks of the current tool.
//
// The display bitmap is composed from the layers by Rebuild, only when one of its sources
// changes. A paint scales the visible part of it into an off-screen copy (DisplayScaler), draws
// the live overlays on the copy and puts the copy on the screen.
//
// Clicks act on release. The current tool comes from the main window (ViewHost); each tool is a
// small object (MouseTool) that the view hands the completed clicks to. View coordinates are
// scrolled client pixels; ViewMapping turns them into image pixels.
class CTessmetView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The store holds this many objects; adding more drops the oldest.
    static constexpr int kStoreCapacity = 64;
    // The arrow-key commands scroll by this many pixels times the zoom.
    static constexpr int kScrollStep = 20;

    CTessmetView(ViewHost& host, std::unique_ptr<CTessmetDoc> document, QWidget* parent = nullptr);
    ~CTessmetView() override;

    // Loads the document's picture into the image set and initialises its calibration: 0, or the
    // first message of the failure (LoadFailureMessages). On success the view shows the picture
    // at zoom 1 with every layer but the original empty.
    int LoadImage();
    // The same with a picture already in memory (a generated one); always succeeds for a
    // non-null bitmap of 16, 24 or 32 bits.
    int SetPicture(Dib picture);

    CTessmetDoc& document() { return *document_; }
    const CTessmetDoc& document() const { return *document_; }
    ImageSet& images() { return images_; }
    const ImageSet& images() const { return images_; }
    CGraphicStore& store() { return store_; }
    const CGraphicStore& store() const { return store_; }
    const RegionOfInterest& region() const { return region_; }
    // The region's runs in this image, what the image-processing operations walk: computed once
    // per change of the region.
    const RoiSpans& regionSpans() const;
    QSize imageSize() const { return {images_.width(), images_.height()}; }
    // The calibration every length uses: the document's, or the program-wide override.
    CalibrationValues calibration() const;

    // Layers. Rebuild recomposes the display bitmap from its sources and repaints; with
    // `recompute` the derived points of the measurements follow a calibration change. Only the
    // pixels that records added, removed or relabelled since the last one cover, what a switched
    // draw, measure or processing layer holds, and the pixels drawn over by DisplayChanged's
    // callers are composed again, unless something else changed.
    void Rebuild(bool recompute = false);
    // The main window's copy of the flags; recomposes. Turning the scale off shows the resolution
    // text again in status pane 1.
    void SetFlags(const LayerFlags& flags);
    const LayerFlags& flags() const { return flags_; }
    // Someone drew into the display bitmap directly (the result list's blinking, the region
    // dialog's preview): repaint, everywhere or within one rectangle of image pixels.
    void DisplayChanged();
    void DisplayChanged(const QRect& imageRect);

    // Zoom and scrolling. The frame owns the zoom and tells the view here: the scroll range
    // becomes the zoomed image and, when the old zoom is given, the image point at the centre of
    // the client area stays there.
    void SetZoom(double zoom, std::optional<double> oldZoom = std::nullopt);
    double zoom() const { return zoom_; }
    QPoint scrollPosition() const;
    void ScrollTo(QPoint position);
    // The arrow-key commands: dx, dy of -1, 0 or 1 steps of 20 x zoom pixels.
    void ScrollStep(int dx, int dy);
    QSize clientSize() const;
    ViewMapping mapping() const { return ViewMapping(imageSize(), zoom_); }

    // Tools. Choosing a tool (or ESC) forgets the points placed so far.
    void ForgetPoints();
    const ClickSequence& clicks() const { return clicks_; }

    // Commands of the main window.
    void Undo();
    void ClearMeasurements();   // "Measure - Clear": measure layer off
    void ClearDrawObjects();    // "Draw - Clear": draw layer off
    void ClearProcessing();     // "Image Processing - Clear": processing layer off
    // The processing bitmap was written by an image-processing operation: layer on, recompose.
    void ProcessingChanged();
    // A region typed in: type 1 (rectangle) or 2 (ellipse) from two corners in image pixels.
    // 0, or 10011 when a corner lies outside the image, the corners share an x or a y, or the
    // type is neither; the region is then unchanged.
    int SetRegion(int type, Point a, Point b);
    void SetRegion(const RegionOfInterest& region);
    // "ROI - Clear": the whole image again.
    void ClearRegion();
    // The region dialog's live outline: recomposes, then draws the outline of `region` on the
    // display without keeping it (the next Rebuild removes it).
    void PreviewRegion(const RegionOfInterest& region);
    // A draw object typed in, in image pixels with the draw pen: line or rectangle (x1, y1, x2,
    // y2), circle (x, y, radius) or text (x, y and the text). 0, or -1 for another kind or field
    // count, or an empty text.
    int AddDrawObject(ObjectKind kind, std::span<const int32_t> geometry, const std::string& text = {});

    // Save asks message 10010 first and writes to the document's own path; nothing when the
    // answer is No. SaveAs writes to another path. Both write the composed display bitmap with
    // the "JpegQuality" setting; the caller shows a JPEG failure's text.
    std::optional<SaveResult> Save();
    SaveResult SaveAs(const std::string& path);

    // Activation of the view's window: the flags go to the main window, the tool windows
    // refresh and status pane 1 shows the resolution; deactivation forgets the placed points.
    void OnActivate();
    void OnDeactivate();

    // Draws stored measurement `index` of `kind` into the display again, with its own pen or,
    // `inverted`, by inverting (the result list's blinking); the next composition removes it.
    // 0, or -1 when there is no such record.
    int RedrawRecord(ObjectKind kind, int index, bool inverted);

    // The off-screen copy as the next paint puts it on the screen, overlays included.
    QImage RenderVisible();
    // What the last Rebuild composed (tests and benchmarks).
    const LayerComposer& composer() const { return composer_; }

signals:
    // The text tool's edit box is open (its nested loop runs until it reports).
    void textEditorOpened(QLineEdit* editor);
    // The image size is known (after loading).
    void imageLoaded(QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    friend class ViewToolTarget;

    void leftButtonUp(QPoint client, bool shift);
    void rightButtonUp(QPoint client);
    void doubleClick();
    // Keeps the tool object and the clicks in step with the main window's current tool.
    void followCurrentTool();
    void updateScrollBars();
    void refreshCursorReadout();
    void afterPictureLoaded();
    void drawOverlays(QImage& frame);
    bool cursorOnImage() const;
    void changeFlags(const LayerFlags& flags);

    ViewHost& host_;
    std::unique_ptr<CTessmetDoc> document_;
    ImageSet images_;
    CGraphicStore store_{kStoreCapacity};
    RegionOfInterest region_;
    mutable std::optional<RoiSpans> regionSpans_;  // of region_, until it changes
    LayerFlags flags_;
    double zoom_ = 1.0;

    ClickSequence clicks_;
    std::unique_ptr<MouseTool> tool_;
    std::unique_ptr<ViewToolTarget> target_;
    std::optional<QPoint> cursor_;  // client coordinates while the mouse is over the view

    DisplayScaler scaler_;
    CanvasMask mask_;  // the drawing mask of every composition, kept for the next one
    LayerComposer composer_;
    QRegion foreign_;  // image pixels drawn on outside the composition since the last one
};

}  // namespace tessmet
