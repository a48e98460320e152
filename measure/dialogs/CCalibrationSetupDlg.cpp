#include "measure/dialogs/CCalibrationSetupDlg.h"

#include "measure/core/CalibrationFile.h"
#include "measure/core/CalibrationSolve.h"
#include "measure/core/MagnificationFile.h"
#include "measure/core/UnitFormat.h"
#include "measure/dialogs/CInputCalibrationDlg.h"
#include "measure/dialogs/DataFileChooser.h"
#include "measure/dialogs/MeasureDialogHost.h"
#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/ShowMessage.h"
#include "platform/ProgramFolder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tessmet {
namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

// The file name after the last slash.
std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

QPushButton* Button(const QString& text, int id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* ReadOnlyEdit(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

CCalibrationSetupDlg::CCalibrationSetupDlg(MeasureDialogHost& host, std::optional<CalibrationRunResult> runResult,
                                           QWidget* parent)
    : QDialog(parent), host_(host) {
    setWindowTitle(tr("Calibration Setup"));

    pictureName_ = ReadOnlyEdit(kPictureName, this);
    setupName_ = ReadOnlyEdit(kSetupName, this);
    magName_ = ReadOnlyEdit(kMagName, this);
    horz_ = ReadOnlyEdit(kHorz, this);
    vert_ = ReadOnlyEdit(kVert, this);
    unitLabel_ = new QLabel(this);
    unitLabel_->setObjectName(QString::number(kUnitLabel));
    windowChange_ = Button(tr("Window Change"), kWindowChange, this);
    loadMag_ = Button(tr("Load Mag File"), kLoadMag, this);
    edit_ = Button(tr("Edit"), kEdit, this);
    calibration_ = Button(tr("Calibration"), kCalibration, this);
    auto* saveData = Button(tr("Save Data"), kSaveData, this);
    auto* loadData = Button(tr("Load Data"), kLoadData, this);
    auto* okButton = Button(tr("OK"), kOk, this);
    okButton->setDefault(true);
    auto* cancel = Button(tr("Cancel"), kCancel, this);
    // The program-wide calibration is never offered: both of its controls stay hidden.
    sharedCheck_ = new QCheckBox(tr("Not Use"), this);
    sharedCheck_->setObjectName(QString::number(kSharedCheck));
    sharedCheck_->hide();
    sharedButton_ = Button(tr("Not Use"), kSharedButton, this);
    sharedButton_->hide();

    units_ = new QButtonGroup(this);
    auto* unitBox = new QGroupBox(tr("Select Unit"), this);
    auto* unitLayout = new QVBoxLayout(unitBox);
    const QString unitNames[] = {tr("&pixel"), tr("&mm"), tr("&um"), tr("&inch")};
    for (int u = 0; u < 4; ++u) {
        auto* radio = new QRadioButton(unitNames[u], unitBox);
        radio->setObjectName(QString::number(kPixel + u));
        units_->addButton(radio, u);
        unitLayout->addWidget(radio);
    }

    auto* resolution = new QGroupBox(tr("Resolution"), this);
    auto* resolutionGrid = new QGridLayout(resolution);
    resolutionGrid->addWidget(new QLabel(tr("Horz:"), resolution), 0, 0);
    resolutionGrid->addWidget(horz_, 0, 1);
    resolutionGrid->addWidget(new QLabel(tr("Vert:"), resolution), 1, 0);
    resolutionGrid->addWidget(vert_, 1, 1);
    resolutionGrid->addWidget(unitLabel_, 0, 2, 2, 1);
    resolutionGrid->addWidget(edit_, 2, 1);

    auto* names = new QGridLayout;
    names->addWidget(new QLabel(tr("Picture File Name:"), this), 0, 0);
    names->addWidget(pictureName_, 0, 1);
    names->addWidget(new QLabel(tr("Setup File Name:"), this), 1, 0);
    names->addWidget(setupName_, 1, 1);
    names->addWidget(new QLabel(tr("Mag File Name:"), this), 2, 0);
    names->addWidget(magName_, 2, 1);
    auto* nameButtons = new QHBoxLayout;
    nameButtons->addStretch(1);
    nameButtons->addWidget(loadMag_);
    nameButtons->addWidget(windowChange_);

    auto* middle = new QHBoxLayout;
    middle->addWidget(resolution, 2);
    middle->addWidget(unitBox, 1);
    auto* files = new QHBoxLayout;
    files->addWidget(saveData);
    files->addWidget(loadData);
    files->addWidget(sharedCheck_);
    files->addWidget(sharedButton_);
    files->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(calibration_);
    bottom->addStretch(1);
    bottom->addWidget(okButton);
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(names);
    layout->addLayout(nameButtons);
    layout->addLayout(middle);
    layout->addLayout(files);
    layout->addLayout(bottom);

    connect(units_, &QButtonGroup::idClicked, this, [this](int id) { unitChosen(id); });
    connect(edit_, &QPushButton::clicked, this, [this] { edit(); });
    connect(loadMag_, &QPushButton::clicked, this, [this] { loadMagnification(); });
    connect(saveData, &QPushButton::clicked, this, [this] { this->saveData(); });
    connect(loadData, &QPushButton::clicked, this, [this] { this->loadData(); });
    connect(okButton, &QPushButton::clicked, this, [this] { ok(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(calibration_, &QPushButton::clicked, this, [this] { requestCalibration(); });
    connect(windowChange_, &QPushButton::clicked, this, [this] { changeWindow(); });

    takeDocument();
    if (runResult) {
        selectUnit(runResult->unit);
        hWork_ = runResult->hResolution;
        vWork_ = runResult->vResolution;
    }
    display();
}

void CCalibrationSetupDlg::takeDocument() {
    view_ = host_.activeView();
    if (!view_) {
        selectUnit(Unit::Pixel);
        return;
    }
    const Calibration& c = view_->document().calibration();
    selectUnit(c.unit >= Unit::Pixel && c.unit <= Unit::Inch ? c.unit : Unit::Pixel);
    hWork_ = c.hResolution;
    vWork_ = c.vResolution;
    pictureName_->setText(Text(view_->document().path()));
    setupName_->setText(Text(NameOf(c.infPath)));
    const bool magExists = MagnificationFileExists(c) == 0;
    magName_->setText(magExists ? Text(NameOf(c.magPath)) : Text(LoadString(StringId::MagNotFound)));
    loadMag_->setVisible(magExists);
}

void CCalibrationSetupDlg::selectUnit(UnitType unit) {
    unit_ = unit;
    if (QAbstractButton* radio = units_->button(unit)) radio->setChecked(true);
}

void CCalibrationSetupDlg::display() {
    const bool pixel = unit_ == Unit::Pixel;
    unitLabel_->setText(pixel ? QString() : Text(UnitSuffix(unit_, SuffixKind::PerPixel)));
    hShown_ = ShownResolution(unit_, hWork_);
    vShown_ = ShownResolution(unit_, vWork_);
    horz_->setText(DoubleText(hShown_));
    vert_->setText(DoubleText(vShown_));
    calibration_->setEnabled(!pixel);
    edit_->setEnabled(!pixel);
}

void CCalibrationSetupDlg::unitChosen(UnitType unit) {
    unit_ = unit;
    display();
}

void CCalibrationSetupDlg::edit() {
    CInputCalibrationDlg input(host_.messages(), hShown_, vShown_, unitLabel_->text(), this);
    if (host_.runModal(input) != QDialog::Accepted) return;
    if (unit_ == Unit::Pixel) return;
    hShown_ = FormatSignificant(input.horzAfter(), 3).value;
    vShown_ = FormatSignificant(input.vertAfter(), 3).value;
    hWork_ = WorkingResolution(unit_, hShown_, hWork_);
    vWork_ = WorkingResolution(unit_, vShown_, vWork_);
    horz_->setText(DoubleText(hShown_));
    vert_->setText(DoubleText(vShown_));
}

void CCalibrationSetupDlg::loadMagnification() {
    if (!view_) return;
    const ResolutionResult mag = ResolutionFromMagnification(view_->document().calibration());
    if (mag.result < 0) {
        ShowMessage(host_.messages(), mag.result == -1 ? StringId::MagMissing : StringId::MagLoadFailed,
                    MessageIcon::Exclamation);
        return;
    }
    if (unit_ == Unit::Pixel) selectUnit(Unit::Millimetre);
    hWork_ = mag.hResolution;
    vWork_ = mag.vResolution;
    display();
    ShowMessage(host_.messages(), StringId::MagLoaded, MessageIcon::Information);
}

void CCalibrationSetupDlg::saveData() {
    const std::optional<std::string> path = host_.dataFiles().saveCalibration(host_.dataFolder());
    if (!path) return;
    if (!WriteCalibrationFile(*path, unit_, hWork_, vWork_)) {
        ShowPlainMessage(host_.messages(), windowTitle().toStdString(), "The file cannot be written:\n" + *path,
                         MessageIcon::Exclamation);
    }
    host_.dataFolder() = platform::FolderOf(*path);
}

void CCalibrationSetupDlg::loadData() {
    const std::optional<std::string> path = host_.dataFiles().openCalibration(host_.dataFolder());
    if (!path) return;
    host_.dataFolder() = platform::FolderOf(*path);
    const CalibrationFileData data = ReadCalibrationFile(*path);
    // A file that cannot be read leaves the fields as they were, instead of the reader's
    // defaults (pixel, 1.0), which would look like a loaded calibration.
    if (data.result == -1) return;
    selectUnit(data.unit >= Unit::Pixel && data.unit <= Unit::Inch ? data.unit : Unit::Pixel);
    hWork_ = data.hResolution;
    vWork_ = data.vResolution;
    display();
}

void CCalibrationSetupDlg::ok() {
    if (!view_) {
        reject();
        return;
    }
    CTessmetDoc& document = view_->document();
    const std::string extra = "\n<" + NameOf(document.calibration().infPath) + ">";
    if (ShowMessage(host_.messages(), StringId::SaveSetupAndEnd, MessageIcon::Question, MessageButtons::YesNo, extra) !=
        MessageAnswer::Yes)
        return;
    Calibration& c = document.calibration();
    c.unit = unit_;
    c.hResolution = hWork_;
    c.vResolution = vWork_;
    if (!WriteCalibrationFile(c.infPath, c.unit, c.hResolution, c.vResolution)) {
        ShowPlainMessage(host_.messages(), windowTitle().toStdString(), "The file cannot be written:\n" + c.infPath,
                         MessageIcon::Exclamation);
    }
    ShowMessage(host_.messages(), StringId::SetupReflected, MessageIcon::Information);
    view_->Rebuild(true);
    host_.refreshResults(0, false);
    accept();
}

void CCalibrationSetupDlg::requestCalibration() {
    calibrationRequested_ = true;
    requestedUnit_ = unit_;
    reject();
}

void CCalibrationSetupDlg::changeWindow() {
    if (host_.documentWindowCount() < 2) return;
    host_.runCommand(CommandId::WindowChange);
    takeDocument();
    display();
}

}  // namespace tessmet
