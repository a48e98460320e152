#pragma once

#include "viewer/core/ViewerSettings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace lumora {

class CalibrationPane;

// "Calibration": the user draws a reference line on the first pane ("Start"), types its true
// length and unit, and "OK" makes one pixel that length divided by the line's pixel count. The
// result goes into the settings, into the CALIBRATION section of lumora.ini and to the pane.
// Modeless: made once by the main form, then only shown and hidden; the controls keep what
// they show between openings.
class CCalibrationDlg : public QDialog {
    Q_OBJECT

public:
    // `settings` and `pane` outlive the dialog.
    CCalibrationDlg(ViewerSettings& settings, CalibrationPane& pane, QWidget* parent = nullptr);

    // The pane's report while the reference line is drawn: its length in pane pixels.
    void SetCurrentDistance(double pixels);
    double currentDistance() const { return pixelCount_; }

    // How a refused value or a file that cannot be written is reported (a message box unless
    // replaced).
    void setMessenger(std::function<void(const QString&)> messenger) { messenger_ = std::move(messenger); }

    QLineEdit* distanceEdit() const { return distance_; }
    QLineEdit* valueEdit() const { return value_; }
    QComboBox* unitCombo() const { return unit_; }
    QCheckBox* applyCheck() const { return apply_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // The refusal text for a value that is not a positive number.
    static QString InvalidValueMessage();

public slots:
    void accept() override;
    void reject() override;

private:
    void onStart();

    ViewerSettings& settings_;
    CalibrationPane& pane_;
    double pixelCount_ = 0.0;
    std::function<void(const QString&)> messenger_;

    QLineEdit* distance_;
    QLineEdit* value_;
    QComboBox* unit_;
    QCheckBox* apply_;
    QPushButton* start_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace lumora
