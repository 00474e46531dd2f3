#pragma once

#include <QIcon>
#include <QImage>

namespace tavrok {

// The program's icon, drawn by the program at any size: a stopwatch face with a crown, its red hand up
// and the black one at a quarter (the same art as the tray's ordinary icon and packaging/tavrok.svg).
QImage drawProgramIcon(int size);
QIcon programIcon();

} // namespace tavrok
