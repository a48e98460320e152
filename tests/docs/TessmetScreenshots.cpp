// Draws the user guide's pictures of Tessmet from the real windows: a gallery capture opened as
// the viewer's "Send to Tessmet" opens it, measured across the slide's ruler, binarised, with the
// result list and the calibration the sidecar gave.
//
//   tessmet_screenshots PICTURE OUTDIR
//
// PICTURE is a capture of the simulated camera with its sidecar (scripts/screenshots makes one).
// Every picture is written as OUTDIR/<name>.png; the names are listed in docs/user-guide.md.
#include "e2e/SlideRuler.h"
#include "measure/dialogs/CBinaryImageDlg.h"
#include "measure/dialogs/CCalibrationSetupDlg.h"
#include "measure/dialogs/CMeasureResultDlg.h"
#include "measure/dialogs/DataFileChooser.h"
#include "measure/res/CommandTable.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/ShowMessage.h"
#include "measure/workspace/TessmetApplication.h"

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <optional>

using namespace tessmet;

namespace {

// A message box would wait for a user nobody is: every message ends the run instead.
class FailingMessages : public MessagePresenter {
public:
    MessageAnswer present(const MessageRequest& request) override {
        std::fprintf(stderr, "tessmet_screenshots: message %d: %s\n", request.id, request.plainText.c_str());
        std::exit(1);
    }
};

class NoDataFiles : public DataFileChooser {
public:
    std::optional<std::string> saveCsv(const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveCalibration(const std::string&) override { return std::nullopt; }
    std::optional<std::string> openCalibration(const std::string&) override { return std::nullopt; }
};

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "tessmet_screenshots: %s\n", what);
    std::exit(1);
}

void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void Save(QWidget& widget, const QString& folder, const char* name) {
    Settle();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!widget.grab().save(path)) Fail(qPrintable(QStringLiteral("cannot write ") + path));
    std::printf("%s %dx%d\n", qPrintable(path), widget.width(), widget.height());
}

// A left click on an image pixel through the view's mapping (at 50 % a click reaches every
// second pixel, which the pictures do not mind).
void ClickImagePoint(CTessmetView& view, QPoint image) {
    const QPoint at = view.mapping().toView(image) - view.scrollPosition();
    if (!view.viewport()->rect().contains(at)) Fail("a measured point is off screen");
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(at), QPointF(view.viewport()->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessmet"));
    // The pictures' sizes are compared between machines: the desktop's font settings must not
    // change them, so the font is the one a bare Debian desktop gives.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    if (argc != 3) {
        std::fprintf(stderr, "usage: tessmet_screenshots PICTURE OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir programFolder;
    FailingMessages messages;
    NoDataFiles dataFiles;
    CMainFrame frame(CMainFrame::Services{programFolder.path().toStdString() + "/", &messages, nullptr, {}, {}, &dataFiles,
                                          // The modal calibration dialogs: shown, taken, cancelled.
                                          [&out](QDialog& dialog) {
                                              dialog.show();
                                              if (qobject_cast<CCalibrationSetupDlg*>(&dialog))
                                                  Save(dialog, out, "tessmet-calibration");
                                              return int(QDialog::Rejected);
                                          }});
    frame.resize(1280, 860);
    frame.move(0, 0);
    frame.show();
    frame.AfterShown();
    Settle();

    // Started as the viewer starts it: `tessmet - "PICTURE"`.
    if (!OpenCommandLinePicture(frame, CommandLinePicture({"-", argv[1]}))) Fail("the picture does not open");
    CTessmetView* view = frame.activeView();
    if (!view) Fail("no image window");
    frame.OnCommand(CommandId::ZoomDown);
    frame.OnCommand(CommandId::ZoomDown);
    frame.activeFrame()->move(0, 0);
    Settle();

    // Two points on the outermost whole long ticks of the ruler, the label above them.
    const double pixelsPerUnit = view->images().width() / 640.0;
    const e2e::RulerInPicture ruler = e2e::FindRuler(view->images().original(), pixelsPerUnit);
    if (ruler.longTicks.size() < 2) Fail("the ruler's long ticks are not in the picture");
    const int y = ruler.baseRow - static_cast<int>(std::lround(10 * pixelsPerUnit));
    const int x1 = static_cast<int>(std::lround(ruler.longTicks.front()));
    const int x2 = static_cast<int>(std::lround(ruler.longTicks.back()));
    frame.OnCommand(CommandId::MeasureTwoPointDistance);
    ClickImagePoint(*view, {x1, y});
    ClickImagePoint(*view, {x2, y});
    ClickImagePoint(*view, {(x1 + x2) / 2, y - static_cast<int>(60 * pixelsPerUnit)});
    if (view->store().Count() != 1) Fail("the measurement was not made");
    frame.OnCommand(CommandId::MeasureTwoPointDistance);  // the tool off again
    Save(frame, out, "tessmet-measure");

    frame.OnCommand(CommandId::MeasureResult);
    CMeasureResultDlg& results = frame.measureResult();
    results.RefreshResults(0, true);
    Save(results, out, "tessmet-results");
    frame.OnCommand(CommandId::MeasureResult);

    frame.OnCommand(CommandId::CalibrationSetup);

    // Binary Image runs modally: thresholds typed while it is open, then closed with OK.
    bool binarised = false;
    QTimer::singleShot(0, &frame, [&] {
        auto* dialog = qobject_cast<CBinaryImageDlg*>(QApplication::activeModalWidget());
        if (!dialog) Fail("Binary Image did not open");
        auto* max = dialog->findChild<QLineEdit*>(QStringLiteral("1151"));
        if (!max) Fail("Binary Image has no max field");
        max->setText(QStringLiteral("100"));
        for (int i = 0; i < 50 && dialog->ratioText().startsWith(QStringLiteral("0/")); ++i) QApplication::processEvents();
        binarised = !dialog->ratioText().startsWith(QStringLiteral("0/"));
        dialog->move(frame.geometry().right() - dialog->width() - 40, frame.geometry().top() + 120);
        Save(*dialog, out, "tessmet-binary-dialog");
        Save(frame, out, "tessmet-binarise");
        dialog->accept();
    });
    frame.OnCommand(CommandId::BinaryImage);
    if (!binarised) Fail("binarisation marked nothing");
    return 0;
}
