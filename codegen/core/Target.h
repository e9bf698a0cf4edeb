#pragma once
#include "codegen/core/Generator.h"
#include "codegen/io/Templates.h"
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
    // Its folder of the template directory, "" for the shared tree: files
    // there take the place of the shared ones; a shared file's lines marked
    // "@@NAME@@" are its alone.
    std::string templateFolder;
};

const std::vector<TTargetInfo>& TargetTable();
// Null for a name no row has.
const TTargetInfo* FindTargetInfo(const std::string& name);
// Every row's template folder, for TTemplates::Load.
std::vector<TTemplateFolder> TemplateFolders();
// Gives the model the facts of every row; each program calls it at start.
void InstallTargets();
