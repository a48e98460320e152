#pragma once

#include <QDateTime>
#include <QDialog>
#include <QImage>
#include <QString>

#include <utility>
#include <vector>

class QFormLayout;

namespace lumora {

// What the properties window says about one gallery picture.
struct GalleryFileFacts {
    QString name;
    QString folder;
    qint64 bytes = -1;  // -1: the file cannot be looked at
    QDateTime modified;
    int width = 0;  // 0: not a readable picture
    int height = 0;
    QString sidecar;  // the magnification file's name; empty when the picture has none
    QString unit;
    double onePixelLength = 0;
    int zoom = 0;
    QImage thumbnail;  // the list's, when it has made one
};

// "48.5 KB (49,664 bytes)"; sizes under a kilobyte in bytes alone.
QString FormatFileSize(qint64 bytes);

// The rows of the window, label and text, in their order.
std::vector<std::pair<QString, QString>> GalleryPropertyRows(const GalleryFileFacts& facts);

// The properties of a gallery picture in a window of its own, which stays open beside the
// viewer until it is closed.
class GalleryPropertiesDlg : public QDialog {
    Q_OBJECT
public:
    explicit GalleryPropertiesDlg(const GalleryFileFacts& facts, QWidget* parent = nullptr);

    // The text shown for a row's label ("Size:"); empty when there is no such row.
    QString Text(const QString& label) const;

private:
    QFormLayout* form_;
};

}  // namespace lumora
