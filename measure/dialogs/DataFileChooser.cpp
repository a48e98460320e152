#include "measure/dialogs/DataFileChooser.h"

#include <QFileDialog>
#include <QStringList>

namespace tessmet {
namespace {

std::optional<std::string> Run(QWidget* parent, QFileDialog::AcceptMode mode, const std::string& folder,
                               const QStringList& filters, const QString& suffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDirectory(QString::fromStdString(folder));
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

const QStringList kCsvFilters{QStringLiteral("CSV (*.csv)"), QStringLiteral("All (*)")};
const QStringList kInfFilters{QStringLiteral("INF (*.inf)")};

}  // namespace

std::optional<std::string> DialogDataFileChooser::saveCsv(const std::string& folder) {
    return Run(parent_, QFileDialog::AcceptSave, folder, kCsvFilters, QStringLiteral("csv"));
}

std::optional<std::string> DialogDataFileChooser::saveCalibration(const std::string& folder) {
    return Run(parent_, QFileDialog::AcceptSave, folder, kInfFilters, QStringLiteral("inf"));
}

std::optional<std::string> DialogDataFileChooser::openCalibration(const std::string& folder) {
    return Run(parent_, QFileDialog::AcceptOpen, folder, kInfFilters, QStringLiteral("inf"));
}

}  // namespace tessmet
