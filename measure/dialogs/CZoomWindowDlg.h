#pragma once

#include "measure/processing/Dib.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QSlider;

namespace tessmet {

// The zoom window: a modeless 240 x 240 magnifier of the image under the mouse, 1x to 16x
// (4x at first) by its slider. The image window it follows hands it the image point and its
// displayed bitmap on every mouse move; moving the slider renders again from the same bitmap,
// or shows black once that window is gone. Enter and ESC do not close it; the close box hides
// it and reports closedByUser.
class CZoomWindowDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPictureSize = 240;

    explicit CZoomWindowDlg(QWidget* parent = nullptr);

    // The image point (x, y) of `source`, the bitmap `sourceWindow` displays; renders at once.
    void Update(int x, int y, const Dib& source, QWidget* sourceWindow);

    int magnification() const { return magnification_; }
    const Dib& picture() const { return picture_; }
    QSlider* slider() const { return slider_; }

signals:
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void sliderMoved(int position);
    void render();
    void showPicture();
    void updateTitle();

    Dib picture_;
    int magnification_ = 4;
    int x_ = 0;
    int y_ = 0;
    const Dib* source_ = nullptr;     // owned by the source window's view
    QPointer<QWidget> sourceWindow_;  // null once that window is gone
    QLabel* pictureLabel_ = nullptr;
    QSlider* slider_ = nullptr;
};

}  // namespace tessmet
