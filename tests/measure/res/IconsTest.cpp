#include "measure/res/CommandTable.h"
#include "measure/res/Icons.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QtTest>

using namespace tessmet;

namespace {

QImage Render(const QString& resource, int size) {
    QSvgRenderer renderer(resource);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
    }
    return count;
}

QStringList IconFiles() {
    return QDir(QString::fromLatin1(kIconFolder)).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
}

}  // namespace

class tst_Icons : public QObject {
    Q_OBJECT

private slots:
    void everyToolbarCommandAndTheProgramHaveTheirPicture() {
        QSet<QString> referenced;
        for (const CommandInfo& c : Commands()) {
            if (!c.icon) continue;
            QVERIFY2(QFile::exists(QString::fromLatin1(c.icon)), c.icon);
            referenced.insert(QString::fromLatin1(c.icon));
        }
        QVERIFY(QFile::exists(QString::fromLatin1(kApplicationIcon)));
        referenced.insert(QString::fromLatin1(kApplicationIcon));
        // No picture without a user: a stray file is a typo of a command's picture.
        for (const QString& name : IconFiles()) {
            QVERIFY2(referenced.contains(QString::fromLatin1(kIconFolder) + name), qPrintable(name));
        }
        QCOMPARE(IconFiles().size(), referenced.size());
        QCOMPARE(QString::fromStdString(IconResource("grid")), QStringLiteral(":/tessmet/icons/grid.svg"));
    }

    void picturesAreSquareAndVisibleAtEverySize_data() {
        QTest::addColumn<QString>("resource");
        for (const QString& name : IconFiles()) {
            QTest::newRow(qPrintable(name)) << QString::fromLatin1(kIconFolder) + name;
        }
    }
    void picturesAreSquareAndVisibleAtEverySize() {
        QFETCH(QString, resource);
        QSvgRenderer renderer(resource);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBoxF().width(), renderer.viewBoxF().height());
        for (int size : {16, 24, 48}) {
            const int opaque = OpaquePixels(Render(resource, size));
            // Something clearly drawn, and not just a filled square.
            QVERIFY2(opaque >= size * size / 16, qPrintable(QStringLiteral("%1 px: %2").arg(size).arg(opaque)));
            QVERIFY2(opaque < size * size, qPrintable(QStringLiteral("%1 px: filled whole").arg(size)));
        }
    }

    void toolbarPicturesDifferFromEachOtherAtSixteenPixels() {
        QHash<QByteArray, QString> seen;
        for (const QString& name : IconFiles()) {
            const QImage image = Render(QString::fromLatin1(kIconFolder) + name, 16);
            const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
            QVERIFY2(!seen.contains(bytes), qPrintable(name + QStringLiteral(" looks like ") + seen.value(bytes)));
            seen.insert(bytes, name);
        }
    }
};

QTEST_MAIN(tst_Icons)
#include "IconsTest.moc"
