#include "viewer/imaging/ImagingLibrary.h"

#include "codec/BmpWriter.h"
#include "codec/JpegWriter.h"
#include "codec/PictureLoader.h"
#include "platform/BgrPixels.h"
#include "viewer/imaging/CaptureFile.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cstring>

namespace lumora {
namespace {

uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// 16- and 32-bit bitmaps as 24 bits: 5-bit channels widened as c * 255 / 31, the fourth byte
// of a 32-bit pixel dropped.
codec::Dib To24Bits(codec::Dib picture) {
    if (picture.isNull() || picture.bitsPerPixel() == 24) return picture;
    codec::Dib out(picture.width(), picture.height(), 24);
    if (out.isNull()) return out;
    for (int y = 0; y < picture.height(); ++y) {
        const uint8_t* in = picture.row(y);
        uint8_t* to = out.row(y);
        for (int x = 0; x < picture.width(); ++x, to += 3) {
            if (picture.bitsPerPixel() == 32) {
                std::memcpy(to, in + 4 * x, 3);
            } else {
                const unsigned v = in[2 * x] | (unsigned{in[2 * x + 1]} << 8);
                to[0] = static_cast<uint8_t>((v & 31) * 255 / 31);
                to[1] = static_cast<uint8_t>(((v >> 5) & 31) * 255 / 31);
                to[2] = static_cast<uint8_t>(((v >> 10) & 31) * 255 / 31);
            }
        }
    }
    return out;
}

int LoadResult(codec::ReadStatus status) {
    switch (status) {
        case codec::ReadStatus::Ok: return 0;
        case codec::ReadStatus::CannotOpen: return -1;
        case codec::ReadStatus::UnknownFormat: return -2;
        case codec::ReadStatus::UnsupportedBitmap: return -3;
        case codec::ReadStatus::Corrupt: return -4;
        case codec::ReadStatus::TooLarge: return -5;
    }
    return -4;
}

// The lens of the magnifier: a frameless child of the window that paints what the library
// gives it.
class MagnifierLens final : public QWidget {
public:
    MagnifierLens(QWidget* parent, const ImagingLibrary* library) : QWidget(parent), library_(library) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void showAround(QPoint at) {
        at_ = at;
        move(at - QPoint(width() / 2, height() / 2));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        const QRectF source = MagnifierSource(at_, size(), library_->magnifierFactor(), library_->displayRect(),
                                              library_->sourceArea());
        // Parts of the lens beyond the picture stay in the window colour.
        const QRectF picture(QPointF(0, 0), QSizeF(library_->imageSize()));
        const QRectF shown = source.intersected(picture);
        if (!shown.isEmpty()) {
            const double sx = width() / source.width(), sy = height() / source.height();
            const QRectF target((shown.left() - source.left()) * sx, (shown.top() - source.top()) * sy,
                                shown.width() * sx, shown.height() * sy);
            library_->paintSource(painter, target, shown);
        }
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    const ImagingLibrary* library_;
    QPoint at_;
};

}  // namespace

ImagingLibrary::ImagingLibrary(QObject* parent) : QObject(parent) {}

ImagingLibrary::~ImagingLibrary() { delete lensWidget_.data(); }

// --- The picture -------------------------------------------------------------------------------

void ImagingLibrary::adopt(codec::Dib picture) {
    picture_ = To24Bits(std::move(picture));
    bottomUp_.clear();
    bottomUpFresh_ = false;
    header_.fill(0);
    screen_ = QImage();
    if (!picture_.isNull()) {
        screen_ = QImage(picture_.width(), picture_.height(), QImage::Format_RGB32);
        if (screen_.isNull()) {
            picture_ = codec::Dib();
        } else {
            for (int y = 0; y < picture_.height(); ++y)
                platform::Bgr24ToRgb32(picture_.row(y), picture_.width(), reinterpret_cast<uint32_t*>(screen_.scanLine(y)));
            Put32(&header_[0], kHeaderBytes);
            Put32(&header_[4], static_cast<uint32_t>(picture_.width()));
            Put32(&header_[8], static_cast<uint32_t>(picture_.height()));
            header_[12] = 1;
            header_[14] = 24;
            Put32(&header_[20], static_cast<uint32_t>(picture_.sizeBytes()));
        }
    }
    source_ = imageRect();
    zoom_ = 100;
    keepFit_ = false;
    scroll_ = QPoint();
    endDrag();
    layOut();
}

int ImagingLibrary::load(const std::string& path) {
    codec::Dib picture;
    const codec::ReadStatus status = codec::LoadPicture(path, picture);
    adopt(status == codec::ReadStatus::Ok ? std::move(picture) : codec::Dib());
    if (status == codec::ReadStatus::Ok && !isValid()) return LoadResult(codec::ReadStatus::TooLarge);
    return LoadResult(status);
}

bool ImagingLibrary::fromImage(const QImage& image) {
    adopt(ImageToBitmap24(image));
    return isValid();
}

bool ImagingLibrary::fromFrameBuffer(const uint8_t* block, size_t size) {
    codec::Dib picture;
    if (block && size >= kHeaderBytes && Le32(block) >= kHeaderBytes) {
        const auto width = static_cast<int32_t>(Le32(block + 4));
        const auto height = static_cast<int32_t>(Le32(block + 8));
        const int bits = block[14] | (block[15] << 8);
        const uint32_t compression = Le32(block + 16);
        const int rows = height < 0 ? (height == INT32_MIN ? 0 : -height) : height;
        const int stride = codec::Dib::StrideFor(width, 24);
        if (bits == 24 && compression == 0 && width > 0 && rows > 0 && stride > 0 &&
            uint64_t{static_cast<uint32_t>(stride)} * static_cast<uint32_t>(rows) <= size - kHeaderBytes) {
            picture = codec::Dib(width, rows, 24);
            for (int y = 0; y < rows && !picture.isNull(); ++y) {
                const int stored = height > 0 ? rows - 1 - y : y;
                std::memcpy(picture.row(y), block + kHeaderBytes + static_cast<size_t>(stored) * static_cast<size_t>(stride),
                            static_cast<size_t>(stride));
            }
        }
    }
    adopt(std::move(picture));
    return isValid();
}

void ImagingLibrary::free() { adopt(codec::Dib()); }

QSize ImagingLibrary::imageSize() const { return isValid() ? QSize(picture_.width(), picture_.height()) : QSize(); }

bool ImagingLibrary::resample(int width, int height) {
    if (!isValid() || width <= 0 || height <= 0) return false;
    const QImage scaled = screen_.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull()) return false;
    adopt(ImageToBitmap24(scaled));
    return isValid();
}

int ImagingLibrary::write(const std::string& path, FileFormat format) const {
    if (!isValid()) return -2;
    if (format == FileFormat::Bmp) return codec::WriteBmpFile(path, picture_) == codec::BmpWriteResult::Ok ? 0 : -1;
    const auto rgbRow = [this](int y, uint8_t* row) {
        const uint8_t* bgr = picture_.row(y);
        for (int x = 0; x < picture_.width(); ++x, bgr += 3, row += 3) {
            row[0] = bgr[2];
            row[1] = bgr[1];
            row[2] = bgr[0];
        }
    };
    return codec::WriteJpegRows(path, picture_.width(), picture_.height(), kJpegQuality, rgbRow) == 1 ? 0 : -1;
}

const uint8_t* ImagingLibrary::header() const { return isValid() ? header_.data() : nullptr; }

const uint8_t* ImagingLibrary::pixels() const {
    if (!isValid()) return nullptr;
    if (!bottomUpFresh_) {
        const size_t stride = static_cast<size_t>(picture_.stride());
        bottomUp_.resize(picture_.sizeBytes());
        for (int y = 0; y < picture_.height(); ++y)
            std::memcpy(bottomUp_.data() + static_cast<size_t>(picture_.height() - 1 - y) * stride, picture_.row(y), stride);
        bottomUpFresh_ = true;
    }
    return bottomUp_.data();
}

size_t ImagingLibrary::pixelBytes() const { return isValid() ? picture_.sizeBytes() : 0; }

// --- Options -----------------------------------------------------------------------------------

void ImagingLibrary::setSmoothScaling(bool on) {
    smooth_ = on;
    layOut();
}

void ImagingLibrary::setCentred(bool on) {
    centred_ = on;
    layOut();
}

void ImagingLibrary::setMagnifierOption(MagnifierOption option, int value) {
    switch (option) {
        case MagnifierOption::LensWidth: lens_.setWidth(std::clamp(value, 16, 1024)); break;
        case MagnifierOption::LensHeight: lens_.setHeight(std::clamp(value, 16, 1024)); break;
        case MagnifierOption::Factor: factor_ = std::clamp(value, 1, 16); break;
    }
}

// --- Display -----------------------------------------------------------------------------------

QWidget* ImagingLibrary::mouseWidget() const {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(window_.data())) return area->viewport();
    return window_;
}

void ImagingLibrary::bindWindow(QWidget* window) {
    if (window_ == window) {
        layOut();
        return;
    }
    endDrag();
    if (window_) {
        window_->removeEventFilter(this);
        if (QWidget* w = mouseWidget(); w != window_) w->removeEventFilter(this);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(window_.data())) {
            area->horizontalScrollBar()->disconnect(this);
            area->verticalScrollBar()->disconnect(this);
        }
    }
    window_ = window;
    if (window_) {
        window_->installEventFilter(this);
        if (QWidget* w = mouseWidget(); w != window_) w->installEventFilter(this);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(window_.data())) {
            // The user moving a scroll bar scrolls the display; our own updates of the bars are
            // made with their signals blocked.
            connect(area->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
                scroll(Bar::Horizontal, ScrollAction::Track, value);
            });
            connect(area->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
                scroll(Bar::Vertical, ScrollAction::Track, value);
            });
        }
    }
    layOut();
}

void ImagingLibrary::setSourceArea(const QRect& area) {
    source_ = area.intersected(imageRect());
    if (source_.isEmpty()) source_ = imageRect();
    layOut();
}

void ImagingLibrary::showAtZoom(int zoomPercent) {
    zoom_ = std::max(zoomPercent, 1);
    keepFit_ = false;
    layOut();
}

int ImagingLibrary::fit(FitMode mode) {
    if (!isValid()) return zoom_;
    fitMode_ = mode;
    keepFit_ = mode != FitMode::ActualSize;
    zoom_ = FitZoomPercent(mode, source_.size(), clientSize(), scrollBarExtent());
    layOut();
    return zoom_;
}

int ImagingLibrary::relayout() {
    if (keepFit_ && isValid()) zoom_ = FitZoomPercent(fitMode_, source_.size(), clientSize(), scrollBarExtent());
    layOut();
    return zoom_;
}

void ImagingLibrary::scroll(Bar bar, ScrollAction action, int position) {
    if (!isValid()) return;
    if (bar == Bar::Horizontal) {
        scroll_.setX(ScrolledPosition(action, scroll_.x(), position, layout_.viewport.width(), layout_.range.width()));
    } else {
        scroll_.setY(ScrolledPosition(action, scroll_.y(), position, layout_.viewport.height(), layout_.range.height()));
    }
    layOut();
}

QSize ImagingLibrary::clientSize() const {
    if (!window_) return {};
    auto* area = qobject_cast<QAbstractScrollArea*>(window_.data());
    if (!area) return window_->contentsRect().size();
    // The scroll area leaves out the bars it is told to always show; we decide on them.
    QSize client = area->maximumViewportSize();
    if (area->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn) client.rwidth() += scrollBarExtent();
    if (area->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn) client.rheight() += scrollBarExtent();
    return client;
}

int ImagingLibrary::scrollBarExtent() const {
    auto* area = qobject_cast<QAbstractScrollArea*>(window_.data());
    return area ? area->verticalScrollBar()->sizeHint().width() : 0;
}

void ImagingLibrary::layOut() {
    const QSize zoomed = isValid() ? ZoomedSize(source_.size(), zoom_) : QSize();
    layout_ = LayOutScrolling(zoomed, clientSize(), scrollBarExtent());
    scroll_ = QPoint(std::clamp(scroll_.x(), 0, layout_.range.width()), std::clamp(scroll_.y(), 0, layout_.range.height()));
    syncScrollBars();
    if (window_) window_->update();
    if (auto* viewport = mouseWidget(); viewport && viewport != window_) viewport->update();
    emit displayChanged();
}

void ImagingLibrary::syncScrollBars() {
    auto* area = qobject_cast<QAbstractScrollArea*>(window_.data());
    if (!area) return;
    const auto sync = [](QScrollBar* bar, bool shown, int range, int page, int value) {
        const QSignalBlocker blocker(bar);
        bar->setRange(0, range);
        bar->setPageStep(std::max(page, 1));
        bar->setSingleStep(std::max(1, page / 10));
        bar->setValue(value);
        return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    };
    area->setHorizontalScrollBarPolicy(sync(area->horizontalScrollBar(), layout_.horizontalBar, layout_.range.width(),
                                            layout_.viewport.width(), scroll_.x()));
    area->setVerticalScrollBarPolicy(sync(area->verticalScrollBar(), layout_.verticalBar, layout_.range.height(),
                                          layout_.viewport.height(), scroll_.y()));
}

QRect ImagingLibrary::imageRect() const { return isValid() ? QRect(QPoint(0, 0), imageSize()) : QRect(); }

QRect ImagingLibrary::displayRect() const {
    if (!isValid()) return {};
    return DisplayRect(ZoomedSize(source_.size(), zoom_), layout_.viewport, scroll_, centred_);
}

void ImagingLibrary::paintSource(QPainter& painter, const QRectF& target, const QRectF& source) const {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth_);
    painter.drawImage(target, screen_, source);
    painter.restore();
}

void ImagingLibrary::paint(QPainter& painter) const {
    if (!isValid()) return;
    const QRect display = displayRect();
    // Only the visible part is drawn: at 500 % a large picture would cover tens of thousands of
    // pixels on each side.
    const QRect visible = display.intersected(QRect(QPoint(0, 0), layout_.viewport));
    if (visible.isEmpty()) return;
    const double sx = double(source_.width()) / display.width();
    const double sy = double(source_.height()) / display.height();
    const QRectF source(source_.left() + (visible.left() - display.left()) * sx,
                        source_.top() + (visible.top() - display.top()) * sy, visible.width() * sx, visible.height() * sy);
    paintSource(painter, QRectF(visible), source);
}

// --- Mouse -------------------------------------------------------------------------------------

QWidget* ImagingLibrary::lens() const { return lensWidget_; }

void ImagingLibrary::startMagnifier(QPoint at) {
    QWidget* host = mouseWidget();
    if (!isValid() || !host) return;
    endDrag();
    drag_ = Drag::Magnify;
    auto* lens = new MagnifierLens(host, this);
    lens->resize(lens_);
    lensWidget_ = lens;
    lens->showAround(at);
    lens->show();
    lens->raise();
}

void ImagingLibrary::press(QPoint at) {
    if (!isValid() || !window_) return;
    endDrag();
    drag_ = Drag::Scroll;
    last_ = at;
}

void ImagingLibrary::moveLens(QPoint at) {
    if (auto* lens = static_cast<MagnifierLens*>(lensWidget_.data())) lens->showAround(at);
}

void ImagingLibrary::endDrag() {
    drag_ = Drag::None;
    delete lensWidget_.data();
}

bool ImagingLibrary::eventFilter(QObject* watched, QEvent* event) {
    if (drag_ == Drag::None || watched != mouseWidget()) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (drag_ == Drag::Magnify) {
            moveLens(at);
        } else {
            const QPoint moved = at - last_;
            last_ = at;
            scroll_ -= moved;
            layOut();
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        endDrag();
    }
    // The window still sees every event: the library only follows the mouse.
    return QObject::eventFilter(watched, event);
}

}  // namespace lumora
