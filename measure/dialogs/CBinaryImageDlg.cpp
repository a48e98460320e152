#include "measure/dialogs/CBinaryImageDlg.h"

#include "measure/dialogs/ThresholdControls.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace tessmet {

QString RatioText(long long marked, long long roi) { return QStringLiteral("%1/%2").arg(marked).arg(roi); }

CBinaryImageDlg::CBinaryImageDlg(Binarise binarise, QWidget* parent) : QDialog(parent), binarise_(std::move(binarise)) {
    setWindowTitle(tr("Binary Image"));
    setObjectName(QStringLiteral("142"));
    auto* grid = new QGridLayout(this);
    thresholds_ = new ThresholdControls(this, grid, 0, {1151, 1152, 1153, 1154}, {1161, 1162, 1163, 1164});
    grid->addWidget(new QLabel(tr("Ratio:"), this), 2, 0);
    ratio_ = new QLineEdit(this);
    ratio_->setObjectName(QStringLiteral("1171"));
    grid->addWidget(ratio_, 2, 1, 1, 3);
    grid->addWidget(new QLabel(tr("Area:"), this), 3, 0);
    area_ = new QLineEdit(this);
    area_->setObjectName(QStringLiteral("1172"));
    grid->addWidget(area_, 3, 1, 1, 3);
    for (QLineEdit* e : {ratio_, area_}) e->setReadOnly(true);
    connect(thresholds_, &ThresholdControls::runRequested, this, [this] { run(); });
    connect(thresholds_, &ThresholdControls::notUseToggled, this, [this](bool checked) {
        if (!checked) run();
    });
    thresholds_->Open();
}

void CBinaryImageDlg::run() {
    thresholds_->ReadFields();
    const ThresholdOutcome outcome = binarise_ ? binarise_(thresholds_->max(), thresholds_->min()) : ThresholdOutcome{};
    ratio_->setText(RatioText(outcome.marked, outcome.roi));
    area_->setText(QString::fromStdString(outcome.area));
}

QString CBinaryImageDlg::ratioText() const { return ratio_->text(); }
QString CBinaryImageDlg::areaText() const { return area_->text(); }

void CBinaryImageDlg::keyPressEvent(QKeyEvent* event) {
    // Enter closes the dialog as Escape does; the layer keeps the last result either way.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tessmet
