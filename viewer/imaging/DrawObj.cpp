#include "viewer/imaging/DrawObj.h"

#include "viewer/imaging/DrawAngleObj.h"
#include "viewer/imaging/DrawEllipseObj.h"
#include "viewer/imaging/DrawLineObj.h"
#include "viewer/imaging/DrawPolygonObj.h"
#include "viewer/imaging/DrawRectangleObj.h"

#include <QGuiApplication>
#include <QPainter>

#include <cmath>

namespace lumora {

QColor ColourOf(uint32_t colourRef) {
    return QColor(int(colourRef & 0xFF), int((colourRef >> 8) & 0xFF), int((colourRef >> 16) & 0xFF));
}

CDrawObj::CDrawObj() {
    // The application's default interface font, plain and bold.
    m_plainFont = QFont();
    m_boldFont = m_plainFont;
    m_boldFont.setWeight(QFont::Bold);
}

CDrawObj::~CDrawObj() = default;

void CDrawObj::Draw(QPainter&, double) {}

void CDrawObj::DrawMapped(QPainter&, double, const PointMapping&) {}

template <typename Visit>
void CDrawObj::ForEachTemplate(Visit visit) {
    if (!m_lineTemplate) return;
    visit(static_cast<CDrawObj&>(*m_lineTemplate));
    visit(static_cast<CDrawObj&>(*m_angleTemplate));
    visit(static_cast<CDrawObj&>(*m_polygonTemplate));
    visit(static_cast<CDrawObj&>(*m_ellipseTemplate));
    visit(static_cast<CDrawObj&>(*m_rectangleTemplate));
}

void CDrawObj::DrawAll(QPainter& painter, double factor) {
    for (const auto& annotation : m_list) annotation->Draw(painter, factor);
    ForEachTemplate([&](CDrawObj& t) { t.Draw(painter, factor); });
}

void CDrawObj::DrawAllMapped(QPainter& painter, double factor, const PointMapping& mapping) {
    for (const auto& annotation : m_list) annotation->DrawMapped(painter, factor, mapping);
    ForEachTemplate([&](CDrawObj& t) { t.DrawMapped(painter, factor, mapping); });
}

void CDrawObj::SetLineWidth(int width) {
    m_penWidth = width;
    ForEachTemplate([&](CDrawObj& t) { t.m_penWidth = width; });
}

void CDrawObj::SetArrowStyle(int style) {
    m_arrowStyle = style;
    ForEachTemplate([&](CDrawObj& t) { t.m_arrowStyle = style; });
}

void CDrawObj::MoveBy(int dx, int dy) {
    const QPoint d(dx, dy);
    m_p1 += d;
    m_p2 += d;
    m_p3 += d;
}

void CDrawObj::SetTextColor(uint32_t colour) {
    m_textColour = colour;
    ForEachTemplate([&](CDrawObj& t) { t.m_textColour = colour; });
}

void CDrawObj::SetLineColor(uint32_t colour) {
    m_lineColour = colour;
    ForEachTemplate([&](CDrawObj& t) { t.m_lineColour = colour; });
}

void CDrawObj::SetFillColor(uint32_t colour) {
    m_fillColour = colour;
    ForEachTemplate([&](CDrawObj& t) {
        t.m_fillColour = colour;
        if (t.Kind() != AnnotationKind::Line && t.Kind() != AnnotationKind::Angle) {
            t.m_fill = colour != kNoFillColour ? 1 : 0;
        }
    });
}

void CDrawObj::SetFill(int flag, uint32_t colour) {
    if (m_lineTemplate) {
        m_fillColour = colour;
        ForEachTemplate([&](CDrawObj& t) {
            t.m_fillColour = colour;
            if (t.Kind() != AnnotationKind::Line && t.Kind() != AnnotationKind::Angle) t.m_fill = flag;
        });
        return;
    }
    if (flag != 0) m_fillColour = colour;
    m_fill = flag;
}

void CDrawObj::TakePropertiesFrom(const CDrawObj& t) {
    m_pixelLength = t.m_pixelLength;
    m_unit = t.m_unit;
    m_decimals = t.m_decimals;
    m_penWidth = t.m_penWidth;
    m_lineColour = t.m_lineColour;
    m_textColour = t.m_textColour;
    if (Kind() == AnnotationKind::Line) m_arrowStyle = t.m_arrowStyle;
    if (Kind() == AnnotationKind::Rectangle || Kind() == AnnotationKind::Ellipse || Kind() == AnnotationKind::Polygon) {
        m_fill = t.m_fill;
        m_fillColour = t.m_fillColour;
    }
    m_active = 1;
    m_completed = 1;
}

void CDrawObj::DrawText(QPainter& painter, QPoint topLeft, const QString& text) const {
    painter.save();
    painter.setFont(m_selected ? m_boldFont : m_plainFont);
    painter.setPen(ColourOf(m_textColour));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(QRect(topLeft, QSize(4096, 1024)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    painter.restore();
}

void CDrawObj::UseOutlinePen(QPainter& painter) const {
    QPen pen(ColourOf(m_lineColour));
    pen.setStyle(Qt::SolidLine);
    pen.setWidth(m_selected ? m_penWidth + 1 : m_penWidth);
    painter.setPen(pen);
}

void CDrawObj::UseFillBrush(QPainter& painter) const {
    painter.setBrush(m_fill ? QBrush(ColourOf(m_fillColour)) : QBrush(Qt::NoBrush));
}

// --- The annotation set ------------------------------------------------------------------

void CDrawObj::CreateTemplates() {
    m_lineTemplate = std::make_unique<CDrawLineObj>();
    m_angleTemplate = std::make_unique<CDrawAngleObj>();
    m_polygonTemplate = std::make_unique<CDrawPolygonObj>();
    m_ellipseTemplate = std::make_unique<CDrawEllipseObj>();
    m_rectangleTemplate = std::make_unique<CDrawRectangleObj>();
}

void CDrawObj::SetCalibration(double pixelLength, const QString& angleText, const QString& ellipseText,
                              const QString& lengthText, const QString& polygonText, const QString& rectangleText,
                              int decimals, int arrowStyle, int lineWidth) {
    auto textOf = [&](AnnotationKind kind) -> const QString& {
        switch (kind) {
            case AnnotationKind::Angle: return angleText;
            case AnnotationKind::Ellipse: return ellipseText;
            case AnnotationKind::Line: return lengthText;
            case AnnotationKind::Polygon: return polygonText;
            case AnnotationKind::Rectangle: return rectangleText;
            case AnnotationKind::Set: break;
        }
        return m_unit;
    };
    for (auto* stack : {&m_list, &m_deleted}) {
        for (const auto& a : *stack) {
            a->m_pixelLength = pixelLength;
            a->m_decimals = decimals;
            a->m_unit = textOf(a->Kind());
            if (a->Kind() == AnnotationKind::Line) a->m_arrowStyle = arrowStyle;
        }
    }
    ForEachTemplate([&](CDrawObj& t) {
        t.m_pixelLength = pixelLength;
        t.m_unit = textOf(t.Kind());
        // Angles read in whole degrees.
        t.m_decimals = t.Kind() == AnnotationKind::Angle ? 0 : decimals;
        t.m_penWidth = lineWidth;
        if (t.Kind() == AnnotationKind::Line) t.m_arrowStyle = arrowStyle;
    });
}

std::optional<std::pair<size_t, double>> CDrawObj::Nearest(int x, int y) const {
    std::optional<std::pair<size_t, double>> best;
    for (size_t i = 0; i < m_list.size(); ++i) {
        const QPoint anchor = m_list[i]->GetAnchor();
        const double dx = double(x) - anchor.x();
        const double dy = double(y) - anchor.y();
        const double distance = std::sqrt(dx * dx + dy * dy);
        if (!best || distance < best->second) best = {{i, distance}};
    }
    return best;
}

CDrawObj* CDrawObj::HitTest(int x, int y, double limit) {
    DeselectAll();
    const auto nearest = Nearest(x, y);
    if (!nearest || nearest->second > limit) return nullptr;
    CDrawObj* picked = m_list[nearest->first].get();
    picked->m_selected = 1;
    return picked;
}

void CDrawObj::DeselectAll() {
    for (const auto& a : m_list) a->m_selected = 0;
}

void CDrawObj::DeleteNearest(int x, int y, double limit) {
    const auto nearest = Nearest(x, y);
    if (!nearest || nearest->second > limit) return;
    const auto at = m_list.begin() + static_cast<std::ptrdiff_t>(nearest->first);
    m_deleted.push_back(std::move(*at));
    m_list.erase(at);
}

void CDrawObj::Undelete() {
    if (m_deleted.empty()) return;
    m_list.push_back(std::move(m_deleted.back()));
    m_deleted.pop_back();
}

void CDrawObj::Clear(bool keep) {
    if (keep) {
        while (!m_list.empty()) {
            m_deleted.push_back(std::move(m_list.back()));
            m_list.pop_back();
        }
        return;
    }
    m_list.clear();
    m_deleted.clear();
}

bool CDrawObj::ShiftHeld() const {
    if (m_shiftHeld) return m_shiftHeld();
    return QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
}

void CDrawObj::Append(std::unique_ptr<CDrawObj> annotation) { m_list.push_back(std::move(annotation)); }

// Tools without their template (CreateTemplates not yet run) do nothing.

void CDrawObj::LineStart(int x, int y) {
    if (!m_lineTemplate) return;
    CDrawLineObj& t = *m_lineTemplate;
    t.m_active = 1;
    t.m_p1 = t.m_p2 = QPoint(x, y);
}

void CDrawObj::LineDrag(int x, int y) {
    if (!m_lineTemplate) return;
    CDrawLineObj& t = *m_lineTemplate;
    t.m_p2 = ShiftHeld() ? SnapLineEnd(t.m_p1, {x, y}) : QPoint(x, y);
}

void CDrawObj::LineFinish(int x, int y) {
    if (!m_lineTemplate) return;
    CDrawLineObj& t = *m_lineTemplate;
    t.m_active = 0;
    if (QPoint(x, y) == t.m_p1) return;
    t.m_p2 = ShiftHeld() ? SnapLineEnd(t.m_p1, {x, y}) : QPoint(x, y);
    auto line = std::make_unique<CDrawLineObj>();
    line->TakePropertiesFrom(t);
    line->m_p1 = t.m_p1;
    line->m_p2 = t.m_p2;
    line->ComputeMeasure();
    Append(std::move(line));
}

namespace {

template <typename Shape>
void StartBox(Shape* t, int x, int y) {
    if (!t) return;
    t->m_active = 1;
    t->m_p1 = t->m_p2 = QPoint(x, y);
}

}  // namespace

void CDrawObj::EllipseStart(int x, int y) { StartBox(m_ellipseTemplate.get(), x, y); }
void CDrawObj::RectangleStart(int x, int y) { StartBox(m_rectangleTemplate.get(), x, y); }

void CDrawObj::EllipseDrag(int x, int y) {
    if (!m_ellipseTemplate) return;
    m_ellipseTemplate->m_p2 = ShiftHeld() ? SnapSquareCorner(m_ellipseTemplate->m_p1, {x, y}) : QPoint(x, y);
}

void CDrawObj::RectangleDrag(int x, int y) {
    if (!m_rectangleTemplate) return;
    m_rectangleTemplate->m_p2 = ShiftHeld() ? SnapSquareCorner(m_rectangleTemplate->m_p1, {x, y}) : QPoint(x, y);
}

void CDrawObj::EllipseFinish(int x, int y) {
    if (!m_ellipseTemplate) return;
    CDrawEllipseObj& t = *m_ellipseTemplate;
    t.m_active = 0;
    if (QPoint(x, y) == t.m_p1) return;
    auto ellipse = std::make_unique<CDrawEllipseObj>();
    ellipse->TakePropertiesFrom(t);
    ellipse->m_p1 = t.m_p1;
    ellipse->m_p2 = ShiftHeld() ? SnapSquareCorner(t.m_p1, {x, y}) : QPoint(x, y);
    ellipse->ComputeMeasure();
    Append(std::move(ellipse));
}

void CDrawObj::RectangleFinish(int x, int y) {
    if (!m_rectangleTemplate) return;
    CDrawRectangleObj& t = *m_rectangleTemplate;
    t.m_active = 0;
    if (QPoint(x, y) == t.m_p1) return;
    auto rectangle = std::make_unique<CDrawRectangleObj>();
    rectangle->TakePropertiesFrom(t);
    rectangle->m_p1 = t.m_p1;
    rectangle->m_p2 = ShiftHeld() ? SnapSquareCorner(t.m_p1, {x, y}) : QPoint(x, y);
    rectangle->ComputeMeasure();
    Append(std::move(rectangle));
}

int CDrawObj::AnglePress(int x, int y) {
    if (!m_angleTemplate) return 1;
    CDrawAngleObj& t = *m_angleTemplate;
    t.m_active = 1;
    if (t.m_thirdPoint) {
        t.m_p3 = QPoint(x, y);
        return 2;
    }
    t.m_p1 = t.m_p2 = t.m_p3 = QPoint(x, y);
    return 1;
}

void CDrawObj::AngleDrag(int x, int y) {
    if (!m_angleTemplate) return;
    CDrawAngleObj& t = *m_angleTemplate;
    if (t.m_thirdPoint) {
        t.m_p3 = QPoint(x, y);
    } else {
        t.m_p2 = QPoint(x, y);
    }
}

int CDrawObj::AngleRelease(int x, int y, const std::optional<PointMapping>& mapping) {
    if (!m_angleTemplate) return 2;
    CDrawAngleObj& t = *m_angleTemplate;
    const QPoint point(x, y);
    if (t.m_thirdPoint) {
        auto angle = std::make_unique<CDrawAngleObj>();
        angle->TakePropertiesFrom(t);
        angle->m_p1 = t.m_p1;
        angle->m_p2 = t.m_p2;
        angle->m_p3 = point;
        angle->m_thirdPoint = 1;
        if (mapping) {
            angle->ComputeDirections(MapPoint(angle->m_p1, *mapping), MapPoint(angle->m_p2, *mapping),
                                     MapPoint(angle->m_p3, *mapping));
        } else {
            angle->ComputeDirections(angle->m_p1, angle->m_p2, angle->m_p3);
        }
        Append(std::move(angle));
        t.m_p1 = t.m_p2 = t.m_p3 = kUnsetPoint;
        t.m_thirdPoint = 0;
        t.m_active = 0;
        return 1;
    }
    const bool firstArmEmpty = mapping ? point == t.m_p1 : t.m_p2 == t.m_p1;
    if (t.m_p1 == kUnsetPoint || firstArmEmpty) {
        t.m_active = 0;
        return 2;
    }
    t.m_p2 = point;
    t.m_thirdPoint = 1;
    return 1;
}

int CDrawObj::AngleCancel() {
    if (!m_angleTemplate || !m_angleTemplate->m_thirdPoint) return 0;
    CDrawAngleObj& t = *m_angleTemplate;
    t.m_thirdPoint = 0;
    t.m_active = 0;
    t.m_p1 = t.m_p2 = t.m_p3 = kUnsetPoint;
    return 1;
}

void CDrawObj::PolygonAddVertex(int x, int y) {
    if (!m_polygonTemplate) return;
    CDrawPolygonObj& t = *m_polygonTemplate;
    t.m_active = 1;
    // Two clicks on the same point make one vertex.
    if (t.m_vertices.empty() || t.m_vertices.back() != QPoint(x, y)) t.m_vertices.emplace_back(x, y);
}

void CDrawObj::PolygonFloat(int x, int y) {
    if (!m_polygonTemplate) return;
    m_polygonTemplate->m_floatingPoint = QPoint(x, y);
}

void CDrawObj::PolygonClose(int x, int y) {
    if (!m_polygonTemplate) return;
    CDrawPolygonObj& t = *m_polygonTemplate;
    if (t.m_vertices.empty() || t.m_vertices.back() != QPoint(x, y)) t.m_vertices.emplace_back(x, y);
    t.m_active = 0;
    if (t.m_vertices.size() > 2) {
        auto polygon = std::make_unique<CDrawPolygonObj>();
        polygon->TakePropertiesFrom(t);
        polygon->m_vertices = t.m_vertices;
        polygon->m_floatingPoint = t.m_floatingPoint;
        polygon->ComputeMeasure();
        Append(std::move(polygon));
    }
    t.m_vertices.clear();
}

int CDrawObj::PolygonRemoveLast() {
    if (!m_polygonTemplate || m_polygonTemplate->m_vertices.empty()) return -1;
    m_polygonTemplate->m_vertices.pop_back();
    return static_cast<int>(m_polygonTemplate->m_vertices.size());
}

int CDrawObj::PolygonVertexCount() const {
    return m_polygonTemplate ? static_cast<int>(m_polygonTemplate->m_vertices.size()) : 0;
}

}  // namespace lumora
