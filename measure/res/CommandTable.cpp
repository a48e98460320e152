#include "measure/res/CommandTable.h"

#include "measure/res/StringTable.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <iterator>

namespace tessmet {
namespace {

using namespace CommandId;
using Kind = MenuItem::Kind;

// Toolbar pictures, embedded by tessmet_icons (see Icons.h).
#define TESSMET_ICON(name) ":/tessmet/icons/" name ".svg"

// Ascending by id. Commands without an entry in the main menu (the arrow-key scrolling) still
// carry a text for the places that show them by name.
constexpr CommandInfo kCommands[] = {
    {ZoomUp, QT_TRANSLATE_NOOP("CommandTable", "Zoom &Up"), MenuId::Zoom, false, true, nullptr},
    {ZoomDown, QT_TRANSLATE_NOOP("CommandTable", "Zoom &Down"), MenuId::Zoom, false, true, nullptr},
    {ZoomSetup, QT_TRANSLATE_NOOP("CommandTable", "Magnification &Setup"), MenuId::Zoom, false, true, nullptr},
    {MouseZoom, QT_TRANSLATE_NOOP("CommandTable", "&Mouse Zoom"), MenuId::Zoom, true, true, TESSMET_ICON("mouse-zoom")},
    {ZoomWindow, QT_TRANSLATE_NOOP("CommandTable", "&Zoom Window"), MenuId::Zoom, true, true, nullptr},
    {ToggleScale, QT_TRANSLATE_NOOP("CommandTable", "&Scale"), MenuId::View, true, true, TESSMET_ICON("scale")},
    {ToggleVerticalLuminance, QT_TRANSLATE_NOOP("CommandTable", "&Vertical Luminance"), MenuId::View, true, true,
     TESSMET_ICON("luminance-vertical")},
    {ToggleHorizontalLuminance, QT_TRANSLATE_NOOP("CommandTable", "&Horizontal Luminance"), MenuId::View, true, true,
     TESSMET_ICON("luminance-horizontal")},
    {ToggleCenterLine, QT_TRANSLATE_NOOP("CommandTable", "&Center Line"), MenuId::View, true, true,
     TESSMET_ICON("center-line")},
    {ToggleGrid, QT_TRANSLATE_NOOP("CommandTable", "&Grid Line"), MenuId::View, true, true, TESSMET_ICON("grid")},
    {ToggleOriginalLayer, QT_TRANSLATE_NOOP("CommandTable", "&Original Picture Layer"), MenuId::View, true, true,
     TESSMET_ICON("layer-original")},
    {ToggleProcessingLayer, QT_TRANSLATE_NOOP("CommandTable", "&Image Processing Layer"), MenuId::View, true, true,
     TESSMET_ICON("layer-processing")},
    {ToggleDrawLayer, QT_TRANSLATE_NOOP("CommandTable", "&Draw Layer"), MenuId::View, true, true,
     TESSMET_ICON("layer-draw")},
    {ToggleMeasureLayer, QT_TRANSLATE_NOOP("CommandTable", "&Measure Layer"), MenuId::View, true, true,
     TESSMET_ICON("layer-measure")},
    {ToggleViewToolbar, QT_TRANSLATE_NOOP("CommandTable", "Vie&w Toolbar"), MenuId::View, true, false, nullptr},
    {ToggleMeasureToolbar, QT_TRANSLATE_NOOP("CommandTable", "Measu&re Toolbar"), MenuId::View, true, false, nullptr},
    {ToggleSelectToolbar, QT_TRANSLATE_NOOP("CommandTable", "Se&lect Toolbar"), MenuId::View, true, false, nullptr},
    {BinaryImage, QT_TRANSLATE_NOOP("CommandTable", "&Binary Image"), MenuId::ImageProcessing, false, true, nullptr},
    {DetectCenter, QT_TRANSLATE_NOOP("CommandTable", "Detect &Center"), MenuId::ImageProcessing, false, true, nullptr},
    {GrayImage, QT_TRANSLATE_NOOP("CommandTable", "&Gray Image"), MenuId::ImageProcessing, false, true, nullptr},
    {ColorDistribution, QT_TRANSLATE_NOOP("CommandTable", "Display C&olor Distribution"), MenuId::ImageProcessing, true,
     true, nullptr},
    {ProcessingClear, QT_TRANSLATE_NOOP("CommandTable", "Cl&ear"), MenuId::ImageProcessing, false, true, nullptr},
    {MeasureTwoPointDistance, QT_TRANSLATE_NOOP("CommandTable", "&2 Point Distance"), MenuId::Measure, true, true,
     TESSMET_ICON("measure-two-point-distance")},
    {MeasureVerticalDistance, QT_TRANSLATE_NOOP("CommandTable", "&Vertical Distance"), MenuId::Measure, true, true,
     TESSMET_ICON("measure-vertical-distance")},
    {MeasureArea, QT_TRANSLATE_NOOP("CommandTable", "&Area"), MenuId::Measure, true, true, TESSMET_ICON("measure-area")},
    {MeasureAngle, QT_TRANSLATE_NOOP("CommandTable", "A&ngle"), MenuId::Measure, true, true,
     TESSMET_ICON("measure-angle")},
    {MeasureTwoLinesAngle, QT_TRANSLATE_NOOP("CommandTable", "2 &Lines Angle"), MenuId::Measure, true, true,
     TESSMET_ICON("measure-two-lines-angle")},
    {MeasureTwoPointRadius, QT_TRANSLATE_NOOP("CommandTable", "2 Point &Radius"), MenuId::Measure, true, true,
     TESSMET_ICON("measure-two-point-radius")},
    {MeasureThreePointRadius, QT_TRANSLATE_NOOP("CommandTable", "&3 Point Radius"), MenuId::Measure, true, true,
     TESSMET_ICON("measure-three-point-radius")},
    {MeasureCenterDistance, QT_TRANSLATE_NOOP("CommandTable", "Cen&ter Distance"), MenuId::Measure, true, true,
     TESSMET_ICON("measure-center-distance")},
    {MeasureClear, QT_TRANSLATE_NOOP("CommandTable", "Cl&ear"), MenuId::Measure, false, true, nullptr},
    {MeasureResult, QT_TRANSLATE_NOOP("CommandTable", "Measure Res&ult"), MenuId::Measure, true, true,
     TESSMET_ICON("measure-result")},
    {DrawLine, QT_TRANSLATE_NOOP("CommandTable", "&Line"), MenuId::Draw, true, true, TESSMET_ICON("draw-line")},
    {DrawRectangle, QT_TRANSLATE_NOOP("CommandTable", "&Rectangular"), MenuId::Draw, true, true,
     TESSMET_ICON("draw-rectangle")},
    {DrawCircle, QT_TRANSLATE_NOOP("CommandTable", "&Circle"), MenuId::Draw, true, true, TESSMET_ICON("draw-circle")},
    {DrawText, QT_TRANSLATE_NOOP("CommandTable", "&Text"), MenuId::Draw, true, true, TESSMET_ICON("draw-text")},
    {DrawClear, QT_TRANSLATE_NOOP("CommandTable", "Cl&ear"), MenuId::Draw, false, true, nullptr},
    {DrawSetup, QT_TRANSLATE_NOOP("CommandTable", "&Draw Setup"), MenuId::Setup, false, true, nullptr},
    {CalibrationSetup, QT_TRANSLATE_NOOP("CommandTable", "&Calibration Setup"), MenuId::Setup, false, true, nullptr},
    {OtherSetup, QT_TRANSLATE_NOOP("CommandTable", "&Other Setup"), MenuId::Setup, false, true, nullptr},
    {RoiRectangle, QT_TRANSLATE_NOOP("CommandTable", "&Rectangular Type"), MenuId::Roi, true, true,
     TESSMET_ICON("roi-rectangle")},
    {RoiEllipse, QT_TRANSLATE_NOOP("CommandTable", "E&llipse Type"), MenuId::Roi, true, true,
     TESSMET_ICON("roi-ellipse")},
    {RoiPolygon, QT_TRANSLATE_NOOP("CommandTable", "&Polygon Type"), MenuId::Roi, true, true,
     TESSMET_ICON("roi-polygon")},
    {RoiClear, QT_TRANSLATE_NOOP("CommandTable", "Cl&ear"), MenuId::Roi, false, true, nullptr},
    {FileSave, QT_TRANSLATE_NOOP("CommandTable", "&Save"), MenuId::File, false, true, TESSMET_ICON("file-save")},
    {FileSaveAs, QT_TRANSLATE_NOOP("CommandTable", "Save &As..."), MenuId::File, false, true, nullptr},
    {FileCloseAll, QT_TRANSLATE_NOOP("CommandTable", "&Close All"), MenuId::File, false, true, nullptr},
    {ScrollRight, QT_TRANSLATE_NOOP("CommandTable", "Scroll Right"), MenuId::None, false, true, nullptr},
    {ScrollLeft, QT_TRANSLATE_NOOP("CommandTable", "Scroll Left"), MenuId::None, false, true, nullptr},
    {ScrollDown, QT_TRANSLATE_NOOP("CommandTable", "Scroll Down"), MenuId::None, false, true, nullptr},
    {ScrollUp, QT_TRANSLATE_NOOP("CommandTable", "Scroll Up"), MenuId::None, false, true, nullptr},
    {WindowChange, QT_TRANSLATE_NOOP("CommandTable", "Window C&hange"), MenuId::Window, false, true,
     TESSMET_ICON("window-change")},
    {FileOpen, QT_TRANSLATE_NOOP("CommandTable", "&Open..."), MenuId::File, false, false, TESSMET_ICON("file-open")},
    {RecentFileFirst, QT_TRANSLATE_NOOP("CommandTable", "Recent File"), MenuId::File, false, false, nullptr},
    {RecentFileFirst + 1, QT_TRANSLATE_NOOP("CommandTable", "Recent File"), MenuId::File, false, false, nullptr},
    {RecentFileFirst + 2, QT_TRANSLATE_NOOP("CommandTable", "Recent File"), MenuId::File, false, false, nullptr},
    {RecentFileFirst + 3, QT_TRANSLATE_NOOP("CommandTable", "Recent File"), MenuId::File, false, false, nullptr},
    {EditUndo, QT_TRANSLATE_NOOP("CommandTable", "&Undo"), MenuId::Edit, false, true, nullptr},
    {WindowCascade, QT_TRANSLATE_NOOP("CommandTable", "&Cascade"), MenuId::Window, false, true, nullptr},
    {WindowTile, QT_TRANSLATE_NOOP("CommandTable", "&Tile"), MenuId::Window, false, true, nullptr},
    {AppAbout, QT_TRANSLATE_NOOP("CommandTable", "&About Tessmet..."), MenuId::Help, false, false,
     TESSMET_ICON("about")},
    {AppExit, QT_TRANSLATE_NOOP("CommandTable", "E&xit"), MenuId::File, false, false, nullptr},
    {ToggleToolbar, QT_TRANSLATE_NOOP("CommandTable", "&Toolbar"), MenuId::View, true, false, nullptr},
    {ToggleStatusBar, QT_TRANSLATE_NOOP("CommandTable", "Status &Bar"), MenuId::View, true, false, nullptr},
};

#undef TESSMET_ICON

constexpr MenuItem Cmd(int id) { return {Kind::Command, id, MenuId::None}; }
constexpr MenuItem Sep() { return {Kind::Separator, 0, MenuId::None}; }
constexpr MenuItem Sub(MenuId menu) { return {Kind::Submenu, 0, menu}; }

constexpr MenuItem kFileMenu[] = {
    Cmd(FileOpen), Cmd(FileSave), Cmd(FileSaveAs), Cmd(FileCloseAll), Sep(),
    {Kind::RecentFiles, 0, MenuId::None}, Sep(), Cmd(AppExit),
};
constexpr MenuItem kEditMenu[] = {Cmd(EditUndo)};
// The Zoom submenu must stay the third entry: it is greyed by position with the menus.
constexpr MenuItem kViewMenu[] = {
    Cmd(ToggleToolbar), Cmd(ToggleStatusBar), Sub(MenuId::Zoom), Sep(),
    Cmd(ToggleOriginalLayer), Cmd(ToggleProcessingLayer), Cmd(ToggleMeasureLayer), Cmd(ToggleDrawLayer), Sep(),
    Cmd(ToggleScale), Cmd(ToggleCenterLine), Cmd(ToggleGrid), Cmd(ToggleHorizontalLuminance),
    Cmd(ToggleVerticalLuminance), Sep(),
    Cmd(ToggleViewToolbar), Cmd(ToggleMeasureToolbar), Cmd(ToggleSelectToolbar),
};
constexpr MenuItem kZoomMenu[] = {
    Cmd(ZoomUp), Cmd(ZoomDown), Cmd(ZoomSetup), Sep(), Cmd(MouseZoom), Cmd(ZoomWindow),
};
constexpr MenuItem kRoiMenu[] = {Cmd(RoiRectangle), Cmd(RoiEllipse), Cmd(RoiPolygon), Sep(), Cmd(RoiClear)};
constexpr MenuItem kImageProcessingMenu[] = {
    Cmd(BinaryImage), Cmd(DetectCenter), Cmd(GrayImage), Sep(), Cmd(ProcessingClear), Sep(), Cmd(ColorDistribution),
};
constexpr MenuItem kMeasureMenu[] = {
    Cmd(MeasureTwoPointDistance), Cmd(MeasureVerticalDistance), Cmd(MeasureArea), Cmd(MeasureAngle),
    Cmd(MeasureTwoLinesAngle), Cmd(MeasureTwoPointRadius), Cmd(MeasureThreePointRadius),
    Cmd(MeasureCenterDistance), Sep(), Cmd(MeasureClear), Sep(), Cmd(MeasureResult),
};
constexpr MenuItem kDrawMenu[] = {
    Cmd(DrawLine), Cmd(DrawRectangle), Cmd(DrawCircle), Cmd(DrawText), Sep(), Cmd(DrawClear),
};
constexpr MenuItem kSetupMenu[] = {Cmd(DrawSetup), Cmd(CalibrationSetup), Cmd(OtherSetup)};
// The open picture windows are listed below these entries by the window itself.
constexpr MenuItem kWindowMenu[] = {Cmd(WindowChange), Sep(), Cmd(WindowCascade), Cmd(WindowTile)};
constexpr MenuItem kHelpMenu[] = {Cmd(AppAbout)};

constexpr MenuId kMenuBar[] = {
    MenuId::File, MenuId::Edit, MenuId::View, MenuId::Roi, MenuId::ImageProcessing,
    MenuId::Measure, MenuId::Draw, MenuId::Setup, MenuId::Window, MenuId::Help,
};

struct MenuTitleEntry {
    MenuId menu;
    const char* title;
};
constexpr MenuTitleEntry kMenuTitles[] = {
    {MenuId::File, QT_TRANSLATE_NOOP("CommandTable", "&File")},
    {MenuId::Edit, QT_TRANSLATE_NOOP("CommandTable", "&Edit")},
    {MenuId::View, QT_TRANSLATE_NOOP("CommandTable", "&View")},
    {MenuId::Zoom, QT_TRANSLATE_NOOP("CommandTable", "&Zoom")},
    {MenuId::Roi, QT_TRANSLATE_NOOP("CommandTable", "&ROI")},
    {MenuId::ImageProcessing, QT_TRANSLATE_NOOP("CommandTable", "&Image Processing")},
    {MenuId::Measure, QT_TRANSLATE_NOOP("CommandTable", "&Measure")},
    {MenuId::Draw, QT_TRANSLATE_NOOP("CommandTable", "&Draw")},
    {MenuId::Setup, QT_TRANSLATE_NOOP("CommandTable", "&Setup")},
    {MenuId::Window, QT_TRANSLATE_NOOP("CommandTable", "&Window")},
    {MenuId::Help, QT_TRANSLATE_NOOP("CommandTable", "&Help")},
};

constexpr int kStandardButtons[] = {FileOpen, FileSave, 0, AppAbout, 0, WindowChange};
constexpr int kViewButtons[] = {
    ToggleOriginalLayer, ToggleProcessingLayer, ToggleMeasureLayer, ToggleDrawLayer, 0,
    ToggleScale, ToggleCenterLine, ToggleGrid, ToggleHorizontalLuminance, ToggleVerticalLuminance,
};
constexpr int kMeasureButtons[] = {
    MeasureTwoPointDistance, MeasureVerticalDistance, MeasureArea, MeasureAngle, MeasureTwoLinesAngle,
    MeasureTwoPointRadius, MeasureThreePointRadius, MeasureCenterDistance, 0, MeasureResult,
};
constexpr int kSelectButtons[] = {
    MouseZoom, 0, RoiRectangle, RoiEllipse, RoiPolygon, 0, DrawLine, DrawRectangle, DrawCircle, DrawText,
};

const ToolbarInfo kToolbars[] = {
    {ToolbarId::Standard, 128, QT_TRANSLATE_NOOP("CommandTable", "Standard"), "StandardToolBar", ToggleToolbar,
     kStandardButtons},
    {ToolbarId::View, 163, QT_TRANSLATE_NOOP("CommandTable", "View"), "ViewToolBar", ToggleViewToolbar, kViewButtons},
    {ToolbarId::Measure, 164, QT_TRANSLATE_NOOP("CommandTable", "Measure"), "MeasureToolBar", ToggleMeasureToolbar,
     kMeasureButtons},
    {ToolbarId::Select, 165, QT_TRANSLATE_NOOP("CommandTable", "Select"), "SelectToolBar", ToggleSelectToolbar,
     kSelectButtons},
};

// Ctrl+C and Ctrl+V toggle the centre line and the vertical luminance: the program has no
// clipboard commands, and users know these keys from the program's earlier versions.
constexpr Accelerator kAccelerators[] = {
    {"Ctrl+O", FileOpen},
    {"Ctrl+S", FileSave},
    {"Ctrl+Z", EditUndo},
    {"Alt+Backspace", EditUndo},
    {"Ctrl+Up", ZoomUp},
    {"Ctrl+Down", ZoomDown},
    {"Ctrl+L", ToggleScale},
    {"Ctrl+C", ToggleCenterLine},
    {"Ctrl+G", ToggleGrid},
    {"Ctrl+H", ToggleHorizontalLuminance},
    {"Ctrl+V", ToggleVerticalLuminance},
    {"F1", ToggleOriginalLayer},
    {"F2", ToggleProcessingLayer},
    {"F3", ToggleMeasureLayer},
    {"F4", ToggleDrawLayer},
    {"F12", WindowChange},
    {"Right", ScrollRight},
    {"Left", ScrollLeft},
    {"Down", ScrollDown},
    {"Up", ScrollUp},
};

std::string Translate(const char* context, const char* source) {
    if (!source) return {};
    return QCoreApplication::translate(context, source).toStdString();
}

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int id) {
    const auto it = std::lower_bound(std::begin(kCommands), std::end(kCommands), id,
                                     [](const CommandInfo& c, int wanted) { return c.id < wanted; });
    return (it != std::end(kCommands) && it->id == id) ? it : nullptr;
}

std::span<const MenuId> MenuBar() { return kMenuBar; }

std::span<const MenuItem> MenuItems(MenuId menu) {
    switch (menu) {
        case MenuId::File: return kFileMenu;
        case MenuId::Edit: return kEditMenu;
        case MenuId::View: return kViewMenu;
        case MenuId::Zoom: return kZoomMenu;
        case MenuId::Roi: return kRoiMenu;
        case MenuId::ImageProcessing: return kImageProcessingMenu;
        case MenuId::Measure: return kMeasureMenu;
        case MenuId::Draw: return kDrawMenu;
        case MenuId::Setup: return kSetupMenu;
        case MenuId::Window: return kWindowMenu;
        case MenuId::Help: return kHelpMenu;
        case MenuId::None: break;
    }
    return {};
}

int MenuPosition(MenuId menu, const MenuItem& item) {
    const std::span<const MenuItem> items = MenuItems(menu);
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& m = items[i];
        if (m.kind == item.kind && m.command == item.command && m.submenu == item.submenu &&
            item.kind != Kind::Separator) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool MenuNeedsImage(MenuId menu) {
    switch (menu) {
        case MenuId::Edit:
        case MenuId::Roi:
        case MenuId::ImageProcessing:
        case MenuId::Measure:
        case MenuId::Draw:
        case MenuId::Setup:
        case MenuId::Window:
        case MenuId::Zoom:
            return true;
        default:
            return false;
    }
}

std::span<const ToolbarInfo> Toolbars() { return kToolbars; }

const ToolbarInfo* FindToolbar(ToolbarId id) {
    for (const ToolbarInfo& t : kToolbars) {
        if (t.id == id) return &t;
    }
    return nullptr;
}

ToolbarId ToolbarOf(int command) {
    if (command == 0) return ToolbarId::None;
    for (const ToolbarInfo& t : kToolbars) {
        if (std::find(t.buttons.begin(), t.buttons.end(), command) != t.buttons.end()) return t.id;
    }
    return ToolbarId::None;
}

std::span<const Accelerator> Accelerators() { return kAccelerators; }

std::vector<std::string> AcceleratorsOf(int command) {
    std::vector<std::string> keys;
    for (const Accelerator& a : kAccelerators) {
        if (a.command == command) keys.emplace_back(a.keys);
    }
    return keys;
}

const char* MenuTitleSource(MenuId menu) {
    for (const MenuTitleEntry& e : kMenuTitles) {
        if (e.menu == menu) return e.title;
    }
    return nullptr;
}

std::string MenuTitle(MenuId menu) { return Translate("CommandTable", MenuTitleSource(menu)); }

std::string MenuText(int command) {
    const CommandInfo* info = FindCommand(command);
    return info ? Translate("CommandTable", info->menuText) : std::string();
}

std::string ToolbarTitle(ToolbarId toolbar) {
    const ToolbarInfo* info = FindToolbar(toolbar);
    return info ? Translate("CommandTable", info->title) : std::string();
}

std::string CommandStatusText(int command) {
    const std::string prompt = LoadString(command);
    return prompt.substr(0, prompt.find('\n'));
}

std::string CommandTooltip(int command) {
    const std::string prompt = LoadString(command);
    const size_t newline = prompt.find('\n');
    return newline == std::string::npos ? std::string() : prompt.substr(newline + 1);
}

}  // namespace tessmet
