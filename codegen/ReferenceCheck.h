#pragma once
#include "IdList.h"

#include <string>

// The third model check: every reference member names a class of the
// project. Returns the message for the first that does not, or empty.
std::string CheckReferenceMembers(int projectId, const TIdList& classes);
