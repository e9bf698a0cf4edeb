#pragma once
#include <QPixmap>
#include <QSize>

// The banner across the top of the main window, drawn by the program itself
// at start-up: the program's name over a blue gradient, with a sketch of the
// files it writes, and the frameworks of the target it makes code for
// ("Struts 2 + Hibernate 3" or "Struts 7 + Hibernate 7").
QPixmap DrawBanner(QSize size, const QString& frameworks);

// The program's icon: the banner's cup of coffee on a blue square (the same
// picture as app/gui/javagen.svg, which the desktop launcher uses).
QPixmap DrawAppIcon(int size);
