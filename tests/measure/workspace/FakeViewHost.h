#pragma once

#include "measure/workspace/ViewHost.h"
#include "support/RecordingMessagePresenter.h"

#include <QString>

#include <array>
#include <functional>
#include <utility>
#include <vector>

namespace testsupport {

// Stands in for the main window: keeps what the view tells it, answers what the view asks.
class FakeViewHost : public tessmet::ViewHost {
public:
    FakeViewHost() {
        // Overlays in a plain colour, so a test can find their pixels.
        settingsValue.addUseXor = 0;
        settingsValue.addColor = static_cast<int32_t>(tessmet::Rgb(0, 255, 255));
    }

    void setStatusText(int pane, const QString& text) override {
        if (pane == 0 || pane == 1) status[static_cast<size_t>(pane)] = text;
    }
    tessmet::ToolMode currentTool() const override { return tool; }
    void setFlags(const tessmet::LayerFlags& f) override {
        flags = f;
        ++flagUpdates;
    }
    const tessmet::Settings& settings() const override { return settingsValue; }
    const tessmet::SharedCalibration& sharedCalibration() const override { return shared; }
    tessmet::MessagePresenter& messages() override { return presenter; }
    void runCommand(int commandId) override {
        commands.push_back(commandId);
        if (onCommand) onCommand(commandId);
    }
    void setMainWindowEnabled(bool enabled) override { enabledLog.push_back(enabled); }

    void viewActivated(tessmet::CTessmetView* view) override {
        activated.push_back(view);
        activations.push_back({true, view});
    }
    void viewDeactivated(tessmet::CTessmetView* view) override { activations.push_back({false, view}); }
    void measurementsChanged(tessmet::CTessmetView*) override { ++measurementChanges; }
    void regionChanged(tessmet::CTessmetView*) override { ++regionChanges; }
    bool colourDistributionVisible() const override { return colourVisible; }
    bool zoomWindowVisible() const override { return zoomVisible; }
    void zoomWindowFollow(tessmet::CTessmetView*, QPoint imagePoint) override { zoomPoints.push_back(imagePoint); }
    void showCalibrationGuide(int line1, int line2, QPoint offset) override {
        guides.push_back({line1, line2, offset});
    }
    void finishCalibration(const std::array<tessmet::Point, 4>& imagePoints) override {
        calibrations.push_back(imagePoints);
    }

    struct Guide {
        int line1;
        int line2;
        QPoint position;  // offset from the guide's usual place
    };

    std::array<QString, 2> status;
    tessmet::ToolMode tool = tessmet::Tool::None;
    tessmet::LayerFlags flags;
    int flagUpdates = 0;
    tessmet::Settings settingsValue;
    tessmet::SharedCalibration shared;
    RecordingMessagePresenter presenter;
    std::vector<int> commands;
    std::function<void(int)> onCommand;
    std::vector<bool> enabledLog;
    std::vector<tessmet::CTessmetView*> activated;
    // Activations (true) and deactivations (false) in the order they arrived.
    std::vector<std::pair<bool, tessmet::CTessmetView*>> activations;
    int measurementChanges = 0;
    int regionChanges = 0;
    bool colourVisible = false;
    bool zoomVisible = false;
    std::vector<QPoint> zoomPoints;
    std::vector<Guide> guides;
    std::vector<std::array<tessmet::Point, 4>> calibrations;
};

}  // namespace testsupport
