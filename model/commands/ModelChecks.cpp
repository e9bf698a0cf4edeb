#include "ModelChecks.h"

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
    return EveryClassHasOne(
        snapshot, TCheckKind::PrimaryMember, [](const TSnapshotMember& m) { return m.isPrimary; },
        "表主键设置错误，每个类只能设置一个主键!");
}

TCheckResult CheckDisplayMembers(const TModelSnapshot& snapshot)
{
    return EveryClassHasOne(
        snapshot, TCheckKind::DisplayMember, [](const TSnapshotMember& m) { return m.isDisplay; },
        "表显示成员设置错误，每个类有且只能设置一个显示成员!");
}
