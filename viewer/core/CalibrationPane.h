#pragma once

namespace lumora {

// What the calibration dialog needs of the first image pane. The pane draws the reference line
// and reports its length to the dialog (CCalibrationDlg::SetCurrentDistance); the dialog
// switches the line mode and has the pane take up a stored calibration.
class CalibrationPane {
public:
    virtual ~CalibrationPane() = default;

    // While on, a left-button drag on the pane draws one straight reference line (Shift snaps
    // it) and its length in pane pixels goes to the dialog as it changes.
    virtual void SetCalibrationLineMode(bool on) = 0;
    virtual bool CalibrationLineMode() const = 0;

    // Takes up the calibration now held in the settings (scale text, annotation lengths) and
    // redraws.
    virtual void ApplyCalibration() = 0;
};

}  // namespace lumora
