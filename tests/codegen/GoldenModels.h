#pragma once
#include <string>

// Model builders for the generation tests, entered through the entry rules
// as a user would; each returns the project id.

// Book / BookType / Reader: integer and text keys, every member type, query
// members of every allowed kind, classes without query or reference members.
int BuildLibraryModel(const std::string& projectName);

// References that are not query members, two references to one class, and
// comments that must be escaped in Java and XML.
int BuildTrickyModel(const std::string& projectName);

// Adds one member through the entry rules; throws std::runtime_error with the
// rule's message when refused.
struct TMemberEntry;
void AddCheckedMember(int projectId, int classId, const TMemberEntry& entry);
