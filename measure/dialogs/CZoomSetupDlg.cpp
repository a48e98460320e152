#include "measure/dialogs/CZoomSetupDlg.h"

#include "measure/dialogs/ZoomPresets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tessmet {
namespace {

// Each preset's percentage with its mnemonic key.
constexpr const char* kPresetTexts[] = {"800%(&8)", "400%(&4)", "200%(&2)", "100%(&1)",
                                        "75%(&7)",  "50%(&H)",  "25%(&Q)"};

}  // namespace

CZoomSetupDlg::CZoomSetupDlg(double zoom, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Zoom Setup"));
    auto* group = new QGroupBox(tr("Select Magnification"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 1; i <= kZoomPresetCount; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(kPresetTexts[i - 1]), group);
        button->setObjectName(QStringLiteral("preset%1").arg(i));
        buttons_[static_cast<size_t>(i - 1)] = button;
        // Two rows: 800 % to 100 %, then 75 % to 25 %.
        grid->addWidget(button, i <= 4 ? 0 : 1, i <= 4 ? i - 1 : i - 5);
        connect(button, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) choose(i);
        });
    }
    percent_ = new QLabel(group);
    percent_->setObjectName(QStringLiteral("percent"));
    percent_->setAlignment(Qt::AlignCenter);
    percent_->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(percent_, 1, 3);

    ok_ = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    // Enter is handled here, not by a default button.
    ok_->setAutoDefault(false);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const int start = PresetForZoom(zoom);
    buttons_[static_cast<size_t>(start - 1)]->setChecked(true);
    choose(start);
}

double CZoomSetupDlg::chosenZoom() const { return ZoomPreset(preset_); }

void CZoomSetupDlg::choose(int index) {
    preset_ = index;
    percent_->setText(QString::fromStdString(PresetPercentText(index)));
}

void CZoomSetupDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == ok_) accept();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tessmet
