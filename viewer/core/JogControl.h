#pragma once

#include "viewer/core/JogRegions.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>

namespace lumora {

// The round jog dial: it paints one of its pictures and reports a left-button release in one
// of its five regions as an action code (0 settings, 1 live, 2 print, 3 still, 4 capture).
// The form sets the jog mode (0 live, 1 still, 2 file); releases on live and still set it too.
class CJogControl : public QWidget {
    Q_OBJECT

public:
    explicit CJogControl(QWidget* parent = nullptr, int controlId = 0);

    int controlId() const { return controlId_; }

    // Loads "btn0.bmp" and "btn<m>_<r>.bmp" found through SkinBitmapPath of the application
    // folder; a missing picture leaves the dial blank while it would show.
    void loadImages(const QString& applicationFolder);
    // The same from one folder holding the pictures.
    void loadImagesFrom(const QString& folder);

    void setMode(int mode);
    int mode() const { return mode_; }
    int hoveredRegion() const { return hovered_; }
    // The file name of the picture shown now.
    QString currentImageName() const;
    const QImage& currentImage() const;

signals:
    void notified(int controlId, int action);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovered(int region);
    template <typename Find>
    void loadWith(Find find);

    int controlId_;
    int mode_ = 0;
    int hovered_ = kJogNoRegion;
    QImage idle_;
    std::array<std::array<QImage, kJogRegionCount>, 3> regionImages_;
};

}  // namespace lumora
