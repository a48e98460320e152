#include "viewer/form/FormBitmaps.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lumora {
namespace {

const QColor kInk(40, 48, 60);
const QColor kAccent(0, 122, 204);
const QColor kPaper(248, 249, 251);

void DrawTextColour(QPainter& p) {
    // A capital A over the strip.
    QPainterPath a;
    a.moveTo(4.5, 15.5);
    a.lineTo(11, 2);
    a.lineTo(17.5, 15.5);
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(a);
    p.drawLine(QPointF(7.5, 10.5), QPointF(14.5, 10.5));
}

void DrawFillColour(QPainter& p) {
    // A tilted paint bucket with a drop.
    p.save();
    p.translate(10, 8.5);
    p.rotate(-30);
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(-5, -4, 10, 10), 1.5, 1.5);
    p.drawLine(QPointF(-5, -4), QPointF(5, -4));
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    QPainterPath drop;
    drop.moveTo(17.5, 7);
    drop.cubicTo(19.5, 10, 20.5, 12, 18.5, 14);
    drop.cubicTo(17, 15, 15.5, 13.5, 16, 12);
    drop.closeSubpath();
    p.drawPath(drop);
}

void DrawLineColour(QPainter& p) {
    // A pencil drawn diagonally.
    p.save();
    p.translate(11, 8);
    p.rotate(-45);
    p.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kPaper);
    p.drawRect(QRectF(-6, -2.5, 10, 5));
    QPainterPath tip;
    tip.moveTo(4, -2.5);
    tip.lineTo(8.5, 0);
    tip.lineTo(4, 2.5);
    tip.closeSubpath();
    p.setBrush(kInk);
    p.drawPath(tip);
    p.restore();
}

void DrawCalibration(QPainter& p) {
    // A ruler with ticks and a double arrow above it.
    p.setPen(QPen(kInk, 1.3));
    p.setBrush(QColor(255, 214, 102));
    p.drawRect(QRectF(2.5, 11.5, 17, 7));
    for (int i = 0; i <= 6; ++i) {
        const double x = 4.5 + i * 2.2;
        p.drawLine(QPointF(x, 11.5), QPointF(x, i % 2 == 0 ? 15.5 : 13.8));
    }
    p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(3.5, 6), QPointF(18.5, 6));
    p.drawPolyline(QPolygonF({QPointF(6.5, 3), QPointF(3.5, 6), QPointF(6.5, 9)}));
    p.drawPolyline(QPolygonF({QPointF(15.5, 3), QPointF(18.5, 6), QPointF(15.5, 9)}));
}

void DrawSelect(QPainter& p) {
    // The arrow pointer.
    QPainterPath arrow;
    arrow.moveTo(6, 2.5);
    arrow.lineTo(6, 17.5);
    arrow.lineTo(9.6, 14);
    arrow.lineTo(12.3, 19.5);
    arrow.lineTo(14.6, 18.4);
    arrow.lineTo(12, 13);
    arrow.lineTo(17, 13);
    arrow.closeSubpath();
    p.setPen(QPen(kInk, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kPaper);
    p.drawPath(arrow);
}

void DrawLine(QPainter& p) {
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 18), QPointF(18, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(4, 18), 2.3, 2.3);
    p.drawEllipse(QPointF(18, 4), 2.3, 2.3);
}

void DrawRectangle(QPainter& p) {
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0, 122, 204, 50));
    p.drawRect(QRectF(3.5, 5.5, 15, 11));
}

void DrawEllipse(QPainter& p) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(0, 122, 204, 50));
    p.drawEllipse(QRectF(2.5, 5, 17, 12));
}

void DrawPolygon(QPainter& p) {
    const QPolygonF shape({QPointF(4, 9), QPointF(10, 3.5), QPointF(18.5, 7), QPointF(16, 18), QPointF(6.5, 17)});
    p.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0, 122, 204, 50));
    p.drawPolygon(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    for (const QPointF& corner : shape) p.drawEllipse(corner, 1.6, 1.6);
}

void DrawAngle(QPainter& p) {
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(19, 18), QPointF(3.5, 18), QPointF(15, 4)}));
    p.setPen(QPen(kAccent, 1.6));
    p.drawArc(QRectF(-3.5, 11, 14, 14), 0, 51 * 16);
}

}  // namespace

QImage FormBitmap(int id, int scale) {
    if (id < kBitmapTextColour || id > kBitmapToolAngle) return {};
    scale = scale < 1 ? 1 : scale;
    QImage image(kFormBitmapSize * scale, kFormBitmapSize * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    // The colour pictures are painted into by the colour button, so they are opaque; the tool
    // pictures sit on the button's own face.
    const bool colourPicture = id == kBitmapTextColour || id == kBitmapFillColour || id == kBitmapLineColour;
    image.fill(colourPicture ? QColor(236, 239, 243) : QColor(Qt::transparent));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (id) {
    case kBitmapTextColour: DrawTextColour(p); break;
    case kBitmapFillColour: DrawFillColour(p); break;
    case kBitmapLineColour: DrawLineColour(p); break;
    case kBitmapCalibration: DrawCalibration(p); break;
    case kBitmapToolSelect: DrawSelect(p); break;
    case kBitmapToolLine: DrawLine(p); break;
    case kBitmapToolRectangle: DrawRectangle(p); break;
    case kBitmapToolEllipse: DrawEllipse(p); break;
    case kBitmapToolPolygon: DrawPolygon(p); break;
    case kBitmapToolAngle: DrawAngle(p); break;
    }
    return image;
}

QIcon FormBitmapIcon(int id) {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(FormBitmap(id, 1)));
    icon.addPixmap(QPixmap::fromImage(FormBitmap(id, 2)));
    return icon;
}

}  // namespace lumora
