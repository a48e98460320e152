#pragma once

#include "codec/Dib.h"
#include "viewer/imaging/ImageLayout.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class QPainter;


namespace lumora {

// The imaging library of the viewer: one picture (24 bits) with everything the image pane,
// the capture output and the main form do with it. It loads BMP and JPEG files and writes them
// through the suite's codec, shows the picture in a bound window at a zoom percentage with
// scroll bars, fits it, paints it, runs a magnifier and a drag-to-scroll, converts a frame
// buffer to a picture and resamples it, and hands out the picture as a bitmap header and
// bottom-up pixel rows.
//
// The operations and the numbers under which the pane's callers know them:
//
//   36 load            11 isValid          4 free               9 imageSize
//   331 setSmoothScaling                  328 setCentred
//   326 bindWindow     319 setSourceArea   324 showAtZoom       332 fit
//   325 relayout       314 scroll          320 imageRect        318 displayRect
//   302 paint          110 startMagnifier  107 press            111 setMagnifierOption
//   350 fromImage / fromFrameBuffer        187 resample         65 write
//   13 header          15 pixels
class ImagingLibrary : public QObject {
    Q_OBJECT

public:
    enum class FileFormat { Bmp = 2, Jpeg = 21 };
    enum class Bar { Horizontal = 0, Vertical = 1 };
    enum class MagnifierOption { LensWidth = 0, LensHeight = 1, Factor = 2 };

    static constexpr size_t kHeaderBytes = 40;
    static constexpr int kJpegQuality = 90;

    explicit ImagingLibrary(QObject* parent = nullptr);
    ~ImagingLibrary() override;

    // --- The picture ---------------------------------------------------------------------
    // Loads a BMP (16, 24 or 32 bits) or a JPEG, recognised by content, in place of the
    // picture held. 0 on success; otherwise a negative code and no picture: -1 cannot be
    // opened, -2 neither BMP nor JPEG, -3 a bitmap kind not read, -4 damaged, -5 too large.
    int load(const std::string& path);
    // A picture from a screen image or from a frame buffer (a 40-byte bitmap information
    // header of 24 bits, then the rows bottom-up with their padding). False, and no picture,
    // when the input holds none.
    bool fromImage(const QImage& image);
    bool fromFrameBuffer(const uint8_t* block, size_t size);
    bool isValid() const { return !picture_.isNull(); }
    void free();
    QSize imageSize() const;
    // The picture resampled (smoothly) to width x height; the whole of it becomes the source
    // area again. False without a picture or for a size that is not positive.
    bool resample(int width, int height);
    // 0 when written (through a temporary file, so a failure leaves an existing file as it
    // was), -1 when it could not be, -2 without a picture.
    int write(const std::string& path, FileFormat format) const;
    // The bitmap information header (40 bytes: size 40, width, height positive for bottom-up
    // rows, 1 plane, 24 bits, no compression, the pixel bytes' size, the rest 0) and the pixel
    // rows bottom-up, each width * 3 bytes padded to a multiple of 4. Null without a picture;
    // valid until the picture changes.
    const uint8_t* header() const;
    const uint8_t* pixels() const;
    size_t pixelBytes() const;
    // The picture itself (rows top-down).
    const codec::Dib& bitmap() const { return picture_; }

    // --- Options -------------------------------------------------------------------------
    // Smooth (interpolated) scaling when the zoom is not 100; centring of a picture smaller
    // than the window instead of keeping it at the top left.
    void setSmoothScaling(bool on);
    void setCentred(bool on);
    // Lens width and height in pixels (16..1024) and its magnification (1..16).
    void setMagnifierOption(MagnifierOption option, int value);
    QSize lensSize() const { return lens_; }
    int magnifierFactor() const { return factor_; }

    // --- Display -------------------------------------------------------------------------
    // The window the picture is shown in. A scroll area's scroll bars follow the display and
    // scroll it; any other widget keeps the scroll position here.
    void bindWindow(QWidget* window);
    QWidget* window() const { return window_; }
    // The part of the picture to show (image pixels, clipped to the picture); the whole
    // picture after a load.
    void setSourceArea(const QRect& area);
    QRect sourceArea() const { return source_; }
    void showAtZoom(int zoomPercent);
    // Sets the zoom the mode gives for the window and returns it. A fit to the window, width or
    // height is kept: re-laying out after a resize fits again.
    int fit(FitMode mode);
    // Lays the display out again for the window's present size; returns the zoom percentage.
    int relayout();
    void scroll(Bar bar, ScrollAction action, int position = 0);
    int zoomPercent() const { return zoom_; }
    QPoint scrollPosition() const { return scroll_; }
    ScrollLayout scrollLayout() const { return layout_; }
    // The picture's own rectangle (0, 0, width, height) and the rectangle it takes in the
    // window now.
    QRect imageRect() const;
    QRect displayRect() const;
    // Paints the visible part of the picture as displayed, in window coordinates.
    void paint(QPainter& painter) const;

    // --- Mouse ---------------------------------------------------------------------------
    // A press in the bound window at `at`: with the magnifier, a lens follows the mouse until
    // the button is released; without it, dragging scrolls the picture.
    void startMagnifier(QPoint at);
    void press(QPoint at);
    // The lens while it is shown (a child of the window), else null.
    QWidget* lens() const;

    // Draws the part `source` (image pixels) of the picture into `target` of the painter, with
    // the scaling option.
    void paintSource(QPainter& painter, const QRectF& target, const QRectF& source) const;

signals:
    // The display moved or changed (zoom, scroll, picture): the window has been asked to repaint.
    void displayChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Drag { None, Scroll, Magnify };

    void adopt(codec::Dib picture);
    QSize clientSize() const;
    int scrollBarExtent() const;
    void layOut();
    void syncScrollBars();
    void moveLens(QPoint at);
    void endDrag();
    QWidget* mouseWidget() const;

    codec::Dib picture_;
    QImage screen_;  // the picture as the screen paints it
    std::array<uint8_t, kHeaderBytes> header_{};
    mutable std::vector<uint8_t> bottomUp_;
    mutable bool bottomUpFresh_ = false;

    QPointer<QWidget> window_;
    QRect source_;
    int zoom_ = 100;
    bool keepFit_ = false;
    FitMode fitMode_ = FitMode::ActualSize;
    QPoint scroll_;
    ScrollLayout layout_;
    bool smooth_ = false;
    bool centred_ = false;

    QSize lens_{240, 180};
    int factor_ = 3;
    Drag drag_ = Drag::None;
    QPoint last_;
    QPointer<QWidget> lensWidget_;
};

}  // namespace lumora
