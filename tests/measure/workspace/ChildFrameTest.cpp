#include "codec/BmpWriter.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/FakeViewHost.h"
#include "measure/workspace/FrameRegistry.h"
#include "measure/workspace/ViewTestSupport.h"
#include "support/BmpBytes.h"
#include "support/TempDir.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <fstream>
#include <memory>
#include <utility>

using namespace tessmet;
using testsupport::FakeViewHost;

namespace {

// A main window's workspace with its registry, the host standing in for the main window.
struct Workspace {
    Workspace() {
        area.resize(1000, 800);
        area.show();
    }
    CChildFrame* add(Dib picture, const QString& title = QStringLiteral("Pic00001.bmp")) {
        auto frame = std::make_unique<CChildFrame>(host, registry, std::make_unique<CTessmetDoc>(std::string()));
        frame->view().SetPicture(std::move(picture));
        frame->SetBaseTitle(title);
        CChildFrame* raw = frame.get();
        area.addSubWindow(frame.release());
        raw->show();
        area.setActiveSubWindow(raw);
        return raw;
    }
    QSize workspaceSize() const { return area.viewport()->size(); }

    FakeViewHost host;
    FrameRegistry registry;  // outlives the windows, which unregister when destroyed
    QMdiArea area;
};

void MouseTo(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

std::vector<int> MessageIds(const FakeViewHost& host) { return host.presenter.ids(); }

}  // namespace

class tst_CChildFrame : public QObject {
    Q_OBJECT

private slots:
    void windowSizesAtHalfZoom() {
        Workspace ws;
        CChildFrame* frame = ws.add(testsupport::Grey(640, 480));
        QTRY_COMPARE(frame->view().viewport()->size(), QSize(640, 480));
        QCOMPARE(frame->windowTitle(), QString("Pic00001.bmp : 100%"));
        frame->ChooseZoom(0.5);
        QTRY_COMPARE(frame->view().viewport()->size(), QSize(320, 240));
        QCOMPARE(frame->size(), QSize(320, 240) + frame->decoration());
        QCOMPARE(frame->size(), frame->NeededSize());
        QCOMPARE(frame->windowTitle(), QString("Pic00001.bmp : 50%"));
        QVERIFY(frame->decoration().width() > 0 && frame->decoration().height() > frame->decoration().width());
        // An odd image truncates: 641 x 481 at 0.5 needs the same client area.
        CChildFrame* odd = ws.add(testsupport::Grey(641, 481), "odd.jpg");
        odd->ChooseZoom(0.5);
        QTRY_COMPARE(odd->view().viewport()->size(), QSize(320, 240));
        QCOMPARE(odd->windowTitle(), QString("odd.jpg : 50%"));
    }

    void zoomInDoesNotShrinkALargerWindow() {
        Workspace ws;
        CChildFrame* frame = ws.add(testsupport::Grey(200, 150));
        frame->resize(700, 600);
        QVERIFY(frame->ZoomUp());
        QCOMPARE(frame->GetZoom(), 1.25);
        QCOMPARE(frame->size(), QSize(700, 600));
        QCOMPARE(frame->windowTitle(), QString("Pic00001.bmp : 125%"));
        // Zooming out shrinks it to the image; zooming in grows it again.
        QVERIFY(frame->ZoomDown());
        QTRY_COMPARE(frame->view().viewport()->size(), QSize(200, 150));
        QVERIFY(frame->ZoomUp());
        QTRY_COMPARE(frame->view().viewport()->size(), QSize(250, 187));
    }

    void zoomStepsStopAtTheLimits() {
        Workspace ws;
        CChildFrame* frame = ws.add(testsupport::Grey(16, 12));
        frame->ChooseZoom(7.75);
        QVERIFY(frame->ZoomUp());
        QCOMPARE(frame->GetZoom(), 8.0);
        QVERIFY(!frame->ZoomUp());
        QCOMPARE(frame->GetZoom(), 8.0);
        frame->ChooseZoom(0.5);
        QVERIFY(frame->ZoomDown());
        QVERIFY(!frame->ZoomDown());
        QCOMPARE(frame->GetZoom(), 0.25);
        QCOMPARE(frame->windowTitle(), QString("Pic00001.bmp : 25%"));
    }

    void maximiseFitsIntoTheWorkspace_data() {
        QTest::addColumn<QSize>("image");
        QTest::newRow("wide image") << QSize(4000, 300);
        QTest::newRow("small image") << QSize(100, 80);
        QTest::newRow("tall image") << QSize(300, 3000);
    }
    void maximiseFitsIntoTheWorkspace() {
        QFETCH(QSize, image);
        Workspace ws;
        CChildFrame* frame = ws.add(testsupport::Grey(image.width(), image.height()));
        frame->move(40, 30);
        frame->showMaximized();
        QVERIFY(!frame->isMaximized());
        const QSize needed = frame->NeededSize();
        const QSize workspace = ws.workspaceSize();
        QCOMPARE(frame->geometry(), QRect(QPoint(0, 0), needed.boundedTo(workspace)));
    }

    void closeIsRefusedDuringACalibrationRun() {
        Workspace ws;
        QSignalSpy last(&ws.registry, &FrameRegistry::lastFrameClosed);
        QPointer<CChildFrame> frame = ws.add(testsupport::Grey(64, 48));
        ws.host.tool = Tool::CalibrationInch;
        QVERIFY(!frame->close());
        QVERIFY(frame);
        QCOMPARE(MessageIds(ws.host), (std::vector<int>{StringId::CalibrationRunning}));
        QCOMPARE(ws.host.presenter.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(ws.registry.count(), 1);
        ws.host.tool = Tool::TwoPointDistance;
        QVERIFY(frame->close());
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(ws.registry.count(), 0);
        QCOMPARE(last.count(), 1);
    }

    void registryTakesSixtyFourWindows() {
        Workspace ws;
        testsupport::TempDir dir;
        const std::string path = dir.file("Pic00065.bmp");
        QCOMPARE(WriteBmpFile(path, testsupport::Grey(8, 8)), 0);

        QSignalSpy registered(&ws.registry, &FrameRegistry::frameRegistered);
        std::vector<CChildFrame*> frames;
        for (int i = 0; i < FrameRegistry::kCapacity; ++i) frames.push_back(ws.add(testsupport::Grey(8, 8)));
        QCOMPARE(ws.registry.count(), 64);
        QCOMPARE(registered.count(), 64);
        QCOMPARE(ws.registry.CheckOpenLimit(), StringId::TooManyImages);

        // The 65th picture is refused before anything is created.
        CChildFrame* opened = frames.front();
        QCOMPARE(CChildFrame::Open(path, ws.area, ws.host, ws.registry, &opened), StringId::TooManyImages);
        QCOMPARE(opened, nullptr);
        QCOMPARE(MessageIds(ws.host), (std::vector<int>{StringId::TooManyImages}));
        QCOMPARE(ws.area.subWindowList().size(), qsizetype(64));
        // A window that never went through the check is not registered either.
        auto extra = std::make_unique<CChildFrame>(ws.host, ws.registry, std::make_unique<CTessmetDoc>(std::string()));
        QVERIFY(!ws.registry.Register(extra.get()));

        // Registration order, and the next window wraps round.
        QCOMPARE(ws.registry.frames().front(), frames.front());
        QCOMPARE(ws.registry.next(frames[5]), frames[6]);
        QCOMPARE(ws.registry.next(frames.back()), frames.front());

        // Closing one makes room; later windows move down one place.
        QPointer<CChildFrame> second = frames[1];
        second->close();
        QTRY_VERIFY(second.isNull());
        QCOMPARE(ws.registry.frames()[1], frames[2]);
        QCOMPARE(CChildFrame::Open(path, ws.area, ws.host, ws.registry, &opened), 0);
        QVERIFY(opened);
        QCOMPARE(ws.registry.count(), 64);
        QCOMPARE(ws.registry.frames().back(), opened);
    }

    void openShowsTheFailureMessages_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<std::vector<int>>("messages");
        QTest::newRow("8-bit bitmap") << 0 << std::vector<int>{StringId::NotSupportedBitmap, StringId::FileNotOpened};
        QTest::newRow("missing file") << 1 << std::vector<int>{StringId::FileNotOpened};
        QTest::newRow("not a picture") << 2 << std::vector<int>{StringId::FileNotOpened};
    }
    void openShowsTheFailureMessages() {
        QFETCH(int, kind);
        QFETCH(std::vector<int>, messages);
        Workspace ws;
        testsupport::TempDir dir;
        std::string path = dir.file(kind == 2 ? "broken.jpg" : "grey.bmp");
        if (kind == 0) {
            testsupport::BmpLayout layout;
            layout.bitsPerPixel = 8;
            layout.paletteEntries = 256;
            const std::vector<uint8_t> bytes = testsupport::BuildBmp(layout);
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        } else if (kind == 2) {
            testsupport::WriteText(path, "not a picture at all");
        }
        QCOMPARE(CChildFrame::Open(path, ws.area, ws.host, ws.registry), messages.front());
        QCOMPARE(MessageIds(ws.host), messages);
        for (const MessageRequest& r : ws.host.presenter.shown) QCOMPARE(r.icon, MessageIcon::Exclamation);
        QVERIFY(ws.area.subWindowList().isEmpty());
        QCOMPARE(ws.registry.count(), 0);
    }

    void openedWindowIsActiveAndSized() {
        Workspace ws;
        testsupport::TempDir dir;
        const std::string path = dir.file("Pic00001.bmp");
        QCOMPARE(WriteBmpFile(path, testsupport::Grey(300, 200)), 0);
        CChildFrame* frame = nullptr;
        QCOMPARE(CChildFrame::Open(path, ws.area, ws.host, ws.registry, &frame), 0);
        QVERIFY(frame);
        QCOMPARE(frame->windowTitle(), QString("Pic00001.bmp : 100%"));
        QCOMPARE(ws.area.activeSubWindow(), frame);
        QVERIFY(ws.registry.isRegistered(frame));
        QTRY_COMPARE(frame->view().viewport()->size(), QSize(300, 200));
        QCOMPARE(frame->view().document().path(), path);
        QCOMPARE(ws.host.activated, (std::vector<CTessmetView*>{&frame->view()}));
        QCOMPARE(ws.host.flags, frame->view().flags());
        QVERIFY(ws.host.presenter.shown.empty());
    }

    void activatingAnotherWindowForgetsThePoints() {
        Workspace ws;
        CChildFrame* first = ws.add(testsupport::Grey(100, 100));
        CChildFrame* second = ws.add(testsupport::Grey(120, 100), "second.bmp");
        LayerFlags flags;
        flags.grid = true;
        second->view().SetFlags(flags);
        ws.area.setActiveSubWindow(first);
        ws.host.tool = Tool::TwoPointDistance;
        QTest::mouseClick(first->view().viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(first->view().clicks().count(), 1);
        ws.area.setActiveSubWindow(second);
        QVERIFY(first->view().clicks().empty());
        QCOMPARE(ws.host.flags, flags);
        QCOMPARE(ws.host.activated.back(), &second->view());
        // Both registered once, in the order of their first activation.
        QCOMPARE(ws.registry.frames(), (std::vector<CChildFrame*>{first, second}));
    }

    void destroyingTheWorkspaceWithWindowsOpenIsClean() {
        // The windows go down with the workspace, which by then is no longer a workspace: a
        // window must not treat it as one (the sanitizer build checks every cast on the way).
        FakeViewHost host;
        FrameRegistry registry;
        QSignalSpy last(&registry, &FrameRegistry::lastFrameClosed);
        auto area = std::make_unique<QMdiArea>();
        area->resize(800, 600);
        area->show();
        std::vector<QPointer<CChildFrame>> frames;
        for (int i = 0; i < 3; ++i) {
            auto frame = std::make_unique<CChildFrame>(host, registry, std::make_unique<CTessmetDoc>(std::string()));
            frame->view().SetPicture(testsupport::Grey(60 + 10 * i, 40));
            frames.emplace_back(frame.get());
            area->addSubWindow(frame.release());
            frames.back()->show();
            area->setActiveSubWindow(frames.back());
        }
        area->setActiveSubWindow(frames.front());  // activations travel both ways
        QCOMPARE(registry.count(), 3);

        area.reset();
        for (const QPointer<CChildFrame>& frame : frames) QVERIFY(frame.isNull());
        QCOMPARE(registry.count(), 0);
        QCOMPARE(last.count(), 1);
        QVERIFY(host.presenter.shown.empty());
    }

    void theUserCannotDragTheWindowLargerThanTheImage() {
        Workspace ws;
        CChildFrame* frame = ws.add(testsupport::Grey(200, 150));
        const QSize needed = frame->NeededSize();
        frame->resize(needed - QSize(50, 50));
        // Dragging the bottom-right corner far out grows the window to the needed size only.
        const QPoint corner(frame->width() - 1, frame->height() - 1);
        QTest::mouseMove(frame, corner);
        QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, corner);
        QTest::mouseMove(frame, corner + QPoint(60, 20));
        QCOMPARE(frame->size(), QSize(needed.width(), needed.height() - 30));
        QTest::mouseMove(frame, corner + QPoint(300, 300));
        QCOMPARE(frame->size(), needed);
        QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, corner + QPoint(300, 300));
        QCOMPARE(frame->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        // Other resizing (tiling, the zoom) is not limited, and dragging a border of a window
        // that is larger already does not make it jump or grow.
        frame->resize(needed + QSize(100, 100));
        QCOMPARE(frame->size(), needed + QSize(100, 100));
        const QPoint larger(frame->width() - 1, frame->height() - 1);
        QTest::mouseMove(frame, larger);
        QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, larger);
        QTest::mouseMove(frame, larger + QPoint(40, 40));
        QCOMPARE(frame->size(), needed + QSize(100, 100));
        QTest::mouseMove(frame, larger - QPoint(40, 30));
        QCOMPARE(frame->size(), needed + QSize(60, 70));  // shrinking is free
        QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, larger - QPoint(40, 30));
    }

    // Size from the system menu sizes the window with the arrow keys and the mouse until a
    // click or Enter, within the same limit as a drag.
    void sizingFromTheSystemMenuStopsAtTheImage() {
        Workspace ws;
        CChildFrame* frame = ws.add(testsupport::Grey(200, 150));
        const QSize needed = frame->NeededSize();
        frame->resize(needed - QSize(50, 50));
        QApplication::setActiveWindow(&ws.area);
        QVERIFY(QTest::qWaitForWindowActive(&ws.area));
        frame->systemMenu()->actions()[2]->trigger();  // Size
        for (int i = 0; i < 40; ++i) QTest::keyClick(frame, Qt::Key_Right);
        QCOMPARE(frame->size(), QSize(needed.width(), needed.height() - 50));
        QTest::mouseMove(frame, QPoint(frame->width() + 300, frame->height() + 300));
        QCOMPARE(frame->size(), needed);
        QTest::keyClick(frame, Qt::Key_Return);
        QCOMPARE(frame->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        frame->resize(needed + QSize(10, 10));  // the zoom and tiling are free again
        QCOMPARE(frame->size(), needed + QSize(10, 10));
    }

    // The system menu opens on the press and takes the release: the window must still grow
    // with the zoom afterwards (it used to keep its 50 % size, with scroll bars, at 100 %).
    void aClickOnTheSystemMenuIconLeavesTheWindowFreeToGrow() {
        Workspace ws;
        CChildFrame* frame = ws.add(testsupport::Grey(640, 480));
        frame->ChooseZoom(0.5);
        QTRY_COMPARE(frame->view().viewport()->size(), QSize(320, 240));

        QStyleOptionTitleBar option;
        option.initFrom(frame);
        option.rect = QRect(0, 0, frame->width(), frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame));
        option.titleBarFlags = frame->windowFlags();
        option.subControls = QStyle::SC_All;
        const QPoint icon =
            frame->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarSysMenu, frame).center();
        MouseTo(frame, QEvent::MouseMove, icon, Qt::NoButton, Qt::NoButton);
        MouseTo(frame, QEvent::MouseButtonPress, icon, Qt::LeftButton, Qt::LeftButton);
        QTRY_VERIFY(frame->systemMenu()->isVisible());  // the press reached the icon
        frame->systemMenu()->close();

        QVERIFY(frame->ZoomUp());
        QVERIFY(frame->ZoomUp());
        QCOMPARE(frame->GetZoom(), 1.0);
        QCOMPARE(frame->size(), frame->NeededSize());
        QTRY_COMPARE(frame->view().viewport()->size(), QSize(640, 480));
    }

    void theSystemMenuHoldsThePlatformEntriesOnly() {
        Workspace ws;
        CChildFrame* frame = ws.add(testsupport::Grey(64, 48));
        QStringList entries;
        for (const QAction* action : frame->systemMenu()->actions()) {
            entries << (action->isSeparator() ? QStringLiteral("-") : QString(action->text()).remove(QLatin1Char('&')));
            if (!action->shortcut().isEmpty()) entries.last() += QLatin1Char('\t') + action->shortcut().toString();
        }
        QCOMPARE(entries, (QStringList{"Restore", "Move", "Size", "Minimize", "Maximize", "-", "Close\tCtrl+F4"}));
        // The platform's key closes the window.
        QPointer<CChildFrame> closing = frame;
        QApplication::setActiveWindow(&ws.area);
        QVERIFY(QTest::qWaitForWindowActive(&ws.area));
        frame->view().viewport()->setFocus();
        QTest::keyClick(frame->view().viewport(), Qt::Key_F4, Qt::ControlModifier);
        QTRY_VERIFY(closing.isNull());
    }

    // Every switch reports the old window's deactivation before the new one's activation,
    // whichever was made first. Going back to an earlier window used to report it the other way
    // round, and the old window then emptied the status pane the new one had just written.
    void activationsArriveOldWindowFirst() {
        Workspace ws;
        CChildFrame* a = ws.add(testsupport::Grey(50, 40), "a.bmp");
        CChildFrame* b = ws.add(testsupport::Grey(60, 40), "b.bmp");
        CChildFrame* c = ws.add(testsupport::Grey(70, 40), "c.bmp");
        using Event = std::pair<bool, CTessmetView*>;
        const std::pair<CChildFrame*, CChildFrame*> switches[] = {{c, a}, {a, b}, {b, c}, {c, b}, {b, a}, {a, c}};
        for (const auto& [from, to] : switches) {
            ws.host.activations.clear();
            ws.area.setActiveSubWindow(to);
            QCOMPARE(ws.host.activations, (std::vector<Event>{{false, &from->view()}, {true, &to->view()}}));
        }
        // The application losing the focus, or the active window activated again, is no switch.
        ws.host.activations.clear();
        ws.area.setActiveSubWindow(nullptr);
        ws.area.setActiveSubWindow(c);
        QVERIFY(ws.host.activations.empty());

        // Closing the active window: it goes first, then the window that takes over.
        c->close();
        QCOMPARE(ws.host.activations.size(), size_t{2});
        QCOMPARE(ws.host.activations[0], (Event{false, &c->view()}));
        QVERIFY(ws.host.activations[1].first);
        QCOMPARE(ws.host.activations[1].second, &static_cast<CChildFrame*>(ws.area.activeSubWindow())->view());
        QTRY_COMPARE(ws.area.subWindowList().size(), qsizetype(2));
    }

    void newWindowsCascadeInsideTheWorkspace() {
        Workspace ws;
        const QRect workspace(QPoint(0, 0), ws.workspaceSize());
        std::vector<CChildFrame*> frames;
        for (int i = 0; i < 4; ++i) frames.push_back(ws.add(testsupport::Grey(300, 200), QStringLiteral("w%1.bmp").arg(i)));
        // A picture larger than the workspace opens fitted into it, with its caption in sight.
        frames.push_back(ws.add(testsupport::Grey(2400, 1800), QStringLiteral("large.bmp")));
        for (size_t i = 0; i < frames.size(); ++i) {
            QVERIFY2(workspace.contains(frames[i]->geometry()), qPrintable(QString::number(i)));
            if (i > 0) QVERIFY(frames[i]->pos().x() > frames[i - 1]->pos().x() && frames[i]->pos().y() > frames[i - 1]->pos().y());
        }
        QCOMPARE(frames[0]->size(), frames[0]->NeededSize());
        QCOMPARE(frames.back()->GetZoom(), 1.0);
        QVERIFY(frames.back()->width() < frames.back()->NeededSize().width());
    }
};

QTEST_MAIN(tst_CChildFrame)
#include "ChildFrameTest.moc"
