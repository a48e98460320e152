#include "viewer/core/ColorPickerButton.h"

#include <QPainter>
#include <QPixmap>

namespace lumora {

CColorPickerButton::CColorPickerButton(QWidget* parent, int controlId)
    : QPushButton(parent),
      controlId_(controlId),
      background_(FromQColor(palette().color(QPalette::Button))),
      text_(FromQColor(palette().color(QPalette::ButtonText))) {
    connect(this, &QPushButton::clicked, this, &CColorPickerButton::dropDown);
}

void CColorPickerButton::setBitmap(const QImage& bitmap) {
    bitmap_ = bitmap.convertToFormat(QImage::Format_RGB32);
    setIcon(QPixmap::fromImage(bitmap_));
    setIconSize(bitmap_.size());
}

void CColorPickerButton::setColour(ColorRef colour) {
    // The colour is kept even without a bitmap to draw it in, so colour() never goes stale.
    colour_ = colour;
    if (bitmap_.isNull()) return;
    {
        QPainter painter(&bitmap_);
        if (colour == kDefaultColour) {
            painter.setPen(QPen(QColor(150, 150, 150), 1));
            painter.setBrush(Qt::white);
            painter.drawRect(0, 17, 21, 4);
        } else {
            painter.fillRect(0, 17, 22, 5, ToQColor(colour));
        }
    }
    setIcon(QPixmap::fromImage(bitmap_));
    update();
}

void CColorPickerButton::dropDown() {
    if (popup_) return;
    active_ = true;
    const QRect onScreen(mapToGlobal(QPoint(0, 0)), size());
    auto* popup = new CColorPopup(onScreen, background_, defaultText_, customText_, this, chooser_);
    popup_ = popup;
    connect(popup, &CColorPopup::selectionChanged, this, &CColorPickerButton::onSelectionChange);
    connect(popup, &CColorPopup::selectionEndOk, this, &CColorPickerButton::onEndOk);
    connect(popup, &CColorPopup::selectionEndCancel, this, &CColorPickerButton::onEndCancel);
    popup->show();
    popup->setFocus();
    emit droppedDown(background_, controlId_);
}

void CColorPickerButton::onEndOk(ColorRef colour) {
    active_ = false;
    background_ = colour;
    setColour(colour);
    emit closedUp(colour, controlId_);
    emit selectionEndOk(colour, controlId_);
}

void CColorPickerButton::onEndCancel(ColorRef colour) {
    active_ = false;
    emit closedUp(colour, controlId_);
    emit selectionEndCancel(colour, controlId_);
}

void CColorPickerButton::onSelectionChange(ColorRef colour) {
    if (trackSelection_) setColour(colour);
    emit selectionChanged(colour, controlId_);
}

}  // namespace lumora
