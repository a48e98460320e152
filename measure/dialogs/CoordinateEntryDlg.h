#pragma once

#include "measure/dialogs/CoordinateMemory.h"

#include <QDialog>

#include <vector>

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace tessmet {

// The common frame of the draw commands' numeric entries: rows of integer fields under the
// headings for the horizontal and vertical axis, each row followed by "[pixel]", and OK and
// Cancel. OK only takes numbers in every field.
class CoordinateEntryDlg : public QDialog {
    Q_OBJECT
public:
    QLineEdit* field(int index) const { return fields_[static_cast<size_t>(index)]; }
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    QPushButton* okButton() const { return ok_; }

protected:
    explicit CoordinateEntryDlg(QWidget* parent);
    // A row with one field (vertical column empty) or two. Call in display order.
    void addRow(const QString& label, std::vector<int> values);
    // The fields are laid out; OK and Cancel go below.
    void finishLayout(QWidget* extraRow = nullptr);
    int value(int index) const;

private:
    void fieldsChanged();

    QGridLayout* grid_ = nullptr;
    std::vector<QLineEdit*> fields_;
    QPushButton* ok_ = nullptr;
    int rows_ = 0;
};

// Line or rectangle by its start and end point.
class CDrawLineDlg : public CoordinateEntryDlg {
    Q_OBJECT
public:
    enum class Shape { Line, Rectangle };
    CDrawLineDlg(Shape shape, const TwoPointEntry& entry, QWidget* parent = nullptr);
    TwoPointEntry entry() const;
};

// Circle by its centre and radius.
class CDrawCircleDlg : public CoordinateEntryDlg {
    Q_OBJECT
public:
    CDrawCircleDlg(const CircleEntry& entry, QWidget* parent = nullptr);
    CircleEntry entry() const;
};

// Text by its drawing position and the text itself.
class CDrawTextDlg : public CoordinateEntryDlg {
    Q_OBJECT
public:
    CDrawTextDlg(const TextPositionEntry& entry, QWidget* parent = nullptr);
    TextPositionEntry entry() const;
    QLineEdit* textField() const { return text_; }

private:
    QLineEdit* text_ = nullptr;
};

}  // namespace tessmet
