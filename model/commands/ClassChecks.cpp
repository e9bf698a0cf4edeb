// The class store's checks of the Parts' window, defined here: they are
// the rules the generation run applies to its snapshot (ModelChecks), so
// that the store does not depend on the commands above it.
#include "model/commands/ModelChecks.h"
#include "model/commands/ModelSnapshot.h"
#include "model/store/ClassDAO.h"

namespace {

// The rule is the one the generation run applies to its snapshot.
bool Report(const TCheckResult& result, IModelCheckReport& report)
{
    if (result.Passed())
        return true;
    report.SetErrorClassId(result.classId);
    if (result.kind == TCheckKind::PrimaryMember)
        report.PrimaryMemberError();
    else
        report.DisplayMemberError();
    return false;
}

} // namespace

bool TClassDAO::CheckPrimaryMembers(const TIdList& classes, IModelCheckReport& report)
{
    return Report(::CheckPrimaryMembers(TModelSnapshot::ReadClassList(classes)), report);
}

bool TClassDAO::CheckDisplayMembers(const TIdList& classes, IModelCheckReport& report)
{
    return Report(::CheckDisplayMembers(TModelSnapshot::ReadClassList(classes)), report);
}
