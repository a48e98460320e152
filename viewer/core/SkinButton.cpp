#include "viewer/core/SkinButton.h"

#include "viewer/core/ViewerPaths.h"

#include <QEnterEvent>
#include <QPainter>

namespace lumora {

SkinFace SkinFaceFor(SkinButtonKind kind, bool enabled, bool hovered, bool down) {
    if (kind == SkinButtonKind::Caption) return enabled && hovered ? SkinFace::Ena : SkinFace::Over;
    if (down) return SkinFace::Hit;
    return enabled && hovered ? SkinFace::Over : SkinFace::Ena;
}

namespace {

QImage LoadFace(const QString& path) {
    if (path.isEmpty()) return {};
    QImage image(path);
    return image;
}

QString SkinFile(const QString& applicationFolder, const QString& name) {
    return QString::fromStdString(SkinBitmapPath(applicationFolder.toStdString(), name.toStdString()));
}

}  // namespace

CSkinButton::CSkinButton(QWidget* parent, int controlId) : QAbstractButton(parent), controlId_(controlId) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    updateCursor();
}

void CSkinButton::loadStem(const QString& applicationFolder, const QString& stem) {
    setFaces(SkinButtonKind::Stem, SkinFile(applicationFolder, stem + QStringLiteral("_Ena.bmp")),
             SkinFile(applicationFolder, stem + QStringLiteral("_Over.bmp")),
             SkinFile(applicationFolder, stem + QStringLiteral("_Hit.bmp")));
}

void CSkinButton::loadCaption(const QString& applicationFolder, const QString& name) {
    setFaces(SkinButtonKind::Caption, SkinFile(applicationFolder, name + QStringLiteral("_Ena.bmp")),
             SkinFile(applicationFolder, name + QStringLiteral("_Over.bmp")), QString());
}

void CSkinButton::setFaces(SkinButtonKind kind, const QString& enaPath, const QString& overPath,
                           const QString& hitPath) {
    kind_ = kind;
    ena_ = LoadFace(enaPath);
    over_ = LoadFace(overPath);
    hit_ = LoadFace(hitPath);
    fitToFirstBitmap();
    update();
}

void CSkinButton::fitToFirstBitmap() {
    // The first bitmap gives the size; without it the button keeps the size it has.
    if (!ena_.isNull()) resize(ena_.size());
    updateGeometry();
}

QSize CSkinButton::sizeHint() const { return ena_.isNull() ? size() : ena_.size(); }

void CSkinButton::setPushed(bool pushed) {
    if (pushed_ == pushed) return;
    pushed_ = pushed;
    update();
}

SkinFace CSkinButton::currentFace() const {
    return SkinFaceFor(kind_, isEnabled(), hovered_, pushed_ || isDown());
}

const QImage& CSkinButton::face(SkinFace which) const {
    switch (which) {
    case SkinFace::Over: return over_;
    case SkinFace::Hit: return hit_;
    case SkinFace::Ena: break;
    }
    return ena_;
}

void CSkinButton::paintEvent(QPaintEvent*) {
    const QImage& image = face(currentFace());
    if (image.isNull()) return;  // a missing file leaves the face blank
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

void CSkinButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CSkinButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CSkinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        updateCursor();
        update();
    }
    QAbstractButton::changeEvent(event);
}

void CSkinButton::updateCursor() {
    if (isEnabled()) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

}  // namespace lumora
