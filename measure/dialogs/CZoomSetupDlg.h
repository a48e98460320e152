#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace tessmet {

// "Zoom Setup": one of seven display magnifications for the active image window. Opens on the
// smallest preset not below the window's zoom. Enter confirms only while OK has the focus.
class CZoomSetupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CZoomSetupDlg(double zoom, QWidget* parent = nullptr);

    int presetIndex() const { return preset_; }  // 1 (800 %) .. 7 (25 %)
    double chosenZoom() const;

    QRadioButton* presetButton(int index) const { return buttons_[static_cast<size_t>(index - 1)]; }
    QLabel* percentLabel() const { return percent_; }
    QPushButton* okButton() const { return ok_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choose(int index);

    int preset_ = 4;
    std::array<QRadioButton*, 7> buttons_{};
    QLabel* percent_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace tessmet
