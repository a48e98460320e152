#include "measure/workspace/CommandActions.h"

#include "measure/workspace/RecentFileList.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace tessmet {

CommandActions::CommandActions(QMainWindow& window, Trigger trigger)
    : QObject(&window), window_(window), trigger_(std::move(trigger)) {
    for (const CommandInfo& info : Commands()) actions_.insert(info.id, makeAction(info));

    for (const MenuId id : MenuBar()) {
        QMenu* menu = buildMenu(id, &window_);
        window_.menuBar()->addMenu(menu);
        topLevel_.append(menu);
    }

    for (const ToolbarInfo& info : Toolbars()) {
        auto* bar = new QToolBar(QString::fromStdString(ToolbarTitle(info.id)), &window_);
        bar->setObjectName(QString::fromLatin1(info.objectName));
        bar->setIconSize(QSize(24, 24));
        for (const int command : info.buttons) {
            if (command == 0) {
                bar->addSeparator();
            } else if (QAction* a = action(command)) {
                bar->addAction(a);
            }
        }
        window_.addToolBar(Qt::TopToolBarArea, bar);
        toolbars_.insert(static_cast<int>(info.id), bar);
    }

    // Commands with keys but no menu entry (the arrow keys) still need to reach the window.
    for (const CommandInfo& info : Commands()) {
        QAction* a = action(info.id);
        if (!a->shortcut().isEmpty() && info.menu == MenuId::None) window_.addAction(a);
    }
}

QAction* CommandActions::makeAction(const CommandInfo& info) {
    auto* a = new QAction(QString::fromStdString(MenuText(info.id)), this);
    a->setObjectName(QStringLiteral("command%1").arg(info.id));
    a->setData(info.id);
    a->setCheckable(info.checkable);
    a->setStatusTip(QString::fromStdString(CommandStatusText(info.id)));
    const std::string tooltip = CommandTooltip(info.id);
    if (!tooltip.empty()) a->setToolTip(QString::fromStdString(tooltip));
    if (info.icon) a->setIcon(QIcon(QString::fromLatin1(info.icon)));
    QList<QKeySequence> keys;
    for (const std::string& k : AcceleratorsOf(info.id)) keys.append(QKeySequence(QString::fromStdString(k)));
    a->setShortcuts(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    // A checkable action flips its own check on a click; the window decides what is checked
    // (a tool or flag may be refused), so the check follows the window's state, not the click.
    connect(a, &QAction::triggered, this, [this, a, id = info.id] {
        if (a->isCheckable()) a->setChecked(!a->isChecked());
        trigger_(id);
    });
    return a;
}

QMenu* CommandActions::buildMenu(MenuId id, QWidget* parent) {
    auto* menu = new QMenu(QString::fromStdString(MenuTitle(id)), parent);
    menus_.insert(static_cast<int>(id), menu);
    for (const MenuItem& item : MenuItems(id)) {
        switch (item.kind) {
            case MenuItem::Kind::Command:
                if (QAction* a = action(item.command)) menu->addAction(a);
                break;
            case MenuItem::Kind::Separator: menu->addSeparator(); break;
            case MenuItem::Kind::Submenu: menu->addMenu(buildMenu(item.submenu, menu)); break;
            case MenuItem::Kind::RecentFiles:
                for (int i = 0; i < CommandId::RecentFileCount; ++i) {
                    QAction* a = action(CommandId::RecentFileFirst + i);
                    a->setVisible(false);
                    menu->addAction(a);
                }
                break;
        }
    }
    return menu;
}

void CommandActions::setRecentFiles(const std::vector<std::string>& files) {
    for (int i = 0; i < CommandId::RecentFileCount; ++i) {
        QAction* a = action(CommandId::RecentFileFirst + i);
        const bool present = i < static_cast<int>(files.size());
        a->setVisible(present);
        if (present) {
            a->setText(QString::fromStdString(RecentFileList::MenuText(i, files[static_cast<size_t>(i)])));
            a->setStatusTip(QString::fromStdString(files[static_cast<size_t>(i)]));
        }
    }
}

void CommandActions::setChecked(int commandId, bool checked) {
    if (QAction* a = action(commandId); a && a->isCheckable() && a->isChecked() != checked) a->setChecked(checked);
}

void CommandActions::setEnabled(int commandId, bool enabled) {
    if (QAction* a = action(commandId); a && a->isEnabled() != enabled) a->setEnabled(enabled);
}

}  // namespace tessmet
