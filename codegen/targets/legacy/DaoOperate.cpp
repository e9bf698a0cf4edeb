#include "codegen/targets/legacy/DaoOperate.h"

#include "codegen/core/ClassFileGenerator.h"

#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/text/TextBuilder.h"

namespace {

// The search condition of one query member; the value itself is bound to
// the named parameter :m (see BindingLine).
std::string ConditionLine(const std::string& c, const TQueryMember& m)
{
    const std::string& n = m.name;
    if (m.textLike)
        return "            if(!" + n + ".equals(\"\")) hql = hql + \" and " + c + "." + n + " like :" + n + "\";";
    if (m.integerKey)
        return "            if(null != " + n + " && " + n + ".get" + m.keyCapital + "()!=0) hql += \" and " + c + "." +
            n + "." + m.keyName + "=:" + n + "\";";
    return "            if(null != " + n + " && !" + n + ".get" + m.keyCapital + "().equals(\"\")) hql += \" and " + c +
        "." + n + "." + m.keyName + "=:" + n + "\";";
}

std::string BindingLine(const TQueryMember& m)
{
    const std::string& n = m.name;
    // The value's own % and _ are matched as themselves: escaped with the
    // backslash, MySQL's default LIKE escape, so the condition stays as it is.
    if (m.textLike)
        return "            if(!" + n + ".equals(\"\")) q.setString(\"" + n + "\", \"%\" + " + n +
            R"(.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");)";
    if (m.integerKey)
        return "            if(null != " + n + " && " + n + ".get" + m.keyCapital + "()!=0) q." +
            (m.longKey ? "setLong" : "setInteger") + "(\"" + n + "\", " + n + ".get" + m.keyCapital + "());";
    return "            if(null != " + n + " && !" + n + ".get" + m.keyCapital + "().equals(\"\")) q.setString(\"" + n +
        "\", " + n + ".get" + m.keyCapital + "());";
}

// The condition lines, the query (with its first lines, an order or a
// count), and the values bound to it.
void AddConditions(
    TText& out, const std::string& c, const std::vector<TQueryMember>& members, const std::string& orderKey, bool count)
{
    for (const auto& m : members)
        out.Line(ConditionLine(c, m));
    // Pages of a table that changes meanwhile neither repeat nor skip rows.
    if (!orderKey.empty())
        out.Line("            hql += \" order by " + c + "." + orderKey + "\";");
    // The database counts; the rows are not loaded.
    out.Line(count ? "            Query q = s.createQuery(\"select count(*) \" + hql);"
                   : "            Query q = s.createQuery(hql);");
    for (const auto& m : members)
        out.Line(BindingLine(m));
}

} // namespace

std::string TDaoOperate::BuildAddMethod(const std::string& C)
{
    std::string c = ClassVariableName(C);
    TText out;
    out.Print({ { "C", C }, { "c", c } },
        "    /*添加图书信息*/\n"
        "    public void Add$C$($C$ $c$) throws Exception {\n"
        "        Session s = null;\n"
        "        Transaction tx = null;\n"
        "        try { \n"
        "            s = HibernateUtil.getSession();\n"
        "            tx = s.beginTransaction(); \n"
        "            s.save($c$);\n"
        "            tx.commit();\n"
        "        } catch (HibernateException e) {\n"
        "            if(tx != null)\n"
        "                tx.rollback();\n"
        "            throw e;\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TDaoOperate::BuildQueryMethod(const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    const auto& members = data.queryMembers;
    std::string parameters;
    for (const auto& m : members)
        parameters += QueryTypeOf(m.type) + " " + m.name + ",";
    TText out;
    out.Print({ { "C", C }, { "parameters", parameters }, { "c", c } },
        "    /*查询$C$信息*/\n"
        "    public ArrayList<$C$> Query$C$Info($parameters$int currentPage) { \n"
        "        Session s = null; \n"
        "        try {\n"
        "            s = HibernateUtil.getSession();\n"
        "            String hql = \"From $C$ $c$ where 1=1\";\n");
    // Rows in one order, page after page: by every member of a composite key.
    std::string order = data.primary.GetMemberName();
    if (data.CompositeKey())
        for (size_t k = 1; k < data.keys.size(); ++k)
            order += ", " + c + "." + data.keys[k].GetMemberName();
    AddConditions(out, c, members, order, false);
    out.Print({ { "c", c }, { "C", C } },
        "            /*计算当前显示页码的开始记录*/\n"
        "            int startIndex = (currentPage-1) * this.PAGE_SIZE;\n"
        "            q.setFirstResult(startIndex);\n"
        "            q.setMaxResults(this.PAGE_SIZE);\n"
        "            List $c$List = q.list();\n"
        "            return (ArrayList<$C$>) $c$List;\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TDaoOperate::BuildQueryAllMethod(const std::string& C)
{
    std::string c = ClassVariableName(C);
    TText out;
    out.Print({ { "C", C }, { "c", c } },
        "    /*函数功能：查询所有的$C$记录*/\n"
        "    public ArrayList<$C$> QueryAll$C$Info() {\n"
        "        Session s = null; \n"
        "        try {\n"
        "            s = HibernateUtil.getSession();\n"
        "            String hql = \"From $C$\";\n"
        "            Query q = s.createQuery(hql);\n"
        "            List $c$List = q.list();\n"
        "            return (ArrayList<$C$>) $c$List;\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TDaoOperate::BuildCalculateMethod(const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    const auto& members = data.queryMembers;
    std::string parameters;
    for (size_t i = 0; i < members.size(); ++i) {
        parameters += QueryTypeOf(members[i].type) + " " + members[i].name;
        if (i + 1 < members.size())
            parameters += ",";
    }
    TText out;
    out.Print({ { "parameters", parameters }, { "C", C }, { "c", c } },
        "    /*计算总的页数和记录数*/\n"
        "    public void CalculateTotalPageAndRecordNumber($parameters$) {\n"
        "        Session s = null;\n"
        "        try {\n"
        "            s = HibernateUtil.getSession();\n"
        "            String hql = \"From $C$ $c$ where 1=1\";\n");
    AddConditions(out, c, members, "", true);
    out.Print({},
        "            recordNumber = ((Number) q.uniqueResult()).intValue();\n"
        "            int mod = recordNumber % this.PAGE_SIZE;\n"
        "            totalPage = recordNumber / this.PAGE_SIZE;\n"
        "            if(mod != 0) totalPage++;\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TDaoOperate::BuildGetByMethod(const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    TKeyLookup key = KeyLookupOf(data);
    TText out;
    out.Line("    /*根据主键获取对象*/");
    out.Line("    public " + C + " " + key.get + "(" + key.parameter + ") {");
    out.Line("        Session s = null;");
    if (data.CompositeKey())
        out.Line("        if(" + key.name + " == null) return null;");
    out.Print({},
        "        try {\n"
        "            s = HibernateUtil.getSession();\n");
    out.Line("            " + C + " " + c + " = (" + C + ")s.get(" + C + ".class, " + key.name + ");");
    out.Print({ { "c", c } },
        "            return $c$;\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TDaoOperate::BuildUpdateMethod(const std::string& C)
{
    std::string c = ClassVariableName(C);
    TText out;
    out.Print({ { "C", C }, { "c", c } },
        "    /*更新$C$信息*/\n"
        "    public void Update$C$($C$ $c$) throws Exception {\n"
        "        Session s = null;\n"
        "        Transaction tx = null;\n"
        "        try {\n"
        "            s = HibernateUtil.getSession();\n"
        "            tx = s.beginTransaction();\n"
        "            s.update($c$);\n"
        "            tx.commit();\n"
        "        } catch (HibernateException e) {\n"
        "            if(tx != null)\n"
        "            \t  tx.rollback();\n"
        "            throw e;\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n");
    return out.Str();
}

std::string TDaoOperate::BuildDeleteMethod(const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    TKeyLookup key = KeyLookupOf(data);
    TText out;
    out.Line("    /*删除" + C + "信息*/");
    out.Line("    public void Delete" + C + " (" + key.parameter + ") throws Exception {");
    out.Print({},
        "        Session s = null;\n"
        "        Transaction tx = null;\n"
        "        try {\n"
        "            s = HibernateUtil.getSession();\n"
        "            tx = s.beginTransaction();\n");
    // Beside the lines every class has: a key that names no row is reported.
    if (data.CompositeKey()) {
        out.Line("            Object " + c + " = " + key.name + " == null ? null : s.get(" + C + ".class, " + key.name +
            ");");
        out.Line("            if(" + c + " == null) throw new HibernateException(\"该" + C + "不存在!\");");
    } else {
        out.Line("            Object " + c + " = s.get(" + C + ".class, " + key.name + ");");
    }
    out.Print({ { "c", c } },
        "            s.delete($c$);\n"
        "            tx.commit();\n"
        "        } catch (HibernateException e) {\n"
        "            if(tx != null)\n"
        "            \t  tx.rollback();\n"
        "            throw e;\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n");
    return out.Str();
}

// package com.<package>.dao;  imports;  public class BookDAO { PAGE_SIZE,
// totalPage, recordNumber, then the seven methods }
std::string TDaoOperate::BuildDaoClass(const std::string& packageName, const TClassData& data)
{
    const std::string& C = data.name;
    TText out;
    out.Print({ { "packageName", packageName } },
        "package com.$packageName$.dao;\n"
        "\n"
        "import java.util.ArrayList;\n"
        "import java.util.List;\n"
        "import java.util.List;\n"
        "\n"
        "import org.hibernate.HibernateException;\n"
        "import org.hibernate.Query;\n"
        "import org.hibernate.Session;\n"
        "import org.hibernate.Transaction;\n"
        "import com.mysql.jdbc.Statement;\n"
        "import com.$packageName$.utils.HibernateUtil;\n"
        "\n");
    for (const auto& r : data.references)
        out.Line("import com." + packageName + ".domain." + r.type + ";");
    out.Print({ { "packageName", packageName }, { "C", C } },
        "import com.$packageName$.domain.$C$;\n"
        "\n"
        "public class $C$DAO {\n"
        "\n"
        "    /*每页显示记录数目*/\n"
        "    private final int PAGE_SIZE = 10;\n"
        "\n"
        "    /*保存查询后总的页数*/\n"
        "    private int totalPage;\n"
        "    public void setTotalPage(int totalPage) {\n"
        "        this.totalPage = totalPage;\n"
        "    }\n"
        "    public int getTotalPage() {\n"
        "        return totalPage;\n"
        "    }\n"
        "\n"
        "    /*保存查询到的总记录数*/\n"
        "    private int recordNumber;\n"
        "    public void setRecordNumber(int recordNumber) {\n"
        "        this.recordNumber = recordNumber;\n"
        "    }\n"
        "    public int getRecordNumber() {\n"
        "        return recordNumber;\n"
        "    }\n"
        "\n");
    out.Append(BuildAddMethod(C));
    out.Append(BuildQueryMethod(data));
    out.Append(BuildQueryAllMethod(C));
    out.Append(BuildCalculateMethod(data));
    out.Append(BuildGetByMethod(data));
    out.Append(BuildUpdateMethod(C));
    out.Append(BuildDeleteMethod(data));
    out.Line("}");
    return out.Str();
}

const IGenerator& DaoClassGenerator()
{
    static const TClassFileGenerator generator("dao", "dao", "DAO.java", 3,
        [](const TGenInput& in, const TClassData& c) { return TDaoOperate::BuildDaoClass(in.packageName, c); });
    return generator;
}
