#pragma once

#include "measure/processing/Dib.h"

namespace tessmet {

// The zoom window's picture: a square of `picture`'s size showing the source around image
// point (x, y), each source pixel as an m x m block (integer divisions throughout). Picture
// column c shows source column x - 120/m + c/m for a 240-pixel picture (half its width over m);
// rows likewise, counted from the bottom of both bitmaps, so the point sits at the centre.
// Picture pixels whose source pixel lies outside the source are black. `picture` must be a
// 24-bit bitmap; the source any depth ReadChannel reads. A magnification below 1 counts as 1.
void RenderMagnified(Dib& picture, const Dib& source, int x, int y, int magnification);

// The magnified source column and bottom-up row for picture column c and bottom-up row i.
int MagnifiedSourceColumn(int x, int c, int magnification, int pictureWidth);
int MagnifiedSourceRowFromBottom(int sourceHeight, int y, int i, int magnification, int pictureHeight);

}  // namespace tessmet
