#pragma once

#include "measure/workspace/CTessmetView.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace tessmet {

class CTessmetView;
class MeasureDialogHost;

// "Measure Result": the measurements of one image window by kind, one row per measurement
// with its value and points, the selected one blinking in the image. Modeless; the main window
// makes it hidden at start and keeps it as long as itself. The list shows the view of the last
// RefreshResults until the next one.
class CMeasureResultDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBlinkIntervalMs = 750;
    // Control ids, also the widgets' object names.
    static constexpr int kClear = 1551;
    static constexpr int kDelete = 1552;
    static constexpr int kSaveData = 1553;
    static constexpr int kWindowChange = 1554;
    static constexpr int kKindList = 1561;
    static constexpr int kResultList = 1562;
    static constexpr int kFileName = 1563;

    CMeasureResultDlg(MeasureDialogHost& host, QWidget* parent = nullptr);
    ~CMeasureResultDlg() override;

    // Set while the main window has at least one image window.
    void setDocumentOpen(bool open);
    bool documentOpen() const { return documentOpen_; }

    // Rebuilds the list. `kind` 0..7 selects that kind first (a negative one keeps the
    // selection); with `onActivation` the active view is taken, and nothing changes when it is
    // the one already shown.
    void RefreshResults(int kind, bool onActivation);
    // The blinking record is drawn normally again and no row stays selected.
    void StopBlink();
    // One blink: the selected record drawn inverted (phase set) or with its own pen, and the
    // one that blinked before drawn normally when the selection moved.
    void Blink(bool phase);
    // What the 750 ms timer does: toggle the program-wide phase and blink.
    void BlinkTick();

    int kind() const { return kind_; }
    int row() const { return row_; }
    CTessmetView* shownView() const { return view_; }
    QTreeWidget& results() { return *results_; }
    QListWidget& kinds() { return *kinds_; }
    QLineEdit& fileName() { return *fileName_; }

signals:
    // The close box was used: the main window unchecks "Measure Result".
    void closedByUser();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void rebuild();
    void selectRow(int row);
    void deleteSelected();
    void clearAll();
    void changeWindow();
    void saveData();

    MeasureDialogHost& host_;
    bool documentOpen_ = false;
    QPointer<CTessmetView> view_;
    int kind_ = -1;
    int row_ = -1;
    int previousKind_ = -1;
    int previousRow_ = -1;
    bool busy_ = false;

    QLineEdit* fileName_ = nullptr;
    QListWidget* kinds_ = nullptr;
    QTreeWidget* results_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* windowChange_ = nullptr;
    QTimer timer_;

    static bool blinkPhase_;  // one phase for the whole program
};

}  // namespace tessmet
