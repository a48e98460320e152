#include "measure/dialogs/CColorDistDlg.h"

#include "measure/processing/ColourDistribution.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/ShowMessage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tessmet {

CColorDistDlg::CColorDistDlg(Links links, QWidget* parent) : QDialog(parent), links_(std::move(links)) {
    setObjectName(QStringLiteral("144"));
    setWindowTitle(QString());
    setModal(false);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Total"), this), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(tr("Average"), this), 0, 2, Qt::AlignHCenter);
    grid->addWidget(new QLabel(tr("Ratio"), this), 0, 3, Qt::AlignHCenter);
    const char* names[3] = {QT_TR_NOOP("Red:"), QT_TR_NOOP("Green:"), QT_TR_NOOP("Blue:")};
    for (int c = 0; c < 3; ++c) {
        channels_[static_cast<size_t>(c)] = new QCheckBox(tr(names[c]), this);
        channels_[static_cast<size_t>(c)]->setObjectName(QString::number(1811 + c));
        grid->addWidget(channels_[static_cast<size_t>(c)], c + 1, 0);
        connect(channels_[static_cast<size_t>(c)], &QCheckBox::clicked, this, [this] { displayChannels(); });
        for (int column = 0; column < 3; ++column) {
            auto* field = new QLineEdit(this);
            field->setReadOnly(true);
            field->setAlignment(Qt::AlignRight);
            field->setObjectName(QString::number(1801 + column * 3 + c));
            fields_[static_cast<size_t>(column * 3 + c)] = field;
            grid->addWidget(field, c + 1, column + 1);
        }
    }
    grid->addWidget(new QLabel(tr("Area:"), this), 4, 0);
    fields_[9] = new QLineEdit(this);
    fields_[9]->setReadOnly(true);
    fields_[9]->setAlignment(Qt::AlignRight);
    fields_[9]->setObjectName(QStringLiteral("1814"));
    grid->addWidget(fields_[9], 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("[pixel]"), this), 4, 2);
    save_ = new QPushButton(tr("Save"), this);
    save_->setObjectName(QStringLiteral("1821"));
    save_->setAutoDefault(false);
    grid->addWidget(save_, 4, 3);
    connect(save_, &QPushButton::clicked, this, [this] { Save(); });
}

QString CColorDistDlg::fieldText(int id) const {
    const int index = id == 1814 ? 9 : id - 1801;
    return index >= 0 && index < 10 ? fields_[static_cast<size_t>(index)]->text() : QString();
}

void CColorDistDlg::showTexts(const std::array<QString, 10>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) fields_[i]->setText(texts[i]);
}

void CColorDistDlg::RefreshDistribution(bool onActivation) {
    if (!isVisible()) return;
    // Totals, averages and the area grey out without an image; the ratios stay as they are.
    for (size_t i = 0; i < 10; ++i)
        if (i < 6 || i == 9) fields_[i]->setEnabled(documentOpen_);
    if (!documentOpen_) {
        view_ = nullptr;
        showTexts({});
        return;
    }
    CTessmetView* active = links_.activeView ? links_.activeView() : nullptr;
    if (onActivation || !view_) {
        if (onActivation && active && active == view_) return;
        view_ = active;
        documentPath_ = view_ ? view_->document().path() : std::string();
    }
    if (!view_) return;
    const ColourTotals totals = ColourSums(view_->images().original(), view_->regionSpans());
    const ColourDistributionTexts t = FormatColourDistribution(totals);
    std::array<QString, 10> texts;
    for (size_t c = 0; c < 3; ++c) {
        texts[c] = QString::fromStdString(t.totals[c]);
        texts[3 + c] = QString::fromStdString(t.averages[c]);
        texts[6 + c] = QString::fromStdString(t.ratios[c]);
    }
    texts[9] = QString::fromStdString(t.area);
    displayChannels();
    showTexts(texts);
}

void CColorDistDlg::displayChannels() {
    if (!view_) return;
    ColourDisplay(view_->images().original(), view_->images().processing(), view_->regionSpans(),
                  channels_[0]->isChecked(), channels_[1]->isChecked(), channels_[2]->isChecked());
    if (links_.layerWritten) links_.layerWritten(view_);
}

void CColorDistDlg::Save() {
    if (!documentOpen_ || !view_) return;
    const ColourTotals totals = ColourSums(view_->images().original(), view_->regionSpans());
    const std::string line = ColourDistributionCsvLine(documentPath_, totals);
    // The file is appended to for good; a line that cannot be written is said so, not lost
    // without a word.
    if (AppendColourDistributionLine(links_.csvPath, line) != 0 && links_.messages) {
        ShowPlainMessage(*links_.messages, "Save", "The file could not be written:\n" + links_.csvPath,
                         MessageIcon::Exclamation);
    }
}

void CColorDistDlg::PlaceOver(const QRect& mainFrame) {
    const QSize size = frameGeometry().size();
    const int left = (mainFrame.left() + mainFrame.right()) / 2 - size.width() / 2;
    const int top = (mainFrame.top() + mainFrame.bottom()) / 4 + size.height() / 2;
    move(left, top);
}

void CColorDistDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    RefreshDistribution(true);
}

void CColorDistDlg::hideEvent(QHideEvent* event) {
    // Forgotten, so the next showing computes afresh.
    view_ = nullptr;
    documentPath_.clear();
    QDialog::hideEvent(event);
}

void CColorDistDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (links_.closed) links_.closed();
    hide();
}

void CColorDistDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape do not close this window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tessmet
