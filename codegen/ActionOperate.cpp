#include "ActionOperate.h"

#include "FileOperate.h"
#include "GenerationError.h"
#include "JavaNames.h"
#include "MemberDAO.h"
#include "QueryMembers.h"
#include "TextBuilder.h"
#include "TextEscape.h"

namespace {

// A getter/setter property; T is its type, m its name.
void AddProperty(TText& out, const std::string& T, const std::string& m)
{
    std::string M = CapitalizedName(m);
    out.Line("    private " + T + " " + m + ";");
    out.Line("    public void set" + M + "(" + T + " " + m + ") {");
    out.Line("        this." + m + " = " + m + ";");
    out.Line("    }");
    out.Line("    public " + T + " get" + M + "() {");
    out.Line("        return this." + m + ";");
    out.Line("    }");
    out.Empty();
}

} // namespace

// package com.<package>.action;  imports;
// public class BookAction extends ActionSupport { properties, DAO, methods }
std::string TActionOperate::BuildActionClass(
    int projectId, const std::string& packageName, int classId, const std::string& C)
{
    std::string c = ClassVariableName(C);
    auto references = LoadReferenceMembers(projectId, classId);
    TText out;
    out.Line("package com." + packageName + ".action;");
    out.Empty();
    out.Line("import java.util.List;");
    out.Line("import com.opensymphony.xwork2.ActionContext;");
    out.Line("import com.opensymphony.xwork2.ActionSupport;");
    out.Line("import com." + packageName + ".dao." + C + "DAO;");
    out.Line("import com." + packageName + ".domain." + C + ";");
    // Every reference member needs its class and DAO, query member or not.
    for (const auto& r : references) {
        out.Line("import com." + packageName + ".dao." + r.type + "DAO;");
        out.Line("import com." + packageName + ".domain." + r.type + ";");
    }
    out.Line("import com." + packageName + ".test.TestUtil;");
    out.Empty();
    out.Line("public class " + C + "Action extends ActionSupport {");
    out.Empty();

    auto queryMembers = TMemberDAO().OpenQueryMembers(classId);
    for (; !queryMembers->Eof(); queryMembers->Next()) {
        out.Line("    /*界面层需要查询的属性: " + JavaCommentText(queryMembers->AsText("memberComment")) + "*/");
        AddProperty(out, QueryTypeOf(queryMembers->AsText("memberType")), queryMembers->AsText("memberName"));
    }
    // The add and modify operations store into a property named after each
    // reference member.
    for (const auto& r : references) {
        if (r.queryFlag == 1)
            continue;
        out.Line("    /*关联对象属性: " + JavaCommentText(r.comment) + "*/");
        AddProperty(out, r.type, r.name);
    }

    out.Line("    /*当前第几页*/");
    out.Line("    private int currentPage;");
    out.Line("    public void setCurrentPage(int currentPage) {");
    out.Line("        this.currentPage = currentPage;");
    out.Line("    }");
    out.Line("    public int getCurrentPage() {");
    out.Line("        return currentPage;");
    out.Line("    }");
    out.Empty();
    out.Line("    /*一共多少页*/");
    out.Line("    private int totalPage;");
    out.Line("    public void setTotalPage(int totalPage) {");
    out.Line("        this.totalPage = totalPage;");
    out.Line("    }");
    out.Line("    public int getTotalPage() {");
    out.Line("        return totalPage;");
    out.Line("    }");
    out.Empty();

    TMember key = RequirePrimaryMember(classId);
    std::string U;
    if (key.GetMemberIsInteger() == 1)
        U = "int";
    else if (key.GetQueryFlag() == 0)
        U = "String";
    if (!U.empty()) {
        std::string p = key.GetMemberName();
        std::string P = CapitalizedName(p);
        out.Line("    private " + U + " " + p + ";");
        out.Line("    public void set" + P + "(" + U + " " + p + ") {");
        out.Line("        this." + p + " = " + p + ";");
        out.Line("    }");
        out.Line("    public " + U + " get" + P + "() {");
        out.Line("        return " + p + ";");
        out.Line("    }");
        out.Empty();
    }

    out.Line("    /*当前查询的总记录数目*/");
    out.Line("    private int recordNumber;");
    out.Line("    public void setRecordNumber(int recordNumber) {");
    out.Line("        this.recordNumber = recordNumber;");
    out.Line("    }");
    out.Line("    public int getRecordNumber() {");
    out.Line("        return recordNumber;");
    out.Line("    }");
    out.Empty();
    out.Line("    /*业务层对象*/");
    out.Line("    " + C + "DAO " + c + "DAO = new " + C + "DAO();");
    out.Empty();
    out.Line("    /*待操作的" + C + "对象*/");
    out.Line("    private " + C + " " + c + ";");
    out.Line("    public void set" + C + "(" + C + " " + c + ") {");
    out.Line("        this." + c + " = " + c + ";");
    out.Line("    }");
    out.Line("    public " + C + " get" + C + "() {");
    out.Line("        return this." + c + ";");
    out.Line("    }");
    out.Empty();

    out.Append(BuildAddViewAction(projectId, classId, C));
    out.Append(BuildAddAction(projectId, classId, C));
    out.Append(BuildQueryAction(classId, C));
    out.Append(BuildModifyQueryAction(projectId, classId, C));
    out.Append(BuildModifyAction(projectId, classId, C));
    out.Append(BuildDeleteAction(classId, C));
    out.Line("}");
    return out.Str();
}

void TActionOperate::WriteActionClasses(const TRunContext& run, const TIdList& classes)
{
    WriteClassFiles(run, classes, "action", "Action", [&run](const TIdEntry& entry) {
        return BuildActionClass(run.projectId, run.packageName, entry.id, entry.text);
    });
}
