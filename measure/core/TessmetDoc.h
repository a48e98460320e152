#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/ImageSet.h"
#include "measure/io/ComposedImageSave.h"

#include <string>
#include <utility>

namespace tessmet {

// Writes the display bitmap of `images` to `path`, the format chosen by the path's last
// character ('g'/'G' JPEG of quality 10 * jpegQualitySetting, 'p'/'P' BMP, otherwise nothing).
// After a JPEG the layers are rebuilt through `rebuild` (when given). The result carries
// libjpeg's text for the "JPEG Fatal Error" box; other failures show no message.
SaveResult SaveImage(const std::string& path, ImageSet& images, int jpegQualitySetting, const RebuildHook& rebuild);

// One open image: the file it came from and its calibration. The pixels live in the view's
// ImageSet. A document has no content of its own to save and never counts as modified, so
// closing it never asks a question.
class CTessmetDoc {
public:
    explicit CTessmetDoc(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    const Calibration& calibration() const { return calibration_; }
    Calibration& calibration() { return calibration_; }
    bool isModified() const { return false; }

    // Loads the picture into the view's image set and initialises the calibration: 0, or the
    // first message to show (LoadImage).
    int LoadImage(ImageSet& images);

    // Save: back to the document's own path. The program asks message 10010 first.
    SaveResult Save(ImageSet& images, int jpegQualitySetting, const RebuildHook& rebuild) const;
    // Save As: to another path; the document keeps its own.
    SaveResult SaveAs(const std::string& path, ImageSet& images, int jpegQualitySetting,
                      const RebuildHook& rebuild) const;

private:
    std::string path_;
    Calibration calibration_;
};

}  // namespace tessmet
