#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

namespace lumora {

// Starts a program with its own arguments and working folder, without a shell and without
// waiting for it; true when it started. Commands that start other programs take one of these,
// so tests can see what would be started instead of starting it.
using ProcessStarter = std::function<bool(const QString& program, const QStringList& arguments, const QString& folder)>;

inline ProcessStarter DetachedProcessStarter() {
    return [](const QString& program, const QStringList& arguments, const QString& folder) {
        return QProcess::startDetached(program, arguments, folder);
    };
}

}  // namespace lumora
