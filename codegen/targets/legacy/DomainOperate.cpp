#include "codegen/targets/legacy/DomainOperate.h"

#include "codegen/core/ClassFileGenerator.h"

#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/text/Printer.h"
#include "codegen/text/TextBuilder.h"
#include "codegen/text/TextEscape.h"

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
    out.Print({ { "packageName", packageName } },
        "package com.$packageName$.domain;\n"
        "\n");
    out.Line("public class " + c.name + (c.CompositeKey() ? " implements java.io.Serializable" : "") + " {");
    for (const TClassMember& row : c.members) {
        const TMember& member = row.member;
        const std::string& m = member.GetMemberName();
        std::string t = FieldTypeOf(member);
        std::string M = CapitalizedName(m);
        // An imported column's comment is Javadoc, with the column it maps.
        if (member.GetColumnName().empty())
            out.Line("    /*" + JavaCommentText(member.GetMemberComment()) + "*/");
        else
            out.Line("    /** " + JavaCommentText(member.GetMemberComment()) +
                (member.GetMemberComment().empty() ? "" : " ") + "(列 " + member.GetColumnName() + ") */");
        out.Print({ { "t", t }, { "m", m }, { "M", M } },
            "    private $t$ $m$;\n"
            "    public $t$ get$M$() {\n"
            "        return $m$;\n"
            "    }\n"
            "    public void set$M$($t$ $m$) {\n"
            "        this.$m$ = $m$;\n"
            "    }\n"
            "\n");
    }
    for (const TCollectionMember& m : c.collections) {
        std::string t = "java.util.Set<" + m.type + ">";
        std::string M = CapitalizedName(m.name);
        out.Line("    /** " + JavaCommentText(m.comment) + (m.comment.empty() ? "" : " ") + "(联系表 " + m.linkTable +
            ") */");
        out.Line("    private " + t + " " + m.name + " = new java.util.HashSet<" + m.type + ">();");
        out.Line("    public " + t + " get" + M + "() {");
        out.Line("        return " + m.name + ";");
        out.Line("    }");
        out.Line("    public void set" + M + "(" + t + " " + m.name + ") {");
        out.Line("        this." + m.name + " = " + m.name + ";");
        out.Print({},
            "    }\n"
            "\n");
    }
    if (c.CompositeKey())
        out.Append(BuildKeyEquality(c));
    out.Append("}");
    return out.Str();
}

std::string TDomainOperate::BuildKeyEquality(const TClassData& c)
{
    std::string equal, names;
    for (const TMember& key : c.keys) {
        const std::string& m = key.GetMemberName();
        equal += (equal.empty() ? "" : " && ") + std::string("java.util.Objects.equals(") + m + ", _that." + m + ")";
        names += (names.empty() ? "" : ", ") + m;
    }
    TPrinter out;
    out.Print({ { "C", c.name }, { "equal", equal }, { "names", names } },
        "    /*复合主键: 主键成员都相等的两个对象是同一个对象*/\n"
        "    @Override\n"
        "    public boolean equals(Object _other) {\n"
        "        if (this == _other)\n"
        "            return true;\n"
        "        if (!(_other instanceof $C$))\n"
        "            return false;\n"
        "        $C$ _that = ($C$) _other;\n"
        "        return $equal$;\n"
        "    }\n"
        "    @Override\n"
        "    public int hashCode() {\n"
        "        return java.util.Objects.hash($names$);\n"
        "    }\n"
        "\n");
    return out.Str();
}

const IGenerator& DomainClassGenerator()
{
    static const TClassFileGenerator generator("domain", "domain", ".java", 2,
        [](const TGenInput& in, const TClassData& c) { return TDomainOperate::BuildDomainClass(in.packageName, c); });
    return generator;
}
