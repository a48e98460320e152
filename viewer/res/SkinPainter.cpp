#include "viewer/res/SkinPainter.h"

#include "viewer/core/JogRegions.h"
#include "viewer/core/SkinLayout.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace lumora::skin {
namespace {

// One palette for everything: graphite panels, a teal accent, an amber second accent for stills.
const QColor kBaseTop(0x1d, 0x21, 0x27);
const QColor kBaseBottom(0x14, 0x17, 0x1b);
const QColor kPanel(0x23, 0x28, 0x30);
const QColor kPanelEdge(0x34, 0x3b, 0x46);
const QColor kPanelHighlight(0x3e, 0x46, 0x52);
const QColor kWell(0x0c, 0x0e, 0x11);
const QColor kText(0xa9, 0xb3, 0xc0);
const QColor kTextBright(0xee, 0xf2, 0xf6);
const QColor kTextDim(0x6c, 0x76, 0x83);
const QColor kAccent(0x2c, 0xc5, 0xb4);
const QColor kAccentDeep(0x15, 0x8f, 0x84);
const QColor kAmber(0xf2, 0xa9, 0x3b);
const QColor kDanger(0xd9, 0x48, 0x48);

QFont Font(int pixelSize, bool bold = false, double spacing = 0) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (spacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

void Antialias(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

// A raised panel: soft shadow, body, a lighter top edge.
void Panel(QPainter& painter, const QRectF& rect, double radius = 8) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(rect.translated(0, 2), radius, radius);
    QLinearGradient body(rect.topLeft(), rect.bottomLeft());
    body.setColorAt(0, kPanel.lighter(108));
    body.setColorAt(1, kPanel);
    painter.setBrush(body);
    painter.setPen(QPen(kPanelEdge, 1));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setPen(QPen(kPanelHighlight, 1));
    painter.drawLine(QPointF(rect.left() + radius, rect.top() + 1.5), QPointF(rect.right() - radius, rect.top() + 1.5));
    painter.restore();
}

// A recessed well (behind the picture panes and the gallery).
void Well(QPainter& painter, const QRectF& rect, double radius = 4) {
    painter.save();
    painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
    painter.setBrush(kWell);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setPen(QPen(kPanelEdge, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(-0.5, -0.5, 0.5, 0.5), radius + 1, radius + 1);
    painter.restore();
}

void SectionTitle(QPainter& painter, int x, int baseline, const QString& text, const QColor& colour = kAccent) {
    painter.save();
    painter.setFont(Font(10, true, 1.5));
    painter.setPen(colour);
    painter.drawText(QPointF(x, baseline), text);
    painter.restore();
}

QImage Crop(const QImage& background, int x, int y, int width, int height) {
    return background.copy(x, y, width, height).convertToFormat(QImage::Format_RGB32);
}

// The lens mark of the logo: concentric rings around a bright core.
void LensMark(QPainter& painter, const QPointF& centre, double radius) {
    painter.save();
    QRadialGradient glow(centre, radius * 1.6);
    glow.setColorAt(0, QColor(44, 197, 180, 70));
    glow.setColorAt(1, QColor(44, 197, 180, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius * 1.6, radius * 1.6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kAccent, 3));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(kAccentDeep, 2));
    painter.drawEllipse(centre, radius * 0.68, radius * 0.68);
    QRadialGradient core(centre - QPointF(radius * 0.12, radius * 0.12), radius * 0.45);
    core.setColorAt(0, QColor(0xd8, 0xfb, 0xf6));
    core.setColorAt(1, kAccent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(core);
    painter.drawEllipse(centre, radius * 0.38, radius * 0.38);
    painter.restore();
}

// --- the jog dial -------------------------------------------------------------------------

const QPointF kDialCentre(150.5, 150.5);

QPolygonF SegmentPolygon(int region) {
    QPolygonF polygon;
    for (const JogPoint& p : JogSegment(region)) polygon << QPointF(p.x, p.y);
    return polygon;
}

// Where a segment's icon and label go: on the ring, midway between its inner and outer edge.
QPointF SegmentCentre(int region) {
    switch (region) {
    case 0: return {150.5, 80};
    case 1: return {221, 150.5};
    case 2: return {150.5, 221};
    case 3: return {80, 150.5};
    default: return kDialCentre;
    }
}

const char* SegmentLabel(int region) {
    switch (region) {
    case 0: return "MENU";
    case 1: return "LIVE";
    case 2: return "PRINT";
    case 3: return "STILL";
    default: return "SAVE";
    }
}

// Small line icons, drawn around `c` in the pen's colour.
void SegmentIcon(QPainter& painter, int region, const QPointF& c) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    switch (region) {
    case 0:  // three lines: the settings
        for (int k = -1; k <= 1; ++k) painter.drawLine(c + QPointF(-7, k * 4), c + QPointF(7, k * 4));
        break;
    case 1: {  // play triangle: live
        QPolygonF play;
        play << c + QPointF(-4, -6) << c + QPointF(6, 0) << c + QPointF(-4, 6);
        painter.setBrush(painter.pen().color());
        painter.drawPolygon(play);
        break;
    }
    case 2:  // printer
        painter.drawRect(QRectF(c + QPointF(-7, -2), QSizeF(14, 7)));
        painter.drawRect(QRectF(c + QPointF(-4, -7), QSizeF(8, 5)));
        painter.drawLine(c + QPointF(-4, 8), c + QPointF(4, 8));
        break;
    case 3:  // pause bars: still
        painter.setBrush(painter.pen().color());
        painter.drawRect(QRectF(c + QPointF(-5, -6), QSizeF(3, 12)));
        painter.drawRect(QRectF(c + QPointF(2, -6), QSizeF(3, 12)));
        break;
    default: {  // camera: save to the gallery
        painter.drawRoundedRect(QRectF(c + QPointF(-10, -6), QSizeF(20, 14)), 2.5, 2.5);
        painter.drawRect(QRectF(c + QPointF(-4, -9), QSizeF(8, 3)));
        painter.drawEllipse(c + QPointF(0, 1), 4, 4);
        break;
    }
    }
    painter.restore();
}

void SegmentLabelAndIcon(QPainter& painter, int region, const QColor& colour) {
    const QPointF c = SegmentCentre(region);
    painter.save();
    painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    SegmentIcon(painter, region, c + QPointF(0, -7));
    painter.setFont(Font(9, true, 0.8));
    const QRectF labelBox(c.x() - 30, c.y() + 3, 60, 13);
    painter.drawText(labelBox, Qt::AlignCenter, QString::fromLatin1(SegmentLabel(region)));
    painter.restore();
}

// A status lamp beside a segment.
void Lamp(QPainter& painter, const QPointF& at, const QColor& colour, bool lit) {
    painter.save();
    painter.setPen(Qt::NoPen);
    if (lit) {
        QRadialGradient glow(at, 7);
        glow.setColorAt(0, QColor(colour.red(), colour.green(), colour.blue(), 150));
        glow.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
        painter.setBrush(glow);
        painter.drawEllipse(at, 7, 7);
        painter.setBrush(colour);
    } else {
        painter.setBrush(QColor(0x31, 0x37, 0x40));
    }
    painter.drawEllipse(at, 2.6, 2.6);
    painter.restore();
}

}  // namespace

QImage Background() {
    QImage image(kFormWidth, kFormHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    Antialias(painter);

    QLinearGradient base(0, 0, 0, kFormHeight);
    base.setColorAt(0, kBaseTop);
    base.setColorAt(1, kBaseBottom);
    painter.fillRect(image.rect(), base);
    // A fine accent line along the top and a frame around the window.
    QLinearGradient accent(0, 0, kFormWidth, 0);
    accent.setColorAt(0, kAccentDeep);
    accent.setColorAt(0.5, kAccent);
    accent.setColorAt(1, kAccentDeep);
    painter.fillRect(QRect(0, 0, kFormWidth, 2), accent);
    painter.setPen(QPen(QColor(0x2e, 0x34, 0x3d), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, kFormWidth - 1, kFormHeight - 1));

    // Logo: the lens mark and the name, inside the clickable logo rectangle.
    LensMark(painter, QPointF(kLogoRect.x + 30, kLogoRect.y + 37), 21);
    painter.setPen(kTextBright);
    painter.setFont(Font(31, true, 3));
    painter.drawText(QPointF(kLogoRect.x + 64, kLogoRect.y + 43), QStringLiteral("LUMORA"));
    painter.setPen(kTextDim);
    painter.setFont(Font(9, false, 1.6));
    painter.drawText(QPointF(kLogoRect.x + 66, kLogoRect.y + 60), QStringLiteral("MICROSCOPE  VIEWER"));

    // Layout buttons: a pill behind the four, a caption to their left.
    const auto& firstLayout = kLayoutButtons.front();
    const auto& lastLayout = kLayoutButtons.back();
    Panel(painter, QRectF(firstLayout.x - 5, firstLayout.y - 4, lastLayout.x + 36 + 5 - (firstLayout.x - 5), 32), 8);
    painter.setFont(Font(10, true, 1.5));
    painter.setPen(kTextDim);
    painter.drawText(QRectF(360, firstLayout.y, firstLayout.x - 14 - 360, 24), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("LAYOUT"));

    // Overlay switches and capture settings.
    const QRectF settings(14, 104, 334, 124);
    Panel(painter, settings);
    painter.fillRect(QRectF(kSwitchButtons.front().x - 14, 133, 3, 84), kAccent);
    SectionTitle(painter, kSwitchButtons.front().x, 124, QStringLiteral("OVERLAY"));
    SectionTitle(painter, kResolutionCombo.x, 124, QStringLiteral("CAPTURE"));
    painter.setFont(Font(9, false, 0.6));
    painter.setPen(kTextDim);
    painter.drawText(QPointF(kResolutionCombo.x, 206), QStringLiteral("still size, file type"));
    painter.setPen(QPen(kPanelEdge, 1));
    painter.drawLine(QPointF(226.5, 116), QPointF(226.5, 216));

    // The jog dial's panel and its round well.
    const QRectF jogPanel(14, 236, 302, 318);
    Panel(painter, jogPanel);
    SectionTitle(painter, 28, 256, QStringLiteral("CONTROL"));
    const QPointF dial(kJogPlace.x + kDialCentre.x(), kJogPlace.y + kDialCentre.y());
    QRadialGradient well(dial, 112);
    well.setColorAt(0.80, QColor(0x10, 0x12, 0x16));
    well.setColorAt(1.0, kPanel);
    painter.setPen(Qt::NoPen);
    painter.setBrush(well);
    painter.drawEllipse(dial, 112, 112);

    // Drawing tools: a strip beside the picture, one group each for tools, colours and
    // calibration.
    const QRectF tools(kToolColumnX - 5, kToolButtonY.front() - 6, kToolButtonSize + 10,
                       kCalibrationButtonY + kToolButtonSize + 6 - (kToolButtonY.front() - 6));
    Panel(painter, tools, 6);
    painter.setPen(QPen(kPanelEdge, 1));
    for (double y : {kToolButtonY[0] + 31.5, kColourButtonY[0] - 5.5, kCalibrationButtonY - 6.5}) {
        painter.drawLine(QPointF(tools.left() + 6, y), QPointF(tools.right() - 6, y));
    }

    // Picture panes: one dark well; hidden panes leave it showing, with a faint grid.
    const QRectF panes(kPaneArea.x - 2, kPaneArea.y - 2, kPaneArea.width + 4, kPaneArea.height + 4);
    Well(painter, panes);
    painter.setPen(QPen(QColor(0x16, 0x19, 0x1e), 1));
    for (int x = kPaneArea.x + 40; x < kPaneArea.x + kPaneArea.width; x += 40) {
        painter.drawLine(QPointF(x + 0.5, kPaneArea.y + 1), QPointF(x + 0.5, kPaneArea.y + kPaneArea.height - 1));
    }
    for (int y = kPaneArea.y + 40; y < kPaneArea.y + kPaneArea.height; y += 40) {
        painter.drawLine(QPointF(kPaneArea.x + 1, y + 0.5), QPointF(kPaneArea.x + kPaneArea.width - 1, y + 0.5));
    }
    painter.setPen(QColor(0x2a, 0x30, 0x38));
    painter.setFont(Font(13, true, 4));
    painter.drawText(QRectF(kPaneArea.x, kPaneArea.y, kPaneArea.width, kPaneArea.height), Qt::AlignCenter,
                     QStringLiteral("NO PICTURE"));

    // Gallery: a title line and the list's frame.
    SectionTitle(painter, kGalleryPlace.x + 4, kGalleryPlace.y - 12, QStringLiteral("GALLERY"));
    painter.setPen(QPen(kPanelEdge, 1));
    painter.drawLine(QPointF(kGalleryPlace.x + 78, kGalleryPlace.y - 15.5),
                     QPointF(kGalleryPlace.x + kGalleryPlace.width, kGalleryPlace.y - 15.5));
    Well(painter, QRectF(kGalleryPlace.x - 1, kGalleryPlace.y - 1, kGalleryPlace.width + 2, kGalleryPlace.height + 2), 2);
    painter.setPen(kTextDim);
    painter.setFont(Font(9, false, 0.6));
    painter.drawText(QRectF(kGalleryPlace.x, kGalleryPlace.y + kGalleryPlace.height + 4, kGalleryPlace.width, 20),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Right-click a picture for more"));
    return image;
}

QImage CaptionFace(const QImage& background, int x, int y, bool close, bool highlighted) {
    QImage image = Crop(background, x, y, 30, 22);
    QPainter painter(&image);
    Antialias(painter);
    if (highlighted) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(close ? kDanger : QColor(0x36, 0x3d, 0x48));
        painter.drawRoundedRect(QRectF(0, 0, 30, 22), 5, 5);
    }
    painter.setPen(QPen(highlighted ? kTextBright : kText, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(15, 11);
    if (close) {
        painter.drawLine(c + QPointF(-4.5, -4.5), c + QPointF(4.5, 4.5));
        painter.drawLine(c + QPointF(-4.5, 4.5), c + QPointF(4.5, -4.5));
    } else {
        painter.drawLine(c + QPointF(-5, 4), c + QPointF(5, 4));
    }
    return image;
}

QImage LayoutFace(const QImage& background, int x, int y, int layout, Face face) {
    QImage image = Crop(background, x, y, 36, 24);
    QPainter painter(&image);
    Antialias(painter);
    const QRectF body(0.5, 0.5, 35, 23);
    QColor fill = QColor(0x2a, 0x30, 0x39);
    QColor ink = kText;
    if (face == Face::Over) {
        fill = QColor(0x36, 0x3e, 0x4a);
        ink = kTextBright;
    }
    if (face == Face::Hit) {
        QLinearGradient lit(0, 0, 0, 24);
        lit.setColorAt(0, kAccent);
        lit.setColorAt(1, kAccentDeep);
        painter.setBrush(lit);
        painter.setPen(QPen(kAccent.lighter(130), 1));
        ink = QColor(0x06, 0x2b, 0x27);
    } else {
        painter.setBrush(fill);
        painter.setPen(QPen(face == Face::Over ? kPanelHighlight.lighter(125) : kPanelEdge, 1));
    }
    painter.drawRoundedRect(body, 5, 5);

    // The pane arrangement in a 20 x 14 screen.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    const QRectF screen(8, 5, 20, 14);
    const double gap = 1.5;
    const double halfW = (screen.width() - gap) / 2;
    const double halfH = (screen.height() - gap) / 2;
    switch (layout) {
    case 1: painter.drawRoundedRect(screen, 1.5, 1.5); break;
    case 2:
        painter.drawRect(QRectF(screen.left(), screen.top() + halfH / 2, halfW, halfH));
        painter.drawRect(QRectF(screen.left() + halfW + gap, screen.top() + halfH / 2, halfW, halfH));
        break;
    case 3:
        painter.drawRect(QRectF(screen.left(), screen.top(), halfW, screen.height()));
        painter.drawRect(QRectF(screen.left() + halfW + gap, screen.top(), halfW, screen.height()));
        break;
    default:
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 2; ++column) {
                painter.drawRect(QRectF(screen.left() + column * (halfW + gap), screen.top() + row * (halfH + gap), halfW, halfH));
            }
        }
        break;
    }
    return image;
}

QImage SwitchFace(const QImage& background, int x, int y, const QString& label, Face face) {
    QImage image = Crop(background, x, y, 140, 16);
    QPainter painter(&image);
    Antialias(painter);
    if (face == Face::Over) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 14));
        painter.drawRoundedRect(QRectF(0, 0, 140, 16), 4, 4);
    }
    // The lamp: a ring when off, a lit dot with a glow when on.
    const QPointF lamp(8, 8);
    if (face == Face::Hit) {
        QRadialGradient glow(lamp, 8);
        glow.setColorAt(0, QColor(44, 197, 180, 160));
        glow.setColorAt(1, QColor(44, 197, 180, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(lamp, 8, 8);
        painter.setBrush(kAccent);
        painter.setPen(QPen(kAccent.lighter(140), 1));
        painter.drawEllipse(lamp, 4, 4);
    } else {
        painter.setBrush(QColor(0x15, 0x18, 0x1c));
        painter.setPen(QPen(face == Face::Over ? kText : QColor(0x55, 0x5e, 0x6a), 1.2));
        painter.drawEllipse(lamp, 4, 4);
    }
    painter.setFont(Font(10, true, 1));
    painter.setPen(face == Face::Ena ? kText : kTextBright);
    painter.drawText(QRectF(20, 0, 118, 16), Qt::AlignLeft | Qt::AlignVCenter, label);
    return image;
}

QImage JogPicture(const QImage& background, int mode, int region) {
    QImage image = Crop(background, kJogPlace.x, kJogPlace.y, kJogWidth, kJogHeight);
    QPainter painter(&image);
    Antialias(painter);

    // The dial's body: a dark metal ring with a bevel.
    QRadialGradient ring(kDialCentre - QPointF(0, 30), 120);
    ring.setColorAt(0, QColor(0x3a, 0x41, 0x4b));
    ring.setColorAt(1, QColor(0x1f, 0x23, 0x29));
    painter.setPen(QPen(QColor(0x4b, 0x53, 0x5f), 1.2));
    painter.setBrush(ring);
    painter.drawEllipse(kDialCentre, 101, 101);

    // The four segments, the lit one in the accent colour.
    for (int segment = 0; segment < 4; ++segment) {
        const bool lit = segment == region;
        QLinearGradient fill(SegmentCentre(segment) - QPointF(0, 30), SegmentCentre(segment) + QPointF(0, 30));
        if (lit) {
            fill.setColorAt(0, kAccent.lighter(112));
            fill.setColorAt(1, kAccentDeep);
        } else {
            fill.setColorAt(0, QColor(0x33, 0x39, 0x43));
            fill.setColorAt(1, QColor(0x27, 0x2c, 0x34));
        }
        painter.setBrush(fill);
        // Every segment keeps the same dark outline, so lighting one changes nothing outside it.
        painter.setPen(QPen(QColor(0x14, 0x17, 0x1b), 1.4));
        // The right segment's outline folds up into the top one; the dial gives the overlap
        // to the earlier segment, as its hit test does.
        QPainterPath shape;
        shape.setFillRule(Qt::WindingFill);
        shape.addPolygon(SegmentPolygon(segment));
        shape = shape.simplified();
        for (int earlier = 0; earlier < segment; ++earlier) {
            QPainterPath other;
            other.setFillRule(Qt::WindingFill);
            other.addPolygon(SegmentPolygon(earlier));
            shape = shape.subtracted(other.simplified());
        }
        painter.drawPath(shape);
        SegmentLabelAndIcon(painter, segment, lit ? QColor(0x04, 0x26, 0x22) : kText);
    }

    // Lamps: live in mode 0, still in mode 1.
    Lamp(painter, QPointF(221, 126), kAccent, mode == 0);
    Lamp(painter, QPointF(80, 126), kAmber, mode == 1);

    // The centre button; greyed out while the dial has no capture (a file on show).
    const bool centreActive = mode == 0 || mode == 1;
    const bool centreLit = region == 4 && centreActive;
    const QPointF centre(kJogCentreLeft + 32.5, kJogCentreTop + 32.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawEllipse(centre + QPointF(0, 2), 34, 34);
    QRadialGradient button(centre - QPointF(8, 10), 44);
    if (centreLit) {
        button.setColorAt(0, kAccent.lighter(125));
        button.setColorAt(1, kAccentDeep);
    } else if (centreActive) {
        button.setColorAt(0, QColor(0x4a, 0x52, 0x5e));
        button.setColorAt(1, QColor(0x2b, 0x30, 0x38));
    } else {
        button.setColorAt(0, QColor(0x30, 0x35, 0x3c));
        button.setColorAt(1, QColor(0x24, 0x28, 0x2e));
    }
    painter.setBrush(button);
    painter.setPen(QPen(centreLit ? kAccent.lighter(140) : QColor(0x55, 0x5d, 0x69), 1.4));
    painter.drawEllipse(centre, 32, 32);
    const QColor centreInk = centreLit ? QColor(0x04, 0x26, 0x22) : (centreActive ? kTextBright : kTextDim);
    SegmentLabelAndIcon(painter, 4, centreInk);

    // Mode caption under the dial.
    const char* caption = mode == 0 ? "LIVE" : mode == 1 ? "STILL" : mode == 2 ? "FILE" : "";
    painter.setFont(Font(10, true, 1.5));
    painter.setPen(mode == 1 ? kAmber : mode == 0 ? kAccent : kText);
    painter.drawText(QRectF(0, 262, kJogWidth, 16), Qt::AlignCenter, QString::fromLatin1(caption));
    return image;
}

}  // namespace lumora::skin
