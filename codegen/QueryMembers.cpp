#include "QueryMembers.h"

#include "GenerationError.h"
#include "JavaWords.h"
#include "MemberDAO.h"
#include "MemberTypes.h"

namespace {

TMember ReferencedKey(int projectId, const std::string& className)
{
    auto key = TMemberDAO().GetPrimaryMemberByClassName(projectId, className);
    if (!key)
        throw TGenerationError("引用的类" + className + "不存在或没有主键");
    return *key;
}

} // namespace

std::vector<TQueryMember> LoadQueryMembers(int projectId, int classId)
{
    std::vector<TQueryMember> members;
    auto rows = TMemberDAO().OpenQueryMembers(classId);
    for (; !rows->Eof(); rows->Next()) {
        TQueryMember m;
        m.name = rows->AsText("memberName");
        m.type = rows->AsText("memberType");
        m.textLike = IsTextLikeType(m.type);
        if (!m.textLike) {
            TMember key = ReferencedKey(projectId, m.type);
            m.integerKey = key.GetMemberType() == kTypeInteger;
            m.keyName = key.GetMemberName();
            m.keyCapital = CapitalizedName(key.GetMemberName());
        }
        members.push_back(m);
    }
    return members;
}

std::vector<TReferenceMember> LoadReferenceMembers(int projectId, int classId)
{
    std::vector<TReferenceMember> members;
    auto rows = TMemberDAO().OpenReferenceMembers(classId);
    for (; !rows->Eof(); rows->Next()) {
        TReferenceMember m;
        m.name = rows->AsText("memberName");
        m.type = rows->AsText("memberType");
        m.queryFlag = rows->AsInteger("queryFlag");
        m.comment = rows->AsText("memberComment");
        m.keyCapital = CapitalizedName(ReferencedKey(projectId, m.type).GetMemberName());
        members.push_back(m);
    }
    return members;
}

TMember RequirePrimaryMember(int classId)
{
    auto key = TMemberDAO().GetPrimaryMember(classId);
    if (!key)
        throw TGenerationError("类缺少主键");
    return *key;
}
