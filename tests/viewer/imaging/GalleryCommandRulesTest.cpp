// The rules behind the gallery commands: deleting a picture with its sidecar, the installed
// applications read from desktop files and their command lines, the measurement program's
// arguments, and the properties window's texts.

#include "viewer/imaging/DesktopEntry.h"
#include "viewer/imaging/GalleryDelete.h"
#include "viewer/imaging/GalleryPropertiesDlg.h"
#include "viewer/imaging/TessmetLauncher.h"

#include "platform/CommandLine.h"
#include "viewer/core/ViewerSettings.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>

#include <filesystem>
#include <set>
#include <unistd.h>

using namespace lumora;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

std::set<std::string> Entries(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// Qt strings read as themselves in failure output.
std::vector<std::string> Std(const QStringList& list) {
    std::vector<std::string> result;
    for (const QString& s : list) result.push_back(s.toStdString());
    return result;
}

}  // namespace

// --- Deleting a picture with its sidecar --------------------------------------------------------

TEST(GalleryDelete, ThePictureAndTheSidecarTheListReadsGo) {
    const struct Case {
        const char* name;
        std::vector<std::string> before;
        std::set<std::string> after;
        const char* sidecar;
    } cases[] = {
        {"primary form", {"Pic00001.jpg", "Pic00001jpg.mag", "Pic00002.jpg", "Pic00002jpg.mag"},
         {"Pic00002.jpg", "Pic00002jpg.mag"}, "Pic00001jpg.mag"},
        {"sidecar in other letter case", {"Pic00001.JPG", "pic00001jpg.mag"}, {}, "pic00001jpg.mag"},
        {"bitmap", {"a.bmp", "abmp.mag", "ajpg.mag"}, {"ajpg.mag"}, "abmp.mag"},
        // Without the primary form, the older one the list falls back to.
        {"secondary form", {"a.jpg", "a.mag"}, {}, "a.mag"},
        // The older form is left when the primary is there: only the sidecar the list reads first goes.
        {"both forms", {"a.jpg", "ajpg.mag", "a.mag"}, {"a.mag"}, "ajpg.mag"},
        // "a.mag" also belongs to a.bmp, which stays.
        {"secondary shared with the other kind", {"a.jpg", "a.mag", "A.BMP"}, {"a.mag", "A.BMP"}, ""},
        {"no sidecar", {"a.jpg", "b.mag"}, {"b.mag"}, ""},
        {"picture already gone", {"Pic00001jpg.mag"}, {}, "Pic00001jpg.mag"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        for (const std::string& file : c.before) WriteText(dir.file(file), "x");
        const std::string picture = c.before.front().ends_with(".mag") ? "Pic00001.jpg" : c.before.front();
        const DeleteResult result = DeleteGalleryPicture(dir.path().string(), picture);
        EXPECT_TRUE(result.pictureGone);
        EXPECT_EQ(result.message, "");
        EXPECT_EQ(result.sidecar, c.sidecar);
        EXPECT_EQ(Entries(dir.path()), c.after);
    }
}

TEST(GalleryDelete, APictureThatCannotGoKeepsItsSidecarAndSaysWhy) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "stuck.jpg");
    WriteText(dir.file("stuck.jpg/inside"), "x");
    WriteText(dir.file("stuckjpg.mag"), "x");
    const DeleteResult result = DeleteGalleryPicture(dir.path().string(), "stuck.jpg");
    EXPECT_FALSE(result.pictureGone);
    EXPECT_EQ(result.message.rfind("Cannot delete \"stuck.jpg\": ", 0), 0u) << result.message;
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"stuck.jpg", "stuckjpg.mag"}));
}

TEST(GalleryDelete, AReadOnlyFolderDeletesNothing) {
    TempDir dir;
    const auto gallery = dir.path() / "gallery";
    std::filesystem::create_directory(gallery);
    WriteText((gallery / "a.jpg").string(), "x");
    WriteText((gallery / "ajpg.mag").string(), "x");
    testsupport::OpenToOthers(dir.path());
    std::filesystem::permissions(gallery, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                              std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    EXPECT_TRUE(testsupport::AsOrdinaryUser([&] {
        const DeleteResult result = DeleteGalleryPicture(gallery.string(), "a.jpg");
        return !result.pictureGone && result.message == "Cannot delete \"a.jpg\": Permission denied.";
    }));
    std::filesystem::permissions(gallery, std::filesystem::perms::owner_all);
    EXPECT_EQ(Entries(gallery), (std::set<std::string>{"a.jpg", "ajpg.mag"}));
}

// The picture goes but its sidecar cannot: the picture counts as deleted and the message says
// what was left. In a shared folder with the sticky bit, only a file's owner may delete it, so
// the picture belongs to the ordinary user and the sidecar to another account.
TEST(GalleryDelete, ASidecarThatCannotGoIsReported) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs a second account to own the sidecar";
    TempDir dir;
    const auto gallery = dir.path() / "gallery";
    std::filesystem::create_directory(gallery);
    WriteText((gallery / "ajpg.mag").string(), "x");  // root's
    testsupport::OpenToOthers(dir.path());
    std::filesystem::permissions(gallery, std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
    EXPECT_TRUE(testsupport::AsOrdinaryUser([&] {
        WriteText((gallery / "a.jpg").string(), "x");
        const DeleteResult result = DeleteGalleryPicture(gallery.string(), "a.jpg");
        return result.pictureGone && result.sidecar.empty() &&
               result.message ==
                   "\"a.jpg\" was deleted, but its magnification file \"ajpg.mag\" cannot be deleted: Operation not permitted.";
    }));
    EXPECT_EQ(Entries(gallery), (std::set<std::string>{"ajpg.mag"}));
}

// --- Desktop files ------------------------------------------------------------------------------

TEST(DesktopEntryParse, ReadsTheApplicationGroup) {
    const char* text =
        "# A comment\n"
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Picture Viewer\n"
        "Name[de]=Bildbetrachter\n"
        "Name[de_CH]=Bildli\n"
        "Exec=viewer --one %F\n"
        "Icon=viewer\n"
        "MimeType=image/jpeg;image/bmp\\;x;image/png;\n"
        "NoDisplay=true\n"
        "\n"
        "[Desktop Action New]\n"
        "Name=New Window\n"
        "Exec=viewer --new\n";
    const auto entry = ParseDesktopEntry(QString::fromUtf8(text), "viewer.desktop", "de_DE.UTF-8");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name.toStdString(), "Bildbetrachter");
    EXPECT_EQ(entry->exec.toStdString(), "viewer --one %F");
    EXPECT_EQ(entry->icon.toStdString(), "viewer");
    EXPECT_EQ(Std(entry->mimeTypes), (std::vector<std::string>{"image/jpeg", "image/bmp;x", "image/png"}));
    EXPECT_TRUE(entry->noDisplay);
    EXPECT_EQ(ParseDesktopEntry(QString::fromUtf8(text), "v", "de_CH")->name.toStdString(), "Bildli");
    EXPECT_EQ(ParseDesktopEntry(QString::fromUtf8(text), "v", "C")->name.toStdString(), "Picture Viewer");
}

TEST(DesktopEntryParse, WhatIsNoApplicationToOfferIsRefused) {
    const struct Case {
        const char* name;
        const char* text;
    } cases[] = {
        {"a link", "[Desktop Entry]\nType=Link\nName=x\nURL=http://x\n"},
        {"hidden", "[Desktop Entry]\nType=Application\nName=x\nExec=x\nHidden=true\n"},
        {"no command line", "[Desktop Entry]\nType=Application\nName=x\n"},
        {"no type", "[Desktop Entry]\nName=x\nExec=x\n"},
        {"keys only in another group", "[Desktop Action A]\nType=Application\nExec=x\n"},
        {"empty", ""},
    };
    for (const Case& c : cases) EXPECT_FALSE(ParseDesktopEntry(QString::fromUtf8(c.text), "x.desktop")) << c.name;
}

TEST(DesktopEntryExec, FieldCodesAndQuotingGiveTheArguments) {
    const QString file = QStringLiteral("/gallery/my \"best\" $pic.jpg");
    const struct Case {
        const char* exec;
        std::vector<std::string> arguments;  // empty: refused
    } cases[] = {
        {"viewer %f", {"viewer", file.toStdString()}},
        {"viewer %F", {"viewer", file.toStdString()}},
        {"viewer --open %u", {"viewer", "--open", file.toStdString()}},
        {"viewer %U --flag", {"viewer", file.toStdString(), "--flag"}},
        // No file code: the file goes last.
        {"viewer --single", {"viewer", "--single", file.toStdString()}},
        {"  viewer   a\tb  ", {"viewer", "a", "b", file.toStdString()}},
        {"\"/opt/My Viewer/bin/view\" %f", {"/opt/My Viewer/bin/view", file.toStdString()}},
        {"sh -c \"echo \\\"\\$1\\\" \\\\ \\`x\\`\" %f", {"sh", "-c", "echo \"$1\" \\ `x`", file.toStdString()}},
        {"viewer --file=%f", {"viewer", "--file=" + file.toStdString()}},
        {"viewer %i %c %k %f", {"viewer", "--icon", "view-icon", "Viewer", "/apps/v.desktop", file.toStdString()}},
        {"viewer 100%% %d %D %n %N %v %m %f", {"viewer", "100%", file.toStdString()}},
        {"viewer \"\" %f", {"viewer", "", file.toStdString()}},
        {"viewer \"open", {}},
        {"viewer %x %f", {}},
        {"viewer %", {}},
        // The program never comes from a field code: that would run the picture.
        {"%d %f", {}},
        {"%f", {}},
        {"%i viewer", {}},
        {"x%c %f", {}},
        {"", {}},
    };
    DesktopEntry entry;
    entry.name = QStringLiteral("Viewer");
    entry.icon = QStringLiteral("view-icon");
    for (const Case& c : cases) {
        entry.exec = QString::fromUtf8(c.exec);
        EXPECT_EQ(Std(ExpandDesktopExec(entry, file, "/apps/v.desktop")), c.arguments) << c.exec;
    }
    entry.icon.clear();
    entry.exec = QStringLiteral("viewer %i %f");
    EXPECT_EQ(Std(ExpandDesktopExec(entry, "/a.jpg")), (std::vector<std::string>{"viewer", "/a.jpg"}));
}

TEST(DesktopEntryMime, DeclaredTypesFamiliesAndAncestors) {
    const struct Case {
        std::vector<QString> declared;
        const char* type;
        QStringList ancestors;
        bool handles;
    } cases[] = {
        {{"image/png", "image/jpeg"}, "image/jpeg", {}, true},
        {{"IMAGE/JPEG"}, "image/jpeg", {}, true},
        {{"image/png"}, "image/jpeg", {}, false},
        {{"image/jpegx"}, "image/jpeg", {}, false},
        {{"image/*"}, "image/bmp", {}, true},
        {{"image/*"}, "text/plain", {}, false},
        {{"application/octet-stream"}, "image/bmp", {"application/octet-stream"}, true},
        {{}, "image/jpeg", {}, false},
    };
    for (const Case& c : cases) {
        DesktopEntry entry;
        for (const QString& t : c.declared) entry.mimeTypes << t;
        EXPECT_EQ(DesktopEntryHandles(entry, c.type, c.ancestors), c.handles) << c.type;
    }
}

TEST(DesktopEntryFolders, FollowTheDataFolderVariables) {
    const QByteArray home = qgetenv("XDG_DATA_HOME"), dirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", "/home/u/data/");
    qputenv("XDG_DATA_DIRS", "/usr/share/:/opt/share::/usr/share");
    EXPECT_EQ(Std(DesktopApplicationFolders()),
              (std::vector<std::string>{"/home/u/data/applications", "/usr/share/applications", "/opt/share/applications"}));
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
    EXPECT_EQ(Std(DesktopApplicationFolders()),
              (std::vector<std::string>{QDir::homePath().toStdString() + "/.local/share/applications",
                                        "/usr/local/share/applications", "/usr/share/applications"}));
    qputenv("XDG_DATA_HOME", home);
    qputenv("XDG_DATA_DIRS", dirs);
}

TEST(DesktopEntryFolders, ApplicationsForAType) {
    TempDir dir;
    const auto user = dir.path() / "user", system = dir.path() / "system";
    std::filesystem::create_directories(user);
    std::filesystem::create_directories(system / "vendor");
    const auto app = [](const std::string& name, const std::string& more) {
        return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + name + " %f\n" + more;
    };
    WriteText((system / "zed.desktop").string(), app("Zed", "MimeType=image/jpeg;\n"));
    WriteText((system / "vendor" / "paint.desktop").string(), app("Paint", "MimeType=image/bmp;image/jpeg;\n"));
    WriteText((system / "text.desktop").string(), app("Text", "MimeType=text/plain;\n"));
    WriteText((system / "gone.desktop").string(), app("Gone", "MimeType=image/jpeg;\nTryExec=/nonexistent/gone\n"));
    WriteText((system / "term.desktop").string(), app("Term", "MimeType=image/jpeg;\nTerminal=true\n"));
    WriteText((system / "mine.desktop").string(), app("System Mine", "MimeType=image/jpeg;\n"));
    WriteText((system / "hidden.desktop").string(), app("Shown", "MimeType=image/jpeg;\n"));
    // The user's own files come first: one replaces the system's, one hides it.
    WriteText((user / "mine.desktop").string(), app("Mine", "MimeType=image/jpeg;\n"));
    WriteText((user / "hidden.desktop").string(), app("Shown", "MimeType=image/jpeg;\nHidden=true\n"));
    WriteText((user / "notes.txt").string(), app("Notes", "MimeType=image/jpeg;\n"));

    const QStringList folders{QString::fromStdString(user.string()), QString::fromStdString(system.string()),
                              QStringLiteral("/nonexistent/applications")};
    std::vector<std::string> found;
    for (const InstalledApplication& a : ApplicationsFor("image/jpeg", {}, folders))
        found.push_back(a.entry.name.toStdString() + " " + a.entry.id.toStdString());
    EXPECT_EQ(found, (std::vector<std::string>{"Mine mine.desktop", "Paint vendor-paint.desktop", "Zed zed.desktop"}));
    EXPECT_EQ(ApplicationsFor("image/bmp", {}, folders).size(), 1u);
}

// --- The measurement program's arguments --------------------------------------------------------

TEST(TessmetLauncher, ThePathArrivesWhole) {
    TempDir dir;
    ViewerSettings settings;
    settings.tessmetFolder = dir.path().string();
    std::vector<std::tuple<QString, QStringList, QString>> started;
    const TessmetLauncher launcher(settings, [&](const QString& program, const QStringList& arguments, const QString& folder) {
        started.emplace_back(program, arguments, folder);
        return true;
    });
    for (const char* path : {"/gallery/Pic00001.jpg", "/my gallery/two  blanks.jpg", "/g/say \"hi\".jpg",
                             "/g/\"quoted\"", "/g/back\\slash.bmp", "/g/-dash.jpg"}) {
        SCOPED_TRACE(path);
        const QStringList arguments = TessmetLauncher::Arguments(QString::fromUtf8(path));
        EXPECT_EQ(Std(arguments), (std::vector<std::string>{"-", path}));
        // The measurement program reads the same picture back from its command line.
        std::vector<std::string> argv;
        for (const QString& a : arguments) argv.push_back(a.toStdString());
        EXPECT_EQ(platform::ParseCommandLine(argv).file, path);
        // Paths without quotes get what splitting the parameter text ` - "<path>"` gives.
        if (std::string(path).find('"') == std::string::npos) {
            EXPECT_EQ(Std(arguments), platform::SplitParameterText(std::string(" - \"") + path + "\""));
        }
        ASSERT_TRUE(launcher.Start(QString::fromUtf8(path)));
        EXPECT_EQ(std::get<0>(started.back()).toStdString(), "tessmet");  // none in the folder: from PATH
        EXPECT_EQ(std::get<1>(started.back()), arguments);
        EXPECT_EQ(std::get<2>(started.back()).toStdString(), dir.path().string());
    }
    // A relative path goes as a full one.
    EXPECT_EQ(TessmetLauncher::Arguments("-x.jpg").last().toStdString(), QDir::current().absoluteFilePath("-x.jpg").toStdString());

    // The program in the measurement folder wins over the PATH.
    WriteText(dir.file("tessmet"), "#!/bin/sh\n");
    std::filesystem::permissions(dir.path() / "tessmet", std::filesystem::perms::owner_all);
    EXPECT_EQ(launcher.Program().toStdString(), dir.file("tessmet"));
    EXPECT_EQ(launcher.FailureMessage().toStdString(), "Cannot start the measurement program \"" + dir.file("tessmet") + "\".");
}

// --- Properties ---------------------------------------------------------------------------------

TEST(GalleryProperties, FileSizes) {
    const struct Case {
        qint64 bytes;
        const char* text;
    } cases[] = {
        {-1, "unknown"},
        {0, "0 bytes"},
        {1023, "1,023 bytes"},
        {1024, "1.00 KB (1,024 bytes)"},
        {49664, "48.5 KB (49,664 bytes)"},
        {1603584, "1.53 MB (1,603,584 bytes)"},
        {5760054, "5.49 MB (5,760,054 bytes)"},
        {123456789012, "115 GB (123,456,789,012 bytes)"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFileSize(c.bytes).toStdString(), c.text) << c.bytes;
}

TEST(GalleryProperties, RowsWithAndWithoutASidecar) {
    GalleryFileFacts facts;
    facts.name = "Pic00001.jpg";
    facts.folder = "/gallery";
    facts.bytes = 49664;
    facts.modified = QDateTime(QDate(2026, 12, 8), QTime(9, 5, 3));
    facts.width = 1600;
    facts.height = 1200;
    facts.sidecar = "Pic00001jpg.mag";
    facts.unit = "um";
    facts.onePixelLength = 1.785715;
    facts.zoom = 100;
    using Rows = std::vector<std::pair<QString, QString>>;
    EXPECT_EQ(GalleryPropertyRows(facts), (Rows{{"Name:", "Pic00001.jpg"},
                                               {"Folder:", "/gallery"},
                                               {"Size:", "48.5 KB (49,664 bytes)"},
                                               {"Modified:", "2026-12-08 09:05:03"},
                                               {"Image size:", "1600 x 1200 pixels"},
                                               {"Magnification file:", "Pic00001jpg.mag"},
                                               {"Zoom:", "x100"},
                                               {"Calibration unit:", "um"},
                                               {"One pixel:", "1.785715 um"}}));
    facts.sidecar.clear();
    facts.width = 0;
    facts.bytes = -1;
    facts.modified = {};
    EXPECT_EQ(GalleryPropertyRows(facts), (Rows{{"Name:", "Pic00001.jpg"},
                                               {"Folder:", "/gallery"},
                                               {"Size:", "unknown"},
                                               {"Modified:", "unknown"},
                                               {"Image size:", "not a readable picture"},
                                               {"Magnification file:", "none"}}));
}
