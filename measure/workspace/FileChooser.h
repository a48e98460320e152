#pragma once

#include <QStringList>

#include <memory>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace tessmet {

// The file dialogs of the main window, behind an interface so tests can answer them.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // File Open: a picture that exists, starting in `folder`.
    virtual std::optional<std::string> openImage(const std::string& folder) = 0;
    // Save As: a picture name to write, starting in `folder`.
    virtual std::optional<std::string> saveImage(const std::string& folder) = 0;
};

// The name filters of the two dialogs, in the application's language: "Image File (*.bmp,*.jpg)",
// "Bitmap (*.bmp)" and "JPEG (*.jpg)" for File Open, the last two for Save As.
QStringList OpenImageFilters();
QStringList SaveImageFilters();

// The File Open dialog, ready to run: starting in `folder`, with the filters above, listing
// pictures whatever the letter case of their names (and .jpeg beside .jpg).
std::unique_ptr<QFileDialog> MakeOpenImageDialog(QWidget* parent, const std::string& folder);

// The file dialogs with the program's filters ("Image File (*.bmp,*.jpg)", ...).
class DialogFileChooser : public FileChooser {
public:
    explicit DialogFileChooser(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> openImage(const std::string& folder) override;
    std::optional<std::string> saveImage(const std::string& folder) override;

private:
    QWidget* parent_;
};

}  // namespace tessmet
