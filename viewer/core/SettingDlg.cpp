#include "viewer/core/SettingDlg.h"

#include "viewer/core/CameraControlsDialog.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/ColorSwatch.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/core/ImageComboBox.h"
#include "viewer/core/SettingDlgHost.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace lumora {
namespace {

// A read keeps at most 254 characters, so an edit takes no more than will come back.
constexpr int kMaxText = int(kViewerStringBuffer) - 1;

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }
std::string Decimal(int value) { return std::to_string(value); }
std::string ColourText(ColorRef colour) { return Decimal(static_cast<int32_t>(colour)); }
ColorRef ColourOf(const std::string& text) { return static_cast<ColorRef>(TextAsInt(text)); }

// An index the list does not hold would leave the combo empty and be written back as -1.
int ClampIndex(int index, int count, int fallback) { return index >= 0 && index < count ? index : fallback; }

}  // namespace

QString SaveFailedMessage(const std::string& iniPath) {
    return QStringLiteral("The settings could not be saved to\n%1").arg(QString::fromStdString(iniPath));
}

CSettingDlg::CSettingDlg(ViewerSettings& settings, SettingDlgHost& host, QWidget* parent)
    : QDialog(parent), settings_(settings), host_(host), pages_(ShowPropertyPages) {
    setWindowTitle(QStringLiteral("Setting"));
    messenger_ = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Lumora"), text); };
    setFixedSize(kSettingClientSize);
    build();
    load();
}

void CSettingDlg::build() {
    const auto group = [this](const char* title, int x, int y, int w, int h) {
        (new QGroupBox(QString::fromLatin1(title), this))->setGeometry(x, y, w, h);
    };
    const auto label = [this](const char* text, int x, int y, int w, int h) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setGeometry(x, y, w, h);
        return l;
    };
    const auto edit = [this](int x, int y, int w, int h) {
        auto* e = new QLineEdit(this);
        e->setGeometry(x, y, w, h);
        e->setMaxLength(kMaxText);
        return e;
    };
    const auto button = [this](const char* text, int x, int y, int w, int h) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setGeometry(x, y, w, h);
        b->setAutoDefault(false);
        return b;
    };
    const auto combo = [this](QStringList items, int x, int y, int w) {
        auto* c = new QComboBox(this);
        c->addItems(items);
        // The height of a drop list is its closed height; the list drops below it.
        c->setGeometry(x, y, w, 22);
        return c;
    };
    const auto swatch = [this](int id, int x, int y) {
        auto* s = new CColorSwatch(this, id);
        s->setGeometry(x, y, 25, 23);
        return s;
    };
    const auto check = [this](const char* text, int x, int y, int w, int h) {
        auto* c = new QCheckBox(QString::fromLatin1(text), this);
        c->setGeometry(x, y, w, h);
        return c;
    };
    const QStringList oneToFive = {"1", "2", "3", "4", "5"};

    // Group boxes first, so the controls drawn over them stay on top.
    group("Tessmet Folder", 15, 20, 453, 51);
    group("Gallery Folder", 15, 81, 453, 51);
    group("Grid Lines", 15, 150, 145, 111);
    group("Center Line", 166, 150, 145, 111);
    group("Scale&&Magnification", 316, 150, 150, 111);
    group("File Name", 15, 272, 222, 53);
    group("Video Capture Filter", 239, 272, 227, 53);
    group("Print Image", 15, 340, 128, 190);
    group("Drawing Options", 151, 340, 314, 190);

    tessmetFolder_ = edit(45, 41, 359, 21);
    tessmetBrowse_ = button("...", 414, 41, 39, 21);
    galleryFolder_ = edit(45, 102, 359, 21);
    galleryBrowse_ = button("...", 414, 99, 39, 21);

    label("Count", 40, 176, 40, 15);
    gridCount_ = combo({"4x3", "8x6", "16x12"}, 87, 174, 70);
    label("Thickness", 17, 204, 65, 15)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    gridThickness_ = combo(oneToFive, 87, 200, 70);
    label("Color", 40, 234, 40, 15);
    gridColour_ = swatch(1026, 87, 230);

    label("Thickness", 168, 191, 65, 15);
    centerThickness_ = combo(oneToFive, 238, 186, 67);
    label("Color", 196, 224, 38, 15);
    centerColour_ = swatch(1027, 238, 219);

    label("Line Color", 330, 176, 75, 15);
    scaleLineColour_ = swatch(1028, 409, 172);
    label("Text Color", 330, 204, 75, 15);
    scaleTextColour_ = swatch(1035, 409, 200);
    label("Bar Color", 330, 234, 75, 15);
    barColour_ = swatch(1039, 409, 230);

    auto_ = new QRadioButton(QStringLiteral("Auto"), this);
    auto_->setGeometry(68, 296, 53, 15);
    manual_ = new QRadioButton(QStringLiteral("Manual"), this);
    manual_->setGeometry(133, 296, 70, 15);
    auto* naming = new QButtonGroup(this);
    naming->addButton(auto_);
    naming->addButton(manual_);

    cameraDefault_ = button("Default", 244, 294, 80, 21);
    userSetting_ = button("User Setting", 326, 294, 130, 21);

    const char* printTexts[] = {"SCALE", "MAG BAR", "MAG DATA", "GRID LINE", "CENTER LINE"};
    for (int k = 0; k < 5; ++k) print_[size_t(k)] = check(printTexts[k], 25, 376 + 32 * k, 110, 20);

    const char* unitTexts[] = {"mm", "mm2", "um", "um2", "degree"};
    for (int k = 0; k < 5; ++k) {
        label(unitTexts[k], 157, 370 + 32 * k, 48, 16);
        // The first alias edit sits 2 pixels below the rhythm of the others.
        aliases_[size_t(k)] = edit(217, k == 0 ? 368 : 366 + 32 * k, 54, 28);
    }
    useAlias_ = check("Use alias", 283, 374, 125, 20);
    useCrossLine_ = check("Use cross line", 283, 404, 125, 20);
    crossColour_ = swatch(1075, 409, 402);
    label("Thickness", 275, 468, 110, 16);
    lineThickness_ = new CImageComboBox(this);
    lineThickness_->setGeometry(389, 464, 74, 24);
    label("Arrow Style", 275, 500, 110, 16);
    arrowStyle_ = new CImageComboBox(this);
    arrowStyle_->setGeometry(389, 496, 74, 24);

    ok_ = button("OK", 138, 538, 88, 21);
    ok_->setDefault(true);
    cancel_ = button("Cancel", 236, 538, 88, 21);

    connect(tessmetBrowse_, &QPushButton::clicked, this,
            [this] { browse(tessmetFolder_, QString::fromLatin1(kTessmetFolderTitle)); });
    connect(galleryBrowse_, &QPushButton::clicked, this,
            [this] { browse(galleryFolder_, QString::fromLatin1(kGalleryFolderTitle)); });
    connect(useAlias_, &QCheckBox::clicked, this, &CSettingDlg::onUseAlias);
    connect(useCrossLine_, &QCheckBox::clicked, this, &CSettingDlg::onUseCrossLine);
    connect(userSetting_, &QPushButton::clicked, this, &CSettingDlg::onUserSetting);
    connect(cameraDefault_, &QPushButton::clicked, this, &CSettingDlg::onCameraDefault);
    connect(ok_, &QPushButton::clicked, this, &CSettingDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CSettingDlg::reject);
}

void CSettingDlg::load() {
    const ViewerSettings& s = settings_;
    tessmetFolder_->setText(Q(s.tessmetFolder));
    galleryFolder_->setText(Q(s.galleryFolder));
    // Any grid index but 0 and 1 draws 16x12, so that is what the list shows for it.
    gridCount_->setCurrentIndex(ClampIndex(TextAsInt(s.gridSpaceIndex), 2, 2));
    gridThickness_->setCurrentIndex(ClampIndex(TextAsInt(s.gridThicknessIndex), 5, 0));
    centerThickness_->setCurrentIndex(ClampIndex(TextAsInt(s.centerLineThicknessIndex), 5, 0));

    // Only exactly "1" shows as automatic naming; any other text asks at each capture.
    (s.captureAuto == "1" ? auto_ : manual_)->setChecked(true);

    centerColour_->setColour(ColourOf(s.centerLineColor));
    gridColour_->setColour(ColourOf(s.gridColor));
    scaleLineColour_->setColour(ColourOf(s.scaleLineColor));
    scaleTextColour_->setColour(ColourOf(s.scaleTextColor));
    barColour_->setColour(ColourOf(s.scaleBarColor));
    crossColour_->setColour(ColourOf(s.crossColor));

    arrowStyle_->setBitmaps(ArrowStyleBitmaps());
    lineThickness_->setLineMode();

    const int32_t printFlags[] = {s.printScale, s.printMagBar, s.printMagData, s.printGridLine, s.printCenterLine};
    for (size_t k = 0; k < 5; ++k) print_[k]->setChecked(printFlags[k] != 0);
    useAlias_->setChecked(s.useAlias != 0);
    useCrossLine_->setChecked(s.useCrossLine != 0);
    crossColour_->setEnabled(s.useCrossLine != 0);
    const std::string* aliasTexts[] = {&s.aliasMm, &s.aliasMm2, &s.aliasUm, &s.aliasUm2, &s.aliasDegree};
    for (size_t k = 0; k < 5; ++k) {
        aliases_[k]->setEnabled(s.useAlias != 0);
        aliases_[k]->setText(Q(*aliasTexts[k]));
    }
    lineThickness_->setCurrentIndex(ClampIndex(s.lineThickness, 5, 0));
    // Styles other than 1 and 2 draw a plain line, which is style 0.
    arrowStyle_->setCurrentIndex(ClampIndex(s.arrowStyle, 3, 0));
}

void CSettingDlg::setColourChooser(const CustomColourChooser& chooser) {
    for (CColorSwatch* s : {gridColour_, centerColour_, scaleLineColour_, scaleTextColour_, barColour_, crossColour_})
        s->setColourChooser(chooser);
}

void CSettingDlg::browse(QLineEdit* edit, const QString& title) {
    if (const std::optional<QString> folder = browser_(this, title, edit->text())) edit->setText(*folder);
}

void CSettingDlg::onUseAlias(bool on) {
    for (QLineEdit* e : aliases_) e->setEnabled(on);
}

void CSettingDlg::onUseCrossLine(bool on) {
    crossColour_->setEnabled(on);
    if (on) crossColour_->setColour(ColourOf(settings_.crossColor));
}

void CSettingDlg::onUserSetting() {
    CCaptureDevice* camera = host_.Camera();
    if (!camera) return;
    pages_(*camera, this);
    // A value the camera does not have keeps what the file holds; a camera without any
    // processing values leaves the file alone.
    CameraProperties values = ReadCameraProperties(settings_.applicationFolder);
    if (camera->GetProperties(values) < 0) return;
    WriteCameraProperties(settings_.applicationFolder, values);
}

void CSettingDlg::onCameraDefault() {
    WriteCameraProperties(settings_.applicationFolder, ReadCameraDefaults(settings_.applicationFolder));
    host_.ApplyCameraProperties();
}

void CSettingDlg::accept() {
    ViewerSettings& s = settings_;
    const std::string gallery = S(galleryFolder_->text());
    // Compared exactly: a change of letter case alone is a different folder here.
    if (gallery != s.galleryFolder) {
        s.galleryFolder = gallery;
        host_.RefreshGallery(gallery);
    }
    s.tessmetFolder = S(tessmetFolder_->text());
    s.gridSpaceIndex = Decimal(gridCount_->currentIndex());
    s.gridThicknessIndex = Decimal(gridThickness_->currentIndex());
    s.centerLineThicknessIndex = Decimal(centerThickness_->currentIndex());
    s.gridColor = ColourText(gridColour_->colour());
    s.centerLineColor = ColourText(centerColour_->colour());
    s.scaleLineColor = ColourText(scaleLineColour_->colour());
    s.scaleTextColor = ColourText(scaleTextColour_->colour());
    s.scaleBarColor = ColourText(barColour_->colour());
    s.captureAuto.assign(1, auto_->isChecked() ? '1' : '0');
    int32_t* printFlags[] = {&s.printScale, &s.printMagBar, &s.printMagData, &s.printGridLine, &s.printCenterLine};
    for (size_t k = 0; k < 5; ++k) *printFlags[k] = print_[k]->isChecked() ? 1 : 0;
    s.useAlias = useAlias_->isChecked() ? 1 : 0;
    std::string* aliasTexts[] = {&s.aliasMm, &s.aliasMm2, &s.aliasUm, &s.aliasUm2, &s.aliasDegree};
    for (size_t k = 0; k < 5; ++k) *aliasTexts[k] = S(aliases_[k]->text());
    s.lineThickness = lineThickness_->currentIndex();
    s.arrowStyle = arrowStyle_->currentIndex();
    s.crossColor = ColourText(crossColour_->colour());
    s.useCrossLine = useCrossLine_->isChecked() ? 1 : 0;
    // A file that cannot be written leaves the new settings in force for this run; the user is
    // told, so that nobody counts on them at the next start.
    if (!SaveViewerSettings(s)) messenger_(SaveFailedMessage(ViewerIniPath(s.applicationFolder)));
    host_.ApplyPaneSettings();
    QDialog::accept();
}

}  // namespace lumora
