#pragma once

#include <QImage>
#include <QString>

namespace lumora::skin {

// The skin's pictures. Every face is drawn over its own piece of the background, so a button
// or the jog dial sits seamlessly on the form.

enum class Face { Ena, Over, Hit };

// The form's background, kFormWidth x kFormHeight.
QImage Background();

// Minimize (`close` false) or Close; `highlighted` is the face shown under the mouse.
QImage CaptionFace(const QImage& background, int x, int y, bool close, bool highlighted);

// Layout button 1 ... 4 in the order of their stems: one pane, two small side by side, two tall
// side by side, four.
QImage LayoutFace(const QImage& background, int x, int y, int layout, Face face);

// An overlay switch: a lamp and its label.
QImage SwitchFace(const QImage& background, int x, int y, const QString& label, Face face);

// The jog dial in jog mode 0 ... 2 with `region` (0 ... 4) lit, or the idle dial (mode -1).
QImage JogPicture(const QImage& background, int mode, int region);

}  // namespace lumora::skin
