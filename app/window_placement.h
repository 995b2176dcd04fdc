#pragma once

class QWidget;

// Places a top-level window in the middle of its screen's free area.
void centreOnScreen(QWidget *window);

// On a screen whose free area is smaller than the window's fixed layout (a
// laptop, a screen at 150 %), puts the window's controls in a scroll area, so
// that every one can be reached, and makes the window fit the free area.
// Where the window fits, nothing changes. Call after the controls exist.
void scrollWhereTooLarge(QWidget *window);
