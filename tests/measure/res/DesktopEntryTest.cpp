#include "measure/res/Icons.h"
#include "platform/CommandLine.h"
#include "platform/ProgramFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

std::map<std::string, std::string> ReadEntry(const std::string& path) {
    std::map<std::string, std::string> keys;
    std::istringstream in(testsupport::ReadText(path));
    std::string line;
    bool inEntry = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const size_t eq = line.find('=');
        if (inEntry && eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

TEST(DesktopEntry, OffersTessmetForJpegAndBmpWithItsIcon) {
    auto keys = ReadEntry(TESSMET_DESKTOP_ENTRY);
    EXPECT_EQ(keys["Type"], "Application");
    EXPECT_EQ(keys["Name"], "Tessmet");
    EXPECT_EQ(keys["MimeType"], "image/jpeg;image/bmp;");
    // The icon is installed under the theme as tessmet.svg, the name of the embedded one.
    EXPECT_EQ(keys["Icon"] + ".svg", platform::FileNameOf(tessmet::kApplicationIcon));
}

TEST(DesktopEntry, TheLauncherHandsThePictureOverAsTheFileToOpen) {
    auto keys = ReadEntry(TESSMET_DESKTOP_ENTRY);
    // A launcher passes the chosen file as one argument in place of %f, blanks and all.
    std::vector<std::string> arguments = platform::SplitParameterText(keys["Exec"]);
    ASSERT_FALSE(arguments.empty());
    EXPECT_EQ(arguments.front(), "tessmet");
    arguments.erase(arguments.begin());
    for (std::string& a : arguments) {
        if (a == "%f") a = "/home/u/my pictures/Pic00001.jpg";
    }
    EXPECT_EQ(platform::ParseCommandLine(arguments).file, "/home/u/my pictures/Pic00001.jpg");
}

}  // namespace
