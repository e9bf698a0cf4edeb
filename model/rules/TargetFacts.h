#pragma once
#include <string>
#include <vector>

// What the model knows of each target (the frameworks a project's code is
// for): its name as stored and typed, how it is shown, and what it can
// generate, which the entry rules and the import ask. The table itself is
// the generators' (codegen/targets/Targets.cpp), given to the model once
// at start by InstallTargets(); the model never names a target but the
// default one (kTargetLegacy).
struct TTargetFacts {
    std::string name; // "legacy"
    std::string caption; // "Struts 2.3 + Hibernate 3.6"
    std::string shortCaption; // "Struts 2 + Hibernate 3": the banner
    std::string choiceNote; // "Struts 2.3 + Hibernate 3.6，默认": in a list of the choices
    bool binaryMembers = false; // 二进制 members (upload and download)
};

void SetKnownTargets(std::vector<TTargetFacts> targets);
const std::vector<TTargetFacts>& KnownTargets();
// Null for a name no target has.
const TTargetFacts* FindTarget(const std::string& name);

// "legacy(Struts 2.3 + Hibernate 3.6，默认)或 current(…)": every target
// with its note, joined by separator.
std::string TargetChoices(const std::string& separator = "或 ");
// "legacy|current".
std::string TargetNames(const std::string& separator = "|");
// Whether a project of that target may have 二进制 members.
bool TargetHasBinaryMembers(const std::string& name);
// The targets that may, by short caption and by name, each joined by " 或 ".
std::string BinaryTargetCaptions();
std::string BinaryTargetNames();
