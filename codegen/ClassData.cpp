#include "ClassData.h"

#include "CascadeRule.h"
#include "GenerationError.h"
#include "JavaWords.h"
#include "MemberTypes.h"

namespace {

const TMember& ReferencedKey(const TModelSnapshot& snapshot, const TSnapshotClass& owner, const TMember& member)
{
    const TMember* key = snapshot.PrimaryMemberByClassName(member.GetMemberType());
    if (!key)
        throw TGenerationError(
            owner.className + "表的成员" + member.GetMemberName() + "引用的类" + member.GetMemberType() + "没有主键!");
    return *key;
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
        m.integerKey = key.GetMemberType() == kTypeInteger;
        m.keyName = key.GetMemberName();
        m.keyCapital = CapitalizedName(m.keyName);
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
    m.keyName = ReferencedKey(snapshot, owner, member).GetMemberName();
    m.keyCapital = CapitalizedName(m.keyName);
    return m;
}

TClassData ClassData(const TModelSnapshot& snapshot, const TSnapshotClass& c)
{
    TClassData data;
    data.classId = c.classId;
    data.name = c.className;
    data.friendName = c.friendName;
    const TMember* primary = TModelSnapshot::PrimaryMember(c);
    if (!primary)
        throw TGenerationError(c.className + "表没有主键!");
    data.primary = *primary;
    for (const auto& row : c.members) {
        const TMember& m = row.member;
        data.members.push_back(&m);
        if (row.isNonPrimary) {
            std::string key;
            if (!IsSimpleType(m.GetMemberType()))
                if (const TMember* target = snapshot.PrimaryMemberByClassName(m.GetMemberType()))
                    key = target->GetMemberName();
            data.nonPrimaryMembers.push_back({ &m, key });
        }
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
            if (row.isReference)
                if (const TSnapshotClass* target = snapshot.FindClass(row.member.GetMemberType()))
                    targets[i].push_back(static_cast<int>(snapshot.IndexOf(*target)));
    return targets;
}

} // namespace

std::vector<TClassData> BuildClassData(const TModelSnapshot& snapshot)
{
    std::vector<bool> cascade = CascadingClasses(ReferenceGraph(snapshot));
    std::vector<TClassData> classes;
    classes.reserve(snapshot.Classes().size());
    for (size_t i = 0; i < snapshot.Classes().size(); ++i) {
        classes.push_back(ClassData(snapshot, snapshot.Classes()[i]));
        classes.back().cascade = cascade[i];
    }
    return classes;
}
