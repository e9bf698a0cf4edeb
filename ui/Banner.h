#pragma once
#include <QPixmap>
#include <QSize>

// The banner across the top of the main window, drawn by the program itself
// at start-up: the program's name over a blue gradient, with a sketch of the
// files it writes.
QPixmap DrawBanner(QSize size);

// The program's icon: the banner's cup of coffee on a blue square (the same
// picture as app/gui/javagen.svg, which the desktop launcher uses).
QPixmap DrawAppIcon(int size);
