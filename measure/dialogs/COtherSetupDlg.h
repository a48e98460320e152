#pragma once

#include "measure/workspace/Settings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QSpinBox;

namespace tessmet {

// "Other Setup": centre-line offset and grid width, previewed in the active view while they
// change, the JPEG quality and the two measurement drawing options. Writes the settings it is
// given directly; Cancel puts the offset and grid back as they were at opening.
class COtherSetupDlg : public QDialog {
    Q_OBJECT
public:
    // What the dialog asks of the main window.
    struct Views {
        std::function<void()> repaintActive;  // the centre line moved
        std::function<void()> rebuildActive;  // the grid changed
        std::function<void()> rebuildAll;     // on OK and Cancel
    };

    COtherSetupDlg(Settings& settings, Views views, QWidget* parent = nullptr);

    QSpinBox* qualityField() const { return quality_; }
    QSpinBox* gridField() const { return grid_; }
    QSpinBox* offsetXField() const { return offsetX_; }
    QSpinBox* offsetYField() const { return offsetY_; }
    QCheckBox* arrowCheck() const { return arrow_; }
    QCheckBox* fillCheck() const { return fill_; }

    void accept() override;
    void reject() override;

private:
    void call(const std::function<void()>& f) const {
        if (f) f();
    }

    Settings& settings_;
    Views views_;
    int keptGrid_ = 0;
    int keptOffsetX_ = 0;
    int keptOffsetY_ = 0;
    QSpinBox* quality_ = nullptr;
    QSpinBox* grid_ = nullptr;
    QSpinBox* offsetX_ = nullptr;
    QSpinBox* offsetY_ = nullptr;
    QCheckBox* arrow_ = nullptr;
    QCheckBox* fill_ = nullptr;
};

}  // namespace tessmet
