#include "measure/dialogs/CDetectCenterDlg.h"

#include "measure/dialogs/ThresholdControls.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

namespace tessmet {

CDetectCenterDlg::CDetectCenterDlg(Detect detect, QWidget* parent) : QDialog(parent), detect_(std::move(detect)) {
    setWindowTitle(tr("Detect Center"));
    setObjectName(QStringLiteral("143"));
    auto* grid = new QGridLayout(this);
    auto* group = new QGroupBox(tr("Detect Type"), this);
    auto* groupLayout = new QVBoxLayout(group);
    gravity_ = new QRadioButton(tr("Center of Gravity"), group);
    gravity_->setObjectName(QStringLiteral("1231"));
    centre_ = new QRadioButton(tr("Center"), group);
    centre_->setObjectName(QStringLiteral("1232"));
    groupLayout->addWidget(gravity_);
    groupLayout->addWidget(centre_);
    gravity_->setChecked(true);
    grid->addWidget(group, 0, 0, 1, 5);
    grid->addWidget(new QLabel(tr("Detect Point:"), this), 1, 0);
    point_ = new QLineEdit(this);
    point_->setObjectName(QStringLiteral("1222"));
    grid->addWidget(point_, 1, 1, 1, 3);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 2, 0, 1, 5);
    thresholds_ = new ThresholdControls(this, grid, 3, {1201, 1202, 1203, 1204}, {1211, 1212, 1213, 1214});
    grid->addWidget(new QLabel(tr("Ratio:"), this), 5, 0);
    ratio_ = new QLineEdit(this);
    ratio_->setObjectName(QStringLiteral("1221"));
    grid->addWidget(ratio_, 5, 1, 1, 3);
    grid->addWidget(new QLabel(tr("Area:"), this), 6, 0);
    area_ = new QLineEdit(this);
    area_->setObjectName(QStringLiteral("1223"));
    grid->addWidget(area_, 6, 1, 1, 3);
    for (QLineEdit* e : {point_, ratio_, area_}) e->setReadOnly(true);

    connect(gravity_, &QRadioButton::clicked, this, [this] {
        type_ = 1;
        run();
    });
    connect(centre_, &QRadioButton::clicked, this, [this] {
        type_ = 0;
        run();
    });
    connect(thresholds_, &ThresholdControls::runRequested, this, [this] { run(); });
    connect(thresholds_, &ThresholdControls::notUseToggled, this, [this] { run(); });
    thresholds_->Open();
}

void CDetectCenterDlg::run() {
    thresholds_->ReadFields();
    const CentreOutcome o = detect_ ? detect_(thresholds_->max(), thresholds_->min(), type_) : CentreOutcome{};
    char point[96];
    std::snprintf(point, sizeof point, "(%.2f, %.2f)", o.cx, o.cy);
    point_->setText(QString::fromLatin1(point));
    ratio_->setText(RatioText(o.counts.marked, o.counts.roi));
    area_->setText(QString::fromStdString(o.counts.area));
}

QString CDetectCenterDlg::pointText() const { return point_->text(); }
QString CDetectCenterDlg::ratioText() const { return ratio_->text(); }
QString CDetectCenterDlg::areaText() const { return area_->text(); }

void CDetectCenterDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tessmet
