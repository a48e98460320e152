#pragma once

#include "viewer/core/ColorPopupLayout.h"
#include "viewer/core/ColorTable.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace lumora {

// Asks the user for any colour, preset to `initial`; nothing when the user cancels.
using CustomColourChooser = std::function<std::optional<ColorRef>(ColorRef initial, QWidget* parent)>;
// The system's colour dialog, fully open.
std::optional<ColorRef> ChooseColourWithDialog(ColorRef initial, QWidget* parent);

// The drop-down of a colour button: 40 named colours, an optional default box above them and an
// optional custom box below. Created per drop-down; it ends once, with the OK or the cancel
// outcome, and then deletes itself.
class CColorPopup : public QWidget {
    Q_OBJECT

public:
    // `button`: the button's rectangle on the screen; the popup opens below its lower-left
    // corner. An empty text leaves its box out.
    CColorPopup(const QRect& button, ColorRef initial, const QString& defaultText, const QString& customText,
                QWidget* parent = nullptr, CustomColourChooser chooser = ChooseColourWithDialog);

    ColorRef initialColour() const { return initial_; }
    ColorRef currentColour() const { return current_; }
    int hovered() const { return hovered_; }
    int chosen() const { return chosen_; }
    const PopupLayout& layout() const { return layout_; }
    const PopupMetrics& metrics() const { return metrics_; }
    // The element under a point of the popup (PopupElement::None outside cells and boxes).
    int elementAt(QPoint at) const;

signals:
    void selectionChanged(lumora::ColorRef colour);
    void selectionEndOk(lumora::ColorRef colour);
    void selectionEndCancel(lumora::ColorRef colour);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void hover(int element);
    void end(bool ok);
    QRect elementRect(int element) const;
    void paintElement(QPainter& painter, int element) const;

    ColorRef initial_;
    ColorRef current_;
    QString defaultText_;
    QString customText_;
    CustomColourChooser chooser_;
    PopupMetrics metrics_;
    PopupLayout layout_;
    int hovered_ = PopupElement::None;
    int chosen_ = PopupElement::None;
    bool ended_ = false;
};

}  // namespace lumora
