#pragma once

#include "viewer/imaging/ProcessStarter.h"

#include <QString>
#include <QStringList>

namespace lumora {

struct ViewerSettings;

// Starts the measurement program on a picture: the program in the measurement-program folder
// (TESSMET/PATH) when it is there, otherwise the one on the PATH, with the parameter text
// ` - "<picture>"` and that folder as its working folder. The viewer does not wait for it.
class TessmetLauncher {
public:
    explicit TessmetLauncher(const ViewerSettings& settings, ProcessStarter starter = DetachedProcessStarter());

    QString Program() const;
    QString WorkingFolder() const;
    // The parameter text as the program receives it: "-" and the picture's full path. The path
    // is an argument of its own, so blanks and double quotes in it arrive unchanged (split from
    // the text, a quote inside the path would cut it in two).
    static QStringList Arguments(const QString& picturePath);

    // False when the program could not be started; FailureMessage() says so for the user.
    bool Start(const QString& picturePath) const;
    QString FailureMessage() const;

private:
    const ViewerSettings& settings_;
    ProcessStarter starter_;
};

}  // namespace lumora
