#include "DomainOperate.h"

#include "JavaNames.h"
#include "TextBuilder.h"
#include "TextEscape.h"

// package com.<package>.domain;
//
// public class Book {
//     /*comment*/
//     private String title;
//     public String getTitle() { ... }   (getter and setter per member)
// }
std::string TDomainOperate::BuildDomainClass(const std::string& packageName, const TClassData& c)
{
    TText out;
    out.Line("package com." + packageName + ".domain;");
    out.Empty();
    out.Line("public class " + c.name + " {");
    for (const TMember* row : c.members) {
        const TMember& member = *row;
        const std::string& m = member.GetMemberName();
        std::string t = JavaTypeOf(member.GetMemberType());
        std::string M = CapitalizedName(m);
        out.Line("    /*" + JavaCommentText(member.GetMemberComment()) + "*/");
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

void TDomainOperate::WriteDomainClasses(const TRunContext& run, const std::vector<TClassData>& classes)
{
    for (const auto& c : classes)
        run.PutKindFile("domain", c.name + ".java", BuildDomainClass(run.packageName, c), false, "生成完毕!");
}
