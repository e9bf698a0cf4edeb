#include "codegen/core/ClassData.h"

#include "codegen/core/CascadeRule.h"
#include "codegen/core/GenerationError.h"
#include "model/rules/JavaWords.h"
#include "model/store/MemberTypes.h"

namespace {

const TMember& ReferencedKey(const TModelSnapshot& snapshot, const TSnapshotClass& owner, const TMember& member)
{
    const TMember* key = snapshot.PrimaryMemberByClassName(member.GetMemberType());
    if (!key)
        throw TGenerationError(
            owner.className + "表的成员" + member.GetMemberName() + "引用的类" + member.GetMemberType() + "没有主键!");
    return *key;
}

// The display member of the class of that name, shown where its objects are
// listed; its key when it has none.
std::string DisplayName(const TModelSnapshot& snapshot, const std::string& className)
{
    const TSnapshotClass* target = snapshot.FindClass(className);
    if (!target)
        return "";
    for (const auto& m : target->members)
        if (m.isDisplay)
            return m.member.GetMemberName();
    const TMember* key = TModelSnapshot::PrimaryMember(*target);
    return key ? key->GetMemberName() : "";
}

TQueryMember QueryMember(const TModelSnapshot& snapshot, const TSnapshotClass& owner, const TMember& member)
{
    TQueryMember m;
    m.name = member.GetMemberName();
    m.type = member.GetMemberType();
    m.comment = member.GetMemberComment();
    m.textLike = IsTextLikeType(m.type);
    if (!m.textLike) {
        const TMember& key = ReferencedKey(snapshot, owner, member);
        m.integerKey = key.GetMemberType() == kTypeInteger || key.GetMemberType() == kTypeLong;
        m.longKey = key.GetMemberType() == kTypeLong;
        m.keyName = key.GetMemberName();
        m.keyCapital = CapitalizedName(m.keyName);
        m.displayName = DisplayName(snapshot, m.type);
    }
    return m;
}

TReferenceMember ReferenceMember(const TModelSnapshot& snapshot, const TSnapshotClass& owner, const TMember& member)
{
    TReferenceMember m;
    m.name = member.GetMemberName();
    m.type = member.GetMemberType();
    m.queryFlag = member.GetQueryFlag();
    m.comment = member.GetMemberComment();
    const TMember& key = ReferencedKey(snapshot, owner, member);
    m.keyName = key.GetMemberName();
    m.keyCapital = CapitalizedName(m.keyName);
    m.optional = member.GetMemberNullable() == 1 || !member.GetColumnFilled().empty();
    m.textKey = key.GetMemberType() == kTypeString;
    m.displayName = DisplayName(snapshot, m.type);
    return m;
}

TCollectionMember CollectionMember(const TModelSnapshot& snapshot, const TSnapshotClass& owner, const TMember& member)
{
    TCollectionMember m;
    m.name = member.GetMemberName();
    m.type = member.GetMemberType();
    m.comment = member.GetMemberComment();
    m.linkTable = member.GetLinkTable();
    m.ownerColumn = member.GetLinkColumn();
    m.column = member.GetColumnName();
    const TMember& key = ReferencedKey(snapshot, owner, member);
    m.keyName = key.GetMemberName();
    m.keyCapital = CapitalizedName(m.keyName);
    m.keyType = key.GetMemberType();
    m.displayName = DisplayName(snapshot, m.type);
    return m;
}

bool IsCollection(const TSnapshotMember& row)
{
    return !row.member.GetLinkTable().empty();
}

// Everything but the members' own rows, which the caller copies or moves in.
TClassData ClassFrame(const TModelSnapshot& snapshot, const TSnapshotClass& c)
{
    TClassData data;
    data.classId = c.classId;
    data.name = c.className;
    data.friendName = c.friendName;
    data.tableName = c.tableName;
    data.readOnly = c.readOnly;
    const TMember* primary = TModelSnapshot::PrimaryMember(c);
    if (!primary)
        throw TGenerationError(c.className + "表没有主键!");
    data.primary = *primary;
    data.members.reserve(c.members.size());
    for (const auto& row : c.members) {
        const TMember& m = row.member;
        if (IsCollection(row)) {
            data.collections.push_back(CollectionMember(snapshot, c, m));
            continue;
        }
        if (row.isPrimary)
            data.keys.push_back(m);
        TClassMember member;
        member.isNonPrimary = row.isNonPrimary;
        if (row.isNonPrimary && !IsSimpleType(m.GetMemberType()))
            if (const TMember* target = snapshot.PrimaryMemberByClassName(m.GetMemberType()))
                member.referencedKey = target->GetMemberName();
        data.members.push_back(std::move(member));
        if (row.isQuery)
            data.queryMembers.push_back(QueryMember(snapshot, c, m));
        if (row.isReference)
            data.references.push_back(ReferenceMember(snapshot, c, m));
    }
    return data;
}

// Per class, the class index each reference member names.
std::vector<std::vector<int>> ReferenceGraph(const TModelSnapshot& snapshot)
{
    std::vector<std::vector<int>> targets(snapshot.Classes().size());
    for (size_t i = 0; i < snapshot.Classes().size(); ++i)
        for (const auto& row : snapshot.Classes()[i].members)
            if (row.isReference && !IsCollection(row))
                if (const TSnapshotClass* target = snapshot.FindClass(row.member.GetMemberType()))
                    targets[i].push_back(static_cast<int>(snapshot.IndexOf(*target)));
    return targets;
}

// The program gives every member of a composite key: none is made by the
// database (the run's checks refuse one that says so).
void AssignCompositeKeys(TClassData& data)
{
    if (!data.CompositeKey())
        return;
    for (TMember& key : data.keys)
        key.SetKeyGenerator("assigned");
    for (TClassMember& mapped : data.members)
        if (mapped.member.GetMemberIsPri() == 1)
            mapped.member.SetKeyGenerator("assigned");
}

} // namespace

std::vector<TClassData> BuildClassData(TModelSnapshot snapshot)
{
    std::vector<bool> cascade = CascadingClasses(ReferenceGraph(snapshot));
    // Every key is looked up while the snapshot is whole; then its rows move.
    std::vector<TClassData> classes;
    classes.reserve(snapshot.Classes().size());
    for (size_t i = 0; i < snapshot.Classes().size(); ++i) {
        classes.push_back(ClassFrame(snapshot, snapshot.Classes()[i]));
        classes.back().cascade = cascade[i];
    }
    std::vector<TSnapshotClass> rows = snapshot.TakeClasses();
    for (size_t i = 0; i < classes.size(); ++i)
        for (size_t m = 0, k = 0; m < rows[i].members.size(); ++m)
            if (!IsCollection(rows[i].members[m]))
                classes[i].members[k++].member = std::move(rows[i].members[m].member);
    for (TClassData& data : classes)
        AssignCompositeKeys(data);
    return classes;
}

TClassData BuildOneClassData(const TModelSnapshot& snapshot, size_t index)
{
    const TSnapshotClass& c = snapshot.Classes().at(index);
    TClassData data = ClassFrame(snapshot, c);
    data.cascade = CascadingClasses(ReferenceGraph(snapshot))[index];
    for (size_t m = 0, k = 0; m < c.members.size(); ++m)
        if (!IsCollection(c.members[m]))
            data.members[k++].member = c.members[m].member;
    AssignCompositeKeys(data);
    return data;
}

bool IsNumberKey(const TMember& key)
{
    return key.GetMemberIsInteger() == 1 || key.GetMemberType() == kTypeLong;
}

std::string KeyGeneratorOf(const TMember& key)
{
    if (!key.GetKeyGenerator().empty())
        return key.GetKeyGenerator();
    return IsNumberKey(key) ? "native" : "assigned";
}
