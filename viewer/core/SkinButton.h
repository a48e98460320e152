#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QString>

namespace lumora {

// Which of a skin button's bitmaps shows.
enum class SkinFace { Ena, Over, Hit };

// A button with a stem shows _Ena when up, _Over when up under the mouse and _Hit when down.
// The window's Minimize and Close buttons have two bitmaps the other way round: _Over normally
// (and when disabled), _Ena under the mouse.
enum class SkinButtonKind { Stem, Caption };

SkinFace SkinFaceFor(SkinButtonKind kind, bool enabled, bool hovered, bool down);

// An owner-drawn push button painted from bitmap files of the skin folder. It sizes itself to
// its first bitmap; a file that is missing or unreadable leaves that face blank. Clicks are
// ordinary button clicks (a double click counts as one click); the cursor is a hand while it is
// enabled.
class CSkinButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit CSkinButton(QWidget* parent = nullptr, int controlId = 0);

    int controlId() const { return controlId_; }

    // Loads "<stem>_Ena.bmp", "<stem>_Over.bmp" and "<stem>_Hit.bmp" found through
    // SkinBitmapPath of the application folder.
    void loadStem(const QString& applicationFolder, const QString& stem);
    // Loads the two bitmaps of Minimize or Close ("<name>_Ena.bmp", "<name>_Over.bmp").
    void loadCaption(const QString& applicationFolder, const QString& name);
    // The same from explicit files (an empty or missing path leaves the face blank).
    void setFaces(SkinButtonKind kind, const QString& enaPath, const QString& overPath, const QString& hitPath);

    // The down state the form gives a switch or layout button.
    void setPushed(bool pushed);
    bool isPushed() const { return pushed_; }

    bool isHovered() const { return hovered_; }
    SkinButtonKind kind() const { return kind_; }
    SkinFace currentFace() const;
    // The bitmap of a face; a null image when its file was missing.
    const QImage& face(SkinFace face) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitToFirstBitmap();
    void updateCursor();

    int controlId_;
    SkinButtonKind kind_ = SkinButtonKind::Stem;
    QImage ena_;
    QImage over_;
    QImage hit_;
    bool pushed_ = false;
    bool hovered_ = false;
};

}  // namespace lumora
