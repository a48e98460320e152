#include "measure/workspace/FileChooser.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QStringList>

namespace tessmet {
namespace {

// The dialog matches the patterns in any letter case (PIC.JPG, Pic.Bmp).
const QString kBmpPatterns = QStringLiteral("*.bmp");
const QString kJpegPatterns = QStringLiteral("*.jpg *.jpeg");

// The filter names, translated in the "FileChooser" context.
constexpr const char* kImageFileName = QT_TRANSLATE_NOOP("FileChooser", "Image File (*.bmp,*.jpg)");
constexpr const char* kBitmapName = QT_TRANSLATE_NOOP("FileChooser", "Bitmap (*.bmp)");
constexpr const char* kJpegName = QT_TRANSLATE_NOOP("FileChooser", "JPEG (*.jpg)");

QString Filter(const char* name, const QString& patterns) {
    return QCoreApplication::translate("FileChooser", name) + " (" + patterns + ")";
}

std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace

QStringList OpenImageFilters() {
    return {Filter(kImageFileName, kBmpPatterns + " " + kJpegPatterns), Filter(kBitmapName, kBmpPatterns),
            Filter(kJpegName, kJpegPatterns)};
}

QStringList SaveImageFilters() { return {Filter(kBitmapName, kBmpPatterns), Filter(kJpegName, kJpegPatterns)}; }

void PrepareImageDialog(QFileDialog& dialog, const QStringList& filters) {
    // The toolkit's own dialog: it matches the patterns whatever the letter case of a name,
    // which the desktop's dialogs do not all do. The filter list shows the names only, since
    // "Image File (*.bmp,*.jpg)" names its patterns already.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
}

std::unique_ptr<QFileDialog> MakeOpenImageDialog(QWidget* parent, const std::string& folder) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), QString::fromStdString(folder));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    PrepareImageDialog(*dialog, OpenImageFilters());
    return dialog;
}

std::optional<std::string> DialogFileChooser::openImage(const std::string& folder) {
    const std::unique_ptr<QFileDialog> dialog = MakeOpenImageDialog(parent_, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return Chosen(dialog->selectedFiles().first());
}

std::optional<std::string> DialogFileChooser::saveImage(const std::string& folder) {
    const QStringList filters = SaveImageFilters();
    QFileDialog dialog(parent_, QString(), QString::fromStdString(folder));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    PrepareImageDialog(dialog, filters);
    // The suffix follows the chosen filter, as the format follows the name's last letter.
    const QString jpegFilter = filters.last();
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, jpegFilter](const QString& filter) {
        dialog.setDefaultSuffix(filter == jpegFilter ? QStringLiteral("jpg") : QStringLiteral("bmp"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return Chosen(dialog.selectedFiles().first());
}

}  // namespace tessmet
