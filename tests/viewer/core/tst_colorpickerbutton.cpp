#include "viewer/core/ColorPickerButton.h"
#include "viewer/core/ColorPopup.h"
#include "viewer/core/ColorPopupLayout.h"
#include "viewer/core/ColorTable.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <set>

using namespace lumora;

Q_DECLARE_METATYPE(lumora::PopupKey)

namespace {

constexpr int D = PopupElement::Default;
constexpr int C = PopupElement::Custom;

QImage ButtonBitmap() {
    QImage bitmap(22, 22, QImage::Format_RGB32);
    bitmap.fill(qRgb(10, 20, 30));
    return bitmap;
}

// The events of one popup as the button's parent sees them: "name colour" in order.
struct ParentLog {
    QStringList events;
    void attach(CColorPickerButton& button) {
        const auto log = [this](const char* name) {
            return [this, name](ColorRef colour, int id) {
                events << QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(colour, 8, 16, QLatin1Char('0')).arg(id);
            };
        };
        QObject::connect(&button, &CColorPickerButton::droppedDown, log("drop"));
        QObject::connect(&button, &CColorPickerButton::closedUp, log("close"));
        QObject::connect(&button, &CColorPickerButton::selectionEndOk, log("ok"));
        QObject::connect(&button, &CColorPickerButton::selectionEndCancel, log("cancel"));
    }
};

QString Hex(ColorRef colour) { return QStringLiteral("%1").arg(colour, 8, 16, QLatin1Char('0')); }

}  // namespace

class tst_CColorPickerButton : public QObject {
    Q_OBJECT

private slots:
    void colourTable() {
        QCOMPARE(int(kPickerColours.size()), 40);
        std::set<ColorRef> distinct;
        for (const auto& entry : kPickerColours) distinct.insert(entry.colour);
        QCOMPARE(int(distinct.size()), 40);
        QCOMPARE(QString::fromLatin1(kPickerColours[9].name), QStringLiteral("Orange"));
        QCOMPARE(kPickerColours[9].colour, MakeColorRef(255, 104, 32));
        QCOMPARE(kPickerColours[9].colour, 0x002068FFu);
        QCOMPARE(QString::fromLatin1(kPickerColours[35].name), QStringLiteral("Pale green "));
        QCOMPARE(PickerCellOf(MakeColorRef(255, 255, 255)), 39);
        QCOMPARE(PickerCellOf(MakeColorRef(1, 2, 3)), -1);
        QCOMPARE(ToQColor(kPickerColours[1].colour), QColor(165, 42, 0));
    }

    void keyboardNavigation_data() {
        QTest::addColumn<PopupKey>("key");
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("hasDefault");
        QTest::addColumn<bool>("hasCustom");
        QTest::addColumn<int>("to");
        QTest::newRow("left within a row") << PopupKey::Left << 5 << true << true << 4;
        QTest::newRow("left from the first column to the previous row") << PopupKey::Left << 8 << true << true << 7;
        QTest::newRow("left from cell 0 to the default box") << PopupKey::Left << 0 << true << true << D;
        QTest::newRow("left from cell 0 without default to custom") << PopupKey::Left << 0 << false << true << C;
        QTest::newRow("left from cell 0 without boxes to the last cell") << PopupKey::Left << 0 << false << false << 39;
        QTest::newRow("left from default to custom") << PopupKey::Left << D << true << true << C;
        QTest::newRow("left from default without custom to the last cell") << PopupKey::Left << D << true << false << 39;
        QTest::newRow("left from custom to the last cell") << PopupKey::Left << C << true << true << 39;
        QTest::newRow("up one row") << PopupKey::Up << 12 << true << true << 4;
        QTest::newRow("up from the top row to default") << PopupKey::Up << 3 << true << true << D;
        QTest::newRow("up from the top row without default to custom") << PopupKey::Up << 3 << false << true << C;
        QTest::newRow("up from default to custom") << PopupKey::Up << D << true << true << C;
        QTest::newRow("up from custom to the last cell") << PopupKey::Up << C << true << true << 39;
        QTest::newRow("right within a row") << PopupKey::Right << 4 << true << true << 5;
        QTest::newRow("right from the last column to the next row") << PopupKey::Right << 7 << true << true << 8;
        QTest::newRow("right from default to cell 0") << PopupKey::Right << D << true << true << 0;
        QTest::newRow("right from custom to default") << PopupKey::Right << C << true << true << D;
        QTest::newRow("right from custom without default to cell 0") << PopupKey::Right << C << false << true << 0;
        QTest::newRow("right past the last cell to custom") << PopupKey::Right << 39 << true << true << C;
        QTest::newRow("right past the last cell without custom to default") << PopupKey::Right << 39 << true << false << D;
        QTest::newRow("right past the last cell without boxes to 0") << PopupKey::Right << 39 << false << false << 0;
        QTest::newRow("down one row") << PopupKey::Down << 3 << true << true << 11;
        QTest::newRow("down from the bottom row to custom") << PopupKey::Down << 35 << true << true << C;
        QTest::newRow("down from the bottom row without custom to default") << PopupKey::Down << 35 << true << false << D;
        QTest::newRow("down from the bottom row without boxes to 0") << PopupKey::Down << 35 << false << false << 0;
        QTest::newRow("down from custom to default") << PopupKey::Down << C << true << true << D;
        QTest::newRow("down from custom without default to 0") << PopupKey::Down << C << false << true << 0;
        QTest::newRow("down from default to 0") << PopupKey::Down << D << true << true << 0;
        QTest::newRow("from nothing to cell 0") << PopupKey::Up << -1 << true << true << 0;
    }
    void keyboardNavigation() {
        QFETCH(PopupKey, key);
        QFETCH(int, from);
        QFETCH(bool, hasDefault);
        QFETCH(bool, hasCustom);
        QFETCH(int, to);
        QCOMPARE(NextPopupElement(key, from, hasDefault, hasCustom), to);
    }

    void layoutAndPlacement_data() {
        QTest::addColumn<bool>("hasDefault");
        QTest::addColumn<bool>("hasCustom");
        QTest::addColumn<QRect>("button");
        QTest::addColumn<QRect>("window");
        const QRect button(100, 100, 26, 26);
        // Grid: 2 * 2 + 8 * 18 = 148 wide, 5 * 18 + 4 = 94 high; a text box (text 13 high) is
        // 13 + 8 + 2 = 23 high and adds 23 + 6 = 29.
        QTest::newRow("grid only, below the button") << false << false << button << QRect(100, 126, 148, 94);
        QTest::newRow("with both boxes") << true << true << button << QRect(100, 126, 148, 94 + 29 + 29);
        QTest::newRow("past the right edge moves left") << false << false << QRect(950, 100, 26, 26) << QRect(852, 126, 148, 94);
        QTest::newRow("left of the screen moves right") << false << false << QRect(-20, 100, 26, 26) << QRect(0, 126, 148, 94);
        QTest::newRow("past the bottom goes above the button") << true << true << QRect(300, 650, 26, 26)
                                                               << QRect(300, 650 - 152, 148, 152);
        QTest::newRow("just fits at the bottom") << false << false << QRect(300, 580, 26, 26) << QRect(300, 606, 148, 94);
    }
    void layoutAndPlacement() {
        QFETCH(bool, hasDefault);
        QFETCH(bool, hasCustom);
        QFETCH(QRect, button);
        QFETCH(QRect, window);
        PopupMetrics metrics;
        metrics.textSize = QSize(60, 13);
        metrics.hasDefault = hasDefault;
        metrics.hasCustom = hasCustom;
        const PopupLayout layout = LayOutPopup(metrics, button, QRect(0, 0, 1000, 700));
        QCOMPARE(layout.window, window);
        if (hasDefault) {
            QCOMPARE(layout.defaultBox, QRect(2, 2, 144, 25));
            QCOMPARE(layout.cellsTop, 27);
            QCOMPARE(layout.cell(0, metrics), QRect(2, 29, 18, 18));
        }
        if (hasCustom) QCOMPARE(layout.customBox, QRect(2, hasDefault ? 123 : 94, 144, 25));
        QCOMPARE(layout.cell(9, metrics).topLeft(), QPoint(20, 20 + layout.cellsTop));
    }

    void wideTextWidensThePopup() {
        PopupMetrics metrics;
        metrics.textSize = QSize(200, 13);
        metrics.hasCustom = true;
        const PopupLayout layout = LayOutPopup(metrics, QRect(0, 0, 10, 10), QRect(0, 0, 1000, 1000));
        QCOMPARE(layout.window.width(), 204);
        QCOMPARE(layout.customBox.width(), 200);
        QCOMPARE(PopupCellSize(2), 18);
        QCOMPARE(PopupCellSize(6), 19);
    }

    // Arrows move the hovered element and report each colour; Escape puts the initial colour
    // back and reports the cancel outcome, after the close-up.
    void escapeRestoresTheInitialColour() {
        QWidget parent;
        parent.resize(200, 200);
        CColorPickerButton button(&parent, 1019);
        button.setDefaultText(QStringLiteral("Default Color"));
        parent.show();
        ParentLog log;
        log.attach(button);
        QSignalSpy changes(&button, &CColorPickerButton::selectionChanged);

        const ColorRef initial = button.backgroundColour();
        button.click();
        QVERIFY(button.isActive());
        CColorPopup* popup = button.popup();
        QVERIFY(popup);
        QCOMPARE(popup->initialColour(), initial);
        QTest::keyClick(popup, Qt::Key_Down);   // from the chosen element (custom: not in the table) to default
        QTest::keyClick(popup, Qt::Key_Right);  // cell 0
        QTest::keyClick(popup, Qt::Key_Right);  // cell 1
        QTest::keyClick(popup, Qt::Key_Down);   // cell 9
        QCOMPARE(popup->hovered(), 9);
        QCOMPARE(popup->currentColour(), kPickerColours[9].colour);
        QCOMPARE(changes.count(), 4);
        QCOMPARE(changes.at(0).at(0).value<ColorRef>(), kDefaultColour);
        QCOMPARE(changes.at(3).at(0).value<ColorRef>(), kPickerColours[9].colour);
        QCOMPARE(changes.at(3).at(1).toInt(), 1019);

        QTest::keyClick(popup, Qt::Key_Escape);
        QTRY_VERIFY(!button.popup());
        QVERIFY(!button.isActive());
        QCOMPARE(log.events, QStringList({"drop " + Hex(initial) + " 1019", "close " + Hex(initial) + " 1019",
                                          "cancel " + Hex(initial) + " 1019"}));
        QCOMPARE(button.backgroundColour(), initial);
    }

    void transparentGivesTheDefaultColourAndAWhiteStrip() {
        CColorPickerButton button(nullptr, 1018);
        button.setBitmap(ButtonBitmap());
        button.setColour(MakeColorRef(255, 0, 0));
        QCOMPARE(button.bitmap().pixel(5, 19), qRgb(255, 0, 0));
        QCOMPARE(button.bitmap().pixel(5, 10), qRgb(10, 20, 30));
        ParentLog log;
        log.attach(button);
        button.click();
        CColorPopup* popup = button.popup();
        QVERIFY(popup);
        QTest::keyClick(popup, Qt::Key_Right);  // from the custom box to the default box
        QCOMPARE(popup->hovered(), PopupElement::Default);
        QTest::keyClick(popup, Qt::Key_Return);
        QTRY_VERIFY(!button.popup());
        QCOMPARE(button.colour(), kDefaultColour);
        QCOMPARE(button.backgroundColour(), kDefaultColour);
        QCOMPARE(log.events.last(), QStringLiteral("ok ff000000 1018"));
        const QImage strip = button.bitmap();
        QCOMPARE(strip.pixel(0, 17), qRgb(150, 150, 150));
        QCOMPARE(strip.pixel(21, 21), qRgb(150, 150, 150));
        QCOMPARE(strip.pixel(10, 19), qRgb(255, 255, 255));
        QCOMPARE(strip.pixel(10, 16), qRgb(10, 20, 30));

        // The next popup opens with the default box chosen.
        button.click();
        QVERIFY(button.popup());
        QCOMPARE(button.popup()->initialColour(), kDefaultColour);
        QCOMPARE(button.popup()->chosen(), PopupElement::Default);
        QTest::keyClick(button.popup(), Qt::Key_Escape);
        QTRY_VERIFY(!button.popup());
    }

    void moreColoursThenCancelReportsCancel() {
        CColorPickerButton button;
        int asked = 0;
        std::optional<ColorRef> answer;
        button.setCustomColourChooser([&](ColorRef initial, QWidget*) {
            ++asked;
            [&] { QCOMPARE(initial, button.backgroundColour()); }();
            return answer;
        });
        ParentLog log;
        log.attach(button);
        button.click();
        QCOMPARE(button.popup()->chosen(), PopupElement::Custom);  // the initial colour is not in the table
        QTest::keyClick(button.popup(), Qt::Key_Space);
        QTRY_VERIFY(!button.popup());
        QCOMPARE(asked, 1);
        QVERIFY(log.events.last().startsWith(QStringLiteral("cancel ")));

        answer = MakeColorRef(1, 2, 3);
        button.click();
        QTest::keyClick(button.popup(), Qt::Key_Enter);
        QTRY_VERIFY(!button.popup());
        QCOMPARE(asked, 2);
        QCOMPARE(log.events.last(), QStringLiteral("ok 00030201 0"));
        QCOMPARE(button.colour(), MakeColorRef(1, 2, 3));
    }

    void mouseChoosesACellAndReleaseOutsideCancels() {
        CColorPickerButton button(nullptr, 1020);
        ParentLog log;
        log.attach(button);
        button.click();
        CColorPopup* popup = button.popup();
        const QPoint orange = popup->layout().cell(9, popup->metrics()).center();
        QCOMPARE(popup->elementAt(orange), 9);
        QHelpEvent help(QEvent::ToolTip, orange, popup->mapToGlobal(orange));
        QCoreApplication::sendEvent(popup, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Orange"));
        QTest::mouseMove(popup, orange);
        QTRY_COMPARE(popup->hovered(), 9);
        QTest::mouseRelease(popup, Qt::LeftButton, Qt::NoModifier, orange);
        QTRY_VERIFY(!button.popup());
        QCOMPARE(log.events.last(), "ok " + Hex(kPickerColours[9].colour) + " 1020");

        button.click();
        popup = button.popup();
        QTest::mouseMove(popup, popup->layout().cell(20, popup->metrics()).center());
        QTRY_COMPARE(popup->hovered(), 20);
        QTest::mouseRelease(popup, Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));
        QTRY_VERIFY(!button.popup());
        QCOMPARE(log.events.last(), "cancel " + Hex(kPickerColours[9].colour) + " 1020");
        QCOMPARE(button.colour(), kPickerColours[9].colour);
    }

    // On the real screen: a button low on the screen drops its popup above itself.
    void popupNearTheBottomOpensAboveTheButton() {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        for (const int y : {screen.top() + 10, screen.bottom() - 40}) {
            CColorPickerButton button;
            button.setGeometry(screen.left() + 50, y, 26, 26);
            button.show();
            QVERIFY(QTest::qWaitForWindowExposed(&button));
            button.click();
            QVERIFY(button.popup());
            const QRect popup = button.popup()->geometry();
            const QRect onScreen(button.mapToGlobal(QPoint(0, 0)), button.size());
            if (y < screen.center().y()) {
                QCOMPARE(popup.top(), onScreen.bottom() + 1);
            } else {
                QCOMPARE(popup.bottom(), onScreen.top() - 1);
            }
            QCOMPARE(popup.left(), onScreen.left());
            QTest::keyClick(button.popup(), Qt::Key_Escape);
            QTRY_VERIFY(!button.popup());
        }
    }

    void trackSelectionFollowsTheHover() {
        CColorPickerButton button;
        button.setTrackSelection(true);
        button.click();
        QTest::keyClick(button.popup(), Qt::Key_Up);  // custom box to the last cell
        QCOMPARE(button.colour(), kPickerColours[39].colour);
        QTest::keyClick(button.popup(), Qt::Key_Escape);
        QTRY_VERIFY(!button.popup());
    }
};

QTEST_MAIN(tst_CColorPickerButton)
#include "tst_colorpickerbutton.moc"
