#include "viewer/core/SkinButton.h"

#include "support/TempDir.h"

#include <QDir>
#include <QEnterEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace lumora;

namespace {

const QRgb kEna = qRgb(200, 10, 10);
const QRgb kOver = qRgb(10, 200, 10);
const QRgb kHit = qRgb(10, 10, 200);

// A solid bitmap file; faces are told apart by their colour.
void WriteFace(const QString& path, QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "BMP"));
}

// The colour the button paints in its middle, over a background that is none of the faces'.
QRgb Painted(CSkinButton& button) {
    QImage canvas(button.size(), QImage::Format_RGB32);
    canvas.fill(qRgb(1, 2, 3));
    button.render(&canvas, QPoint(), QRegion(), QWidget::DrawChildren);
    return canvas.pixel(canvas.width() / 2, canvas.height() / 2);
}

void Enter(CSkinButton& button) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&button, &enter);
}

void Leave(CSkinButton& button) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
}

}  // namespace

class tst_CSkinButton : public QObject {
    Q_OBJECT

private:
    testsupport::TempDir temp_;
    QString app_;

private slots:
    void initTestCase() {
        app_ = QString::fromStdString(temp_.path().string());
        QVERIFY(QDir(app_).mkpath(QStringLiteral("img")));
        const QString img = app_ + QStringLiteral("/img/");
        // The _Over and _Hit faces are larger on purpose: the first bitmap gives the size.
        WriteFace(img + QStringLiteral("TestStem_Ena.bmp"), {37, 19}, kEna);
        WriteFace(img + QStringLiteral("TestStem_Over.bmp"), {40, 20}, kOver);
        WriteFace(img + QStringLiteral("TestStem_Hit.bmp"), {41, 21}, kHit);
        WriteFace(img + QStringLiteral("TestCaption_Ena.bmp"), {30, 22}, kEna);
        WriteFace(img + QStringLiteral("TestCaption_Over.bmp"), {30, 22}, kOver);
        WriteFace(img + QStringLiteral("TestGap_Ena.bmp"), {20, 12}, kEna);
        WriteFace(img + QStringLiteral("TestGap_Hit.bmp"), {20, 12}, kHit);
    }

    // Which face shows for each combination of hover, down and enabled, painted for real.
    void stemFaces_data() {
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<bool>("pushed");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QRgb>("painted");
        QTest::newRow("up") << false << false << true << kEna;
        QTest::newRow("up hovered") << true << false << true << kOver;
        QTest::newRow("down") << false << true << true << kHit;
        QTest::newRow("down hovered") << true << true << true << kHit;
        QTest::newRow("disabled up") << false << false << false << kEna;
        QTest::newRow("disabled down") << false << true << false << kHit;
    }
    void stemFaces() {
        QFETCH(bool, hovered);
        QFETCH(bool, pushed);
        QFETCH(bool, enabled);
        QFETCH(QRgb, painted);
        CSkinButton button(nullptr, 1000);
        button.loadStem(app_, QStringLiteral("TestStem"));
        button.setEnabled(enabled);
        button.setPushed(pushed);
        if (hovered) Enter(button);
        QCOMPARE(Painted(button), painted);
    }

    void captionFaces_data() {
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QRgb>("painted");
        QTest::newRow("normal shows Over") << false << true << kOver;
        QTest::newRow("hovered shows Ena") << true << true << kEna;
        QTest::newRow("disabled shows Over") << false << false << kOver;
    }
    void captionFaces() {
        QFETCH(bool, hovered);
        QFETCH(bool, enabled);
        QFETCH(QRgb, painted);
        CSkinButton button(nullptr, 1004);
        button.loadCaption(app_, QStringLiteral("TestCaption"));
        button.setEnabled(enabled);
        if (hovered) Enter(button);
        QCOMPARE(Painted(button), painted);
    }

    void hoverEndsWhenThePointerLeaves() {
        CSkinButton button;
        button.loadStem(app_, QStringLiteral("TestStem"));
        Enter(button);
        QCOMPARE(Painted(button), kOver);
        Leave(button);
        QVERIFY(!button.isHovered());
        QCOMPARE(Painted(button), kEna);
    }

    void pressingShowsHitAndClicksOnce() {
        CSkinButton button;
        button.loadStem(app_, QStringLiteral("TestStem"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(button.currentFace(), SkinFace::Hit);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicked.count(), 1);
        QVERIFY(button.currentFace() != SkinFace::Hit);
    }

    void sizesItselfToTheFirstBitmap() {
        CSkinButton button;
        button.loadStem(app_, QStringLiteral("TestStem"));
        QCOMPARE(button.size(), QSize(37, 19));
        QCOMPARE(button.sizeHint(), QSize(37, 19));
    }

    // A missing face paints nothing; a missing first bitmap leaves the size as it was.
    void missingFilesLeaveTheFaceBlank() {
        CSkinButton button;
        button.resize(20, 12);
        button.loadStem(app_, QStringLiteral("TestGap"));  // no _Over file
        QCOMPARE(Painted(button), kEna);
        Enter(button);
        QVERIFY(button.face(SkinFace::Over).isNull());
        QCOMPARE(Painted(button), qRgb(1, 2, 3));

        CSkinButton nothing;
        nothing.resize(11, 7);
        nothing.loadStem(app_, QStringLiteral("NoSuchStem"));
        QCOMPARE(nothing.size(), QSize(11, 7));
        QCOMPARE(Painted(nothing), qRgb(1, 2, 3));
    }

    void handCursorOnlyWhileEnabled() {
        CSkinButton button;
        QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
        button.setEnabled(false);
        QVERIFY(button.cursor().shape() != Qt::PointingHandCursor);
        button.setEnabled(true);
        QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
    }
};

QTEST_MAIN(tst_CSkinButton)
#include "tst_skinbutton.moc"
