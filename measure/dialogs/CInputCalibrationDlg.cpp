#include "measure/dialogs/CInputCalibrationDlg.h"

#include "measure/res/StringTable.h"
#include "measure/workspace/ShowMessage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessmet {

QString DoubleText(double value) { return QString::number(value, 'g', 15); }

double DoubleFromText(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

CInputCalibrationDlg::CInputCalibrationDlg(MessagePresenter& messages, double horz, double vert,
                                           const QString& unitLabel, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setWindowTitle(tr("Input Calibration"));
    const auto edit = [this](int id, double value, bool readOnly) {
        auto* e = new QLineEdit(DoubleText(value), this);
        e->setObjectName(QString::number(id));
        e->setReadOnly(readOnly);
        return e;
    };
    const auto label = [this](int id, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::number(id));
        return l;
    };
    horzAfterEdit_ = edit(kHorzAfter, horz, false);
    vertAfterEdit_ = edit(kVertAfter, vert, false);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Before"), this), 0, 1);
    grid->addWidget(new QLabel(tr("After"), this), 0, 3);
    grid->addWidget(new QLabel(tr("Horz:"), this), 1, 0);
    grid->addWidget(edit(kHorzBefore, horz, true), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("->"), this), 1, 2);
    grid->addWidget(horzAfterEdit_, 1, 3);
    grid->addWidget(label(kHorzLabel, unitLabel), 1, 4);
    grid->addWidget(new QLabel(tr("Vert:"), this), 2, 0);
    grid->addWidget(edit(kVertBefore, vert, true), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("->"), this), 2, 2);
    grid->addWidget(vertAfterEdit_, 2, 3);
    grid->addWidget(label(kVertLabel, unitLabel), 2, 4);

    auto* okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QString::number(kOk));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QString::number(kCancel));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    connect(okButton, &QPushButton::clicked, this, [this] { ok(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CInputCalibrationDlg::ok() {
    const double h = DoubleFromText(horzAfterEdit_->text());
    const double v = DoubleFromText(vertAfterEdit_->text());
    if (h == 0.0 || v == 0.0) {
        ShowMessage(messages_, StringId::NonZeroResolution, MessageIcon::Exclamation);
        return;
    }
    horzAfter_ = h;
    vertAfter_ = v;
    accept();
}

}  // namespace tessmet
