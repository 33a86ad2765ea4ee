#pragma once

class QWidget;

// Puts a window's client area in the middle of the primary screen.
void centreOnScreen(QWidget &window);
