#include "measure/workspace/TextEntry.h"

#include <QEventLoop>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPointer>

#include <algorithm>

namespace tessmet {

TextEntryBox::TextEntryBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(kMaxLength);
    setFrame(false);
}

void TextEntryBox::finish(bool accepted) {
    if (finished_) return;
    finished_ = true;
    accepted_ = accepted;
    emit finished(accepted);
}

void TextEntryBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: finish(true); return;
        case Qt::Key_Escape: finish(false); return;
        default: QLineEdit::keyPressEvent(event); return;
    }
}

void TextEntryBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A pop-up's own menus (the context menu) take the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason) finish(false);
}

void TextEntryBox::hideEvent(QHideEvent* event) {
    QLineEdit::hideEvent(event);
    finish(false);
}

std::optional<QString> RunTextEntry(QWidget* over, const QRect& clientBox, const QFont& font,
                                    const std::function<void(QLineEdit*)>& opened) {
    TextEntryBox box;
    box.setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    box.setFont(font);
    // A box of no width could not take a character; keep it at least one square.
    const int height = std::max(clientBox.height(), 1);
    const QPoint topLeft = over ? over->mapToGlobal(clientBox.topLeft()) : clientBox.topLeft();
    box.setGeometry(QRect(topLeft, QSize(std::max(clientBox.width(), height), height)));

    QEventLoop loop;
    QObject::connect(&box, &TextEntryBox::finished, &loop, &QEventLoop::quit);
    box.show();
    box.activateWindow();
    box.setFocus(Qt::PopupFocusReason);
    if (opened) opened(&box);
    if (!box.isFinished()) loop.exec();
    box.hide();
    if (!box.isAccepted()) return std::nullopt;
    return box.text();
}

}  // namespace tessmet
