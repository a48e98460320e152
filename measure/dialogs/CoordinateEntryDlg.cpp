#include "measure/dialogs/CoordinateEntryDlg.h"

#include "measure/dialogs/IntegerField.h"
#include "measure/workspace/TextEntry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessmet {

CoordinateEntryDlg::CoordinateEntryDlg(QWidget* parent) : QDialog(parent) {
    grid_ = new QGridLayout;
    grid_->addWidget(new QLabel(tr("Horizontal"), this), 0, 1, Qt::AlignHCenter);
    grid_->addWidget(new QLabel(tr("Vertical"), this), 0, 2, Qt::AlignHCenter);
    rows_ = 1;
}

void CoordinateEntryDlg::addRow(const QString& label, std::vector<int> values) {
    grid_->addWidget(new QLabel(label, this), rows_, 0);
    int column = 1;
    for (const int v : values) {
        QLineEdit* field = MakeIntegerField(v, QStringLiteral("field%1").arg(fields_.size()), this);
        connect(field, &QLineEdit::textChanged, this, [this] { fieldsChanged(); });
        fields_.push_back(field);
        grid_->addWidget(field, rows_, column++);
    }
    grid_->addWidget(new QLabel(tr("[pixel]"), this), rows_, 3);
    ++rows_;
}

void CoordinateEntryDlg::finishLayout(QWidget* extraRow) {
    ok_ = new QPushButton(tr("OK"), this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid_);
    if (extraRow) layout->addWidget(extraRow);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CoordinateEntryDlg::fieldsChanged() {
    bool allNumbers = true;
    for (const QLineEdit* field : fields_) allNumbers = allNumbers && IntegerOf(field->text()).has_value();
    ok_->setEnabled(allNumbers);
}

int CoordinateEntryDlg::value(int index) const {
    return IntegerOf(fields_[static_cast<size_t>(index)]->text()).value_or(0);
}

CDrawLineDlg::CDrawLineDlg(Shape shape, const TwoPointEntry& entry, QWidget* parent) : CoordinateEntryDlg(parent) {
    setWindowTitle(shape == Shape::Line ? tr("Draw Line") : tr("Draw Rectangle"));
    addRow(tr("Start Point:"), {entry.startX, entry.startY});
    addRow(tr("End Point:"), {entry.endX, entry.endY});
    finishLayout();
}

TwoPointEntry CDrawLineDlg::entry() const { return {value(0), value(1), value(2), value(3)}; }

CDrawCircleDlg::CDrawCircleDlg(const CircleEntry& entry, QWidget* parent) : CoordinateEntryDlg(parent) {
    setWindowTitle(tr("Draw Circle"));
    addRow(tr("Center:"), {entry.centreX, entry.centreY});
    addRow(tr("Radius:"), {entry.radius});
    finishLayout();
}

CircleEntry CDrawCircleDlg::entry() const { return {value(0), value(1), value(2)}; }

CDrawTextDlg::CDrawTextDlg(const TextPositionEntry& entry, QWidget* parent) : CoordinateEntryDlg(parent) {
    setWindowTitle(tr("Draw Text"));
    addRow(tr("Position:"), {entry.x, entry.y});
    auto* textRow = new QWidget(this);
    auto* row = new QHBoxLayout(textRow);
    row->setContentsMargins(0, 0, 0, 0);
    text_ = new QLineEdit(QString::fromStdString(entry.text), textRow);
    text_->setObjectName(QStringLiteral("text"));
    text_->setMaxLength(TextEntryBox::kMaxLength);
    row->addWidget(new QLabel(tr("Text:"), textRow));
    row->addWidget(text_, 1);
    finishLayout(textRow);
}

TextPositionEntry CDrawTextDlg::entry() const { return {value(0), value(1), text_->text().toStdString()}; }

}  // namespace tessmet
