#include "viewer/core/JogControl.h"

#include "viewer/core/ViewerPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

namespace lumora {

CJogControl::CJogControl(QWidget* parent, int controlId) : QWidget(parent), controlId_(controlId) {
    setMouseTracking(true);
    resize(kJogWidth, kJogHeight);
}

template <typename Find>
void CJogControl::loadWith(Find find) {
    const auto load = [&find](const std::string& name) {
        const QString path = find(name);
        return path.isEmpty() ? QImage() : QImage(path);
    };
    idle_ = load(kJogIdleImage);
    for (int mode = 0; mode < 3; ++mode) {
        for (int region = 0; region < kJogRegionCount; ++region) {
            regionImages_[mode][region] = load(JogRegionImageName(mode, region));
        }
    }
    update();
}

void CJogControl::loadImages(const QString& applicationFolder) {
    const std::string folder = applicationFolder.toStdString();
    loadWith([&folder](const std::string& name) { return QString::fromStdString(SkinBitmapPath(folder, name)); });
}

void CJogControl::loadImagesFrom(const QString& folder) {
    const QDir dir(folder);
    loadWith([&dir](const std::string& name) {
        const QString path = dir.filePath(QString::fromStdString(name));
        return QFileInfo(path).isFile() ? path : QString();
    });
}

void CJogControl::setMode(int mode) {
    if (mode_ == mode) return;
    mode_ = mode;
    update();
}

QString CJogControl::currentImageName() const { return QString::fromStdString(JogImageName(mode_, hovered_)); }

const QImage& CJogControl::currentImage() const {
    const bool hovered = hovered_ >= 0 && hovered_ < kJogRegionCount;
    const int region = hovered ? hovered_ : (mode_ == 0 ? 1 : 3);
    if ((hovered || mode_ == 0 || mode_ == 1) && mode_ >= 0 && mode_ < 3) return regionImages_[mode_][region];
    return idle_;
}

void CJogControl::paintEvent(QPaintEvent*) {
    const QImage& image = currentImage();
    if (image.isNull()) return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

void CJogControl::setHovered(int region) {
    if (hovered_ == region) return;
    hovered_ = region;
    update();
}

void CJogControl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    setHovered(JogRegionAt(at.x(), at.y(), mode_));
}

void CJogControl::leaveEvent(QEvent*) { setHovered(kJogNoRegion); }

void CJogControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const int region = JogRegionAt(at.x(), at.y(), mode_);
    if (region == kJogNoRegion) return;
    setMode(JogModeAfterRelease(region, mode_));
    emit notified(controlId_, region);
}

}  // namespace lumora
