#pragma once

#include "viewer/core/ColorPopup.h"
#include "viewer/core/ColorTable.h"

#include <QImage>
#include <QPointer>
#include <QPushButton>

namespace lumora {

// A push button showing a bitmap with its colour as a strip along the bitmap's lower part; a
// click drops down the colour popup. It reports to its parent through the five signals below,
// each with the colour and the button's control id.
class CColorPickerButton : public QPushButton {
    Q_OBJECT

public:
    explicit CColorPickerButton(QWidget* parent = nullptr, int controlId = 0);

    int controlId() const { return controlId_; }
    void setControlId(int id) { controlId_ = id; }

    // The bitmap the strip is drawn into (the fill, line or text picture).
    void setBitmap(const QImage& bitmap);
    const QImage& bitmap() const { return bitmap_; }

    // Draws the strip and keeps the colour. The default colour draws a white box with a grey
    // border; any other colour fills the strip.
    void setColour(ColorRef colour);
    ColorRef colour() const { return colour_; }

    // The popup opens with this colour marked as chosen and restores it on Escape; an OK
    // outcome sets it to the chosen colour.
    ColorRef backgroundColour() const { return background_; }
    ColorRef textColour() const { return text_; }

    // "Transparent" for the fill button, "Default Color" for line and text; an empty text leaves
    // the box out.
    void setDefaultText(const QString& text) { defaultText_ = text; }
    void setCustomText(const QString& text) { customText_ = text; }
    QString defaultText() const { return defaultText_; }
    QString customText() const { return customText_; }

    // With track selection the colour follows the popup's hovering.
    void setTrackSelection(bool on) { trackSelection_ = on; }
    bool isActive() const { return active_; }
    CColorPopup* popup() const { return popup_; }

    // How "More Colors..." asks for a colour (the system's dialog unless replaced).
    void setCustomColourChooser(CustomColourChooser chooser) { chooser_ = std::move(chooser); }

signals:
    void selectionChanged(lumora::ColorRef colour, int controlId);
    void droppedDown(lumora::ColorRef colour, int controlId);
    void closedUp(lumora::ColorRef colour, int controlId);
    void selectionEndOk(lumora::ColorRef colour, int controlId);
    void selectionEndCancel(lumora::ColorRef colour, int controlId);

private:
    void dropDown();
    void onEndOk(ColorRef colour);
    void onEndCancel(ColorRef colour);
    void onSelectionChange(ColorRef colour);

    int controlId_;
    QImage bitmap_;
    ColorRef colour_ = kDefaultColour;
    ColorRef background_;
    ColorRef text_;
    bool trackSelection_ = false;
    bool active_ = false;
    QString defaultText_ = QStringLiteral("Transparent");
    QString customText_ = QStringLiteral("More Colors...");
    CustomColourChooser chooser_ = ChooseColourWithDialog;
    QPointer<CColorPopup> popup_;
};

}  // namespace lumora
