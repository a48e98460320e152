// Draws Lumora's skin into a folder: main.bmp, the faces of the skin buttons and the jog dial's
// pictures, under the names the main form loads.
//
//   lumora-skin-generator OUTPUT-FOLDER [--preview PICTURE.png]
//
// --preview also writes the form as it looks with every skin element in place (layout 1 down,
// SCALE on, the jog dial in live mode), for checking the artwork by eye.

#include "viewer/core/JogRegions.h"
#include "viewer/core/SkinLayout.h"
#include "viewer/res/SkinPainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace lumora;
using namespace lumora::skin;

namespace {

const char* SwitchLabel(int id) {
    switch (id) {
    case 1008: return "SCALE";
    case 1011: return "MAG. BAR";
    case 1012: return "MAG. DATA";
    case 1009: return "GRID LINE";
    default: return "CENTER LINE";
    }
}

class Writer {
public:
    explicit Writer(QDir folder) : folder_(std::move(folder)) {}

    void write(const QString& name, const QImage& image) {
        // 24-bit BMP, which every loader reads.
        const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
        if (!rgb.save(folder_.filePath(name), "BMP")) {
            std::fprintf(stderr, "lumora-skin-generator: cannot write %s\n", qPrintable(folder_.filePath(name)));
            failed_ = true;
        }
    }
    bool failed() const { return failed_; }

private:
    QDir folder_;
    bool failed_ = false;
};

QImage Preview(const QImage& background) {
    QImage form = background.copy();
    QPainter painter(&form);
    for (const auto& b : kCaptionButtons) painter.drawImage(b.x, b.y, CaptionFace(background, b.x, b.y, b.id == 1004, b.id == 1004));
    int layout = 1;
    for (const auto& b : kLayoutButtons) {
        painter.drawImage(b.x, b.y, LayoutFace(background, b.x, b.y, layout, layout == 1 ? Face::Hit : layout == 3 ? Face::Over : Face::Ena));
        ++layout;
    }
    for (const auto& b : kSwitchButtons) {
        const Face face = b.id == 1008 || b.id == 1011 ? Face::Hit : b.id == 1009 ? Face::Over : Face::Ena;
        painter.drawImage(b.x, b.y, SwitchFace(background, b.x, b.y, QString::fromLatin1(SwitchLabel(b.id)), face));
    }
    painter.drawImage(kJogPlace.x, kJogPlace.y, JogPicture(background, 0, 1));
    // Stand-ins for the controls the form adds itself: combos, tool buttons, pane, gallery.
    painter.setRenderHint(QPainter::Antialiasing);
    for (const FormRect& combo : {kResolutionCombo, kFileTypeCombo}) {
        painter.setPen(QColor(0x88, 0x88, 0x88));
        painter.setBrush(QColor(0xf0, 0xf0, 0xf0));
        painter.drawRect(QRectF(combo.x + 0.5, combo.y + 0.5, combo.width - 1, 21));
        painter.setPen(Qt::black);
        painter.drawText(QRect(combo.x + 4, combo.y, combo.width - 8, 22), Qt::AlignVCenter,
                         combo.y == kResolutionCombo.y ? QStringLiteral("640x480") : QStringLiteral("jpg"));
    }
    painter.setPen(QColor(0x70, 0x70, 0x70));
    painter.setBrush(QColor(0xe4, 0xe4, 0xe4));
    for (int y : kToolButtonY) painter.drawRect(QRectF(kToolColumnX + 0.5, y + 0.5, 25, 25));
    for (int y : kColourButtonY) painter.drawRect(QRectF(kToolColumnX + 0.5, y + 0.5, 25, 25));
    painter.drawRect(QRectF(kToolColumnX + 0.5, kCalibrationButtonY + 0.5, 25, 25));
    QLinearGradient slide(kPaneArea.x, kPaneArea.y, kPaneArea.x + kPaneArea.width, kPaneArea.y + kPaneArea.height);
    slide.setColorAt(0, QColor(0x9c, 0x8a, 0x70));
    slide.setColorAt(1, QColor(0x5a, 0x4a, 0x3a));
    painter.fillRect(QRect(kPaneArea.x, kPaneArea.y, kPaneArea.width, kPaneArea.height), slide);
    painter.fillRect(QRect(kGalleryPlace.x, kGalleryPlace.y, kGalleryPlace.width, kGalleryPlace.height), Qt::white);
    for (int k = 0; k < 6; ++k) {
        painter.fillRect(QRect(kGalleryPlace.x + 10 + k * 110, kGalleryPlace.y + 8, 100, 75), QColor(0x8a, 0x7a, 0x66));
    }
    return form;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && QByteArray(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: lumora-skin-generator OUTPUT-FOLDER [--preview PICTURE.png]\n");
        return 2;
    }
    // Text needs the font database; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "lumora-skin-generator: cannot create %s\n", argv[1]);
        return 1;
    }
    Writer writer(folder);
    const QImage background = Background();
    writer.write(QString::fromLatin1(kBackgroundImage), background);

    for (const auto& b : kCaptionButtons) {
        const QString stem = QString::fromLatin1(b.stem);
        const bool close = b.id == 1004;
        writer.write(stem + QStringLiteral("_Ena.bmp"), CaptionFace(background, b.x, b.y, close, true));
        writer.write(stem + QStringLiteral("_Over.bmp"), CaptionFace(background, b.x, b.y, close, false));
    }
    const std::pair<Face, const char*> faces[] = {{Face::Ena, "_Ena.bmp"}, {Face::Over, "_Over.bmp"}, {Face::Hit, "_Hit.bmp"}};
    int layout = 1;
    for (const auto& b : kLayoutButtons) {
        for (const auto& [face, suffix] : faces) {
            writer.write(QString::fromLatin1(b.stem) + QLatin1String(suffix), LayoutFace(background, b.x, b.y, layout, face));
        }
        ++layout;
    }
    for (const auto& b : kSwitchButtons) {
        for (const auto& [face, suffix] : faces) {
            writer.write(QString::fromLatin1(b.stem) + QLatin1String(suffix),
                         SwitchFace(background, b.x, b.y, QString::fromLatin1(SwitchLabel(b.id)), face));
        }
    }
    writer.write(QString::fromLatin1(kJogIdleImage), JogPicture(background, -1, kJogNoRegion));
    for (int mode = 0; mode < 3; ++mode) {
        for (int region = 0; region < kJogRegionCount; ++region) {
            writer.write(QString::fromStdString(JogRegionImageName(mode, region)), JogPicture(background, mode, region));
        }
    }
    if (argc == 4 && !Preview(background).save(QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "lumora-skin-generator: cannot write %s\n", argv[3]);
        return 1;
    }
    return writer.failed() ? 1 : 0;
}
