#pragma once
#include "codegen/core/Generator.h"

#include <vector>

// The generators of the legacy target (Struts 2.3, Hibernate 3.6), in the
// order a run writes their files.
const std::vector<const IGenerator*>& LegacyGenerators();
