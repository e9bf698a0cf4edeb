#pragma once
#include "model/rules/EntryRules.h"
#include "model/store/ProjectDatabase.h"

#include <string>

// The result of a model command: refused, with the rule's message and what
// it concerns, or done, with the text that confirms it.
struct TCommandResult {
    TRefusal refusal = TRefusal::None;
    std::string message;
    int id = 0; // the project, class or member the command created or changed

    bool Done() const { return refusal == TRefusal::None; }
};

// Every change of the model, for the workbench and javagen-cli alike. Each
// command checks its entry rules and writes inside one write transaction
// taken before the first check reads, so no other program can write between
// the two: two programs adding the same name store it once. Database
// failures are thrown (TDbError); nothing is written then.
class TModelCommands {
public:
    static TCommandResult NewProject(const std::string& projectName);
    static TCommandResult RenameProject(int projectId, const std::string& newName);
    // Removes the project with its classes and their members.
    static TCommandResult DeleteProject(int projectId);

    static TCommandResult AddClass(int projectId, const std::string& className, const std::string& friendName);
    // Renames the class and every member of the project that referred to it.
    static TCommandResult ChangeClass(
        int projectId, int classId, const std::string& className, const std::string& friendName);
    // Removes the class with its members.
    static TCommandResult DeleteClass(int classId);

    // What an import knows beside the dialogs' fields: the database of the
    // project and the table of a class (each an SQL identifier or empty);
    // readOnly: the table is a view, whose rows the application only shows.
    static TCommandResult SetProjectDatabase(int projectId, const TProjectDatabase& database);
    static TCommandResult SetClassTable(int classId, const std::string& tableName, bool readOnly = false);
    // What the window remembers per project: the package name (checked as
    // the set-package command checks it) and whether the pages are made.
    static TCommandResult SetProjectPackage(int projectId, const std::string& packageName);
    static TCommandResult SetProjectWebapp(int projectId, bool webapp);
    // The name of a known target (TargetFacts.h); any other is refused.
    static TCommandResult SetProjectTarget(int projectId, const std::string& target);
    // "mysql" or "postgresql": the database the generated application uses.
    static TCommandResult SetProjectDatabaseKind(int projectId, const std::string& kind);

    static TCommandResult AddMember(int projectId, int classId, const TMemberEntry& entry);
    // The member keeps its class; the rules are those of its class.
    static TCommandResult ChangeMember(int memberId, const TMemberEntry& entry);
    static TCommandResult DeleteMember(int memberId);

    // Whether a member can still be changed: refused (Stale) when it or its
    // class was deleted meanwhile; done, with no message, otherwise.
    static TCommandResult MemberToChange(int memberId);
};
