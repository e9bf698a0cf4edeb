#include "ModelSnapshot.h"

#include "DbError.h"
#include "DbHelper.h"
#include "MemberTypes.h"
#include "ResultSet.h"
#include "Statement.h"

#include <cstdint>

namespace {

// Texts and numbers of one row, read strictly: a null or a text that is no
// whole number is an error naming the column, as in every other read.
class TRowReader {
public:
    explicit TRowReader(sqlite3_stmt* stmt)
        : stmt_(stmt)
    {
    }
    std::string Text(int index) const
    {
        if (sqlite3_column_type(stmt_, index) == SQLITE_NULL)
            throw TDbError(std::string("列 ") + sqlite3_column_name(stmt_, index) + " 的值为空(NULL)，无法读取");
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
        return std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, index)));
    }
    int Integer(int index) const
    {
        if (sqlite3_column_type(stmt_, index) == SQLITE_INTEGER) {
            sqlite3_int64 value = sqlite3_column_int64(stmt_, index);
            if (value >= INT32_MIN && value <= INT32_MAX)
                return static_cast<int>(value);
        }
        return ParseInteger(Text(index), sqlite3_column_name(stmt_, index));
    }
    // The value of a condition column: true only when it is 1.
    bool Holds(int index) const
    {
        return sqlite3_column_type(stmt_, index) != SQLITE_NULL && sqlite3_column_int64(stmt_, index) == 1;
    }

private:
    sqlite3_stmt* stmt_;
};

const char* const kClassQuery = "select classId,className,friendName from t_class where projectId=? order by classId";

// Every column of t_member, then the store's filters as the database
// evaluates them.
const char* const kMemberQuery =
    "select memberId,projectId,classId,memberName,memberType,memberLength,memberIsPri,memberComment,"
    "memberIsMust,memberIsInteger,memberIsFloat,queryFlag,memberIsDisplay,memberQueryDisplay,"
    "memberIsPri=1,memberIsPri=0,queryFlag = 1,memberIsDisplay=1,"
    "memberType<>? and memberType<>? and memberType<>? and memberType<>? "
    "from t_member where classId in (select classId from t_class where projectId=?) order by memberId";

TSnapshotMember ReadMemberRow(const TRowReader& row)
{
    TSnapshotMember m;
    TMember& r = m.member;
    r.SetMemberId(row.Integer(0));
    r.SetProjectId(row.Integer(1));
    r.SetClassId(row.Integer(2));
    r.SetMemberName(row.Text(3));
    r.SetMemberType(row.Text(4));
    r.SetMemberLength(row.Integer(5));
    r.SetMemberIsPri(row.Integer(6));
    r.SetMemberComment(row.Text(7));
    r.SetMemberIsMust(row.Integer(8));
    r.SetMemberIsInteger(row.Integer(9));
    r.SetMemberIsFloat(row.Integer(10));
    r.SetQueryFlag(row.Integer(11));
    r.SetMemberIsDisplay(row.Integer(12));
    r.SetMemberQueryDisplay(row.Integer(13));
    m.isPrimary = row.Holds(14);
    m.isNonPrimary = row.Holds(15);
    m.isQuery = row.Holds(16);
    m.isDisplay = row.Holds(17);
    m.isReference = row.Holds(18);
    return m;
}

} // namespace

TModelSnapshot TModelSnapshot::Read(int projectId)
{
    std::vector<TSnapshotClass> classes;
    TDbHelper().ReadConsistently([&](sqlite3* db) {
        std::unordered_map<int, size_t> byId;
        TStatement classRows(db, kClassQuery);
        classRows.Bind({ projectId });
        while (classRows.Step()) {
            TRowReader row(classRows.Handle());
            TSnapshotClass c;
            c.classId = row.Integer(0);
            c.className = row.Text(1);
            // The friendly name is shown, never generated from: a missing
            // one is no reason to refuse the model.
            if (sqlite3_column_type(classRows.Handle(), 2) != SQLITE_NULL)
                c.friendName = row.Text(2);
            byId.emplace(c.classId, classes.size());
            classes.push_back(std::move(c));
        }
        TStatement memberRows(db, kMemberQuery);
        memberRows.Bind({ kTypeString, kTypeInteger, kTypeFloat, kTypeDate, projectId });
        while (memberRows.Step()) {
            TSnapshotMember m = ReadMemberRow(TRowReader(memberRows.Handle()));
            auto owner = byId.find(m.member.GetClassId());
            if (owner != byId.end())
                classes[owner->second].members.push_back(std::move(m));
        }
    });
    // A large model is held whole: no spare room in the member lists.
    for (auto& c : classes)
        c.members.shrink_to_fit();
    return TModelSnapshot(projectId, std::move(classes));
}

TModelSnapshot::TModelSnapshot(int projectId, std::vector<TSnapshotClass> classes)
    : projectId_(projectId)
    , classes_(std::move(classes))
{
    for (size_t i = 0; i < classes_.size(); ++i)
        firstByName_.emplace(classes_[i].className, i); // keeps the first of equal names
}

TIdList TModelSnapshot::ListClasses() const
{
    TIdList list;
    list.reserve(classes_.size());
    for (const auto& c : classes_)
        list.push_back({ c.className, c.classId });
    return list;
}

const TSnapshotClass* TModelSnapshot::FindClass(const std::string& className) const
{
    auto found = firstByName_.find(className);
    return found == firstByName_.end() ? nullptr : &classes_[found->second];
}

const TMember* TModelSnapshot::PrimaryMember(const TSnapshotClass& snapshotClass)
{
    for (const auto& m : snapshotClass.members)
        if (m.isPrimary)
            return &m.member;
    return nullptr;
}

const TMember* TModelSnapshot::PrimaryMemberByClassName(const std::string& className) const
{
    const TSnapshotClass* target = FindClass(className);
    if (!target)
        return nullptr;
    for (const auto& m : target->members)
        if (m.isPrimary && m.member.GetProjectId() == projectId_)
            return &m.member;
    return nullptr;
}

size_t TModelSnapshot::IndexOf(const TSnapshotClass& snapshotClass) const
{
    return static_cast<size_t>(&snapshotClass - classes_.data());
}
