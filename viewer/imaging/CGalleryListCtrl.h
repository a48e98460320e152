#pragma once

#include "viewer/imaging/GalleryModel.h"

#include <QFileSystemWatcher>
#include <QListView>
#include <QTimer>

#include <memory>

class QProxyStyle;

namespace lumora {

class GalleryItemDelegate;

// The thumbnail strip of the gallery folder: an icon list of 90 x 70 thumbnails with their file
// names, built only for the items on screen and never waited for, a tooltip with the picture's
// name, size and zoom, in-place renaming (the sidecar follows the picture) and Ctrl+A. The
// folder is watched, so pictures that other programs add, remove or rename show up by
// themselves. The window that holds the list owns the commands on it (open, delete, send, ...)
// and calls the operations below.
class CGalleryListCtrl : public QListView {
    Q_OBJECT
public:
    explicit CGalleryListCtrl(QWidget* parent = nullptr);
    ~CGalleryListCtrl() override;

    // Reads `folder` into a new list; false (and the list says why) when it cannot be read.
    bool Refresh(const QString& folder);
    void RemoveAll();
    void AddOrUpdate(const QString& fileName);
    void RemoveAt(int index);
    // The item's unit text and one-pixel length, read from its sidecar when not read yet; false
    // and nothing copied for an invalid index.
    bool GetItemCalibration(int index, QString& unit, double& onePixelLength);

    int ItemCount() const { return model_->rowCount(); }
    QString ItemText(int index) const;
    // Selected rows, lowest first.
    QList<int> SelectedRows() const;
    // Starts editing the item's name; the rename happens when the edit ends.
    void EditLabel(int index);

    GalleryModel& model() const { return *model_; }
    QString folder() const { return model_->folder(); }

signals:
    // A rename was refused or the folder cannot be read: the text to show the user.
    void messageRequested(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void dropOffscreenDecodes();
    void watch(const QString& folder);

    std::unique_ptr<GalleryModel> model_;
    GalleryItemDelegate* delegate_;
    QFileSystemWatcher watcher_;
    QTimer watchDelay_;
    QTimer offscreenCheck_;
    QProxyStyle* tipStyle_;
};

}  // namespace lumora
