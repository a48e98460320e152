#include "viewer/imaging/GalleryItemDelegate.h"

#include "viewer/imaging/GalleryModel.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace lumora {

namespace {

// A torn sheet with a red cross: the file is there but is no picture we can read.
void PaintBrokenPicture(QPainter* painter, const QRect& area) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF sheet = QRectF(area).adjusted(24, 12, -24, -12);
    QPainterPath path;
    path.moveTo(sheet.topLeft());
    path.lineTo(sheet.topRight());
    path.lineTo(sheet.right(), sheet.center().y() - 4);
    path.lineTo(sheet.center().x() + 8, sheet.center().y() + 4);
    path.lineTo(sheet.center().x() - 4, sheet.center().y() - 2);
    path.lineTo(sheet.left(), sheet.center().y() + 6);
    path.closeSubpath();
    painter->setPen(QPen(QColor(128, 128, 128), 1));
    painter->setBrush(QColor(236, 236, 236));
    painter->drawPath(path);
    QPainterPath lower;
    lower.moveTo(sheet.left(), sheet.center().y() + 12);
    lower.lineTo(sheet.center().x() - 4, sheet.center().y() + 4);
    lower.lineTo(sheet.center().x() + 8, sheet.center().y() + 10);
    lower.lineTo(sheet.right(), sheet.center().y() + 2);
    lower.lineTo(sheet.bottomRight());
    lower.lineTo(sheet.bottomLeft());
    lower.closeSubpath();
    painter->drawPath(lower);
    painter->setPen(QPen(QColor(200, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = sheet.center() + QPointF(0, -12);
    painter->drawLine(c + QPointF(-7, -7), c + QPointF(7, 7));
    painter->drawLine(c + QPointF(-7, 7), c + QPointF(7, -7));
    painter->restore();
}

}  // namespace

GalleryItemDelegate::GalleryItemDelegate(GalleryModel* model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QRect GalleryItemDelegate::IconRect(const QRect& cell) {
    return QRect(cell.x() + (cell.width() - kIconWidth) / 2, cell.y() + 2, kIconWidth, kIconHeight);
}

QRect GalleryItemDelegate::LabelRect(const QRect& cell) {
    const QRect icon = IconRect(cell);
    return QRect(cell.x() + 1, icon.bottom() + 3, cell.width() - 2, cell.bottom() - icon.bottom() - 3);
}

QSize GalleryItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return QSize(kCellWidth, kCellHeight);
}

void GalleryItemDelegate::paintIcon(QPainter* painter, const QRect& icon, bool selected,
                                    const QModelIndex& index) const {
    using State = GalleryItem::ThumbnailState;
    model_->requestThumbnail(index.row());
    const auto state = static_cast<State>(index.data(GalleryModel::ThumbnailStateRole).toInt());
    const QRect picture(icon.x() + (icon.width() - kThumbnailWidth) / 2, icon.y() + (icon.height() - kThumbnailHeight) / 2,
                        kThumbnailWidth, kThumbnailHeight);
    if (state != State::Ready && state != State::Broken) {
        // Still being built: a quiet placeholder, no frame yet.
        painter->fillRect(picture, QColor(236, 236, 236));
        painter->setPen(QColor(214, 214, 214));
        painter->drawRect(picture.adjusted(0, 0, -1, -1));
        return;
    }
    painter->fillRect(icon, selected ? SelectedFrameColour() : FrameColour());
    painter->fillRect(icon.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth), Qt::white);
    if (state == State::Ready)
        painter->drawImage(picture.topLeft(), index.data(GalleryModel::ThumbnailRole).value<QImage>());
    else
        PaintBrokenPicture(painter, picture);
}

void GalleryItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    paintIcon(painter, IconRect(option.rect), selected, index);

    const QRect label = LabelRect(option.rect);
    const QString text = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideMiddle,
                                                       label.width() - 4);
    QRect textBox = option.fontMetrics.boundingRect(label, Qt::AlignHCenter | Qt::AlignTop, text).adjusted(-2, 0, 2, 1);
    textBox = textBox.intersected(label);
    const QPalette& palette = option.palette;
    if (selected) painter->fillRect(textBox, palette.brush(QPalette::Highlight));
    painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(label, Qt::AlignHCenter | Qt::AlignTop, text);
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(palette.color(QPalette::Text), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(textBox.adjusted(0, 0, -1, -1));
    }
}

void GalleryItemDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex&) const {
    const QRect label = LabelRect(option.rect);
    editor->setGeometry(label.x(), label.y(), label.width(), option.fontMetrics.height() + 6);
}

void GalleryItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    static constexpr const char* kFilledWith = "galleryNameShown";
    const QString name = index.data(Qt::EditRole).toString();
    if (editor->property(kFilledWith).toString() == name) return;
    editor->setProperty(kFilledWith, name);
    QStyledItemDelegate::setEditorData(editor, index);
}

}  // namespace lumora
