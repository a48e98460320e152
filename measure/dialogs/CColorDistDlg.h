#pragma once

#include "measure/workspace/CTessmetView.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tessmet {

class MessagePresenter;

// The colour distribution window: the sums, means and shares of red, green and blue of the
// original picture over the region of interest of one image window, check boxes that put the
// chosen channels on the processing layer, and "Save", which appends the means and shares to
// the colour CSV file. Modeless, made once by the main window and only shown and hidden.
//
// It remembers the view it last computed for: activating that view's window again does not
// recompute, a new region does.
class CColorDistDlg : public QDialog {
    Q_OBJECT
public:
    struct Links {
        std::function<CTessmetView*()> activeView;           // of the active image window
        std::function<void(CTessmetView*)> layerWritten;     // processing layer on, recompose
        std::function<void()> closed;                        // the close box: the shown flag off
        MessagePresenter* messages = nullptr;                // for a Save that cannot write
        std::string csvPath;                                 // the colour CSV file
    };

    CColorDistDlg(Links links, QWidget* parent);

    // Whether an image window is open (set by the main window as windows come and go).
    void setDocumentOpen(bool open) { documentOpen_ = open; }
    bool documentOpen() const { return documentOpen_; }

    // Recomputes for the remembered view (or, with onActivation, for the active one unless it
    // is the remembered one). Does nothing while hidden.
    void RefreshDistribution(bool onActivation);
    void Save();

    CTessmetView* computedView() const { return view_; }
    // Texts of the fields 1801..1809 and 1814.
    QString fieldText(int id) const;
    QCheckBox* channelBox(int index) const { return channels_[static_cast<size_t>(index)]; }

    // Centre at the middle of `mainFrame`, top at (main top + main bottom) / 4 + own height / 2.
    void PlaceOver(const QRect& mainFrame);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showTexts(const std::array<QString, 10>& texts);
    void displayChannels();

    Links links_;
    bool documentOpen_ = false;
    QPointer<CTessmetView> view_;
    std::string documentPath_;
    std::array<QLineEdit*, 10> fields_{};  // 1801..1809, then 1814
    std::array<QCheckBox*, 3> channels_{};  // red, green, blue
    QPushButton* save_ = nullptr;
};

}  // namespace tessmet
