#include "measure/dialogs/IntegerField.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace tessmet {

std::optional<int> IntegerOf(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

QLineEdit* MakeIntegerField(int value, const QString& objectName, QWidget* parent) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setObjectName(objectName);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*-?\\d{0,10}\\s*")), edit));
    edit->setAlignment(Qt::AlignRight);
    // Room for a sign and six digits.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000000")) + 12);
    return edit;
}

}  // namespace tessmet
