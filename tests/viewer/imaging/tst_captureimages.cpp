#include "viewer/core/StillBuffer.h"
#include "viewer/imaging/CaptureFile.h"
#include "viewer/imaging/FrameImage.h"

#include "support/TempDir.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>

#include <random>

using namespace lumora;

namespace {

// A 3 x 2 picture with six distinct colours, top-down.
QImage Sample() {
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb colours[6] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                             qRgb(10, 20, 30), qRgb(200, 100, 50), qRgb(255, 255, 255)};
    for (int i = 0; i < 6; ++i) image.setPixel(i % 3, i / 3, colours[i]);
    return image;
}

uint32_t Le32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}

}  // namespace

class tst_CaptureImages : public QObject {
    Q_OBJECT
private slots:
    void frameToImageFlipsRowsAndSwapsRedAndBlue() {
        // Bottom-up BGR: the first stored row is the bottom line of the picture.
        const uint8_t frame[] = {/* bottom */ 1, 2, 3, 4, 5, 6, /* top */ 7, 8, 9, 10, 11, 12};
        QImage image;
        FrameToImage(frame, 2, 2, image);
        QCOMPARE(image.size(), QSize(2, 2));
        QCOMPARE(image.pixel(0, 0), qRgb(9, 8, 7));
        QCOMPARE(image.pixel(1, 0), qRgb(12, 11, 10));
        QCOMPARE(image.pixel(0, 1), qRgb(3, 2, 1));
        QCOMPARE(image.pixel(1, 1), qRgb(6, 5, 4));
        // The next frame of the same size reuses the picture's storage.
        const uchar* storage = image.constBits();
        FrameToImage(frame, 2, 2, image);
        QCOMPARE(image.constBits(), storage);
    }

    // Widths that are and are not a multiple of four take the same rule, pixel by pixel.
    void frameToImageMatchesThePixelRuleAtAnyWidth() {
        std::mt19937 random(7);
        for (int width : {1, 3, 4, 5, 7, 8, 13, 640}) {
            const int height = 3;
            std::vector<uint8_t> frame(size_t(width) * height * 3);
            for (uint8_t& b : frame) b = uint8_t(random());
            QImage image;
            FrameToImage(frame.data(), width, height, image);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const uint8_t* p = frame.data() + (size_t(height - 1 - y) * width + x) * 3;
                    QCOMPARE(image.pixel(x, y), qRgb(p[2], p[1], p[0]));
                }
        }
    }

    void stillToImageReadsTheHeader() {
        StillBuffer still;
        QVERIFY(StillToImage(still).isNull());  // a zero header is no picture
        Frame frame{800, 600, std::vector<uint8_t>(800 * 600 * 3, 0), 1};
        frame.bytes[0] = 255;  // blue, bottom-left pixel
        still.WriteHeader(800, 600);
        still.CopyPixels(frame);
        const QImage image = StillToImage(still);
        QCOMPARE(image.size(), QSize(800, 600));
        QCOMPARE(image.pixel(0, 599), qRgb(0, 0, 255));
        QCOMPARE(ReduceStill(image).size(), QSize(640, 480));
    }

    void bmpHasTheClassicHeadersAndPaddedBottomUpRows() {
        const std::string bmp = EncodeBmp(Sample());
        const uint32_t stride = 12;  // 3 pixels * 3 bytes = 9, padded to 12
        QCOMPARE(bmp.size(), size_t(54 + stride * 2));
        QCOMPARE(bmp.substr(0, 2), std::string("BM"));
        QCOMPARE(Le32(bmp, 2), uint32_t(bmp.size()));
        QCOMPARE(Le32(bmp, 10), 54u);
        QCOMPARE(Le32(bmp, 14), 40u);
        QCOMPARE(Le32(bmp, 18), 3u);
        QCOMPARE(Le32(bmp, 22), 2u);  // positive height: bottom-up
        QCOMPARE(uint8_t(bmp[28]), uint8_t(24));
        QCOMPARE(Le32(bmp, 34), stride * 2);
        // First stored row is the bottom line: (10,20,30) as B,G,R = 30,20,10.
        QCOMPARE(uint8_t(bmp[54]), uint8_t(30));
        QCOMPARE(uint8_t(bmp[55]), uint8_t(20));
        QCOMPARE(uint8_t(bmp[56]), uint8_t(10));
        QImage back;
        QVERIFY(back.loadFromData(QByteArray::fromStdString(bmp), "BMP"));
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), Sample());
    }

    void jpegDecodesToThePictureSize() {
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(qRgb(120, 60, 200));
        const auto jpeg = EncodeJpeg(picture, kCaptureJpegQuality);
        QVERIFY(jpeg);
        QCOMPARE(jpeg->substr(0, 2), std::string("\xFF\xD8"));
        QImage back;
        QVERIFY(back.loadFromData(QByteArray::fromStdString(*jpeg), "JPG"));
        QCOMPARE(back.size(), QSize(640, 480));
        const QRgb centre = back.pixel(320, 240);
        QVERIFY(qAbs(qRed(centre) - 120) < 6 && qAbs(qGreen(centre) - 60) < 6 && qAbs(qBlue(centre) - 200) < 6);
    }

    void writingReplacesWholeOrNotAtAll() {
        testsupport::TempDir dir;
        const std::string path = dir.file("Pic00001.bmp");
        QVERIFY(WriteCaptureFile(path, Sample(), CaptureFileType::Bmp));
        QCOMPARE(testsupport::ReadText(path), EncodeBmp(Sample()));
        QVERIFY(!WriteCaptureFile(dir.file("missing/Pic00002.jpg"), Sample(), CaptureFileType::Jpeg));
        QVERIFY(!WriteCaptureFile(path, QImage(), CaptureFileType::Bmp));
        QCOMPARE(testsupport::ReadText(path), EncodeBmp(Sample()));
    }

    void fileTypeFromTheName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");
        QTest::newRow("bmp") << "a.bmp" << 0;
        QTest::newRow("BMP") << "dir/A.BMP" << 0;
        QTest::newRow("jpg") << "a.jpg" << 1;
        QTest::newRow("jpeg") << "a.JPeg" << 1;
        QTest::newRow("png") << "a.png" << -1;
        QTest::newRow("bare") << ".bmp" << -1;
        QTest::newRow("none") << "bmp" << -1;
    }
    void fileTypeFromTheName() {
        QFETCH(QString, name);
        QFETCH(int, type);
        const auto found = CaptureFileTypeOf(name.toStdString());
        QCOMPARE(found ? static_cast<int>(*found) : -1, type);
    }
};

QTEST_GUILESS_MAIN(tst_CaptureImages)
#include "tst_captureimages.moc"
