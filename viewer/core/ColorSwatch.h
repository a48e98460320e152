#pragma once

#include "viewer/core/ColorPopup.h"
#include "viewer/core/ColorTable.h"

#include <QWidget>

namespace lumora {

// A small field filled with its colour. Releasing the left button over it asks for a new colour
// with the system's colour dialog; OK takes the colour, Cancel keeps the old one.
class CColorSwatch : public QWidget {
    Q_OBJECT

public:
    explicit CColorSwatch(QWidget* parent = nullptr, int controlId = 0);

    int controlId() const { return controlId_; }
    ColorRef colour() const { return colour_; }
    void setColour(ColorRef colour);

    // How a new colour is asked for (the system's dialog unless replaced).
    void setColourChooser(CustomColourChooser chooser) { chooser_ = std::move(chooser); }

signals:
    void colourChanged(lumora::ColorRef colour, int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int controlId_;
    ColorRef colour_ = MakeColorRef(0, 0, 255);  // until the dialog sets it
    CustomColourChooser chooser_ = ChooseColourWithDialog;
};

}  // namespace lumora
