#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

namespace tessmet {

// "About Tessmet": the program's icon, name and version and the maker's web address. The
// address only opens once the icon has been clicked five times in this program run, so a stray
// click in the box does not start a browser.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClicksToUnlock = 5;
    // `iconClicks` counts the clicks on the icon for the whole program run; it outlives the box.
    // `openUrl` opens the address (the desktop's browser in the program, a recorder in tests).
    AboutDialog(int& iconClicks, std::function<void(const QUrl&)> openUrl, QWidget* parent = nullptr);

    static QUrl WebAddress();

    // What a click on the icon and on the address do (also reachable from tests).
    void iconClicked();
    void addressClicked();

private:
    int& iconClicks_;
    std::function<void(const QUrl&)> openUrl_;
};

}  // namespace tessmet
