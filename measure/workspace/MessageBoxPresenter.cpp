#include "measure/workspace/MessageBoxPresenter.h"

#include <QApplication>
#include <QWidget>

namespace tessmet {
namespace {

// True when `window` is `mainWindow` or one of the windows it owns, at any depth.
bool BelongsTo(const QWidget* window, const QWidget* mainWindow) {
    for (const QWidget* w = window; w; w = w->parentWidget()) {
        if (w == mainWindow) return true;
    }
    return false;
}

}  // namespace

MessageBoxPresenter::MessageBoxPresenter(QWidget* mainWindow) : mainWindow_(mainWindow) {}

QMessageBox::Icon MessageBoxPresenter::IconFor(int icon) {
    switch (icon) {
        case MessageIcon::Stop: return QMessageBox::Critical;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Question: return QMessageBox::Question;
        default: return QMessageBox::Information;
    }
}

QWidget* MessageBoxPresenter::OwnerFor(QWidget* mainWindow) {
    if (!mainWindow) return nullptr;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && BelongsTo(modal, mainWindow)) return modal;
    if (QWidget* active = QApplication::activeWindow(); active && BelongsTo(active, mainWindow)) return active;
    return mainWindow;
}

MessageAnswer MessageBoxPresenter::present(const MessageRequest& request) {
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    QMessageBox box(IconFor(request.icon), QString::fromStdString(request.caption()),
                    QString::fromStdString(request.text()),
                    yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, OwnerFor(mainWindow_));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int pressed = box.exec();
    if (!yesNo) return MessageAnswer::Ok;
    // Closing the box without a button (Escape, the close box) counts as No.
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace tessmet
