#pragma once

#include <QRect>
#include <QSize>

#include <optional>

namespace lumora {

// The size of the screen the main window goes on, behind an interface so that start-up can be
// checked against any screen.
class ScreenQuery {
public:
    virtual ~ScreenQuery() = default;
    virtual QSize ScreenSize() const = 0;
};

// The primary screen of the running application (0 x 0 when there is none).
class PrimaryScreenQuery : public ScreenQuery {
public:
    QSize ScreenSize() const override;
};

// The main window's size: the skinned form is 1024 x 768, the window one row less.
inline constexpr int kMainWindowWidth = 1024;
inline constexpr int kMainWindowHeight = 767;
// Screens lower than this cannot show the form; the program then ends at start.
inline constexpr int kMinimumScreenHeight = 768;

// Where the main window goes on a screen: centred for a 1024 x 768 form, at
// ((width - 1024) / 2, (height - 768) / 2), 1024 x 767. Nothing when the screen is too low.
std::optional<QRect> MainWindowGeometry(QSize screen);

}  // namespace lumora
