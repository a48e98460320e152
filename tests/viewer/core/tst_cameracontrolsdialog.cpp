#include "viewer/core/CameraControlsDialog.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/SimulatedCamera.h"

#include <QAbstractSlider>
#include <QLabel>
#include <QTest>

using namespace lumora;

class tst_CameraControlsDialog : public QObject {
    Q_OBJECT

    static uint32_t idOf(const std::vector<CameraControl>& controls, const std::string& name) {
        for (const CameraControl& c : controls)
            if (c.name == name) return c.id;
        return 0;
    }

private slots:
    void listsEveryControlWithItsRangeAndValue() {
        CCaptureDevice camera(std::make_shared<SimulatedCameraSystem>());
        QCOMPARE(camera.Open("", nullptr, 640, 480, 3), kCaptureOk);
        camera.SetZoom(180);
        CameraControlsDialog dialog(camera);
        QCOMPARE(dialog.windowTitle(), QString("Video"));
        const auto controls = camera.Controls();
        QCOMPARE(controls.size(), size_t{9});
        for (const CameraControl& c : controls) {
            QAbstractSlider* slider = dialog.sliderFor(c.id);
            QVERIFY2(slider, c.name.c_str());
            QCOMPARE(slider->minimum(), c.minimum);
            QCOMPARE(slider->maximum(), c.maximum);
            QCOMPARE(slider->value(), c.value);
        }
        QCOMPARE(dialog.sliderFor(idOf(controls, "Zoom, Absolute"))->value(), 180);
    }

    void movingASliderReachesTheCameraAndCancelPutsItBack() {
        CCaptureDevice camera(std::make_shared<SimulatedCameraSystem>());
        QCOMPARE(camera.Open("", nullptr, 640, 480, 3), kCaptureOk);
        const auto controls = camera.Controls();
        {
            CameraControlsDialog dialog(camera);
            dialog.sliderFor(idOf(controls, "Brightness"))->setValue(33);
            dialog.sliderFor(idOf(controls, "Zoom, Absolute"))->setValue(300);
            QCOMPARE(camera.GetProperty(CameraProperty::Brightness).value_or(-999), 33);
            QCOMPARE(camera.GetZoom(), 300);
            dialog.reject();
        }
        QCOMPARE(camera.GetProperty(CameraProperty::Brightness).value_or(-999), 0);
        QCOMPARE(camera.GetZoom(), 100);
        {
            CameraControlsDialog dialog(camera);
            dialog.sliderFor(idOf(controls, "Contrast"))->setValue(70);
            dialog.accept();
        }
        QCOMPARE(camera.GetProperty(CameraProperty::Contrast).value_or(-999), 70);
    }

    void nothingOpensWithoutACamera() {
        CCaptureDevice camera(std::make_shared<SimulatedCameraSystem>());
        ShowPropertyPages(camera, nullptr);  // returns at once: no modal loop to hang in
        QVERIFY(!camera.IsOpen());
    }
};

QTEST_MAIN(tst_CameraControlsDialog)
#include "tst_cameracontrolsdialog.moc"
