#include "model/import/SchemaColumns.h"
#include "model/import/SchemaMapping.h"

#include "model/commands/ProjectSettings.h"
#include "model/rules/EntryRules.h"
#include "model/rules/TargetFacts.h"
#include "model/store/MemberTypes.h"
#include "model/store/ProjectDAO.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

// Plans an import: first the tables that become classes and their names,
// then each class's members; every skip and rename is a note.
class TSchemaPlanner {
public:
    TSchemaPlanner(const TDbSchema& schema, bool textQueryMembers, bool binaryMembers)
        : schema_(schema)
        , textQueryMembers_(textQueryMembers)
        , binaryMembers_(binaryMembers)
    {
        for (const auto& table : schema.tables)
            byName_[table.name] = &table;
    }

    TImportPlan Plan(const std::vector<std::string>& tables, const std::string& target)
    {
        plan_.target = target;
        std::vector<const TDbTable*> chosen = ChooseTables(schema_, tables, plan_.notes);
        // The login reads t_admin, which the program never creates in the
        // user's database.
        if (!byName_.count("t_admin"))
            plan_.notes.push_back(
                "提示 登录用的管理员表 t_admin 不在这个数据库中：生成代码后，在数据库中执行一次生成的 "
                "sql/t_admin.sql 建表，应用第一次启动时创建初始管理员 admin(密码 admin123)");
        for (const TDbTable* table : chosen)
            NameClass(*table);
        for (const TDbTable* table : imported_)
            PlanClass(*table);
        for (const TDbTable* link : links_)
            PlanLink(*link);
        return std::move(plan_);
    }

private:
    // A table with one integer or text key and a usable name becomes a class.
    void NameClass(const TDbTable& table)
    {
        if (table.view && table.primaryKey.empty())
            return Note("跳过视图 " + table.name +
                "：没有可以作为键的列(不能为空、名为 id 或以 id 结尾的整数或文本列)，不能作为类导入");
        if (IsLinkTable(table))
            return links_.push_back(&table);
        if (table.primaryKey.empty())
            return Note("跳过表 " + table.name + "：没有主键");
        for (const std::string& column : table.primaryKey) {
            const TDbColumn* key = ColumnNamed(table, column);
            std::string keyType = key && KeyTypeOf(*key) ? KeyTypeOf(*key) : "";
            if (keyType != kTypeInteger && keyType != kTypeString && keyType != kTypeLong)
                return Note("跳过表 " + table.name + "：主键 " + column + " 不是整数或文本列");
            // The generated code holds such a key in a long.
            if (key->dataType == "bigint" && key->Unsigned()) {
                if (key->beyondLong)
                    return Note("跳过表 " + table.name + "：主键 " + column +
                        " 是 BIGINT UNSIGNED，已有大于 9223372036854775807 的键值，生成代码中的长整型(long)无法表示");
                if (!key->autoIncrement)
                    return Note("跳过表 " + table.name + "：主键 " + column +
                        " 是 BIGINT UNSIGNED 且不是自增列，键值可能大于 9223372036854775807，"
                        "生成代码中的长整型(long)无法表示");
                Note("提示 表 " + table.name + " 的主键 " + column +
                    " 是 BIGINT UNSIGNED 自增列，按长整型导入：现有键值都不大于 9223372036854775807，"
                    "以后插入更大键值的行将无法读取");
            }
            // Hibernate generates no part of a composite key.
            if (table.primaryKey.size() > 1 && key->autoIncrement)
                return Note("跳过表 " + table.name + "：主键由多个列组成，其中 " + column + " 是自增列");
        }
        if (!IsSqlIdentifier(table.name))
            return Note("跳过表 " + table.name + "：表名不是普通的 SQL 标识符");
        std::string wanted = ClassNameOf(table.name);
        std::string standIn = "Table" + std::to_string(&table - schema_.tables.data() + 1);
        std::string base = Renamed(wanted, standIn, false);
        std::string name = Acceptable(base, [&](const std::string& candidate) {
            return !classNames_.count(candidate) && CheckClassNameOnly(candidate).Accepted();
        });
        if (name.empty())
            return Note("跳过表 " + table.name + "：无法得到合法的类名(" + wanted + ")");
        if (name != wanted) {
            auto taken = [&] {
                return classNames_.count(base) ? "与表 " + tableOfClass_[base] + " 的类名相同"
                                               : CheckClassNameOnly(base).message;
            };
            std::string why = base != wanted ? "名称不是英文字母和数字" : taken();
            if (base != wanted && name != base)
                why += "；" + taken();
            Note("改名 表 " + table.name + " 的类名 " + wanted + " → " + name + "：" + why);
        }
        classNames_.insert(name);
        tableOfClass_[name] = table.name;
        classOf_[table.name] = name;
        imported_.push_back(&table);
    }

    // What is known of the class being planned.
    struct TClassState {
        const TDbTable& table;
        TPlannedClass planned;
        std::map<std::string, const TDbForeignKey*> foreignKeys;
        std::set<std::string> memberNames;
        std::map<std::string, std::string> columnOfMember; // member -> column
    };

    void PlanClass(const TDbTable& table)
    {
        TClassState state { table, {}, {}, {}, {} };
        TPlannedClass& planned = state.planned;
        planned.table = table.name;
        planned.readOnly = table.view;
        planned.className = classOf_[table.name];
        bool lost = false;
        planned.friendName = table.comment.empty() ? planned.className : CleanText(table.comment, lost);
        if (lost)
            Note("注释 表 " + table.name + "(类 " + planned.className + ")的注释中有 GBK 无法表示的字符，已换成“?”");
        for (const std::string& trigger : table.triggers)
            Note("提示 表 " + table.name + " 有触发器 " + trigger +
                "：生成的应用写入这张表时数据库照常执行它，它改动的值在重新读取后才显示");
        for (const auto& fk : table.foreignKeys)
            state.foreignKeys[fk.column] = &fk;
        for (const auto& column : table.columns)
            if (!PlanMember(state, column)) {
                planned.members.clear();
                break;
            }
        if (planned.members.empty())
            return;
        ChooseDisplay(table, planned);
        if (table.primaryKey.size() > 1) {
            std::string columns;
            for (const std::string& column : table.primaryKey)
                columns += (columns.empty() ? "" : "、") + column;
            Note("复合主键 表 " + table.name + " 导入为类 " + planned.className + "：主键由列 " + columns +
                " 组成，这些列在添加时填写、修改时不可改；页面按它们找到记录，别的类不能引用它");
        }
        if (table.view)
            Note("只读 视图 " + table.name + " 导入为只读类 " + planned.className + "：以列 " + table.primaryKey[0] +
                " 作为键(请确认它在视图中不重复)；生成的应用只列表和查询，不添加、修改或删除");
        plan_.classes.push_back(planned);
    }

    // A skipped column the database cannot fill makes every add fail.
    void Skip(const TClassState& state, const TDbColumn& column, const std::string& why)
    {
        Note("跳过列 " + state.table.name + "." + column.name + "：" + why);
        if (!column.nullable && !column.hasDefault && !column.autoIncrement && !column.generated)
            Note("注意 列 " + state.table.name + "." + column.name + " 不能为空且没有默认值，却没有导入：类 " +
                state.planned.className + " 添加对象时数据库会拒绝(需要给该列设默认值或允许为空)");
    }

    // The imported table a foreign key column refers to, when it becomes a
    // reference member; else null, with a note.
    const TDbTable* ReferenceTarget(const TClassState& state, const TDbColumn& column, bool isKey)
    {
        auto fk = state.foreignKeys.find(column.name);
        if (fk == state.foreignKeys.end())
            return nullptr;
        const std::string& where = state.table.name + "." + column.name;
        if (isKey) {
            if (state.table.primaryKey.size() > 1)
                Note("外键 " + where + " 是复合主键的一部分，按普通列导入");
            return nullptr;
        }
        auto referenced = byName_.find(fk->second->referencedTable);
        // A table may refer to itself (a manager, a parent category).
        if (referenced != byName_.end() && classOf_.count(referenced->first) &&
            referenced->second->primaryKey.size() == 1 &&
            referenced->second->primaryKey[0] == fk->second->referencedColumn)
            return referenced->second;
        Note("外键 " + where + " 指向的表 " + fk->second->referencedTable + " 未导入或不是指向它的主键，按普通列导入");
        return nullptr;
    }

    // Adds the column's member; false when the whole table is skipped.
    bool PlanMember(TClassState& state, const TDbColumn& column)
    {
        const TDbTable& table = state.table;
        TMemberEntry entry;
        bool commentLost = false;
        entry.comment = CleanText(column.comment, commentLost);
        bool isKey = std::count(table.primaryKey.begin(), table.primaryKey.end(), column.name) > 0;
        if (!IsSqlIdentifier(column.name)) {
            if (isKey) {
                Note("跳过表 " + table.name + "：主键列名 " + column.name + " 不是普通的 SQL 标识符");
                return false;
            }
            Skip(state, column, "列名不是普通的 SQL 标识符");
            return true;
        }
        std::string wanted;
        if (const TDbTable* target = ReferenceTarget(state, column, isKey)) {
            wanted = ReferenceName(column.name);
            entry.type = classOf_[target->name];
            // A foreign key that may be NULL is an optional reference.
            entry.isMust = !column.nullable;
        } else {
            const char* type = isKey ? KeyTypeOf(column) : TypeOf(column);
            // Bytes are reached by a class's one key (a download link, an upload).
            if (!type && !isKey && binaryMembers_ && IsBinaryColumn(column) && table.primaryKey.size() == 1 &&
                !table.view)
                type = kTypeBinary;
            if (!type) {
                Skip(state, column, "类型 " + column.dataType + " 不受支持");
                if (IsBinaryColumn(column) && !binaryMembers_ && !binaryNoted_++)
                    Note("提示 BLOB 等二进制列只在目标框架 current(Struts 7 + Hibernate 7)中导入为二进制成员"
                         "(列表中下载，添加、修改页面上传)：import-db --target current");
                return true;
            }
            wanted = Camel(column.name, false);
            entry.type = type;
            entry.isMust = !column.nullable || isKey;
            entry.lengthText = entry.type == kTypeString ? std::to_string(LengthOf(column)) : "0";
            // Bytes: the most the column holds, what an upload may bring.
            if (entry.type == kTypeBinary)
                entry.lengthText = std::to_string(std::clamp<long long>(column.length, 0, 16777216));
            entry.queryFlag = textQueryMembers_ && entry.type == kTypeString && !isKey;
        }
        entry.isPri = isKey;
        TakeColumnData(column, isKey, entry, table.name, plan_.notes);
        std::string standIn = "field" + std::to_string(&column - table.columns.data() + 1);
        std::string name = MemberName(state, column, wanted, standIn);
        if (name.empty()) {
            if (isKey) {
                Note("跳过表 " + table.name + "：主键列 " + column.name + " 的名称无法使用");
                return false;
            }
            Skip(state, column, "无法得到合法的成员名(" + (wanted.empty() ? column.name : wanted) + ")");
            return true;
        }
        if (commentLost)
            Note("注释 列 " + table.name + "." + column.name + "(成员 " + name +
                ")的注释中有 GBK 无法表示的字符，已换成“?”");
        state.memberNames.insert(name);
        state.columnOfMember[name] = column.name;
        entry.name = name;
        state.planned.members.push_back({ column.name, entry });
        return true;
    }

    // The member name the rules accept, noting a rename and why; empty when
    // there is none.
    std::string MemberName(
        const TClassState& state, const TDbColumn& column, const std::string& wanted, const std::string& standIn)
    {
        const std::string& className = state.planned.className;
        std::string base = Renamed(wanted, standIn, true);
        std::string name = Acceptable(base, [&](const std::string& candidate) {
            return !state.memberNames.count(candidate) && CheckMemberNameText(candidate, className).Accepted();
        });
        if (name.empty() || name == wanted)
            return name;
        auto taken = [&] {
            return state.memberNames.count(base) ? "与列 " + state.columnOfMember.at(base) + " 的成员名相同"
                                                 : CheckMemberNameText(base, className).message;
        };
        std::string why = !IsAsciiName(wanted) ? "名称不是英文字母和数字"
            : base != wanted ? "第二个字母是大写时 Hibernate 找不到它的 get 方法，改为小写"
                             : taken();
        if (base != wanted && name != base)
            why += "；" + taken();
        Note("改名 列 " + state.table.name + "." + column.name + " 的成员名 " + wanted + " → " + name + "：" + why);
        return name;
    }

    // Two columns, both the key, each a foreign key: the pairs of a
    // many-to-many.
    // The two columns that make a table a link table: its primary key, or
    // without one a UNIQUE key over both (NOT NULL) columns; each a foreign
    // key. Empty when it is none.
    static std::vector<std::string> LinkColumns(const TDbTable& table)
    {
        if (table.view || table.columns.size() != 2)
            return {};
        std::vector<std::string> pair = table.primaryKey;
        if (pair.empty())
            for (const auto& unique : table.uniqueKeys)
                if (unique.size() == 2 && std::all_of(unique.begin(), unique.end(), [&](const std::string& column) {
                        const TDbColumn* found = ColumnNamed(table, column);
                        return found && !found->nullable;
                    }))
                    pair = unique;
        if (pair.size() != 2)
            return {};
        for (const std::string& column : pair)
            if (std::none_of(table.foreignKeys.begin(), table.foreignKeys.end(),
                    [&](const TDbForeignKey& fk) { return fk.column == column; }))
                return {};
        return pair;
    }
    static bool IsLinkTable(const TDbTable& table) { return !LinkColumns(table).empty(); }

    // The imported class a link table's column refers to by its key; null
    // when there is none.
    const TPlannedClass* LinkTarget(const TDbTable& link, const std::string& column)
    {
        for (const auto& fk : link.foreignKeys) {
            auto target = byName_.find(fk.referencedTable);
            if (fk.column != column || target == byName_.end() || !classOf_.count(fk.referencedTable) ||
                target->second->primaryKey.size() != 1 || target->second->primaryKey[0] != fk.referencedColumn)
                continue;
            for (const auto& planned : plan_.classes)
                if (planned.table == fk.referencedTable)
                    return &planned;
        }
        return nullptr;
    }

    // A link table becomes a many-to-many member of the class its first
    // key column refers to.
    void PlanLink(const TDbTable& link)
    {
        const std::vector<std::string> pair = LinkColumns(link);
        const std::string& ownerColumn = pair[0];
        const std::string& otherColumn = pair[1];
        const TPlannedClass* owner = LinkTarget(link, ownerColumn);
        const TPlannedClass* other = LinkTarget(link, otherColumn);
        if (!owner || !other)
            return Note("跳过表 " + link.name + "：它是联系表，但它的外键指向的表没有作为类导入");
        if (!IsSqlIdentifier(link.name) || !IsSqlIdentifier(ownerColumn) || !IsSqlIdentifier(otherColumn))
            return Note("跳过表 " + link.name + "：表名或列名不是普通的 SQL 标识符");
        TPlannedClass& planned = plan_.classes[static_cast<size_t>(owner - plan_.classes.data())];
        std::set<std::string> taken;
        for (const auto& m : planned.members)
            taken.insert(m.entry.name);
        std::string name = Acceptable(Camel(other->className, false) + "Set", [&](const std::string& candidate) {
            return !taken.count(candidate) && CheckMemberNameText(candidate, planned.className).Accepted();
        });
        if (name.empty())
            return Note("跳过表 " + link.name + "：无法得到合法的成员名");
        TMemberEntry entry;
        entry.name = name;
        entry.type = other->className;
        entry.lengthText = "0";
        entry.queryDisplay = false;
        bool lost = false;
        entry.comment = CleanText(link.comment, lost);
        entry.linkTable = link.name;
        entry.linkColumn = ownerColumn;
        entry.columnName = otherColumn;
        planned.members.push_back({ otherColumn, entry });
        Note("多对多 联系表 " + link.name + " 成为类 " + planned.className + " 的成员 " + name + "(" +
            other->className + " 的集合，页面上多选)");
    }

    void Note(const std::string& note) { plan_.notes.push_back(note); }

    const TDbSchema& schema_;
    bool textQueryMembers_;
    bool binaryMembers_;
    int binaryNoted_ = 0;
    TImportPlan plan_;
    std::map<std::string, const TDbTable*> byName_;
    std::map<std::string, std::string> classOf_; // table -> class
    std::set<std::string> classNames_;
    std::map<std::string, std::string> tableOfClass_; // class -> table
    std::vector<const TDbTable*> imported_;
    std::vector<const TDbTable*> links_;
};

} // namespace

TImportPlan PlanSchemaImport(
    const TDbSchema& schema, const std::vector<std::string>& tables, bool textQueryMembers, const std::string& target)
{
    bool binaryMembers = TargetHasBinaryMembers(target.empty() ? kTargetLegacy : target);
    // A view has no key of its own: one of its columns serves as one.
    bool views = std::any_of(schema.tables.begin(), schema.tables.end(), [](const TDbTable& t) { return t.view; });
    if (!views)
        return TSchemaPlanner(schema, textQueryMembers, binaryMembers).Plan(tables, target);
    TDbSchema keyed = schema;
    for (auto& table : keyed.tables)
        if (table.view)
            if (std::string key = ViewKeyColumn(table); !key.empty())
                table.primaryKey = { key };
    return TSchemaPlanner(keyed, textQueryMembers, binaryMembers).Plan(tables, target);
}
