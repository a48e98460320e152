#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace lumora {

// Asks the user for a folder: `title` over the browser, `current` preselected. Nothing when the
// user cancels or picks something that is not a folder of the file system.
using FolderBrowser = std::function<std::optional<QString>(QWidget* owner, const QString& title, const QString& current)>;

// The system's folder dialog, folders only.
std::optional<QString> BrowseForFolderWithDialog(QWidget* owner, const QString& title, const QString& current);

}  // namespace lumora
