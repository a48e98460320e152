#pragma once

#include "measure/res/CommandTable.h"

#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace tessmet {

// The main window's actions, menus, toolbars and accelerators, built from the command table.
// Every action triggers one callback with its command id, so the window routes commands in one
// place; menus and bars only show them.
class CommandActions : public QObject {
    Q_OBJECT
public:
    using Trigger = std::function<void(int commandId)>;

    // Builds everything into `window`: the menu bar, the four toolbars (docked at the top, with
    // the object names their docking state is saved under) and the shortcuts.
    CommandActions(QMainWindow& window, Trigger trigger);

    // nullptr for an id without an action.
    QAction* action(int commandId) const { return actions_.value(commandId, nullptr); }
    QToolBar* toolbar(ToolbarId id) const { return toolbars_.value(static_cast<int>(id), nullptr); }
    QMenu* menu(MenuId id) const { return menus_.value(static_cast<int>(id), nullptr); }
    // The top-level menus from File to Help.
    QList<QMenu*> topLevelMenus() const { return topLevel_; }

    // Shows the recent files under their four commands (an empty list hides them).
    void setRecentFiles(const std::vector<std::string>& files);

    void setChecked(int commandId, bool checked);
    void setEnabled(int commandId, bool enabled);

private:
    QAction* makeAction(const CommandInfo& info);
    QMenu* buildMenu(MenuId id, QWidget* parent);

    QMainWindow& window_;
    Trigger trigger_;
    QHash<int, QAction*> actions_;
    QHash<int, QToolBar*> toolbars_;
    QHash<int, QMenu*> menus_;
    QList<QMenu*> topLevel_;
    QAction* recentSeparator_ = nullptr;
};

}  // namespace tessmet
