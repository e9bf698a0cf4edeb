#pragma once
#include "model/store/IdList.h"
#include "model/store/Member.h"

#include <optional>
#include <string>
#include <vector>

// What the window's lists and javagen-cli's list commands show, read the
// same way for both: nobody outside model/ names a column.

struct TClassRow {
    int classId = 0;
    std::string className;
    std::string friendName;
};

// One row of the member table, as stored.
struct TMemberRow {
    int memberId = 0;
    std::string name;
    std::string type;
    std::string length; // the stored value as text
    std::string comment;
    // Per field of EntryFlagFields(): whether the stored value is the integer 1.
    std::vector<bool> flags;
    // Per field that an import adds (column, nullable, generator,
    // precision, scale), its stored value as text.
    std::vector<std::string> columnData;
};

TIdList ReadProjects();
// The classes of the project in the store's order.
std::vector<TClassRow> ReadClasses(int projectId);
// The members of the class in the store's order.
std::vector<TMemberRow> ReadClassMembers(int classId);
// The members of other classes of the project that refer to this class, as
// "Class.member" (deleting the class leaves them referring to nothing).
std::vector<std::string> ReadReferencesTo(int classId);
// The member of that name in the class, or -1.
int FindMemberIdByName(int classId, const std::string& memberName);
// The name of the class; empty when there is none.
std::string ReadClassName(int classId);
// The friendly name of the class; empty when there is none.
std::string ReadFriendName(int classId);
// The member as stored; none when it is gone.
std::optional<TMember> ReadMember(int memberId);
