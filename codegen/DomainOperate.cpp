#include "DomainOperate.h"

#include "FileOperate.h"
#include "JavaNames.h"
#include "MemberDAO.h"
#include "TextBuilder.h"
#include "TextEscape.h"

// package com.<package>.domain;
//
// public class Book {
//     /*comment*/
//     private String title;
//     public String getTitle() { ... }   (getter and setter per member)
// }
std::string TDomainOperate::BuildDomainClass(const std::string& packageName, int classId, const std::string& className)
{
    TText out;
    out.Line("package com." + packageName + ".domain;");
    out.Empty();
    out.Line("public class " + className + " {");
    auto rows = TMemberDAO().OpenClassMembers(classId);
    for (; !rows->Eof(); rows->Next()) {
        std::string m = rows->AsText("memberName");
        std::string t = JavaTypeOf(rows->AsText("memberType"));
        std::string M = CapitalizedName(m);
        out.Line("    /*" + JavaCommentText(rows->AsText("memberComment")) + "*/");
        out.Line("    private " + t + " " + m + ";");
        out.Line("    public " + t + " get" + M + "() {");
        out.Line("        return " + m + ";");
        out.Line("    }");
        out.Line("    public void set" + M + "(" + t + " " + m + ") {");
        out.Line("        this." + m + " = " + m + ";");
        out.Line("    }");
        out.Empty();
    }
    out.Append("}");
    return out.Str();
}

void TDomainOperate::WriteDomainClasses(const TRunContext& run, const TIdList& classes)
{
    WriteClassFiles(run, classes, "domain", "",
        [&run](const TIdEntry& entry) { return BuildDomainClass(run.packageName, entry.id, entry.text); });
}
