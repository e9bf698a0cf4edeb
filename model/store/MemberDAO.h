#pragma once
#include "model/store/DbHelper.h"
#include "model/store/Member.h"
#include "model/store/ResultSet.h"

#include <memory>
#include <optional>
#include <string>

// Members of classes (table t_member). Every result set comes in ascending
// memberId order, the order in which members were added; all generators
// rely on it so that DAO parameters and Action arguments agree.
class TMemberDAO {
public:
    void AddMember(const TMember& member);
    // Writes every value column; the row keeps its projectId and classId.
    void UpdateMember(const TMember& member);
    void DeleteMember(int memberId);

    std::unique_ptr<TResultSet> OpenClassMembers(int classId);
    std::unique_ptr<TResultSet> OpenReferenceMembers(int classId);
    std::unique_ptr<TResultSet> OpenQueryMembers(int classId);
    std::unique_ptr<TResultSet> OpenNonPrimaryMembers(int classId);

    std::optional<TMember> GetMember(int memberId);
    std::optional<TMember> GetPrimaryMember(int classId);
    std::optional<TMember> GetPrimaryMemberByClassName(int projectId, const std::string& className);
    std::optional<TMember> GetMemberOfType(int classId, const std::string& memberType);

    // Members of the class with that name other than the given member.
    int CountOtherMembersByName(int classId, int memberId, const std::string& memberName);
    // Query members of the class other than the given member.
    int CountOtherQueryMembers(int classId, int memberId);

    // The record at the current row of a member result set.
    static TMember ReadMember(const TResultSet& rows);

private:
    std::optional<TMember> GetFirst(const std::string& sql, const TSqlValues& values);

    TDbHelper db_;
};
