#pragma once

class QWidget;

// Places a top-level window in the middle of its screen's free area.
void centreOnScreen(QWidget *window);
