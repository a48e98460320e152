#pragma once

#include "measure/core/Measurement.h"
#include "measure/dialogs/DataFileChooser.h"
#include "measure/dialogs/MeasureDialogHost.h"
#include "codec/BmpWriter.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/FakeViewHost.h"
#include "measure/workspace/ViewTestSupport.h"

#include <QDialog>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// A dialog's control by its id (the widgets carry their ids as object names).
template <typename T>
T* Control(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QString::number(id));
}

// Answers the data-file dialogs from a queue; an empty queue means Cancel.
class QueuedDataFiles : public tessmet::DataFileChooser {
public:
    std::deque<std::string> answers;
    std::vector<std::string> folders;
    std::optional<std::string> saveCsv(const std::string& folder) override { return next(folder); }
    std::optional<std::string> saveCalibration(const std::string& folder) override { return next(folder); }
    std::optional<std::string> openCalibration(const std::string& folder) override { return next(folder); }

private:
    std::optional<std::string> next(const std::string& folder) {
        folders.push_back(folder);
        if (answers.empty()) return std::nullopt;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Stands in for the main window of the dialogs: real views of pictures written to `folder`,
// the first one active; commands and refreshes are recorded; a modal dialog is handed to
// `answerModal`, which plays the user and returns the dialog's result.
class FakeDialogHost : public tessmet::MeasureDialogHost {
public:
    explicit FakeDialogHost(std::string folder) : folder_(std::move(folder)) {}

    // Opens a picture named `name` (BMP, 24 bits) as an image window does.
    tessmet::CTessmetView& addView(const std::string& name, int width = 200, int height = 150) {
        const std::string path = folder_ + "/" + name;
        codec::WriteBmpFile(path, Grey(width, height));
        auto view = std::make_unique<tessmet::CTessmetView>(viewHost, std::make_unique<tessmet::CTessmetDoc>(path));
        view->LoadImage();
        views.push_back(std::move(view));
        return *views.back();
    }

    // Completes a measurement in `view` as the tools store it.
    static void addMeasurement(tessmet::CTessmetView& view, tessmet::ObjectKind kind, std::vector<tessmet::Point> points,
                               tessmet::Point label, std::optional<long long> areaCount = std::nullopt) {
        tessmet::MeasureInput input;
        input.kind = kind;
        input.points = points;
        input.label = label;
        input.pen = tessmet::Pen{0, 1, static_cast<int32_t>(tessmet::Rgb(0, 0, 255))};
        input.imageWidth = view.imageSize().width();
        input.imageHeight = view.imageSize().height();
        input.areaCount = areaCount;
        tessmet::Measurement m;
        tessmet::BuildMeasurement(input, 1.0, m);
        view.store().Add(kind, tessmet::EncodeRecord(m));
        tessmet::LayerFlags flags = view.flags();
        flags.measureLayer = true;
        view.SetFlags(flags);
        view.Rebuild();
    }

    tessmet::CTessmetView* activeView() const override { return views.empty() ? nullptr : views[active].get(); }
    int documentWindowCount() const override { return static_cast<int>(views.size()); }
    void runCommand(int commandId) override {
        commands.push_back(commandId);
        if (commandId == 35001 && !views.empty()) active = (active + 1) % views.size();
    }
    tessmet::MessagePresenter& messages() override { return viewHost.presenter; }
    tessmet::DataFileChooser& dataFiles() override { return files; }
    std::string& dataFolder() override { return folder; }
    int runModal(QDialog& dialog) override {
        modalDialogs.push_back(&dialog);
        return answerModal ? answerModal(dialog) : QDialog::Rejected;
    }
    void refreshResults(int kind, bool onActivation) override { refreshes.emplace_back(kind, onActivation); }

    FakeViewHost viewHost;
    std::vector<std::unique_ptr<tessmet::CTessmetView>> views;
    size_t active = 0;
    std::vector<int> commands;
    QueuedDataFiles files;
    std::string folder;
    std::function<int(QDialog&)> answerModal;
    std::vector<QDialog*> modalDialogs;
    std::vector<std::pair<int, bool>> refreshes;

private:
    std::string folder_;
};

}  // namespace testsupport
