#include "model/import/SchemaMapping.h"

#include "model/store/DbHelper.h"
#include "model/store/MemberTypes.h"

std::vector<std::string> TImportPlan::Report() const
{
    std::vector<std::string> lines;
    for (const auto& c : classes) {
        lines.push_back("类 " + c.className + "(" + c.friendName + ") ← " + (c.readOnly ? "视图 " : "表 ") + c.table +
            (c.readOnly ? " 只读(只能列表和查询)" : ""));
        for (const auto& m : c.members) {
            std::string line = "    成员 " + m.entry.name + " " + m.entry.type;
            if (m.entry.type == kTypeString)
                line += "(" + m.entry.lengthText + ")";
            if (m.entry.type == kTypeDecimal && !m.entry.precision.empty())
                line += "(" + m.entry.precision + "," + m.entry.scale + ")";
            if (m.entry.isPri)
                line += " 主键";
            if (m.entry.isMust)
                line += " 必填";
            if (m.entry.nullable)
                line += " 可为空";
            if (m.entry.queryFlag)
                line += " 参与查询";
            if (m.entry.isDisplay)
                line += " 下拉框显示";
            if (m.entry.filled == "default")
                line += " 空着时用数据库默认值";
            if (m.entry.filled == "always")
                line += " 由数据库填写(只读)";
            if (!m.entry.choices.empty())
                line += (m.entry.choiceMode == "several" ? " 可多选 " : " 可选 ") + m.entry.choices;
            if (!m.entry.linkTable.empty())
                line += " 多对多 ← 联系表 " + m.entry.linkTable + "(" + m.entry.linkColumn + ", " + m.column + ")";
            else
                line += " ← 列 " + m.column;
            lines.push_back(line);
        }
    }
    lines.insert(lines.end(), notes.begin(), notes.end());
    return lines;
}

TCommandResult ApplyImportPlan(const TImportPlan& plan, const std::string& projectName)
{
    TCommandResult result;
    TDbHelper().WriteAtomically([&] {
        auto fail = [&](const std::string& where, const TCommandResult& refusal) {
            result = { refusal.refusal, "从数据库导入失败：" + where + refusal.message, 0 };
            return false;
        };
        TCommandResult project = TModelCommands::NewProject(projectName);
        if (!project.Done())
            return fail("", project);
        TCommandResult database = TModelCommands::SetProjectDatabase(project.id, plan.database);
        if (!database.Done())
            return fail("", database);
        if (!plan.database.kind.empty()) {
            TCommandResult kind = TModelCommands::SetProjectDatabaseKind(project.id, plan.database.kind);
            if (!kind.Done())
                return fail("", kind);
        }
        if (!plan.target.empty()) {
            TCommandResult target = TModelCommands::SetProjectTarget(project.id, plan.target);
            if (!target.Done())
                return fail("", target);
        }
        std::vector<int> classIds;
        for (const auto& c : plan.classes) {
            TCommandResult added = TModelCommands::AddClass(project.id, c.className, c.friendName);
            if (added.Done())
                added = TModelCommands::SetClassTable(added.id, c.table, c.readOnly);
            if (!added.Done())
                return fail("表 " + c.table + "(类 " + c.className + ")：", added);
            classIds.push_back(added.id);
        }
        for (size_t i = 0; i < plan.classes.size(); ++i)
            for (const auto& m : plan.classes[i].members) {
                TCommandResult added = TModelCommands::AddMember(project.id, classIds[i], m.entry);
                if (!added.Done())
                    return fail(
                        "表 " + plan.classes[i].table + " 的列 " + m.column + "(成员 " + m.entry.name + ")：", added);
            }
        result = { TRefusal::None,
            "已从数据库导入工程“" + projectName + "”：" + std::to_string(plan.classes.size()) + " 个类。", project.id };
        return true;
    });
    return result;
}

TProjectDatabase DatabaseOf(const TDbConnection& c)
{
    // Texts go to the server untyped, so that it takes them for uuid, json
    // and enum columns too.
    if (c.kind == "postgresql")
        return { "jdbc:postgresql://" + c.host + ":" + std::to_string(c.port) + "/" + c.database +
                "?stringtype=unspecified",
            c.user, "org.postgresql.Driver", "org.hibernate.dialect.PostgreSQLDialect", "postgresql" };
    return { "jdbc:mysql://" + c.host + ":" + std::to_string(c.port) + "/" + c.database +
            "?useUnicode=true&characterEncoding=UTF-8",
        c.user, "com.mysql.jdbc.Driver", "org.hibernate.dialect.MySQL5InnoDBDialect", "" };
}
