#include "model/commands/ModelSnapshot.h"

#include "model/store/DbError.h"
#include "model/store/DbHelper.h"
#include "model/store/MemberFields.h"
#include "model/store/MemberTypes.h"
#include "model/store/ResultSet.h"
#include "model/store/Statement.h"

#include <cstdint>
#include <optional>

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
std::string MemberQuery()
{
    return "select memberId,projectId,classId," + MemberValueColumnList() +
        ",memberIsPri=1 as isPrimary,memberIsPri=0 as isNonPrimary,queryFlag = 1 as isQuery,"
        "memberIsDisplay=1 as isDisplay," +
        NotSimpleTypeCondition() +
        " as isReference "
        "from t_member where ";
}

// Positions of the member query's columns, found by name once.
struct TMemberColumns {
    explicit TMemberColumns(const TStatement& statement)
    {
        std::vector<std::string> names = statement.ColumnNames();
        for (size_t i = 0; i < names.size(); ++i)
            index.emplace(names[i], static_cast<int>(i));
    }
    int operator[](const std::string& name) const { return index.at(name); }
    std::unordered_map<std::string, int> index;
};

TSnapshotMember ReadMemberRow(const TRowReader& row, const TMemberColumns& at)
{
    TSnapshotMember m;
    TMember& r = m.member;
    r.SetMemberId(row.Integer(at["memberId"]));
    r.SetProjectId(row.Integer(at["projectId"]));
    r.SetClassId(row.Integer(at["classId"]));
    for (const auto& field : MemberFields()) {
        if (field.kind == TFieldKind::Text)
            (r.*field.setText)(row.Text(at[field.column]));
        else
            (r.*field.setInt)(row.Integer(at[field.column]));
    }
    m.isPrimary = row.Holds(at["isPrimary"]);
    m.isNonPrimary = row.Holds(at["isNonPrimary"]);
    m.isQuery = row.Holds(at["isQuery"]);
    m.isDisplay = row.Holds(at["isDisplay"]);
    m.isReference = row.Holds(at["isReference"]);
    return m;
}

// The project a snapshot reads with its classes.
struct TProjectRow {
    std::optional<std::string> name; // nothing when there is no such project
    TProjectDatabase database;
};

// The classes that classWhere selects (with its values) and their members,
// in one read transaction; with project, the project's row in the same
// transaction.
std::vector<TSnapshotClass> ReadClasses(
    const std::string& classWhere, const TSqlValues& values, int projectId = 0, TProjectRow* project = nullptr)
{
    std::vector<TSnapshotClass> classes;
    TDbHelper().ReadConsistently([&](sqlite3* db) {
        if (project) {
            TStatement row(
                db, "select projectName,dbUrl,dbUser,dbDriver,dbDialect,databaseKind from t_project where projectId=?");
            row.Bind({ projectId });
            if (row.Step()) {
                TRowReader read(row.Handle());
                project->name = read.Text(0);
                project->database = { read.Text(1), read.Text(2), read.Text(3), read.Text(4), read.Text(5) };
            }
        }
        std::unordered_map<int, size_t> byId;
        TStatement classRows(
            db, "select classId,className,friendName,tableName,readOnly from t_class where " + classWhere);
        classRows.Bind(values);
        while (classRows.Step()) {
            TRowReader row(classRows.Handle());
            TSnapshotClass c;
            c.classId = row.Integer(0);
            c.className = row.Text(1);
            // The friendly name is shown, never generated from: a missing
            // one is no reason to refuse the model.
            if (sqlite3_column_type(classRows.Handle(), 2) != SQLITE_NULL)
                c.friendName = row.Text(2);
            c.tableName = row.Text(3);
            c.readOnly = row.Integer(4) != 0;
            byId.emplace(c.classId, classes.size());
            classes.push_back(std::move(c));
        }
        TStatement memberRows(
            db, MemberQuery() + "classId in (select classId from t_class where " + classWhere + ") order by memberId");
        TSqlValues memberValues(SimpleTypes().begin(), SimpleTypes().end());
        memberValues.insert(memberValues.end(), values.begin(), values.end());
        memberRows.Bind(memberValues);
        TMemberColumns columns(memberRows);
        while (memberRows.Step()) {
            TSnapshotMember m = ReadMemberRow(TRowReader(memberRows.Handle()), columns);
            auto owner = byId.find(m.member.GetClassId());
            if (owner != byId.end())
                classes[owner->second].members.push_back(std::move(m));
        }
    });
    // A large model is held whole: no spare room in the member lists.
    for (auto& c : classes)
        c.members.shrink_to_fit();
    return classes;
}

} // namespace

TSnapshotMember TSnapshotMember::Of(const TMember& member)
{
    TSnapshotMember m;
    m.member = member;
    m.isPrimary = member.GetMemberIsPri() == 1;
    m.isNonPrimary = member.GetMemberIsPri() == 0;
    m.isQuery = member.GetQueryFlag() == 1;
    m.isDisplay = member.GetMemberIsDisplay() == 1;
    m.isReference = IsReferenceType(member.GetMemberType());
    return m;
}

TModelSnapshot TModelSnapshot::Read(int projectId)
{
    TProjectRow project;
    TModelSnapshot snapshot(projectId, ReadClasses("projectId=? order by classId", { projectId }, projectId, &project));
    snapshot.projectName_ = std::move(project.name);
    snapshot.database_ = project.database;
    return snapshot;
}

TModelSnapshot TModelSnapshot::ReadClassList(const TIdList& list)
{
    std::vector<TSnapshotClass> classes;
    int projectId = 0;
    for (const auto& entry : list) {
        std::vector<TSnapshotClass> one = ReadClasses("classId=?", { entry.id });
        // A class that is gone has no members: the checks count none.
        if (one.empty())
            one.push_back({ entry.id, entry.text, "", {}, "" });
        if (projectId == 0 && !one.front().members.empty())
            projectId = one.front().members.front().member.GetProjectId();
        classes.push_back(std::move(one.front()));
    }
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

std::vector<TSnapshotClass> TModelSnapshot::TakeClasses()
{
    firstByName_.clear();
    std::vector<TSnapshotClass> classes;
    classes.swap(classes_);
    return classes;
}

size_t TModelSnapshot::IndexOf(const TSnapshotClass& snapshotClass) const
{
    return static_cast<size_t>(&snapshotClass - classes_.data());
}
