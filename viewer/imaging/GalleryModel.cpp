#include "viewer/imaging/GalleryModel.h"

#include "viewer/imaging/GalleryFolder.h"
#include "viewer/imaging/GalleryRename.h"

#include <QFile>
#include <QMimeData>

#include <algorithm>
#include <unordered_set>

namespace lumora {

GalleryModel::GalleryModel(QObject* parent) : QAbstractListModel(parent) {
    loader_.setStore(ThumbnailStore::ForUser());
    connect(&loader_, &ThumbnailLoader::ready, this, &GalleryModel::thumbnailArrived);
}

GalleryModel::~GalleryModel() = default;

QString GalleryModel::DisplayName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string GalleryModel::FileName(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString GalleryModel::pathOf(const std::string& name) const {
    return folder_ + (folder_.endsWith('/') ? "" : "/") + DisplayName(name);
}

GalleryItem GalleryModel::newItem(std::string name) {
    GalleryItem item;
    item.name = std::move(name);
    item.id = nextId_++;
    return item;
}

bool GalleryModel::refresh(const QString& folder) {
    loader_.cancelAll();
    pending_.clear();
    GalleryListing listing = ScanGalleryFolder(FileName(folder));
    beginResetModel();
    folder_ = folder;
    items_.clear();
    items_.shrink_to_fit();
    // Room for the whole folder at once, so a large one is read without copying the list.
    items_.reserve(listing.names.size());
    for (std::string& name : listing.names) items_.push_back(newItem(std::move(name)));
    sidecars_ = std::move(listing.sidecars);
    folderMessage_ = listing.readable ? QString() : QString::fromStdString(GalleryFolderMessage(FileName(folder), listing.error));
    endResetModel();
    if (!listing.readable) emit folderError(folderMessage_);
    return listing.readable;
}

void GalleryModel::synchronise() {
    if (folder_.isEmpty()) return;
    GalleryListing listing = ScanGalleryFolder(FileName(folder_));
    if (!listing.readable) {
        if (!items_.empty()) removeAll();
        const QString message = QString::fromStdString(GalleryFolderMessage(FileName(folder_), listing.error));
        if (message != folderMessage_) {
            folderMessage_ = message;
            emit folderError(folderMessage_);
        }
        return;
    }
    folderMessage_.clear();
    sidecars_ = std::move(listing.sidecars);

    const std::unordered_set<std::string> onDisk(listing.names.begin(), listing.names.end());
    // Names that went away, removed in runs so that a whole folder emptied costs one pass.
    for (int row = static_cast<int>(items_.size()) - 1; row >= 0;) {
        if (onDisk.count(items_[static_cast<size_t>(row)].name)) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && !onDisk.count(items_[static_cast<size_t>(first - 1)].name)) --first;
        beginRemoveRows({}, first, row);
        for (int r = first; r <= row; ++r) forgetThumbnail(items_[static_cast<size_t>(r)]);
        items_.erase(items_.begin() + first, items_.begin() + row + 1);
        endRemoveRows();
        row = first - 1;
    }

    std::unordered_set<std::string> listed;
    listed.reserve(items_.size());
    for (GalleryItem& item : items_) {
        listed.insert(item.name);
        // Sidecars may have come or gone; they are read again at the next need.
        item.sidecarRead = false;
        // A picture rewritten in place gets a new thumbnail.
        if (item.state == GalleryItem::ThumbnailState::Ready || item.state == GalleryItem::ThumbnailState::Broken) {
            if (!(ThumbnailKey::Of(pathOf(item.name)) == item.key)) forgetThumbnail(item);
        }
    }
    std::vector<std::string> added;
    for (std::string& name : listing.names)
        if (!listed.count(name)) added.push_back(std::move(name));
    if (!added.empty()) {
        const int first = static_cast<int>(items_.size());
        beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
        for (std::string& name : added) items_.push_back(newItem(std::move(name)));
        endInsertRows();
    }
    if (!items_.empty()) emit dataChanged(index(0), index(static_cast<int>(items_.size()) - 1));
}

void GalleryModel::removeAll() {
    loader_.cancelAll();
    pending_.clear();
    beginResetModel();
    items_.clear();
    items_.shrink_to_fit();
    endResetModel();
}

void GalleryModel::addOrUpdate(const QString& name) {
    const std::string fileName = FileName(name);
    for (int row = static_cast<int>(items_.size()) - 1; row >= 0; --row) {
        GalleryItem& item = items_[static_cast<size_t>(row)];
        if (!EqualsIgnoringCase(item.name, fileName)) continue;
        item.name = fileName;
        forgetThumbnail(item);
        item.sidecarRead = false;
        emit dataChanged(index(row), index(row));
        return;
    }
    const int row = static_cast<int>(items_.size());
    beginInsertRows({}, row, row);
    items_.push_back(newItem(fileName));
    endInsertRows();
}

void GalleryModel::removeAt(int row) {
    if (row < 0 || row >= static_cast<int>(items_.size())) return;
    beginRemoveRows({}, row, row);
    forgetThumbnail(items_[static_cast<size_t>(row)]);
    items_.erase(items_.begin() + row);
    endRemoveRows();
}

const GalleryItem* GalleryModel::item(int row) const {
    if (row < 0 || row >= static_cast<int>(items_.size())) return nullptr;
    return &items_[static_cast<size_t>(row)];
}

void GalleryModel::readSidecar(GalleryItem& item) {
    if (item.sidecarRead) return;
    const GallerySidecar sidecar = ReadGallerySidecar(FileName(folder_), item.name, &sidecars_);
    item.optical = sidecar.optical;
    item.unit = sidecar.unit;
    item.onePixelLength = sidecar.onePixelLength;
    item.sidecarRead = true;
}

bool GalleryModel::itemCalibration(int row, QString& unit, double& onePixelLength) {
    if (row < 0 || row >= static_cast<int>(items_.size())) return false;
    GalleryItem& item = items_[static_cast<size_t>(row)];
    readSidecar(item);
    unit = QString::fromStdString(item.unit);
    onePixelLength = item.onePixelLength;
    return true;
}

QString GalleryModel::tooltip(int row) {
    if (row < 0 || row >= static_cast<int>(items_.size())) return {};
    GalleryItem& item = items_[static_cast<size_t>(row)];
    readSidecar(item);
    return QString::fromStdString(GalleryTooltipText(item.name, item.width, item.height, item.optical));
}

QByteArray GalleryModel::imageFormatRecord(int row) {
    if (row < 0 || row >= static_cast<int>(items_.size())) return {};
    GalleryItem& item = items_[static_cast<size_t>(row)];
    readSidecar(item);
    return EncodeImageFormatRecord({item.name, item.unit, item.onePixelLength});
}

bool GalleryModel::rename(int row, const QString& newName) {
    if (row < 0 || row >= static_cast<int>(items_.size())) return false;
    GalleryItem& item = items_[static_cast<size_t>(row)];
    const RenameResult result = RenameGalleryPicture(FileName(folder_), item.name, FileName(newName), &sidecars_);
    if (result.outcome != RenameOutcome::Renamed) {
        if (!result.message.empty()) emit renameRefused(QString::fromStdString(result.message));
        return false;
    }
    item.name = FileName(newName);
    // A decode still waiting would look for the old name; a finished thumbnail is the same file.
    if (item.state == GalleryItem::ThumbnailState::Pending) forgetThumbnail(item);
    else item.key.path = pathOf(item.name);
    item.sidecarRead = false;
    emit dataChanged(index(row), index(row));
    return true;
}

void GalleryModel::forgetThumbnail(GalleryItem& item) {
    if (item.ticket) {
        loader_.cancel(item.ticket);
        pending_.erase(item.ticket);
        item.ticket = 0;
    }
    item.state = GalleryItem::ThumbnailState::None;
    item.thumbnail = QImage();
    item.key = {};
}

void GalleryModel::requestThumbnail(int row) {
    if (row < 0 || row >= static_cast<int>(items_.size())) return;
    GalleryItem& item = items_[static_cast<size_t>(row)];
    if (item.state != GalleryItem::ThumbnailState::None) return;
    item.key = ThumbnailKey::Of(pathOf(item.name));
    if (item.key.isNull()) {
        item.state = GalleryItem::ThumbnailState::Broken;
        item.key.path = pathOf(item.name);
        emit dataChanged(index(row), index(row), {ThumbnailRole, ThumbnailStateRole});
        return;
    }
    if (const Thumbnail* cached = loader_.cached(item.key)) {
        item.thumbnail = cached->image;
        item.width = cached->pictureWidth;
        item.height = cached->pictureHeight;
        item.state = cached->broken ? GalleryItem::ThumbnailState::Broken : GalleryItem::ThumbnailState::Ready;
        // Painting is under way; the view shows the cached picture in this very paint.
        return;
    }
    item.ticket = loader_.request(item.key);
    item.state = GalleryItem::ThumbnailState::Pending;
    pending_.emplace(item.ticket, PendingRow{item.id, row});
}

void GalleryModel::cancelThumbnail(int row) {
    if (row < 0 || row >= static_cast<int>(items_.size())) return;
    GalleryItem& item = items_[static_cast<size_t>(row)];
    if (item.state != GalleryItem::ThumbnailState::Pending) return;
    forgetThumbnail(item);
}

std::vector<int> GalleryModel::pendingRows() const {
    std::vector<int> rows;
    rows.reserve(pending_.size());
    for (const auto& [ticket, where] : pending_) {
        const int row = rowOfTicket(ticket, where.rowHint);
        if (row >= 0) rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int GalleryModel::rowOfTicket(uint64_t ticket, int hint) const {
    const auto matches = [&](int row) { return items_[static_cast<size_t>(row)].ticket == ticket; };
    const int count = static_cast<int>(items_.size());
    if (hint >= 0 && hint < count && matches(hint)) return hint;
    for (int row = 0; row < count; ++row)
        if (matches(row)) return row;
    return -1;
}

void GalleryModel::thumbnailArrived(uint64_t ticket, const Thumbnail& thumbnail) {
    const auto it = pending_.find(ticket);
    if (it == pending_.end()) return;
    const int row = rowOfTicket(ticket, it->second.rowHint);
    pending_.erase(it);
    if (row < 0) return;
    GalleryItem& item = items_[static_cast<size_t>(row)];
    item.ticket = 0;
    item.thumbnail = thumbnail.image;
    item.width = thumbnail.pictureWidth;
    item.height = thumbnail.pictureHeight;
    item.state = thumbnail.broken ? GalleryItem::ThumbnailState::Broken : GalleryItem::ThumbnailState::Ready;
    emit dataChanged(index(row), index(row), {ThumbnailRole, ThumbnailStateRole});
    emit thumbnailReady(row);
}

int GalleryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

QVariant GalleryModel::data(const QModelIndex& index, int role) const {
    const GalleryItem* it = item(index.row());
    if (!it || index.column() != 0) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return DisplayName(it->name);
    case Qt::ToolTipRole: return const_cast<GalleryModel*>(this)->tooltip(index.row());
    case ThumbnailRole: return it->thumbnail;
    case ThumbnailStateRole: return static_cast<int>(it->state);
    default: return {};
    }
}

bool GalleryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    return rename(index.row(), value.toString());
}

Qt::ItemFlags GalleryModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
           Qt::ItemNeverHasChildren;
}

Qt::DropActions GalleryModel::supportedDragActions() const {
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

QStringList GalleryModel::mimeTypes() const { return {QString::fromLatin1(kImageFormatMimeType)}; }

QMimeData* GalleryModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty()) return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kImageFormatMimeType),
                  const_cast<GalleryModel*>(this)->imageFormatRecord(indexes.first().row()));
    return data.release();
}

}  // namespace lumora
