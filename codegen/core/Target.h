#pragma once
#include "codegen/core/Generator.h"
#include "model/rules/TargetFacts.h"

#include <string>
#include <vector>

// A target: the frameworks a project's code is for, as one row of the
// target table (codegen/targets/Targets.cpp): what the model knows of it
// and its list of generators, which live in its folder under targets/ and
// read their templates from its folder under template/. A new target is
// those two folders and one row.
struct TTargetInfo {
    TTargetFacts facts;
    const std::vector<const IGenerator*>& (*generators)();
};

const std::vector<TTargetInfo>& TargetTable();
// Null for a name no row has.
const TTargetInfo* FindTargetInfo(const std::string& name);
// Gives the model the facts of every row; each program calls it at start.
void InstallTargets();
