// A DAO class on Hibernate 7: the legacy target's methods and names, each
// operation in a session and transaction of its own, typed queries with
// bound parameters, persist/merge/remove, and a rollback on any failure.
#include "codegen/targets/current/CurrentTarget.h"

#include "codegen/targets/legacy/ConfigWriter.h"
#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/text/Printer.h"
#include "codegen/text/TextEscape.h"

namespace {

// The condition on one query member and the value bound to it.
// On PostgreSQL Hibernate 7 writes "escape ''" after a LIKE that names
// none, so the backslash that escapes the value's own % and _ is named.
void AddConditions(TPrinter& out, const std::string& c, const std::vector<TQueryMember>& members, bool postgresql)
{
    for (const auto& m : members) {
        TPrinter::TVars vars = { { "c", c }, { "n", m.name }, { "key", m.keyName }, { "Key", m.keyCapital },
            { "escape", postgresql ? " escape '\\\\'" : "" } };
        if (m.textLike)
            out.Print(vars, "            if(!$n$.equals(\"\")) hql += \" and $c$.$n$ like :$n$$escape$\";\n");
        else if (m.integerKey)
            out.Print(vars, "            if(null != $n$ && $n$.get$Key$()!=0) hql += \" and $c$.$n$.$key$=:$n$\";\n");
        else
            out.Print(vars,
                "            if(null != $n$ && !$n$.get$Key$().equals(\"\")) hql += \" and $c$.$n$.$key$=:$n$\";\n");
    }
}

// The values of the conditions: a text's own % and _ match themselves.
void AddBindings(TPrinter& out, const std::vector<TQueryMember>& members)
{
    for (const auto& m : members) {
        TPrinter::TVars vars = { { "n", m.name }, { "Key", m.keyCapital } };
        if (m.textLike)
            out.Print(vars,
                "            if(!$n$.equals(\"\")) q.setParameter(\"$n$\", \"%\" + "
                "$n$.replace(\"\\\\\", \"\\\\\\\\\").replace(\"%\", \"\\\\%\").replace(\"_\", \"\\\\_\") + \"%\");\n");
        else if (m.integerKey)
            out.Print(
                vars, "            if(null != $n$ && $n$.get$Key$()!=0) q.setParameter(\"$n$\", $n$.get$Key$());\n");
        else
            out.Print(vars,
                "            if(null != $n$ && !$n$.get$Key$().equals(\"\")) q.setParameter(\"$n$\", "
                "$n$.get$Key$());\n");
    }
}

// A write in a transaction of its own; any failure rolls it back.
// before: statements ahead of the method's own session.
void AddWrite(TPrinter& out, const TPrinter::TVars& vars, const std::string& comment, const std::string& signature,
    const std::string& body, const std::string& before = "")
{
    TPrinter::TVars all = vars;
    all["comment"] = comment;
    all["signature"] = signature;
    out.Print(all,
        "    /*$comment$*/\n"
        "    public void $signature$ throws Exception {\n");
    out.Print(all, before);
    out.Print(all,
        "        Session s = null;\n"
        "        Transaction tx = null;\n"
        "        try {\n"
        "            s = HibernateUtil.getSession();\n"
        "            tx = s.beginTransaction();\n");
    out.Print(all, body);
    out.Print(all,
        "            tx.commit();\n"
        "        } catch (RuntimeException e) {\n"
        "            if(tx != null && tx.isActive())\n"
        "                tx.rollback();\n"
        "            throw e;\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n");
}

// A loaded object holds the first byte of each file only (see the entity):
// a copy of it added as a new object gets the whole files of its original.
std::string CopiedFilesText(const TClassData& data)
{
    std::string text;
    for (const TMember& m : BinaryMembers(data)) {
        std::string M = CapitalizedName(m.GetMemberName());
        std::string type = KeyTypeOf(data.primary.GetMemberType());
        std::string boxed = type == "int" ? "Integer" : type == "long" ? "Long" : type;
        text += "        // 从读出的对象复制来的" + m.GetMemberName() +
            "只有第一个字节: 添加前从原来的记录读出完整内容\n"
            "        Object _from" +
            M + " = $C$.copiedFrom" + M + "($c$.get" + M +
            "());\n"
            "        if (_from" +
            M +
            " != null)\n"
            "            $c$.set" +
            M + "(Get$C$" + M + "Bytes((" + boxed + ") _from" + M + "));\n";
    }
    return text;
}

} // namespace

std::string BuildCurrentDaoClass(
    const std::string& packageName, const TClassData& data, bool withPages, bool postgresql)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    const std::string& p = data.primary.GetMemberName();
    std::string queryParameters, countParameters;
    for (const auto& m : data.queryMembers) {
        queryParameters += QueryTypeOf(m.type) + " " + m.name + ",";
        countParameters += (countParameters.empty() ? "" : ",") + QueryTypeOf(m.type) + " " + m.name;
    }
    TKeyLookup key = KeyLookupOf(data);
    // Rows in one order, page after page: by every member of a composite key.
    std::string order;
    for (const TMember& k : data.KeyMembers())
        order += (order.empty() ? "" : ", ") + c + "." + k.GetMemberName();
    TPrinter::TVars vars = { { "order", order }, { "pkg", packageName }, { "C", C }, { "c", c }, { "p", p },
        { "get", key.get }, { "parameter", key.parameter }, { "key", key.name }, { "queryParameters", queryParameters },
        { "countParameters", countParameters } };
    TPrinter out;
    out.Print(vars,
        "package com.$pkg$.dao;\n"
        "\n"
        "import java.util.ArrayList;\n"
        "\n"
        "import org.hibernate.HibernateException;\n"
        "import org.hibernate.Session;\n"
        "import org.hibernate.Transaction;\n"
        "import org.hibernate.query.Query;\n"
        "import com.$pkg$.utils.HibernateUtil;\n");
    if (withPages)
        out.Print(vars,
            "import com.$pkg$.utils.ChoiceLimit;\n"
            "import com.$pkg$.utils.RowCheck;\n"
            "import jakarta.persistence.LockModeType;\n");
    out.Print("\n");
    for (const auto& r : data.references)
        out.Print({ { "pkg", packageName }, { "R", r.type } }, "import com.$pkg$.domain.$R$;\n");
    out.Print(vars,
        "import com.$pkg$.domain.$C$;\n"
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
    AddWrite(out, vars, "添加" + C + "信息", "Add" + C + "(" + C + " " + c + ")", "            s.persist($c$);\n",
        CopiedFilesText(data));

    out.Print(vars,
        "    /*查询$C$信息*/\n"
        "    public ArrayList<$C$> Query$C$Info($queryParameters$int currentPage) {\n"
        "        Session s = null;\n"
        "        try {\n"
        "            s = HibernateUtil.getSession();\n"
        "            String hql = \"From $C$ $c$ where 1=1\";\n");
    AddConditions(out, c, data.queryMembers, postgresql);
    out.Print(vars,
        "            hql += \" order by $order$\";\n"
        "            Query<$C$> q = s.createQuery(hql, $C$.class);\n");
    AddBindings(out, data.queryMembers);
    out.Print(vars,
        "            /*计算当前显示页码的开始记录*/\n"
        "            int startIndex = (Math.max(currentPage, 1)-1) * this.PAGE_SIZE;\n"
        "            q.setFirstResult(startIndex);\n"
        "            q.setMaxResults(this.PAGE_SIZE);\n"
        "            return new ArrayList<$C$>(q.list());\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n"
        "    /*函数功能：查询所有的$C$记录*/\n"
        "    public ArrayList<$C$> QueryAll$C$Info() {\n"
        "        Session s = null;\n"
        "        try {\n"
        "            s = HibernateUtil.getSession();\n");
    // The pages offer the objects in a drop-down only when there are few;
    // they are counted, not read, to decide.
    if (withPages)
        out.Print(vars,
            "            /*添加、修改和列表页面: 对象太多时不读, 页面改用搜索框*/\n"
            "            if(ChoiceLimit.tooMany(s, \"$C$\"))\n"
            "                return new ArrayList<$C$>();\n");
    out.Print(vars,
        "            return new ArrayList<$C$>(s.createQuery(\"From $C$ $c$ order by $order$\", $C$.class).list());\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n"
        "    /*计算总的页数和记录数*/\n"
        "    public void CalculateTotalPageAndRecordNumber($countParameters$) {\n"
        "        Session s = null;\n"
        "        try {\n"
        "            s = HibernateUtil.getSession();\n"
        "            String hql = \"From $C$ $c$ where 1=1\";\n");
    AddConditions(out, c, data.queryMembers, postgresql);
    out.Print(vars, "            Query<Long> q = s.createQuery(\"select count(*) \" + hql, Long.class);\n");
    AddBindings(out, data.queryMembers);
    out.Print(vars,
        "            recordNumber = q.uniqueResult().intValue();\n"
        "            int mod = recordNumber % this.PAGE_SIZE;\n"
        "            totalPage = recordNumber / this.PAGE_SIZE;\n"
        "            if(mod != 0) totalPage++;\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n"
        "    /*根据主键获取对象, 不存在时返回 null*/\n"
        "    public $C$ $get$($parameter$) {\n"
        "        Session s = null;\n");
    if (data.CompositeKey())
        out.Print(vars, "        if($key$ == null) return null;\n");
    out.Print(vars,
        "        try {\n"
        "            s = HibernateUtil.getSession();\n"
        "            return s.find($C$.class, $key$);\n"
        "        } finally {\n"
        "            HibernateUtil.closeSession();\n"
        "        }\n"
        "    }\n"
        "\n");
    // A row deleted since its form was opened is not written back: merge()
    // of a key no row has would insert it again. Once found, the row is
    // managed: merge() updates it, and a delete committed in between makes
    // that update fail instead of inserting.
    vars["friend"] = JavaStringText(data.friendName.empty() ? C : data.friendName);
    vars["id"] = data.CompositeKey() ? "_key" : c + ".get" + CapitalizedName(p) + "()";
    // A composite key is looked up with an object of its own: Hibernate
    // loads a row into the object it is given as the key, which would undo
    // the user's changes before the merge.
    std::string keyObject;
    if (data.CompositeKey()) {
        keyObject = "            $C$ _key = new $C$();\n";
        for (const TMember& k : data.keys)
            keyObject += "            _key.set" + CapitalizedName(k.GetMemberName()) + "($c$.get" +
                CapitalizedName(k.GetMemberName()) + "());\n";
    }
    // With the pages, the row is locked and compared with the row the
    // modify form was opened on (see utils/RowCheck.java): of two saves,
    // the second waits for the first and is refused.
    const std::string stillThere = keyObject +
        (withPages ? "            $C$ _found = s.find($C$.class, $id$, LockModeType.PESSIMISTIC_WRITE);\n"
                     "            if(_found == null)\n"
                     "                throw RowCheck.refused(\"gone\", null, \"该$friend$不存在，可能已被删除!\");\n"
                     "            if(!RowCheck.unchanged(_found))\n"
                     "                throw RowCheck.refused(\"changed\", _found, \"该$friend$已被其他用户修改!\");\n"
                   : "            if(s.find($C$.class, $id$) == null)\n"
                     "                throw new HibernateException(\"该$friend$不存在，可能已被删除!\");\n");
    AddWrite(out, vars, "更新" + C + "信息", "Update" + C + "(" + C + " " + c + ")",
        stillThere + "            s.merge($c$);\n");
    AddWrite(out, vars, "删除" + C + "信息, 主键不存在时报告", "Delete" + C + "(" + key.parameter + ")",
        std::string(data.CompositeKey() ? "            $C$ $c$ = $key$ == null ? null : s.find($C$.class, $key$);\n"
                                        : "            $C$ $c$ = s.find($C$.class, $key$);\n") +
            "            if($c$ == null)\n"
            "                throw new HibernateException(\"该$C$不存在!\");\n"
            "            s.remove($c$);\n");
    // An object and the new files of its bytes, in one transaction; a
    // member without a new file keeps its bytes.
    if (!BinaryMembers(data).empty()) {
        std::string body = stillThere + "            s.merge($c$);\n";
        for (const TMember& m : BinaryMembers(data)) {
            const std::string& name = m.GetMemberName();
            body += "            if(_files.containsKey(\"" + name +
                "Upload\"))\n"
                "                s.createNativeMutationQuery(\"update " +
                (data.tableName.empty() ? "t_" + C : Quoted(data.tableName)) + " set " + ColumnOf(m) + " = :v where " +
                ColumnOf(data.primary) +
                " = :k\")\n"
                "                    .setParameter(\"v\", _files.get(\"" +
                name + "Upload\")).setParameter(\"k\", $c$.get$P$()).executeUpdate();\n";
        }
        TPrinter::TVars bytes = vars;
        bytes["P"] = CapitalizedName(p);
        AddWrite(out, bytes, "更新" + C + "信息和上传的新文件(二进制列)",
            "Update" + C + "(" + C + " " + c + ", java.util.Map<String, byte[]> _files)", body);
    }
    // A row is read without its bytes (see the entity): a download reads them.
    for (const TMember& m : BinaryMembers(data)) {
        TPrinter::TVars bytes = vars;
        bytes["M"] = CapitalizedName(m.GetMemberName());
        bytes["m"] = m.GetMemberName();
        bytes["parameter"] = KeyTypeOf(data.primary.GetMemberType()) + " " + p;
        bytes["select"] = "select " + ColumnOf(m) + " from " +
            (data.tableName.empty() ? "t_" + C : Quoted(data.tableName)) + " where " + ColumnOf(data.primary) + " = ?";
        out.Print(bytes,
            "    /*读取$m$的内容(二进制列), 没有对象或没有内容时返回 null*/\n"
            "    public byte[] Get$C$$M$Bytes($parameter$) {\n"
            "        Session s = null;\n"
            "        try {\n"
            "            s = HibernateUtil.getSession();\n"
            "            return s.doReturningWork(_connection -> {\n"
            "                try (java.sql.PreparedStatement _st = _connection.prepareStatement(\"$select$\")) {\n"
            "                    _st.setObject(1, $p$);\n"
            "                    try (java.sql.ResultSet _r = _st.executeQuery()) {\n"
            "                        return _r.next() ? _r.getBytes(1) : null;\n"
            "                    }\n"
            "                }\n"
            "            });\n"
            "        } finally {\n"
            "            HibernateUtil.closeSession();\n"
            "        }\n"
            "    }\n"
            "\n");
    }
    out.Print("}\n");
    return out.Str();
}
