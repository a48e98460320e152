#pragma once

#include <QString>

namespace platform {

enum class HandOverResult {
    Delivered,   // the running instance got the message
    NoInstance,  // nothing listens under that name: no file was written
    Failed,      // the hand-over file could not be written, or the message not sent
};

// The second start's side: connects to the running instance and, when a path is given,
// writes it (without line end) to `handOverFile` and sends message 0x8101; without a path it
// only asks the instance to come to the front. Waits at most `timeoutMs` for each step.
HandOverResult SendHandOver(const QString& serverName, const QString& handOverFile, const QString& path,
                            int timeoutMs = 3000);

}  // namespace platform
