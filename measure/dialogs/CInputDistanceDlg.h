#pragma once

#include <QDialog>

class QLineEdit;

namespace tessmet {

class MessagePresenter;

// "Input Distance": the lengths of the two calibration objects in the run's unit. It closes
// only through OK with both values non-zero (message 12121 otherwise, the focus back on the
// first); Escape and the close box do nothing. Negative values are taken.
class CInputDistanceDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFirst = 1751;
    static constexpr int kFirstLabel = 1752;
    static constexpr int kSecond = 1753;
    static constexpr int kSecondLabel = 1754;
    static constexpr int kOk = 1755;

    CInputDistanceDlg(MessagePresenter& messages, const QString& unitLabel, QWidget* parent = nullptr);

    double first() const { return first_; }
    double second() const { return second_; }

    void reject() override {}

private:
    void ok();

    MessagePresenter& messages_;
    QLineEdit* firstEdit_ = nullptr;
    QLineEdit* secondEdit_ = nullptr;
    double first_ = 0.0;
    double second_ = 0.0;
};

}  // namespace tessmet
