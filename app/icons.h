#pragma once

#include <QImage>
#include <QPixmap>

// The program's four 32 x 32 pictures, drawn in a few flat colours.
namespace Icons {
QPixmap mainWindow();  // a chart with a traced curve
// The same picture at any size, for the desktop's icon theme.
QImage applicationIcon(int size);
QPixmap graphWindow(); // a framed red curve on white
QPixmap exitButton();  // a door with an arrow leaving it
QPixmap exitPointer(); // a hand pointing left, to the exit button
// 16 x 16 folders for the folder lists, drawn here rather than looked up in
// the desktop's icon theme, which took a third of the start-up.
QPixmap openFolder();
QPixmap closedFolder();
} // namespace Icons
