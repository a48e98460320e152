#pragma once

#include "measure/processing/Dib.h"
#include "measure/processing/PixelAccess.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <functional>

namespace testsupport {

// A 24-bit picture whose every pixel comes from `colour(x, y)` as 0xRRGGBB.
inline tessmet::Dib Picture(int width, int height, const std::function<uint32_t(int, int)>& colour) {
    tessmet::Dib dib(width, height, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            tessmet::WritePixel(dib.pixel(x, y), static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                                static_cast<uint8_t>(c >> 16), 24);
        }
    }
    return dib;
}

inline tessmet::Dib Grey(int width, int height, uint8_t level = 0x40) {
    return Picture(width, height, [level](int, int) { return level * 0x010101u; });
}

// The display pixel as 0xRRGGBB.
inline uint32_t DisplayRgb(const tessmet::Dib& dib, int x, int y) {
    const uint8_t* p = dib.pixel(x, y);
    const int bits = dib.bitsPerPixel();
    return (uint32_t{tessmet::ReadChannel(p, tessmet::Channel::Red, bits)} << 16) |
           (uint32_t{tessmet::ReadChannel(p, tessmet::Channel::Green, bits)} << 8) |
           tessmet::ReadChannel(p, tessmet::Channel::Blue, bits);
}

inline uint32_t Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

// How many pixels of a column (or row) of the screen copy have the colour.
inline int CountInColumn(const QImage& image, int x, uint32_t rgb) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) n += Rgb(image, x, y) == rgb;
    return n;
}
inline int CountInRow(const QImage& image, int y, uint32_t rgb) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x) n += Rgb(image, x, y) == rgb;
    return n;
}

// A mouse move over the widget, as the window system delivers it.
inline void MoveMouse(QWidget* widget, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                     modifiers);
    QApplication::sendEvent(widget, &move);
}

}  // namespace testsupport
