#pragma once
#include <QString>

#include <functional>

class QObject;

// Opens folder in the desktop's file manager. failed runs (on owner's
// thread) when nothing could open it: xdg-open missing or answering that no
// program handles folders. The opener is started detached, so that a file
// manager it runs in the foreground outlives the window.
void OpenFolderOnDesktop(QObject* owner, const QString& folder, std::function<void()> failed);
