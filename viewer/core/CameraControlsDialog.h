#pragma once

#include "viewer/core/CameraBackend.h"

#include <QDialog>

#include <map>

class QAbstractSlider;
class QCheckBox;

namespace lumora {

class CCaptureDevice;

// The camera's own settings, one row per control: a slider with its value for numbers and
// menus, a check box for switches. A change reaches the camera at once; Cancel puts back the
// values the dialog found when it opened.
class CameraControlsDialog : public QDialog {
    Q_OBJECT
public:
    CameraControlsDialog(CCaptureDevice& device, QWidget* parent = nullptr);

    // The value row of a control by its id, for tests and keyboard users alike.
    QAbstractSlider* sliderFor(uint32_t id) const;
    QCheckBox* checkBoxFor(uint32_t id) const;

    void reject() override;

private:
    CCaptureDevice& device_;
    std::vector<CameraControl> opened_;  // as the dialog found them
    std::map<uint32_t, QAbstractSlider*> sliders_;
    std::map<uint32_t, QCheckBox*> checkBoxes_;
};

// Opens the controls dialog modally, captioned "Video", at (30, 30) in the owner's
// coordinates. Nothing happens when no camera is open or it has no controls.
void ShowPropertyPages(CCaptureDevice& device, QWidget* owner);

}  // namespace lumora
