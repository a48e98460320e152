#include "viewer/imaging/CGalleryListCtrl.h"

#include "viewer/imaging/GalleryItemDelegate.h"

#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QProxyStyle>
#include <QToolTip>

namespace lumora {

namespace {

constexpr int kTipShowMs = 5000;
constexpr int kTipDelayMs = 100;
// Changes by other programs come in bursts (a copy of many files); the list catches up once the
// burst has settled a little.
constexpr int kWatchDelayMs = 150;

// The tooltip of an item comes up quickly and stays five seconds.
class TipStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return kTipDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

CGalleryListCtrl::CGalleryListCtrl(QWidget* parent)
    : QListView(parent), model_(std::make_unique<GalleryModel>()), tipStyle_(new TipStyle) {
    tipStyle_->setParent(this);
    delegate_ = new GalleryItemDelegate(model_.get(), this);
    setModel(model_.get());
    setItemDelegate(delegate_);
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    // Every cell has the same size, so laying out ten thousand items asks nothing of them.
    setUniformItemSizes(true);
    setGridSize(QSize(GalleryItemDelegate::kCellWidth, GalleryItemDelegate::kCellHeight));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    viewport()->setStyle(tipStyle_);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);

    connect(model_.get(), &GalleryModel::renameRefused, this, &CGalleryListCtrl::messageRequested);
    connect(model_.get(), &GalleryModel::folderError, this, [this](const QString& text) {
        viewport()->update();
        emit messageRequested(text);
    });

    watchDelay_.setSingleShot(true);
    watchDelay_.setInterval(kWatchDelayMs);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { watchDelay_.start(); });
    connect(&watchDelay_, &QTimer::timeout, this, [this] {
        model_->synchronise();
        // A folder that was removed and made again needs watching anew.
        watch(model_->folder());
    });

    offscreenCheck_.setSingleShot(true);
    offscreenCheck_.setInterval(0);
    connect(&offscreenCheck_, &QTimer::timeout, this, &CGalleryListCtrl::dropOffscreenDecodes);
}

CGalleryListCtrl::~CGalleryListCtrl() {
    // The view lets go of the model before the model goes.
    setModel(nullptr);
}

void CGalleryListCtrl::watch(const QString& folder) {
    const QStringList watched = watcher_.directories();
    if (watched.size() == 1 && watched.first() == folder) return;
    if (!watched.isEmpty()) watcher_.removePaths(watched);
    if (!folder.isEmpty()) watcher_.addPath(folder);
}

bool CGalleryListCtrl::Refresh(const QString& folder) {
    const bool readable = model_->refresh(folder);
    watch(folder);
    return readable;
}

void CGalleryListCtrl::RemoveAll() { model_->removeAll(); }

void CGalleryListCtrl::AddOrUpdate(const QString& fileName) { model_->addOrUpdate(fileName); }

void CGalleryListCtrl::RemoveAt(int index) {
    model_->removeAt(index);
    viewport()->update();
}

bool CGalleryListCtrl::GetItemCalibration(int index, QString& unit, double& onePixelLength) {
    return model_->itemCalibration(index, unit, onePixelLength);
}

QString CGalleryListCtrl::ItemText(int index) const {
    return model_->data(model_->index(index), Qt::DisplayRole).toString();
}

QList<int> CGalleryListCtrl::SelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CGalleryListCtrl::EditLabel(int index) {
    const QModelIndex item = model_->index(index);
    if (!item.isValid()) return;
    setCurrentIndex(item);
    edit(item);
}

void CGalleryListCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        setFocus();
        selectAll();
        event->accept();
        return;
    }
    // Delete and F5 belong to the window that holds the list.
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_F5) {
        event->ignore();
        return;
    }
    QListView::keyPressEvent(event);
}

bool CGalleryListCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid())
            QToolTip::showText(help->globalPos(), model_->tooltip(index.row()), viewport(), visualRect(index),
                               kTipShowMs);
        return true;
    }
    return QListView::viewportEvent(event);
}

void CGalleryListCtrl::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    const QString message = model_->folderMessage();
    if (!message.isEmpty() && model_->rowCount() == 0) {
        QPainter painter(viewport());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, message);
    }
    offscreenCheck_.start();
}

void CGalleryListCtrl::scrollContentsBy(int dx, int dy) {
    QListView::scrollContentsBy(dx, dy);
    offscreenCheck_.start();
}

void CGalleryListCtrl::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    offscreenCheck_.start();
}

void CGalleryListCtrl::dropOffscreenDecodes() {
    const QRect visible = viewport()->rect();
    for (const int row : model_->pendingRows())
        if (!visualRect(model_->index(row)).intersects(visible)) model_->cancelThumbnail(row);
}

void CGalleryListCtrl::startDrag(Qt::DropActions supportedActions) {
    const QModelIndex index = currentIndex();
    if (!index.isValid()) return;
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kImageFormatMimeType), model_->imageFormatRecord(index.row()));
    auto* drag = new QDrag(this);
    drag->setMimeData(data.release());
    const QImage thumbnail = index.data(GalleryModel::ThumbnailRole).value<QImage>();
    if (!thumbnail.isNull()) drag->setPixmap(QPixmap::fromImage(thumbnail));
    drag->exec(supportedActions & (Qt::CopyAction | Qt::MoveAction | Qt::LinkAction), Qt::CopyAction);
}

}  // namespace lumora
