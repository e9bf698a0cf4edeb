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
    out.Line("package com." + packageName + ".action;");
    out.Empty();
    out.Line("import java.util.List;");
    for (const std::string& line : style.frameworkImports)
        out.Line(line);
    out.Line("import com." + packageName + ".dao." + C + "DAO;");
    out.Line("import com." + packageName + ".domain." + C + ";");
    // Every reference member needs its class and DAO, query member or not.
    for (const auto& r : references) {
        out.Line("import com." + packageName + ".dao." + r.type + "DAO;");
        out.Line("import com." + packageName + ".domain." + r.type + ";");
    }
    for (const auto& m : data.collections) {
        out.Line("import com." + packageName + ".dao." + m.type + "DAO;");
        out.Line("import com." + packageName + ".domain." + m.type + ";");
    }
    out.Line("import com." + packageName + ".test.TestUtil;");
    out.Empty();
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

    out.Line("    /*当前第几页*/");
    out.Line("    private int currentPage;");
    Annotation(out, style.boundSetter);
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
    Annotation(out, style.boundObject);
    out.Line("    public " + C + " get" + C + "() {");
    out.Line("        return this." + c + ";");
    out.Line("    }");
    out.Empty();

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
