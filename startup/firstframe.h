#pragma once

#include <functional>

class QWidget;

// Runs `action` once, from the event loop, after `window` has been put on screen for the first
// time, so that work the window does not need cannot delay its first picture. Call it after
// show(). Nothing runs if the window is destroyed first.
void afterFirstFrame(QWidget &window, std::function<void()> action);
