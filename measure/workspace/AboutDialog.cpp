#include "measure/workspace/AboutDialog.h"

#include "measure/res/Icons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace tessmet {
namespace {

// A label that reports clicks.
class ClickableLabel : public QLabel {
public:
    ClickableLabel(std::function<void()> onClick, QWidget* parent) : QLabel(parent), onClick_(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) onClick_();
        QLabel::mouseReleaseEvent(event);
    }

private:
    std::function<void()> onClick_;
};

}  // namespace

QUrl AboutDialog::WebAddress() { return QUrl(QStringLiteral("https://www.talvane.example/")); }

AboutDialog::AboutDialog(int& iconClicks, std::function<void(const QUrl&)> openUrl, QWidget* parent)
    : QDialog(parent), iconClicks_(iconClicks), openUrl_(std::move(openUrl)) {
    setWindowTitle(tr("About Tessmet"));
    auto* icon = new ClickableLabel([this] { iconClicked(); }, this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(QIcon(QString::fromLatin1(kApplicationIcon)).pixmap(48, 48));
    auto* name = new QLabel(tr("Tessmet Version %1").arg(QStringLiteral(TESSMET_VERSION)), this);
    auto* copyright = new QLabel(tr("Measurement software for the digital microscope camera"), this);
    auto* address = new ClickableLabel([this] { addressClicked(); }, this);
    address->setObjectName(QStringLiteral("aboutAddress"));
    address->setText(QStringLiteral("<u>%1</u>").arg(WebAddress().toString()));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(copyright, 1, 1);
    layout->addWidget(address, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    setLayout(layout);
}

void AboutDialog::iconClicked() { ++iconClicks_; }

void AboutDialog::addressClicked() {
    if (iconClicks_ >= kClicksToUnlock && openUrl_) openUrl_(WebAddress());
}

}  // namespace tessmet
