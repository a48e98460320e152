#pragma once

#include <QDialog>

class QLineEdit;

namespace tessmet {

class MessagePresenter;

// "Input Calibration": the two resolutions before (read-only) and after (edited), in the
// display unit. OK needs both new values non-zero (message 12111 otherwise, the dialog stays).
class CInputCalibrationDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHorzBefore = 1651;
    static constexpr int kVertBefore = 1652;
    static constexpr int kHorzAfter = 1653;
    static constexpr int kVertAfter = 1654;
    static constexpr int kHorzLabel = 1655;
    static constexpr int kVertLabel = 1656;
    static constexpr int kOk = 1657;
    static constexpr int kCancel = 1658;

    CInputCalibrationDlg(MessagePresenter& messages, double horz, double vert, const QString& unitLabel,
                         QWidget* parent = nullptr);

    double horzAfter() const { return horzAfter_; }
    double vertAfter() const { return vertAfter_; }

private:
    void ok();

    MessagePresenter& messages_;
    QLineEdit* horzAfterEdit_ = nullptr;
    QLineEdit* vertAfterEdit_ = nullptr;
    double horzAfter_ = 0.0;
    double vertAfter_ = 0.0;
};

// A double as the dialogs show it in an edit ("0.00444", "4.84e-05"), and the text read back
// (0 for a text that is not a number).
QString DoubleText(double value);
double DoubleFromText(const QString& text);

}  // namespace tessmet
