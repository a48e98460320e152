// Draws the user guide's pictures of Lumora from the real main form on the simulated camera: the
// live view with its overlays, the four-pane layout, and the gallery strip after a few captures
// with the first one opened in the pane, fitted.
//
//   lumora_screenshots GALLERY OUTDIR
//
// GALLERY is a gallery folder (scripts/screenshots gives one with a capture in it); the form
// captures into it. Every picture is written as OUTDIR/<name>.png; the names are listed in
// docs/user-guide.md.
#include "viewer/core/DirectSettings.h"
#include "viewer/core/SimulatedCamera.h"
#include "viewer/core/ViewerSettings.h"
#include "viewer/form/LumoraView.h"
#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/GalleryModel.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QThread>
#include <QToolTip>

#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace lumora;

namespace {

[[noreturn]] void Fail(const QString& what) {
    std::fprintf(stderr, "lumora_screenshots: %s\n", qPrintable(what));
    std::exit(1);
}

// A message box or dialog would wait for a user nobody is: any of them ends the run instead.
class FailingPrompts : public FormPrompts {
public:
    void Tell(const QString& caption, const QString& text, Icon) override { Fail(caption + ": " + text); }
    bool AskYesNo(const QString& caption, const QString& text) override { Fail(caption + ": " + text); }
    std::optional<QString> AskCaptureName(const QString&) override { Fail(QStringLiteral("capture name asked")); }
    bool RunSettings(ViewerSettings&, SettingDlgHost&) override { Fail(QStringLiteral("settings opened")); }
    void Print(CImageView&) override { Fail(QStringLiteral("print asked")); }
    void OpenUrl(const QUrl&) override { Fail(QStringLiteral("a link opened")); }
};

void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Runs the event loop until `done` holds; gives up after ten seconds.
void WaitFor(const std::function<bool()>& done, const char* what) {
    const QDeadlineTimer deadline(10000);
    while (!done()) {
        if (deadline.hasExpired()) Fail(QStringLiteral("timed out waiting for ") + QLatin1String(what));
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
}

// The simulated camera drifts over its slide: a few frames later the picture has moved.
void LetFramesPass(SimulatedCameraSystem& cameras, uint64_t frames) {
    const uint64_t until = cameras.FramesProduced() + frames;
    WaitFor([&] { return cameras.FramesProduced() >= until; }, "camera frames");
    Settle();
}

void Save(QWidget& widget, const QString& folder, const char* name) {
    QToolTip::hideText();
    Settle();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!widget.grab().save(path)) Fail(QStringLiteral("cannot write ") + path);
    std::printf("%s %dx%d\n", qPrintable(path), widget.width(), widget.height());
}

// The skin the build draws, copied into the form's start folder where the form looks first.
void CopySkin(const QString& from, const QString& startFolder) {
    const QDir source(from);
    if (!source.exists() || !QDir(startFolder).mkpath(QStringLiteral("img"))) Fail(QStringLiteral("no skin in ") + from);
    for (const QString& name : source.entryList({QStringLiteral("*.bmp")}, QDir::Files))
        if (!QFile::copy(source.filePath(name), startFolder + QStringLiteral("/img/") + name))
            Fail(QStringLiteral("cannot copy the skin's ") + name);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    // The pictures' sizes are compared between machines: the desktop's font settings must not
    // change them, so the font is the one a bare Debian desktop gives.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    if (argc != 3) {
        std::fprintf(stderr, "usage: lumora_screenshots GALLERY OUTDIR\n");
        return 2;
    }
    const QString gallery = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString out = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir startFolder;
    if (!startFolder.isValid()) Fail(QStringLiteral("no scratch folder"));
    CopySkin(QStringLiteral(LUMORA_SKIN_DIR), startFolder.path());

    // lumora.ini: captures named automatically into GALLERY at 1600x1200 as jpg; every overlay
    // but the centre line on.
    ViewerSettings stored;
    stored.applicationFolder = startFolder.path().toStdString();
    stored.galleryFolder = gallery.toStdString();
    stored.tessmetFolder = stored.applicationFolder;
    FormState state;
    state.captureSize = 3;
    state.captureType = 1;
    state.modeScale = state.modeMagBar = state.modeMagData = state.modeGridLine = 1;
    state.modeCenterLine = 0;
    if (!SaveViewerSettings(stored) || !WriteFormState(stored.applicationFolder, state))
        Fail(QStringLiteral("cannot write lumora.ini"));
    ViewerSettings settings = LoadViewerSettings(stored.applicationFolder, "/nonexistent");

    auto cameras = std::make_shared<SimulatedCameraSystem>();
    CLumoraView form(settings, cameras, std::make_unique<FailingPrompts>());
    form.move(0, 0);
    form.show();
    WaitFor([&] { return !form.WaitingForFirstFrame(); }, "the first frame");
    WaitFor([&] { return form.pane(0)->Magnification() == 100; }, "the camera's zoom");
    LetFramesPass(*cameras, 2);
    Save(form, out, "lumora-live");

    // Four panes: a click on the next pane freezes the live one on a still and goes live there,
    // so the first three keep a still each, a moment apart, and the fourth is live.
    form.SelectLayout(PaneLayout::Four);
    for (int pane = 1; pane < 4; ++pane) {
        LetFramesPass(*cameras, 25);
        form.PaneClicked(pane);
    }
    LetFramesPass(*cameras, 25);
    Save(form, out, "lumora-layout4");

    // Back to one pane, two more captures a moment apart, then the first capture opened from the
    // strip with its thumbnails drawn.
    form.SelectLayout(PaneLayout::One);
    for (int i = 0; i < 2; ++i) {
        LetFramesPass(*cameras, 40);
        form.RunJogAction(kJogCapture);
    }
    CGalleryListCtrl& strip = *form.gallery();
    if (strip.ItemCount() < 3) Fail(QStringLiteral("the captures are not in the gallery"));
    WaitFor(
        [&] {
            for (int row = 0; row < strip.ItemCount(); ++row) {
                const GalleryItem* item = strip.model().item(row);
                if (!item || item->state != GalleryItem::ThumbnailState::Ready) return false;
            }
            return true;
        },
        "the thumbnails");
    strip.setCurrentIndex(strip.model().index(0));
    form.OpenGalleryItem(0);
    form.pane(0)->RunCommand(kCmdFitWindow);  // the whole capture, its burnt-in scale too
    Save(form, out, "lumora-gallery");
    form.close();
    return 0;
}
