#include "viewer/imaging/GalleryCommands.h"

#include "codec/PictureLoader.h"
#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/DesktopEntry.h"
#include "viewer/imaging/GalleryDelete.h"
#include "viewer/imaging/GalleryPropertiesDlg.h"
#include "viewer/imaging/OpenWithDialog.h"
#include "viewer/imaging/TessmetLauncher.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeDatabase>

namespace lumora {

namespace {

// The window's own boxes: questions under their caption, reports under the program's name.
class BoxMessages : public GalleryMessages {
public:
    explicit BoxMessages(QWidget* parent) : parent_(parent) {}
    bool AskYesNo(const QString& caption, const QString& text) override {
        return QMessageBox::question(parent_, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    }
    void Tell(const QString& text) override { QMessageBox::warning(parent_, QStringLiteral("Lumora"), text); }

private:
    QWidget* parent_;
};

}  // namespace

GalleryCommands::GalleryCommands(CGalleryListCtrl* list, const ViewerSettings& settings, QWidget* parent)
    : QObject(parent), list_(list), settings_(settings), parent_(parent), messages_(std::make_unique<BoxMessages>(parent)) {
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, &GalleryCommands::showContextMenu);
    connect(list_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid() || !list_) return;
        QString unit;
        double onePixelLength = 0;
        if (!list_->GetItemCalibration(index.row(), unit, onePixelLength)) return;
        emit openRequested(pathOf(index.row()), unit, onePixelLength);
    });
}

GalleryCommands::~GalleryCommands() = default;

void GalleryCommands::setMessages(std::unique_ptr<GalleryMessages> messages) { messages_ = std::move(messages); }

std::unique_ptr<QMenu> GalleryCommands::ContextMenu(bool onItem) {
    auto menu = std::make_unique<QMenu>(parent_);
    const auto add = [&](const QString& text, GalleryCommand command) {
        QAction* action = menu->addAction(text);
        action->setData(static_cast<int>(command));
        action->setEnabled(onItem || command == GalleryCommand::Refresh);
        connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    };
    add(QStringLiteral("&Opening from program"), GalleryCommand::OpenWith);
    menu->addSeparator();
    add(QStringLiteral("&Property"), GalleryCommand::Property);
    add(QStringLiteral("&Delete"), GalleryCommand::Delete);
    add(QStringLiteral("Rena&me"), GalleryCommand::Rename);
    add(QStringLiteral("&Refresh"), GalleryCommand::Refresh);
    menu->addSeparator();
    add(QStringLiteral("Send to Tessmet"), GalleryCommand::SendToTessmet);
    return menu;
}

void GalleryCommands::showContextMenu(const QPoint& at) {
    if (!list_) return;
    const bool onItem = list_->indexAt(at).isValid();
    const std::unique_ptr<QMenu> menu = ContextMenu(onItem);
    menu->exec(list_->viewport()->mapToGlobal(at));
}

void GalleryCommands::Run(GalleryCommand command) {
    switch (command) {
        case GalleryCommand::OpenWith: OpenWith(); break;
        case GalleryCommand::Property: ShowProperties(); break;
        case GalleryCommand::Delete: DeleteSelected(); break;
        case GalleryCommand::Rename: RenameSelected(); break;
        case GalleryCommand::Refresh: Refresh(); break;
        case GalleryCommand::SendToTessmet: SendToTessmet(); break;
    }
}

QString GalleryCommands::folder() const {
    const QString listed = list_ ? list_->folder() : QString();
    return listed.isEmpty() ? QString::fromStdString(settings_.galleryFolder) : listed;
}

QString GalleryCommands::pathOf(int row) const {
    const QString base = folder();
    return base + (base.endsWith('/') ? "" : "/") + list_->ItemText(row);
}

int GalleryCommands::selectedItem() const {
    if (!list_) return -1;
    const QList<int> rows = list_->SelectedRows();
    return rows.isEmpty() ? -1 : rows.back();
}

// --- Opening with another program -----------------------------------------------------------

void GalleryCommands::OpenWith() {
    const int row = selectedItem();
    if (row < 0) return;
    const QString path = pathOf(row);
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    QString typeName = type.isValid() ? type.name() : QString();
    // Without the system's type database the gallery's two kinds are still known by name.
    if (typeName.isEmpty() || typeName == QLatin1String("application/octet-stream"))
        typeName = path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) ? QStringLiteral("image/bmp")
                                                                              : QStringLiteral("image/jpeg");
    const QStringList folders = applicationFolders_.isEmpty() ? DesktopApplicationFolders() : applicationFolders_;
    auto* dialog = new OpenWithDialog(
        path, ApplicationsFor(typeName, type.isValid() ? type.allAncestors() : QStringList(), folders,
                              QLocale::system().name()),
        parent_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, path] {
        const QStringList command = dialog->Command();
        if (!starter_(command.first(), command.mid(1), QFileInfo(path).absolutePath()))
            messages_->Tell(QStringLiteral("Cannot start \"%1\".").arg(command.first()));
    });
    dialog->open();
}

// --- Properties -----------------------------------------------------------------------------

GalleryFileFacts GalleryCommands::FileFacts(int row) {
    GalleryFileFacts facts;
    if (!list_ || row < 0 || row >= list_->ItemCount()) return facts;
    const QString path = pathOf(row);
    const QFileInfo file(path);
    facts.name = list_->ItemText(row);
    facts.folder = QFileInfo(folder()).absoluteFilePath();
    if (file.exists()) {
        facts.bytes = file.size();
        facts.modified = file.lastModified();
    }
    // The list knows the picture's size once its thumbnail is made; otherwise the file says it.
    const GalleryItem* item = list_->model().item(row);
    if (item && item->state == GalleryItem::ThumbnailState::Ready && item->width > 0) {
        facts.width = item->width;
        facts.height = item->height;
        facts.thumbnail = item->thumbnail;
    } else {
        codec::Dib picture;
        codec::PictureSize size;
        if (codec::LoadPictureCovering(path.toStdString(), 1, 1, picture, &size) == codec::ReadStatus::Ok) {
            facts.width = size.width;
            facts.height = size.height;
        }
    }
    const std::string folderName = folder().toStdString();
    const std::string name = facts.name.toStdString();
    std::string sidecar = FindGallerySidecar(folderName, name, SidecarForm::Primary);
    if (sidecar.empty()) sidecar = FindGallerySidecar(folderName, name, SidecarForm::Secondary);
    if (!sidecar.empty()) {
        facts.sidecar = QString::fromStdString(sidecar);
        list_->GetItemCalibration(row, facts.unit, facts.onePixelLength);
        if (const GalleryItem* read = list_->model().item(row)) facts.zoom = ZoomFromOptical(read->optical);
    }
    return facts;
}

void GalleryCommands::ShowProperties() {
    const int row = selectedItem();
    if (row < 0) return;
    auto* dialog = new GalleryPropertiesDlg(FileFacts(row), parent_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

// --- Delete, rename, refresh ----------------------------------------------------------------

QString GalleryCommands::DeleteQuestion(const QStringList& names) {
    if (names.size() == 1) return QStringLiteral("Are you sure to delete '%1'?").arg(names.first());
    return QStringLiteral("Are you sure to delete %1 file(s)?").arg(names.size());
}

void GalleryCommands::DeleteSelected() {
    if (!list_) return;
    const QList<int> rows = list_->SelectedRows();
    if (rows.isEmpty()) return;
    QStringList names;
    for (const int row : rows) names << list_->ItemText(row);
    if (!messages_->AskYesNo(QStringLiteral("Confirm"), DeleteQuestion(names))) return;

    const std::string folderName = folder().toStdString();
    QStringList problems;
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        const DeleteResult result = DeleteGalleryPicture(folderName, list_->ItemText(*row).toStdString());
        if (!result.message.empty()) problems << QString::fromStdString(result.message);
        // A picture that is still there stays in the list.
        if (!result.pictureGone) continue;
        list_->selectionModel()->select(list_->model().index(*row), QItemSelectionModel::Deselect);
        list_->RemoveAt(*row);
    }
    if (!problems.isEmpty()) messages_->Tell(problems.join('\n'));
}

void GalleryCommands::RenameSelected() {
    if (!list_) return;
    const QList<int> rows = list_->SelectedRows();
    if (!rows.isEmpty()) list_->EditLabel(rows.first());
}

void GalleryCommands::Refresh() {
    if (!list_) return;
    list_->RemoveAll();
    list_->model().loader().clearCache();
    list_->Refresh(QString::fromStdString(settings_.galleryFolder));
}

// --- The measurement program ----------------------------------------------------------------

void GalleryCommands::SendToTessmet() {
    const int row = selectedItem();
    if (row < 0) return;
    const TessmetLauncher launcher(settings_, starter_);
    if (!launcher.Start(QFileInfo(pathOf(row)).absoluteFilePath())) messages_->Tell(launcher.FailureMessage());
}

}  // namespace lumora
