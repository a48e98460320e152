#pragma once

#include <QDialog>

class QLabel;

namespace tessmet {

// The calibration run's guide: an information icon and two lines telling the user what to
// click next. Modeless, without a caption text or a close box; Enter and Escape go on to the
// main window, so Escape there interrupts the run.
class CCalibrationGuideDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIcon = 1701;
    static constexpr int kLine1 = 1702;
    static constexpr int kLine2 = 1703;

    // `keyTarget` receives Enter and Escape (the main window).
    explicit CCalibrationGuideDlg(QWidget* keyTarget, QWidget* parent = nullptr);

    // The two lines as string ids.
    void SetLines(int line1, int line2);
    QString line1() const;
    QString line2() const;

    void reject() override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* keyTarget_;
    QLabel* line1_ = nullptr;
    QLabel* line2_ = nullptr;
};

}  // namespace tessmet
