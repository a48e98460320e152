#include "platform/qt/HandOverProtocol.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace platform {
namespace {
constexpr char kMagic[4] = {'H', 'O', 'v', '1'};
}

QByteArray EncodeHandOverFrame(uint32_t message) {
    QByteArray frame(kMagic, sizeof kMagic);
    for (int shift = 24; shift >= 0; shift -= 8) frame.append(static_cast<char>((message >> shift) & 0xFF));
    return frame;
}

std::optional<uint32_t> DecodeHandOverFrame(const QByteArray& frame) {
    if (frame.size() != kHandOverFrameSize || !frame.startsWith(QByteArray(kMagic, sizeof kMagic))) return {};
    uint32_t message = 0;
    for (int i = 4; i < kHandOverFrameSize; ++i) message = (message << 8) | static_cast<uint8_t>(frame[i]);
    return message;
}

QString LocalServerName(const QString& baseName) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return QDir(runtime).filePath(baseName);
    return QStringLiteral("%1-%2").arg(baseName).arg(::getuid());
}

}  // namespace platform
