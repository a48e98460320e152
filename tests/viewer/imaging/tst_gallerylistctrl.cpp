#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/GalleryItemDelegate.h"
#include "viewer/imaging/ImageFormatRecord.h"

#include "codec/JpegWriter.h"

#include "support/TempDir.h"

#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace lumora;
using testsupport::TempDir;
using State = GalleryItem::ThumbnailState;

namespace {

const char kSidecar200[] = "[MAG]\r\nOptical=200\r\nCorrective=100\r\n\r\n[CAL]\r\nUnit=um\r\nOnePixelLen=2.500000\r\n";

void WritePicture(const std::string& path, int width = 64, int height = 48, uint8_t red = 200) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = red;
        rgb[i + 1] = 120;
        rgb[i + 2] = 40;
    }
    QVERIFY(codec::WriteJpegFile(path, rgb.data(), width, height, 85) == 1);
}

QStringList Texts(const CGalleryListCtrl& list) {
    QStringList texts;
    for (int i = 0; i < list.ItemCount(); ++i) texts << list.ItemText(i);
    return texts;
}

State StateOf(const CGalleryListCtrl& list, int row) { return list.model().item(row)->state; }

bool AllSettled(const CGalleryListCtrl& list, int rows) {
    for (int row = 0; row < rows; ++row)
        if (StateOf(list, row) != State::Ready && StateOf(list, row) != State::Broken) return false;
    return true;
}

// A list on screen with the gallery strip's size.
struct ShownList {
    CGalleryListCtrl list;
    ShownList() {
        list.resize(988, 135);
        list.show();
    }
};

QString Folder(const TempDir& dir) { return QString::fromStdString(dir.path().string()); }

int StoreEntries(const std::string& folder) {
    return std::filesystem::exists(folder) ? static_cast<int>(testsupport::CountEntries(folder)) : 0;
}

// A list on screen whose thumbnails go through the store in `storeFolder` (a store object of its
// own, as in a later run of the program) and whose decodes are counted.
struct CountingList : ShownList {
    std::shared_ptr<std::atomic<int>> decodes = std::make_shared<std::atomic<int>>(0);
    explicit CountingList(const std::string& storeFolder) {
        list.model().loader().setStore(std::make_shared<ThumbnailStore>(storeFolder));
        list.model().loader().setBuilder([decodes = decodes](const std::string& path) {
            ++*decodes;
            return BuildThumbnail(path);
        });
    }
};

}  // namespace

class tst_GalleryListCtrl : public QObject {
    Q_OBJECT
private slots:
    void listsJpegFilesFirstAndOnlyTheTwoExtensions() {
        TempDir dir;
        for (const char* name : {"b.JPG", "a.bmp", "c.jpg", "x.jpeg"}) testsupport::WriteText(dir.file(name), "x");
        CGalleryListCtrl list;
        QVERIFY(list.Refresh(Folder(dir)));
        QCOMPARE(Texts(list), QStringList({"b.JPG", "c.jpg", "a.bmp"}));
        // Nothing was decoded: the list has not been shown.
        for (int row = 0; row < 3; ++row) QCOMPARE(StateOf(list, row), State::None);
    }

    void thumbnailsArriveWithTheFullPictureSizeAndTheTooltip() {
        TempDir dir;
        WritePicture(dir.file("Pic00001.jpg"), 1600, 1200);
        testsupport::WriteText(dir.file("pic00001jpg.mag"), kSidecar200);
        testsupport::WriteText(dir.file("broken.jpg"), "this is no picture");
        ShownList shown;
        CGalleryListCtrl& list = shown.list;
        list.Refresh(Folder(dir));
        QTRY_VERIFY(AllSettled(list, 2));
        QCOMPARE(Texts(list), QStringList({"broken.jpg", "Pic00001.jpg"}));
        QCOMPARE(StateOf(list, 0), State::Broken);
        QCOMPARE(StateOf(list, 1), State::Ready);
        QCOMPARE(list.model().item(1)->thumbnail.size(), QSize(90, 70));
        QCOMPARE(list.model().tooltip(1), QString("File name = Pic00001.jpg\nImage size = 1600 x 1200\nZoom = x80"));
        QCOMPARE(list.model().tooltip(0), QString("File name = broken.jpg\nImage size = 0 x 0\nZoom = x0"));
    }

    void selectionFrameColours() {
        TempDir dir;
        WritePicture(dir.file("a.jpg"));
        WritePicture(dir.file("b.jpg"));
        testsupport::WriteText(dir.file("c.jpg"), "broken");
        ShownList shown;
        CGalleryListCtrl& list = shown.list;
        list.Refresh(Folder(dir));
        QTRY_VERIFY(AllSettled(list, 3));
        list.selectionModel()->select(list.model().index(0), QItemSelectionModel::Select);
        list.selectionModel()->select(list.model().index(2), QItemSelectionModel::Select);
        const QImage screen = list.viewport()->grab().toImage();
        const struct {
            int row;
            QColor frame;
        } rows[] = {{0, QColor(0, 0, 200)}, {1, QColor(192, 192, 192)}, {2, QColor(0, 0, 200)}};
        for (const auto& row : rows) {
            const QRect icon = GalleryItemDelegate::IconRect(list.visualRect(list.model().index(row.row)));
            for (const QPoint p : {icon.topLeft(), icon.topLeft() + QPoint(1, 1), icon.bottomRight(),
                                   QPoint(icon.left() + 40, icon.top() + 1), QPoint(icon.right() - 1, icon.top() + 30)})
                QCOMPARE(screen.pixelColor(p), row.frame);
            // Inside the 2-pixel frame: white, then the thumbnail.
            QCOMPARE(screen.pixelColor(icon.topLeft() + QPoint(2, 2)), QColor(Qt::white));
        }
        // The thumbnail itself sits centred in the frame.
        const QRect icon = GalleryItemDelegate::IconRect(list.visualRect(list.model().index(1)));
        QCOMPARE(screen.pixel(icon.center()), list.model().item(1)->thumbnail.pixel(45, 35));
    }

    void ctrlASelectsEveryItem() {
        TempDir dir;
        for (int i = 0; i < 25; ++i) testsupport::WriteText(dir.file("p" + std::to_string(i) + ".jpg"), "x");
        ShownList shown;
        shown.list.Refresh(Folder(dir));
        QTest::keyClick(&shown.list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(shown.list.SelectedRows().size(), 25);
        QVERIFY(shown.list.hasFocus() || !shown.list.isActiveWindow());
    }

    void addOrUpdateKeepsOneItemAndRebuildsIt() {
        TempDir dir;
        WritePicture(dir.file("Pic00001.jpg"));
        WritePicture(dir.file("Pic00002.jpg"), 64, 48);
        ShownList shown;
        CGalleryListCtrl& list = shown.list;
        list.Refresh(Folder(dir));
        QTRY_VERIFY(AllSettled(list, 2));
        QCOMPARE(list.model().item(1)->width, 64);

        // The capture rewrote the picture under the name in other letter case.
        std::filesystem::remove(dir.file("Pic00002.jpg"));
        WritePicture(dir.file("PIC00002.JPG"), 128, 96);
        list.AddOrUpdate("PIC00002.JPG");
        QCOMPARE(Texts(list), QStringList({"Pic00001.jpg", "PIC00002.JPG"}));
        QTRY_COMPARE(list.model().item(1)->width, 128);
        QCOMPARE(list.model().item(1)->state, State::Ready);

        list.AddOrUpdate("Pic00003.bmp");
        QCOMPARE(Texts(list), QStringList({"Pic00001.jpg", "PIC00002.JPG", "Pic00003.bmp"}));
    }

    void removeAtIgnoresInvalidIndexes() {
        TempDir dir;
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) testsupport::WriteText(dir.file(name), "x");
        CGalleryListCtrl list;
        list.Refresh(Folder(dir));
        list.RemoveAt(1);
        QCOMPARE(Texts(list), QStringList({"a.jpg", "c.jpg"}));
        list.RemoveAt(-1);
        list.RemoveAt(2);
        QCOMPARE(list.ItemCount(), 2);
        list.RemoveAll();
        QCOMPARE(list.ItemCount(), 0);
    }

    void calibrationAndDragRecordNeedNoThumbnail() {
        TempDir dir;
        WritePicture(dir.file("Pic00001.jpg"));
        WritePicture(dir.file("Pic00002.jpg"));
        testsupport::WriteText(dir.file("Pic00001.mag"), kSidecar200);
        CGalleryListCtrl list;  // never shown: no thumbnail is ever asked for
        list.Refresh(Folder(dir));
        QString unit = "unchanged";
        double length = -1;
        QVERIFY(list.GetItemCalibration(0, unit, length));
        QCOMPARE(unit, QString("um"));
        QCOMPARE(length, 2.5);
        QVERIFY(list.GetItemCalibration(1, unit, length));
        QCOMPARE(unit, QString("mm"));
        QCOMPARE(length, 1.0);
        unit = "unchanged";
        QVERIFY(!list.GetItemCalibration(2, unit, length));
        QCOMPARE(unit, QString("unchanged"));
        QCOMPARE(StateOf(list, 0), State::None);

        std::unique_ptr<QMimeData> data(list.model().mimeData({list.model().index(0)}));
        QVERIFY(data);
        const auto record = DecodeImageFormatRecord(data->data(kImageFormatMimeType));
        QVERIFY(record);
        QCOMPARE(record->fileName, std::string("Pic00001.jpg"));
        QCOMPARE(record->unit, std::string("um"));
        QCOMPARE(record->onePixelLength, 2.5);
    }

    void renameInPlaceTakesTheSidecarAlong() {
        TempDir dir;
        WritePicture(dir.file("Pic00001.jpg"));
        testsupport::WriteText(dir.file("Pic00001jpg.mag"), kSidecar200);
        WritePicture(dir.file("Taken.jpg"));
        ShownList shown;
        CGalleryListCtrl& list = shown.list;
        list.Refresh(Folder(dir));
        QSignalSpy messages(&list, &CGalleryListCtrl::messageRequested);

        const auto renameTo = [&](int row, const QString& name) {
            list.EditLabel(row);
            auto* editor = list.viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            QCOMPARE(editor->text(), list.ItemText(row));
            editor->setText(name);
            // A thumbnail finished while the user types must leave the typed name alone.
            const QModelIndex item = list.model().index(row, 0);
            emit list.model().dataChanged(item, item, {Qt::DecorationRole});
            QCOMPARE(editor->text(), name);
            QTest::keyClick(editor, Qt::Key_Return);
            // The editor goes once the edit has ended; the next edit gets a fresh one.
            QTRY_VERIFY(!list.viewport()->findChild<QLineEdit*>());
        };

        renameTo(0, "Sample.jpg");
        QCOMPARE(list.ItemText(0), QString("Sample.jpg"));
        QVERIFY(std::filesystem::exists(dir.file("Sample.jpg")));
        QVERIFY(std::filesystem::exists(dir.file("Samplejpg.mag")));
        QVERIFY(!std::filesystem::exists(dir.file("Pic00001.jpg")));
        QCOMPARE(messages.count(), 0);

        // Not a picture name: silently nothing.
        renameTo(0, "abc");
        QCOMPARE(list.ItemText(0), QString("Sample.jpg"));
        QCOMPARE(messages.count(), 0);

        // The name of another picture: the list keeps the old name and says why.
        renameTo(0, "Taken.jpg");
        QCOMPARE(list.ItemText(0), QString("Sample.jpg"));
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.first().first().toString().contains("already exists"));
        QVERIFY(std::filesystem::exists(dir.file("Sample.jpg")));

        renameTo(0, "a/b.jpg");
        QCOMPARE(list.ItemText(0), QString("Sample.jpg"));
        QCOMPARE(messages.count(), 2);
        QCOMPARE(Texts(list), QStringList({"Sample.jpg", "Taken.jpg"}));
    }

    void followsChangesMadeByOtherPrograms() {
        TempDir dir;
        WritePicture(dir.file("a.jpg"));
        WritePicture(dir.file("b.jpg"));
        ShownList shown;
        CGalleryListCtrl& list = shown.list;
        list.Refresh(Folder(dir));
        QTRY_VERIFY(AllSettled(list, 2));

        WritePicture(dir.file("new.bmp"));
        QTRY_COMPARE(Texts(list), QStringList({"a.jpg", "b.jpg", "new.bmp"}));
        std::filesystem::remove(dir.file("a.jpg"));
        QTRY_COMPARE(Texts(list), QStringList({"b.jpg", "new.bmp"}));
        std::filesystem::rename(dir.file("b.jpg"), dir.file("renamed.jpg"));
        QTRY_COMPARE(Texts(list), QStringList({"new.bmp", "renamed.jpg"}));

        // A picture rewritten in place gets a new thumbnail.
        QTRY_VERIFY(AllSettled(list, 2));
        WritePicture(dir.file("renamed.jpg"), 200, 100);
        QTRY_COMPARE(list.model().item(1)->width, 200);

        // The folder itself goes away: the list empties and says why.
        QSignalSpy messages(&list, &CGalleryListCtrl::messageRequested);
        std::filesystem::remove_all(dir.path() / "");
        QTRY_COMPARE(list.ItemCount(), 0);
        QTRY_COMPARE(messages.count(), 1);
        std::filesystem::create_directory(dir.path());
    }

    void unreadableFolderGivesAMessage() {
        TempDir dir;
        CGalleryListCtrl list;
        QSignalSpy messages(&list, &CGalleryListCtrl::messageRequested);
        QVERIFY(!list.Refresh(Folder(dir) + "/missing"));
        QCOMPARE(list.ItemCount(), 0);
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.first().first().toString().contains("Cannot read the gallery folder"));
        QCOMPARE(list.model().folderMessage(), messages.first().first().toString());
    }

    void onlyItemsOnScreenAreDecoded() {
        TempDir dir;
        WritePicture(dir.file("p000.jpg"), 320, 240);
        // Hard links: many files, one picture's bytes.
        for (int i = 1; i < 400; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "p%03d.jpg", i);
            std::filesystem::create_hard_link(dir.file("p000.jpg"), dir.file(name));
        }
        ShownList shown;
        CGalleryListCtrl& list = shown.list;
        list.Refresh(Folder(dir));
        QCOMPARE(list.ItemCount(), 400);
        QTRY_VERIFY(StateOf(list, 0) == State::Ready && list.model().pendingRows().empty());
        const auto built = [&] {
            int n = 0;
            for (int row = 0; row < list.ItemCount(); ++row) n += StateOf(list, row) != State::None;
            return n;
        };
        const int firstScreen = built();
        QVERIFY(firstScreen > 0);
        QVERIFY(firstScreen < 40);

        // Jump to the end: the last items are built, the middle never.
        list.scrollToBottom();
        QTRY_COMPARE(StateOf(list, 399), State::Ready);
        QTRY_VERIFY(list.model().pendingRows().empty());
        QCOMPARE(StateOf(list, 200), State::None);
        QVERIFY(built() < 2 * firstScreen + 10);
        for (const int row : list.model().pendingRows())
            QVERIFY(list.visualRect(list.model().index(row)).intersects(list.viewport()->rect()));
    }

    void scrollingAwayCancelsQueuedDecodes() {
        TempDir dir;
        WritePicture(dir.file("p000.jpg"), 1600, 1200);
        for (int i = 1; i < 300; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "p%03d.jpg", i);
            std::filesystem::create_hard_link(dir.file("p000.jpg"), dir.file(name));
        }
        ShownList shown;
        CGalleryListCtrl& list = shown.list;
        list.Refresh(Folder(dir));
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.viewport()->repaint();
        QVERIFY(!list.model().pendingRows().empty());
        list.scrollToBottom();
        list.viewport()->repaint();
        // Once the event loop has run the check, nothing off screen is waiting any more.
        const auto onlyVisibleRowsWait = [&] {
            const std::vector<int> pending = list.model().pendingRows();
            return std::all_of(pending.begin(), pending.end(), [&](int row) {
                return list.visualRect(list.model().index(row)).intersects(list.viewport()->rect());
            });
        };
        QTRY_VERIFY(onlyVisibleRowsWait());
        QTRY_COMPARE(StateOf(list, 299), State::Ready);
        QTRY_VERIFY(list.model().pendingRows().empty());
        QVERIFY(StateOf(list, 0) == State::None || StateOf(list, 0) == State::Ready);
    }

    void galleryOpenedAgainDecodesNothingItHasSeen() {
        TempDir dir, cache;
        const char* names[] = {"Pic00001.jpg", "Pic00002.jpg", "Pic00003.jpg"};
        for (int i = 0; i < 3; ++i) WritePicture(dir.file(names[i]), 1600, 1200, static_cast<uint8_t>(60 * i));
        const std::string store = cache.file("lumora/thumbnails");

        std::vector<QImage> first;
        {
            CountingList shown(store);
            shown.list.Refresh(Folder(dir));
            QTRY_VERIFY(AllSettled(shown.list, 3));
            QCOMPARE(shown.decodes->load(), 3);
            for (int row = 0; row < 3; ++row) first.push_back(shown.list.model().item(row)->thumbnail);
        }
        {
            CountingList shown(store);
            shown.list.Refresh(Folder(dir));
            QTRY_VERIFY(AllSettled(shown.list, 3));
            QCOMPARE(shown.decodes->load(), 0);
            for (int row = 0; row < 3; ++row) {
                QCOMPARE(StateOf(shown.list, row), State::Ready);
                QCOMPARE(shown.list.model().item(row)->thumbnail, first[static_cast<size_t>(row)]);
            }
            // The tooltip still gives the whole picture's size.
            QCOMPARE(shown.list.model().tooltip(1), QString("File name = Pic00002.jpg\nImage size = 1600 x 1200\nZoom = x0"));
        }

        // A picture replaced by another: only it is decoded, and it never shows the old thumbnail.
        WritePicture(dir.file(names[1]), 800, 600, 250);
        CountingList shown(store);
        shown.list.Refresh(Folder(dir));
        QTRY_VERIFY(AllSettled(shown.list, 3));
        QCOMPARE(shown.decodes->load(), 1);
        QVERIFY(shown.list.model().item(1)->thumbnail != first[1]);
        QVERIFY(std::abs(shown.list.model().item(1)->thumbnail.pixelColor(45, 35).red() - 250) < 8);
        QCOMPARE(shown.list.model().tooltip(1), QString("File name = Pic00002.jpg\nImage size = 800 x 600\nZoom = x0"));
        QCOMPARE(shown.list.model().item(0)->thumbnail, first[0]);
    }

    void pictureChangedWhileDecodedIsNotStored() {
        TempDir dir, cache;
        const std::string picture = dir.file("a.jpg");
        WritePicture(picture, 320, 240, 10);
        const ThumbnailKey before = ThumbnailKey::Of(QString::fromStdString(picture));
        auto store = std::make_shared<ThumbnailStore>(cache.file("thumbnails"));
        {
            ShownList shown;
            shown.list.model().loader().setStore(store);
            // Another program rewrites the picture while it is being decoded.
            shown.list.model().loader().setBuilder([](const std::string& path) {
                Thumbnail thumbnail = BuildThumbnail(path);
                WritePicture(path, 640, 480, 220);
                return thumbnail;
            });
            shown.list.Refresh(Folder(dir));
            QTRY_VERIFY(AllSettled(shown.list, 1));
            // The list goes, and its loader waits for the worker, which stores after it has
            // handed the thumbnail over.
        }
        const ThumbnailKey after = ThumbnailKey::Of(QString::fromStdString(picture));
        QVERIFY(!(after == before));
        QVERIFY(!store->find(before));
        QVERIFY(!store->find(after));
        QCOMPARE(StoreEntries(cache.file("thumbnails")), 0);
    }

    void unwritableStoreFallsBackToDecoding() {
        TempDir dir;
        WritePicture(dir.file("a.jpg"), 320, 240);
        testsupport::WriteText(dir.file("file"), "x");
        for (int run = 0; run < 2; ++run) {
            CountingList shown(dir.file("file/thumbnails"));
            shown.list.Refresh(Folder(dir));
            QTRY_VERIFY(AllSettled(shown.list, 1));
            QCOMPARE(StateOf(shown.list, 0), State::Ready);
            QCOMPARE(shown.decodes->load(), 1);
        }
    }

    void cancelledRequestsNeverReport() {
        TempDir dir;
        WritePicture(dir.file("p.jpg"), 800, 600);
        ThumbnailLoader loader(1);
        QSignalSpy ready(&loader, &ThumbnailLoader::ready);
        std::vector<uint64_t> tickets;
        for (int i = 0; i < 20; ++i) {
            ThumbnailKey key = ThumbnailKey::Of(QString::fromStdString(dir.file("p.jpg")));
            key.size += i;  // twenty distinct entries for the cache
            tickets.push_back(loader.request(key));
        }
        for (size_t i = 0; i + 1 < tickets.size(); ++i) loader.cancel(tickets[i]);
        QCOMPARE(loader.pendingCount(), 1);
        QTRY_COMPARE(ready.count(), 1);
        QCOMPARE(ready.first().first().value<uint64_t>(), tickets.back());
        QCOMPARE(loader.pendingCount(), 0);
    }
};

QTEST_MAIN(tst_GalleryListCtrl)
#include "tst_gallerylistctrl.moc"
