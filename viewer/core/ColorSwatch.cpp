#include "viewer/core/ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumora {

CColorSwatch::CColorSwatch(QWidget* parent, int controlId) : QWidget(parent), controlId_(controlId) {
    setCursor(Qt::PointingHandCursor);
}

void CColorSwatch::setColour(ColorRef colour) {
    if (colour == colour_) return;
    colour_ = colour;
    update();
}

void CColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(colour_));
    // A thin frame keeps a swatch of the dialog's own colour visible; a disabled swatch is
    // dimmed so the user sees it does not react.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!isEnabled()) painter.fillRect(rect().adjusted(1, 1, -1, -1), QColor(255, 255, 255, 150));
}

void CColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    // The dialog opens without a preset colour.
    if (const std::optional<ColorRef> chosen = chooser_(MakeColorRef(0, 0, 0), this)) {
        setColour(*chosen);
        emit colourChanged(colour_, controlId_);
    }
}

}  // namespace lumora
