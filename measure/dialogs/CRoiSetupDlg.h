#pragma once

#include "measure/core/RegionOfInterest.h"
#include "measure/dialogs/CoordinateMemory.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tessmet {

// The outline a region dialog previews for two typed corners: the rectangle or ellipse through
// them, or nothing while a field holds no number or the corners share a column or a row.
std::optional<RegionOfInterest> RoiPreviewFor(int roiType, const std::optional<int>& startX,
                                              const std::optional<int>& startY, const std::optional<int>& endX,
                                              const std::optional<int>& endY);

// "ROI Setup": a rectangular or elliptic region of interest by its two corners in image pixels,
// optionally for every open picture. Each change of a corner field hands the outline to
// `preview` (nothing when there is none to show), which the active view draws until its next
// rebuild.
class CRoiSetupDlg : public QDialog {
    Q_OBJECT
public:
    CRoiSetupDlg(int roiType, const RoiEntry& entry,
                 std::function<void(const std::optional<RegionOfInterest>&)> preview, QWidget* parent = nullptr);

    // The fields as typed; valid once the dialog ended with OK.
    RoiEntry entry() const;

    QLineEdit* field(int index) const { return fields_[static_cast<size_t>(index)]; }  // start x, y, end x, y
    QCheckBox* sameForAllCheck() const { return sameForAll_; }

private:
    void fieldsChanged();

    int roiType_;
    std::function<void(const std::optional<RegionOfInterest>&)> preview_;
    std::array<QLineEdit*, 4> fields_{};
    QCheckBox* sameForAll_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace tessmet
