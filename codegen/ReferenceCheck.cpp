#include "ReferenceCheck.h"

#include "ClassDAO.h"
#include "MemberDAO.h"

std::string CheckReferenceMembers(int projectId, const TIdList& classes)
{
    TClassDAO classStore;
    TMemberDAO members;
    for (const auto& entry : classes) {
        auto rows = members.OpenReferenceMembers(entry.id);
        for (; !rows->Eof(); rows->Next()) {
            std::string type = rows->AsText("memberType");
            if (classStore.GetClassId(projectId, type) == -1)
                return entry.text + "表的成员" + rows->AsText("memberName") + "引用的类" + type + "不存在!";
        }
    }
    return "";
}
