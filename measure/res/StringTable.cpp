#include "measure/res/StringTable.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>
#include <vector>

namespace tessmet {
namespace {

struct Entry {
    int id;
    const char* text;
};

// Sorted by id (a test checks). The texts are the program's own wording and stay exactly as they are: users
// and their scripts compare them.
constexpr Entry kStrings[] = {
    {10001, QT_TRANSLATE_NOOP("StringTable", "The picture file which can be opened on a screen is 64 pictures.")},
    {10002, QT_TRANSLATE_NOOP("StringTable", "The file is not opened.")},
    {10003, QT_TRANSLATE_NOOP("StringTable", "It does not correspond to the bitmap file of 16 and 256 colors.")},
    {10004, QT_TRANSLATE_NOOP("StringTable", "The display magnification is returned to a default.")},
    {10005, QT_TRANSLATE_NOOP("StringTable", "Since a setup is reflected, a screen is redrawn.")},
    {10006, QT_TRANSLATE_NOOP("StringTable", "  Double click ends selection")},
    {10007, QT_TRANSLATE_NOOP("StringTable", "  Two specified straight lines are parallel")},
    {10008, QT_TRANSLATE_NOOP("StringTable", "  The angle of two straight lines is too small")},
    {10009, QT_TRANSLATE_NOOP("StringTable", "The system font was changed. A screen is reconstructed.")},
    {10010, QT_TRANSLATE_NOOP("StringTable", "May I overwrite preservation of the picture file?")},
    {10011, QT_TRANSLATE_NOOP("StringTable", "The ROI has not been setup.")},
    {10031, QT_TRANSLATE_NOOP("StringTable", "Resolution")},
    {10032, QT_TRANSLATE_NOOP("StringTable", "Horz")},
    {10033, QT_TRANSLATE_NOOP("StringTable", "Vert")},
    {10034, QT_TRANSLATE_NOOP("StringTable", "Scale Pitch")},
    {10035, QT_TRANSLATE_NOOP("StringTable", "Resolution has not setup")},
    {10051, QT_TRANSLATE_NOOP("StringTable", "Start Calibration.")},
    {10052, QT_TRANSLATE_NOOP("StringTable", "Calibration was ended normally.")},
    {10053, QT_TRANSLATE_NOOP("StringTable", "Since it is the midst of a calibration, a program cannot be ended.\nPlease push an ESC key, for escaping from a calibration mode.")},
    {10054, QT_TRANSLATE_NOOP("StringTable", "Is it interrupted although it is the midst of a calibration?")},
    {10055, QT_TRANSLATE_NOOP("StringTable", "Calibration went wrong. Please perform a calibration again.")},
    {10056, QT_TRANSLATE_NOOP("StringTable", "Calibration is performed.")},
    {10057, QT_TRANSLATE_NOOP("StringTable", "Please setup the 1st object.")},
    {10058, QT_TRANSLATE_NOOP("StringTable", "Please setup the 2nd object succeedingly.")},
    {10059, QT_TRANSLATE_NOOP("StringTable", "Please setup to attach the degree of angle with the straight line set as the 1st.")},
    {11001, QT_TRANSLATE_NOOP("StringTable", "Zoom Display")},
    {12001, QT_TRANSLATE_NOOP("StringTable", "Solid line")},
    {12002, QT_TRANSLATE_NOOP("StringTable", "Dash line")},
    {12003, QT_TRANSLATE_NOOP("StringTable", "Dot line")},
    {12004, QT_TRANSLATE_NOOP("StringTable", "Dash dot line")},
    {12005, QT_TRANSLATE_NOOP("StringTable", "Dash dot dot line")},
    {12006, QT_TRANSLATE_NOOP("StringTable", "When line width is except one, it becomes a solid line.")},
    {12051, QT_TRANSLATE_NOOP("StringTable", "2 Point Distance")},
    {12052, QT_TRANSLATE_NOOP("StringTable", "Vertical Distance")},
    {12053, QT_TRANSLATE_NOOP("StringTable", "Area")},
    {12054, QT_TRANSLATE_NOOP("StringTable", "Angle")},
    {12055, QT_TRANSLATE_NOOP("StringTable", "2 Lines Angle")},
    {12056, QT_TRANSLATE_NOOP("StringTable", "2 Point Radius")},
    {12057, QT_TRANSLATE_NOOP("StringTable", "3 Point Radius")},
    {12058, QT_TRANSLATE_NOOP("StringTable", "Center Distance")},
    {12061, QT_TRANSLATE_NOOP("StringTable", "Distance")},
    {12062, QT_TRANSLATE_NOOP("StringTable", "Distance")},
    {12063, QT_TRANSLATE_NOOP("StringTable", "Area")},
    {12064, QT_TRANSLATE_NOOP("StringTable", "Angle[degree]")},
    {12065, QT_TRANSLATE_NOOP("StringTable", "Angle[degree]")},
    {12066, QT_TRANSLATE_NOOP("StringTable", "Radius")},
    {12067, QT_TRANSLATE_NOOP("StringTable", "Radius")},
    {12068, QT_TRANSLATE_NOOP("StringTable", "Distance")},
    {12101, QT_TRANSLATE_NOOP("StringTable", "The magnification file was loaded normally.")},
    {12102, QT_TRANSLATE_NOOP("StringTable", "Loading of a magnification file went wrong.")},
    {12103, QT_TRANSLATE_NOOP("StringTable", "A magnification file does not exist.")},
    {12104, QT_TRANSLATE_NOOP("StringTable", "Can not find magnification file.")},
    {12105, QT_TRANSLATE_NOOP("StringTable", "Do you save at a setting file and end?")},
    {12111, QT_TRANSLATE_NOOP("StringTable", "Please set numerical values other than zero to resolution.")},
    {12121, QT_TRANSLATE_NOOP("StringTable", "Zero are set as measurement distance.\nPlease set numerical values other than zero to measurement distance.")},

    // Command prompts, keyed by command id: the status-bar help, then after '\n' the tooltip.
    {32771, QT_TRANSLATE_NOOP("StringTable", "Enlarges the display magnification\nZoom Up")},
    {32772, QT_TRANSLATE_NOOP("StringTable", "Reduces the display magnification\nZoom Down")},
    {32773, QT_TRANSLATE_NOOP("StringTable", "Display a magnification setup dialog\nZoom - Magnification Setup")},
    {32774, QT_TRANSLATE_NOOP("StringTable", "Zooms with the mouse: left click enlarges, right click reduces\nMouse Zoom")},
    {32775, QT_TRANSLATE_NOOP("StringTable", "Display zoom window\nZoom - Window")},
    {32776, QT_TRANSLATE_NOOP("StringTable", "Show or hide the scale\nToggle Scale")},
    {32777, QT_TRANSLATE_NOOP("StringTable", "Show or hide the vertical luminance\nToggle Vertical Luminance")},
    {32778, QT_TRANSLATE_NOOP("StringTable", "Show or hide the horizontal luminance\nToggle Horizontal Luminance")},
    {32779, QT_TRANSLATE_NOOP("StringTable", "Show or hide the center line\nToggle Center Line")},
    {32780, QT_TRANSLATE_NOOP("StringTable", "Show or hide the grid line\nToggle Grid Line")},
    {32781, QT_TRANSLATE_NOOP("StringTable", "Show or hide the original picture layer\nToggle Original Picture Layer")},
    {32782, QT_TRANSLATE_NOOP("StringTable", "Show or hide the image processing layer\nToggle Image Processing Layer")},
    {32783, QT_TRANSLATE_NOOP("StringTable", "Show or hide the draw layer\nToggle Draw Layer")},
    {32784, QT_TRANSLATE_NOOP("StringTable", "Show or hide the measure layer\nToggle Measure Layer")},
    {32785, QT_TRANSLATE_NOOP("StringTable", "Show or hide the view toolbar\nToggle View ToolBar")},
    {32786, QT_TRANSLATE_NOOP("StringTable", "Show or hide the measure toolbar\nToggle Measure ToolBar")},
    {32787, QT_TRANSLATE_NOOP("StringTable", "Show or hide the select toolbar\nToggle Select ToolBar")},
    {32791, QT_TRANSLATE_NOOP("StringTable", "Image is binarizd\nImage Processing - Binary Image")},
    {32792, QT_TRANSLATE_NOOP("StringTable", "The center of a image is detected\nImage Processing - Detect Center")},
    {32793, QT_TRANSLATE_NOOP("StringTable", "Image is grayed\nImage Processing - Gray Image")},
    {32794, QT_TRANSLATE_NOOP("StringTable", "Display color distribution\nImage Processing - Display Color Distribution")},
    {32795, QT_TRANSLATE_NOOP("StringTable", "The image processing layer is cleared\nImage Processing - Clear")},
    {32801, QT_TRANSLATE_NOOP("StringTable", "Measures by 2 point distance type\nMeasure - 2 Point Distance")},
    {32802, QT_TRANSLATE_NOOP("StringTable", "Measures by vertical distance type\nMeasure - Vertical Distance")},
    {32803, QT_TRANSLATE_NOOP("StringTable", "Measures by area type\nMeasure - Area")},
    {32804, QT_TRANSLATE_NOOP("StringTable", "Measures by angle type\nMeasure - Angle")},
    {32805, QT_TRANSLATE_NOOP("StringTable", "Measures by 2 lines angle type\nMeasure - 2 Lines Angle")},
    {32806, QT_TRANSLATE_NOOP("StringTable", "Measures by 2 point radius type\nMeasure - 2 Point Radius")},
    {32807, QT_TRANSLATE_NOOP("StringTable", "Measures by 3 point radius type\nMeasure - 3 Point Radius")},
    {32808, QT_TRANSLATE_NOOP("StringTable", "Measures by center distance type\nMeasure - Center Distance")},
    {32809, QT_TRANSLATE_NOOP("StringTable", "All measurements are cleared\nMeasure - Clear")},
    {32810, QT_TRANSLATE_NOOP("StringTable", "Show or hide the measure result dialog\nToggle Measure Result")},
    {32831, QT_TRANSLATE_NOOP("StringTable", "Draws a line (with Ctrl: input by coordinates)\nDraw - Line")},
    {32832, QT_TRANSLATE_NOOP("StringTable", "Draws a rectangle (with Ctrl: input by coordinates)\nDraw - Rectangular")},
    {32833, QT_TRANSLATE_NOOP("StringTable", "Draws a circle (with Ctrl: input by coordinates)\nDraw - Circle")},
    {32834, QT_TRANSLATE_NOOP("StringTable", "Draws a text (with Ctrl: input by coordinates)\nDraw - Text")},
    {32835, QT_TRANSLATE_NOOP("StringTable", "All drawings are cleared\nDraw - Clear")},
    {32841, QT_TRANSLATE_NOOP("StringTable", "Display a draw setup dialog\nSetup - Draw Setup")},
    {32842, QT_TRANSLATE_NOOP("StringTable", "Display a Calibration setup dialog\nSetup - Calibration Setup")},
    {32843, QT_TRANSLATE_NOOP("StringTable", "Display a other setup dialog\nSetup - Other Setup")},
    {32851, QT_TRANSLATE_NOOP("StringTable", "Sets a rectangular ROI (with Ctrl: input by coordinates)\nROI - Rectangular Type")},
    {32852, QT_TRANSLATE_NOOP("StringTable", "Sets an ellipse ROI (with Ctrl: input by coordinates)\nROI - Ellipse Type")},
    {32853, QT_TRANSLATE_NOOP("StringTable", "Sets a polygon ROI; a double click ends selection\nROI - Polygon Type")},
    {32854, QT_TRANSLATE_NOOP("StringTable", "The ROI is returned to the whole image\nROI - Clear")},
    {33001, QT_TRANSLATE_NOOP("StringTable", "Save the picture with its measurements and drawings over its file\nSave")},
    {33002, QT_TRANSLATE_NOOP("StringTable", "Save the picture with its measurements and drawings under a new name\nSave As")},
    {33003, QT_TRANSLATE_NOOP("StringTable", "Close all pictures\nClose All")},
    {33101, QT_TRANSLATE_NOOP("StringTable", "Scrolls the picture to the right\nScroll Right")},
    {33102, QT_TRANSLATE_NOOP("StringTable", "Scrolls the picture to the left\nScroll Left")},
    {33103, QT_TRANSLATE_NOOP("StringTable", "Scrolls the picture down\nScroll Down")},
    {33104, QT_TRANSLATE_NOOP("StringTable", "Scrolls the picture up\nScroll Up")},
    {35001, QT_TRANSLATE_NOOP("StringTable", "Activates the next picture window\nWindow Change")},
    {57345, QT_TRANSLATE_NOOP("StringTable", "Ready")},
    {57601, QT_TRANSLATE_NOOP("StringTable", "Open a picture file\nOpen")},
    {57616, QT_TRANSLATE_NOOP("StringTable", "Open this picture")},
    {57617, QT_TRANSLATE_NOOP("StringTable", "Open this picture")},
    {57618, QT_TRANSLATE_NOOP("StringTable", "Open this picture")},
    {57619, QT_TRANSLATE_NOOP("StringTable", "Open this picture")},
    {57643, QT_TRANSLATE_NOOP("StringTable", "Undo the last measurement or drawing\nUndo")},
    {57650, QT_TRANSLATE_NOOP("StringTable", "Arrange the picture windows so they overlap\nCascade Windows")},
    {57651, QT_TRANSLATE_NOOP("StringTable", "Arrange the picture windows as tiles\nTile Windows")},
    {57664, QT_TRANSLATE_NOOP("StringTable", "Display program information and version\nAbout")},
    {57665, QT_TRANSLATE_NOOP("StringTable", "Quit the application\nExit")},
    {59392, QT_TRANSLATE_NOOP("StringTable", "Show or hide the toolbar\nToggle ToolBar")},
    {59393, QT_TRANSLATE_NOOP("StringTable", "Show or hide the status bar\nToggle StatusBar")},
};

const Entry* Find(int id) {
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const Entry& e, int wanted) { return e.id < wanted; });
    return (it != std::end(kStrings) && it->id == id) ? it : nullptr;
}

}  // namespace

std::string SourceString(int id) {
    const Entry* entry = Find(id);
    return entry ? entry->text : std::string();
}

std::vector<int> AllStringIds() {
    std::vector<int> ids;
    ids.reserve(std::size(kStrings));
    for (const Entry& e : kStrings) ids.push_back(e.id);
    return ids;
}

std::string LoadString(int id) {
    const Entry* entry = Find(id);
    if (!entry) return {};
    return QCoreApplication::translate("StringTable", entry->text).toStdString();
}

}  // namespace tessmet
