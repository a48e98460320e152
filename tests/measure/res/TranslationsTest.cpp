#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"
#include "measure/res/Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

using namespace tessmet;

namespace {

// One application per test: its translators go with it, so no test sees another's language.
class TranslationsTest : public ::testing::Test {
protected:
    int argc = 1;
    char name[16] = "tessmet-test";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// printf conversions in order of appearance.
std::vector<std::string> Placeholders(const std::string& text) {
    static const QRegularExpression conversion(QStringLiteral("%[-+ #0]*[0-9]*(\\.[0-9]+)?[a-zA-Z%]"));
    std::vector<std::string> found;
    for (const QRegularExpressionMatch& match : conversion.globalMatch(QString::fromStdString(text)))
        found.push_back(match.captured().toStdString());
    return found;
}

size_t LeadingSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? text.size() : first;
}

long LineBreaks(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

// "(&X)" or "&X" anywhere: the letter the translation keeps for the keyboard.
char MnemonicLetter(const std::string& text) {
    const size_t amp = text.find('&');
    if (amp == std::string::npos || amp + 1 >= text.size()) return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[amp + 1])));
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(TranslationsTest, OtherLanguagesKeepTheEnglishTexts) {
    for (QLocale::Language language : {QLocale::English, QLocale::German, QLocale::Chinese}) {
        EXPECT_EQ(InstallTranslations(app, QLocale(language)), 0);
    }
    for (int id : AllStringIds()) EXPECT_EQ(LoadString(id), SourceString(id)) << id;
    EXPECT_EQ(MenuText(CommandId::BinaryImage), "&Binary Image");
}

TEST_F(TranslationsTest, JapaneseReplacesEveryStringAndPrompt) {
    const bool qtOwn = QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm") ||
                       QFileInfo::exists("/usr/share/qt6/translations/qtbase_ja.qm");
    EXPECT_EQ(InstallTranslations(app, QLocale(QLocale::Japanese, QLocale::Japan)), qtOwn ? 2 : 1);
    for (int id : AllStringIds()) {
        const std::string english = SourceString(id);
        const std::string japanese = LoadString(id);
        EXPECT_FALSE(japanese.empty()) << id;
        EXPECT_NE(japanese, english) << id;
        EXPECT_EQ(Placeholders(japanese), Placeholders(english)) << id;
        // Status texts are appended to a prefix and rely on their leading blanks; prompts are
        // split at their line break into status text and tooltip.
        EXPECT_EQ(LeadingSpaces(japanese), LeadingSpaces(english)) << id;
        EXPECT_EQ(LineBreaks(japanese), LineBreaks(english)) << id;
    }
    EXPECT_EQ(LoadString(StringId::TooManyImages), "同時に開くことのできる画像ファイルは 64 枚までです。");
    if (qtOwn) {
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(), "はい(&Y)");
    }
}

TEST_F(TranslationsTest, JapaneseMenusKeepMnemonicsAndEllipses) {
    ASSERT_GE(InstallTranslations(app, QLocale(QLocale::Japanese)), 1);
    for (const CommandInfo& c : Commands()) {
        const std::string english = c.menuText;
        const std::string japanese = MenuText(c.id);
        EXPECT_NE(japanese, english) << english;
        EXPECT_EQ(MnemonicLetter(japanese), MnemonicLetter(english)) << english << " -> " << japanese;
        EXPECT_EQ(EndsWith(japanese, "..."), EndsWith(english, "...")) << english;
        EXPECT_EQ(Placeholders(japanese), Placeholders(english)) << english;
    }
    for (MenuId menu : {MenuId::File, MenuId::Edit, MenuId::View, MenuId::Zoom, MenuId::Roi,
                        MenuId::ImageProcessing, MenuId::Measure, MenuId::Draw, MenuId::Setup,
                        MenuId::Window, MenuId::Help}) {
        EXPECT_EQ(MnemonicLetter(MenuTitle(menu)), MnemonicLetter(MenuTitleSource(menu)));
        EXPECT_NE(MenuTitle(menu), MenuTitleSource(menu));
    }
    for (const ToolbarInfo& t : Toolbars()) EXPECT_NE(ToolbarTitle(t.id), t.title);
    EXPECT_EQ(MenuText(CommandId::FileOpen), "開く(&O)...");
}

TEST_F(TranslationsTest, JapaneseCoversTheAboutBoxAndTheFileFilters) {
    ASSERT_GE(InstallTranslations(app, QLocale(QLocale::Japanese)), 1);
    struct Text {
        const char* context;
        const char* source;
    };
    const Text texts[] = {
        {"tessmet::AboutDialog", "About Tessmet"},
        {"tessmet::AboutDialog", "Tessmet Version %1"},
        {"tessmet::AboutDialog", "Measurement software for the digital microscope camera"},
        {"FileChooser", "Image File (*.bmp,*.jpg)"},
        {"FileChooser", "Bitmap (*.bmp)"},
        {"FileChooser", "JPEG (*.jpg)"},
    };
    for (const Text& t : texts) {
        const std::string japanese = QCoreApplication::translate(t.context, t.source).toStdString();
        EXPECT_NE(japanese, t.source) << t.context << ": " << t.source;
        EXPECT_EQ(Placeholders(japanese), Placeholders(t.source)) << t.source;
    }
    // A filter keeps its pattern, which the dialog shows next to the name.
    EXPECT_EQ(QCoreApplication::translate("FileChooser", "Image File (*.bmp,*.jpg)").toStdString(),
              "画像ファイル (*.bmp,*.jpg)");
    EXPECT_EQ(QCoreApplication::translate("tessmet::AboutDialog", "Tessmet Version %1").arg("1.0").toStdString(),
              "Tessmet バージョン 1.0");
}
