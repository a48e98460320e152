#include "measure/dialogs/CZoomWindowDlg.h"

#include "measure/dialogs/ZoomRender.h"
#include "measure/io/DibSection.h"
#include "measure/res/StringTable.h"

#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QSlider>
#include <QVBoxLayout>

namespace tessmet {

CZoomWindowDlg::CZoomWindowDlg(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("zoomWindow"));
    if (std::optional<DibSection> section = CreateDibSection24(kPictureSize, kPictureSize, 24)) {
        picture_ = std::move(section->bitmap);
    }
    pictureLabel_ = new QLabel(this);
    pictureLabel_->setObjectName(QStringLiteral("zoomPicture"));
    pictureLabel_->setFrameShape(QFrame::Box);
    pictureLabel_->setAlignment(Qt::AlignCenter);
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("zoomSlider"));
    slider_->setRange(1, 16);
    slider_->setValue(magnification_);
    slider_->setPageStep(1);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pictureLabel_);
    layout->addWidget(slider_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(slider_, &QSlider::valueChanged, this, [this](int position) { sliderMoved(position); });
    showPicture();
    updateTitle();
}

void CZoomWindowDlg::Update(int x, int y, const Dib& source, QWidget* sourceWindow) {
    x_ = x;
    y_ = y;
    source_ = &source;
    sourceWindow_ = sourceWindow;
    render();
    showPicture();
    pictureLabel_->repaint();
}

void CZoomWindowDlg::sliderMoved(int position) {
    magnification_ = position;
    if (sourceWindow_ && source_) {
        render();
    } else {
        // The bitmap went with its window.
        source_ = nullptr;
        picture_.fill(0);
    }
    showPicture();
    updateTitle();
}

void CZoomWindowDlg::render() {
    if (source_) RenderMagnified(picture_, *source_, x_, y_, magnification_);
}

void CZoomWindowDlg::showPicture() {
    if (picture_.isNull()) return;
    const QImage view(picture_.bits(), picture_.width(), picture_.height(), picture_.stride(), QImage::Format_BGR888);
    pictureLabel_->setPixmap(QPixmap::fromImage(view));
}

void CZoomWindowDlg::updateTitle() {
    setWindowTitle(QString::fromStdString(LoadString(StringId::ZoomDisplay)) +
                   QStringLiteral(": %1x").arg(magnification_));
}

void CZoomWindowDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    emit closedByUser();
}

void CZoomWindowDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: event->accept(); return;
        default: QDialog::keyPressEvent(event);
    }
}

}  // namespace tessmet
