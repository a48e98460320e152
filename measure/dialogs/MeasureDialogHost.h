#pragma once

#include <string>

class QDialog;

namespace tessmet {

class CTessmetView;
class DataFileChooser;
class MessagePresenter;

// What the result list and the calibration dialogs need from the main window: the active image
// window, the commands they send it, message boxes, the data-file dialogs with their shared
// starting folder, and how a modal dialog is run (tests answer it without a nested loop).
class MeasureDialogHost {
public:
    virtual ~MeasureDialogHost() = default;

    virtual CTessmetView* activeView() const = 0;
    virtual int documentWindowCount() const = 0;
    // A menu command: 35001 next window, 32809 clear the measurements.
    virtual void runCommand(int commandId) = 0;
    virtual MessagePresenter& messages() = 0;
    virtual DataFileChooser& dataFiles() = 0;
    // The folder the CSV and calibration-file dialogs start in: one for both, empty at start.
    virtual std::string& dataFolder() = 0;
    // Runs a modal dialog to its end and returns its result (QDialog::Accepted or Rejected).
    virtual int runModal(QDialog& dialog) = 0;
    // The result list shows the kind (or keeps its selection for -1) of the active view.
    virtual void refreshResults(int kind, bool onActivation) = 0;
};

}  // namespace tessmet
