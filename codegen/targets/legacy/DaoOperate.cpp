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
    out.Line("    /*添加图书信息*/");
    out.Line("    public void Add" + C + "(" + C + " " + c + ") throws Exception {");
    out.Line("        Session s = null;");
    out.Line("        Transaction tx = null;");
    out.Line("        try { ");
    out.Line("            s = HibernateUtil.getSession();");
    out.Line("            tx = s.beginTransaction(); ");
    out.Line("            s.save(" + c + ");");
    out.Line("            tx.commit();");
    out.Line("        } catch (HibernateException e) {");
    out.Line("            if(tx != null)");
    out.Line("                tx.rollback();");
    out.Line("            throw e;");
    out.Line("        } finally {");
    out.Line("            HibernateUtil.closeSession();");
    out.Line("        }");
    out.Line("    }");
    out.Empty();
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
    out.Line("    /*查询" + C + "信息*/");
    out.Line("    public ArrayList<" + C + "> Query" + C + "Info(" + parameters + "int currentPage) { ");
    out.Line("        Session s = null; ");
    out.Line("        try {");
    out.Line("            s = HibernateUtil.getSession();");
    out.Line("            String hql = \"From " + C + " " + c + " where 1=1\";");
    // Rows in one order, page after page: by every member of a composite key.
    std::string order = data.primary.GetMemberName();
    if (data.CompositeKey())
        for (size_t k = 1; k < data.keys.size(); ++k)
            order += ", " + c + "." + data.keys[k].GetMemberName();
    AddConditions(out, c, members, order, false);
    out.Line("            /*计算当前显示页码的开始记录*/");
    out.Line("            int startIndex = (currentPage-1) * this.PAGE_SIZE;");
    out.Line("            q.setFirstResult(startIndex);");
    out.Line("            q.setMaxResults(this.PAGE_SIZE);");
    out.Line("            List " + c + "List = q.list();");
    out.Line("            return (ArrayList<" + C + ">) " + c + "List;");
    out.Line("        } finally {");
    out.Line("            HibernateUtil.closeSession();");
    out.Line("        }");
    out.Line("    }");
    out.Empty();
    return out.Str();
}

std::string TDaoOperate::BuildQueryAllMethod(const std::string& C)
{
    std::string c = ClassVariableName(C);
    TText out;
    out.Line("    /*函数功能：查询所有的" + C + "记录*/");
    out.Line("    public ArrayList<" + C + "> QueryAll" + C + "Info() {");
    out.Line("        Session s = null; ");
    out.Line("        try {");
    out.Line("            s = HibernateUtil.getSession();");
    out.Line("            String hql = \"From " + C + "\";");
    out.Line("            Query q = s.createQuery(hql);");
    out.Line("            List " + c + "List = q.list();");
    out.Line("            return (ArrayList<" + C + ">) " + c + "List;");
    out.Line("        } finally {");
    out.Line("            HibernateUtil.closeSession();");
    out.Line("        }");
    out.Line("    }");
    out.Empty();
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
    out.Line("    /*计算总的页数和记录数*/");
    out.Line("    public void CalculateTotalPageAndRecordNumber(" + parameters + ") {");
    out.Line("        Session s = null;");
    out.Line("        try {");
    out.Line("            s = HibernateUtil.getSession();");
    out.Line("            String hql = \"From " + C + " " + c + " where 1=1\";");
    AddConditions(out, c, members, "", true);
    out.Line("            recordNumber = ((Number) q.uniqueResult()).intValue();");
    out.Line("            int mod = recordNumber % this.PAGE_SIZE;");
    out.Line("            totalPage = recordNumber / this.PAGE_SIZE;");
    out.Line("            if(mod != 0) totalPage++;");
    out.Line("        } finally {");
    out.Line("            HibernateUtil.closeSession();");
    out.Line("        }");
    out.Line("    }");
    out.Empty();
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
    out.Line("        try {");
    out.Line("            s = HibernateUtil.getSession();");
    out.Line("            " + C + " " + c + " = (" + C + ")s.get(" + C + ".class, " + key.name + ");");
    out.Line("            return " + c + ";");
    out.Line("        } finally {");
    out.Line("            HibernateUtil.closeSession();");
    out.Line("        }");
    out.Line("    }");
    out.Empty();
    return out.Str();
}

std::string TDaoOperate::BuildUpdateMethod(const std::string& C)
{
    std::string c = ClassVariableName(C);
    TText out;
    out.Line("    /*更新" + C + "信息*/");
    out.Line("    public void Update" + C + "(" + C + " " + c + ") throws Exception {");
    out.Line("        Session s = null;");
    out.Line("        Transaction tx = null;");
    out.Line("        try {");
    out.Line("            s = HibernateUtil.getSession();");
    out.Line("            tx = s.beginTransaction();");
    out.Line("            s.update(" + c + ");");
    out.Line("            tx.commit();");
    out.Line("        } catch (HibernateException e) {");
    out.Line("            if(tx != null)");
    out.Line("            \t  tx.rollback();");
    out.Line("            throw e;");
    out.Line("        } finally {");
    out.Line("            HibernateUtil.closeSession();");
    out.Line("        }");
    out.Line("    }");
    out.Empty();
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
    out.Line("        Session s = null;");
    out.Line("        Transaction tx = null;");
    out.Line("        try {");
    out.Line("            s = HibernateUtil.getSession();");
    out.Line("            tx = s.beginTransaction();");
    // Beside the lines every class has: a key that names no row is reported.
    if (data.CompositeKey()) {
        out.Line("            Object " + c + " = " + key.name + " == null ? null : s.get(" + C + ".class, " + key.name +
            ");");
        out.Line("            if(" + c + " == null) throw new HibernateException(\"该" + C + "不存在!\");");
    } else {
        out.Line("            Object " + c + " = s.get(" + C + ".class, " + key.name + ");");
    }
    out.Line("            s.delete(" + c + ");");
    out.Line("            tx.commit();");
    out.Line("        } catch (HibernateException e) {");
    out.Line("            if(tx != null)");
    out.Line("            \t  tx.rollback();");
    out.Line("            throw e;");
    out.Line("        } finally {");
    out.Line("            HibernateUtil.closeSession();");
    out.Line("        }");
    out.Line("    }");
    out.Empty();
    return out.Str();
}

// package com.<package>.dao;  imports;  public class BookDAO { PAGE_SIZE,
// totalPage, recordNumber, then the seven methods }
std::string TDaoOperate::BuildDaoClass(const std::string& packageName, const TClassData& data)
{
    const std::string& C = data.name;
    TText out;
    out.Line("package com." + packageName + ".dao;");
    out.Empty();
    out.Line("import java.util.ArrayList;");
    out.Line("import java.util.List;");
    out.Line("import java.util.List;");
    out.Empty();
    out.Line("import org.hibernate.HibernateException;");
    out.Line("import org.hibernate.Query;");
    out.Line("import org.hibernate.Session;");
    out.Line("import org.hibernate.Transaction;");
    out.Line("import com.mysql.jdbc.Statement;");
    out.Line("import com." + packageName + ".utils.HibernateUtil;");
    out.Empty();
    for (const auto& r : data.references)
        out.Line("import com." + packageName + ".domain." + r.type + ";");
    out.Line("import com." + packageName + ".domain." + C + ";");
    out.Empty();
    out.Line("public class " + C + "DAO {");
    out.Empty();
    out.Line("    /*每页显示记录数目*/");
    out.Line("    private final int PAGE_SIZE = 10;");
    out.Empty();
    out.Line("    /*保存查询后总的页数*/");
    out.Line("    private int totalPage;");
    out.Line("    public void setTotalPage(int totalPage) {");
    out.Line("        this.totalPage = totalPage;");
    out.Line("    }");
    out.Line("    public int getTotalPage() {");
    out.Line("        return totalPage;");
    out.Line("    }");
    out.Empty();
    out.Line("    /*保存查询到的总记录数*/");
    out.Line("    private int recordNumber;");
    out.Line("    public void setRecordNumber(int recordNumber) {");
    out.Line("        this.recordNumber = recordNumber;");
    out.Line("    }");
    out.Line("    public int getRecordNumber() {");
    out.Line("        return recordNumber;");
    out.Line("    }");
    out.Empty();
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
