#include "measure/dialogs/CRoiSetupDlg.h"

#include "measure/dialogs/IntegerField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessmet {

std::optional<RegionOfInterest> RoiPreviewFor(int roiType, const std::optional<int>& startX,
                                              const std::optional<int>& startY, const std::optional<int>& endX,
                                              const std::optional<int>& endY) {
    if (!startX || !startY || !endX || !endY) return std::nullopt;
    if (*startX == *endX || *startY == *endY) return std::nullopt;
    const Point a{*startX, *startY}, b{*endX, *endY};
    if (roiType == RoiType::Rectangle) return RegionOfInterest::Rectangle(a, b);
    if (roiType == RoiType::Ellipse) return RegionOfInterest::Ellipse(a, b);
    return std::nullopt;
}

CRoiSetupDlg::CRoiSetupDlg(int roiType, const RoiEntry& entry,
                           std::function<void(const std::optional<RegionOfInterest>&)> preview, QWidget* parent)
    : QDialog(parent), roiType_(roiType), preview_(std::move(preview)) {
    setWindowTitle(tr("ROI Setup"));
    const int values[] = {entry.startX, entry.startY, entry.endX, entry.endY};
    const char* names[] = {"startX", "startY", "endX", "endY"};
    for (size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = MakeIntegerField(values[i], QString::fromLatin1(names[i]), this);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Horz"), this), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(tr("Vert"), this), 0, 2, Qt::AlignHCenter);
    grid->addWidget(new QLabel(tr("Start Point:"), this), 1, 0);
    grid->addWidget(fields_[0], 1, 1);
    grid->addWidget(fields_[1], 1, 2);
    grid->addWidget(new QLabel(tr("[pixel]"), this), 1, 3);
    grid->addWidget(new QLabel(tr("End Point:"), this), 2, 0);
    grid->addWidget(fields_[2], 2, 1);
    grid->addWidget(fields_[3], 2, 2);
    grid->addWidget(new QLabel(tr("[pixel]"), this), 2, 3);

    sameForAll_ = new QCheckBox(tr("The same ROI use by all pictures"), this);
    sameForAll_->setChecked(entry.sameForAll);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sameForAll_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QLineEdit* field : fields_) connect(field, &QLineEdit::textChanged, this, [this] { fieldsChanged(); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CRoiSetupDlg::fieldsChanged() {
    bool allNumbers = true;
    std::array<std::optional<int>, 4> v;
    for (size_t i = 0; i < fields_.size(); ++i) {
        v[i] = IntegerOf(fields_[i]->text());
        allNumbers = allNumbers && v[i].has_value();
    }
    // OK takes numbers only.
    ok_->setEnabled(allNumbers);
    if (preview_) preview_(RoiPreviewFor(roiType_, v[0], v[1], v[2], v[3]));
}

RoiEntry CRoiSetupDlg::entry() const {
    const auto value = [this](int i) { return IntegerOf(fields_[static_cast<size_t>(i)]->text()).value_or(0); };
    return {value(0), value(1), value(2), value(3), sameForAll_->isChecked()};
}

}  // namespace tessmet
