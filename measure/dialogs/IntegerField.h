#pragma once

#include <QString>

#include <optional>

class QLineEdit;
class QWidget;

namespace tessmet {

// The whole signed 32-bit number a field holds, surrounding blanks allowed; nothing for an
// empty field, a lone sign, any other character or a number out of range.
std::optional<int> IntegerOf(const QString& text);

// A one-line field that takes a signed integer: other characters are refused as they are typed.
QLineEdit* MakeIntegerField(int value, const QString& objectName, QWidget* parent);

}  // namespace tessmet
