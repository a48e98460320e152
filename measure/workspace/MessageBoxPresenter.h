#pragma once

#include "measure/workspace/ShowMessage.h"

#include <QMessageBox>
#include <QPointer>

class QWidget;

namespace tessmet {

// The program's message boxes: caption "ID:<id>", the icon by number, OK or Yes/No, always on
// top, and owned by whatever the user is working in: a modal dialog or tool window of the main
// window when one is active, otherwise the main window itself.
class MessageBoxPresenter : public MessagePresenter {
public:
    // `mainWindow` is not owned; while it is gone the boxes have no owner.
    explicit MessageBoxPresenter(QWidget* mainWindow);

    MessageAnswer present(const MessageRequest& request) override;

    // The window a box for `mainWindow` is shown over.
    static QWidget* OwnerFor(QWidget* mainWindow);
    static QMessageBox::Icon IconFor(int icon);

private:
    QPointer<QWidget> mainWindow_;
};

}  // namespace tessmet
