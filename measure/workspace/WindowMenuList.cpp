#include "measure/workspace/WindowMenuList.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

namespace tessmet {

QString WindowListText(int index, const QString& title) {
    QString escaped = title;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(escaped);
}

WindowMenuList::WindowMenuList(QMenu& menu, QMdiArea& area, QObject* parent)
    : QObject(parent), menu_(menu), area_(area) {
    connect(&menu_, &QMenu::aboutToShow, this, &WindowMenuList::refresh);
}

void WindowMenuList::refresh() {
    for (QAction* entry : entries_) {
        menu_.removeAction(entry);
        delete entry;
    }
    entries_.clear();
    if (separator_) {
        menu_.removeAction(separator_);
        delete separator_;
        separator_ = nullptr;
    }

    QMdiSubWindow* active = area_.activeSubWindow() ? area_.activeSubWindow() : area_.currentSubWindow();
    for (QMdiSubWindow* window : area_.subWindowList(QMdiArea::CreationOrder)) {
        // A window that is closing is hidden before it goes.
        if (window->isHidden()) continue;
        if (entries_.size() == kMaxEntries) break;
        if (!separator_) separator_ = menu_.addSeparator();
        auto* entry = new QAction(WindowListText(static_cast<int>(entries_.size()), window->windowTitle()), &menu_);
        entry->setCheckable(true);
        entry->setChecked(window == active);
        connect(entry, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(window)] {
            if (target) area_.setActiveSubWindow(target);
        });
        menu_.addAction(entry);
        entries_.append(entry);
    }
}

}  // namespace tessmet
