#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace tessmet {

// Outer size an image window needs to show its whole image at `zoom`: the zoomed image,
// truncated, plus the window's own decoration (borders and caption).
QSize NeededWindowSize(QSize image, double zoom, QSize decoration);

// The size the window takes after a zoom step. direction +1 after zooming in, -1 after zooming
// out, 0 to fit unconditionally. std::nullopt leaves the window as the user made it: zooming in
// never shrinks a window that is already large enough, zooming out never grows one.
std::optional<QSize> FitAfterZoom(double oldZoom, double newZoom, int direction, QSize current, QSize needed);

// Maximising an image window fits it into the workspace instead: top-left corner of the
// workspace, no larger than the workspace and no larger than the image needs.
QRect MaximisedWindowRect(QRect workspace, QSize needed);

// Where the index-th new image window opens: `index` steps of `step` pixels right and down from
// the workspace's top-left corner, starting again at the corner before a window would start
// outside the workspace. The window is no larger than the room from its corner to the
// workspace's far edges, so a picture larger than the workspace opens fitted into it (with
// scroll bars) instead of overflowing; to keep the earlier windows' captions in sight, a large
// window gives up to a quarter of the workspace to the cascade.
QRect CascadedWindowRect(QSize workspace, QSize needed, int index, int step);

// The window title with the zoom as "<trunc(zoom * 100)>%": an existing " : <n>%" suffix is
// replaced, otherwise " : <n>%" is appended (Pic00001.jpg -> Pic00001.jpg : 100%).
QString ZoomTitle(const QString& title, double zoom);

}  // namespace tessmet
