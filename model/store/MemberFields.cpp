#include "model/store/MemberFields.h"

#include "model/store/MemberEntry.h"

namespace {

TMemberField Text(const char* column, const std::string& (TMember::*get)() const,
    void (TMember::*set)(const std::string&), const char* jsonKey)
{
    return { column, TFieldKind::Text, "''", 0, get, set, nullptr, nullptr, jsonKey, nullptr, nullptr, 0, nullptr,
        nullptr, nullptr, 0 };
}

TMemberField Integer(const char* column, int (TMember::*get)() const, void (TMember::*set)(int), const char* jsonKey)
{
    return { column, TFieldKind::Integer, "0", 0, nullptr, nullptr, get, set, jsonKey, nullptr, nullptr, 0, nullptr,
        nullptr, nullptr, 0 };
}

// A flag the user sets with a check box of the dialogs, an option of
// javagen-cli and a key of the model file, shown in the member table.
TMemberField EntryFlag(const char* column, int (TMember::*get)() const, void (TMember::*set)(int), const char* jsonKey,
    const char* cliOption, const char* tableCaption, int tableWidth, const char* checkBox, const char* checkCaption,
    bool TMemberEntry::*entryFlag, int newValue = 0)
{
    return { column, TFieldKind::Flag, newValue ? "1" : "0", 0, nullptr, nullptr, get, set, jsonKey, cliOption,
        tableCaption, tableWidth, checkBox, checkCaption, entryFlag, newValue };
}

// A value of a column imported from a database (version 1 of the schema),
// entered as text.
TMemberField ColumnText(const char* column, const std::string& (TMember::*get)() const,
    void (TMember::*set)(const std::string&), const char* key, std::string TMemberEntry::*entryText, const char* help)
{
    TMemberField field = Text(column, get, set, key);
    field.cliHelp = help;
    field.since = 1;
    field.cliOption = key;
    field.entryText = entryText;
    field.fileVersion = 2;
    return field;
}

TMemberField ColumnInteger(const char* column, int (TMember::*get)() const, void (TMember::*set)(int), const char* key,
    std::string TMemberEntry::*entryText, const char* help)
{
    TMemberField field = Integer(column, get, set, key);
    field.cliHelp = help;
    field.since = 1;
    field.cliOption = key;
    field.entryText = entryText;
    field.fileVersion = 2;
    return field;
}

// A flag that follows another field (memberIsInteger mirrors the type).
TMemberField DerivedFlag(const char* column, int (TMember::*get)() const, void (TMember::*set)(int))
{
    return { column, TFieldKind::Flag, "0", 0, nullptr, nullptr, get, set, nullptr, nullptr, nullptr, 0, nullptr,
        nullptr, nullptr, 0 };
}

// Whether the column may hold NULL: a check box of its own, not shown in
// the member table.
TMemberField NullableFlag()
{
    TMemberField field = EntryFlag("memberNullable", &TMember::GetMemberNullable, &TMember::SetMemberNullable,
        "nullable", "nullable", nullptr, 0, "CB_MemberNullable", "可为空", &TMemberEntry::nullable);
    field.since = 1;
    field.fileVersion = 2;
    return field;
}

// Texts of schema version 3 and model file version 3: whether the database
// fills the column ("default" or "always"), and a text's choices.
TMemberField Version3Text(const char* column, const std::string& (TMember::*get)() const,
    void (TMember::*set)(const std::string&), const char* key, std::string TMemberEntry::*entryText, const char* help)
{
    TMemberField field = ColumnText(column, get, set, key, entryText, help);
    field.since = 3;
    field.fileVersion = 3;
    return field;
}

// Texts of schema version 4 and model file version 4: a many-to-many
// member's link table and column.
TMemberField Version4Text(const char* column, const std::string& (TMember::*get)() const,
    void (TMember::*set)(const std::string&), const char* key, const char* option, std::string TMemberEntry::*entryText,
    const char* help)
{
    TMemberField field = ColumnText(column, get, set, key, entryText, help);
    field.cliOption = option;
    field.since = 4;
    field.fileVersion = 4;
    return field;
}

} // namespace

const std::vector<TMemberField>& MemberFields()
{
    using M = TMember;
    using E = TMemberEntry;
    static const std::vector<TMemberField> fields = {
        Text("memberName", &M::GetMemberName, &M::SetMemberName, "name"),
        Text("memberType", &M::GetMemberType, &M::SetMemberType, "type"),
        Integer("memberLength", &M::GetMemberLength, &M::SetMemberLength, "length"),
        EntryFlag("memberIsPri", &M::GetMemberIsPri, &M::SetMemberIsPri, "primary", "primary", "主键", 0,
            "CB_MemberIsPri", "是否主键", &E::isPri),
        Text("memberComment", &M::GetMemberComment, &M::SetMemberComment, "comment"),
        EntryFlag("memberIsMust", &M::GetMemberIsMust, &M::SetMemberIsMust, "required", "required", "必填", 0,
            "CB_MemberIsMust", "是否必填", &E::isMust),
        DerivedFlag("memberIsInteger", &M::GetMemberIsInteger, &M::SetMemberIsInteger),
        DerivedFlag("memberIsFloat", &M::GetMemberIsFloat, &M::SetMemberIsFloat),
        EntryFlag("queryFlag", &M::GetQueryFlag, &M::SetQueryFlag, "query", "query", "参与查询", 60, "CB_QueryFlag",
            "是否参与查询", &E::queryFlag),
        EntryFlag("memberIsDisplay", &M::GetMemberIsDisplay, &M::SetMemberIsDisplay, "display", "display", "下拉框显示",
            75, "CB_MemberIsDisplay", "下拉框显示字段", &E::isDisplay),
        EntryFlag("memberQueryDisplay", &M::GetMemberQueryDisplay, &M::SetMemberQueryDisplay, "queryDisplay",
            "query-display", "界面显示", 80, "CB_MemberQueryDisplay", "查询界面是否显示", &E::queryDisplay, 1),
        ColumnText(
            "columnName", &M::GetColumnName, &M::SetColumnName, "column", &E::columnName, "列名(从数据库导入的成员)"),
        NullableFlag(),
        ColumnText("keyGenerator", &M::GetKeyGenerator, &M::SetKeyGenerator, "generator", &E::keyGenerator,
            "主键生成方式: native 或 assigned"),
        ColumnInteger("memberPrecision", &M::GetMemberPrecision, &M::SetMemberPrecision, "precision", &E::precision,
            "定点数的精度(总位数)"),
        ColumnInteger("memberScale", &M::GetMemberScale, &M::SetMemberScale, "scale", &E::scale, "定点数的小数位数"),
        Version3Text("columnFilled", &M::GetColumnFilled, &M::SetColumnFilled, "filled", &E::filled,
            "列由数据库填写: default(空着时用数据库默认值) 或 always(只读)"),
        Version3Text("memberChoices", &M::GetMemberChoices, &M::SetMemberChoices, "choices", &E::choices,
            "可选值，用 | 分隔(如 ENUM 列的值)"),
        Version4Text("memberLinkTable", &M::GetLinkTable, &M::SetLinkTable, "linkTable", "link-table", &E::linkTable,
            "多对多成员的联系表(其列名为指向所引用类的列)"),
        Version4Text("memberLinkColumn", &M::GetLinkColumn, &M::SetLinkColumn, "linkColumn", "link-column",
            &E::linkColumn, "多对多成员的联系表中指向本类的列"),
        Version4Text("memberChoiceMode", &M::GetChoiceMode, &M::SetChoiceMode, "choiceMode", "choice-mode",
            &E::choiceMode, "可选值的选法: several 表示可以选多个(如 SET 列的值，以逗号连接)，不写为只选一个"),
    };
    return fields;
}

std::vector<const TMemberField*> EntryFlagFields()
{
    std::vector<const TMemberField*> flags;
    for (const auto& field : MemberFields())
        if (field.entryFlag)
            flags.push_back(&field);
    return flags;
}

std::vector<const TMemberField*> ListedFlagFields()
{
    std::vector<const TMemberField*> flags;
    for (const TMemberField* field : EntryFlagFields())
        if (field->tableCaption)
            flags.push_back(field);
    return flags;
}

std::vector<const TMemberField*> EntryTextFields()
{
    std::vector<const TMemberField*> fields;
    for (const auto& field : MemberFields())
        if (field.entryText)
            fields.push_back(&field);
    return fields;
}

std::string MemberValueColumnList()
{
    std::string list;
    for (const auto& field : MemberFields())
        list += (list.empty() ? "" : ",") + std::string(field.column);
    return list;
}
