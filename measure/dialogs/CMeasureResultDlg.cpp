#include "measure/dialogs/CMeasureResultDlg.h"

#include "measure/core/MeasureResultTable.h"
#include "measure/dialogs/DataFileChooser.h"
#include "measure/dialogs/MeasureDialogHost.h"
#include "measure/res/CommandTable.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/ShowMessage.h"
#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tessmet {

bool CMeasureResultDlg::blinkPhase_ = false;

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

QPushButton* Button(const char* text, int id, QWidget* parent) {
    auto* button = new QPushButton(QObject::tr(text), parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CMeasureResultDlg::CMeasureResultDlg(MeasureDialogHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setWindowTitle(tr("Measure Result"));
    setModal(false);

    fileName_ = new QLineEdit(this);
    fileName_->setObjectName(QString::number(kFileName));
    fileName_->setReadOnly(true);
    windowChange_ = Button("Window Change", kWindowChange, this);
    kinds_ = new QListWidget(this);
    kinds_->setObjectName(QString::number(kKindList));
    for (int i = 0; i < kResultKindCount; ++i) kinds_->addItem(Text(ResultKindName(i)));
    // The first kind is chosen until a measurement tool or the user picks another.
    kinds_->setCurrentRow(0);
    kind_ = 0;
    results_ = new QTreeWidget(this);
    results_->setObjectName(QString::number(kResultList));
    results_->setRootIsDecorated(false);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSelectionMode(QAbstractItemView::SingleSelection);
    results_->setColumnCount(0);
    results_->header()->setStretchLastSection(false);
    clear_ = Button("Clear", kClear, this);
    delete_ = Button("Delete", kDelete, this);
    save_ = Button("Save Data", kSaveData, this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("File Name:"), this));
    top->addWidget(fileName_, 1);
    top->addWidget(windowChange_);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("Measure Type:"), this));
    left->addWidget(kinds_);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(tr("Measure Result:"), this));
    right->addWidget(results_);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addLayout(right, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(clear_);
    buttons->addWidget(delete_);
    buttons->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(475, 325);

    connect(kinds_, &QListWidget::currentRowChanged, this, [this](int index) {
        if (busy_) return;
        kind_ = index;
        row_ = -1;
        rebuild();
    });
    connect(results_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (busy_) return;
        const QList<QTreeWidgetItem*> selected = results_->selectedItems();
        row_ = selected.isEmpty() ? -1 : results_->indexOfTopLevelItem(selected.front());
    });
    connect(delete_, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(clear_, &QPushButton::clicked, this, [this] { clearAll(); });
    connect(windowChange_, &QPushButton::clicked, this, [this] { changeWindow(); });
    connect(save_, &QPushButton::clicked, this, [this] { saveData(); });

    timer_.setInterval(kBlinkIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { BlinkTick(); });
    timer_.start();
    RefreshResults(0, false);
}

CMeasureResultDlg::~CMeasureResultDlg() { timer_.stop(); }

void CMeasureResultDlg::setDocumentOpen(bool open) {
    documentOpen_ = open;
    if (!open) view_ = nullptr;
}

void CMeasureResultDlg::RefreshResults(int newKind, bool onActivation) {
    for (QWidget* control : std::initializer_list<QWidget*>{kinds_, results_, fileName_, windowChange_, clear_, delete_, save_})
        control->setEnabled(documentOpen_);
    if (!documentOpen_) {
        fileName_->clear();
        busy_ = true;
        results_->clear();
        results_->setColumnCount(0);
        results_->setHeaderLabels({});
        busy_ = false;
        return;
    }
    if (onActivation) {
        CTessmetView* active = host_.activeView();
        if (active == view_) return;
        view_ = active;
        previousKind_ = previousRow_ = -1;  // that record was in the other window
        fileName_->setText(view_ ? Text(view_->document().path()) : QString());
    }
    if (newKind >= 0 && newKind < kResultKindCount) {
        busy_ = true;
        kinds_->setCurrentRow(newKind);
        busy_ = false;
        kind_ = newKind;
    } else {
        // A selection the user can see is the one Delete acts on.
        kind_ = kinds_->currentRow();
    }
    rebuild();
}

void CMeasureResultDlg::rebuild() {
    busy_ = true;
    results_->clear();
    const int index = kinds_->currentRow();
    const UnitType unit = view_ ? view_->calibration().unit : Unit::Pixel;
    const std::vector<std::string> titles = ResultColumnTitles(index, unit);
    QStringList labels;
    for (const std::string& t : titles) labels << Text(t);
    results_->setColumnCount(static_cast<int>(labels.size()));
    results_->setHeaderLabels(labels);
    for (int c = 0; c < labels.size(); ++c) results_->setColumnWidth(c, c == 0 ? 80 : 40);
    if (view_ && index >= 0) {
        for (const ResultRow& row : ResultRows(view_->store(), index, view_->calibration())) {
            auto* item = new QTreeWidgetItem(results_);
            item->setText(0, Text(row.value));
            const int count = static_cast<int>(row.coordinates.size());
            for (int j = 0; j < count; ++j) {
                // The derived point goes to the xc, yc columns at the end.
                const int column = row.hasDerived && j >= count - 2 ? static_cast<int>(labels.size()) - (count - j) : j + 1;
                item->setText(column, QString::number(row.coordinates[static_cast<size_t>(j)]));
            }
        }
    }
    busy_ = false;
}

void CMeasureResultDlg::selectRow(int row) {
    busy_ = true;
    if (QTreeWidgetItem* item = results_->topLevelItem(row)) {
        results_->setCurrentItem(item);
        item->setSelected(true);
    }
    busy_ = false;
}

void CMeasureResultDlg::StopBlink() {
    if (view_ && previousKind_ >= 0 && previousRow_ >= 0)
        view_->RedrawRecord(ResultKindAt(previousKind_), previousRow_, false);
    row_ = -1;
    busy_ = true;
    results_->clearSelection();
    busy_ = false;
}

void CMeasureResultDlg::Blink(bool phase) {
    if (kind_ >= 0 && row_ >= 0) {
        selectRow(row_);
        if (view_) view_->RedrawRecord(ResultKindAt(kind_), row_, phase);
    }
    if ((previousKind_ != kind_ || previousRow_ != row_) && previousKind_ >= 0 && previousRow_ >= 0 && view_) {
        view_->RedrawRecord(ResultKindAt(previousKind_), previousRow_, false);
    }
    previousKind_ = kind_;
    previousRow_ = row_;
}

void CMeasureResultDlg::BlinkTick() {
    if (!documentOpen_ || busy_) return;
    blinkPhase_ = !blinkPhase_;
    Blink(blinkPhase_);
}

void CMeasureResultDlg::deleteSelected() {
    if (kind_ < 0 || row_ < 0 || results_->topLevelItemCount() == 0 || !view_) return;
    view_->store().Remove(ResultKindAt(kind_), row_);
    view_->Rebuild();
    // The record that blinked is gone; nothing is left to draw normally.
    previousKind_ = previousRow_ = -1;
    rebuild();
    if (row_ > 0) {
        results_->setFocus();
        row_ = row_ - 1;
        selectRow(row_);
    }
}

void CMeasureResultDlg::clearAll() {
    host_.runCommand(CommandId::MeasureClear);
    row_ = -1;
}

void CMeasureResultDlg::changeWindow() {
    if (host_.documentWindowCount() <= 1) return;
    host_.runCommand(CommandId::WindowChange);
    RefreshResults(0, true);
}

void CMeasureResultDlg::saveData() {
    row_ = -1;
    const std::optional<std::string> path = host_.dataFiles().saveCsv(host_.dataFolder());
    if (!path) return;
    const std::string csv = view_ ? MeasureResultCsv(view_->store(), view_->calibration()) : std::string();
    // Written beside the target and renamed over it: a failed export leaves the earlier file.
    if (!platform::WriteFileAtomically(*path, csv)) {
        ShowPlainMessage(host_.messages(), windowTitle().toStdString(), "The file cannot be written:\n" + *path,
                         MessageIcon::Exclamation);
    }
    host_.dataFolder() = platform::FolderOf(*path);
}

void CMeasureResultDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: event->accept(); return;  // the window stays
        default: QDialog::keyPressEvent(event);
    }
}

void CMeasureResultDlg::hideEvent(QHideEvent* event) {
    row_ = -1;
    QDialog::hideEvent(event);
}

void CMeasureResultDlg::closeEvent(QCloseEvent* event) {
    row_ = -1;
    emit closedByUser();
    QDialog::closeEvent(event);
}

}  // namespace tessmet
