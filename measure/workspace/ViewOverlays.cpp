#include "measure/workspace/ViewOverlays.h"

#include "measure/processing/PixelAccess.h"
#include "measure/workspace/ViewGeometry.h"

#include <vector>

namespace tessmet {
namespace {

void DrawLines(Canvas& canvas, const std::vector<QLine>& lines, const Stroke& stroke) {
    for (const QLine& l : lines) canvas.line({l.x1(), l.y1()}, {l.x2(), l.y2()}, stroke);
}

void DrawProfile(Canvas& canvas, const Profile& profile, const Stroke& stroke) {
    std::vector<Point> curve;
    curve.reserve(profile.curve.size());
    for (const QPoint& p : profile.curve) curve.push_back({p.x(), p.y()});
    canvas.polyline(curve, false, stroke);
    canvas.flush();
    canvas.line({profile.cursorLine.x1(), profile.cursorLine.y1()}, {profile.cursorLine.x2(), profile.cursorLine.y2()},
                stroke);
    canvas.flush();
}

}  // namespace

OverlayLook OverlayLookFrom(int32_t addUseXor, int32_t addColor, int32_t measArrow, const FontDescription& font) {
    OverlayLook look;
    look.useXor = addUseXor == 1;
    look.addColor = static_cast<ColorRef>(addColor) & 0xFFFFFFu;
    look.arrows = measArrow != 0;
    look.font = font;
    return look;
}

void DrawCentreAndGrid(Canvas& canvas, const OverlayScene& scene) {
    const Stroke solid = OverlayStroke(scene.look);
    if (scene.flags.centreLine) {
        DrawLines(canvas, CentreLines(scene.visible, scene.centreOffset.x(), scene.centreOffset.y()), solid);
        canvas.flush();
    }
    if (scene.flags.grid) {
        Stroke dotted = solid;
        dotted.style = PenStyle::Dot;
        DrawLines(canvas, GridLines(scene.visible, scene.gridDistance), dotted);
        canvas.flush();
    }
}

void DrawCursorOverlays(Canvas& canvas, const OverlayScene& scene, QPoint cursor, const Dib& original) {
    const Stroke stroke = OverlayStroke(scene.look);
    if (scene.flags.scale) {
        DrawLines(canvas, ScaleRuler(scene.calibration, scene.zoom, scene.image, scene.visible, cursor).lines, stroke);
        canvas.flush();
    }
    if (original.isNull()) return;
    const ViewMapping mapping(scene.image, scene.zoom);
    const int bits = original.bitsPerPixel();
    if (scene.flags.horizontalLuminance) {
        const int row = mapping.toImageY(cursor.y());
        DrawProfile(canvas,
                    HorizontalProfile(scene.zoom, scene.image, scene.visible, cursor,
                                      [&](int i) { return GreyLevel(original.pixel(i, row), bits); }),
                    stroke);
    }
    if (scene.flags.verticalLuminance) {
        const int column = mapping.toImageX(cursor.x());
        DrawProfile(canvas,
                    VerticalProfile(scene.zoom, scene.image, scene.visible, cursor,
                                    [&](int k) { return GreyLevel(original.pixel(column, k), bits); }),
                    stroke);
    }
}

}  // namespace tessmet
