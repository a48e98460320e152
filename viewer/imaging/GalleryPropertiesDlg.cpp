#include "viewer/imaging/GalleryPropertiesDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
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
    form_ = new QFormLayout;
    QFormLayout* form = form_;
    form->setLabelAlignment(Qt::AlignLeft);
    form->setHorizontalSpacing(16);
    for (const auto& [label, text] : GalleryPropertyRows(facts)) {
        auto* value = new QLabel(text, this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        form->addRow(label, value);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

QString GalleryPropertiesDlg::Text(const QString& label) const {
    for (int row = 0; row < form_->rowCount(); ++row) {
        const auto* name = qobject_cast<QLabel*>(form_->itemAt(row, QFormLayout::LabelRole)->widget());
        const auto* value = qobject_cast<QLabel*>(form_->itemAt(row, QFormLayout::FieldRole)->widget());
        if (name && value && name->text() == label) return value->text();
    }
    return {};
}

}  // namespace lumora
