#pragma once

#include "viewer/core/LumoraStartup.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace lumora {

class CCaptureDevice;
class CameraSystem;

// The window Lumora shows until the skinned main form takes its place: the live picture of
// the camera where the first pane sits, "Cannot find camera device" while there is no camera
// (retried every 2 seconds), the camera's controls, minimise and close.
class LiveForm : public QWidget {
    Q_OBJECT
public:
    LiveForm(ViewerSettings& settings, std::shared_ptr<CameraSystem> cameras, QWidget* parent = nullptr);
    ~LiveForm() override;

    CCaptureDevice& camera() { return *camera_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void openCamera();
    void onDeviceLost();
    void readZoom();

    ViewerSettings& settings_;
    CCaptureDevice* camera_;  // child
    QTimer reconnect_;
    // Timer 1: the zoom is read from the camera here and in the actions that need it, never
    // while painting (a control read is a round trip to the device).
    QTimer magnification_;
    int zoom_ = -1;
    QImage live_;
    bool cameraMissing_ = false;
    bool frameArrived_ = false;
};

class LiveFormFactory : public MainFormFactory {
public:
    explicit LiveFormFactory(std::shared_ptr<CameraSystem> cameras) : cameras_(std::move(cameras)) {}
    std::unique_ptr<QWidget> CreateMainWindow(ViewerSettings& settings) override;

private:
    std::shared_ptr<CameraSystem> cameras_;
};

}  // namespace lumora
