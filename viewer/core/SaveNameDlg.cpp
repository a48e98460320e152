#include "viewer/core/SaveNameDlg.h"

#include <QLineEdit>
#include <QPushButton>

namespace lumora {

CSaveNameDlg::CSaveNameDlg(const QString& proposedName, QWidget* parent)
    : QDialog(parent),
      edit_(new QLineEdit(proposedName, this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QStringLiteral("Save"));
    // 221 x 103 with the frame and caption, as the setting dialog counts them.
    setFixedSize(221 - 6, 103 - 34);
    edit_->setGeometry(15, 10, 189, 21);
    ok_->setGeometry(15, 38, 88, 21);
    cancel_->setGeometry(112, 38, 88, 21);
    edit_->selectAll();
    edit_->setFocus();
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QString CSaveNameDlg::name() const { return edit_->text(); }

}  // namespace lumora
