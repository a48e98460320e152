#include "viewer/imaging/OpenWithDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace lumora {

namespace {

constexpr int kOtherProgramRow = -1;  // the data of the "Other program..." row

}  // namespace

OpenWithDialog::OpenWithDialog(const QString& filePath, std::vector<InstalledApplication> applications, QWidget* parent)
    : QDialog(parent), filePath_(filePath), applications_(std::move(applications)) {
    setWindowTitle(QStringLiteral("Open With"));
    const QString fileName = QFileInfo(filePath).fileName();
    chooser_ = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Other program"), QStringLiteral("/usr/bin"));
    };

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Choose the program you want to use to open the file:"), this);
    auto* file = new QLabel(QStringLiteral("<b>%1</b>").arg(fileName.toHtmlEscaped()), this);
    file->setTextFormat(Qt::RichText);
    file->setToolTip(filePath);
    programs_ = new QListWidget(this);
    programs_->setIconSize(QSize(24, 24));
    programs_->setUniformItemSizes(true);
    programs_->setSpacing(2);
    // Every row has an icon, the theme's or the style's, so the names line up.
    const QIcon program = QIcon::fromTheme(QStringLiteral("application-x-executable"), style()->standardIcon(QStyle::SP_FileIcon));
    for (size_t i = 0; i < applications_.size(); ++i) {
        const DesktopEntry& entry = applications_[i].entry;
        const QIcon icon = entry.icon.startsWith('/') ? QIcon(entry.icon) : QIcon::fromTheme(entry.icon);
        auto* item = new QListWidgetItem(icon.isNull() ? program : icon, entry.name, programs_);
        item->setData(Qt::UserRole, static_cast<int>(i));
        item->setToolTip(entry.exec);
    }
    auto* other = new QListWidgetItem(
        QIcon::fromTheme(QStringLiteral("document-open"), style()->standardIcon(QStyle::SP_DirOpenIcon)),
        QStringLiteral("Other program..."), programs_);
    other->setData(Qt::UserRole, kOtherProgramRow);
    other->setToolTip(QStringLiteral("Choose a program on the disk"));
    programs_->setCurrentRow(0);
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);
    if (applications_.empty())
        problem_->setText(QStringLiteral("No installed program says it opens this kind of file."));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OpenWithDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OpenWithDialog::reject);
    connect(programs_, &QListWidget::itemActivated, this, &OpenWithDialog::accept);

    layout->addWidget(intro);
    layout->addWidget(file);
    layout->addWidget(programs_, 1);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    resize(420, 320);
}

QString OpenWithDialog::Problem() const { return problem_->text(); }

void OpenWithDialog::accept() {
    const QListWidgetItem* item = programs_->currentItem();
    if (!item) return;
    const int row = item->data(Qt::UserRole).toInt();
    if (row == kOtherProgramRow) {
        const QString program = chooser_();
        if (program.isEmpty()) return;
        const QFileInfo info(program);
        if (!info.isFile() || !info.isExecutable()) {
            problem_->setText(QStringLiteral("\"%1\" is not a program.").arg(program));
            return;
        }
        command_ = QStringList{info.absoluteFilePath(), filePath_};
    } else {
        const InstalledApplication& application = applications_[static_cast<size_t>(row)];
        command_ = ExpandDesktopExec(application.entry, filePath_, application.path);
        if (command_.isEmpty()) {
            problem_->setText(QStringLiteral("The command line of \"%1\" cannot be read.").arg(application.entry.name));
            return;
        }
    }
    QDialog::accept();
}

}  // namespace lumora
