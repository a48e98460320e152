#include "viewer/imaging/Overlays.h"

#include "viewer/core/ViewerSettings.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace lumora {
namespace {

constexpr double kFactors[] = {1.0, 1.25, 2.0, 2.5};
constexpr QSize kFrameSizes[] = {{640, 480}, {800, 600}, {1280, 960}, {1600, 1200}};

int T(double v) { return static_cast<int>(v); }  // the truncation every coordinate goes through

QColor Colour(uint32_t ref) {
    return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF), static_cast<int>((ref >> 16) & 0xFF));
}

// A pen of the window system's styles: a width other than 1 always draws solid.
QPen StyledPen(int style, int width, uint32_t colour) {
    QPen pen(Colour(colour), std::max(1, width));
    pen.setCapStyle(Qt::FlatCap);
    Qt::PenStyle qtStyle = Qt::SolidLine;
    if (width <= 1) {
        switch (style) {
            case 1: qtStyle = Qt::DashLine; break;
            case 2: qtStyle = Qt::DotLine; break;
            case 3: qtStyle = Qt::DashDotLine; break;
            case 4: qtStyle = Qt::DashDotDotLine; break;
            default: break;
        }
    }
    pen.setStyle(qtStyle);
    return pen;
}

// Positions step, 2 step, 3 step ...; the run ends after the first one beyond `edge`. Each
// position is the step's multiple truncated, so fractional steps do not drift.
template <typename Emit>
void Run(double step, int edge, Emit draw) {
    if (!(step > 0.0)) return;
    for (int k = 1;; ++k) {
        const double p = step * k;
        draw(T(p));
        if (p > edge) break;
    }
}

void Outline(QPainter& painter, const QRect& r) {
    // A window-system rectangle covers left .. right - 1; QPainter's outline adds one pixel.
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

void Ellipse(QPainter& painter, const QRect& r) { painter.drawEllipse(r.adjusted(0, 0, -1, -1)); }

void Text(QPainter& painter, const TextBox& t, Qt::Alignment horizontal) {
    painter.drawText(t.box, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), t.text);
}

}  // namespace

QSize ResolutionFrameSize(int index) { return index >= 0 && index <= 3 ? kFrameSizes[index] : kFrameSizes[0]; }

double ResolutionFactor(int index) { return index >= 0 && index <= 3 ? kFactors[index] : 1.0; }

int ResolutionIndexOfWidth(int width) {
    for (int i = 0; i < 4; ++i)
        if (kFrameSizes[i].width() == width) return i;
    return -1;
}

OverlayStyle StyleFromSettings(const ViewerSettings& s, const OverlayStyle& style) {
    OverlayStyle out = style;
    out.centreLine.width = TextAsInt(s.centerLineThicknessIndex) + 1;
    out.centreLine.colour = static_cast<uint32_t>(TextAsInt(s.centerLineColor));
    out.scale.lineColour = static_cast<uint32_t>(TextAsInt(s.scaleLineColor));
    out.scale.textColour = static_cast<uint32_t>(TextAsInt(s.scaleTextColor));
    out.scale.barColour = static_cast<uint32_t>(TextAsInt(s.scaleBarColor));
    out.grid.width = TextAsInt(s.gridThicknessIndex) + 1;
    out.grid.colour = static_cast<uint32_t>(TextAsInt(s.gridColor));
    const int pitch = s.gridSpaceIndex == "0" ? 160 : s.gridSpaceIndex == "1" ? 80 : 40;
    out.grid.horizontalPitch = pitch;
    out.grid.verticalPitch = pitch;
    return out;
}

std::vector<QLine> GridLines(const GridStyle& grid, int index) {
    const QSize frame = ResolutionFrameSize(index);
    const int w = frame.width(), h = frame.height();
    std::vector<QLine> lines;
    const auto step = [](int pitch, bool inPixels, int extent) {
        if (inPixels) return static_cast<double>(pitch);
        return pitch > 0 ? static_cast<double>(extent) / pitch : 0.0;
    };
    if (grid.square) {
        const double s = step(grid.horizontalPitch, grid.horizontalInPixels, h);
        Run(s, w, [&](int p) {
            lines.emplace_back(0, p, w, p);
            lines.emplace_back(p, 0, p, h);
        });
        return lines;
    }
    Run(step(grid.horizontalPitch, grid.horizontalInPixels, h), h, [&](int y) { lines.emplace_back(0, y, w, y); });
    Run(step(grid.verticalPitch, grid.verticalInPixels, w), w, [&](int x) { lines.emplace_back(x, 0, x, h); });
    return lines;
}

std::array<QLine, 2> CentreLines(double f) {
    return {QLine(T(320 * f), 0, T(320 * f), T(480 * f)), QLine(0, T(240 * f), T(640 * f), T(240 * f))};
}

std::optional<ScaleShape> ScaleGeometry(QPoint anchor, int length, int index) {
    if (index < -1 || index > 3) return std::nullopt;
    const double k = index <= 0 ? 1.0 : kFactors[index];
    const int x = anchor.x(), y = anchor.y(), l = length;
    ScaleShape shape;
    shape.lines = {
        QLine(T(k * x), T(k * y), T(k * (x - l)), T(k * y)),
        QLine(T(k * x), T(k * y), T(k * x), T(k * (y - l))),
        QLine(T(k * (x - l)), T(k * (y + 5)), T(k * (x - l)), T(k * (y - 5))),
        QLine(T(k * (x - 5)), T(k * (y - l)), T(k * (x + 5)), T(k * (y - l))),
    };
    shape.label = WinRect(T(k * (x - l)), T(k * (y - 30)), T(k * x), T(k * y));
    return shape;
}

QRect ScaleLabelBox(QPoint anchor, int length) {
    return WinRect(anchor.x() - length, anchor.y() - 30, anchor.x(), anchor.y());
}

QRect ScaleCornerBox(QPoint anchor) { return WinRect(anchor.x(), anchor.y(), anchor.x() + 50, anchor.y() + 50); }

QPoint ClampScaleAnchor(QPoint a, int length) {
    int x = std::min(a.x(), 630), y = std::min(a.y(), 470);
    x = std::max(x, length + 10);
    y = std::max(y, length + 10);
    return {x, y};
}

double MagBarMarkerY(int m) {
    struct Band {
        int upTo;
        double u, span, n, o;
    };
    // (U, M, N, O): the band's top magnification, its width, and the bar positions of its
    // bottom and top.
    static constexpr Band kBands[] = {
        {20, 20, 20, 390, 340},   {50, 50, 30, 340, 290},   {100, 100, 50, 290, 240},
        {200, 200, 100, 240, 190}, {300, 300, 100, 190, 140}, {400, 400, 100, 140, 90},
        {500, 500, 100, 90, 40},
    };
    for (const Band& b : kBands)
        if (m <= b.upTo) return b.o + (b.n - b.o) / b.span * (b.u - m);
    return 0.0;
}

MagBarShape MagBarGeometry(double f, int m) {
    MagBarShape shape;
    shape.outline = WinRect(T(25 * f), T(40 * f), T(40 * f), T(390 * f));
    static const char* const kLabels[] = {"500", "400", "300", "200", "100", "50", "20"};
    for (int i = 0; i < 7; ++i) {
        const int top = 30 + 50 * i;
        shape.labels[static_cast<size_t>(i)] = {WinRect(T(45 * f), T(top * f), T(80 * f), T((top + 20) * f)),
                                               QString::fromLatin1(kLabels[i])};
    }
    shape.circles = {WinRect(T(45 * f), T(386 * f), T(45 * f) + 8, T(386 * f) + 8),
                     WinRect(T(45 * f) + 8, T(386 * f), T(45 * f) + 16, T(386 * f) + 8)};
    if (m > 0) {
        const double y = MagBarMarkerY(m);
        shape.marker = WinRect(T(25 * f), T((y - 8) * f), T(40 * f), T((y + 9) * f));
    }
    return shape;
}

std::optional<MagDataShape> MagDataGeometry(int index, int m) {
    struct Row {
        QRect cross, frame, number, circle1, circle2;
    };
    static const Row kRows[] = {
        {WinRect(30, 420, 80, 440), WinRect(50, 420, 90, 440), WinRect(50, 420, 85, 440),
         WinRect(60, 426, 68, 434), WinRect(68, 426, 76, 434)},
        {WinRect(37, 525, 100, 550), WinRect(62, 525, 112, 550), WinRect(62, 525, 106, 550),
         WinRect(75, 532, 85, 542), WinRect(85, 532, 95, 542)},
        {WinRect(60, 840, 160, 880), WinRect(100, 840, 180, 880), WinRect(100, 840, 170, 880),
         WinRect(120, 852, 136, 868), WinRect(136, 852, 152, 868)},
        {WinRect(75, 1050, 200, 1100), WinRect(125, 1050, 225, 1100), WinRect(125, 1050, 212, 1100),
         WinRect(150, 1065, 170, 1085), WinRect(170, 1065, 190, 1085)},
    };
    if (index < 0 || index > 3) return std::nullopt;
    const Row& row = kRows[index];
    MagDataShape shape;
    shape.cross = {row.cross, QStringLiteral("X")};
    shape.frame = row.frame;
    if (m > 4)
        shape.number = TextBox{row.number, QString::number(m)};
    else if (m >= 1)
        shape.circles = std::array<QRect, 2>{row.circle1, row.circle2};
    return shape;
}

QFont OverlayFont() {
    QFont font;
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

void DrawGrid(QPainter& painter, const GridStyle& grid, int index) {
    painter.save();
    painter.setPen(StyledPen(grid.penStyle, grid.width, grid.colour));
    const std::vector<QLine> lines = GridLines(grid, index);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    painter.restore();
}

void DrawCentreLine(QPainter& painter, const CentreLineStyle& centre, double factor) {
    painter.save();
    painter.setPen(StyledPen(centre.penStyle, centre.width, centre.colour));
    const auto lines = CentreLines(factor);
    painter.drawLines(lines.data(), 2);
    painter.restore();
}

void DrawScale(QPainter& painter, const ScaleStyle& scale, int length, int index) {
    const auto shape = ScaleGeometry(scale.anchor, length, index);
    if (!shape) return;
    painter.save();
    painter.setPen(StyledPen(0, 1, scale.lineColour));
    painter.drawLines(shape->lines.data(), 4);
    painter.setPen(Colour(scale.textColour));
    painter.setFont(OverlayFont());
    Text(painter, {shape->label, scale.text}, Qt::AlignHCenter);
    painter.restore();
}

void DrawMagBar(QPainter& painter, const ScaleStyle& scale, double factor, int magnification) {
    const MagBarShape shape = MagBarGeometry(factor, magnification);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(StyledPen(0, 1, scale.lineColour));
    Outline(painter, shape.outline);
    painter.setFont(OverlayFont());
    painter.setPen(Colour(scale.textColour));
    for (const TextBox& label : shape.labels) Text(painter, label, Qt::AlignLeft);
    for (const QRect& circle : shape.circles) Ellipse(painter, circle);
    if (shape.marker) {
        painter.setPen(StyledPen(0, 1, scale.lineColour));
        painter.setBrush(Colour(scale.barColour));
        Outline(painter, *shape.marker);
    }
    painter.restore();
}

void DrawMagData(QPainter& painter, const ScaleStyle& scale, int index, int magnification) {
    const auto shape = MagDataGeometry(index, magnification);
    if (!shape) return;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setFont(OverlayFont());
    painter.setPen(Colour(scale.textColour));
    Text(painter, shape->cross, Qt::AlignLeft);
    painter.setPen(StyledPen(0, 1, scale.lineColour));
    Outline(painter, shape->frame);
    painter.setPen(Colour(scale.textColour));
    if (shape->number) Text(painter, *shape->number, Qt::AlignRight);
    if (shape->circles)
        for (const QRect& circle : *shape->circles) Ellipse(painter, circle);
    painter.restore();
}

}  // namespace lumora
