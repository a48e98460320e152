#include "viewer/imaging/TessmetLauncher.h"

#include "viewer/core/ViewerSettings.h"

#include <QDir>
#include <QFileInfo>

namespace lumora {

TessmetLauncher::TessmetLauncher(const ViewerSettings& settings, ProcessStarter starter)
    : settings_(settings), starter_(std::move(starter)) {}

QString TessmetLauncher::WorkingFolder() const { return QString::fromStdString(settings_.tessmetFolder); }

QString TessmetLauncher::Program() const {
    const QString folder = WorkingFolder();
    const QFileInfo inFolder(folder + QStringLiteral("/tessmet"));
    if (!folder.isEmpty() && inFolder.isFile() && inFolder.isExecutable()) return inFolder.absoluteFilePath();
    return QStringLiteral("tessmet");
}

QStringList TessmetLauncher::Arguments(const QString& picturePath) {
    // The full path: the program's working folder is its own, and a relative path starting
    // with "-" would read as a flag.
    const QString path = QDir::isRelativePath(picturePath) ? QDir::current().absoluteFilePath(picturePath) : picturePath;
    return {QStringLiteral("-"), path};
}

bool TessmetLauncher::Start(const QString& picturePath) const {
    return starter_(Program(), Arguments(picturePath), WorkingFolder());
}

QString TessmetLauncher::FailureMessage() const {
    return QStringLiteral("Cannot start the measurement program \"%1\".").arg(Program());
}

}  // namespace lumora
