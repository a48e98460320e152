#include "viewer/core/CalibrationDlg.h"

#include "viewer/core/CalibrationPane.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/core/SettingDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <cmath>

namespace lumora {
namespace {

QString DistanceText(double pixels) { return QString::asprintf("%.0f", pixels); }

// A stored value as the edit shows it: the shortest text that reads back the same double.
QString ValueText(double value) { return QString::number(value, 'g', 15); }

}  // namespace

QString CCalibrationDlg::InvalidValueMessage() {
    return QStringLiteral("Please enter a positive number.");
}

CCalibrationDlg::CCalibrationDlg(ViewerSettings& settings, CalibrationPane& pane, QWidget* parent)
    : QDialog(parent), settings_(settings), pane_(pane) {
    setWindowTitle(QStringLiteral("Calibration"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    setFont(font);
    setModal(false);
    setFixedSize(404, 124);

    auto* group = new QGroupBox(QStringLiteral("Please input a calibration data"), this);
    group->setGeometry(8, 6, 388, 78);
    auto* current = new QLabel(QStringLiteral("Current distance :"), this);
    current->setGeometry(18, 30, 112, 22);
    distance_ = new QLineEdit(this);
    distance_->setGeometry(132, 30, 52, 22);
    distance_->setEnabled(false);
    distance_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* pixels = new QLabel(QStringLiteral("Pixels"), this);
    pixels->setGeometry(190, 30, 38, 22);
    auto* equals = new QLabel(QStringLiteral("="), this);
    equals->setGeometry(228, 30, 14, 22);
    equals->setAlignment(Qt::AlignCenter);
    value_ = new QLineEdit(this);
    value_->setGeometry(246, 30, 66, 22);
    value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    unit_ = new QComboBox(this);
    unit_->setGeometry(318, 30, 68, 22);
    apply_ = new QCheckBox(QStringLiteral("Apply"), this);
    apply_->setGeometry(18, 56, 120, 20);

    start_ = new QPushButton(QStringLiteral("Start"), this);
    start_->setGeometry(8, 92, 88, 24);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setGeometry(212, 92, 88, 24);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setGeometry(308, 92, 88, 24);
    connect(start_, &QPushButton::clicked, this, &CCalibrationDlg::onStart);
    connect(ok_, &QPushButton::clicked, this, &CCalibrationDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CCalibrationDlg::reject);

    messenger_ = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Lumora"), text); };

    // Micrometres first, millimetres second, under their aliases when those are in use.
    const bool alias = settings_.useAlias != 0;
    unit_->addItem(alias ? QString::fromStdString(settings_.aliasUm) : QStringLiteral("um"));
    unit_->addItem(alias ? QString::fromStdString(settings_.aliasMm) : QStringLiteral("mm"));
    pixelCount_ = settings_.pixelCount;
    distance_->setText(DistanceText(pixelCount_));
    value_->setText(ValueText(settings_.calibrationValue));
    // Everything that reads the unit takes any value but 0 as millimetres.
    unit_->setCurrentIndex(settings_.calibrationUnit != 0 ? 1 : 0);
    apply_->setChecked(settings_.calibrationApplied != 0);
}

void CCalibrationDlg::SetCurrentDistance(double pixels) {
    pixelCount_ = pixels;
    distance_->setText(DistanceText(pixels));
}

void CCalibrationDlg::onStart() { pane_.SetCalibrationLineMode(true); }

void CCalibrationDlg::accept() {
    // Nothing measured yet, or a line of no length: there is nothing to divide by.
    if (pixelCount_ == 0.0) return;
    settings_.calibrationApplied = apply_->isChecked() ? 1 : 0;
    pane_.SetCalibrationLineMode(false);

    bool number = false;
    const double value = value_->text().trimmed().toDouble(&number);
    // A length of zero, a negative one or an infinite one would make every measurement
    // meaningless, so such a value is refused like text that is no number at all.
    if (!number || !std::isfinite(value) || value <= 0.0) {
        messenger_(InvalidValueMessage());
        value_->setFocus();
        value_->selectAll();
        return;
    }
    settings_.calibrationValue = value;
    settings_.pixelCount = pixelCount_;
    settings_.onePixelSize = value / pixelCount_;
    settings_.calibrationUnit = unit_->currentIndex() == 1 ? 1 : 0;
    // The write is tried twice; a file that still cannot be written leaves the calibration in
    // force for this run only, and the user is told so.
    if (!WriteCalibration(settings_)) messenger_(SaveFailedMessage(ViewerIniPath(settings_.applicationFolder)));
    pane_.ApplyCalibration();
    done(QDialog::Accepted);
}

// Cancel only hides: the values shown stay for the next opening and the pane stays in the
// line mode.
void CCalibrationDlg::reject() { done(QDialog::Rejected); }

}  // namespace lumora
