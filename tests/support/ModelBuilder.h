#pragma once
#include "model/rules/EntryRules.h"
#include "model/store/Member.h"

#include <string>

// Model rows for tests. Each function returns the id of the row it made.
// Flags are letters: p primary, m required, q query, d display, h hidden on
// the query page.

// Rows put in place directly through the stores, past every entry rule: for
// tests of the stores and for models edited by hand.
int PlantProject(const std::string& name);
int PlantClass(int projectId, const std::string& name, const std::string& friendName = "友好");
TMember MakeMember(int projectId, int classId, const std::string& name, const std::string& type);
int PlantMember(const TMember& member);
// memberIsInteger and memberIsFloat follow the type, as the dialogs set them.
int PlantMember(int projectId, int classId, const std::string& name, const std::string& type, const std::string& flags,
    int length = 0, const std::string& comment = "");

// Entries made as a user makes them, through the command layer; a refusal
// throws std::runtime_error with the name and the rule's message.
int EnterProject(const std::string& name);
int EnterClass(int projectId, const std::string& name, const std::string& friendName);
// Required ('m') is never implied: a member of a type other than "字符串"
// needs it given.
int EnterMember(int projectId, int classId, const std::string& name, const std::string& type, const std::string& flags,
    int length = 20, const std::string& comment = "");
int EnterMember(int projectId, int classId, const TMemberEntry& entry);

// Lookups by name; std::runtime_error when there is no such row.
int ClassIdOf(int projectId, const std::string& className);
int MemberIdOf(int classId, const std::string& memberName);

// The models of the golden trees, entered through the command layer; each
// returns the project id. The golden files depend on them byte for byte.

// Book / BookType / Reader: integer and text keys, every member type, query
// members of every allowed kind, classes without query or reference members.
int BuildLibraryModel(const std::string& projectName);
// References that are not query members, two references to one class, and
// comments that must be escaped in Java and XML.
int BuildTrickyModel(const std::string& projectName);
