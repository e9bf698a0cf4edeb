// The six action methods of a generated Action class.
#include "codegen/targets/legacy/ActionOperate.h"

#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/text/Printer.h"
#include "codegen/text/TextBuilder.h"
#include "codegen/text/TextEscape.h"
#include "model/store/MemberTypes.h"

#include <set>

namespace {

// Within one method a referenced class's variables are declared once, for
// the first reference member that names it.
class TDeclared {
public:
    bool First(const std::string& referencedClass) { return names_.insert(referencedClass).second; }

private:
    std::set<std::string> names_;
};

// An optional reference (its column may hold NULL): an empty selection,
// which the pages send as key 0 or "", stores none; a key that names no
// object is refused.
void AddOptionalReferenceLoad(TText& out, const TReferenceMember& ref, const std::string& c, const TActionStyle& style)
{
    const std::string& R = ref.type;
    std::string r = ClassVariableName(R);
    const std::string& m = ref.name;
    std::string M = CapitalizedName(m);
    const std::string& Q = ref.keyCapital;
    std::string key = c + ".get" + M + "().get" + Q + "()";
    std::string given = ref.textKey ? "null != " + key + " && !" + key + ".equals(\"\")" : key + " != 0";
    out.Line("            if(null != " + c + ".get" + M + "() && " + given + ") {");
    out.Line("                " + m + " = " + r + "DAO.Get" + R + "By" + Q + "(" + key + ");");
    out.Line("                if(null == " + m + ") {");
    out.Line("                    ctx.put(\"error\",  " + style.Encoded("\"所选的" + R + "不存在!\"") + ");");
    out.Line("                    return \"error\";");
    out.Line("                }");
    out.Line("            } else {");
    out.Line("                " + m + " = null;");
    out.Line("            }");
    out.Line("            " + c + ".set" + M + "(" + m + ");");
}

// Add and Modify: each reference member's object is read back through the
// referenced class's DAO by the key the submitted object carries, stored in
// the member's property and set into the object.
void AddReferenceLoads(TText& out, const TClassData& data, const std::string& c, const TActionStyle& style)
{
    TDeclared declared;
    for (const auto& ref : data.references) {
        const std::string& R = ref.type;
        std::string r = ClassVariableName(R);
        const std::string& m = ref.name;
        std::string M = CapitalizedName(m);
        const std::string& Q = ref.keyCapital;
        if (declared.First(R))
            out.Line("            " + R + "DAO " + r + "DAO = new " + R + "DAO();");
        if (ref.optional) {
            AddOptionalReferenceLoad(out, ref, c, style);
            continue;
        }
        out.Line(
            "            " + m + " = " + r + "DAO.Get" + R + "By" + Q + "(" + c + ".get" + M + "().get" + Q + "());");
        out.Line("            " + c + ".set" + M + "(" + m + ");");
        // A key that names no object is refused instead of stored as NULL.
        out.Line("            if(null == " + m + ") {");
        out.Line("                ctx.put(\"error\",  " + style.Encoded("\"所选的" + R + "不存在!\"") + ");");
        out.Line("                return \"error\";");
        out.Line("            }");
    }
}

// Add and Modify: the values of a text of several choices arrive as one
// text joined by ", "; the column holds them joined by "," alone.
void AddSeveralChoicesJoin(TText& out, const TClassData& data, const std::string& c)
{
    for (const auto& mapped : data.members) {
        const TMember& m = mapped.member;
        if (m.GetChoiceMode() != "several")
            continue;
        std::string M = CapitalizedName(m.GetMemberName());
        out.Line("            if(null != " + c + ".get" + M + "()) " + c + ".set" + M + "(" + c + ".get" + M +
            "().trim().replaceAll(\"\\\\s*,\\\\s*\", \",\"));");
    }
}

// Add and Modify: each many-to-many member's set is made of the objects
// whose keys the multiple selection sent (C.mKeys); a key that names no
// object is refused, one sent twice counts once.
void AddCollectionLoads(TText& out, const TClassData& data, const std::string& c, const TActionStyle& style)
{
    for (const auto& m : data.collections) {
        TPrinter::TVars vars = { { "R", m.type }, { "m", m.name }, { "M", CapitalizedName(m.name) },
            { "Q", m.keyCapital }, { "c", c }, { "notFound", style.Encoded("\"所选的" + m.type + "不存在!\"") },
            { "key",
                m.keyType == kTypeString     ? "_key"
                    : m.keyType == kTypeLong ? "Long.parseLong(_key.trim())"
                                             : "Integer.parseInt(_key.trim())" } };
        TPrinter lines;
        lines.Print(vars,
            "            {\n"
            "                $R$DAO _dao = new $R$DAO();\n"
            "                java.util.Set<$R$> _chosen = new java.util.HashSet<$R$>();\n"
            "                java.util.Set<String> _seen = new java.util.HashSet<String>();\n"
            "                if(null != $m$Keys) for(String _key : $m$Keys) {\n"
            "                    if(null == _key || _key.trim().equals(\"\") || !_seen.add(_key.trim())) continue;\n"
            "                    $R$ _one = null;\n"
            "                    try {\n"
            "                        _one = _dao.Get$R$By$Q$($key$);\n"
            "                    } catch (NumberFormatException _e) {\n"
            "                        _one = null;\n"
            "                    }\n"
            "                    if(null == _one) {\n"
            "                        ctx.put(\"error\",  $notFound$);\n"
            "                        return \"error\";\n"
            "                    }\n"
            "                    _chosen.add(_one);\n"
            "                }\n"
            "                $c$.set$M$(_chosen);\n"
            "            }\n");
        out.Append(lines.Str());
    }
}

// The lines that put every object of the referenced class R in the context
// for a drop-down; a class referring to itself has its DAO as a field.
std::string ChoiceListLines(const std::string& C, const std::string& R)
{
    TPrinter out;
    TPrinter::TVars vars = { { "R", R }, { "r", ClassVariableName(R) }, { "list", ChoiceListName(C, R) } };
    if (R != C)
        out.Print(vars, "        $R$DAO $r$DAO = new $R$DAO();\n");
    out.Print(vars,
        "        List<$R$> $list$ = $r$DAO.QueryAll$R$Info();\n"
        "        ctx.put(\"$list$\", $list$);\n");
    return out.Str();
}

} // namespace

std::string TActionOperate::BuildAddViewAction(const TClassData& data, const TActionStyle& /*style*/)
{
    const std::string& C = data.name;
    TText out;
    out.Print({ { "C", C } },
        "    /*跳转到添加$C$视图*/\n"
        "    public String AddView() {\n"
        "        ActionContext ctx = ActionContext.getContext();\n");
    TDeclared declared;
    for (const auto& ref : data.references) {
        const std::string& R = ref.type;
        if (!declared.First(R))
            continue;
        out.Line("        /*查询所有的" + R + "信息*/");
        out.Append(ChoiceListLines(C, R));
    }
    for (const auto& m : data.collections)
        if (declared.First(m.type))
            out.Append(ChoiceListLines(C, m.type));
    out.Print({},
        "        return \"add_view\";\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TActionOperate::BuildAddAction(const TClassData& data, const TActionStyle& style)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    const TMember& key = data.primary;
    std::string p = key.GetMemberName();
    std::string P = CapitalizedName(p);
    const std::string& d = key.GetMemberComment();
    TText out;
    out.Line("    /*添加" + C + "信息*/");
    if (style.deprecatedEncode)
        out.Line("    @SuppressWarnings(\"deprecation\")");
    out.Print({ { "C", C } },
        "    public String Add$C$() {\n"
        "        ActionContext ctx = ActionContext.getContext();\n");
    if (data.CompositeKey()) {
        out.Line("        if(null == " + c + ") {");
        out.Line("            ctx.put(\"error\",  " + style.Encoded("\"" + C + "添加失败!\"") + ");");
        out.Print({ { "c", c }, { "C", C } },
            "            return \"error\";\n"
            "        }\n"
            "        /*验证主键是否已经存在*/\n"
            "        if(null != $c$DAO.Get$C$ByKey($c$)) {\n");
        out.Line("            ctx.put(\"error\",  " +
            style.Encoded("\"该" + JavaStringText(data.friendName) + "已经存在!\"") + ");");
        out.Print({},
            "            return \"error\";\n"
            "        }\n");
    } else if (key.GetMemberType() == kTypeString) {
        // A request without the object (no parameters at all) is refused
        // before its key is read.
        out.Line("        if(null == " + c + ") {");
        out.Line("            ctx.put(\"error\",  " + style.Encoded("\"" + C + "添加失败!\"") + ");");
        out.Print({},
            "            return \"error\";\n"
            "        }\n");
        out.Line("        /*验证" + JavaCommentText(d) + "是否已经存在*/");
        out.Print({ { "p", p }, { "c", c }, { "P", P }, { "C", C } },
            "        String $p$ = $c$.get$P$();\n"
            "        $C$ db_$c$ = $c$DAO.Get$C$By$P$($p$);\n"
            "        if(null != db_$c$) {\n");
        out.Line("            ctx.put(\"error\",  " + style.Encoded("\"该" + JavaStringText(d) + "已经存在!\"") + ");");
        out.Print({},
            "            return \"error\";\n"
            "        }\n");
    }
    out.Line("        try {");
    AddReferenceLoads(out, data, c, style);
    AddCollectionLoads(out, data, c, style);
    AddSeveralChoicesJoin(out, data, c);
    out.Append(style.beforeAdd);
    out.Line("            " + c + "DAO.Add" + C + "(" + c + ");");
    out.Line("            ctx.put(\"message\",  " + style.Encoded("\"" + C + "添加成功!\"") + ");");
    out.Print({},
        "            return \"add_success\";\n"
        "        } catch (Exception e) {\n"
        "            e.printStackTrace();\n");
    out.Line("            ctx.put(\"error\",  " + style.Encoded("\"" + C + "添加失败!\"") + ");");
    out.Print({},
        "            return \"error\";\n"
        "        }\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TActionOperate::BuildQueryAction(const TClassData& data, const TActionStyle& /*style*/)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    const auto& rows = data.queryMembers;
    TText out;
    out.Print({ { "C", C } },
        "    /*查询$C$信息*/\n"
        "    public String Query$C$() {\n"
        "        if(currentPage == 0) currentPage = 1;\n");
    for (const auto& row : rows)
        if (row.textLike)
            out.Line("        if(" + row.name + " == null) " + row.name + " = \"\";");
    std::string pageArguments;
    for (const auto& row : rows)
        pageArguments += row.name + ", ";
    out.Line(
        "        List<" + C + "> " + c + "List = " + c + "DAO.Query" + C + "Info(" + pageArguments + "currentPage);");
    out.Line("        /*计算总的页数和总的记录数*/");
    std::string countArguments;
    for (size_t position = 1; position <= rows.size(); ++position) {
        countArguments += rows[position - 1].name;
        if (position < rows.size())
            countArguments += ", ";
    }
    out.Print({ { "c", c }, { "countArguments", countArguments } },
        "        $c$DAO.CalculateTotalPageAndRecordNumber($countArguments$);\n"
        "        /*获取到总的页码数目*/\n"
        "        totalPage = $c$DAO.getTotalPage();\n"
        "        /*当前查询条件下总记录数*/\n"
        "        recordNumber = $c$DAO.getRecordNumber();\n"
        "        ActionContext ctx = ActionContext.getContext();\n"
        "        ctx.put(\"$c$List\",  $c$List);\n"
        "        ctx.put(\"totalPage\", totalPage);\n"
        "        ctx.put(\"recordNumber\", recordNumber);\n"
        "        ctx.put(\"currentPage\", currentPage);\n");
    TDeclared declared;
    for (const auto& row : rows) {
        const std::string& m = row.name;
        const std::string& R = row.type;
        out.Line("        ctx.put(\"" + m + "\", " + m + ");");
        if (row.textLike || !declared.First(R))
            continue;
        out.Append(ChoiceListLines(C, R));
    }
    out.Print({},
        "        return \"query_view\";\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TActionOperate::BuildModifyQueryAction(const TClassData& data, const TActionStyle& /*style*/)
{
    const std::string& C = data.name;
    const std::string& p = data.primary.GetMemberName();
    TPrinter::TVars vars = { { "C", C }, { "c", ClassVariableName(C) }, { "p", p }, { "P", CapitalizedName(p) } };
    TPrinter out;
    out.Print(vars,
        "    /*查询要修改的$C$信息*/\n"
        "    public String Modify$C$Query() {\n"
        "        ActionContext ctx = ActionContext.getContext();\n");
    if (data.CompositeKey())
        out.Print(vars,
            "        /*根据复合主键(页面传来的$c$的主键成员)获取$C$对象*/\n"
            "        $C$ $c$ = $c$DAO.Get$C$ByKey(this.$c$);\n"
            "        this.$c$ = $c$;\n"
            "\n");
    else
        out.Print(vars,
            "        /*根据主键$p$获取$C$对象*/\n"
            "        $C$ $c$ = $c$DAO.Get$C$By$P$($p$);\n"
            "\n");
    TDeclared declared;
    for (const auto& ref : data.references)
        if (declared.First(ref.type))
            out.Append(ChoiceListLines(C, ref.type));
    for (const auto& m : data.collections)
        if (declared.First(m.type))
            out.Append(ChoiceListLines(C, m.type));
    out.Print(vars,
        "        ctx.put(\"$c$\",  $c$);\n"
        "        return \"modify_view\";\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TActionOperate::BuildModifyAction(const TClassData& data, const TActionStyle& style)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    TText out;
    out.Print({ { "C", C } },
        "    /*更新修改$C$信息*/\n"
        "    public String Modify$C$() {\n"
        "        ActionContext ctx = ActionContext.getContext();\n"
        "        try {\n");
    AddReferenceLoads(out, data, c, style);
    AddCollectionLoads(out, data, c, style);
    AddSeveralChoicesJoin(out, data, c);
    out.Append(style.beforeUpdate);
    out.Line("            " + c + "DAO.Update" + C + "(" + c + style.updateArguments + ");");
    out.Line("            ctx.put(\"message\",  " + style.Encoded("\"" + C + "信息更新成功!\"") + ");");
    out.Print({},
        "            return \"modify_success\";\n"
        "        } catch (Exception e) {\n"
        "            e.printStackTrace();\n");
    out.Line("            ctx.put(\"error\",  " + style.Encoded("\"" + C + "信息更新失败!\"") + ");");
    out.Print({},
        "            return \"error\";\n"
        "       }\n"
        "   }\n"
        "\n");
    return out.Str();
}

std::string TActionOperate::BuildDeleteAction(const TClassData& data, const TActionStyle& style)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    const std::string& p = data.CompositeKey() ? c : data.primary.GetMemberName();
    TText out;
    out.Print({ { "C", C }, { "c", c }, { "p", p } },
        "    /*删除$C$信息*/\n"
        "    public String Delete$C$() {\n"
        "        ActionContext ctx = ActionContext.getContext();\n"
        "        try { \n"
        "            $c$DAO.Delete$C$($p$);\n");
    out.Line("            ctx.put(\"message\",  " + style.Encoded("\"" + C + "删除成功!\"") + ");");
    out.Print({},
        "            return \"delete_success\";\n"
        "        } catch (Exception e) { \n"
        "            e.printStackTrace();\n");
    out.Line("            ctx.put(\"error\",  " + style.Encoded("\"" + C + "删除失败!\"") + ");");
    out.Print({},
        "            return \"error\";\n"
        "        }\n"
        "    }\n"
        "\n");
    return out.Str();
}
