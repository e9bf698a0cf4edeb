#pragma once
#include "ModelChecks.h"
#include "ModelSnapshot.h"

#include <string>

// The checks a generation run makes on its snapshot before it writes
// anything, after the primary and display checks, in the order the run
// makes them; each answers with the first fault or passed.

// Every reference member names a class of the project, and that class has a
// primary member of the project to refer to.
TCheckResult CheckReferenceMembers(const TModelSnapshot& snapshot);
// Every class and member name is usable as the Java identifier (and file
// name) it becomes; class names are unique in the project, member names in
// their class.
TCheckResult CheckJavaNames(const TModelSnapshot& snapshot);
// No file or directory name of the output, temporary files included, is
// longer than a file system allows: the names every generator gives the
// files of each class.
TCheckResult CheckOutputPaths(const TModelSnapshot& snapshot, const std::string& packageName, bool webapp = false);

// All the checks of a run in their order, the primary and display checks
// first.
TCheckResult CheckModel(const TModelSnapshot& snapshot, const std::string& packageName, bool webapp = false);
