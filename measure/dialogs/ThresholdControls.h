#pragma once

#include <QObject>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QSlider;
class QToolButton;
class QWidget;

namespace tessmet {

// One threshold row of the processing dialogs: the integer edit, its up-down buttons and the
// slider (both 0..255) and the hidden "Not Use" box, named by their control ids.
struct ThresholdRow {
    QLineEdit* edit = nullptr;
    QToolButton* up = nullptr;
    QToolButton* down = nullptr;
    QSlider* slider = nullptr;
    QCheckBox* notUse = nullptr;
};

// The max and min rows and their rules, shared by "Binary Image" and "Detect Center":
// - a change of an edit's text runs the operation (runRequested) and moves its slider;
// - a slider moving (also while it is dragged) takes its value into the edit, pushing the
//   other slider along when they cross, so the layer follows the drag;
// - a slider let go runs the operation;
// - clearing a hidden "Not Use" box greys its row and sets max 255 / min 0.
// The runs are coalesced: however many changes arrive in one pass of the event loop (a fast
// drag over a large picture), the operation runs once, with the latest values.
class ThresholdControls : public QObject {
    Q_OBJECT
public:
    // Adds the two rows to `grid` at rows `firstRow` and firstRow + 1, with the ids of the max
    // edit, spin, slider, box and of the min edit, spin, slider, box.
    ThresholdControls(QWidget* dialog, QGridLayout* grid, int firstRow, const int (&maxIds)[4], const int (&minIds)[4]);

    int max() const { return max_; }
    int min() const { return min_; }
    const ThresholdRow& maxRow() const { return maxRow_; }
    const ThresholdRow& minRow() const { return minRow_; }

    // Shows the fields (max = min = 0): the first run follows at once.
    void Open();
    // Reads both edits into the values (an edit that holds no integer keeps its value).
    void ReadFields();

signals:
    void runRequested();
    // A hidden box changed; `checked` its new state.
    void notUseToggled(bool checked);

private:
    ThresholdRow makeRow(QWidget* dialog, QGridLayout* grid, int row, const char* label, const int (&ids)[4]);
    void textChanged(bool isMax);
    void sliderMoved(bool isMax, int value);
    void step(bool isMax, int delta);
    void boxToggled(bool isMax, bool checked);
    void requestRun();

    ThresholdRow maxRow_;
    ThresholdRow minRow_;
    int max_ = 0;
    int min_ = 0;
    bool runPending_ = false;
    bool writing_ = false;
};

}  // namespace tessmet
