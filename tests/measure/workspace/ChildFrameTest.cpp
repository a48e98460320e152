#include "codec/BmpWriter.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/FakeViewHost.h"
#include "measure/workspace/FrameRegistry.h"
#include "measure/workspace/ViewTestSupport.h"
#include "support/BmpBytes.h"
#include "support/TempDir.h"

#include <QMdiArea>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <fstream>
#include <memory>

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
        // While a border is held the window can grow up to the needed size and no further.
        const QPoint corner(frame->width() - 2, frame->height() - 2);
        MouseTo(frame, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(frame->maximumSize(), needed);
        MouseTo(frame, QEvent::MouseButtonRelease, corner, Qt::LeftButton, Qt::NoButton);
        // Other resizing (tiling, the zoom) is not limited, and holding a border of a window
        // that is larger already does not make it jump.
        frame->resize(needed + QSize(100, 100));
        QCOMPARE(frame->size(), needed + QSize(100, 100));
        MouseTo(frame, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(frame->maximumSize(), needed + QSize(100, 100));
        QCOMPARE(frame->size(), needed + QSize(100, 100));
        MouseTo(frame, QEvent::MouseButtonRelease, QPoint(2, 2), Qt::LeftButton, Qt::NoButton);
    }
};

QTEST_MAIN(tst_CChildFrame)
#include "ChildFrameTest.moc"
