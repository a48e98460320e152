#pragma once

#include "viewer/imaging/AnnotationGeometry.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace lumora {

class CDrawLineObj;
class CDrawAngleObj;
class CDrawPolygonObj;
class CDrawEllipseObj;
class CDrawRectangleObj;

enum class AnnotationKind { Set, Line, Rectangle, Ellipse, Polygon, Angle };

// An annotation on an image pane, and, as the base object of a pane, the annotation set: the
// list of annotations, the stack of deleted ones that can be restored, and one template per
// shape carrying the current drawing properties and the shape being drawn.
//
// Points are window pixels of the pane over a live or still picture and image pixels over a
// file; the pane maps them when it draws. Colours are 0x00BBGGRR values.
class CDrawObj {
public:
    CDrawObj();
    virtual ~CDrawObj();
    CDrawObj(const CDrawObj&) = delete;
    CDrawObj& operator=(const CDrawObj&) = delete;

    virtual AnnotationKind Kind() const { return AnnotationKind::Set; }

    // Drawing. `Draw` multiplies every point by `factor` (truncating); `DrawMapped` passes
    // every point through `MapPoint`, its first factor is always 1.0. The set draws nothing
    // of its own: `DrawAll` and `DrawAllMapped` draw its annotations, then its templates.
    virtual void Draw(QPainter& painter, double factor);
    virtual void DrawMapped(QPainter& painter, double factor, const PointMapping& mapping);
    void DrawAll(QPainter& painter, double factor);
    void DrawAllMapped(QPainter& painter, double factor, const PointMapping& mapping);

    virtual void SetLineWidth(int width);
    virtual void SetArrowStyle(int style);
    // The point picking measures distances to.
    virtual QPoint GetAnchor() const { return {0, 0}; }
    virtual void MoveBy(int dx, int dy);
    virtual void SetTextColor(uint32_t colour);
    virtual void SetLineColor(uint32_t colour);
    virtual void SetFillColor(uint32_t colour);
    virtual void SetFill(int flag, uint32_t colour);

    // The measure in pixels (length, area) as last computed, and the value text it shows.
    virtual double PixelMeasure() const { return 0.0; }
    virtual QString ValueText() const { return {}; }

    // --- The annotation set -------------------------------------------------------------

    // The five templates (line, angle, polygon, ellipse, rectangle), each inactive.
    void CreateTemplates();
    // Hands the calibration to every annotation (the list and the deleted stack) and to the
    // templates: one-pixel length, the unit texts by shape, decimals, arrow style and the pen
    // width of new drawings.
    void SetCalibration(double pixelLength, const QString& angleText, const QString& ellipseText,
                        const QString& lengthText, const QString& polygonText, const QString& rectangleText,
                        int decimals, int arrowStyle, int lineWidth);

    // The annotation whose anchor is nearest to (x, y), now selected, when it lies within
    // `limit`; the earlier one wins a tie. Every other annotation is deselected.
    CDrawObj* HitTest(int x, int y, double limit);
    void DeselectAll();
    // Moves the annotation nearest to (x, y), when within `limit`, onto the deleted stack.
    void DeleteNearest(int x, int y, double limit);
    // Brings the last deleted annotation back at the end of the list.
    void Undelete();
    // Empties the list. With `keep` the annotations go onto the deleted stack, the first one
    // on top; without it they are destroyed, and so is everything deleted before.
    void Clear(bool keep);

    // Drawing tools. Drags and finishes read whether Shift is held from the shift query.
    void LineStart(int x, int y);
    void LineDrag(int x, int y);
    void LineFinish(int x, int y);
    // Press and release return 1 or 2: the press 1 when it began a new angle and 2 when it
    // placed the third point; the release 2 when it dropped an angle whose first arm has length
    // 0, else 1. Over a file the release also gets the mapping to the window, through which the
    // finished angle's directions and label are computed.
    int AnglePress(int x, int y);
    void AngleDrag(int x, int y);
    int AngleRelease(int x, int y, const std::optional<PointMapping>& mapping = std::nullopt);
    // Non-zero when an angle waiting for its third point was dropped.
    int AngleCancel();
    void PolygonAddVertex(int x, int y);
    void PolygonFloat(int x, int y);
    void PolygonClose(int x, int y);
    // The vertex count left, or -1 when there was no vertex.
    int PolygonRemoveLast();
    int PolygonVertexCount() const;
    void EllipseStart(int x, int y);
    void EllipseDrag(int x, int y);
    void EllipseFinish(int x, int y);
    void RectangleStart(int x, int y);
    void RectangleDrag(int x, int y);
    void RectangleFinish(int x, int y);

    // Whether Shift is held; by default the keyboard state of the application.
    void SetShiftQuery(std::function<bool()> query) { m_shiftHeld = std::move(query); }

    const std::vector<std::unique_ptr<CDrawObj>>& Annotations() const { return m_list; }
    const std::vector<std::unique_ptr<CDrawObj>>& DeletedStack() const { return m_deleted; }
    CDrawLineObj* LineTemplate() const { return m_lineTemplate.get(); }
    CDrawAngleObj* AngleTemplate() const { return m_angleTemplate.get(); }
    CDrawPolygonObj* PolygonTemplate() const { return m_polygonTemplate.get(); }
    CDrawEllipseObj* EllipseTemplate() const { return m_ellipseTemplate.get(); }
    CDrawRectangleObj* RectangleTemplate() const { return m_rectangleTemplate.get(); }

    // --- Fields ---------------------------------------------------------------------------
    QPoint m_p1 = kUnsetPoint;
    QPoint m_p2 = kUnsetPoint;
    QPoint m_p3 = kUnsetPoint;
    uint32_t m_lineColour = 0;
    uint32_t m_textColour = 0;
    uint32_t m_fillColour = 0;
    int m_selected = 0;
    int m_penWidth = 1;
    int m_completed = 0;
    int m_active = 0;
    double m_pixelLength = 1.0;
    QString m_unit = QStringLiteral("mm");
    QFont m_boldFont;
    QFont m_plainFont;
    int m_fill = 0;
    int m_decimals = 2;
    int m_arrowStyle = 1;

    // Recomputes the measure in pixels from the geometry (length, area, angle directions).
    virtual void ComputeMeasure() {}

    // Copies the drawing properties of a template into a new annotation of its shape and
    // makes it active and completed.
    void TakePropertiesFrom(const CDrawObj& shapeTemplate);

protected:
    void DrawText(QPainter& painter, QPoint topLeft, const QString& text) const;
    // The pen of the outline: solid in the line colour, one wider while selected.
    void UseOutlinePen(QPainter& painter) const;
    // Solid in the fill colour when the fill is on, else hollow.
    void UseFillBrush(QPainter& painter) const;

private:
    bool ShiftHeld() const;
    void Append(std::unique_ptr<CDrawObj> annotation);
    // Index of the annotation nearest to (x, y) and its distance; nothing for an empty list.
    std::optional<std::pair<size_t, double>> Nearest(int x, int y) const;
    template <typename Visit>
    void ForEachTemplate(Visit visit);

    std::unique_ptr<CDrawLineObj> m_lineTemplate;
    std::unique_ptr<CDrawAngleObj> m_angleTemplate;
    std::unique_ptr<CDrawPolygonObj> m_polygonTemplate;
    std::unique_ptr<CDrawEllipseObj> m_ellipseTemplate;
    std::unique_ptr<CDrawRectangleObj> m_rectangleTemplate;
    std::vector<std::unique_ptr<CDrawObj>> m_list;
    std::vector<std::unique_ptr<CDrawObj>> m_deleted;
    std::function<bool()> m_shiftHeld;
};

// Colour of a 0x00BBGGRR value.
QColor ColourOf(uint32_t colourRef);

}  // namespace lumora
