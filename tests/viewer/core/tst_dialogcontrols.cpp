#include "viewer/core/ColorSwatch.h"
#include "viewer/core/ImageComboBox.h"
#include "viewer/core/SaveNameDlg.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace lumora;

namespace {

// Rows of `image` inside column `x` that are black.
int BlackRows(const QImage& image, int x) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) rows += image.pixel(x, y) == qRgb(0, 0, 0);
    return rows;
}

}  // namespace

class tst_DialogControls : public QObject {
    Q_OBJECT

private slots:
    void swatchAsksForAColourOnRelease_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<bool>("asked");
        QTest::newRow("left, OK") << int(Qt::LeftButton) << true << true;
        QTest::newRow("left, Cancel") << int(Qt::LeftButton) << false << true;
        QTest::newRow("right button") << int(Qt::RightButton) << true << false;
    }
    void swatchAsksForAColourOnRelease() {
        QFETCH(int, button);
        QFETCH(bool, confirmed);
        QFETCH(bool, asked);
        CColorSwatch swatch(nullptr, 1026);
        swatch.resize(25, 23);
        swatch.show();
        QCOMPARE(swatch.colour(), MakeColorRef(0, 0, 255));  // until it is set
        int questions = 0;
        swatch.setColourChooser([&](ColorRef, QWidget*) -> std::optional<ColorRef> {
            ++questions;
            if (!confirmed) return std::nullopt;
            return MakeColorRef(1, 2, 3);
        });
        QSignalSpy changed(&swatch, &CColorSwatch::colourChanged);
        QTest::mouseClick(&swatch, Qt::MouseButton(button));
        QCOMPARE(questions, asked ? 1 : 0);
        const bool takes = asked && confirmed;
        QCOMPARE(swatch.colour(), takes ? MakeColorRef(1, 2, 3) : MakeColorRef(0, 0, 255));
        QCOMPARE(changed.size(), takes ? 1 : 0);
        if (takes) QCOMPARE(changed[0][1].toInt(), 1026);
        // The inside is painted in the colour.
        QCOMPARE(swatch.grab().toImage().pixel(12, 11), ToQColor(swatch.colour()).rgb());
    }

    void lineModeDrawsTheWidths_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 5; ++i) QTest::addRow("width %d", i + 1) << i;
    }
    void lineModeDrawsTheWidths() {
        QFETCH(int, index);
        CImageComboBox combo;
        combo.resize(74, 24);
        QCOMPARE(combo.count(), 5);
        QImage item(70, 20, QImage::Format_RGB32);
        QPainter painter(&item);
        combo.paintItem(painter, item.rect(), index, false, false);
        painter.end();
        const int thickness = index + 1;
        QCOMPARE(BlackRows(item, 35), thickness);
        // Centred in the item inset by 2, 1 pixel in from the inset's left and right edges.
        const int top = 2 + (16 - thickness) / 2;
        QCOMPARE(item.pixel(35, top), qRgb(0, 0, 0));
        QCOMPARE(item.pixel(35, top + thickness - 1), qRgb(0, 0, 0));
        const QRgb base = combo.palette().color(QPalette::Base).rgb();
        QCOMPARE(item.pixel(2, top), base);
        QCOMPARE(item.pixel(3, top), qRgb(0, 0, 0));
        QCOMPARE(item.pixel(66, top), qRgb(0, 0, 0));
        QCOMPARE(item.pixel(67, top), base);
    }

    void bitmapModeStretchesTheBitmaps() {
        const std::vector<QImage> arrows = ArrowStyleBitmaps();
        QCOMPARE(arrows.size(), size_t{3});
        for (const QImage& a : arrows) QCOMPARE(a.size(), QSize(60, 24));
        QVERIFY(arrows[0] != arrows[1] && arrows[1] != arrows[2] && arrows[0] != arrows[2]);
        CImageComboBox combo;
        combo.setBitmaps({QImage(60, 24, QImage::Format_RGB32)});
        combo.setBitmaps(arrows);
        QCOMPARE(combo.count(), 3);
        QImage item(66, 30, QImage::Format_RGB32);
        QPainter painter(&item);
        combo.paintItem(painter, item.rect(), 1, true, false);
        painter.end();
        // Selected: the highlight round the bitmap, the bitmap inset by 3 pixels.
        QCOMPARE(item.pixel(1, 1), combo.palette().color(QPalette::Highlight).rgb());
        QCOMPARE(item.pixel(3, 3), arrows[1].pixel(0, 0));
        QCOMPARE(item.copy(3, 3, 60, 24), arrows[1].convertToFormat(QImage::Format_RGB32));
        combo.setLineMode();
        QCOMPARE(combo.mode(), CImageComboBox::Mode::Line);
        QCOMPARE(combo.count(), 5);
    }

    void saveNameDialog() {
        CSaveNameDlg dialog(QStringLiteral("Pic00013"));
        QCOMPARE(dialog.windowTitle(), QString("Save"));
        QCOMPARE(dialog.size(), QSize(215, 69));
        QCOMPARE(dialog.nameEdit()->geometry(), QRect(15, 10, 189, 21));
        QCOMPARE(dialog.okButton()->geometry(), QRect(15, 38, 88, 21));
        QCOMPARE(dialog.cancelButton()->geometry(), QRect(112, 38, 88, 21));
        QCOMPARE(dialog.name(), QString("Pic00013"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // The proposal is selected, so typing replaces it.
        QTest::keyClicks(dialog.nameEdit(), "  sample");
        QTest::keyClick(dialog.nameEdit(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), QString("  sample"));
    }
};

QTEST_MAIN(tst_DialogControls)
#include "tst_dialogcontrols.moc"
