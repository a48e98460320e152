#pragma once

#include "measure/core/FontDescription.h"
#include "measure/dialogs/PenSetup.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace tessmet {

// The desktop's colour and font choosers, replaceable so tests can answer them.
struct SetupChoosers {
    // The chosen colour (0x00BBGGRR), nothing on Cancel. Default: the colour dialog.
    std::function<std::optional<ColorRef>(ColorRef current, QWidget* parent)> colour;
    // The chosen font, nothing on Cancel. Default: the font dialog with its effects.
    std::function<std::optional<FontDescription>(const FontDescription& current, QWidget* parent)> font;

    static SetupChoosers Desktop();
};

// "Draw Setup": colour, width and type of the three pens, the additional-line colour or
// inverse drawing, and the font of texts in the image. Works on copies: nothing changes before
// OK. On OK the font copy goes to `applyFont` (the main window compares and applies it) and
// pens() holds the eleven pen settings for the caller to store.
class CDrawSetupDlg : public QDialog {
    Q_OBJECT
public:
    // How long the width message stays in the message line.
    static constexpr int kMessageMillis = 3000;

    CDrawSetupDlg(const PenSetup& pens, const FontDescription& font, SetupChoosers choosers,
                  std::function<void(const FontDescription&)> applyFont, QWidget* parent = nullptr);

    const PenSetup& pens() const { return pens_; }
    const FontDescription& font() const { return font_; }

    // The controls, for the window's tests.
    QPushButton* colourButton(PenRow row) const { return colourButtons_[static_cast<size_t>(row)]; }
    QPushButton* additionalColourButton() const { return colourButtons_[3]; }
    QComboBox* widthList(PenRow row) const { return widthLists_[static_cast<size_t>(row)]; }
    QComboBox* typeList(PenRow row) const { return typeLists_[static_cast<size_t>(row)]; }
    QCheckBox* inverseCheck() const { return inverse_; }
    QLabel* messageLine() const { return message_; }
    QLabel* faceNameLabel() const { return faceName_; }
    QPushButton* fontButton() const { return fontButton_; }
    QPushButton* defaultButton() const { return defaultButton_; }

    void accept() override;

private:
    void showValues();
    void paintSwatches();
    void chooseColour(int button);
    void widthChosen(PenRow row);
    void inverseToggled();
    void chooseFont();
    void restoreDefaults();

    PenSetup pens_;
    FontDescription font_;
    SetupChoosers choosers_;
    std::function<void(const FontDescription&)> applyFont_;

    std::array<QPushButton*, 4> colourButtons_{};  // three pens, then the additional line
    std::array<QComboBox*, 3> widthLists_{};
    std::array<QComboBox*, 3> typeLists_{};
    QCheckBox* inverse_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* faceName_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    QPushButton* defaultButton_ = nullptr;
    QTimer messageTimer_;
};

}  // namespace tessmet
