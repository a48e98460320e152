#include "measure/dialogs/CDrawSetupDlg.h"

#include "measure/dialogs/FontChoice.h"
#include "measure/res/StringTable.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessmet {
namespace {

constexpr QSize kSwatchSize(36, 16);
constexpr PenRow kRows[] = {PenRow::ImageProcessing, PenRow::Measure, PenRow::Draw};

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

QColor ToColor(ColorRef c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
ColorRef ToColorRef(const QColor& c) {
    return Rgb(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue()));
}

}  // namespace

SetupChoosers SetupChoosers::Desktop() {
    SetupChoosers choosers;
    choosers.colour = [](ColorRef current, QWidget* parent) -> std::optional<ColorRef> {
        const QColor chosen = QColorDialog::getColor(ToColor(current), parent);
        if (!chosen.isValid()) return std::nullopt;
        return ToColorRef(chosen);
    };
    choosers.font = [](const FontDescription& current, QWidget* parent) -> std::optional<FontDescription> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, FontForChooser(current), parent);
        if (!ok) return std::nullopt;
        return DescriptionFromFont(chosen, current);
    };
    return choosers;
}

CDrawSetupDlg::CDrawSetupDlg(const PenSetup& pens, const FontDescription& font, SetupChoosers choosers,
                             std::function<void(const FontDescription&)> applyFont, QWidget* parent)
    : QDialog(parent), pens_(pens), font_(font), choosers_(std::move(choosers)), applyFont_(std::move(applyFont)) {
    setWindowTitle(tr("Draw Setup"));
    if (!choosers_.colour || !choosers_.font) {
        const SetupChoosers desktop = SetupChoosers::Desktop();
        if (!choosers_.colour) choosers_.colour = desktop.colour;
        if (!choosers_.font) choosers_.font = desktop.font;
    }

    auto* pensBox = new QGroupBox(tr("Color / Width / Type"), this);
    auto* grid = new QGridLayout(pensBox);
    grid->addWidget(new QLabel(tr("Color"), pensBox), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(tr("Width"), pensBox), 0, 2, Qt::AlignHCenter);
    grid->addWidget(new QLabel(tr("Type"), pensBox), 0, 3, Qt::AlignHCenter);
    const QString rowNames[] = {tr("Image Processing:"), tr("Measure:"), tr("Draw:"), tr("Additional Line:")};
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(new QLabel(rowNames[r], pensBox), r + 1, 0);
        auto* swatch = new QPushButton(pensBox);
        swatch->setObjectName(QStringLiteral("colour%1").arg(r));
        swatch->setFlat(true);
        swatch->setIconSize(kSwatchSize);
        swatch->setAutoDefault(false);
        connect(swatch, &QPushButton::clicked, this, [this, r] { chooseColour(r); });
        colourButtons_[static_cast<size_t>(r)] = swatch;
        grid->addWidget(swatch, r + 1, 1);
        if (r == 3) break;
        auto* width = new QComboBox(pensBox);
        width->setObjectName(QStringLiteral("width%1").arg(r));
        for (int w = kFirstListedWidth; w <= kLastListedWidth; ++w) width->addItem(QString::number(w));
        auto* type = new QComboBox(pensBox);
        type->setObjectName(QStringLiteral("type%1").arg(r));
        for (int t = 0; t < kPenTypeCount; ++t) type->addItem(Text(StringId::SolidLine + t));
        widthLists_[static_cast<size_t>(r)] = width;
        typeLists_[static_cast<size_t>(r)] = type;
        grid->addWidget(width, r + 1, 2);
        grid->addWidget(type, r + 1, 3);
    }
    inverse_ = new QCheckBox(tr("Use Inverse Color"), pensBox);
    grid->addWidget(inverse_, 4, 2, 1, 2);
    grid->setColumnStretch(3, 1);

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setWordWrap(true);
    // Room for the longest message, so the dialog does not jump when it shows.
    message_->setMinimumHeight(2 * message_->fontMetrics().height());

    auto* fontBox = new QGroupBox(tr("Font"), this);
    auto* fontRow = new QHBoxLayout(fontBox);
    faceName_ = new QLabel(fontBox);
    faceName_->setObjectName(QStringLiteral("faceName"));
    faceName_->setFrameShape(QFrame::StyledPanel);
    fontButton_ = new QPushButton(tr("Setup"), fontBox);
    fontButton_->setAutoDefault(false);
    fontRow->addWidget(faceName_, 1);
    fontRow->addWidget(fontButton_);

    defaultButton_ = new QPushButton(tr("Default"), this);
    defaultButton_->setAutoDefault(false);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaultButton_);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pensBox);
    layout->addWidget(message_);
    layout->addWidget(fontBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showValues();

    for (const PenRow row : kRows) {
        connect(widthLists_[static_cast<size_t>(row)], &QComboBox::activated, this, [this, row] { widthChosen(row); });
    }
    connect(inverse_, &QCheckBox::clicked, this, [this] { inverseToggled(); });
    connect(fontButton_, &QPushButton::clicked, this, [this] { chooseFont(); });
    connect(defaultButton_, &QPushButton::clicked, this, [this] { restoreDefaults(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    messageTimer_.setSingleShot(true);
    messageTimer_.setInterval(kMessageMillis);
    connect(&messageTimer_, &QTimer::timeout, this, [this] { message_->clear(); });
}

void CDrawSetupDlg::showValues() {
    faceName_->setText(QString::fromStdString(font_.faceName));
    for (const PenRow row : kRows) {
        const Pen& pen = PenOf(pens_, row);
        const size_t r = static_cast<size_t>(row);
        widthLists_[r]->setCurrentIndex(WidthIndexFor(pen.width));
        const TypeListState type = TypeListFor(pen.width, pen.style);
        typeLists_[r]->setCurrentIndex(type.index);
        typeLists_[r]->setEnabled(type.enabled);
    }
    inverse_->setChecked(pens_.addUseXor != 0);
    additionalColourButton()->setEnabled(!inverse_->isChecked());
    paintSwatches();
}

void CDrawSetupDlg::paintSwatches() {
    const ColorRef colours[] = {static_cast<ColorRef>(pens_.ip.color), static_cast<ColorRef>(pens_.measure.color),
                                static_cast<ColorRef>(pens_.draw.color), static_cast<ColorRef>(pens_.addColor)};
    for (size_t i = 0; i < colourButtons_.size(); ++i) {
        QPixmap swatch(kSwatchSize);
        swatch.fill(ToColor(colours[i]));
        colourButtons_[i]->setIcon(QIcon(swatch));
    }
}

void CDrawSetupDlg::chooseColour(int button) {
    int32_t& colour = button == 3 ? pens_.addColor : PenOf(pens_, kRows[button]).color;
    const std::optional<ColorRef> chosen = choosers_.colour(static_cast<ColorRef>(colour), this);
    if (!chosen) return;
    colour = static_cast<int32_t>(button == 3 ? (*chosen & 0xFFFFFFu) : StoredPenColour(kRows[button], *chosen));
    paintSwatches();
}

void CDrawSetupDlg::widthChosen(PenRow row) {
    const size_t r = static_cast<size_t>(row);
    QComboBox* type = typeLists_[r];
    if (widthLists_[r]->currentIndex() + kFirstListedWidth != 1) {
        type->setCurrentIndex(0);
        type->setEnabled(false);
        message_->setText(Text(StringId::WidthMakesSolid));
        messageTimer_.start();
    } else {
        type->setEnabled(true);
    }
}

void CDrawSetupDlg::inverseToggled() { additionalColourButton()->setEnabled(!inverse_->isChecked()); }

void CDrawSetupDlg::chooseFont() {
    const std::optional<FontDescription> chosen = choosers_.font(font_, this);
    if (!chosen) return;
    font_ = *chosen;
    faceName_->setText(QString::fromStdString(font_.faceName));
}

void CDrawSetupDlg::restoreDefaults() {
    pens_ = DefaultPenSetup();
    font_ = DefaultViewFont();
    showValues();
}

void CDrawSetupDlg::accept() {
    for (const PenRow row : kRows) {
        const size_t r = static_cast<size_t>(row);
        Pen& pen = PenOf(pens_, row);
        pen.width = widthLists_[r]->currentIndex() + kFirstListedWidth;
        pen.style = typeLists_[r]->currentIndex();
    }
    if (applyFont_) applyFont_(font_);
    pens_.addUseXor = inverse_->isChecked() ? 1 : 0;
    QDialog::accept();
}

}  // namespace tessmet
