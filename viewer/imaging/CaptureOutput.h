#pragma once

#include "viewer/core/CaptureNaming.h"  // the next Pic%05d name of a gallery
#include "viewer/imaging/Overlays.h"

#include <QImage>

#include <functional>
#include <string>

namespace lumora {

class CDrawObj;
class PaneFrameBuffer;
struct ViewerSettings;

// What goes into a capture besides the picture.
struct CaptureContent {
    OverlayStyle style;
    int magnification = 1;
    int resolutionIndex = 0;
    CDrawObj* annotations = nullptr;  // the pane's annotation set; may be null
};

// The frame buffer's picture with what the PRINT_IMAGE keys ask for burnt in, at the
// resolution's factor: centre line, scale (above magnification 5), grid, magnification data,
// magnification bar, and then always the annotations.
QImage ComposeCapture(const PaneFrameBuffer& frame, const CaptureContent& content, const ViewerSettings& settings);

// How a capture ended. Negative values are failures.
enum class CaptureResult {
    Written = 0,
    Refused = 1,        // the picture file exists and replacing it was not agreed: nothing written
    NoPicture = -1,
    WriteFailed = -2,   // the picture could not be written; an existing file is as it was
};

struct CaptureOutcome {
    CaptureResult result = CaptureResult::NoPicture;
    std::string imagePath;
    std::string sidecarPath;
    bool sidecarWritten = false;
};

// Asked with the path of a picture file that exists already: true to replace it.
using ReplaceQuestion = std::function<bool(const std::string& existingPath)>;

// Writes `picture` as stem + ".jpg" (JPEG quality 90) or stem + ".bmp", then its sidecar
// stem + "jpg.mag" / "bmp.mag" holding `sidecarText` (empty text: an empty file). Both go
// through a temporary file and a rename, so a crash leaves either the old or the new file.
// An existing picture is replaced only when `mayReplace` says so (no question: never); the
// check and the move into place are one step, so a file that appears meanwhile is not lost
// either. A sidecar that cannot be written is skipped: the picture stays.
CaptureOutcome StoreCapture(const QImage& picture, const std::string& stem, bool jpeg, const std::string& sidecarText,
                            const ReplaceQuestion& mayReplace);


}  // namespace lumora
