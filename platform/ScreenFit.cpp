#include "platform/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace telm::platform {

namespace {

// A title bar and a frame, in device-independent pixels.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

} // namespace

QSize ScreenRoom(const QWidget* widget)
{
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize available = screen->availableGeometry().size();
    return QSize(std::max(1, available.width() - kFrameWidth),
                 std::max(1, available.height() - kFrameHeight));
}

QSize FitToScreen(const QWidget* widget, const QSize& wanted)
{
    return wanted.boundedTo(ScreenRoom(widget));
}

} // namespace telm::platform
