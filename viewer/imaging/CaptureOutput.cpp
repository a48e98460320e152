#include "viewer/imaging/CaptureOutput.h"

#include "codec/BmpWriter.h"
#include "codec/JpegWriter.h"
#include "platform/AtomicFile.h"
#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/CaptureFile.h"
#include "viewer/imaging/DrawObj.h"
#include "viewer/imaging/PaneFrameBuffer.h"

#include <QPainter>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lumora {
namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Writes a file that must not replace anything: the bytes go to a temporary file beside it,
// which is then linked under the final name. The link fails when the name is taken, so no
// file that appeared after the question is overwritten. 0 written, 1 the name is taken, -1
// failure.
int WriteNewFile(const std::string& path, std::string_view bytes) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return -1;
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ::fchmod(fd, 0644);
    ok = ::close(fd) == 0 && ok;
    int result = -1;
    if (ok) {
        if (::link(temp.c_str(), path.c_str()) == 0) {
            result = 0;
        } else if (errno == EEXIST) {
            result = 1;
        } else if (!Exists(path) && ::rename(temp.c_str(), path.c_str()) == 0) {
            // A file system without hard links: the check just above is the best it allows.
            return 0;
        }
    }
    ::unlink(temp.c_str());
    return result;
}

std::string Encode(const QImage& picture, bool jpeg) {
    if (!jpeg) return EncodeBmp(picture);
    const size_t width = static_cast<size_t>(picture.width());
    std::vector<uint8_t> bytes;
    // The picture is 32-bit; its rows become red, green, blue one at a time, as the encoder
    // takes them, so no second copy of the whole picture is made.
    const auto row = [&picture, width](int y, uint8_t* rgb) {
        const auto* in = reinterpret_cast<const uint32_t*>(picture.constScanLine(y));
        for (size_t x = 0; x < width; ++x, rgb += 3) {
            const uint32_t p = in[x];
            rgb[0] = static_cast<uint8_t>(p >> 16);
            rgb[1] = static_cast<uint8_t>(p >> 8);
            rgb[2] = static_cast<uint8_t>(p);
        }
    };
    if (codec::EncodeJpegRows(picture.width(), picture.height(), kCaptureJpegQuality, row, bytes) != 1) return {};
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

QImage ComposeCapture(const PaneFrameBuffer& frame, const CaptureContent& content, const ViewerSettings& s) {
    QImage picture;
    frame.ToImage(picture);
    if (picture.isNull()) return picture;
    const int r = content.resolutionIndex;
    const double f = ResolutionFactor(r);
    QPainter painter(&picture);
    if (s.printCenterLine != 0) DrawCentreLine(painter, content.style.centreLine, f);
    if (s.printScale != 0 && content.magnification > 5) DrawScale(painter, content.style.scale, content.style.scale.length, r);
    if (s.printGridLine != 0) DrawGrid(painter, content.style.grid, r);
    if (s.printMagData != 0) DrawMagData(painter, content.style.scale, r, content.magnification);
    if (s.printMagBar != 0) DrawMagBar(painter, content.style.scale, f, content.magnification);
    if (content.annotations) content.annotations->DrawAll(painter, f);
    return picture;
}

CaptureOutcome StoreCapture(const QImage& picture, const std::string& stem, bool jpeg, const std::string& sidecarText,
                            const ReplaceQuestion& mayReplace) {
    CaptureOutcome outcome;
    outcome.imagePath = stem + (jpeg ? ".jpg" : ".bmp");
    outcome.sidecarPath = stem + (jpeg ? "jpg.mag" : "bmp.mag");
    if (picture.isNull()) return outcome;
    const std::string bytes = picture.format() == QImage::Format_RGB32 || !jpeg
                                  ? Encode(picture, jpeg)
                                  : Encode(picture.convertToFormat(QImage::Format_RGB32), jpeg);
    if (bytes.empty()) {
        outcome.result = CaptureResult::WriteFailed;
        return outcome;
    }
    int written = WriteNewFile(outcome.imagePath, bytes);
    if (written == 1) {
        if (!mayReplace || !mayReplace(outcome.imagePath)) {
            outcome.result = CaptureResult::Refused;
            return outcome;
        }
        written = platform::WriteFileAtomically(outcome.imagePath, bytes) ? 0 : -1;
    }
    if (written != 0) {
        outcome.result = CaptureResult::WriteFailed;
        return outcome;
    }
    outcome.result = CaptureResult::Written;
    // The sidecar describes this picture, so one left from an earlier picture of the same name
    // is replaced.
    outcome.sidecarWritten = platform::WriteFileAtomically(outcome.sidecarPath, sidecarText);
    return outcome;
}

}  // namespace lumora
