#pragma once

#include <QString>

class QWidget;

// Whether a control's text is shown whole. Here the game draws "Comic Sans MS" with Comic Neue, but
// a player who has the real Comic Sans MS sees that, and it is wider: a text that fits with Comic
// Neue alone may be cut there. Each check gives an empty string when the text fits, otherwise what
// does not fit, with the pixels needed and given.

// Measured with the font the control shows here, as Qt lays it out.
QString misfitAsShown(const QWidget &control);

// Measured with the advance widths of Comic Sans MS at the control's pixel size, on the room the
// control gives its text here; wrapped as Qt wraps, on spaces, where the control wraps its text.
// The text must be plain ASCII, as every English text of these windows is.
QString misfitInComicSans(const QWidget &control);
