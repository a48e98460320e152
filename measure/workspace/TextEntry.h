#pragma once

#include <QFont>
#include <QLineEdit>
#include <QRect>

#include <functional>
#include <optional>

namespace tessmet {

// The text tool's one-line edit box. Enter (Return or the keypad's Enter) accepts, ESC cancels,
// and so does losing the focus or being closed by a click elsewhere; it reports once.
class TextEntryBox : public QLineEdit {
    Q_OBJECT
public:
    // At most this many characters become a text object.
    static constexpr int kMaxLength = 255;

    explicit TextEntryBox(QWidget* parent = nullptr);

    bool isFinished() const { return finished_; }
    bool isAccepted() const { return accepted_; }

signals:
    void finished(bool accepted);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void finish(bool accepted);

    bool finished_ = false;
    bool accepted_ = false;
};

// Opens the edit box over `clientBox` of `over` (its client coordinates) in `font` and runs a
// nested event loop until the box reports, so the program keeps handling messages meanwhile.
// `opened` is called with the box once it is shown. Returns the text on Enter, nothing
// otherwise.
//
// The box is a pop-up window of its own rather than a child of the view: the main window is
// disabled while it is open, and a child would be disabled with it.
std::optional<QString> RunTextEntry(QWidget* over, const QRect& clientBox, const QFont& font,
                                    const std::function<void(QLineEdit*)>& opened);

}  // namespace tessmet
