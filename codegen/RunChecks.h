#pragma once
#include "ModelCheckReport.h"
#include "ModelSnapshot.h"

#include <string>

// The checks a generation run makes on its snapshot before it writes
// anything, in the order the run makes them.

// Every class has exactly one primary member; otherwise the first class that
// has not is reported and the result is false.
bool CheckPrimaryMembers(const TModelSnapshot& snapshot, IModelCheckReport& report);
// The same for display members.
bool CheckDisplayMembers(const TModelSnapshot& snapshot, IModelCheckReport& report);

// What the window and javagen-cli show for the first two: the faulty class's
// name (GetClassName of the reported id) followed by the fault.
std::string PrimaryMemberErrorText(int classId);
std::string DisplayMemberErrorText(int classId);

// The rest answer with the message naming the first fault, or empty.

// Every reference member names a class of the project, and that class has a
// primary member of the project to refer to.
std::string CheckReferenceMembers(const TModelSnapshot& snapshot);
// Every class and member name is usable as the Java identifier (and file
// name) it becomes; class names are unique in the project, member names in
// their class.
std::string CheckJavaNames(const TModelSnapshot& snapshot);
// No file or directory name of the output, temporary files included, is
// longer than a file system allows.
std::string CheckOutputPaths(const TModelSnapshot& snapshot, const std::string& packageName);
