#include "viewer/core/ImageComboBox.h"

#include <QPainter>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace lumora {
namespace {

class ImageItemDelegate : public QStyledItemDelegate {
public:
    explicit ImageItemDelegate(CImageComboBox* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        combo_->paintItem(*painter, option.rect, index.row(), option.state.testFlag(QStyle::State_Selected),
                          option.state.testFlag(QStyle::State_HasFocus));
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {combo_->width(), 24};
    }

private:
    CImageComboBox* combo_;
};

}  // namespace

CImageComboBox::CImageComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new ImageItemDelegate(this));
    setLineMode();
}

void CImageComboBox::setLineMode() {
    mode_ = Mode::Line;
    bitmaps_.clear();
    clear();
    for (int i = 1; i <= 5; ++i) addItem(QString::number(i));
}

void CImageComboBox::setBitmaps(std::vector<QImage> bitmaps) {
    mode_ = Mode::Bitmap;
    bitmaps_ = std::move(bitmaps);
    clear();
    for (size_t i = 0; i < bitmaps_.size(); ++i) addItem(QString::number(i));
}

void CImageComboBox::paintItem(QPainter& painter, const QRect& rect, int index, bool selected, bool focused) const {
    const QPalette& colours = palette();
    painter.fillRect(rect, colours.color(selected ? QPalette::Highlight : QPalette::Base));
    if (focused) {
        painter.save();
        painter.setPen(QPen(colours.color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.restore();
    }
    if (index < 0) return;
    const QRect inner = rect.adjusted(2, 2, -2, -2);
    if (mode_ == Mode::Line) {
        const int thickness = index + 1;
        const QRect bar(inner.left() + 1, inner.top() + (inner.height() - thickness) / 2, inner.width() - 2, thickness);
        // The bar is black, inverted with the text on a selected item.
        painter.fillRect(bar, selected ? colours.color(QPalette::HighlightedText) : QColor(Qt::black));
    } else if (index < int(bitmaps_.size())) {
        painter.drawImage(inner.adjusted(1, 1, -1, -1), bitmaps_[size_t(index)]);
    }
}

void CImageComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    paintItem(painter, field, currentIndex(), false, false);
}

std::vector<QImage> ArrowStyleBitmaps() {
    std::vector<QImage> bitmaps;
    for (int style = 0; style < 3; ++style) {
        QImage image(60, 24, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
        const QPointF left(8, 12), right(52, 12);
        painter.drawLine(left, right);
        if (style == 1) {
            painter.drawLine(left, left + QPointF(8, -5));
            painter.drawLine(left, left + QPointF(8, 5));
            painter.drawLine(right, right + QPointF(-8, -5));
            painter.drawLine(right, right + QPointF(-8, 5));
        } else if (style == 2) {
            painter.drawLine(left + QPointF(0, -7), left + QPointF(0, 7));
            painter.drawLine(right + QPointF(0, -7), right + QPointF(0, 7));
        }
        bitmaps.push_back(image);
    }
    return bitmaps;
}

}  // namespace lumora
