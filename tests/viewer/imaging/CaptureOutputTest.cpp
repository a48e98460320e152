#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/CaptureOutput.h"
#include "viewer/imaging/DrawObj.h"
#include "viewer/imaging/PaneFrameBuffer.h"
#include "viewer/imaging/ScaleCalibration.h"

#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace lumora;
using testsupport::CountEntries;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

// A frame of `width` x `height` of one colour (blue, green, red bytes).
std::vector<uint8_t> Frame(int width, int height, uint8_t b, uint8_t g, uint8_t r) {
    std::vector<uint8_t> bytes(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        bytes[i] = b;
        bytes[i + 1] = g;
        bytes[i + 2] = r;
    }
    return bytes;
}

TEST(PaneFrameBuffer, ByteCountsChooseTheFrameSize) {
    PaneFrameBuffer buffer;
    EXPECT_EQ(buffer.Width(), 640);
    EXPECT_EQ(buffer.Height(), 480);
    EXPECT_EQ(buffer.Pixels()[921599], 100);
    const struct {
        size_t count;
        int width, height;
    } cases[] = {{1440000, 800, 600}, {3686400, 1280, 960}, {5760000, 1600, 1200}, {921600, 640, 480},
                 {12345, 640, 480} /* unknown counts keep the size */};
    for (const auto& c : cases) {
        const std::vector<uint8_t> bytes(c.count, 7);
        buffer.ShowFrame(bytes.data(), bytes.size());
        EXPECT_EQ(buffer.Width(), c.width) << c.count;
        EXPECT_EQ(buffer.Height(), c.height) << c.count;
        EXPECT_EQ(buffer.Pixels()[c.count - 1], 7) << c.count;
    }
    // More bytes than the block holds are cut at its end.
    const std::vector<uint8_t> huge(PaneFrameBuffer::kPixelCapacity + 100, 9);
    buffer.ShowFrame(huge.data(), huge.size());
    EXPECT_EQ(buffer.Pixels()[PaneFrameBuffer::kPixelCapacity - 1], 9);
    EXPECT_EQ(buffer.Block()[0], 40);
}

TEST(PaneFrameBuffer, BottomUpRowsBecomeATopDownPicture) {
    PaneFrameBuffer buffer;
    std::vector<uint8_t> bytes = Frame(640, 480, 0, 0, 0);
    bytes[0] = 255;                                  // first stored pixel: bottom left, blue
    bytes[(size_t(479) * 640 + 639) * 3 + 2] = 255;  // last stored pixel: top right, red
    buffer.ShowFrame(bytes.data(), bytes.size());
    QImage image;
    buffer.ToImage(image);
    EXPECT_EQ(image.pixel(0, 479), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(639, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
}

class Capture : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<uint8_t> bytes = Frame(1600, 1200, 0, 0, 0);
        frame.ShowFrame(bytes.data(), bytes.size());
        settings.printScale = settings.printMagBar = settings.printMagData = 0;
        settings.printGridLine = settings.printCenterLine = 0;
        content.resolutionIndex = 3;
        content.magnification = 100;
    }
    QImage Compose() { return ComposeCapture(frame, content, settings); }

    TempDir dir;
    PaneFrameBuffer frame;
    ViewerSettings settings;
    CaptureContent content;
};

TEST_F(Capture, OnlyThePrintKeysBurnIn) {
    EXPECT_EQ(Compose().pixel(800, 100), qRgb(0, 0, 0));
    settings.printCenterLine = 1;
    const QImage withCentre = Compose();
    EXPECT_EQ(withCentre.size(), QSize(1600, 1200));
    EXPECT_EQ(withCentre.pixel(800, 100), qRgb(255, 0, 0));  // the centre line at 2.5 x 320
    EXPECT_EQ(withCentre.pixel(100, 600), qRgb(255, 0, 0));

    settings.printScale = 1;
    const QRgb scaleColour = qRgb(0, 200, 0);
    EXPECT_EQ(Compose().pixel(1500, 1175), scaleColour);  // arm at 2.5 x 470
    content.magnification = 5;  // no scale at 5 or less, even when asked for
    EXPECT_EQ(Compose().pixel(1500, 1175), qRgb(0, 0, 0));
}

TEST_F(Capture, AnnotationsBurnInAtTheResolutionFactor) {
    CDrawObj annotations;
    annotations.CreateTemplates();
    annotations.SetCalibration(1.0, "degree", "", "", "", "", 1, 0, 1);
    annotations.SetLineColor(0x00FFFFFF);
    annotations.RectangleStart(100, 100);
    annotations.RectangleFinish(200, 200);
    content.annotations = &annotations;
    const QImage picture = Compose();
    // The rectangle's top edge lies at 250 in a 1600-wide picture, not at 100.
    EXPECT_NE(picture.pixel(400, 250), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(150, 100), qRgb(0, 0, 0));
}

TEST_F(Capture, StoresPictureAndSidecar) {
    const QImage picture = Compose();
    const std::string stem = dir.file("Pic00001");
    const std::string sidecar = MagnificationFileText(100, 1600, settings);
    const CaptureOutcome jpeg = StoreCapture(picture, stem, true, sidecar, nullptr);
    ASSERT_EQ(jpeg.result, CaptureResult::Written);
    EXPECT_EQ(jpeg.imagePath, stem + ".jpg");
    EXPECT_TRUE(jpeg.sidecarWritten);
    EXPECT_EQ(ReadText(stem + "jpg.mag"), sidecar);
    EXPECT_EQ(QImage(QString::fromStdString(jpeg.imagePath)).size(), QSize(1600, 1200));

    const CaptureOutcome bmp = StoreCapture(picture, stem, false, "", nullptr);
    ASSERT_EQ(bmp.result, CaptureResult::Written);
    const QImage back(QString::fromStdString(stem + ".bmp"));
    EXPECT_EQ(back.pixel(7, 9), picture.pixel(7, 9));
    EXPECT_EQ(ReadText(stem + "bmp.mag"), "");  // magnification 0: an empty sidecar
    EXPECT_EQ(CountEntries(dir.path()), 4u);    // no temporary files left
}

TEST_F(Capture, NeverReplacesAPictureWithoutAgreement) {
    const std::string stem = dir.file("Pic00003");
    WriteText(stem + ".jpg", "precious");
    WriteText(stem + "jpg.mag", "old sidecar");
    const QImage picture = Compose();
    std::vector<std::string> asked;
    const auto refuse = [&](const std::string& path) {
        asked.push_back(path);
        return false;
    };
    for (const ReplaceQuestion& question : {ReplaceQuestion(), ReplaceQuestion(refuse)}) {
        const CaptureOutcome outcome = StoreCapture(picture, stem, true, "new", question);
        EXPECT_EQ(outcome.result, CaptureResult::Refused);
        EXPECT_EQ(ReadText(stem + ".jpg"), "precious");
        EXPECT_EQ(ReadText(stem + "jpg.mag"), "old sidecar");
    }
    EXPECT_EQ(asked, std::vector<std::string>{stem + ".jpg"});
    EXPECT_EQ(CountEntries(dir.path()), 2u);

    const CaptureOutcome agreed = StoreCapture(picture, stem, true, "new", [](const std::string&) { return true; });
    EXPECT_EQ(agreed.result, CaptureResult::Written);
    EXPECT_NE(ReadText(stem + ".jpg"), "precious");
    EXPECT_EQ(ReadText(stem + "jpg.mag"), "new");
}

TEST_F(Capture, UnwritableFolderFailsAndLeavesNothing) {
    // A "folder" that is a file cannot be written into, not even by root.
    WriteText(dir.file("plain"), "not a folder");
    const QImage picture = Compose();
    for (const bool jpeg : {false, true}) {
        const CaptureOutcome outcome = StoreCapture(picture, dir.file("plain") + "/Pic00001", jpeg, "x", nullptr);
        EXPECT_EQ(outcome.result, CaptureResult::WriteFailed);
        EXPECT_FALSE(outcome.sidecarWritten);
    }
    EXPECT_EQ(CountEntries(dir.path()), 1u);
    EXPECT_EQ(StoreCapture(QImage(), dir.file("none"), true, "", nullptr).result, CaptureResult::NoPicture);
}

TEST(PictureNumbers, NextNumberAfterTheLargestPictureOfTheGallery) {
    const struct {
        const char* name;
        std::vector<const char*> files;
        long long next;
    } cases[] = {
        {"empty gallery", {}, 1},
        {"bmp and jpg both count", {"Pic00001.jpg", "Pic00007.BMP", "Pic00003.bmp"}, 8},
        {"sidecars, other types and non-digit names do not", {"Pic00009jpg.mag", "Pic00012.png", "Pic12a.jpg", "Pic.jpg", "Photo5.jpg"}, 1},
        {"beyond five digits", {"Pic123456.jpg", "Pic00002.jpg"}, 123457},
    };
    for (const auto& c : cases) {
        TempDir gallery;
        for (const char* file : c.files) WriteText(gallery.file(file), "x");
        EXPECT_EQ(NextPictureNumber(gallery.path().string()), c.next) << c.name;
    }
    EXPECT_EQ(NextPictureNumber("/nonexistent/folder/4711"), 1);
    EXPECT_EQ(PictureBaseName(12), "Pic00012");
    EXPECT_EQ(PictureBaseName(123456), "Pic123456");
}

}  // namespace
