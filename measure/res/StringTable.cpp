#include "measure/res/StringTable.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace tessmet {
namespace {

struct Entry {
    int id;
    const char* text;
};

// Sorted by id. The texts are the program's own wording and stay exactly as they are: users
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

std::string LoadString(int id) {
    const Entry* entry = Find(id);
    if (!entry) return {};
    return QCoreApplication::translate("StringTable", entry->text).toStdString();
}

}  // namespace tessmet
