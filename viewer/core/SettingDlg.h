#pragma once

#include "viewer/core/ColorPopup.h"
#include "viewer/core/FolderBrowser.h"
#include "viewer/core/ViewerSettings.h"

#include <QDialog>
#include <QSize>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumora {

class CCaptureDevice;
class CColorSwatch;
class CImageComboBox;
class SettingDlgHost;

// "Setting": the folders, grid, centre line and scale colours, capture naming, what is burnt
// into stored pictures, the annotation options and the camera's processing values. OK copies the
// controls into the settings, writes lumora.ini and has the first pane reload its overlays;
// Cancel drops the edits (the two camera buttons act at once and stay done).
class CSettingDlg : public QDialog {
    Q_OBJECT

public:
    // `settings` and `host` outlive the dialog.
    CSettingDlg(ViewerSettings& settings, SettingDlgHost& host, QWidget* parent = nullptr);

    // How folders are browsed for and how the camera's own settings are shown (the system's
    // dialogs unless replaced).
    void setFolderBrowser(FolderBrowser browser) { browser_ = std::move(browser); }
    void setPropertyPages(std::function<void(CCaptureDevice&, QWidget*)> pages) { pages_ = std::move(pages); }
    // How a settings file that cannot be written is reported (a message box unless replaced).
    void setMessenger(std::function<void(const QString&)> messenger) { messenger_ = std::move(messenger); }
    // Hands the chooser to every colour swatch.
    void setColourChooser(const CustomColourChooser& chooser);

    // The controls by what they edit, for tests and for keyboard users alike.
    QLineEdit* tessmetFolderEdit() const { return tessmetFolder_; }
    QPushButton* tessmetBrowseButton() const { return tessmetBrowse_; }
    QLineEdit* galleryFolderEdit() const { return galleryFolder_; }
    QPushButton* galleryBrowseButton() const { return galleryBrowse_; }
    QComboBox* gridCountCombo() const { return gridCount_; }
    QComboBox* gridThicknessCombo() const { return gridThickness_; }
    QComboBox* centerThicknessCombo() const { return centerThickness_; }
    CColorSwatch* gridColourSwatch() const { return gridColour_; }
    CColorSwatch* centerColourSwatch() const { return centerColour_; }
    CColorSwatch* scaleLineColourSwatch() const { return scaleLineColour_; }
    CColorSwatch* scaleTextColourSwatch() const { return scaleTextColour_; }
    CColorSwatch* barColourSwatch() const { return barColour_; }
    CColorSwatch* crossColourSwatch() const { return crossColour_; }
    QRadioButton* autoRadio() const { return auto_; }
    QRadioButton* manualRadio() const { return manual_; }
    QPushButton* defaultButton() const { return cameraDefault_; }
    QPushButton* userSettingButton() const { return userSetting_; }
    // SCALE, MAG BAR, MAG DATA, GRID LINE, CENTER LINE.
    const std::array<QCheckBox*, 5>& printChecks() const { return print_; }
    // The aliases of mm, mm2, um, um2, degree.
    const std::array<QLineEdit*, 5>& aliasEdits() const { return aliases_; }
    QCheckBox* useAliasCheck() const { return useAlias_; }
    QCheckBox* useCrossLineCheck() const { return useCrossLine_; }
    CImageComboBox* lineThicknessCombo() const { return lineThickness_; }
    CImageComboBox* arrowStyleCombo() const { return arrowStyle_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

public slots:
    void accept() override;

private:
    void build();
    void load();
    void browse(QLineEdit* edit, const QString& title);
    void onUseAlias(bool on);
    void onUseCrossLine(bool on);
    void onUserSetting();
    void onCameraDefault();

    ViewerSettings& settings_;
    SettingDlgHost& host_;
    FolderBrowser browser_ = BrowseForFolderWithDialog;
    std::function<void(CCaptureDevice&, QWidget*)> pages_;
    std::function<void(const QString&)> messenger_;

    QLineEdit* tessmetFolder_ = nullptr;
    QPushButton* tessmetBrowse_ = nullptr;
    QLineEdit* galleryFolder_ = nullptr;
    QPushButton* galleryBrowse_ = nullptr;
    QComboBox* gridCount_ = nullptr;
    QComboBox* gridThickness_ = nullptr;
    QComboBox* centerThickness_ = nullptr;
    CColorSwatch* gridColour_ = nullptr;
    CColorSwatch* centerColour_ = nullptr;
    CColorSwatch* scaleLineColour_ = nullptr;
    CColorSwatch* scaleTextColour_ = nullptr;
    CColorSwatch* barColour_ = nullptr;
    CColorSwatch* crossColour_ = nullptr;
    QRadioButton* auto_ = nullptr;
    QRadioButton* manual_ = nullptr;
    QPushButton* cameraDefault_ = nullptr;
    QPushButton* userSetting_ = nullptr;
    std::array<QCheckBox*, 5> print_{};
    std::array<QLineEdit*, 5> aliases_{};
    QCheckBox* useAlias_ = nullptr;
    QCheckBox* useCrossLine_ = nullptr;
    CImageComboBox* lineThickness_ = nullptr;
    CImageComboBox* arrowStyle_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// What the user is told when lumora.ini cannot be written.
QString SaveFailedMessage(const std::string& iniPath);

// The window is 484 x 606 with its frame; the controls are placed in the client area, which is
// what a caption of 28 pixels and borders of 3 leave of it.
inline constexpr QSize kSettingClientSize{484 - 6, 606 - 34};

// The titles of the two folder browsers.
inline constexpr const char* kTessmetFolderTitle = "Please select the Tessmet folder";
inline constexpr const char* kGalleryFolderTitle = "Please select the Lumora Gallery folder";

}  // namespace lumora
