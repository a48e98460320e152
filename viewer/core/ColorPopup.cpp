#include "viewer/core/ColorPopup.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <qdrawutil.h>

#include <algorithm>

namespace lumora {
namespace {

// The system's edge width; the popup's margin.
constexpr int kEdge = 2;

}  // namespace

std::optional<ColorRef> ChooseColourWithDialog(ColorRef initial, QWidget* parent) {
    const QColor colour = QColorDialog::getColor(ToQColor(initial), parent, QString());
    if (!colour.isValid()) return std::nullopt;
    return FromQColor(colour);
}

CColorPopup::CColorPopup(const QRect& button, ColorRef initial, const QString& defaultText, const QString& customText,
                         QWidget* parent, CustomColourChooser chooser)
    : QWidget(parent, Qt::Popup),
      initial_(initial),
      current_(initial),
      defaultText_(defaultText),
      customText_(customText),
      chooser_(std::move(chooser)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));

    metrics_.margin = kEdge;
    metrics_.cell = PopupCellSize(kEdge);
    metrics_.hasDefault = !defaultText_.isEmpty();
    metrics_.hasCustom = !customText_.isEmpty();
    const QFontMetrics fm(font());
    for (const QString* text : {&defaultText_, &customText_}) {
        if (text->isEmpty()) continue;
        const QSize size = fm.size(Qt::TextSingleLine, *text);
        metrics_.textSize = metrics_.textSize.expandedTo(size);
    }
    QScreen* screen = QGuiApplication::screenAt(button.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1 << 20, 1 << 20);
    layout_ = LayOutPopup(metrics_, button, screenRect);
    setGeometry(layout_.window);

    // The chosen element: the initial colour's cell, the default box for the default colour,
    // otherwise the custom box (an initial colour from the colour dialog).
    chosen_ = PickerCellOf(initial);
    if (chosen_ == PopupElement::None && initial == kDefaultColour && metrics_.hasDefault) chosen_ = PopupElement::Default;
    if (chosen_ == PopupElement::None && metrics_.hasCustom) chosen_ = PopupElement::Custom;
    hovered_ = chosen_;
}

QRect CColorPopup::elementRect(int element) const {
    if (element == PopupElement::Default) return layout_.defaultBox;
    if (element == PopupElement::Custom) return layout_.customBox;
    if (element >= 0 && element < kPickerColourCount) return layout_.cell(element, metrics_);
    return {};
}

int CColorPopup::elementAt(QPoint at) const {
    if (metrics_.hasCustom && layout_.customBox.contains(at)) return PopupElement::Custom;
    if (metrics_.hasDefault && layout_.defaultBox.contains(at)) return PopupElement::Default;
    for (int i = 0; i < kPickerColourCount; ++i)
        if (layout_.cell(i, metrics_).contains(at)) return i;
    return PopupElement::None;
}

void CColorPopup::hover(int element) {
    if (element == hovered_) return;
    const int before = hovered_;
    hovered_ = element;
    update(elementRect(before));
    update(elementRect(element));
    if (element >= 0) {
        current_ = kPickerColours[static_cast<size_t>(element)].colour;
        emit selectionChanged(current_);
    } else if (element == PopupElement::Default) {
        current_ = kDefaultColour;
        emit selectionChanged(current_);
    } else if (element == PopupElement::Custom) {
        emit selectionChanged(initial_);
    }
}

void CColorPopup::end(bool ok) {
    if (ended_) return;
    ended_ = true;
    if (!ok) current_ = initial_;
    if (ok && hovered_ == PopupElement::Custom) {
        // The popup goes away first: a modal dialog and an open popup do not mix.
        hide();
        const auto picked = chooser_ ? chooser_(initial_, parentWidget()) : std::nullopt;
        if (picked) {
            current_ = *picked;
        } else {
            ok = false;
            current_ = initial_;
        }
    }
    if (ok) {
        emit selectionEndOk(current_);
    } else {
        emit selectionEndCancel(current_);
    }
    close();
}

bool CColorPopup::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int element = elementAt(help->pos());
        if (element >= 0) {
            QToolTip::showText(help->globalPos(), QString::fromLatin1(kPickerColours[static_cast<size_t>(element)].name),
                               this, elementRect(element));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void CColorPopup::mouseMoveEvent(QMouseEvent* event) {
    const int element = elementAt(event->position().toPoint());
    if (element != PopupElement::None) hover(element);
}

void CColorPopup::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    end(rect().contains(event->position().toPoint()));
}

void CColorPopup::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space: end(true); return;
        case Qt::Key_Escape: end(false); return;
        case Qt::Key_Left: hover(NextPopupElement(PopupKey::Left, hovered_, metrics_.hasDefault, metrics_.hasCustom)); return;
        case Qt::Key_Right: hover(NextPopupElement(PopupKey::Right, hovered_, metrics_.hasDefault, metrics_.hasCustom)); return;
        case Qt::Key_Up: hover(NextPopupElement(PopupKey::Up, hovered_, metrics_.hasDefault, metrics_.hasCustom)); return;
        case Qt::Key_Down: hover(NextPopupElement(PopupKey::Down, hovered_, metrics_.hasDefault, metrics_.hasCustom)); return;
        default: QWidget::keyPressEvent(event);
    }
}

void CColorPopup::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Closed from outside (a click elsewhere, another window): the cancel outcome.
    if (!ended_) end(false);
}

void CColorPopup::paintElement(QPainter& painter, int element) const {
    const QPalette& pal = palette();
    const QRect box = elementRect(element);
    const bool isHovered = element == hovered_;
    const bool isChosen = element == chosen_;
    const bool isCell = element >= 0;
    QColor background = pal.color(QPalette::Button);
    if (isChosen && !isHovered) background = isCell ? pal.color(QPalette::Light) : pal.color(QPalette::Midlight);
    painter.fillRect(box, background);
    if (isHovered) qDrawShadePanel(&painter, box, pal, false, 1);        // raised
    else if (isChosen) qDrawShadePanel(&painter, box, pal, true, 1);     // sunken
    if (isCell) {
        const QRect swatch = box.adjusted(metrics_.margin + 1, metrics_.margin + 1, -(metrics_.margin + 1), -(metrics_.margin + 1));
        painter.setPen(pal.color(QPalette::Dark));
        painter.setBrush(ToQColor(kPickerColours[static_cast<size_t>(element)].colour));
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        return;
    }
    if (element == PopupElement::Default) {
        painter.setPen(pal.color(QPalette::Dark));
        painter.setBrush(Qt::NoBrush);
        const int inset = 2 * metrics_.margin;
        painter.drawRect(box.adjusted(inset, inset, -inset - 1, -inset - 1));
    }
    painter.setPen(pal.color(QPalette::ButtonText));
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, element == PopupElement::Default ? defaultText_ : customText_);
}

void CColorPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Button));
    if (metrics_.hasDefault) paintElement(painter, PopupElement::Default);
    for (int i = 0; i < kPickerColourCount; ++i) paintElement(painter, i);
    if (metrics_.hasCustom) {
        // A separator above the custom box.
        const int y = layout_.customBox.top() - metrics_.margin;
        const int inset = 2 * metrics_.margin;
        painter.setPen(pal.color(QPalette::Dark));
        painter.drawLine(inset, y, width() - inset - 1, y);
        painter.setPen(pal.color(QPalette::Light));
        painter.drawLine(inset, y + 1, width() - inset - 1, y + 1);
        paintElement(painter, PopupElement::Custom);
    }
    qDrawShadePanel(&painter, rect(), pal, false, 1);
}

}  // namespace lumora
