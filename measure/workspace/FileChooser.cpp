#include "measure/workspace/FileChooser.h"

#include <QFileDialog>
#include <QStringList>

namespace tessmet {
namespace {

const QString kBmpPatterns = QStringLiteral("*.bmp *.BMP *.Bmp");
const QString kJpegPatterns = QStringLiteral("*.jpg *.JPG *.Jpg *.jpeg *.JPEG");

QString Filter(const char* text, const QString& patterns) { return QString::fromLatin1(text) + " (" + patterns + ")"; }

std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace

std::optional<std::string> DialogFileChooser::openImage(const std::string& folder) {
    const QStringList filters = {Filter("Image File (*.bmp,*.jpg)", kBmpPatterns + " " + kJpegPatterns),
                                 Filter("Bitmap (*.bmp)", kBmpPatterns), Filter("JPEG (*.jpg)", kJpegPatterns)};
    QFileDialog dialog(parent_, QString(), QString::fromStdString(folder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return Chosen(dialog.selectedFiles().first());
}

std::optional<std::string> DialogFileChooser::saveImage(const std::string& folder) {
    const QStringList filters = {Filter("Bitmap (*.bmp)", kBmpPatterns), Filter("JPEG (*.jpg)", kJpegPatterns)};
    QFileDialog dialog(parent_, QString(), QString::fromStdString(folder));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    // The suffix follows the chosen filter, as the format follows the name's last letter.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.startsWith(QStringLiteral("JPEG")) ? QStringLiteral("jpg")
                                                                          : QStringLiteral("bmp"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return Chosen(dialog.selectedFiles().first());
}

}  // namespace tessmet
