#pragma once

class QWidget;

// Puts a window in the middle of the primary screen, with its frame. Call it before the first
// show: the window then opens with its client area centred, and is moved once a window manager
// has put a frame around it, so that the frame is centred. Without a frame it stays where it is.
void centreOnScreen(QWidget &window);
