#pragma once

#include <QColor>
#include <QRect>
#include <QStyledItemDelegate>

namespace lumora {

class GalleryModel;

// Paints a gallery item: the thumbnail in a 2-pixel frame, blue when the item is selected and
// grey otherwise, on white, with the file name below; a plain placeholder while the thumbnail
// is being built and a broken-picture sign for a file that is no picture. Painting an item is
// what asks the model for its thumbnail, so only items on screen are ever decoded.
class GalleryItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GalleryItemDelegate(GalleryModel* model, QObject* parent = nullptr);

    static constexpr int kIconWidth = 96;  // the thumbnail, a white margin and the frame
    static constexpr int kIconHeight = 76;
    static constexpr int kFrameWidth = 2;
    static constexpr int kCellWidth = 112;
    static constexpr int kCellHeight = 100;
    static QColor SelectedFrameColour() { return QColor(0, 0, 200); }
    static QColor FrameColour() { return QColor(192, 192, 192); }

    // Where the icon and the label of an item whose cell is `cell` go.
    static QRect IconRect(const QRect& cell);
    static QRect LabelRect(const QRect& cell);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    // Fills the name editor once, and again only if the name itself changed: a thumbnail or a
    // folder check that arrives while the user types must not undo the typing.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

private:
    void paintIcon(QPainter* painter, const QRect& icon, bool selected, const QModelIndex& index) const;

    GalleryModel* model_;
};

}  // namespace lumora
