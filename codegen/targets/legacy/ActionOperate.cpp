#include "codegen/targets/legacy/ActionOperate.h"

#include "codegen/core/ClassFileGenerator.h"

#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/text/TextBuilder.h"
#include "codegen/text/TextEscape.h"
#include "model/store/MemberTypes.h"

namespace {

// An annotation line, when the style has one.
void Annotation(TText& out, const std::string& line)
{
    if (!line.empty())
        out.Line(line);
}

// A getter/setter property; T is its type, m its name; each accessor after
// its annotation line, if any.
void AddProperty(TText& out, const std::string& T, const std::string& m, const std::string& setterAnnotation = "",
    const std::string& getterAnnotation = "")
{
    std::string M = CapitalizedName(m);
    out.Line("    private " + T + " " + m + ";");
    Annotation(out, setterAnnotation);
    out.Line("    public void set" + M + "(" + T + " " + m + ") {");
    out.Line("        this." + m + " = " + m + ";");
    out.Line("    }");
    Annotation(out, getterAnnotation);
    out.Line("    public " + T + " get" + M + "() {");
    out.Line("        return this." + m + ";");
    out.Line("    }");
    out.Empty();
}

} // namespace

// package com.<package>.action;  imports;
// public class BookAction extends ActionSupport { properties, DAO, methods }
std::string TActionOperate::BuildActionClass(
    const std::string& packageName, const TClassData& data, const TActionStyle& style)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    const auto& references = data.references;
    TText out;
    out.Print({ { "packageName", packageName } },
        "package com.$packageName$.action;\n"
        "\n"
        "import java.util.List;\n");
    for (const std::string& line : style.frameworkImports)
        out.Line(line);
    out.Print({ { "packageName", packageName }, { "C", C } },
        "import com.$packageName$.dao.$C$DAO;\n"
        "import com.$packageName$.domain.$C$;\n");
    // Every reference member needs its class and DAO, query member or not.
    for (const auto& r : references) {
        out.Line("import com." + packageName + ".dao." + r.type + "DAO;");
        out.Line("import com." + packageName + ".domain." + r.type + ";");
    }
    for (const auto& m : data.collections) {
        out.Line("import com." + packageName + ".dao." + m.type + "DAO;");
        out.Line("import com." + packageName + ".domain." + m.type + ";");
    }
    out.Print({ { "packageName", packageName } },
        "import com.$packageName$.test.TestUtil;\n"
        "\n");
    out.Line("public class " + C + "Action extends ActionSupport" + style.implements + " {");
    out.Empty();

    for (const auto& m : data.queryMembers) {
        out.Line("    /*界面层需要查询的属性: " + JavaCommentText(m.comment) + "*/");
        // A text is bound by its setter, a reference by its key's.
        AddProperty(out, QueryTypeOf(m.type), m.name, m.textLike ? style.boundSetter : "",
            m.textLike ? "" : style.boundReference);
    }
    // The add and modify operations store into a property named after each
    // reference member.
    for (const auto& r : references) {
        if (r.queryFlag == 1)
            continue;
        out.Line("    /*关联对象属性: " + JavaCommentText(r.comment) + "*/");
        AddProperty(out, r.type, r.name);
    }
    // A many-to-many member's choice arrives as the keys of the objects.
    for (const auto& m : data.collections) {
        out.Line("    /*多对多属性所选对象的主键: " + JavaCommentText(m.comment) + "*/");
        AddProperty(out, "String[]", m.name + "Keys", style.boundSetter);
    }

    out.Print({},
        "    /*当前第几页*/\n"
        "    private int currentPage;\n");
    Annotation(out, style.boundSetter);
    out.Print({},
        "    public void setCurrentPage(int currentPage) {\n"
        "        this.currentPage = currentPage;\n"
        "    }\n"
        "    public int getCurrentPage() {\n"
        "        return currentPage;\n"
        "    }\n"
        "\n"
        "    /*一共多少页*/\n"
        "    private int totalPage;\n"
        "    public void setTotalPage(int totalPage) {\n"
        "        this.totalPage = totalPage;\n"
        "    }\n"
        "    public int getTotalPage() {\n"
        "        return totalPage;\n"
        "    }\n"
        "\n");

    const TMember& key = data.primary;
    std::string U;
    // A composite key arrives as the object's own fields.
    if (data.CompositeKey())
        U = "";
    else if (key.GetMemberIsInteger() == 1)
        U = "int";
    else if (key.GetMemberType() == kTypeLong)
        U = "long";
    else if (key.GetQueryFlag() == 0)
        U = "String";
    if (!U.empty()) {
        std::string p = key.GetMemberName();
        std::string P = CapitalizedName(p);
        out.Line("    private " + U + " " + p + ";");
        Annotation(out, style.boundSetter);
        out.Print({ { "P", P }, { "U", U }, { "p", p } },
            "    public void set$P$($U$ $p$) {\n"
            "        this.$p$ = $p$;\n"
            "    }\n"
            "    public $U$ get$P$() {\n"
            "        return $p$;\n"
            "    }\n"
            "\n");
    }

    out.Print({ { "C", C }, { "c", c } },
        "    /*当前查询的总记录数目*/\n"
        "    private int recordNumber;\n"
        "    public void setRecordNumber(int recordNumber) {\n"
        "        this.recordNumber = recordNumber;\n"
        "    }\n"
        "    public int getRecordNumber() {\n"
        "        return recordNumber;\n"
        "    }\n"
        "\n"
        "    /*业务层对象*/\n"
        "    $C$DAO $c$DAO = new $C$DAO();\n"
        "\n"
        "    /*待操作的$C$对象*/\n"
        "    private $C$ $c$;\n"
        "    public void set$C$($C$ $c$) {\n"
        "        this.$c$ = $c$;\n"
        "    }\n");
    Annotation(out, style.boundObject);
    out.Print({ { "C", C }, { "c", c } },
        "    public $C$ get$C$() {\n"
        "        return this.$c$;\n"
        "    }\n"
        "\n");

    out.Append(BuildAddViewAction(data, style));
    out.Append(BuildAddAction(data, style));
    out.Append(BuildQueryAction(data, style));
    out.Append(BuildModifyQueryAction(data, style));
    out.Append(BuildModifyAction(data, style));
    out.Append(BuildDeleteAction(data, style));
    out.Append(style.methods);
    out.Line("}");
    return out.Str();
}

const IGenerator& ActionClassGenerator()
{
    static const TClassFileGenerator generator("action", "action", "Action.java", 4,
        [](const TGenInput& in, const TClassData& c) { return TActionOperate::BuildActionClass(in.packageName, c); });
    return generator;
}
