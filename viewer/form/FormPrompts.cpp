#include "viewer/form/FormPrompts.h"

#include "viewer/core/SaveNameDlg.h"
#include "viewer/core/SettingDlg.h"
#include "viewer/imaging/ImageView.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>

namespace lumora {

void DialogPrompts::Tell(const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information, caption, text,
                    QMessageBox::Ok, owner_);
    box.exec();
}

bool DialogPrompts::AskYesNo(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DialogPrompts::AskCaptureName(const QString& proposed) {
    CSaveNameDlg dialog(proposed, owner_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.name();
}

bool DialogPrompts::RunSettings(ViewerSettings& settings, SettingDlgHost& host) {
    CSettingDlg dialog(settings, host, owner_);
    return dialog.exec() == QDialog::Accepted;
}

void DialogPrompts::Print(CImageView& pane) { pane.Print(); }

void DialogPrompts::OpenUrl(const QUrl& url) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QDesktopServices::openUrl(url);
    QApplication::restoreOverrideCursor();
}

}  // namespace lumora
