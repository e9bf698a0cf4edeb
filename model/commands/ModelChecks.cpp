#include "model/commands/ModelChecks.h"

#include "model/store/MemberTypes.h"

#include <algorithm>

namespace {

template<class Test>
TCheckResult EveryClassHasOne(const TModelSnapshot& snapshot, TCheckKind kind, Test test, const char* fault)
{
    for (const auto& c : snapshot.Classes())
        if (std::count_if(c.members.begin(), c.members.end(), test) != 1)
            return { kind, c.classId, c.className, c.className + fault };
    return {};
}

} // namespace

TCheckResult CheckPrimaryMembers(const TModelSnapshot& snapshot)
{
    const char* fault = "表主键设置错误，每个类只能设置一个主键!";
    for (const auto& c : snapshot.Classes()) {
        auto primary = std::count_if(c.members.begin(), c.members.end(), [](const auto& m) { return m.isPrimary; });
        // A table of the user's database may have a key of several columns:
        // its class has a composite key of simple members.
        bool composite = primary > 1 && !c.tableName.empty();
        if (primary != 1 && !composite)
            return { TCheckKind::PrimaryMember, c.classId, c.className, c.className + fault };
        for (const auto& m : c.members) {
            if (!composite || !m.isPrimary)
                continue;
            std::string key = c.className + "表的主键由多个成员组成，主键成员" + m.member.GetMemberName();
            if (!IsKeyMemberType(m.member.GetMemberType()))
                return { TCheckKind::Refused, c.classId, c.className, key + "只能是整型、长整型或字符串!" };
            if (m.member.GetKeyGenerator() == "native")
                return { TCheckKind::Refused, c.classId, c.className, key + "不能由数据库生成!" };
        }
        // A link table's column names an object by one key.
        for (const auto& m : c.members)
            if (composite && !m.member.GetLinkTable().empty())
                return { TCheckKind::Refused, c.classId, c.className,
                    c.className + "表的主键由多个成员组成，不能有多对多成员" + m.member.GetMemberName() + "!" };
    }
    return {};
}

TCheckResult CheckDisplayMembers(const TModelSnapshot& snapshot)
{
    return EveryClassHasOne(
        snapshot, TCheckKind::DisplayMember, [](const TSnapshotMember& m) { return m.isDisplay; },
        "表显示成员设置错误，每个类有且只能设置一个显示成员!");
}
