#pragma once
#include "ui/dialogs/Dialogs.h"

#include <functional>

class QWidget;

// What a class or member dialog needs of the window that opens it: its
// parent, the boxes to show messages through, the selected ids, and a way to
// show a stored change in the window's lists.
struct TFormContext {
    QWidget* owner = nullptr;
    IDialogs* dialogs = nullptr;
    int projectId = -1;
    int classId = -1;
    // Reloads the list the dialog's command changed (classes or members).
    std::function<void()> reload;
};
