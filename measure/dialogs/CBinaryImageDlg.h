#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;

namespace tessmet {

class ThresholdControls;

// What one run of a threshold operation shows: marked and region pixel counts and the area
// text of the marked pixels.
struct ThresholdOutcome {
    long long marked = 0;
    long long roi = 0;
    std::string area;
};

// "Binary Image": two thresholds whose every change binarises the active image, with the
// ratio of marked to region pixels and their area. The thresholds start at 0 on each opening;
// the first run happens as the fields are filled, so the layer shows the black pixels at once.
class CBinaryImageDlg : public QDialog {
    Q_OBJECT
public:
    using Binarise = std::function<ThresholdOutcome(int max, int min)>;

    CBinaryImageDlg(Binarise binarise, QWidget* parent);

    ThresholdControls& thresholds() { return *thresholds_; }
    QString ratioText() const;
    QString areaText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void run();

    Binarise binarise_;
    ThresholdControls* thresholds_ = nullptr;
    QLineEdit* ratio_ = nullptr;
    QLineEdit* area_ = nullptr;
};

// "%d/%d" of a ratio field.
QString RatioText(long long marked, long long roi);

}  // namespace tessmet
