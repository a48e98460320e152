#pragma once

#include <QComboBox>
#include <QImage>

#include <vector>

namespace lumora {

// A drop-list combo whose items are pictures: in line mode item i is a black bar i + 1 pixels
// thick (the line widths 1 to 5), in bitmap mode each item shows its bitmap stretched to the
// item. The closed combo draws its current item the same way.
class CImageComboBox : public QComboBox {
    Q_OBJECT

public:
    enum class Mode { Line, Bitmap };

    explicit CImageComboBox(QWidget* parent = nullptr);

    // Line mode with the five items "1" to "5".
    void setLineMode();
    // Bitmap mode with one item per bitmap.
    void setBitmaps(std::vector<QImage> bitmaps);

    Mode mode() const { return mode_; }
    const std::vector<QImage>& bitmaps() const { return bitmaps_; }

    // Paints item `index` into `rect` as the list and the closed combo show it.
    void paintItem(QPainter& painter, const QRect& rect, int index, bool selected, bool focused) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Mode mode_ = Mode::Line;
    std::vector<QImage> bitmaps_;
};

// The three arrow styles as 60 x 24 pictures: 0 a plain line, 1 arrowheads pointing outwards at
// both ends, 2 a bar across each end.
std::vector<QImage> ArrowStyleBitmaps();

}  // namespace lumora
