#pragma once
#include <string>

// The generated tree of a project that was renamed: projects/OLD under the
// output root moves to projects/NEW, with its .javagen/ (the bases a merge
// needs), when the old folder exists and the new name is free.
struct TFolderMove {
    std::string from;
    std::string to;
    bool possible = false; // the old folder exists and the new one does not
    std::string why; // when not possible but the old folder exists
};

TFolderMove PlanFolderMove(const std::string& outputRoot, const std::string& oldName, const std::string& newName);
// Moves it; throws TFileError saying why not.
void MoveFolder(const TFolderMove& move);
