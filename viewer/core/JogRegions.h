#pragma once

#include <array>
#include <span>
#include <string>

namespace lumora {

// The jog dial's five hit regions in control coordinates (the control is 300 x 306): four
// ring segments (0 top, 1 right, 2 bottom, 3 left) filled by the winding rule, and the round
// centre button (4). Pixels are tested the way the system's regions test them: a pixel (x, y)
// is inside when that integer point is, with left and top edges included and right and bottom
// edges excluded.

struct JogPoint {
    int x;
    int y;
};

inline constexpr int kJogWidth = 300;
inline constexpr int kJogHeight = 306;
inline constexpr int kJogRegionCount = 5;
inline constexpr int kJogNoRegion = -1;

inline constexpr std::array<JogPoint, 16> kJogTop = {{{83, 80}, {107, 63}, {130, 55}, {156, 53}, {178, 56}, {202, 66},
                                                      {220, 81}, {196, 104}, {189, 104}, {175, 115}, {158, 109},
                                                      {141, 110}, {128, 116}, {114, 103}, {107, 105}, {83, 80}}};
// The seventh point reaches back up to the top segment's corner; the winding rule keeps the
// sliver this folds in.
inline constexpr std::array<JogPoint, 14> kJogRight = {{{222, 81}, {243, 116}, {243, 183}, {221, 217}, {197, 194},
                                                        {202, 66}, {198, 186}, {186, 173}, {192, 160}, {192, 143},
                                                        {186, 126}, {199, 113}, {198, 106}, {222, 81}}};
inline constexpr std::array<JogPoint, 14> kJogBottom = {{{219, 219}, {191, 239}, {152, 247}, {117, 240}, {85, 218},
                                                         {108, 195}, {115, 196}, {128, 183}, {142, 191}, {158, 191},
                                                         {175, 184}, {189, 196}, {195, 195}, {219, 219}}};
inline constexpr std::array<JogPoint, 14> kJogLeft = {{{82, 217}, {62, 185}, {55, 137}, {65, 104}, {82, 82},
                                                       {83, 83}, {105, 113}, {118, 126}, {111, 139}, {111, 156},
                                                       {118, 174}, {105, 186}, {106, 193}, {82, 217}}};
// The centre button: the ellipse of the rectangle (118,118)-(184,184), right and bottom
// exclusive.
inline constexpr int kJogCentreLeft = 118;
inline constexpr int kJogCentreTop = 118;
inline constexpr int kJogCentreRight = 184;
inline constexpr int kJogCentreBottom = 184;

// The outline of ring segment 0 ... 3.
std::span<const JogPoint> JogSegment(int region);

// Winding-rule polygon test of the integer point (x, y), edges as above.
bool WindingPolygonContains(std::span<const JogPoint> polygon, int x, int y);

// Elliptic region of the rectangle left, top, right, bottom (right and bottom exclusive).
bool EllipseRegionContains(int left, int top, int right, int bottom, int x, int y);

bool JogRegionContains(int region, int x, int y);

// The first region (0 ... 4) containing (x, y) in jog mode 0 (live), 1 (still) or 2 (file);
// the centre counts only in modes 0 and 1. kJogNoRegion outside all of them.
int JogRegionAt(int x, int y, int jogMode);

// The jog mode after a release in `region`: the right segment (live) goes to mode 0, the left
// one (still) to mode 1, the others keep it.
int JogModeAfterRelease(int region, int jogMode);

// The picture the dial shows: with a hovered region that of the mode and region; otherwise
// mode 0 shows its right segment, mode 1 its left one and any other mode the idle picture.
std::string JogImageName(int jogMode, int hoveredRegion);
inline constexpr const char* kJogIdleImage = "btn0.bmp";
// "btn<mode + 1>_<region>.bmp".
std::string JogRegionImageName(int jogMode, int region);

}  // namespace lumora
