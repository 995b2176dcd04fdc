#pragma once

#include <QPixmap>

// The program's four 32 x 32 pictures, drawn in a few flat colours.
namespace Icons {
QPixmap mainWindow();  // a chart with a traced curve
QPixmap graphWindow(); // a framed red curve on white
QPixmap exitButton();  // a door with an arrow leaving it
QPixmap exitPointer(); // a hand pointing left, to the exit button
} // namespace Icons
