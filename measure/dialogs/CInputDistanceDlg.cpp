#include "measure/dialogs/CInputDistanceDlg.h"

#include "measure/dialogs/CInputCalibrationDlg.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/ShowMessage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessmet {

CInputDistanceDlg::CInputDistanceDlg(MessagePresenter& messages, const QString& unitLabel, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), messages_(messages) {
    setWindowTitle(tr("Input Distance"));
    const auto edit = [this](int id) {
        auto* e = new QLineEdit(DoubleText(0.0), this);
        e->setObjectName(QString::number(id));
        return e;
    };
    const auto label = [this, &unitLabel](int id) {
        auto* l = new QLabel(unitLabel, this);
        l->setObjectName(QString::number(id));
        return l;
    };
    firstEdit_ = edit(kFirst);
    secondEdit_ = edit(kSecond);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("1st:"), this), 0, 0);
    grid->addWidget(firstEdit_, 0, 1);
    grid->addWidget(label(kFirstLabel), 0, 2);
    grid->addWidget(new QLabel(tr("2nd:"), this), 1, 0);
    grid->addWidget(secondEdit_, 1, 1);
    grid->addWidget(label(kSecondLabel), 1, 2);
    auto* okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QString::number(kOk));
    okButton->setDefault(true);
    grid->addWidget(okButton, 0, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Please input measurement distance"), this));
    layout->addLayout(grid);
    connect(okButton, &QPushButton::clicked, this, [this] { ok(); });
}

void CInputDistanceDlg::ok() {
    const double first = DoubleFromText(firstEdit_->text());
    const double second = DoubleFromText(secondEdit_->text());
    if (first == 0.0 || second == 0.0) {
        ShowMessage(messages_, StringId::ZeroDistance, MessageIcon::Exclamation);
        firstEdit_->setFocus();
        return;
    }
    first_ = first;
    second_ = second;
    accept();
}

}  // namespace tessmet
