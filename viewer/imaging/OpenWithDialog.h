#pragma once

#include "viewer/imaging/DesktopEntry.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QListWidget;

namespace lumora {

// "Open With": the installed applications that open the picture's kind of file, and "Other
// program..." for any program on the disk. The dialog only chooses; the caller starts the
// command.
class OpenWithDialog : public QDialog {
    Q_OBJECT
public:
    OpenWithDialog(const QString& filePath, std::vector<InstalledApplication> applications, QWidget* parent = nullptr);

    // The chosen program with its arguments, the file among them; empty until one was chosen.
    QStringList Command() const { return command_; }
    // Where "Other program..." gets its program from: a file dialog unless replaced. An empty
    // answer means the choice was cancelled.
    void setProgramChooser(std::function<QString()> chooser) { chooser_ = std::move(chooser); }

    QListWidget* Programs() const { return programs_; }
    QString Problem() const;

    void accept() override;

private:
    QString filePath_;
    std::vector<InstalledApplication> applications_;
    QStringList command_;
    std::function<QString()> chooser_;
    QListWidget* programs_;
    QLabel* problem_;
};

}  // namespace lumora
