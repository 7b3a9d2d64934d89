// Window sizes that fit the screen: a window asks for the size its content
// likes and gets no more than the screen it is on has room for, at any scale.
#pragma once

#include <QSize>

class QWidget;

namespace telm::platform {

// The room for a window on the screen of `widget` (the primary screen before
// it is shown): the available geometry less a margin for the window's frame
// and title bar.
QSize ScreenRoom(const QWidget* widget);

// `wanted`, no larger than the room on the screen.
QSize FitToScreen(const QWidget* widget, const QSize& wanted);

} // namespace telm::platform
