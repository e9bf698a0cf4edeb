#pragma once
#include "model/store/Member.h"
#include "model/store/MemberEntry.h"
#include "model/store/ProjectDatabase.h"

#include <string>
#include <vector>

// What a refusal concerns, so that a dialog can react to it (put the focus
// back in the name field) without comparing message texts.
enum class TRefusal {
    None, // accepted
    EmptyName, // the name is empty
    Name, // the name breaks a rule
    Duplicate, // the name is taken
    FriendName,
    Type,
    Flags,
    Length,
    Comment,
    QueryLimit, // the class has as many query members as its DAO can take
    Column, // what an import knows of the column (its name, the key's generator)
    Stale, // the project, class or member is gone (deleted elsewhere)
    ProjectNameTaken, // an imported model's project name exists already
    Unconfirmed, // the change loses something and was not confirmed
};

// The entry rules of the workbench dialogs and of javagen-cli, as plain
// functions: each answers with the message to show, or accepted. The checks
// run in a fixed order and the first failing one is reported.
struct TVerdict {
    TRefusal kind = TRefusal::None;
    std::string message; // empty when accepted

    bool Accepted() const { return kind == TRefusal::None; }
    static TVerdict Accept() { return {}; }
    static TVerdict Refuse(TRefusal kind, std::string text) { return { kind, std::move(text) }; }
};

TVerdict CheckNewProject(const std::string& projectName);
// What a project name must be to name an output directory (the characters,
// not emptiness or uniqueness); the generation run checks it again.
TVerdict CheckProjectNameText(const std::string& projectName);
TVerdict CheckRenameProject(int projectId, const std::string& newName);

TVerdict CheckAddClass(int projectId, const std::string& className, const std::string& friendName);
TVerdict CheckUpdateClass(int projectId, int classId, const std::string& className, const std::string& friendName);

// Dot-separated Java identifiers, e.g. "velmorantis" or "org.example".
TVerdict CheckPackageName(const std::string& packageName);

enum class TMemberDialog { Add, Change };

// The values a text may take (entry.choices, "red|green"), each shown in a
// drop-down and checked when posted: a text member's, none empty or twice,
// each within the member's length.
TVerdict CheckChoices(const TMemberEntry& entry);

// memberId is 0 for a new member.
TVerdict CheckMemberEntry(TMemberDialog dialog, int projectId, int classId, int memberId, const TMemberEntry& entry);

// The rules on a name alone, as a class or member of the given class would
// have it (no database is asked): for those who make names themselves.
TVerdict CheckClassNameOnly(const std::string& className);
TVerdict CheckMemberNameText(const std::string& name, const std::string& className);

// The rules on the column data an import gives a member: a plain SQL
// identifier as column name, no nullable key, a key generator only for a
// key, precision and scale only for a 定点数 and within range.
TVerdict CheckColumnData(const TMemberEntry& entry);
// A name the database takes without quotes: letters (of any script),
// digits, "_" and "$", not starting with a digit, at most 64 characters.
bool IsSqlIdentifier(const std::string& name);

// A stored member as an entry, as the change dialog starts: every field,
// those the dialog does not show included, so that changing what it shows
// keeps the rest.
TMemberEntry EntryOf(const TMember& member);

// The record the dialogs store: only what differs from a new record is set.
// Call after CheckMemberEntry accepted the entry.
TMember BuildMemberRecord(const TMemberEntry& entry, int projectId, int classId, int memberId);

// The dialog's type list: the four simple types, then the other classes of
// the project (a class cannot be the type of its own member).
std::vector<std::string> MemberTypeChoices(int projectId, int classId);

// A comment or friendly name lands in Java string constants (at most 65,535
// bytes each); a package name becomes one folder per part.
inline const size_t kMaxCommentLength = 4000;
inline const size_t kMaxPackageLength = 255;

// The database of a project's application: the driver and the dialect Java
// class names, the URL a JDBC URL without blanks, quotes or markup, the user
// without markup (they land in hibernate.cfg.xml). Empty texts are allowed.
TVerdict CheckProjectDatabase(const TProjectDatabase& database);
