// Dialogs that fit the screen they open on: at most its available area,
// the content scrolling inside, the buttons always in view.
#pragma once

#include <QSize>

class QBoxLayout;
class QDialog;
class QWidget;

// The room a dialog has on its screen: the available area less what a
// window manager adds around it (title bar, borders).
QSize ScreenRoom(const QWidget& dialog);

// A widget in a frameless scroll area, added to outer: the dialog's content
// goes in it, its buttons after it in outer, so that they stay in view.
QWidget* AddScrollingBody(QDialog& dialog, QBoxLayout& outer);

// Resizes the dialog to wanted, or to its screen's room when that is
// less; a fixed dialog keeps that size.
void FitToScreen(QDialog& dialog, QSize wanted, bool fixed);
