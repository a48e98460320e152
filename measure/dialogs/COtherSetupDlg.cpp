#include "measure/dialogs/COtherSetupDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tessmet {
namespace {

// The spin ranges. The settings file keeps the same ranges, so a value the dialog cannot take
// would be reset at the next start anyway.
QSpinBox* MakeSpin(int low, int high, int value, const QString& name, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    spin->setValue(value);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

}  // namespace

COtherSetupDlg::COtherSetupDlg(Settings& settings, Views views, QWidget* parent)
    : QDialog(parent), settings_(settings), views_(std::move(views)) {
    setWindowTitle(tr("Other Setup"));
    keptGrid_ = settings_.gridDistance;
    keptOffsetX_ = settings_.centerLineOffX;
    keptOffsetY_ = settings_.centerLineOffY;

    auto* display = new QGroupBox(tr("Display Setup"), this);
    auto* displayGrid = new QGridLayout(display);
    offsetX_ = MakeSpin(-999, 999, settings_.centerLineOffX, QStringLiteral("offsetX"), display);
    offsetY_ = MakeSpin(-999, 999, settings_.centerLineOffY, QStringLiteral("offsetY"), display);
    grid_ = MakeSpin(10, 100, settings_.gridDistance, QStringLiteral("grid"), display);
    displayGrid->addWidget(new QLabel(tr("Center Line Offset:"), display), 0, 0);
    displayGrid->addWidget(new QLabel(tr("x ="), display), 0, 1, Qt::AlignRight);
    displayGrid->addWidget(offsetX_, 0, 2);
    displayGrid->addWidget(new QLabel(tr("y ="), display), 0, 3, Qt::AlignRight);
    displayGrid->addWidget(offsetY_, 0, 4);
    displayGrid->addWidget(new QLabel(tr("Grid Width:"), display), 1, 0);
    displayGrid->addWidget(grid_, 1, 2);

    auto* jpeg = new QGroupBox(tr("JPEG Setup"), this);
    auto* jpegRow = new QHBoxLayout(jpeg);
    quality_ = MakeSpin(1, 10, settings_.jpegQuality, QStringLiteral("quality"), jpeg);
    jpegRow->addWidget(new QLabel(tr("Image Quality:"), jpeg));
    jpegRow->addWidget(quality_);
    jpegRow->addWidget(new QLabel(tr("(1: Low -- 9: High)"), jpeg));
    jpegRow->addStretch(1);

    auto* measure = new QGroupBox(tr("Measure Setup"), this);
    auto* measureColumn = new QVBoxLayout(measure);
    arrow_ = new QCheckBox(tr("[Distance] Use Arrow Type Line"), measure);
    fill_ = new QCheckBox(tr("[Area] Fill Area"), measure);
    arrow_->setChecked(settings_.measArrow != 0);
    fill_->setChecked(settings_.measSquare != 0);
    measureColumn->addWidget(arrow_);
    measureColumn->addWidget(fill_);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(display);
    layout->addWidget(jpeg);
    layout->addWidget(measure);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The preview starts only now that every field shows its value.
    connect(offsetX_, &QSpinBox::valueChanged, this, [this](int v) {
        settings_.centerLineOffX = v;
        call(views_.repaintActive);
    });
    connect(offsetY_, &QSpinBox::valueChanged, this, [this](int v) {
        settings_.centerLineOffY = v;
        call(views_.repaintActive);
    });
    connect(grid_, &QSpinBox::valueChanged, this, [this](int v) {
        settings_.gridDistance = v;
        call(views_.rebuildActive);
    });
    connect(ok, &QPushButton::clicked, this, &COtherSetupDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &COtherSetupDlg::reject);
}

void COtherSetupDlg::accept() {
    settings_.jpegQuality = quality_->value();
    settings_.gridDistance = grid_->value();
    settings_.centerLineOffX = offsetX_->value();
    settings_.centerLineOffY = offsetY_->value();
    settings_.measArrow = arrow_->isChecked() ? 1 : 0;
    settings_.measSquare = fill_->isChecked() ? 1 : 0;
    call(views_.rebuildAll);
    QDialog::accept();
}

void COtherSetupDlg::reject() {
    settings_.gridDistance = keptGrid_;
    settings_.centerLineOffX = keptOffsetX_;
    settings_.centerLineOffY = keptOffsetY_;
    call(views_.rebuildAll);
    QDialog::reject();
}

}  // namespace tessmet
