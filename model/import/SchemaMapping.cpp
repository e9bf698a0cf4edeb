#include "SchemaMapping.h"

#include "DbHelper.h"
#include "MemberTypes.h"
#include "TextCodec.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// snake_case (or any separators) to CamelCase; a part written all in capitals
// is read as a word (BOOK_TYPE -> BookType).
std::string Camel(const std::string& name, bool upperFirst)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!part.empty())
        parts.push_back(part);
    std::string out;
    for (std::string p : parts) {
        bool allUpper = std::none_of(p.begin(), p.end(), [](unsigned char c) { return std::islower(c); });
        if (allUpper)
            p = Lower(p);
        p[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(p[0])));
        out += p;
    }
    if (!out.empty() && !upperFirst)
        out[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(out[0])));
    return out;
}

bool IsAsciiName(const std::string& name)
{
    return !name.empty() && std::isalpha(static_cast<unsigned char>(name[0])) &&
        std::all_of(
            name.begin(), name.end(), [](unsigned char c) { return c < 0x80 && (std::isalnum(c) || c == '_'); });
}

// The fixed renames before the suffixes: a name that is not made of English
// letters and digits (a Chinese column name) becomes the stand-in, and a
// second letter in upper case becomes lower case (Hibernate finds no getter
// for xPos).
std::string Renamed(const std::string& name, const std::string& standIn, bool member)
{
    std::string out = IsAsciiName(name) ? name : standIn;
    if (member && out.size() > 1 && std::isupper(static_cast<unsigned char>(out[1])))
        out[1] = static_cast<char>(std::tolower(static_cast<unsigned char>(out[1])));
    return out;
}

std::string ClassNameOf(const std::string& table)
{
    std::string name = table;
    for (const char* prefix : { "t_", "tb_", "T_", "TB_" })
        if (name.rfind(prefix, 0) == 0 && name.size() > std::string(prefix).size()) {
            name = name.substr(std::string(prefix).size());
            break;
        }
    return Camel(name, true);
}

// A comment as the entry rules accept it: control characters become blanks,
// characters without a GBK form become "?" (and lost says so).
std::string CleanText(const std::string& text, bool& lost)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        std::string ch = text.substr(i, length);
        i += length;
        if (c < 0x20 || c == 0x7F)
            out += ' ';
        else if (IsGbkEncodable(ch))
            out += ch;
        else {
            out += '?';
            lost = true;
        }
    }
    return out;
}

const char* TypeOf(const TDbColumn& column)
{
    static const std::set<std::string> text = { "char", "varchar", "tinytext", "text", "mediumtext", "longtext", "enum",
        "set" };
    static const std::set<std::string> integer = { "tinyint", "smallint", "mediumint", "int", "integer", "year" };
    static const std::set<std::string> floating = { "float" };
    static const std::set<std::string> doubles = { "double", "real" };
    static const std::set<std::string> decimal = { "decimal", "numeric" };
    static const std::set<std::string> date = { "date", "datetime", "timestamp", "time" };
    const std::string& type = column.dataType;
    if (text.count(type))
        return kTypeString;
    // BIT(1) is a 0 or 1; a wider BIT reads through the driver as a signed
    // byte (b'10100101' as -91) that it cannot write back.
    if (type == "bit")
        return column.precision == 1 ? kTypeInteger : nullptr;
    // An unsigned BIGINT holds more than a Java long: exact as a DECIMAL(20)
    // (a key stays a long integer, see KeyTypeOf).
    if (type == "bigint" && column.Unsigned())
        return kTypeDecimal;
    // An unsigned INT holds more than a Java int.
    if (type == "bigint" || ((type == "int" || type == "integer") && column.Unsigned()))
        return kTypeLong;
    if (integer.count(type))
        return kTypeInteger;
    if (floating.count(type))
        return kTypeFloat;
    if (doubles.count(type))
        return kTypeDouble;
    if (decimal.count(type))
        return kTypeDecimal;
    if (date.count(type))
        return kTypeDate;
    return nullptr;
}

// The values of an ENUM column from its COLUMN_TYPE, enum('a','it''s','c\\d'):
// empty when the text is not of that form.
std::vector<std::string> EnumValues(const std::string& columnType)
{
    std::vector<std::string> values;
    if (columnType.rfind("enum(", 0) != 0)
        return {};
    size_t at = 5;
    while (at < columnType.size() && columnType[at] == '\'') {
        std::string value;
        for (++at; at < columnType.size(); ++at) {
            if (columnType[at] == '\\' && at + 1 < columnType.size())
                value += columnType[++at]; // the server shows a backslash doubled
            else if (columnType[at] == '\'' && at + 1 < columnType.size() && columnType[at + 1] == '\'')
                value += columnType[++at];
            else if (columnType[at] == '\'')
                break;
            else
                value += columnType[at];
        }
        values.push_back(value);
        ++at; // the closing quote
        if (at < columnType.size() && columnType[at] == ',')
            ++at;
    }
    return at < columnType.size() && columnType[at] == ')' ? values : std::vector<std::string> {};
}

// The member type of a key column: a BIGINT, signed or not, is a long
// integer (keys are integers or texts).
const char* KeyTypeOf(const TDbColumn& column)
{
    return column.dataType == "bigint" ? kTypeLong : TypeOf(column);
}

// The text of a date column: "2024-01-02 03:04:05", "03:04:05", "2024-01-02".
int DateLengthOf(const TDbColumn& column)
{
    if (column.dataType == "datetime" || column.dataType == "timestamp")
        return 19;
    return column.dataType == "time" ? 8 : 10;
}

long long LengthOf(const TDbColumn& column)
{
    if (EndsWith(column.dataType, "text"))
        return 65535;
    return std::clamp<long long>(column.length, 1, 65535);
}

// A name the rules accept: the name itself, or with "_", "_2", "_3"...
// Empty when none is (a name too long, say).
std::string Acceptable(const std::string& name, const std::function<bool(const std::string&)>& accepted)
{
    if (accepted(name))
        return name;
    for (int n = 1; n < 100; ++n) {
        std::string candidate = name + (n == 1 ? "_" : "_" + std::to_string(n));
        if (accepted(candidate))
            return candidate;
    }
    return "";
}

bool Says(const TDbColumn& column, const TMemberEntry& entry)
{
    std::string name = Lower(column.name);
    return name.find("name") != std::string::npos || name.find("title") != std::string::npos ||
        entry.comment.find("名称") != std::string::npos || entry.comment.find("标题") != std::string::npos;
}

} // namespace

namespace {

// The tables asked for (all of them when none is named), noting views and
// names the database does not have.
std::vector<const TDbTable*> ChooseTables(
    const TDbSchema& schema, const std::vector<std::string>& tables, std::vector<std::string>& notes)
{
    std::map<std::string, const TDbTable*> byName;
    for (const auto& table : schema.tables)
        byName[table.name] = &table;
    std::set<std::string> views(schema.views.begin(), schema.views.end());
    std::vector<const TDbTable*> chosen;
    if (tables.empty()) {
        for (const auto& table : schema.tables)
            chosen.push_back(&table);
        for (const auto& view : schema.views)
            notes.push_back("跳过视图 " + view + "：视图没有自己的数据行和主键，不能作为类导入");
        return chosen;
    }
    for (const auto& name : tables) {
        auto found = byName.find(name);
        if (found != byName.end())
            chosen.push_back(found->second);
        else if (views.count(name))
            notes.push_back("跳过表 " + name + "：它是视图，视图没有自己的数据行和主键，不能作为类导入");
        else
            notes.push_back("跳过表 " + name + "：数据库中没有这个表");
    }
    return chosen;
}

const TDbColumn* ColumnNamed(const TDbTable& table, const std::string& name)
{
    for (const auto& column : table.columns)
        if (column.name == name)
            return &column;
    return nullptr;
}

// What the member knows of its column, beside the dialogs' fields.
void TakeColumnData(
    const TDbColumn& column, bool isKey, TMemberEntry& entry, const std::string& table, std::vector<std::string>& notes)
{
    entry.columnName = column.name;
    entry.nullable = column.nullable && !isKey;
    if (isKey)
        entry.keyGenerator = entry.type != kTypeString && column.autoIncrement ? "native" : "assigned";
    if (entry.type == kTypeDecimal && column.precision > 0) {
        entry.precision = std::to_string(std::min(column.precision, 65));
        entry.scale = std::to_string(std::clamp(column.scale, 0, std::min(column.precision, 30)));
    }
    if (entry.type == kTypeDate)
        entry.lengthText = std::to_string(DateLengthOf(column));
    // What the database fills is optional on the pages.
    if (!isKey && (column.onUpdate || column.generated))
        entry.filled = "always";
    else if (!isKey && !column.nullable && column.hasDefault)
        entry.filled = "default";
    if (!entry.filled.empty())
        entry.isMust = false;
    // An ENUM's values are the text's choices, where the rules take them.
    std::vector<std::string> values = EnumValues(column.columnType);
    if (entry.type == kTypeString && !values.empty()) {
        for (const std::string& value : values)
            entry.choices += (entry.choices.empty() ? "" : "|") + value;
        bool bar = std::any_of(
            values.begin(), values.end(), [](const std::string& v) { return v.find('|') != std::string::npos; });
        TVerdict verdict = bar ? TVerdict::Accept() : CheckChoices(entry);
        if (bar || !verdict.Accepted()) {
            notes.push_back("可选值 列 " + table + "." + column.name + " 的 ENUM 值不能作为下拉框的选项(" +
                (bar ? std::string("值中含有“|”") : verdict.message) + ")，按普通文本导入");
            entry.choices.clear();
        }
    }
}

// A foreign key column's member name: the column without a trailing _id.
std::string ReferenceName(const std::string& column)
{
    std::string base = column;
    for (const char* tail : { "_id", "_ID", "Id", "ID" })
        if (EndsWith(base, tail) && base.size() > std::string(tail).size()) {
            base = base.substr(0, base.size() - std::string(tail).size());
            break;
        }
    return Camel(base, false);
}

// The display member: the first text column after the key whose name or
// comment says name or title; else the first text column; else the key.
void ChooseDisplay(const TDbTable& table, TPlannedClass& planned)
{
    TMemberEntry* display = nullptr;
    for (auto& m : planned.members)
        if (!display && !m.entry.isPri && m.entry.type == kTypeString && Says(*ColumnNamed(table, m.column), m.entry))
            display = &m.entry;
    for (auto& m : planned.members)
        if (!display && !m.entry.isPri && m.entry.type == kTypeString)
            display = &m.entry;
    for (auto& m : planned.members)
        if (!display && m.entry.isPri)
            display = &m.entry;
    display->isDisplay = true;
}

} // namespace

TImportPlan PlanSchemaImport(const TDbSchema& schema, const std::vector<std::string>& tables, bool textQueryMembers)
{
    TImportPlan plan;
    std::map<std::string, const TDbTable*> byName;
    for (const auto& table : schema.tables)
        byName[table.name] = &table;
    std::vector<const TDbTable*> chosen = ChooseTables(schema, tables, plan.notes);
    // The login reads t_admin, which the program never creates in the
    // user's database.
    if (!byName.count("t_admin"))
        plan.notes.push_back("提示 登录用的管理员表 t_admin 不在这个数据库中：生成代码后，在数据库中执行一次生成的 "
                             "sql/t_admin.sql 建表，应用第一次启动时创建初始管理员 admin(密码 admin123)");

    // First the tables that become classes, and their class names.
    std::map<std::string, std::string> classOf; // table -> class
    std::set<std::string> classNames;
    std::map<std::string, std::string> tableOfClass; // class -> table
    std::vector<const TDbTable*> imported;
    for (const TDbTable* table : chosen) {
        if (table->primaryKey.size() != 1) {
            plan.notes.push_back("跳过表 " + table->name + "：" +
                (table->primaryKey.empty() ? std::string("没有主键") : std::string("主键由多个列组成")));
            continue;
        }
        const TDbColumn* key = ColumnNamed(*table, table->primaryKey[0]);
        std::string keyType = key && KeyTypeOf(*key) ? KeyTypeOf(*key) : "";
        if (keyType != kTypeInteger && keyType != kTypeString && keyType != kTypeLong) {
            plan.notes.push_back("跳过表 " + table->name + "：主键 " + table->primaryKey[0] + " 不是整数或文本列");
            continue;
        }
        if (!IsSqlIdentifier(table->name)) {
            plan.notes.push_back("跳过表 " + table->name + "：表名不是普通的 SQL 标识符");
            continue;
        }
        std::string wanted = ClassNameOf(table->name);
        std::string standIn = "Table" + std::to_string(table - schema.tables.data() + 1);
        std::string name = Acceptable(Renamed(wanted, standIn, false), [&](const std::string& candidate) {
            return !classNames.count(candidate) && CheckClassNameOnly(candidate).Accepted();
        });
        if (name.empty()) {
            plan.notes.push_back("跳过表 " + table->name + "：无法得到合法的类名(" + wanted + ")");
            continue;
        }
        if (name != wanted) {
            std::string base = Renamed(wanted, standIn, false);
            auto taken = [&] {
                return classNames.count(base) ? "与表 " + tableOfClass[base] + " 的类名相同"
                                              : CheckClassNameOnly(base).message;
            };
            std::string why = base != wanted ? "名称不是英文字母和数字" : taken();
            if (base != wanted && name != base)
                why += "；" + taken();
            plan.notes.push_back("改名 表 " + table->name + " 的类名 " + wanted + " → " + name + "：" + why);
        }
        classNames.insert(name);
        tableOfClass[name] = table->name;
        classOf[table->name] = name;
        imported.push_back(table);
    }

    // Then their members.
    for (const TDbTable* table : imported) {
        TPlannedClass planned;
        planned.table = table->name;
        planned.className = classOf[table->name];
        bool lost = false;
        planned.friendName = table->comment.empty() ? planned.className : CleanText(table->comment, lost);
        if (lost)
            plan.notes.push_back(
                "注释 表 " + table->name + "(类 " + planned.className + ")的注释中有 GBK 无法表示的字符，已换成“?”");
        std::map<std::string, const TDbForeignKey*> foreignKeys;
        for (const auto& fk : table->foreignKeys)
            foreignKeys[fk.column] = &fk;
        std::set<std::string> memberNames;
        std::map<std::string, std::string> columnOfMember; // member -> column
        // A skipped column the database cannot fill makes every add fail.
        auto skipped = [&](const TDbColumn& column, const std::string& why) {
            plan.notes.push_back("跳过列 " + table->name + "." + column.name + "：" + why);
            if (!column.nullable && !column.hasDefault && !column.autoIncrement && !column.generated)
                plan.notes.push_back("注意 列 " + table->name + "." + column.name +
                    " 不能为空且没有默认值，却没有导入：类 " + planned.className +
                    " 添加对象时数据库会拒绝(需要给该列设默认值或允许为空)");
        };
        for (const auto& column : table->columns) {
            TMemberEntry entry;
            bool commentLost = false;
            entry.comment = CleanText(column.comment, commentLost);
            bool isKey = column.name == table->primaryKey[0];
            if (!IsSqlIdentifier(column.name)) {
                if (isKey) {
                    plan.notes.push_back(
                        "跳过表 " + table->name + "：主键列名 " + column.name + " 不是普通的 SQL 标识符");
                    planned.members.clear();
                    break;
                }
                skipped(column, "列名不是普通的 SQL 标识符");
                continue;
            }
            std::string wanted;
            auto fk = foreignKeys.find(column.name);
            const TDbTable* target = nullptr;
            if (fk != foreignKeys.end() && !isKey) {
                auto referenced = byName.find(fk->second->referencedTable);
                if (referenced != byName.end() && classOf.count(referenced->first) &&
                    referenced->second->primaryKey[0] == fk->second->referencedColumn && referenced->second != table)
                    target = referenced->second;
                else if (referenced != byName.end() && referenced->second == table)
                    plan.notes.push_back("外键 " + table->name + "." + column.name +
                        " 指向本表(类的成员不能是它自己的类)，按普通列导入");
                else
                    plan.notes.push_back("外键 " + table->name + "." + column.name + " 指向的表 " +
                        fk->second->referencedTable + " 未导入或不是指向它的主键，按普通列导入");
            }
            if (target) {
                wanted = ReferenceName(column.name);
                entry.type = classOf[target->name];
                // A foreign key that may be NULL is an optional reference.
                entry.isMust = !column.nullable;
            } else {
                const char* type = isKey ? KeyTypeOf(column) : TypeOf(column);
                if (!type) {
                    skipped(column, "类型 " + column.dataType + " 不受支持");
                    continue;
                }
                wanted = Camel(column.name, false);
                entry.type = type;
                entry.isMust = !column.nullable || isKey;
                entry.lengthText = entry.type == kTypeString ? std::to_string(LengthOf(column)) : "0";
                entry.queryFlag = textQueryMembers && entry.type == kTypeString && !isKey;
            }
            entry.isPri = isKey;
            TakeColumnData(column, isKey, entry, table->name, plan.notes);
            std::string standIn = "field" + std::to_string(&column - table->columns.data() + 1);
            std::string name = Acceptable(Renamed(wanted, standIn, true), [&](const std::string& candidate) {
                return !memberNames.count(candidate) && CheckMemberNameText(candidate, planned.className).Accepted();
            });
            if (name.empty()) {
                if (isKey) {
                    plan.notes.push_back("跳过表 " + table->name + "：主键列 " + column.name + " 的名称无法使用");
                    planned.members.clear();
                    break;
                }
                skipped(column, "无法得到合法的成员名(" + (wanted.empty() ? column.name : wanted) + ")");
                continue;
            }
            if (name != wanted) {
                std::string base = Renamed(wanted, standIn, true);
                std::string why = !IsAsciiName(wanted) ? "名称不是英文字母和数字"
                    : base != wanted ? "第二个字母是大写时 Hibernate 找不到它的 get 方法，改为小写"
                    : memberNames.count(base) ? "与列 " + columnOfMember[base] + " 的成员名相同"
                                              : CheckMemberNameText(base, planned.className).message;
                if (base != wanted && name != base)
                    why += "；" +
                        (memberNames.count(base) ? "与列 " + columnOfMember[base] + " 的成员名相同"
                                                 : CheckMemberNameText(base, planned.className).message);
                plan.notes.push_back(
                    "改名 列 " + table->name + "." + column.name + " 的成员名 " + wanted + " → " + name + "：" + why);
            }
            if (commentLost)
                plan.notes.push_back("注释 列 " + table->name + "." + column.name + "(成员 " + name +
                    ")的注释中有 GBK 无法表示的字符，已换成“?”");
            memberNames.insert(name);
            columnOfMember[name] = column.name;
            entry.name = name;
            planned.members.push_back({ column.name, entry });
        }
        if (planned.members.empty())
            continue;
        ChooseDisplay(*table, planned);
        plan.classes.push_back(planned);
    }
    return plan;
}

std::vector<std::string> TImportPlan::Report() const
{
    std::vector<std::string> lines;
    for (const auto& c : classes) {
        lines.push_back("类 " + c.className + "(" + c.friendName + ") ← 表 " + c.table);
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
                line += " 可选 " + m.entry.choices;
            lines.push_back(line + " ← 列 " + m.column);
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
        std::vector<int> classIds;
        for (const auto& c : plan.classes) {
            TCommandResult added = TModelCommands::AddClass(project.id, c.className, c.friendName);
            if (added.Done())
                added = TModelCommands::SetClassTable(added.id, c.table);
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
    return { "jdbc:mysql://" + c.host + ":" + std::to_string(c.port) + "/" + c.database +
            "?useUnicode=true&characterEncoding=UTF-8",
        c.user, "com.mysql.jdbc.Driver", "org.hibernate.dialect.MySQL5InnoDBDialect" };
}
