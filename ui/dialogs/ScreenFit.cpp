#include "ui/dialogs/ScreenFit.h"

#include <QBoxLayout>
#include <QDialog>
#include <QScreen>
#include <QScrollArea>

namespace {

// A title bar and borders, which the geometry of a dialog does not count.
const QSize kDecoration(16, 48);

} // namespace

QSize ScreenRoom(const QWidget& dialog)
{
    const QScreen* screen = dialog.screen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return (screen->availableGeometry().size() - kDecoration).expandedTo(QSize(1, 1));
}

QWidget* AddScrollingBody(QDialog& dialog, QBoxLayout& outer)
{
    auto* scroll = new QScrollArea(&dialog);
    scroll->setObjectName("Scroll_Body");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* body = new QWidget(scroll);
    body->setObjectName("Body");
    scroll->setWidget(body);
    outer.addWidget(scroll, 1);
    return body;
}

void FitToScreen(QDialog& dialog, QSize wanted, bool fixed)
{
    QSize size = wanted.boundedTo(ScreenRoom(dialog));
    if (fixed)
        dialog.setFixedSize(size);
    else
        dialog.resize(size);
}
