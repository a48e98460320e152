#include "measure/core/CalibrationFile.h"
#include "measure/core/CalibrationLoader.h"
#include "measure/core/MagnificationFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace tessmet;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

constexpr const char* kMagSample =
    "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
    "[CAL]\r\nUnit=mm\r\nOnePixelLen=0.001776\r\n";

TEST(SideFileNames, DotOfTheExtensionIsDropped) {
    EXPECT_EQ(CalibrationFileName("/g/Pic00001.jpg"), "/g/Pic00001jpg.inf");
    EXPECT_EQ(CalibrationFileName("/g/a.b.bmp"), "/g/a.bbmp.inf");
    EXPECT_EQ(CalibrationFileName("/g/noext"), "/g/noext.inf");
    EXPECT_EQ(CalibrationFileName("/g.d/noext"), "/g.d/noext.inf");  // a folder's dot stays
    EXPECT_EQ(MagnificationFileName("/nonexistent/Pic00001.jpg"), "/nonexistent/Pic00001jpg.mag");
}

TEST(SideFileNames, MagnificationFallsBackToTheReplacedExtension) {
    TempDir dir;
    const std::string image = dir.file("Pic00001.jpg");
    EXPECT_EQ(MagnificationFileName(image), dir.file("Pic00001jpg.mag"));  // neither exists
    WriteText(dir.file("Pic00001.mag"), kMagSample);
    EXPECT_EQ(MagnificationFileName(image), dir.file("Pic00001.mag"));
    WriteText(dir.file("Pic00001jpg.mag"), kMagSample);
    EXPECT_EQ(MagnificationFileName(image), dir.file("Pic00001jpg.mag"));  // the first form wins
}

TEST(CalibrationFileFormat, ReadsNanometresPerPixel) {
    TempDir dir;
    const std::string path = dir.file("a.inf");
    WriteText(path, "[DATA]\r\nUnitType=1\r\nHResolution=4444\r\nVResolution=2000\r\n");
    const CalibrationFileData d = ReadCalibrationFile(path);
    EXPECT_EQ(d.result, 0);
    EXPECT_EQ(d.unit, Unit::Millimetre);
    EXPECT_DOUBLE_EQ(d.hResolution, 0.004444);
    EXPECT_DOUBLE_EQ(d.vResolution, 0.002);
}

TEST(CalibrationFileFormat, ResultCodesAndDefaults) {
    TempDir dir;
    const CalibrationFileData missing = ReadCalibrationFile(dir.file("missing.inf"));
    EXPECT_EQ(missing.result, -1);
    EXPECT_EQ(missing.unit, Unit::Pixel);
    EXPECT_EQ(missing.hResolution, 1.0);
    EXPECT_EQ(missing.vResolution, 1.0);

    WriteText(dir.file("zero.inf"), "[DATA]\nUnitType=0\nHResolution=0\nVResolution=0\n");
    EXPECT_EQ(ReadCalibrationFile(dir.file("zero.inf")).result, 1);

    WriteText(dir.file("empty.inf"), "");
    const CalibrationFileData empty = ReadCalibrationFile(dir.file("empty.inf"));
    EXPECT_EQ(empty.result, 0);  // missing keys read 1.0 mm per pixel
    EXPECT_EQ(empty.hResolution, 1.0);

    WriteText(dir.file("junk.inf"), "[DATA]\nUnitType=mm\nHResolution=lots\n");
    const CalibrationFileData junk = ReadCalibrationFile(dir.file("junk.inf"));
    EXPECT_EQ(junk.unit, 0);
    EXPECT_EQ(junk.hResolution, 0.0);
    EXPECT_EQ(junk.vResolution, 1.0);

    std::filesystem::create_directory(dir.file("folder.inf"));
    EXPECT_EQ(ReadCalibrationFile(dir.file("folder.inf")).result, -1);
}

TEST(CalibrationFileFormat, WritesTruncatedNanometresInKeyOrder) {
    TempDir dir;
    const std::string path = dir.file("b.inf");
    ASSERT_TRUE(WriteCalibrationFile(path, Unit::Millimetre, 0.0044449, 0.02));
    EXPECT_EQ(ReadText(path), "[DATA]\r\nUnitType=1\r\nHResolution=4444\r\nVResolution=20000\r\n");
}

TEST(CalibrationFileFormat, ReadThenWriteIsStable) {
    // Values such as 4440 read back a hair below their decimal; saving must not lose a
    // nanometre per pixel each time.
    TempDir dir;
    const std::string path = dir.file("c.inf");
    for (const int stored : {4440, 1234, 15, 19, 999999, 1, 1000000}) {
        WriteText(path, "[DATA]\nUnitType=1\nHResolution=" + std::to_string(stored) + "\nVResolution=" +
                            std::to_string(stored) + "\n");
        for (int round = 0; round < 3; ++round) {
            const CalibrationFileData d = ReadCalibrationFile(path);
            ASSERT_TRUE(WriteCalibrationFile(path, d.unit, d.hResolution, d.vResolution));
        }
        EXPECT_EQ(ReadText(path), "[DATA]\nUnitType=1\nHResolution=" + std::to_string(stored) +
                                      "\nVResolution=" + std::to_string(stored) + "\n");
    }
}

TEST(CalibrationFileFormat, StoredResolutionTruncates) {
    EXPECT_EQ(StoredResolution(0.0044449), 4444);
    EXPECT_EQ(StoredResolution(0.0044399999999999995), 4440);
    EXPECT_EQ(StoredResolution(1.0), 1000000);
    EXPECT_EQ(StoredResolution(1e10), 2147483647);
    EXPECT_EQ(StoredResolution(NAN), 0);
}

TEST(CalibrationFileFormat, WriteIntoAFolderPathFails) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("x.inf"));
    EXPECT_FALSE(WriteCalibrationFile(dir.file("x.inf"), 1, 0.01, 0.01));
}

TEST(MagnificationFileFormat, ReadsTheFourKeysInHundredths) {
    TempDir dir;
    const std::string path = dir.file("Pic00001jpg.mag");
    WriteText(path, kMagSample);
    const MagnificationFileData d = ReadMagnificationFile(path);
    EXPECT_EQ(d.result, 0);
    EXPECT_DOUBLE_EQ(d.optical, 2.51);
    EXPECT_DOUBLE_EQ(d.corrective, 1.0);
    EXPECT_DOUBLE_EQ(d.sensorWidth, 7.13);
    EXPECT_DOUBLE_EQ(d.sensorHeight, 5.37);
}

TEST(MagnificationFileFormat, EmptyAndMissingFiles) {
    TempDir dir;
    WriteText(dir.file("empty.mag"), "");
    const MagnificationFileData empty = ReadMagnificationFile(dir.file("empty.mag"));
    EXPECT_EQ(empty.result, 1);
    EXPECT_EQ(empty.optical, 0.0);
    EXPECT_EQ(ReadMagnificationFile(dir.file("missing.mag")).result, -1);
}

TEST(ResolutionFromMagnification, ResultCodes) {
    TempDir dir;
    const std::string mag = dir.file("a.mag");
    WriteText(mag, kMagSample);
    const ResolutionResult ok = ResolutionFromMagnification(mag, 640, 480);
    EXPECT_EQ(ok.result, 0);
    EXPECT_DOUBLE_EQ(ok.hResolution, 7.13 / 2.51 / 640);
    EXPECT_DOUBLE_EQ(ok.vResolution, 5.37 / 2.51 / 480);

    const ResolutionResult noSize = ResolutionFromMagnification(mag, 0, 480);
    EXPECT_EQ(noSize.result, -10);
    EXPECT_EQ(noSize.hResolution, 0.0);

    WriteText(dir.file("empty.mag"), "");
    const ResolutionResult empty = ResolutionFromMagnification(dir.file("empty.mag"), 640, 480);
    EXPECT_EQ(empty.result, 1);  // zero magnification: both resolutions zero, the step succeeds
    EXPECT_EQ(empty.hResolution, 0.0);
    EXPECT_EQ(ResolutionFromMagnification(dir.file("empty.mag"), 0, 0).result, -9);

    EXPECT_EQ(ResolutionFromMagnification(dir.file("missing.mag"), 640, 480).result, -1);
}

TEST(InitialiseCalibration, MagnificationSidecarWhenThereIsNoCalibrationFile) {
    TempDir dir;
    const std::string image = dir.file("Pic00001.jpg");
    WriteText(dir.file("Pic00001jpg.mag"), kMagSample);
    Calibration c;
    EXPECT_EQ(InitialiseCalibration(c, image, 640, 480), CalibrationSource::Mag);
    EXPECT_EQ(c.unit, Unit::Millimetre);
    EXPECT_DOUBLE_EQ(c.hResolution, 7.13 / 2.51 / 640);
    EXPECT_DOUBLE_EQ(c.vResolution, 5.37 / 2.51 / 480);
    EXPECT_EQ(c.imageWidth, 640);
    EXPECT_EQ(c.imageHeight, 480);
    EXPECT_EQ(c.infPath, dir.file("Pic00001jpg.inf"));
    EXPECT_EQ(c.magPath, dir.file("Pic00001jpg.mag"));
    EXPECT_EQ(MagnificationFileExists(c), 0);
}

TEST(InitialiseCalibration, CalibrationFileWinsOverTheSidecar) {
    TempDir dir;
    const std::string image = dir.file("Pic00001.jpg");
    WriteText(dir.file("Pic00001jpg.mag"), kMagSample);
    WriteText(dir.file("Pic00001jpg.inf"), "[DATA]\nUnitType=2\nHResolution=2500\nVResolution=2500\n");
    Calibration c;
    EXPECT_EQ(InitialiseCalibration(c, image, 640, 480), CalibrationSource::Inf);
    EXPECT_EQ(c.unit, Unit::Micrometre);
    EXPECT_DOUBLE_EQ(c.hResolution, 0.0025);
}

TEST(InitialiseCalibration, EmptySidecarGivesZeroMillimetres) {
    TempDir dir;
    WriteText(dir.file("Pic00002.mag"), "");  // the fallback name, empty
    Calibration c;
    EXPECT_EQ(InitialiseCalibration(c, dir.file("Pic00002.bmp"), 640, 480), CalibrationSource::Mag);
    EXPECT_EQ(c.magPath, dir.file("Pic00002.mag"));
    EXPECT_EQ(c.unit, Unit::Millimetre);
    EXPECT_EQ(c.hResolution, 0.0);
    EXPECT_EQ(c.vResolution, 0.0);
}

TEST(InitialiseCalibration, NoSideFilesStayInPixels) {
    TempDir dir;
    Calibration c;
    EXPECT_EQ(InitialiseCalibration(c, dir.file("plain.bmp"), 100, 100), CalibrationSource::None);
    EXPECT_EQ(c.unit, Unit::Pixel);
    EXPECT_EQ(c.hResolution, 1.0);
    EXPECT_EQ(c.vResolution, 1.0);
    EXPECT_EQ(MagnificationFileExists(c), -1);
}

}  // namespace
