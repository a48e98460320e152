#pragma once

#include <QIcon>
#include <QImage>

namespace lumora {

// The main form's built-in button pictures, drawn in code so they stay sharp at any scale.
// The ids are the resource numbers the form has always used:
//   142 text colour, 143 fill colour, 144 line colour, 145 calibration,
//   146 select, 147 line, 148 rectangle, 149 ellipse, 150 polygon, 151 angle.
enum FormBitmapId {
    kBitmapTextColour = 142,
    kBitmapFillColour = 143,
    kBitmapLineColour = 144,
    kBitmapCalibration = 145,
    kBitmapToolSelect = 146,
    kBitmapToolLine = 147,
    kBitmapToolRectangle = 148,
    kBitmapToolEllipse = 149,
    kBitmapToolPolygon = 150,
    kBitmapToolAngle = 151,
};

// Logical size of the pictures: the colour pictures leave their lower rows (17 to 21) to the
// colour strip the colour button paints.
inline constexpr int kFormBitmapSize = 22;

// The picture at `scale` device pixels per logical pixel (1 or 2); a null image for an unknown
// id. The image carries its device pixel ratio.
QImage FormBitmap(int id, int scale = 1);

// Both scales in one icon, for the tool and calibration buttons.
QIcon FormBitmapIcon(int id);

}  // namespace lumora
