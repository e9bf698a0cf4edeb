#pragma once
#include "model/store/IdList.h"
#include "model/store/Member.h"
#include "model/store/ProjectDatabase.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// A member row of a snapshot, with what the member store's filters say of
// it. The filters are evaluated by the database itself when the row is read,
// so flags other than 0 and 1 and texts that merely look alike are treated
// exactly as the store's own queries treat them.
struct TSnapshotMember {
    TMember member;
    bool isPrimary = false; // memberIsPri=1
    bool isNonPrimary = false; // memberIsPri=0
    bool isQuery = false; // queryFlag = 1
    bool isDisplay = false; // memberIsDisplay=1
    bool isReference = false; // memberType none of the four simple types

    // A row built in memory (tests, imported models), the filters evaluated
    // as the database evaluates them on integer flags.
    static TSnapshotMember Of(const TMember& member);
};

struct TSnapshotClass {
    int classId = 0;
    std::string className;
    std::string friendName;
    std::vector<TSnapshotMember> members; // in the store's order
    std::string tableName; // imported classes only
    bool readOnly = false; // imported from a view
};

// The whole model of one project, read in one read transaction, so that it
// is one consistent state however the model is edited meanwhile. It answers
// the questions a generation run asks exactly as the store operations would.
class TModelSnapshot {
public:
    static TModelSnapshot Read(int projectId);
    // The classes of the list, in its order; one that is gone has no members.
    static TModelSnapshot ReadClassList(const TIdList& classes);
    // Built from rows already read (tests, imported models).
    TModelSnapshot(int projectId, std::vector<TSnapshotClass> classes);

    int ProjectId() const { return projectId_; }
    // The project's name as read with its classes (Read only); nothing
    // when the project no longer exists.
    const std::optional<std::string>& ProjectName() const { return projectName_; }
    // The database of an imported project (Read only; empty otherwise).
    const TProjectDatabase& Database() const { return database_; }
    void SetDatabase(const TProjectDatabase& database) { database_ = database; }
    // In ListClasses order.
    const std::vector<TSnapshotClass>& Classes() const { return classes_; }
    TIdList ListClasses() const;

    // GetClassId: the first class of the project with that name, or null.
    const TSnapshotClass* FindClass(const std::string& className) const;
    // GetPrimaryMember: the class's first member with memberIsPri 1, or null.
    static const TMember* PrimaryMember(const TSnapshotClass& snapshotClass);
    // GetPrimaryMemberByClassName: the first primary member of the class of
    // that name whose own row belongs to the project, or null.
    const TMember* PrimaryMemberByClassName(const std::string& className) const;
    // The classes, moved out; the snapshot is empty afterwards.
    std::vector<TSnapshotClass> TakeClasses();
    // Position of a class in Classes().
    size_t IndexOf(const TSnapshotClass& snapshotClass) const;

private:
    int projectId_;
    std::optional<std::string> projectName_;
    TProjectDatabase database_;
    std::vector<TSnapshotClass> classes_;
    std::unordered_map<std::string, size_t> firstByName_;
};
