#pragma once

#include "measure/core/Calibration.h"
#include "measure/workspace/CTessmetView.h"

#include <QDialog>
#include <QPointer>

#include <optional>
#include <string>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tessmet {

class CTessmetView;
class MeasureDialogHost;

// The solution of a calibration run that just succeeded, in the unit the run used.
struct CalibrationRunResult {
    UnitType unit = Unit::Millimetre;
    double hResolution = 0.0;
    double vResolution = 0.0;
};

// "Calibration Setup" on the active image: the display unit, the two resolutions (shown in
// that unit with three significant digits, kept in millimetres per pixel), the magnification
// sidecar, saving and loading calibration files, and the start of a calibration run. Nothing
// reaches the image until OK, which stores into the document, writes its calibration file and
// redraws every measurement with the new calibration.
class CCalibrationSetupDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids, also the widgets' object names.
    static constexpr int kPictureName = 1601;
    static constexpr int kSetupName = 1602;
    static constexpr int kMagName = 1603;
    static constexpr int kPixel = 1604;  // ..1607 the four unit buttons
    static constexpr int kHorz = 1608;
    static constexpr int kVert = 1609;
    static constexpr int kUnitLabel = 1610;
    static constexpr int kLoadMag = 1611;
    static constexpr int kCalibration = 1612;
    static constexpr int kEdit = 1613;
    static constexpr int kOk = 1614;
    static constexpr int kCancel = 1615;
    static constexpr int kSharedButton = 1616;
    static constexpr int kWindowChange = 1617;
    static constexpr int kSaveData = 1618;
    static constexpr int kLoadData = 1619;
    static constexpr int kSharedCheck = 1621;

    CCalibrationSetupDlg(MeasureDialogHost& host, std::optional<CalibrationRunResult> runResult = std::nullopt,
                         QWidget* parent = nullptr);

    UnitType unit() const { return unit_; }
    double hWork() const { return hWork_; }
    double vWork() const { return vWork_; }
    // Set by "Calibration": the dialog ended so that a run can start in requestedUnit().
    bool calibrationRequested() const { return calibrationRequested_; }
    UnitType requestedUnit() const { return requestedUnit_; }

private:
    void takeDocument();
    void display();
    void selectUnit(UnitType unit);
    void unitChosen(UnitType unit);
    void edit();
    void loadMagnification();
    void saveData();
    void loadData();
    void ok();
    void requestCalibration();
    void changeWindow();

    MeasureDialogHost& host_;
    QPointer<CTessmetView> view_;
    UnitType unit_ = Unit::Pixel;
    double hWork_ = 0.0;
    double vWork_ = 0.0;
    double hShown_ = 0.0;
    double vShown_ = 0.0;
    bool calibrationRequested_ = false;
    UnitType requestedUnit_ = Unit::Pixel;

    QLineEdit* pictureName_ = nullptr;
    QLineEdit* setupName_ = nullptr;
    QLineEdit* magName_ = nullptr;
    QLineEdit* horz_ = nullptr;
    QLineEdit* vert_ = nullptr;
    QLabel* unitLabel_ = nullptr;
    QButtonGroup* units_ = nullptr;
    QPushButton* loadMag_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* calibration_ = nullptr;
    QPushButton* windowChange_ = nullptr;
    QCheckBox* sharedCheck_ = nullptr;
    QPushButton* sharedButton_ = nullptr;
};

}  // namespace tessmet
