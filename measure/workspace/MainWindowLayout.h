#pragma once

#include <QRect>

#include <span>
#include <vector>

namespace tessmet {

// The main window on a first run, before any placement is stored: this share of the available
// screen area, centred in it.
inline constexpr double kFirstRunScreenShare = 0.85;
QRect FirstRunWindowRect(QRect available, double share = kFirstRunScreenShare);

// The toolbars, in their order, laid out in rows no wider than `available`: the indexes of the
// bars that start a new row (never the first bar). A bar wider than a row gets a row of its own.
std::vector<size_t> ToolbarRowStarts(std::span<const int> widths, int available);

}  // namespace tessmet
