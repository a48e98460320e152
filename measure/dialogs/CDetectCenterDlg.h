#pragma once

#include "measure/dialogs/CBinaryImageDlg.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QRadioButton;

namespace tessmet {

class ThresholdControls;

struct CentreOutcome {
    ThresholdOutcome counts;
    double cx = 0;
    double cy = 0;
};

// "Detect Center": binarises as "Binary Image" does and shows the centre of the marked pixels,
// weighted by grey level ("Center of Gravity", the default) or plain ("Center"). Every change
// of a threshold or of the type runs again.
class CDetectCenterDlg : public QDialog {
    Q_OBJECT
public:
    using Detect = std::function<CentreOutcome(int max, int min, int type)>;

    CDetectCenterDlg(Detect detect, QWidget* parent);

    ThresholdControls& thresholds() { return *thresholds_; }
    int type() const { return type_; }
    QString pointText() const;
    QString ratioText() const;
    QString areaText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void run();

    Detect detect_;
    int type_ = 1;
    ThresholdControls* thresholds_ = nullptr;
    QRadioButton* gravity_ = nullptr;
    QRadioButton* centre_ = nullptr;
    QLineEdit* point_ = nullptr;
    QLineEdit* ratio_ = nullptr;
    QLineEdit* area_ = nullptr;
};

}  // namespace tessmet
