#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"

#include <QKeySequence>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

using namespace tessmet;

namespace {

// The character after the single '&' of a menu text, upper-cased; 0 when there is none.
char Mnemonic(const std::string& text) {
    const size_t amp = text.find('&');
    if (amp == std::string::npos || amp + 1 >= text.size()) return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[amp + 1])));
}

std::vector<int> ButtonsOf(ToolbarId id) {
    const ToolbarInfo* t = FindToolbar(id);
    return t ? std::vector<int>(t->buttons.begin(), t->buttons.end()) : std::vector<int>();
}

}  // namespace

TEST(CommandTable, IdsAreAscendingUniqueAndFindable) {
    const auto commands = Commands();
    ASSERT_FALSE(commands.empty());
    for (size_t i = 1; i < commands.size(); ++i) EXPECT_LT(commands[i - 1].id, commands[i].id) << commands[i].id;
    for (const CommandInfo& c : commands) {
        const CommandInfo* found = FindCommand(c.id);
        ASSERT_NE(found, nullptr) << c.id;
        EXPECT_EQ(found->id, c.id);
    }
    EXPECT_EQ(FindCommand(0), nullptr);
    EXPECT_EQ(FindCommand(57600), nullptr);  // "New" opens nothing and has no place in the menus
}

TEST(CommandTable, TheListedCommandRangesAreAllThere) {
    std::vector<int> expected = {57601, 33001, 33002, 33003, 57643, 35001, 57664, 59392, 57665};
    auto range = [&](int first, int last) {
        for (int id = first; id <= last; ++id) expected.push_back(id);
    };
    range(32771, 32787);
    range(32791, 32795);
    range(32801, 32810);
    range(32831, 32835);
    range(32841, 32843);
    range(32851, 32854);
    range(33101, 33104);
    for (int id : expected) EXPECT_NE(FindCommand(id), nullptr) << id;
}

TEST(CommandTable, EveryCommandHasTextAndPrompt) {
    for (const CommandInfo& c : Commands()) {
        ASSERT_NE(c.menuText, nullptr) << c.id;
        EXPECT_FALSE(MenuText(c.id).empty()) << c.id;
        EXPECT_FALSE(CommandStatusText(c.id).empty()) << c.id;
        // Commands with a toolbar button need a tooltip, the part after the line break.
        if (ToolbarOf(c.id) != ToolbarId::None) {
            EXPECT_FALSE(CommandTooltip(c.id).empty()) << c.id;
        }
    }
    EXPECT_EQ(CommandStatusText(32791), "Image is binarizd");
    EXPECT_EQ(CommandTooltip(32791), "Image Processing - Binary Image");
    EXPECT_EQ(CommandTooltip(57616), "");
}

TEST(CommandTable, QuotedMenuTextsKeepTheirMnemonics) {
    const std::map<int, std::string> quoted = {
        {32791, "&Binary Image"},      {32792, "Detect &Center"},       {32793, "&Gray Image"},
        {32794, "Display C&olor Distribution"},                         {32795, "Cl&ear"},
        {32809, "Cl&ear"},             {32810, "Measure Res&ult"},      {32842, "&Calibration Setup"},
        {32841, "&Draw Setup"},        {32843, "&Other Setup"},         {32775, "&Zoom Window"},
        {32773, "Magnification &Setup"}, {32851, "&Rectangular Type"},  {32852, "E&llipse Type"},
        {32853, "&Polygon Type"},      {32831, "&Line"},                {32832, "&Rectangular"},
        {32833, "&Circle"},            {32834, "&Text"},                {32782, "&Image Processing Layer"},
        {57664, "&About Tessmet..."},
    };
    for (const auto& [id, text] : quoted) EXPECT_EQ(MenuText(id), text) << id;
}

TEST(CommandTable, MenusAndCommandsAgree) {
    std::multiset<int> placed;
    for (const CommandInfo& c : Commands()) {
        if (c.menu == MenuId::None) continue;
        const auto items = MenuItems(c.menu);
        const bool recent = c.id >= CommandId::RecentFileFirst &&
                            c.id < CommandId::RecentFileFirst + CommandId::RecentFileCount;
        if (recent) continue;  // the file menu holds one place for all four
        const long n = std::count_if(items.begin(), items.end(), [&](const MenuItem& m) {
            return m.kind == MenuItem::Kind::Command && m.command == c.id;
        });
        EXPECT_EQ(n, 1) << c.id;
    }
    for (MenuId menu : {MenuId::File, MenuId::Edit, MenuId::View, MenuId::Zoom, MenuId::Roi,
                        MenuId::ImageProcessing, MenuId::Measure, MenuId::Draw, MenuId::Setup,
                        MenuId::Window, MenuId::Help}) {
        EXPECT_NE(MenuTitleSource(menu), nullptr);
        for (const MenuItem& m : MenuItems(menu)) {
            if (m.kind != MenuItem::Kind::Command) continue;
            const CommandInfo* c = FindCommand(m.command);
            ASSERT_NE(c, nullptr) << m.command;
            EXPECT_EQ(c->menu, menu) << m.command;
        }
    }
    const auto recentPlaces = std::count_if(MenuItems(MenuId::File).begin(), MenuItems(MenuId::File).end(),
                                            [](const MenuItem& m) { return m.kind == MenuItem::Kind::RecentFiles; });
    EXPECT_EQ(recentPlaces, 1);
}

TEST(CommandTable, MenuBarOrderAndTheZoomSubmenuPlace) {
    const std::vector<MenuId> expected = {MenuId::File, MenuId::Edit, MenuId::View, MenuId::Roi,
                                          MenuId::ImageProcessing, MenuId::Measure, MenuId::Draw,
                                          MenuId::Setup, MenuId::Window, MenuId::Help};
    const auto bar = MenuBar();
    EXPECT_EQ(std::vector<MenuId>(bar.begin(), bar.end()), expected);
    EXPECT_EQ(MenuPosition(MenuId::View, MenuItem{MenuItem::Kind::Submenu, 0, MenuId::Zoom}), 2);
    EXPECT_EQ(MenuPosition(MenuId::View, MenuItem{MenuItem::Kind::Command, CommandId::FileOpen, MenuId::None}), -1);

    // Greyed without an image: menu-bar positions 1 and 3..8, plus the Zoom submenu.
    for (size_t i = 0; i < bar.size(); ++i) {
        const bool greyed = i == 1 || (i >= 3 && i <= 8);
        EXPECT_EQ(MenuNeedsImage(bar[i]), greyed) << i;
    }
    EXPECT_TRUE(MenuNeedsImage(MenuId::Zoom));
}

TEST(CommandTable, MnemonicsAreSingleAndUniqueInEachMenu) {
    std::set<char> barKeys;
    for (MenuId menu : MenuBar()) {
        const std::string title = MenuTitleSource(menu);
        EXPECT_EQ(std::count(title.begin(), title.end(), '&'), 1) << title;
        EXPECT_TRUE(barKeys.insert(Mnemonic(title)).second) << title;
    }
    for (MenuId menu : {MenuId::File, MenuId::Edit, MenuId::View, MenuId::Zoom, MenuId::Roi,
                        MenuId::ImageProcessing, MenuId::Measure, MenuId::Draw, MenuId::Setup,
                        MenuId::Window, MenuId::Help}) {
        std::set<char> keys;
        for (const MenuItem& m : MenuItems(menu)) {
            std::string text;
            if (m.kind == MenuItem::Kind::Command) text = FindCommand(m.command)->menuText;
            if (m.kind == MenuItem::Kind::Submenu) text = MenuTitleSource(m.submenu);
            if (text.empty()) continue;
            EXPECT_EQ(std::count(text.begin(), text.end(), '&'), 1) << text;
            EXPECT_TRUE(keys.insert(Mnemonic(text)).second) << "duplicate mnemonic in " << text;
        }
    }
}

TEST(CommandTable, ToolbarsHoldTheListedButtons) {
    EXPECT_EQ(ButtonsOf(ToolbarId::Standard), (std::vector<int>{57601, 33001, 0, 57664, 0, 35001}));
    EXPECT_EQ(ButtonsOf(ToolbarId::View),
              (std::vector<int>{32781, 32782, 32784, 32783, 0, 32776, 32779, 32780, 32778, 32777}));
    EXPECT_EQ(ButtonsOf(ToolbarId::Measure),
              (std::vector<int>{32801, 32802, 32803, 32804, 32805, 32806, 32807, 32808, 0, 32810}));
    EXPECT_EQ(ButtonsOf(ToolbarId::Select),
              (std::vector<int>{32774, 0, 32851, 32852, 32853, 0, 32831, 32832, 32833, 32834}));

    const std::map<ToolbarId, std::pair<int, int>> resourceAndToggle = {
        {ToolbarId::Standard, {128, 59392}}, {ToolbarId::View, {163, 32785}},
        {ToolbarId::Measure, {164, 32786}},  {ToolbarId::Select, {165, 32787}}};
    std::set<std::string> names;
    for (const ToolbarInfo& t : Toolbars()) {
        EXPECT_EQ(t.resourceId, resourceAndToggle.at(t.id).first);
        EXPECT_EQ(t.toggleCommand, resourceAndToggle.at(t.id).second);
        const CommandInfo* toggle = FindCommand(t.toggleCommand);
        ASSERT_NE(toggle, nullptr);
        EXPECT_TRUE(toggle->checkable);
        EXPECT_FALSE(toggle->needsImage);
        EXPECT_TRUE(names.insert(t.objectName).second) << t.objectName;
        EXPECT_FALSE(ToolbarTitle(t.id).empty());
    }
}

TEST(CommandTable, EveryButtonIsACommandWithAPictureAndEveryPictureIsOnABar) {
    std::set<int> onBars;
    for (const ToolbarInfo& t : Toolbars()) {
        for (int id : t.buttons) {
            if (id == 0) continue;
            EXPECT_TRUE(onBars.insert(id).second) << "button twice: " << id;
            const CommandInfo* c = FindCommand(id);
            ASSERT_NE(c, nullptr) << id;
            EXPECT_NE(c->icon, nullptr) << id;
            EXPECT_EQ(ToolbarOf(id), t.id);
        }
    }
    for (const CommandInfo& c : Commands()) {
        if (c.icon) {
            EXPECT_TRUE(onBars.count(c.id)) << c.id;
        }
    }
    EXPECT_EQ(ToolbarOf(0), ToolbarId::None);
    EXPECT_EQ(ToolbarOf(CommandId::FileSaveAs), ToolbarId::None);
}

TEST(CommandTable, AcceleratorsMatchTheKeyTable) {
    const std::map<int, std::vector<std::string>> expected = {
        {57601, {"Ctrl+O"}},     {33001, {"Ctrl+S"}},  {57643, {"Ctrl+Z", "Alt+Backspace"}},
        {32771, {"Ctrl+Up"}},    {32772, {"Ctrl+Down"}},
        {32776, {"Ctrl+L"}},     {32779, {"Ctrl+C"}},  {32780, {"Ctrl+G"}}, {32778, {"Ctrl+H"}},
        {32777, {"Ctrl+V"}},     {32781, {"F1"}},      {32782, {"F2"}},     {32784, {"F3"}},
        {32783, {"F4"}},         {35001, {"F12"}},     {33101, {"Right"}},  {33102, {"Left"}},
        {33103, {"Down"}},       {33104, {"Up"}},
    };
    size_t total = 0;
    for (const auto& [id, keys] : expected) {
        EXPECT_EQ(AcceleratorsOf(id), keys) << id;
        total += keys.size();
    }
    EXPECT_EQ(Accelerators().size(), total);

    std::set<int> seen;
    for (const Accelerator& a : Accelerators()) {
        EXPECT_NE(FindCommand(a.command), nullptr) << a.keys;
        // Each text must parse as one key combination and read back the same.
        const QKeySequence seq = QKeySequence::fromString(QString::fromLatin1(a.keys), QKeySequence::PortableText);
        EXPECT_EQ(seq.count(), 1) << a.keys;
        EXPECT_EQ(seq.toString(QKeySequence::PortableText).toStdString(), a.keys);
        EXPECT_TRUE(seen.insert(seq[0].toCombined()).second) << "key used twice: " << a.keys;
    }
}

TEST(CommandTable, OnlyOpeningAboutExitAndBarTogglesWorkWithoutAnImage) {
    const std::set<int> free = {57601, 57616, 57617, 57618, 57619, 57664, 57665,
                                59392, 59393, 32785, 32786, 32787};
    for (const CommandInfo& c : Commands()) EXPECT_EQ(c.needsImage, free.count(c.id) == 0) << c.id;
}
