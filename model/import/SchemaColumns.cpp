#include "model/import/SchemaColumns.h"

#include "model/rules/EntryRules.h"
#include "model/store/MemberTypes.h"
#include "model/store/TextCodec.h"

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

// The values of an ENUM or SET column from its COLUMN_TYPE, enum('a','it''s','c\\d'):
// empty when the text is not of that form.
std::vector<std::string> EnumValues(const std::string& columnType)
{
    std::vector<std::string> values;
    size_t at = columnType.rfind("enum(", 0) == 0 ? 5 : columnType.rfind("set(", 0) == 0 ? 4 : 0;
    if (at == 0)
        return {};
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

} // namespace

std::string ColumnTypeText(const std::string& reported)
{
    std::string out = reported;
    bool quoted = false;
    for (size_t i = 0; i < out.size(); ++i) {
        char c = out[i];
        if (quoted && c == '\\' && i + 1 < out.size())
            ++i; // an escaped character, a quote included
        else if (c == '\'')
            quoted = !quoted; // a doubled quote inside closes and opens again
        else if (!quoted)
            out[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

namespace {

// The text of a date column: "2024-01-02 03:04:05", "03:04:05", "2024-01-02".
int DateLengthOf(const TDbColumn& column)
{
    if (column.dataType == "datetime" || column.dataType == "timestamp")
        return 19;
    return column.dataType == "time" ? 8 : 10;
}

bool Says(const TDbColumn& column, const TMemberEntry& entry)
{
    std::string name = Lower(column.name);
    return name.find("name") != std::string::npos || name.find("title") != std::string::npos ||
        entry.comment.find("名称") != std::string::npos || entry.comment.find("标题") != std::string::npos;
}

} // namespace

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

bool IsBinaryColumn(const TDbColumn& column)
{
    // BINARY and VARBINARY hold keys and codes (a UUID) more often than files.
    static const std::set<std::string> binary = { "tinyblob", "blob", "mediumblob", "longblob" };
    return binary.count(column.dataType) > 0;
}

// The member type of a key column: a BIGINT, signed or not, is a long
// integer (keys are integers or texts).
const char* KeyTypeOf(const TDbColumn& column)
{
    return column.dataType == "bigint" ? kTypeLong : TypeOf(column);
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

// The tables asked for (all of them when none is named), noting names the
// database does not have.
std::vector<const TDbTable*> ChooseTables(
    const TDbSchema& schema, const std::vector<std::string>& tables, std::vector<std::string>& notes)
{
    std::map<std::string, const TDbTable*> byName;
    for (const auto& table : schema.tables)
        byName[table.name] = &table;
    std::vector<const TDbTable*> chosen;
    if (tables.empty()) {
        for (const auto& table : schema.tables)
            chosen.push_back(&table);
        return chosen;
    }
    for (const auto& name : tables) {
        auto found = byName.find(name);
        if (found != byName.end())
            chosen.push_back(found->second);
        else
            notes.push_back("跳过表 " + name + "：数据库中没有这个表");
    }
    return chosen;
}

std::string ViewKeyColumn(const TDbTable& view)
{
    auto lower = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    auto usable = [](const TDbColumn& column) {
        const char* type = column.nullable ? nullptr : KeyTypeOf(column);
        return type &&
            (type == std::string(kTypeInteger) || type == std::string(kTypeLong) || type == std::string(kTypeString));
    };
    for (const auto& column : view.columns)
        if (usable(column) && lower(column.name) == "id")
            return column.name;
    for (const auto& column : view.columns) {
        std::string name = lower(column.name);
        if (usable(column) && name.size() > 2 && name.compare(name.size() - 2, 2, "id") == 0)
            return column.name;
    }
    return "";
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
            notes.push_back("可选值 列 " + table + "." + column.name + " 的 " +
                (column.dataType == "set" ? "SET" : "ENUM") + " 值不能作为下拉框的选项(" +
                (bar ? std::string("值中含有“|”") : verdict.message) + ")，按普通文本导入");
            entry.choices.clear();
        } else if (column.dataType == "set") {
            // Several values at once, joined by "," as the column holds them.
            entry.choiceMode = "several";
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
