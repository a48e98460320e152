#include "viewer/core/CameraControlsDialog.h"

#include "viewer/core/CaptureDevice.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace lumora {

CameraControlsDialog::CameraControlsDialog(CCaptureDevice& device, QWidget* parent)
    : QDialog(parent), device_(device), opened_(device.Controls()) {
    setWindowTitle(QStringLiteral("Video"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    int row = 0;
    for (const CameraControl& control : opened_) {
        const uint32_t id = control.id;
        grid->addWidget(new QLabel(QString::fromStdString(control.name), this), row, 0);
        if (control.kind == CameraControl::Kind::Boolean) {
            auto* box = new QCheckBox(this);
            box->setChecked(control.value != 0);
            connect(box, &QCheckBox::toggled, this, [this, id](bool on) { device_.SetControl(id, on ? 1 : 0); });
            grid->addWidget(box, row, 1);
            checkBoxes_[id] = box;
        } else {
            auto* slider = new QSlider(Qt::Horizontal, this);
            slider->setRange(control.minimum, control.maximum);
            slider->setSingleStep(control.step);
            slider->setPageStep(std::max(control.step, (control.maximum - control.minimum) / 10));
            slider->setValue(control.value);
            slider->setMinimumWidth(220);
            auto* value = new QLabel(QString::number(control.value), this);
            value->setMinimumWidth(48);
            connect(slider, &QSlider::valueChanged, this, [this, id, value](int v) {
                value->setText(QString::number(v));
                device_.SetControl(id, v);
            });
            grid->addWidget(slider, row, 1);
            grid->addWidget(value, row, 2);
            sliders_[id] = slider;
        }
        ++row;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QAbstractSlider* CameraControlsDialog::sliderFor(uint32_t id) const {
    const auto it = sliders_.find(id);
    return it == sliders_.end() ? nullptr : it->second;
}

QCheckBox* CameraControlsDialog::checkBoxFor(uint32_t id) const {
    const auto it = checkBoxes_.find(id);
    return it == checkBoxes_.end() ? nullptr : it->second;
}

void CameraControlsDialog::reject() {
    for (const CameraControl& control : opened_) device_.SetControl(control.id, control.value);
    QDialog::reject();
}

void ShowPropertyPages(CCaptureDevice& device, QWidget* owner) {
    if (!device.IsOpen() || device.Controls().empty()) return;
    CameraControlsDialog dialog(device, owner);
    dialog.move(owner ? owner->mapToGlobal(QPoint(30, 30)) : QPoint(30, 30));
    dialog.exec();
}

}  // namespace lumora
