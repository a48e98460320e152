// The live window reads the camera's zoom on its magnification timer, never while painting:
// each read is a round trip to the device.
#include "support/ScriptedVideoDevice.h"
#include "support/TempDir.h"
#include "viewer/app/LiveForm.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/V4l2Camera.h"

#include <QTest>

using namespace lumora;

class tst_LiveForm : public QObject {
    Q_OBJECT

private slots:
    void zoomIsReadOnTheTimerNotPerRepaint() {
        testsupport::DeviceScript script;
        script.controls = {{V4L2_CID_ZOOM_ABSOLUTE, "Zoom, Absolute", V4L2_CTRL_TYPE_INTEGER, 100, 500, 1, 100, 230, 0}};
        auto device = std::make_shared<testsupport::ScriptedVideoDevice>(std::vector<testsupport::DeviceScript>{script});
        testsupport::TempDir folder;
        ViewerSettings settings;
        settings.applicationFolder = folder.path().string();
        LiveForm form(settings, std::make_shared<V4l2CameraSystem>(device));
        QVERIFY(form.camera().IsOpen());

        const int before = device->Calls(VIDIOC_G_CTRL);
        for (int i = 0; i < 10; ++i) (void)form.grab();
        QCOMPARE(device->Calls(VIDIOC_G_CTRL), before);

        QTRY_VERIFY(device->Calls(VIDIOC_G_CTRL) > before);  // timer 1
    }
};

QTEST_MAIN(tst_LiveForm)
#include "tst_liveform.moc"
