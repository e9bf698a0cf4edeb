#include "DomainOperate.h"

#include "DbHelper.h"
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
    for (const auto& entry : classes) {
        std::string text;
        {
            TReadScope reads;
            text = BuildDomainClass(run.packageName, entry.id, entry.text);
        }
        TFileOperate::WriteText(run.paths.KindDir("domain"), run.paths.KindFile("domain", entry.text + ".java"), text);
        run.listener.Progress(run.paths.DisplayKind("domain", entry.text + ".java") + "生成完毕!");
    }
}
