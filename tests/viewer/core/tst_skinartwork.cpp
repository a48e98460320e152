#include "viewer/core/JogRegions.h"
#include "viewer/core/SkinLayout.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace lumora;

// The skin drawn at build time: every file the form loads exists under its name, faces of one
// button share a size and differ from each other, and each sits on the background seamlessly
// (its corner is the background's pixel at the button's place).
class tst_SkinArtwork : public QObject {
    Q_OBJECT

private:
    QDir folder_{QStringLiteral(LUMORA_SKIN_DIR)};
    QImage background_;

    QImage load(const QString& name) {
        QImage image(folder_.filePath(name));
        return image.convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void initTestCase() {
        background_ = load(QString::fromLatin1(kBackgroundImage));
        QCOMPARE(background_.size(), QSize(kFormWidth, kFormHeight));
    }

    void buttonFaces_data() {
        QTest::addColumn<QString>("stem");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QStringList>("faces");
        const QStringList three = {QStringLiteral("_Ena"), QStringLiteral("_Over"), QStringLiteral("_Hit")};
        for (const auto& b : kCaptionButtons) {
            QTest::newRow(b.stem) << QString::fromLatin1(b.stem) << b.x << b.y
                                  << QStringList{QStringLiteral("_Ena"), QStringLiteral("_Over")};
        }
        for (const auto& b : kLayoutButtons) QTest::newRow(b.stem) << QString::fromLatin1(b.stem) << b.x << b.y << three;
        for (const auto& b : kSwitchButtons) QTest::newRow(b.stem) << QString::fromLatin1(b.stem) << b.x << b.y << three;
    }
    void buttonFaces() {
        QFETCH(QString, stem);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QStringList, faces);
        QList<QImage> images;
        for (const QString& face : faces) {
            const QImage image = load(stem + face + QStringLiteral(".bmp"));
            QVERIFY2(!image.isNull(), qPrintable(stem + face));
            images << image;
        }
        for (const QImage& image : images) {
            QCOMPARE(image.size(), images.front().size());
            QVERIFY(x + image.width() <= kFormWidth && y + image.height() <= kFormHeight);
        }
        for (int a = 0; a < images.size(); ++a) {
            for (int b = a + 1; b < images.size(); ++b) QVERIFY2(images[a] != images[b], qPrintable(faces[a] + faces[b]));
        }
        // The normal face blends into the background at its corner (caption buttons: _Over).
        const QImage& normal = faces.size() == 2 ? images[1] : images[0];
        QCOMPARE(normal.pixel(0, 0), background_.pixel(x, y));
        QCOMPARE(normal.pixel(normal.width() - 1, normal.height() - 1),
                 background_.pixel(x + normal.width() - 1, y + normal.height() - 1));
    }

    void jogPictures() {
        QStringList names = {QString::fromLatin1(kJogIdleImage)};
        for (int mode = 0; mode < 3; ++mode) {
            for (int region = 0; region < kJogRegionCount; ++region) names << QString::fromStdString(JogRegionImageName(mode, region));
        }
        QSet<QByteArray> distinct;
        for (const QString& name : names) {
            const QImage image = load(name);
            QVERIFY2(image.size() == QSize(kJogWidth, kJogHeight), qPrintable(name));
            QCOMPARE(image.pixel(0, 0), background_.pixel(kJogPlace.x, kJogPlace.y));
            distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(int(distinct.size()), int(names.size()));
    }

    // A lit segment changes the pixels inside its own region, not those of the others.
    void litSegmentStaysInItsRegion() {
        const QImage idle = load(QString::fromLatin1(kJogIdleImage));
        for (int region = 0; region < 4; ++region) {
            const QImage lit = load(QString::fromStdString(JogRegionImageName(2, region)));
            int inside = 0;
            for (int y = 0; y < kJogHeight; ++y) {
                for (int x = 0; x < kJogWidth; ++x) {
                    if (lit.pixel(x, y) == idle.pixel(x, y)) continue;
                    if (JogRegionContains(region, x, y)) ++inside;
                    for (int other = 0; other < 4; ++other) {
                        // Outlines are antialiased, so only pixels well inside another region count.
                        if (other != region && JogRegionContains(other, x, y) && JogRegionContains(other, x - 2, y) &&
                            JogRegionContains(other, x + 2, y) && JogRegionContains(other, x, y - 2) && JogRegionContains(other, x, y + 2)) {
                            QFAIL(qPrintable(QStringLiteral("region %1 lit changes %2,%3 of region %4").arg(region).arg(x).arg(y).arg(other)));
                        }
                    }
                }
            }
            QVERIFY(inside > 1000);
        }
    }
};

QTEST_MAIN(tst_SkinArtwork)
#include "tst_skinartwork.moc"
