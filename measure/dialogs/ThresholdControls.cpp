#include "measure/dialogs/ThresholdControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace tessmet {
namespace {

constexpr int kRangeTop = 255;

QString Id(int id) { return QString::number(id); }

}  // namespace

ThresholdControls::ThresholdControls(QWidget* dialog, QGridLayout* grid, int firstRow, const int (&maxIds)[4],
                                     const int (&minIds)[4])
    : QObject(dialog) {
    maxRow_ = makeRow(dialog, grid, firstRow, QT_TR_NOOP("Max:"), maxIds);
    minRow_ = makeRow(dialog, grid, firstRow + 1, QT_TR_NOOP("Min:"), minIds);
    for (const bool isMax : {true, false}) {
        const ThresholdRow& r = isMax ? maxRow_ : minRow_;
        connect(r.edit, &QLineEdit::textChanged, this, [this, isMax] { textChanged(isMax); });
        connect(r.slider, &QSlider::valueChanged, this, [this, isMax](int v) { sliderMoved(isMax, v); });
        connect(r.slider, &QSlider::sliderReleased, this, [this, isMax] {
            ReadFields();
            (isMax ? max_ : min_) = (isMax ? maxRow_ : minRow_).slider->value();
            requestRun();
        });
        connect(r.up, &QToolButton::clicked, this, [this, isMax] { step(isMax, +1); });
        connect(r.down, &QToolButton::clicked, this, [this, isMax] { step(isMax, -1); });
        connect(r.notUse, &QCheckBox::toggled, this, [this, isMax](bool checked) { boxToggled(isMax, checked); });
    }
}

ThresholdRow ThresholdControls::makeRow(QWidget* dialog, QGridLayout* grid, int row, const char* label,
                                        const int (&ids)[4]) {
    ThresholdRow r;
    grid->addWidget(new QLabel(tr(label), dialog), row, 0);
    r.edit = new QLineEdit(dialog);
    r.edit->setObjectName(Id(ids[0]));
    r.edit->setFixedWidth(r.edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000000")) + 8);
    grid->addWidget(r.edit, row, 1);
    // The up-down buttons of the edit: steps of one within 0..255.
    auto* spin = new QWidget(dialog);
    spin->setObjectName(Id(ids[1]));
    auto* spinLayout = new QVBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    r.up = new QToolButton(spin);
    r.up->setArrowType(Qt::UpArrow);
    r.down = new QToolButton(spin);
    r.down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {r.up, r.down}) {
        b->setFixedSize(16, 11);
        b->setAutoRepeat(true);
        spinLayout->addWidget(b);
    }
    grid->addWidget(spin, row, 2);
    r.slider = new QSlider(Qt::Horizontal, dialog);
    r.slider->setObjectName(Id(ids[2]));
    r.slider->setRange(0, kRangeTop);
    r.slider->setMinimumWidth(160);
    grid->addWidget(r.slider, row, 3);
    r.notUse = new QCheckBox(tr("Not Use"), dialog);
    r.notUse->setObjectName(Id(ids[3]));
    r.notUse->setChecked(true);
    r.notUse->hide();
    grid->addWidget(r.notUse, row, 4);
    return r;
}

void ThresholdControls::Open() {
    maxRow_.slider->setValue(max_);
    minRow_.slider->setValue(min_);
    maxRow_.notUse->setChecked(true);
    minRow_.notUse->setChecked(true);
    // Filling the fields changes their text, which runs the operation once.
    maxRow_.edit->setText(QString::number(max_));
    minRow_.edit->setText(QString::number(min_));
}

void ThresholdControls::ReadFields() {
    bool ok = false;
    if (const int v = maxRow_.edit->text().toInt(&ok); ok) max_ = v;
    if (const int v = minRow_.edit->text().toInt(&ok); ok) min_ = v;
}

void ThresholdControls::textChanged(bool isMax) {
    if (writing_) return;
    ReadFields();
    const ThresholdRow& r = isMax ? maxRow_ : minRow_;
    const bool wasWriting = writing_;
    writing_ = true;
    r.slider->setValue(std::clamp(isMax ? max_ : min_, 0, kRangeTop));
    writing_ = wasWriting;
    requestRun();
}

void ThresholdControls::sliderMoved(bool isMax, int value) {
    if (writing_) return;
    writing_ = true;
    if (isMax) {
        max_ = value;
        if (minRow_.slider->value() >= max_) minRow_.slider->setValue(max_);
    } else {
        min_ = value;
        if (min_ >= maxRow_.slider->value()) maxRow_.slider->setValue(min_);
    }
    writing_ = false;
    // Writing the value into the edit runs the operation through its text change.
    (isMax ? maxRow_ : minRow_).edit->setText(QString::number(value));
}

void ThresholdControls::step(bool isMax, int delta) {
    ReadFields();
    int& value = isMax ? max_ : min_;
    value = std::clamp(value + delta, 0, kRangeTop);
    (isMax ? maxRow_ : minRow_).edit->setText(QString::number(value));
}

void ThresholdControls::boxToggled(bool isMax, bool checked) {
    const ThresholdRow& r = isMax ? maxRow_ : minRow_;
    for (QWidget* w : {static_cast<QWidget*>(r.edit), r.up->parentWidget(), static_cast<QWidget*>(r.slider)})
        w->setEnabled(checked);
    if (!checked) {
        ReadFields();
        (isMax ? max_ : min_) = isMax ? kRangeTop : 0;
        writing_ = true;
        r.slider->setValue(isMax ? kRangeTop : 0);
        r.edit->setText(QString::number(isMax ? max_ : min_));
        writing_ = false;
    }
    emit notUseToggled(checked);
}

void ThresholdControls::requestRun() {
    if (runPending_) return;
    runPending_ = true;
    QTimer::singleShot(0, this, [this] {
        runPending_ = false;
        emit runRequested();
    });
}

}  // namespace tessmet
