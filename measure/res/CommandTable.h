#pragma once

#include <span>
#include <string>
#include <vector>

namespace tessmet {

// Tessmet's commands as the main window offers them: menus, the four toolbars and the
// accelerator keys. Plain data keyed by the numeric command id, so the window builds its
// actions from one place and tests can check the tables against each other without a GUI.
namespace CommandId {
// File
constexpr int FileOpen = 57601;
constexpr int FileSave = 33001;
constexpr int FileSaveAs = 33002;
constexpr int FileCloseAll = 33003;
constexpr int RecentFileFirst = 57616;  // 57616..57619, the four recent-file entries
constexpr int RecentFileCount = 4;
constexpr int AppExit = 57665;
// Edit
constexpr int EditUndo = 57643;
// View, Zoom submenu
constexpr int ZoomUp = 32771;
constexpr int ZoomDown = 32772;
constexpr int ZoomSetup = 32773;
constexpr int MouseZoom = 32774;
constexpr int ZoomWindow = 32775;
// View, overlays and layers
constexpr int ToggleScale = 32776;
constexpr int ToggleVerticalLuminance = 32777;
constexpr int ToggleHorizontalLuminance = 32778;
constexpr int ToggleCenterLine = 32779;
constexpr int ToggleGrid = 32780;
constexpr int ToggleOriginalLayer = 32781;
constexpr int ToggleProcessingLayer = 32782;
constexpr int ToggleDrawLayer = 32783;
constexpr int ToggleMeasureLayer = 32784;
// View, bars
constexpr int ToggleViewToolbar = 32785;
constexpr int ToggleMeasureToolbar = 32786;
constexpr int ToggleSelectToolbar = 32787;
constexpr int ToggleToolbar = 59392;
constexpr int ToggleStatusBar = 59393;
// Image Processing
constexpr int BinaryImage = 32791;
constexpr int DetectCenter = 32792;
constexpr int GrayImage = 32793;
constexpr int ColorDistribution = 32794;  // the last item of the Image Processing menu
constexpr int ProcessingClear = 32795;
// Measure: the eight kinds in ObjectKind order, then Clear and the result window
constexpr int MeasureTwoPointDistance = 32801;
constexpr int MeasureVerticalDistance = 32802;
constexpr int MeasureArea = 32803;
constexpr int MeasureAngle = 32804;
constexpr int MeasureTwoLinesAngle = 32805;
constexpr int MeasureTwoPointRadius = 32806;
constexpr int MeasureThreePointRadius = 32807;
constexpr int MeasureCenterDistance = 32808;
constexpr int MeasureClear = 32809;
constexpr int MeasureResult = 32810;
// Draw
constexpr int DrawLine = 32831;
constexpr int DrawRectangle = 32832;
constexpr int DrawCircle = 32833;
constexpr int DrawText = 32834;
constexpr int DrawClear = 32835;
// Setup
constexpr int DrawSetup = 32841;
constexpr int CalibrationSetup = 32842;
constexpr int OtherSetup = 32843;
// ROI
constexpr int RoiRectangle = 32851;
constexpr int RoiEllipse = 32852;
constexpr int RoiPolygon = 32853;
constexpr int RoiClear = 32854;
// Arrow keys only
constexpr int ScrollRight = 33101;
constexpr int ScrollLeft = 33102;
constexpr int ScrollDown = 33103;
constexpr int ScrollUp = 33104;
// Window
constexpr int WindowChange = 35001;
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;
// Help
constexpr int AppAbout = 57664;
}  // namespace CommandId

enum class MenuId { None, File, Edit, View, Zoom, Roi, ImageProcessing, Measure, Draw, Setup, Window, Help };
enum class ToolbarId { None, Standard, View, Measure, Select };

struct CommandInfo {
    int id;
    const char* menuText;  // English source text with its '&' mnemonic
    MenuId menu;           // where the command sits; None for commands reached only otherwise
    bool checkable;        // a toggle or a tool: checked while its flag is on or it is current
    bool needsImage;       // greyed while no image is open
    const char* icon;      // resource path of its toolbar picture, nullptr when it has none
};

// One entry of a menu, in display order.
struct MenuItem {
    enum class Kind { Command, Separator, Submenu, RecentFiles };
    Kind kind;
    int command = 0;              // Kind::Command
    MenuId submenu = MenuId::None;  // Kind::Submenu
};

struct ToolbarInfo {
    ToolbarId id;
    int resourceId;
    const char* title;        // English source text, shown when the bar floats
    const char* objectName;   // stable name under which the bar's docking state is saved
    int toggleCommand;        // the View command that shows or hides it
    std::span<const int> buttons;  // command ids in order, 0 for a separator
};

// An accelerator: the key in portable key-sequence text ("Ctrl+O", "Alt+Backspace", "F12",
// "Right") and the command it sends.
struct Accelerator {
    const char* keys;
    int command;
};

// Every command, ascending by id.
std::span<const CommandInfo> Commands();
// nullptr for an unknown id.
const CommandInfo* FindCommand(int id);

// The top-level menus from left to right (File .. Help); the Zoom submenu hangs in View.
std::span<const MenuId> MenuBar();
std::span<const MenuItem> MenuItems(MenuId menu);
// Index of an entry inside its menu (the Zoom submenu is entry 2 of View), -1 when absent.
int MenuPosition(MenuId menu, const MenuItem& item);
// The top-level menus and the submenu that are greyed while no image is open.
bool MenuNeedsImage(MenuId menu);

std::span<const ToolbarInfo> Toolbars();
const ToolbarInfo* FindToolbar(ToolbarId id);
// The toolbar whose buttons include the command; ToolbarId::None when on none.
ToolbarId ToolbarOf(int command);

std::span<const Accelerator> Accelerators();
// The keys of every accelerator of a command, in table order.
std::vector<std::string> AcceleratorsOf(int command);

// Texts in the current language (a translation installed with InstallTranslations replaces
// the English source). Menu texts keep their '&' mnemonic; unknown ids give an empty text.
std::string MenuTitle(MenuId menu);
std::string MenuText(int command);
std::string ToolbarTitle(ToolbarId toolbar);
// The command's prompt split at its first '\n': the status-bar help and the tooltip (empty
// when the prompt has no second part).
std::string CommandStatusText(int command);
std::string CommandTooltip(int command);

// The English source texts, whatever translation is loaded.
const char* MenuTitleSource(MenuId menu);

}  // namespace tessmet
