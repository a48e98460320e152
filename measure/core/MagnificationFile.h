#pragma once

#include "measure/core/Calibration.h"

#include <string>

namespace tessmet {

// The viewer's sidecar next to every picture it stores. Its name is formed like the
// calibration file's (Pic00001.jpg -> Pic00001jpg.mag); when no such file can be read, the
// older form with the extension replaced (Pic00001.mag) is taken if that one can be read.
std::string MagnificationFileName(const std::string& imagePath);

struct MagnificationFileData {
    // -1: cannot be opened for reading; 0: any of the four values is non-zero; 1: all zero.
    int result = -1;
    double optical = 0.0;
    double corrective = 0.0;
    double sensorWidth = 0.0;   // millimetres
    double sensorHeight = 0.0;  // millimetres
};

// Reads [MAG] Optical, [MAG] Corrective, [SENSOR] Width and [SENSOR] Height as integers
// (default 0), each scaled by 0.01. The [CAL] section is the viewer's own and is not read.
MagnificationFileData ReadMagnificationFile(const std::string& path);

struct ResolutionResult {
    // The file result when negative or when the resolutions could be computed; the file
    // result - 10 when the image size is unknown (zero).
    int result = -1;
    double hResolution = 0.0;
    double vResolution = 0.0;
};

// Millimetres per pixel from the sensor size, the total magnification and the image size.
ResolutionResult ResolutionFromMagnification(const std::string& magPath, int imageWidth, int imageHeight);
// The same for the document's own sidecar.
ResolutionResult ResolutionFromMagnification(const Calibration& calibration);

// 0 when the document's sidecar can be opened for reading, else -1.
int MagnificationFileExists(const Calibration& calibration);

}  // namespace tessmet
