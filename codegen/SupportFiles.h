#pragma once
#include "RunContext.h"

// Places the eleven fixed support files of every generated project.
void CopySupportFiles(const TRunContext& run);
