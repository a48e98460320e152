#pragma once

#include <QFont>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

namespace lumora {

struct ViewerSettings;

// What an image pane draws over a live picture or burns into a capture: the grid, the centre
// line, the L-shaped scale with its label, the magnification bar with its marker and the
// magnification data box. The shapes are pure functions of the settings, the magnification and
// the frame size, in the pixels of a 640 x 480 frame or scaled for the larger stills.
//
// Rectangles here follow the window system's convention (left, top, right, bottom with right
// and bottom outside): they are made with WinRect and their right()/bottom() are the last
// pixels inside.

// The frame sizes of the four still resolutions, by index 0..3: 640 x 480, 800 x 600,
// 1280 x 960 and 1600 x 1200 (640 x 480 for any other index), and the factors the overlays
// grow by: 1.0, 1.25, 2.0, 2.5 (1.0 otherwise).
QSize ResolutionFrameSize(int index);
double ResolutionFactor(int index);
// The resolution index of a frame width; -1 for a width that is not one of the four.
int ResolutionIndexOfWidth(int width);

// The rectangle (left, top, right, bottom).
inline QRect WinRect(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// 0x00BBGGRR colour references as the settings hold them.
inline constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16;
}

struct GridStyle {
    int penStyle = 0;  // 0 solid .. 4 dash-dot-dot
    int width = 1;
    uint32_t colour = Rgb(200, 200, 200);
    int horizontalPitch = 80;
    int verticalPitch = 80;
    bool horizontalInPixels = true;  // else the pitch is a number of divisions
    bool verticalInPixels = true;
    bool square = false;
};

struct CentreLineStyle {
    int penStyle = 0;
    int width = 1;
    uint32_t colour = Rgb(255, 0, 0);
};

struct ScaleStyle {
    QPoint anchor{630, 470};  // the corner of the L, frame pixels
    int length = 112;         // the arm length
    QString text = QStringLiteral("100 mm");
    uint32_t lineColour = Rgb(0, 200, 0);
    uint32_t textColour = Rgb(0, 200, 0);
    uint32_t barColour = Rgb(180, 180, 0);
};

// Everything the overlays are drawn with.
struct OverlayStyle {
    GridStyle grid;
    CentreLineStyle centreLine;
    ScaleStyle scale;
};

struct OverlaySwitches {
    bool grid = false;
    bool centreLine = false;
    bool scale = false;
    bool magBar = false;
    bool magData = false;
};

// The colours, widths and grid pitch the settings give (the scale's anchor, length and text
// stay as they are in `style`). GRID_LINE SPACE_INDEX "0" gives a pitch of 160 pixels, "1" 80,
// any other text 40.
OverlayStyle StyleFromSettings(const ViewerSettings& settings, const OverlayStyle& style);

// --- Shapes -------------------------------------------------------------------------------

// The grid lines for a frame of resolution `index`. The last line of each run lies beyond
// the frame: the runs stop after drawing the first position past its edge. A pitch that
// gives no step (0 pixels, or 0 divisions) draws no run at all.
std::vector<QLine> GridLines(const GridStyle& grid, int index);

// The vertical and the horizontal centre line at `factor`.
std::array<QLine, 2> CentreLines(double factor);

struct ScaleShape {
    std::array<QLine, 4> lines;  // the two arms, then the ticks across their free ends
    QRect label;                 // the label box the text is centred in
};
// The scale with its corner at `anchor` and arms of `length`, for resolution `index`
// (-1 and 0 both stand for the live 640 x 480 frame); nothing for any other index.
std::optional<ScaleShape> ScaleGeometry(QPoint anchor, int length, int index);

// The label box in frame pixels: where a press starts dragging the scale.
QRect ScaleLabelBox(QPoint anchor, int length);
// The box at the corner in which a right release shows no menu.
QRect ScaleCornerBox(QPoint anchor);
// The anchor kept inside the frame: x <= 630 and y <= 470 first, then x, y >= length + 10.
QPoint ClampScaleAnchor(QPoint anchor, int length);

// Where the magnification bar's marker centres for magnification m (> 0), in 640 x 480 frame
// pixels: on the bar's scale of 20 at 390 up to 500 at 40; above 500 at 0.
double MagBarMarkerY(int magnification);

struct TextBox {
    QRect box;
    QString text;
};

struct MagBarShape {
    QRect outline;
    std::array<TextBox, 7> labels;  // left-aligned, vertically centred
    std::array<QRect, 2> circles;   // the two small circles under the bar
    std::optional<QRect> marker;    // only for a magnification above 0
};
MagBarShape MagBarGeometry(double factor, int magnification);

struct MagDataShape {
    TextBox cross;                 // "X", left-aligned
    QRect frame;
    std::optional<TextBox> number; // right-aligned, for a magnification above 4
    std::optional<std::array<QRect, 2>> circles;  // for 1..4
};
// Nothing for an index outside 0..3.
std::optional<MagDataShape> MagDataGeometry(int index, int magnification);

// --- Drawing --------------------------------------------------------------------------------

void DrawGrid(QPainter& painter, const GridStyle& grid, int index);
void DrawCentreLine(QPainter& painter, const CentreLineStyle& centre, double factor);
void DrawScale(QPainter& painter, const ScaleStyle& scale, int length, int index);
void DrawMagBar(QPainter& painter, const ScaleStyle& scale, double factor, int magnification);
void DrawMagData(QPainter& painter, const ScaleStyle& scale, int index, int magnification);

// The font overlay labels are written in: the same pixel size at every resolution.
QFont OverlayFont();

}  // namespace lumora
