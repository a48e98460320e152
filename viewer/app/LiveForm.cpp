#include "viewer/app/LiveForm.h"

#include "viewer/core/CameraControlsDialog.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/imaging/FrameImage.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

namespace lumora {
namespace {

const QRect kPaneRect(360, 88, 640, 480);
constexpr int kReconnectMs = 2000;
constexpr int kZoomFirstMs = 2000;      // after the camera opened at start
constexpr int kZoomReconnectedMs = 1000;  // after it came back
const QRect kStatusRect(480, 580, 520, 26);

}  // namespace

LiveForm::LiveForm(ViewerSettings& settings, std::shared_ptr<CameraSystem> cameras, QWidget* parent)
    : QWidget(parent), settings_(settings), camera_(new CCaptureDevice(std::move(cameras), this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    camera_->SetMessageHandler([this](CaptureMessage message) {
        QMessageBox::warning(this, QStringLiteral("Lumora"), QString::fromLatin1(CaptureMessageText(message)));
    });
    connect(camera_, &CCaptureDevice::deviceLost, this, &LiveForm::onDeviceLost);

    auto* minimize = new QPushButton(QStringLiteral("_"), this);
    minimize->setGeometry(951, 5, 30, 24);
    minimize->setToolTip(QStringLiteral("Minimize"));
    connect(minimize, &QPushButton::clicked, this, &QWidget::showMinimized);
    auto* close = new QPushButton(QStringLiteral("X"), this);
    close->setGeometry(985, 5, 30, 24);
    close->setToolTip(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* controls = new QPushButton(QStringLiteral("Camera..."), this);
    controls->setGeometry(360, 580, 110, 26);
    connect(controls, &QPushButton::clicked, this, [this] {
        ShowPropertyPages(*camera_, this);
        readZoom();  // the zoom may have been changed in the dialog
    });

    reconnect_.setInterval(kReconnectMs);
    connect(&reconnect_, &QTimer::timeout, this, &LiveForm::openCamera);
    magnification_.setInterval(kZoomFirstMs);
    connect(&magnification_, &QTimer::timeout, this, &LiveForm::readZoom);
    openCamera();
}

LiveForm::~LiveForm() { camera_->Close(); }

void LiveForm::openCamera() {
    const bool reconnecting = reconnect_.isActive();
    const int result = camera_->Open(ReadCameraDevice(settings_.applicationFolder), this, 640, 480, 3);
    cameraMissing_ = result < 0;
    frameArrived_ = false;
    if (cameraMissing_) {
        camera_->Close();
        if (!reconnect_.isActive()) reconnect_.start();
    } else {
        reconnect_.stop();
        if (!magnification_.isActive()) magnification_.start(reconnecting ? kZoomReconnectedMs : kZoomFirstMs);
    }
    update();
}

void LiveForm::readZoom() {
    const int zoom = camera_->IsOpen() ? camera_->GetZoom() : -1;
    if (zoom == zoom_) return;
    zoom_ = zoom;
    update(kStatusRect);
}

void LiveForm::onDeviceLost() {
    camera_->Close();
    cameraMissing_ = true;
    live_ = QImage();
    magnification_.stop();
    zoom_ = -1;
    reconnect_.start();
    update();
}

bool LiveForm::event(QEvent* event) {
    if (event->type() == WM_CAPTURE_FRAME) {
        const auto* capture = static_cast<CaptureFrameEvent*>(event);
        if (!frameArrived_) {
            // The stored camera values are applied once the camera delivers.
            frameArrived_ = true;
            camera_->SetProperties(ReadCameraProperties(settings_.applicationFolder));
        }
        FrameToImage(capture->bytes(), capture->frame()->width, capture->frame()->height, live_);
        update(kPaneRect);
    }
    return QWidget::event(event);
}

void LiveForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(38, 43, 52));
    painter.setPen(QColor(225, 228, 235));
    QFont title = font();
    title.setPointSize(20);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(55, 19, 212, 74), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Lumora"));
    painter.setFont(font());
    painter.fillRect(kPaneRect, Qt::black);
    if (!cameraMissing_ && !live_.isNull()) {
        painter.drawImage(kPaneRect, live_);
    } else if (cameraMissing_) {
        painter.setPen(Qt::white);
        painter.drawText(kPaneRect, Qt::AlignCenter, QString::fromLatin1(kCameraMissingText));
    }
    painter.setPen(QColor(150, 156, 168));
    painter.drawRect(kPaneRect.adjusted(-1, -1, 0, 0));
    if (camera_->IsOpen()) {
        const QString status = QStringLiteral("%1   zoom %2")
                                   .arg(QString::fromStdString(camera_->DeviceName()))
                                   .arg(zoom_ < 0 ? QStringLiteral("-") : QString::number(zoom_));
        painter.drawText(kStatusRect, Qt::AlignVCenter | Qt::AlignRight, status);
    }
}

void LiveForm::mousePressEvent(QMouseEvent* event) {
    // The window has no caption: it is moved by dragging it anywhere.
    if (event->button() == Qt::LeftButton && windowHandle()) windowHandle()->startSystemMove();
    QWidget::mousePressEvent(event);
}

std::unique_ptr<QWidget> LiveFormFactory::CreateMainWindow(ViewerSettings& settings) {
    return std::make_unique<LiveForm>(settings, cameras_);
}

}  // namespace lumora
