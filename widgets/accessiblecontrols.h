#pragma once

class QLabel;
class QString;

// Screen readers learn from Qt what each control is and what to say for it. Qt describes labels,
// pictures, buttons, frames and lists by itself; read-outs and lines need help.

// Lets screen readers describe read-outs and lines; the form builder calls it, once is enough.
// A line is a separator, which says nothing.
void describeControlsToScreenReaders();

// Makes a screen reader say `sentence` for the label, with the label's current text in place of "%1":
// with "Verbleibende Zeit: %1" a read-out showing 79 is read "Verbleibende Zeit: 79". The label
// tells the screen reader of each new text itself, so the spoken name follows every value.
void speakWithText(QLabel &label, const QString &sentence);
