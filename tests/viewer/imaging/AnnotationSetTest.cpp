#include "viewer/imaging/DrawAngleObj.h"
#include "viewer/imaging/DrawEllipseObj.h"
#include "viewer/imaging/DrawLineObj.h"
#include "viewer/imaging/DrawObj.h"
#include "viewer/imaging/DrawPolygonObj.h"
#include "viewer/imaging/DrawRectangleObj.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <numbers>
#include <string>

using namespace lumora;

namespace {

// An annotation set with its templates, a calibration in millimetres and a Shift key the test
// holds or releases.
class AnnotationSet : public ::testing::Test {
public:
    void SetUp() override {
        set.CreateTemplates();
        set.SetShiftQuery([this] { return shift; });
        Calibrate(0.5, 1);
    }
    void Calibrate(double pixelLength, int decimals) {
        set.SetCalibration(pixelLength, "degree", "mm2", "mm", "mm2", "mm2", decimals, 1, 1);
    }
    void AddLine(QPoint a, QPoint b) {
        set.LineStart(a.x(), a.y());
        set.LineFinish(b.x(), b.y());
    }
    void AddRectangle(QPoint a, QPoint b) {
        set.RectangleStart(a.x(), a.y());
        set.RectangleFinish(b.x(), b.y());
    }
    std::string TextOf(size_t i) const { return set.Annotations().at(i)->ValueText().toStdString(); }
    const CDrawObj& At(size_t i) const { return *set.Annotations().at(i); }

    CDrawObj set;
    bool shift = false;
};

TEST_F(AnnotationSet, TextsOfFinishedShapes) {
    const struct {
        const char* name;
        double pixelLength;
        int decimals;
        void (*draw)(AnnotationSet&);
        double pixels;
        const char* text;
    } cases[] = {
        {"line_3_4_5", 0.5, 1, [](AnnotationSet& t) { t.AddLine({0, 0}, {3, 4}); }, 5, "2.5 mm"},
        {"line_unit_diagonal", 0.5, 1, [](AnnotationSet& t) { t.AddLine({0, 0}, {1, 1}); }, 1, "0.5 mm"},
        {"rectangle", 0.1, 2, [](AnnotationSet& t) { t.AddRectangle({10, 10}, {20, 30}); }, 200, "2.00 mm2"},
        {"rectangle_drawn_backwards", 0.1, 2, [](AnnotationSet& t) { t.AddRectangle({20, 30}, {10, 10}); }, 200,
         "2.00 mm2"},
        {"rectangle_like_polygon", 1.0, 0,
         [](AnnotationSet& t) {
             t.set.PolygonAddVertex(10, 10);
             t.set.PolygonAddVertex(30, 10);
             t.set.PolygonAddVertex(30, 20);
             t.set.PolygonFloat(10, 20);
             t.set.PolygonClose(10, 20);
         },
         200, "200 mm2"},
        {"circle", 1.0, 0,
         [](AnnotationSet& t) {
             t.set.EllipseStart(0, 0);
             t.set.EllipseFinish(12, 12);
         },
         97, "97 mm2"},
        {"angle", 1.0, 0,
         [](AnnotationSet& t) {
             t.set.AnglePress(100, 0);
             t.set.AngleDrag(0, 0);
             t.set.AngleRelease(0, 0);
             t.set.AnglePress(0, 100);
             t.set.AngleRelease(0, 100);
         },
         std::numbers::pi / 2, "90 degree"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        set.Clear(false);
        Calibrate(c.pixelLength, c.decimals);
        c.draw(*this);
        ASSERT_EQ(set.Annotations().size(), 1u);
        EXPECT_DOUBLE_EQ(At(0).PixelMeasure(), c.pixels);
        EXPECT_EQ(TextOf(0), c.text);
    }
}

TEST_F(AnnotationSet, ShiftSnapsLinesAndSquares) {
    shift = true;
    set.LineStart(100, 100);
    set.LineDrag(150, 145);
    EXPECT_EQ(set.LineTemplate()->m_p2, QPoint(145, 145)) << "the rubber band snaps too";
    set.LineFinish(150, 145);
    set.RectangleStart(0, 0);
    set.RectangleFinish(40, 25);
    set.EllipseStart(0, 0);
    set.EllipseFinish(-10, 30);
    shift = false;
    set.LineStart(0, 0);
    set.LineFinish(50, 45);
    ASSERT_EQ(set.Annotations().size(), 4u);
    EXPECT_EQ(At(0).m_p2, QPoint(145, 145));
    EXPECT_EQ(At(1).m_p2, QPoint(25, 25));
    EXPECT_EQ(At(2).m_p2, QPoint(-10, 10));
    EXPECT_EQ(At(3).m_p2, QPoint(50, 45));
}

TEST_F(AnnotationSet, DegenerateShapesAreNotCreated) {
    AddLine({5, 5}, {5, 5});
    AddRectangle({5, 5}, {5, 5});
    set.EllipseStart(7, 7);
    set.EllipseFinish(7, 7);
    // Two vertices only: discarded, and the template's vertices are gone.
    set.PolygonAddVertex(0, 0);
    set.PolygonAddVertex(10, 0);
    set.PolygonClose(10, 0);
    EXPECT_EQ(set.PolygonVertexCount(), 0);
    // An angle whose first arm has length 0 is dropped.
    EXPECT_EQ(set.AnglePress(3, 3), 1);
    EXPECT_EQ(set.AngleRelease(3, 3), 2);
    EXPECT_EQ(set.AngleTemplate()->m_active, 0);
    EXPECT_TRUE(set.Annotations().empty());
    EXPECT_EQ(set.LineTemplate()->m_active, 0);
    EXPECT_EQ(set.RectangleTemplate()->m_active, 0);
    EXPECT_EQ(set.EllipseTemplate()->m_active, 0);
}

TEST_F(AnnotationSet, FinishedShapesCopyTheTemplateProperties) {
    set.SetLineColor(0x0000FF);
    set.SetTextColor(0x00FF00);
    set.SetFillColor(0x123456);
    set.SetLineWidth(3);
    set.SetArrowStyle(2);
    AddLine({0, 0}, {10, 0});
    AddRectangle({0, 0}, {10, 10});
    set.SetFillColor(kNoFillColour);
    AddRectangle({0, 0}, {10, 10});
    const CDrawObj& line = At(0);
    EXPECT_EQ(line.m_lineColour, 0x0000FFu);
    EXPECT_EQ(line.m_textColour, 0x00FF00u);
    EXPECT_EQ(line.m_penWidth, 3);
    EXPECT_EQ(line.m_arrowStyle, 2);
    EXPECT_EQ(line.m_completed, 1);
    EXPECT_EQ(line.m_active, 1);
    EXPECT_EQ(At(1).m_fill, 1);
    EXPECT_EQ(At(1).m_fillColour, 0x123456u);
    EXPECT_EQ(At(2).m_fill, 0) << "the no-fill colour turns the fill off";
    EXPECT_EQ(At(1).m_fill, 1) << "annotations keep their properties";
}

TEST_F(AnnotationSet, HitTestPicksTheNearestAndTheEarlierOnATie) {
    EXPECT_EQ(set.HitTest(0, 0, 100), nullptr) << "empty list";
    AddLine({0, 0}, {20, 0});      // anchor (10, 0)
    AddLine({0, 20}, {20, 20});    // anchor (10, 20)
    AddRectangle({30, 0}, {50, 20});  // anchor (40, 10)
    const struct {
        QPoint at;
        double limit;
        int picked;  // -1 none
    } cases[] = {
        {{10, 10}, 80, 0},   // equally near to both lines: the earlier
        {{10, 11}, 80, 1},
        {{39, 10}, 80, 2},
        {{10, 10}, 9.99, -1},  // nearest beyond the limit
        {{10, 10}, 10, 0},     // at the limit
    };
    for (const auto& c : cases) {
        CDrawObj* picked = set.HitTest(c.at.x(), c.at.y(), c.limit);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(At(i).m_selected, int(i) == c.picked ? 1 : 0) << c.at.x() << "," << c.at.y() << " #" << i;
        }
        EXPECT_EQ(picked, c.picked < 0 ? nullptr : &At(size_t(c.picked)));
    }
    set.DeselectAll();
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(At(i).m_selected, 0);
}

TEST_F(AnnotationSet, DeleteAndUndelete) {
    AddLine({0, 0}, {20, 0});    // A, anchor (10, 0)
    AddLine({0, 20}, {20, 20});  // B, anchor (10, 20)
    AddLine({0, 40}, {20, 40});  // C, anchor (10, 40)
    const CDrawObj* a = &At(0);
    const CDrawObj* b = &At(1);
    const CDrawObj* c = &At(2);
    set.DeleteNearest(10, 21, 5);
    set.DeleteNearest(10, 100, 5);  // too far: nothing
    ASSERT_EQ(set.Annotations().size(), 2u);
    EXPECT_EQ(set.DeletedStack().back().get(), b);
    set.DeleteNearest(10, 0, 20000);
    set.Undelete();  // A comes back first, at the end
    ASSERT_EQ(set.Annotations().size(), 2u);
    EXPECT_EQ(&At(0), c);
    EXPECT_EQ(&At(1), a);
    set.Undelete();
    EXPECT_EQ(&At(2), b);
    set.Undelete();  // empty stack: nothing
    EXPECT_EQ(set.Annotations().size(), 3u);
}

TEST_F(AnnotationSet, ClearWithKeepThenUndeleteRestoresTheFirst) {
    AddLine({0, 0}, {20, 0});
    AddLine({0, 20}, {20, 20});
    AddRectangle({0, 0}, {5, 5});
    const CDrawObj* first = &At(0);
    const CDrawObj* second = &At(1);
    set.Clear(true);
    EXPECT_TRUE(set.Annotations().empty());
    EXPECT_EQ(set.DeletedStack().size(), 3u);
    set.Undelete();
    ASSERT_EQ(set.Annotations().size(), 1u);
    EXPECT_EQ(&At(0), first);
    set.Undelete();
    EXPECT_EQ(&At(1), second);
    // Without keep everything goes, the deleted ones too.
    set.Clear(false);
    set.Undelete();
    EXPECT_TRUE(set.Annotations().empty());
    EXPECT_TRUE(set.DeletedStack().empty());
}

TEST_F(AnnotationSet, NewCalibrationChangesEveryText) {
    AddLine({0, 0}, {3, 4});
    AddRectangle({10, 10}, {20, 30});
    set.AnglePress(100, 0);
    set.AngleDrag(0, 0);
    set.AngleRelease(0, 0);
    set.AnglePress(0, 100);
    set.AngleRelease(0, 100);
    set.DeleteNearest(15, 20, 1);  // the rectangle waits on the deleted stack
    EXPECT_EQ(TextOf(0), "2.5 mm");
    set.SetCalibration(2.0, "deg", "um2", "um", "um2", "um2", 0, 2, 5);
    EXPECT_EQ(TextOf(0), "10 um");
    EXPECT_EQ(At(0).m_arrowStyle, 2);
    EXPECT_EQ(At(0).m_penWidth, 1) << "pen widths of existing annotations stay";
    EXPECT_EQ(TextOf(1), "90 deg");
    set.Undelete();
    EXPECT_EQ(TextOf(2), "800 um2");
    // Templates: angles read in whole degrees, the others with the decimals; all the new width.
    EXPECT_EQ(set.AngleTemplate()->m_decimals, 0);
    EXPECT_EQ(set.PolygonTemplate()->m_decimals, 0);
    EXPECT_EQ(set.EllipseTemplate()->m_unit.toStdString(), "um2");
    EXPECT_EQ(set.LineTemplate()->m_arrowStyle, 2);
    EXPECT_EQ(set.RectangleTemplate()->m_penWidth, 5);
}

TEST_F(AnnotationSet, AngleToolStages) {
    EXPECT_EQ(set.AngleCancel(), 0) << "nothing waiting";
    EXPECT_EQ(set.AnglePress(50, 50), 1);
    set.AngleDrag(150, 50);
    EXPECT_EQ(set.AngleRelease(150, 50), 1);
    EXPECT_EQ(set.AngleTemplate()->m_thirdPoint, 1);
    EXPECT_EQ(set.AnglePress(150, 150), 2);
    set.AngleDrag(150, 0);
    EXPECT_EQ(set.AngleTemplate()->m_p3, QPoint(150, 0));
    EXPECT_EQ(set.AngleRelease(150, 0), 1);
    ASSERT_EQ(set.Annotations().size(), 1u);
    const auto& angle = static_cast<const CDrawAngleObj&>(At(0));
    EXPECT_EQ(angle.m_p1, QPoint(50, 50));
    EXPECT_EQ(angle.m_p2, QPoint(150, 50));
    EXPECT_EQ(angle.m_p3, QPoint(150, 0));
    EXPECT_EQ(angle.ValueText().toStdString(), "90 degree");
    EXPECT_EQ(angle.GetAnchor(), QPoint(150, 50));
    EXPECT_EQ(set.AngleTemplate()->m_p1, kUnsetPoint);
    EXPECT_EQ(set.AngleTemplate()->m_thirdPoint, 0);

    // Cancelling while the third point is placed drops the angle.
    set.AnglePress(0, 0);
    set.AngleDrag(10, 0);
    set.AngleRelease(10, 0);
    EXPECT_NE(set.AngleCancel(), 0);
    EXPECT_EQ(set.AngleTemplate()->m_p2, kUnsetPoint);
    EXPECT_EQ(set.AngleCancel(), 0);
    EXPECT_EQ(set.Annotations().size(), 1u);
}

TEST_F(AnnotationSet, AngleOverAFileTakesItsDirectionsFromTheMappedPoints) {
    // Image pixels shown at twice the width and the same height: an angle of 45 degrees in the
    // picture opens narrower on the screen, and the screen's value is the one shown.
    const PointMapping mapping{0, 0, 2.0, 1.0};
    set.AnglePress(0, 100);
    EXPECT_EQ(set.AngleRelease(0, 100, mapping), 2) << "release on the first point: no first arm";
    set.AnglePress(0, 100);
    EXPECT_EQ(set.AngleRelease(100, 100, mapping), 1);
    EXPECT_EQ(set.AnglePress(0, 0), 2);
    EXPECT_EQ(set.AngleRelease(0, 0, mapping), 1);
    ASSERT_EQ(set.Annotations().size(), 1u);
    EXPECT_EQ(TextOf(0), "27 degree");  // atan(100 / 200) = 26.57 degrees, not 45
}

TEST_F(AnnotationSet, PolygonToolVertices) {
    EXPECT_EQ(set.PolygonRemoveLast(), -1);
    set.PolygonAddVertex(10, 10);
    set.PolygonAddVertex(10, 10);
    EXPECT_EQ(set.PolygonVertexCount(), 1) << "the same point twice makes one vertex";
    set.PolygonAddVertex(50, 10);
    set.PolygonAddVertex(50, 40);
    EXPECT_EQ(set.PolygonRemoveLast(), 2);
    set.PolygonAddVertex(50, 30);
    set.PolygonFloat(10, 30);
    set.PolygonClose(10, 30);
    ASSERT_EQ(set.Annotations().size(), 1u);
    const auto& polygon = static_cast<const CDrawPolygonObj&>(At(0));
    EXPECT_EQ(polygon.m_vertices.size(), 4u);
    EXPECT_EQ(polygon.PixelMeasure(), 40.0 * 20.0);
    EXPECT_EQ(polygon.m_box, (PixelBox{10, 10, 50, 30}));
    EXPECT_EQ(polygon.GetAnchor(), QPoint(30, 20));
    EXPECT_EQ(set.PolygonVertexCount(), 0);
    EXPECT_EQ(set.PolygonTemplate()->m_active, 0);
}

TEST_F(AnnotationSet, MoveByShiftsGeometryAndAnchor) {
    AddRectangle({0, 0}, {10, 20});
    set.PolygonAddVertex(0, 0);
    set.PolygonAddVertex(10, 0);
    set.PolygonFloat(10, 10);
    set.PolygonClose(10, 10);
    set.Annotations()[0]->MoveBy(5, -5);
    set.Annotations()[1]->MoveBy(-3, 4);
    EXPECT_EQ(At(0).GetAnchor(), QPoint(10, 5));
    EXPECT_DOUBLE_EQ(At(0).PixelMeasure(), 200.0);
    const auto& polygon = static_cast<const CDrawPolygonObj&>(At(1));
    EXPECT_EQ(polygon.m_vertices.front(), QPoint(-3, 4));
    EXPECT_EQ(polygon.m_floatingPoint, QPoint(7, 14));
    EXPECT_EQ(polygon.m_box, (PixelBox{-3, 4, 7, 14}));
}

TEST_F(AnnotationSet, FillColourDrivesTheTemplatesFillFlag) {
    const struct {
        uint32_t colour;
        int fill;
    } cases[] = {{0x0000FF, 1}, {kNoFillColour, 0}, {0, 1}};
    for (const auto& c : cases) {
        set.SetFillColor(c.colour);
        EXPECT_EQ(set.PolygonTemplate()->m_fill, c.fill);
        EXPECT_EQ(set.EllipseTemplate()->m_fill, c.fill);
        EXPECT_EQ(set.RectangleTemplate()->m_fill, c.fill);
        EXPECT_EQ(set.LineTemplate()->m_fill, 0);
        EXPECT_EQ(set.LineTemplate()->m_fillColour, c.colour);
    }
    // On a single annotation a zero flag keeps the colour.
    AddRectangle({0, 0}, {4, 4});
    set.Annotations()[0]->SetFill(0, 0x111111);
    EXPECT_EQ(At(0).m_fillColour, 0u);
    set.Annotations()[0]->SetFill(1, 0x222222);
    EXPECT_EQ(At(0).m_fillColour, 0x222222u);
    EXPECT_EQ(At(0).m_fill, 1);
}

// Pixels of `colour` in the image.
int CountColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
}

TEST_F(AnnotationSet, DrawingShowsActiveShapesOnly) {
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        set.DrawAll(painter, 1.0);  // only inactive templates
    }
    EXPECT_EQ(CountColour(image, qRgb(255, 255, 255)), 120 * 120);

    // A filled polygon paints exactly the pixels its area counts (outline in the same colour
    // as the fill would hide the difference, so it is drawn in another).
    set.SetLineColor(0xFF0000);  // blue
    set.SetFillColor(0x0000FF);  // red
    set.SetTextColor(0x0000FF);  // the label over the fill stays red
    set.PolygonAddVertex(20, 20);
    set.PolygonAddVertex(80, 20);
    set.PolygonAddVertex(80, 60);
    set.PolygonFloat(20, 60);
    set.PolygonClose(20, 60);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        set.DrawAll(painter, 1.0);
    }
    const int red = CountColour(image, qRgb(255, 0, 0));
    const int blue = CountColour(image, qRgb(0, 0, 255));
    EXPECT_GT(blue, 0);
    EXPECT_GT(red, 0);
    EXPECT_LE(red, int(At(0).PixelMeasure()));
    EXPECT_GE(red + blue, int(At(0).PixelMeasure()));

    // Twice the factor: the shape reaches twice as far.
    image.fill(Qt::white);
    set.Clear(false);
    AddLine({10, 10}, {50, 10});
    {
        QPainter painter(&image);
        set.DrawAll(painter, 2.0);
    }
    EXPECT_NE(image.pixel(95, 20), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(95, 10), qRgb(255, 255, 255));
}

}  // namespace
