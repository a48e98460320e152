#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMdiArea;
class QMenu;

namespace tessmet {

// The text of the index-th (0-based) entry of the Window menu's list: "&1 Pic00001.jpg : 100%",
// an ampersand of the title doubled so it shows as one.
QString WindowListText(int index, const QString& title);

// The list of open pictures at the end of the Window menu: up to the first nine windows in the
// order they were opened, numbered 1 to 9 as their keys, the active one checked. Choosing an
// entry activates its window. The list is made afresh each time the menu opens.
class WindowMenuList : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxEntries = 9;

    WindowMenuList(QMenu& menu, QMdiArea& area, QObject* parent = nullptr);

    void refresh();
    const QList<QAction*>& entries() const { return entries_; }

private:
    QMenu& menu_;
    QMdiArea& area_;
    QAction* separator_ = nullptr;
    QList<QAction*> entries_;
};

}  // namespace tessmet
