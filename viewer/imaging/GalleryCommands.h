#pragma once

#include "viewer/imaging/ProcessStarter.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class QMenu;
class QWidget;

namespace lumora {

class CGalleryListCtrl;
struct GalleryFileFacts;
struct ViewerSettings;

// The questions and reports of the gallery commands. The window's boxes by default; tests
// answer without a modal box.
class GalleryMessages {
public:
    virtual ~GalleryMessages() = default;
    // Yes and No under `caption` with the question icon, No the default; true for Yes.
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
    // Something the user asked for could not be done.
    virtual void Tell(const QString& text) = 0;
};

enum class GalleryCommand { OpenWith, Property, Delete, Rename, Refresh, SendToTessmet };

// The commands on the gallery strip, owned by the window that holds it: the context menu
// ("&Opening from program", "&Property", "&Delete", "Rena&me", "&Refresh", "Send to Tessmet")
// and what each entry does to the selection. The selected item of the single-file commands is
// the last one selected in list order.
class GalleryCommands : public QObject {
    Q_OBJECT
public:
    // Takes over the list's context menu. `parent` owns this object and the dialogs it opens.
    GalleryCommands(CGalleryListCtrl* list, const ViewerSettings& settings, QWidget* parent);
    ~GalleryCommands() override;

    // The context menu as it would open for a click on an item (or beside the items).
    std::unique_ptr<QMenu> ContextMenu(bool onItem);
    void Run(GalleryCommand command);

    // Each command on the current selection; nothing without one (Refresh needs none).
    void OpenWith();
    void ShowProperties();
    void DeleteSelected();
    void RenameSelected();
    void Refresh();
    void SendToTessmet();

    // "Are you sure to delete 'Pic00001.jpg'?" / "Are you sure to delete 3 file(s)?"
    static QString DeleteQuestion(const QStringList& names);
    // What the properties window shows for the item at `row`.
    GalleryFileFacts FileFacts(int row);

    void setMessages(std::unique_ptr<GalleryMessages> messages);
    void setProcessStarter(ProcessStarter starter) { starter_ = std::move(starter); }
    // Where "&Opening from program" looks for installed applications; the desktop's usual
    // folders (DesktopApplicationFolders) when empty.
    void setApplicationFolders(const QStringList& folders) { applicationFolders_ = folders; }

signals:
    // An item was double-clicked: the window shows the picture at `path` in its active pane
    // with the calibration the item's sidecar gives.
    void openRequested(const QString& path, const QString& unit, double onePixelLength);

private:
    void showContextMenu(const QPoint& at);
    QString folder() const;
    QString pathOf(int row) const;
    int selectedItem() const;  // -1 without a selection

    QPointer<CGalleryListCtrl> list_;
    const ViewerSettings& settings_;
    QWidget* parent_;
    std::unique_ptr<GalleryMessages> messages_;
    ProcessStarter starter_ = DetachedProcessStarter();
    QStringList applicationFolders_;
};

}  // namespace lumora
