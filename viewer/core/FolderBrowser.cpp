#include "viewer/core/FolderBrowser.h"

#include <QDir>
#include <QFileDialog>
#include <QUrl>

namespace lumora {

std::optional<QString> BrowseForFolderWithDialog(QWidget* owner, const QString& title, const QString& current) {
    const QUrl chosen = QFileDialog::getExistingDirectoryUrl(owner, title, QUrl::fromLocalFile(current),
                                                             QFileDialog::ShowDirsOnly);
    // A place without a file-system path (a network location of the desktop) is no gallery.
    if (chosen.isEmpty() || !chosen.isLocalFile()) return std::nullopt;
    const QString path = QDir::cleanPath(chosen.toLocalFile());
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace lumora
