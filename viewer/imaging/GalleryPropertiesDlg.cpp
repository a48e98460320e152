#include "viewer/imaging/GalleryPropertiesDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QPixmap>
#include <QLabel>
#include <QVBoxLayout>

namespace lumora {

namespace {

// 49664 as "49,664".
QString Grouped(qint64 value) {
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, ',');
    return digits;
}

}  // namespace

QString FormatFileSize(qint64 bytes) {
    if (bytes < 0) return QStringLiteral("unknown");
    const QString exact = QStringLiteral("%1 bytes").arg(Grouped(bytes));
    if (bytes < 1024) return exact;
    static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
    double size = bytes / 1024.0;
    int unit = 0;
    while (size >= 1024 && unit < 3) {
        size /= 1024;
        ++unit;
    }
    // Three significant digits, as file managers show sizes.
    const int decimals = size < 10 ? 2 : size < 100 ? 1 : 0;
    return QStringLiteral("%1 %2 (%3)").arg(QString::number(size, 'f', decimals), QLatin1String(kUnits[unit]), exact);
}

std::vector<std::pair<QString, QString>> GalleryPropertyRows(const GalleryFileFacts& facts) {
    std::vector<std::pair<QString, QString>> rows;
    rows.emplace_back(QStringLiteral("Name:"), facts.name);
    rows.emplace_back(QStringLiteral("Folder:"), facts.folder);
    rows.emplace_back(QStringLiteral("Size:"), FormatFileSize(facts.bytes));
    rows.emplace_back(QStringLiteral("Modified:"), facts.modified.isValid()
                                                       ? facts.modified.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                                       : QStringLiteral("unknown"));
    rows.emplace_back(QStringLiteral("Image size:"), facts.width > 0 && facts.height > 0
                                                         ? QStringLiteral("%1 x %2 pixels").arg(facts.width).arg(facts.height)
                                                         : QStringLiteral("not a readable picture"));
    if (facts.sidecar.isEmpty()) {
        rows.emplace_back(QStringLiteral("Magnification file:"), QStringLiteral("none"));
        return rows;
    }
    rows.emplace_back(QStringLiteral("Magnification file:"), facts.sidecar);
    rows.emplace_back(QStringLiteral("Zoom:"), QStringLiteral("x%1").arg(facts.zoom));
    rows.emplace_back(QStringLiteral("Calibration unit:"), facts.unit);
    rows.emplace_back(QStringLiteral("One pixel:"),
                      QStringLiteral("%1 %2").arg(QString::number(facts.onePixelLength, 'g', 7), facts.unit));
    return rows;
}

GalleryPropertiesDlg::GalleryPropertiesDlg(const GalleryFileFacts& facts, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("%1 Properties").arg(facts.name));
    auto* layout = new QVBoxLayout(this);
    // The picture and its name on top, as the list shows them.
    auto* header = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setFixedSize(94, 74);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::Box);
    if (!facts.thumbnail.isNull()) picture->setPixmap(QPixmap::fromImage(facts.thumbnail));
    auto* title = new QLabel(facts.name, this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);
    header->addWidget(picture);
    header->addSpacing(12);
    header->addWidget(title, 1);
    layout->addLayout(header);

    form_ = new QFormLayout;
    QFormLayout* form = form_;
    form->setLabelAlignment(Qt::AlignLeft);
    form->setHorizontalSpacing(16);
    for (const auto& [label, text] : GalleryPropertyRows(facts)) {
        // A rule above the calibration rows, which come from the sidecar.
        if (label == QLatin1String("Magnification file:")) {
            auto* rule = new QFrame(this);
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Sunken);
            form->addRow(rule);
        }
        auto* value = new QLabel(text, this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        form->addRow(label, value);
    }
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

QString GalleryPropertiesDlg::Text(const QString& label) const {
    for (int row = 0; row < form_->rowCount(); ++row) {
        const QLayoutItem* nameItem = form_->itemAt(row, QFormLayout::LabelRole);
        const QLayoutItem* valueItem = form_->itemAt(row, QFormLayout::FieldRole);
        if (!nameItem || !valueItem) continue;  // a rule
        const auto* name = qobject_cast<QLabel*>(nameItem->widget());
        const auto* value = qobject_cast<QLabel*>(valueItem->widget());
        if (name && value && name->text() == label) return value->text();
    }
    return {};
}

}  // namespace lumora
