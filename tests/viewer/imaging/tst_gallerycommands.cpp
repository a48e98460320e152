#include "viewer/imaging/GalleryCommands.h"

#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/GalleryPropertiesDlg.h"
#include "viewer/imaging/OpenWithDialog.h"

#include "codec/JpegWriter.h"

#include "support/TempDir.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <set>

using namespace lumora;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

// Answers the questions at once with a preset answer and keeps what was asked and told.
class RecordingMessages : public GalleryMessages {
public:
    bool AskYesNo(const QString& caption, const QString& text) override {
        asked << caption + QStringLiteral(": ") + text;
        return answer;
    }
    void Tell(const QString& text) override { told << text; }

    bool answer = true;
    QStringList asked;
    QStringList told;
};

struct Started {
    QString program;
    QStringList arguments;
    QString folder;
};

void WritePicture(const std::string& path, int width = 64, int height = 48) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3, 90);
    QVERIFY(codec::WriteJpegFile(path, rgb.data(), width, height, 85) == 1);
}

std::set<std::string> Entries(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.insert(entry.path().filename());
    return names;
}

// A window holding the gallery strip and its commands, with the boxes and the program starts
// recorded instead of shown or run.
struct Gallery {
    TempDir dir;
    ViewerSettings settings;
    QWidget window;
    CGalleryListCtrl* list;
    GalleryCommands* commands;
    RecordingMessages* messages;
    std::vector<Started> started;
    bool startSucceeds = true;

    Gallery() {
        settings.galleryFolder = dir.path().string();
        settings.tessmetFolder = dir.file("measure");
        list = new CGalleryListCtrl(&window);
        list->setGeometry(0, 0, 988, 135);
        commands = new GalleryCommands(list, settings, &window);
        auto recording = std::make_unique<RecordingMessages>();
        messages = recording.get();
        commands->setMessages(std::move(recording));
        commands->setProcessStarter([this](const QString& program, const QStringList& arguments, const QString& folder) {
            started.push_back({program, arguments, folder});
            return startSucceeds;
        });
        window.resize(988, 135);
    }
    void Fill() { list->Refresh(QString::fromStdString(settings.galleryFolder)); }
    void Select(const QList<int>& rows) {
        list->clearSelection();
        for (const int row : rows) list->selectionModel()->select(list->model().index(row), QItemSelectionModel::Select);
    }
    QStringList Texts() const {
        QStringList texts;
        for (int i = 0; i < list->ItemCount(); ++i) texts << list->ItemText(i);
        return texts;
    }
    QString Path(const char* name) const { return QString::fromStdString(dir.file(name)); }
};

// The texts of a menu's entries ("" for a separator) and which of them can be chosen.
QStringList EntryTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) texts << (action->isSeparator() ? QString() : action->text());
    return texts;
}

QStringList EnabledEntries(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
        if (!action->isSeparator() && action->isEnabled()) texts << action->text();
    return texts;
}

}  // namespace

class tst_GalleryCommands : public QObject {
    Q_OBJECT
private slots:
    // A right click on the strip opens the menu; beside the items only "&Refresh" can be chosen.
    void rightClickMenu_data() {
        QTest::addColumn<bool>("onItem");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("on an item") << true
                                    << QStringList{"&Opening from program", "&Property", "&Delete", "Rena&me",
                                                   "&Refresh", "Send to Tessmet"};
        QTest::newRow("beside the items") << false << QStringList{"&Refresh"};
    }
    void rightClickMenu() {
        QFETCH(bool, onItem);
        QFETCH(QStringList, enabled);
        Gallery g;
        WritePicture(g.dir.file("a.jpg"));
        g.Fill();
        g.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.window));
        QCOMPARE(g.list->contextMenuPolicy(), Qt::CustomContextMenu);
        const QPoint at = onItem ? g.list->visualRect(g.list->model().index(0)).center() : QPoint(900, 100);
        QCOMPARE(g.list->indexAt(at).isValid(), onItem);

        QStringList texts, shownEnabled;
        bool seen = false;
        // "&Refresh" is chosen from the open menu: the file written meanwhile shows up.
        WritePicture(g.dir.file("b.jpg"));
        QTimer::singleShot(0, this, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            seen = true;
            texts = EntryTexts(*menu);
            shownEnabled = EnabledEntries(*menu);
            for (QAction* action : menu->actions())
                if (action->text() == "&Refresh") action->trigger();
            menu->close();
        });
        emit g.list->customContextMenuRequested(at);
        QVERIFY(seen);
        QCOMPARE(texts, (QStringList{"&Opening from program", "", "&Property", "&Delete", "Rena&me", "&Refresh", "",
                                     "Send to Tessmet"}));
        QCOMPARE(shownEnabled, enabled);
        QCOMPARE(g.Texts(), (QStringList{"a.jpg", "b.jpg"}));
    }

    // A double click asks the window to show the picture with its sidecar's calibration.
    void doubleClickRequestsThePictureWithItsCalibration() {
        Gallery g;
        WritePicture(g.dir.file("a.jpg"));
        WriteText(g.dir.file("b.jpg"), "x");
        WriteText(g.dir.file("bjpg.mag"), "[CAL]\r\nUnit=um\r\nOnePixelLen=2.500000\r\n");
        g.Fill();
        g.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.window));
        QSignalSpy requests(g.commands, &GalleryCommands::openRequested);
        for (const int row : {1, 0}) {
            const QPoint at = g.list->visualRect(g.list->model().index(row)).center();
            QTest::mouseClick(g.list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(g.list->viewport(), Qt::LeftButton, {}, at);
        }
        QTest::mouseClick(g.list->viewport(), Qt::LeftButton, {}, QPoint(900, 100));
        QTest::mouseDClick(g.list->viewport(), Qt::LeftButton, {}, QPoint(900, 100));  // beside the items
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0], (QVariantList{g.Path("b.jpg"), "um", 2.5}));
        QCOMPARE(requests[1], (QVariantList{g.Path("a.jpg"), "mm", 1.0}));
    }

    void deleteAsksThenRemovesExactlyTheSelection_data() {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("left");
        const QStringList all{"Pic00001.jpg", "Pic00002.jpg", "Pic00003.jpg", "Pic00004.jpg", "Pic00005.bmp"};
        QTest::newRow("one") << QList<int>{2} << true << "Confirm: Are you sure to delete 'Pic00003.jpg'?"
                             << QStringList{"Pic00001.jpg", "Pic00002.jpg", "Pic00004.jpg", "Pic00005.bmp"};
        QTest::newRow("two of five") << QList<int>{1, 4} << true << "Confirm: Are you sure to delete 2 file(s)?"
                                     << QStringList{"Pic00001.jpg", "Pic00003.jpg", "Pic00004.jpg"};
        QTest::newRow("three, answered no") << QList<int>{0, 1, 3} << false
                                            << "Confirm: Are you sure to delete 3 file(s)?" << all;
        QTest::newRow("nothing selected") << QList<int>{} << true << QString() << all;
    }
    void deleteAsksThenRemovesExactlyTheSelection() {
        QFETCH(QList<int>, rows);
        QFETCH(bool, yes);
        QFETCH(QString, question);
        QFETCH(QStringList, left);
        Gallery g;
        for (int i = 1; i <= 5; ++i) {
            const std::string stem = "Pic0000" + std::to_string(i);
            const std::string ext = i == 5 ? "bmp" : "jpg";
            WriteText(g.dir.file(stem + "." + ext), "x");
            WriteText(g.dir.file(stem + ext + ".mag"), "[MAG]\r\nOptical=100\r\n");
        }
        WriteText(g.dir.file("notes.txt"), "x");
        g.Fill();
        g.Select(rows);
        g.messages->answer = yes;

        g.commands->Run(GalleryCommand::Delete);
        QCOMPARE(g.messages->asked, question.isEmpty() ? QStringList() : QStringList{question});
        QCOMPARE(g.Texts(), left);
        QVERIFY(g.messages->told.isEmpty());
        // On disk: the pictures left, each with its sidecar, and nothing else gone.
        std::set<std::string> expected{"notes.txt"};
        for (const QString& name : left) {
            expected.insert(name.toStdString());
            expected.insert(name.left(8).toStdString() + name.right(3).toStdString() + ".mag");
        }
        QCOMPARE(Entries(g.dir), expected);
        QVERIFY(g.list->SelectedRows().isEmpty() || !yes);
    }

    // A file that cannot go stays listed and selected, and the user hears why; the others go.
    void undeletableFileStaysAndIsReported() {
        Gallery g;
        WriteText(g.dir.file("a.jpg"), "x");
        WriteText(g.dir.file("c.jpg"), "x");
        g.Fill();
        // A folder by a picture's name cannot be deleted like a file, not even by root.
        std::filesystem::create_directory(g.dir.path() / "b.jpg");
        WriteText(g.dir.file("b.jpg/inside"), "x");
        WriteText(g.dir.file("bjpg.mag"), "x");
        g.list->AddOrUpdate("b.jpg");
        g.Select({0, 1, 2});
        g.commands->DeleteSelected();
        QCOMPARE(g.Texts(), QStringList{"b.jpg"});
        QCOMPARE(g.list->SelectedRows(), QList<int>{0});
        QCOMPARE(g.messages->told, QStringList{"Cannot delete \"b.jpg\": Is a directory."});
        QCOMPARE(Entries(g.dir), (std::set<std::string>{"b.jpg", "bjpg.mag"}));
    }

    void renameEditsTheFirstSelectedItem() {
        Gallery g;
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) WriteText(g.dir.file(name), "x");
        g.Fill();
        g.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.window));
        g.Select({1, 3});
        g.commands->Run(GalleryCommand::Rename);
        auto* editor = g.list->findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString("b.jpg"));
        QCOMPARE(g.list->currentIndex().row(), 1);
    }

    // The list is read again from the gallery folder of the settings, thumbnails made anew.
    void refreshReadsTheGalleryFolderAgain() {
        Gallery g;
        WritePicture(g.dir.file("a.jpg"));
        WritePicture(g.dir.file("b.jpg"));
        g.Fill();
        g.window.show();
        QTRY_VERIFY(g.list->model().item(0)->state == GalleryItem::ThumbnailState::Ready);
        const ThumbnailKey key = g.list->model().item(0)->key;
        QVERIFY(g.list->model().loader().cached(key));

        std::filesystem::remove(g.dir.path() / "b.jpg");
        WritePicture(g.dir.file("c.bmp"));
        g.commands->Refresh();
        // At once, not when the folder watcher gets round to it.
        QCOMPARE(g.Texts(), (QStringList{"a.jpg", "c.bmp"}));
        QCOMPARE(g.list->model().item(0)->state, GalleryItem::ThumbnailState::None);
        QVERIFY(!g.list->model().loader().cached(key));

        TempDir other;
        WriteText(other.file("z.jpg"), "x");
        g.settings.galleryFolder = other.path().string();
        g.commands->Refresh();
        QCOMPARE(g.Texts(), QStringList{"z.jpg"});
    }

    void sendToTessmetStartsTheLastSelected() {
        Gallery g;
        for (const char* name : {"a.jpg", "my \"best\" b.jpg", "c.bmp"}) WriteText(g.dir.file(name), "x");
        g.Fill();
        g.commands->SendToTessmet();
        QVERIFY(g.started.empty());  // nothing selected

        g.Select({0, 1});
        g.commands->Run(GalleryCommand::SendToTessmet);
        QCOMPARE(g.started.size(), size_t(1));
        QCOMPARE(g.started[0].program, QString("tessmet"));
        QCOMPARE(g.started[0].arguments, (QStringList{"-", g.Path("my \"best\" b.jpg")}));
        QCOMPARE(g.started[0].folder, QString::fromStdString(g.settings.tessmetFolder));
        QVERIFY(g.messages->told.isEmpty());

        g.startSucceeds = false;
        g.commands->SendToTessmet();
        QCOMPARE(g.messages->told, QStringList{"Cannot start the measurement program \"tessmet\"."});
    }

    void openWithOffersTheProgramsForThePicture_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QStringList>("command");  // after choosing the first program
        QTest::newRow("jpeg") << "Pic00001.jpg" << QStringList{"Photo Viewer", "Universal", "Other program..."}
                              << QStringList{"photo-viewer", "--open", "%1"};
        QTest::newRow("bitmap") << "Pic00002.bmp" << QStringList{"Paint", "Universal", "Other program..."}
                                << QStringList{"/opt/paint/bin/paint", "%1", "--new"};
    }
    void openWithOffersTheProgramsForThePicture() {
        QFETCH(QString, picture);
        QFETCH(QStringList, offered);
        QFETCH(QStringList, command);
        Gallery g;
        TempDir data;
        const auto applications = data.path() / "share" / "applications";
        std::filesystem::create_directories(applications);
        const auto entry = [&](const char* file, const char* name, const char* exec, const char* types) {
            WriteText((applications / file).string(), std::string("[Desktop Entry]\nType=Application\nName=") + name +
                                                          "\nExec=" + exec + "\nMimeType=" + types + "\n");
        };
        entry("photo.desktop", "Photo Viewer", "photo-viewer --open %U", "image/jpeg;image/png;");
        entry("paint.desktop", "Paint", "\"/opt/paint/bin/paint\" %f --new", "image/bmp;");
        entry("all.desktop", "Universal", "universal %f", "image/*;");
        entry("editor.desktop", "Editor", "editor %f", "text/plain;");
        g.commands->setApplicationFolders({QString::fromStdString(data.file("nothing")),
                                           QString::fromStdString(applications.string())});

        WritePicture(g.dir.file("Pic00001.jpg"));
        WriteText(g.dir.file("Pic00002.bmp"), "BM");
        g.Fill();
        g.Select({static_cast<int>(g.Texts().indexOf(picture))});
        g.commands->Run(GalleryCommand::OpenWith);

        auto* dialog = g.window.findChild<OpenWithDialog*>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QStringList names;
        for (int row = 0; row < dialog->Programs()->count(); ++row) names << dialog->Programs()->item(row)->text();
        QCOMPARE(names, offered);
        dialog->Programs()->setCurrentRow(0);
        dialog->accept();
        const QString path = g.Path(picture.toUtf8().constData());
        QCOMPARE(g.started.size(), size_t(1));
        QCOMPARE(g.started[0].program, command.first());
        QCOMPARE(g.started[0].arguments, command.mid(1).replaceInStrings("%1", path));
        QVERIFY(g.messages->told.isEmpty());
    }

    // "Other program...": a program from the disk gets the file; what is no program is refused
    // in the dialog, which stays open; a program that does not start is reported.
    void openWithOtherProgram() {
        Gallery g;
        WritePicture(g.dir.file("a.jpg"));
        WriteText(g.dir.file("not-a-program"), "x");
        g.Fill();
        g.Select({0});
        g.commands->OpenWith();
        auto* dialog = g.window.findChild<OpenWithDialog*>();
        QVERIFY(dialog);
        QString chosen = g.Path("not-a-program");
        dialog->setProgramChooser([&chosen] { return chosen; });
        dialog->Programs()->setCurrentRow(dialog->Programs()->count() - 1);
        QCOMPARE(dialog->Programs()->currentItem()->text(), QString("Other program..."));
        dialog->accept();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->Problem(), QString("\"%1\" is not a program.").arg(chosen));
        QVERIFY(g.started.empty());

        chosen.clear();  // the file dialog was cancelled
        dialog->accept();
        QVERIFY(dialog->isVisible());

        chosen = "/bin/sh";
        g.startSucceeds = false;
        const QPointer<OpenWithDialog> open(dialog);
        dialog->accept();
        QCOMPARE(g.started.size(), size_t(1));
        QCOMPARE(g.started[0].program, QString("/bin/sh"));
        QCOMPARE(g.started[0].arguments, QStringList{g.Path("a.jpg")});
        QCOMPARE(g.messages->told, QStringList{"Cannot start \"/bin/sh\"."});
        QVERIFY(!dialog->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!open);
    }

    // A capture with its sidecar: the properties window is modeless and shows the file, the
    // picture's size and the calibration the list reads.
    void propertiesOfACaptureWithItsSidecar() {
        Gallery g;
        WritePicture(g.dir.file("Pic00001.jpg"), 1600, 1200);
        WriteText(g.dir.file("pic00001jpg.mag"),
                  "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
                  "[CAL]\r\nUnit=um\r\nOnePixelLen=1.785715\r\n");
        WritePicture(g.dir.file("plain.jpg"), 320, 240);
        g.Fill();
        g.window.show();
        g.Select({0});
        g.commands->Run(GalleryCommand::Property);
        auto* dialog = g.window.findChild<GalleryPropertiesDlg*>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->windowTitle(), QString("Pic00001.jpg Properties"));
        const QFileInfo file(g.Path("Pic00001.jpg"));
        const struct {
            const char* label;
            QString text;
        } rows[] = {
            {"Name:", "Pic00001.jpg"},
            {"Folder:", QString::fromStdString(g.dir.path().string())},
            {"Size:", FormatFileSize(file.size())},
            {"Modified:", file.lastModified().toString("yyyy-MM-dd HH:mm:ss")},
            {"Image size:", "1600 x 1200 pixels"},
            {"Magnification file:", "pic00001jpg.mag"},
            {"Zoom:", "x100"},
            {"Calibration unit:", "um"},
            {"One pixel:", "1.785715 um"},
        };
        for (const auto& row : rows) QCOMPARE(dialog->Text(row.label), row.text);
        QVERIFY(dialog->Text("Size:").endsWith(QString(" bytes)")));

        // A second window for the other picture, which has no sidecar; the first stays open.
        g.Select({1});
        g.commands->ShowProperties();
        QCOMPARE(g.window.findChildren<GalleryPropertiesDlg*>().size(), 2);
        auto* plain = g.window.findChildren<GalleryPropertiesDlg*>().last();
        QCOMPARE(plain->Text("Image size:"), QString("320 x 240 pixels"));
        QCOMPARE(plain->Text("Magnification file:"), QString("none"));
        QCOMPARE(plain->Text("Calibration unit:"), QString());
    }
};

QTEST_MAIN(tst_GalleryCommands)
#include "tst_gallerycommands.moc"
