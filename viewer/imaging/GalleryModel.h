#pragma once

#include "viewer/imaging/GallerySidecar.h"
#include "viewer/imaging/ImageFormatRecord.h"
#include "viewer/imaging/ThumbnailLoader.h"

#include <QAbstractListModel>
#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace lumora {

// One listed picture. Its thumbnail and picture size come from the thumbnail workers, its
// magnification, unit and one-pixel length from the sidecar, each at the first need.
struct GalleryItem {
    enum class ThumbnailState { None, Pending, Ready, Broken };

    std::string name;  // file name without folder, as the file system spells it
    uint64_t id = 0;   // stays with the item while rows move
    ThumbnailState state = ThumbnailState::None;
    QImage thumbnail;
    ThumbnailKey key;     // the file the thumbnail was made from
    uint64_t ticket = 0;  // the pending request
    int width = 0;
    int height = 0;
    bool sidecarRead = false;
    int optical = 0;
    std::string unit;
    double onePixelLength = 0;
};

// The pictures of the gallery folder, in listing order, for a list view. Reading the folder
// opens no file; thumbnails are asked for by the view for the rows it shows (requestThumbnail)
// and built off this thread, or read back from the user's thumbnail store when an earlier run
// made them (loader().setStore() chooses another store, or none); sidecars are read on this
// thread when a row's tooltip, calibration or drag record is wanted, which never waits for a
// decode.
class GalleryModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { ThumbnailRole = Qt::UserRole + 1, ThumbnailStateRole };

    explicit GalleryModel(QObject* parent = nullptr);
    ~GalleryModel() override;

    // Reads `folder` into a new list. False, with an empty list and folderError(), when the
    // folder cannot be read.
    bool refresh(const QString& folder);
    // Reads the folder again and brings the list in line: names gone are removed, new names are
    // appended (pictures first, then bitmaps), the rest keep their thumbnails unless their file
    // changed. For changes made by other programs.
    void synchronise();
    void removeAll();
    // An item of that name (letter case aside) takes the name as given and is built again;
    // otherwise the name is appended.
    void addOrUpdate(const QString& name);
    void removeAt(int row);
    // False, leaving the outputs alone, for an invalid row.
    bool itemCalibration(int row, QString& unit, double& onePixelLength);
    // Renames the row's picture and sidecar; false when the name was not taken (renameRefused
    // tells why, unless the name was simply not a picture name).
    bool rename(int row, const QString& newName);

    // The view shows `row`: its thumbnail is looked up or queued.
    void requestThumbnail(int row);
    // The view no longer shows `row`: a queued decode is dropped.
    void cancelThumbnail(int row);
    // Rows whose decode is queued or running.
    std::vector<int> pendingRows() const;

    QString folder() const { return folder_; }
    QString folderMessage() const { return folderMessage_; }
    const GalleryItem* item(int row) const;
    QString tooltip(int row);
    QByteArray imageFormatRecord(int row);
    ThumbnailLoader& loader() { return loader_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    static QString DisplayName(const std::string& name);
    static std::string FileName(const QString& name);

signals:
    void folderError(const QString& message);
    void renameRefused(const QString& message);
    // Another thumbnail is on screen (for measurements of the first screen).
    void thumbnailReady(int row);

private:
    void thumbnailArrived(uint64_t ticket, const Thumbnail& thumbnail);
    void readSidecar(GalleryItem& item);
    void forgetThumbnail(GalleryItem& item);
    GalleryItem newItem(std::string name);
    int rowOfTicket(uint64_t ticket, int hint) const;
    QString pathOf(const std::string& name) const;

    QString folder_;
    QString folderMessage_;
    std::vector<GalleryItem> items_;
    SidecarIndex sidecars_;
    ThumbnailLoader loader_;
    struct PendingRow {
        uint64_t itemId;
        int rowHint;
    };
    std::unordered_map<uint64_t, PendingRow> pending_;
    uint64_t nextId_ = 1;
};

}  // namespace lumora
