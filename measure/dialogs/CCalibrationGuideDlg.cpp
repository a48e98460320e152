#include "measure/dialogs/CCalibrationGuideDlg.h"

#include "measure/res/StringTable.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace tessmet {

CCalibrationGuideDlg::CCalibrationGuideDlg(QWidget* keyTarget, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), keyTarget_(keyTarget) {
    setModal(false);
    setWindowTitle(QString());
    auto* icon = new QLabel(this);
    icon->setObjectName(QString::number(kIcon));
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    line1_ = new QLabel(this);
    line1_->setObjectName(QString::number(kLine1));
    line2_ = new QLabel(this);
    line2_->setObjectName(QString::number(kLine2));
    line2_->setWordWrap(true);
    auto* lines = new QVBoxLayout;
    lines->addWidget(line1_);
    lines->addWidget(line2_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addLayout(lines, 1);
    resize(314, 81);
}

void CCalibrationGuideDlg::SetLines(int line1, int line2) {
    line1_->setText(QString::fromStdString(LoadString(line1)));
    line2_->setText(QString::fromStdString(LoadString(line2)));
}

QString CCalibrationGuideDlg::line1() const { return line1_->text(); }
QString CCalibrationGuideDlg::line2() const { return line2_->text(); }

void CCalibrationGuideDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            if (keyTarget_) {
                QKeyEvent forwarded(event->type(), event->key(), event->modifiers(), event->text());
                QApplication::sendEvent(keyTarget_, &forwarded);
            }
            event->accept();
            return;
        default: QDialog::keyPressEvent(event);
    }
}

}  // namespace tessmet
