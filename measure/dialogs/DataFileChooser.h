#pragma once

#include <optional>
#include <string>

class QWidget;

namespace tessmet {

// The file dialogs of the result list ("Save Data": a CSV file) and of "Calibration Setup"
// (saving and loading a calibration file), behind an interface so tests can answer them. Each
// starts in `folder` and returns the chosen path, or nothing for Cancel.
class DataFileChooser {
public:
    virtual ~DataFileChooser() = default;
    virtual std::optional<std::string> saveCsv(const std::string& folder) = 0;
    virtual std::optional<std::string> saveCalibration(const std::string& folder) = 0;
    virtual std::optional<std::string> openCalibration(const std::string& folder) = 0;
};

// The desktop's file dialogs: "CSV (*.csv)" and "All (*.*)" with the extension "csv" added to a
// name without one; "INF (*.inf)" with "inf" the same way; opening needs an existing file.
class DialogDataFileChooser : public DataFileChooser {
public:
    explicit DialogDataFileChooser(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> saveCsv(const std::string& folder) override;
    std::optional<std::string> saveCalibration(const std::string& folder) override;
    std::optional<std::string> openCalibration(const std::string& folder) override;

private:
    QWidget* parent_;
};

}  // namespace tessmet
