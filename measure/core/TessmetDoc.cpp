#include "measure/core/TessmetDoc.h"

#include "measure/core/ImageLoader.h"

namespace tessmet {

SaveResult SaveImage(const std::string& path, ImageSet& images, int jpegQualitySetting, const RebuildHook& rebuild) {
    SaveResult result = SaveComposedImage(path, images.display(), jpegQualitySetting);
    if (result.format == SaveFormat::Jpeg && rebuild) rebuild(images);
    return result;
}

int CTessmetDoc::LoadImage(ImageSet& images) { return tessmet::LoadImage(path_, images, calibration_); }

SaveResult CTessmetDoc::Save(ImageSet& images, int jpegQualitySetting, const RebuildHook& rebuild) const {
    return SaveImage(path_, images, jpegQualitySetting, rebuild);
}

SaveResult CTessmetDoc::SaveAs(const std::string& path, ImageSet& images, int jpegQualitySetting,
                               const RebuildHook& rebuild) const {
    return SaveImage(path, images, jpegQualitySetting, rebuild);
}

}  // namespace tessmet
