#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

// Messages from a second start to the running instance over a local socket. Each connection
// carries one frame of eight bytes: the magic "HOv1", then the message as a 32-bit big-endian
// number. Anything else is ignored.
namespace HandOverMessage {
// Only come to the front (a second start without a file).
constexpr uint32_t Activate = 0;
// Come to the front, read the hand-over file and open the path in it.
constexpr uint32_t OpenHandedOverFile = 0x8101;
}  // namespace HandOverMessage

constexpr int kHandOverFrameSize = 8;

QByteArray EncodeHandOverFrame(uint32_t message);
// The message of a complete frame; nothing when the bytes are not a frame.
std::optional<uint32_t> DecodeHandOverFrame(const QByteArray& frame);

// The per-user server name for `baseName`: a socket inside the user's runtime folder
// ($XDG_RUNTIME_DIR, reachable only by the user) when there is one, otherwise
// "<baseName>-<uid>" in the temporary folder. Client and server of one user always agree.
QString LocalServerName(const QString& baseName);

}  // namespace platform
