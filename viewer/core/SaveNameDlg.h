#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace lumora {

// "Save": asks for the name of one capture, showing the proposed name. The caller trims and
// checks what comes back (ManualCaptureName).
class CSaveNameDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSaveNameDlg(const QString& proposedName, QWidget* parent = nullptr);

    QString name() const;

    QLineEdit* nameEdit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QLineEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace lumora
