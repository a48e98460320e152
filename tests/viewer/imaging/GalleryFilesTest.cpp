// The gallery's file rules: which files are listed and in what order, how sidecars are found
// and read, how a rename carries the sidecar along and never replaces a file, and the drag
// record.

#include "viewer/imaging/GalleryFolder.h"
#include "viewer/imaging/GalleryRename.h"
#include "viewer/imaging/GallerySidecar.h"
#include "viewer/imaging/ImageFormatRecord.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

using namespace lumora;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

std::set<std::string> Entries(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.insert(entry.path().filename());
    return names;
}

const char kSidecar200[] = "[MAG]\r\nOptical=200\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
                           "[CAL]\r\nUnit=um\r\nOnePixelLen=2.777000\r\n";

}  // namespace

TEST(GalleryListing, JpegFilesFirstThenBitmapsOnlyThoseTwoExtensions) {
    TempDir dir;
    for (const char* name : {"a.bmp", "c.jpg", "b.JPG", "x.jpeg", "notes.txt", "Pic00001jpg.mag", "B.Bmp", "jpg", ".jpg"})
        WriteText(dir.file(name), "x");
    std::filesystem::create_directory(dir.path() / "folder.jpg");

    const GalleryListing listing = ScanGalleryFolder(dir.path().string());
    ASSERT_TRUE(listing.readable);
    const std::vector<std::string> expected = {".jpg", "b.JPG", "c.jpg", "a.bmp", "B.Bmp"};
    EXPECT_EQ(listing.names, expected);
    EXPECT_EQ(listing.sidecars.find("pic00001jpg.mag"), "Pic00001jpg.mag");
    EXPECT_EQ(listing.sidecars.size(), 1u);
}

// Names that differ only in letter case, only after their first eight letters, or are shorter
// than eight: the listing's order is GalleryNameLess's in every case.
TEST(GalleryListing, SortsEachKindByNameLetterCaseAside) {
    TempDir dir;
    const std::vector<std::string> jpegs = {"Sample-000-b.jpg", "sample-000-A.jpg", "SAMPLE-000-a.jpg", "a.jpg",
                                            "A.jpg", "ab.JPG", "Pic00010.jpg", "pic00009.jpg", "Pic0001.jpg",
                                            "pic00009x.jpg", "z.jpg", "_.jpg", "~x.jpg", "Sample-000.jpg"};
    const std::vector<std::string> bitmaps = {"Zeta.bmp", "alpha.bmp", "ALPHA2.BMP", "alpha-very-long-name.bmp"};
    for (const auto& name : jpegs) WriteText(dir.file(name), "x");
    for (const auto& name : bitmaps) WriteText(dir.file(name), "x");

    std::vector<std::string> expected = jpegs;
    std::sort(expected.begin(), expected.end(), GalleryNameLess);
    std::vector<std::string> sortedBitmaps = bitmaps;
    std::sort(sortedBitmaps.begin(), sortedBitmaps.end(), GalleryNameLess);
    expected.insert(expected.end(), sortedBitmaps.begin(), sortedBitmaps.end());

    const GalleryListing listing = ScanGalleryFolder(dir.path().string());
    ASSERT_TRUE(listing.readable);
    EXPECT_EQ(listing.names, expected);
    // A few of the orders spelled out, so the check does not rest on GalleryNameLess alone.
    const auto at = [&](const std::string& name) { return std::find(listing.names.begin(), listing.names.end(), name); };
    EXPECT_LT(at("A.jpg"), at("a.jpg"));
    EXPECT_LT(at("a.jpg"), at("ab.JPG"));
    EXPECT_LT(at("pic00009.jpg"), at("pic00009x.jpg"));
    EXPECT_LT(at("pic00009x.jpg"), at("Pic0001.jpg"));
    EXPECT_LT(at("Pic0001.jpg"), at("Pic00010.jpg"));
    EXPECT_LT(at("SAMPLE-000-a.jpg"), at("sample-000-A.jpg"));
    EXPECT_LT(at("sample-000-A.jpg"), at("Sample-000-b.jpg"));
    EXPECT_LT(at("Sample-000-b.jpg"), at("Sample-000.jpg"));
    EXPECT_LT(at("z.jpg"), at("~x.jpg"));
}

TEST(GalleryListing, UnreadableFolderSaysSo) {
    TempDir dir;
    const GalleryListing missing = ScanGalleryFolder(dir.file("gone"));
    EXPECT_FALSE(missing.readable);
    EXPECT_TRUE(missing.names.empty());
    const std::string message = GalleryFolderMessage(dir.file("gone"), missing.error);
    EXPECT_NE(message.find("Cannot read the gallery folder"), std::string::npos);
    EXPECT_NE(message.find(dir.file("gone")), std::string::npos);

    const auto locked = dir.path() / "locked";
    std::filesystem::create_directory(locked);
    WriteText((locked / "a.jpg").string(), "x");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write);
    testsupport::OpenToOthers(dir.path());
    EXPECT_TRUE(testsupport::AsOrdinaryUser([&] { return !ScanGalleryFolder(locked.string()).readable; }));
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

TEST(GalleryListing, NamesSortLetterCaseAside) {
    EXPECT_TRUE(GalleryNameLess("a.jpg", "B.jpg"));
    EXPECT_TRUE(GalleryNameLess("Pic00009.jpg", "pic00010.jpg"));
    EXPECT_FALSE(GalleryNameLess("b.jpg", "A.jpg"));
    // Equal but for case: a fixed order all the same.
    EXPECT_NE(GalleryNameLess("A.jpg", "a.jpg"), GalleryNameLess("a.jpg", "A.jpg"));
}

TEST(GallerySidecar, NamesFromTheLowerCasedPictureName) {
    const struct {
        const char* picture;
        const char* primary;
        const char* secondary;
    } rows[] = {
        {"Pic00001.jpg", "pic00001jpg.mag", "pic00001.mag"},
        {"Sample.BMP", "samplebmp.mag", "sample.mag"},
        {"a.b.JPG", "a.bjpg.mag", "a.b.mag"},
        {"x.jpeg", "", ""},
        {"jpg", "", ""},
    };
    for (const auto& row : rows) {
        const SidecarNames names = GallerySidecarNames(row.picture);
        EXPECT_EQ(names.primary, row.primary) << row.picture;
        EXPECT_EQ(names.secondary, row.secondary) << row.picture;
    }
}

TEST(GallerySidecar, ZoomIsTheOpticalValueTimesTheLensFactorRounded) {
    const struct {
        int optical;
        int zoom;
    } rows[] = {{200, 80}, {0, 0}, {251, 100}, {1, 0}, {2, 1}, {2509, 1000}};
    for (const auto& row : rows) EXPECT_EQ(ZoomFromOptical(row.optical), row.zoom) << row.optical;
    EXPECT_EQ(GalleryTooltipText("Pic00001.jpg", 1600, 1200, 200),
              "File name = Pic00001.jpg\nImage size = 1600 x 1200\nZoom = x80");
}

TEST(GallerySidecar, ReadsEachKeyFromThePrimaryThenTheSecondaryFile) {
    TempDir dir;
    const std::string folder = dir.path().string();
    const struct {
        const char* name;
        const char* primary;    // null: no such file
        const char* secondary;  // null: no such file
        int optical;
        const char* unit;
        double length;
    } rows[] = {
        {"primary only", kSidecar200, nullptr, 200, "um", 2.777},
        {"secondary only", nullptr, kSidecar200, 200, "um", 2.777},
        {"neither", nullptr, nullptr, 0, "mm", 1.0},
        {"primary says 0", "[MAG]\nOptical=0\n[CAL]\nUnit=0\nOnePixelLen=0\n", "[MAG]\nOptical=7\n[CAL]\nUnit=um\nOnePixelLen=0.5\n", 7, "um", 0.5},
        {"mixed", "[MAG]\nOptical=40\n", "[CAL]\nUnit=um\nOnePixelLen=3.5\n", 40, "um", 3.5},
        {"empty files", "", "", 0, "mm", 1.0},
        {"long unit cut", "[CAL]\nUnit=micrometres-per\nOnePixelLen=2x\n", nullptr, 0, "micrometres", 2.0},
        {"unreadable numbers", "[MAG]\nOptical=abc\n[CAL]\nOnePixelLen=abc\n", nullptr, 0, "mm", 0.0},
    };
    for (const auto& row : rows) {
        std::filesystem::remove(dir.file("pic00001jpg.mag"));
        std::filesystem::remove(dir.file("pic00001.mag"));
        if (row.primary) WriteText(dir.file("pic00001jpg.mag"), row.primary);
        if (row.secondary) WriteText(dir.file("pic00001.mag"), row.secondary);
        const GallerySidecar sidecar = ReadGallerySidecar(folder, "Pic00001.jpg");
        EXPECT_EQ(sidecar.optical, row.optical) << row.name;
        EXPECT_EQ(sidecar.unit, row.unit) << row.name;
        EXPECT_DOUBLE_EQ(sidecar.onePixelLength, row.length) << row.name;
    }
}

TEST(GallerySidecar, FoundWhateverTheLetterCaseOfItsName) {
    TempDir dir;
    const std::string folder = dir.path().string();
    WriteText(dir.file("PIC00002JPG.MAG"), kSidecar200);
    EXPECT_EQ(ReadGallerySidecar(folder, "Pic00002.jpg").optical, 200);
    EXPECT_EQ(FindGallerySidecar(folder, "pic00002.JPG", SidecarForm::Primary), "PIC00002JPG.MAG");
    EXPECT_EQ(FindGallerySidecar(folder, "pic00002.JPG", SidecarForm::Secondary), "");

    // Through the folder's index, which the list keeps instead of reading the folder again.
    SidecarIndex index;
    index.add("PIC00002JPG.MAG");
    index.add("Pic00002.jpg");
    EXPECT_EQ(index.size(), 1u);
    EXPECT_EQ(ReadGallerySidecar(folder, "Pic00002.jpg", &index).optical, 200);
    EXPECT_EQ(ReadGallerySidecar(folder, "Pic00003.jpg", &index).optical, 0);
}

namespace {

struct RenameCase {
    const char* name;
    std::vector<std::string> before;  // files in the folder; the first is the picture renamed
    const char* newName;
    RenameOutcome outcome;
    std::set<std::string> after;
};

}  // namespace

TEST(GalleryRename, PictureAndSidecarMoveTogetherOrNotAtAll) {
    const RenameCase rows[] = {
        {"primary sidecar follows", {"Pic00001.jpg", "Pic00001jpg.mag", "Pic00001.mag"}, "Sample.jpg",
         RenameOutcome::Renamed, {"Sample.jpg", "Samplejpg.mag", "Pic00001.mag"}},
        {"secondary sidecar when no primary", {"Pic00001.jpg", "Pic00001.mag"}, "Sample.jpg",
         RenameOutcome::Renamed, {"Sample.jpg", "Sample.mag"}},
        {"no sidecar", {"Pic00001.bmp"}, "Other.BMP", RenameOutcome::Renamed, {"Other.BMP"}},
        {"sidecar in other letter case", {"Pic00001.jpg", "pic00001jpg.mag"}, "Sample.jpg", RenameOutcome::Renamed,
         {"Sample.jpg", "Samplejpg.mag"}},
        {"extension case kept", {"Pic00001.jpg", "Pic00001jpg.mag"}, "Sample.JPG", RenameOutcome::Renamed,
         {"Sample.JPG", "SampleJPG.mag"}},
        {"not a picture name", {"Pic00001.jpg"}, "abc", RenameOutcome::Ignored, {"Pic00001.jpg"}},
        {"extension alone", {"Pic00001.jpg"}, ".jpg", RenameOutcome::Ignored, {"Pic00001.jpg"}},
        {"other extension", {"Pic00001.jpg"}, "Sample.png", RenameOutcome::Ignored, {"Pic00001.jpg"}},
        {"cancelled edit", {"Pic00001.jpg"}, "", RenameOutcome::Ignored, {"Pic00001.jpg"}},
        {"same name", {"Pic00001.jpg"}, "Pic00001.jpg", RenameOutcome::Ignored, {"Pic00001.jpg"}},
        {"folder separator", {"Pic00001.jpg"}, "sub/Sample.jpg", RenameOutcome::InvalidName, {"Pic00001.jpg"}},
        {"backslash", {"Pic00001.jpg"}, "..\\Sample.jpg", RenameOutcome::InvalidName, {"Pic00001.jpg"}},
        {"blanks only", {"Pic00001.jpg"}, "   .jpg", RenameOutcome::InvalidName, {"Pic00001.jpg"}},
        {"picture name taken", {"Pic00001.jpg", "Pic00001jpg.mag", "Sample.jpg"}, "Sample.jpg",
         RenameOutcome::NameTaken, {"Pic00001.jpg", "Pic00001jpg.mag", "Sample.jpg"}},
        {"sidecar name taken", {"Pic00001.jpg", "Pic00001jpg.mag", "Samplejpg.mag"}, "Sample.jpg",
         RenameOutcome::NameTaken, {"Pic00001.jpg", "Pic00001jpg.mag", "Samplejpg.mag"}},
        {"sidecar name taken in other case", {"Pic00001.jpg", "Pic00001jpg.mag", "SAMPLEJPG.MAG"}, "Sample.jpg",
         RenameOutcome::NameTaken, {"Pic00001.jpg", "Pic00001jpg.mag", "SAMPLEJPG.MAG"}},
        {"case of the picture only", {"Pic00001.jpg", "Pic00001jpg.mag"}, "PIC00001.jpg", RenameOutcome::Renamed,
         {"PIC00001.jpg", "PIC00001jpg.mag"}},
    };
    for (const RenameCase& row : rows) {
        TempDir dir;
        for (const std::string& file : row.before) WriteText(dir.file(file), file);
        const RenameResult result = RenameGalleryPicture(dir.path().string(), row.before.front(), row.newName);
        EXPECT_EQ(result.outcome, row.outcome) << row.name;
        EXPECT_EQ(Entries(dir), row.after) << row.name;
        const bool explained = row.outcome == RenameOutcome::InvalidName || row.outcome == RenameOutcome::NameTaken;
        EXPECT_EQ(!result.message.empty(), explained) << row.name << ": " << result.message;
        // Nothing is replaced: every file keeps its content under its (possibly new) name.
        if (row.outcome == RenameOutcome::NameTaken) {
            for (const std::string& file : row.before) EXPECT_EQ(testsupport::ReadText(dir.file(file)), file) << row.name;
        }
    }
}

TEST(GalleryRename, ASidecarThatCannotFollowTakesThePictureBack) {
    // In a folder with the sticky bit only a file's owner may rename it: the picture belongs to
    // the user who renames, the sidecar to someone else.
    if (::geteuid() != 0) GTEST_SKIP() << "needs a second account to own the sidecar";
    TempDir dir;
    const auto shared = dir.path() / "shared";
    std::filesystem::create_directory(shared);
    std::filesystem::permissions(shared, std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
    testsupport::OpenToOthers(dir.path());
    WriteText((shared / "Pic00001jpg.mag").string(), "sidecar");
    const bool restored = testsupport::AsOrdinaryUser([&] {
        WriteText((shared / "Pic00001.jpg").string(), "picture");
        const RenameResult result = RenameGalleryPicture(shared.string(), "Pic00001.jpg", "Sample.jpg");
        return result.outcome == RenameOutcome::Failed && !result.message.empty() &&
               std::filesystem::exists(shared / "Pic00001.jpg") && !std::filesystem::exists(shared / "Sample.jpg");
    });
    EXPECT_TRUE(restored);
    EXPECT_TRUE(std::filesystem::exists(shared / "Pic00001jpg.mag"));
}

TEST(GalleryRename, RenameWithoutReplacingRefusesAnExistingName) {
    TempDir dir;
    WriteText(dir.file("a"), "a");
    WriteText(dir.file("b"), "b");
    EXPECT_EQ(RenameWithoutReplacing(dir.file("a"), dir.file("b")), EEXIST);
    EXPECT_EQ(testsupport::ReadText(dir.file("b")), "b");
    EXPECT_EQ(RenameWithoutReplacing(dir.file("a"), dir.file("c")), 0);
    EXPECT_EQ(testsupport::ReadText(dir.file("c")), "a");
    EXPECT_FALSE(std::filesystem::exists(dir.file("a")));
}

TEST(ImageFormatRecord, LayoutAndRoundTrip) {
    const QByteArray bytes = EncodeImageFormatRecord({"Pic00001.jpg", "um", 2.5});
    ASSERT_EQ(bytes.size(), 280);
    EXPECT_EQ(std::string(bytes.constData()), "Pic00001.jpg");
    EXPECT_EQ(std::string(bytes.constData() + 255), "um");
    // 2.5 as a little-endian IEEE double: 00 00 00 00 00 00 04 40.
    EXPECT_EQ(bytes.mid(272).toHex(), QByteArray("0000000000000440"));

    const auto back = DecodeImageFormatRecord(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->fileName, "Pic00001.jpg");
    EXPECT_EQ(back->unit, "um");
    EXPECT_EQ(back->onePixelLength, 2.5);
    EXPECT_FALSE(DecodeImageFormatRecord(bytes.left(279)));

    // Over-long texts are cut so that each keeps its terminating zero.
    const auto cut = DecodeImageFormatRecord(EncodeImageFormatRecord({std::string(300, 'n'), std::string(40, 'u'), 1}));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->fileName.size(), 254u);
    EXPECT_EQ(cut->unit.size(), 16u);
}
