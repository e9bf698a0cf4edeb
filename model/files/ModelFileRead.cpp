// Reading a model file's text into records: every fault refused with where
// it is, before anything is entered.
#include "model/files/ModelFileRead.h"

#include "model/files/ModelFile.h"
#include "model/store/MemberFields.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <type_traits>
#include <utility>

using nlohmann::ordered_json;

namespace {

// Whether a whole number is one an int holds: get<int>() alone would wrap
// numbers that do not fit (and take true as 1 and 1.9 as 1).
bool FitsInt(const ordered_json& value)
{
    if (value.is_number_unsigned())
        return value.get<std::uint64_t>() <= static_cast<std::uint64_t>(std::numeric_limits<int>::max());
    std::int64_t number = value.get<std::int64_t>();
    return number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max();
}

// A value of the expected JSON type, or a refusal naming it.
template<class T> bool ReadKey(const ordered_json& object, const char* key, T& value, std::string& fault)
{
    auto found = object.find(key);
    if (found == object.end()) {
        fault = std::string("缺少“") + key + "”";
        return false;
    }
    if constexpr (std::is_same_v<T, int>) {
        // 1e10 and a number past 64 bits are whole but parsed as doubles.
        bool wholeDouble = found->is_number_float() && std::floor(found->get<double>()) == found->get<double>();
        if (!found->is_number_integer() && !wholeDouble) {
            fault = std::string("“") + key + "”的值类型不对";
            return false;
        }
        bool beyond =
            wholeDouble ? std::fabs(found->get<double>()) > std::numeric_limits<int>::max() : !FitsInt(*found);
        if (wholeDouble && !beyond) {
            fault = std::string("“") + key + "”的值类型不对";
            return false;
        }
        if (beyond) {
            fault = std::string("“") + key + "”的值 " + found->dump() + " 超出范围";
            return false;
        }
    }
    try {
        value = found->get<T>();
        return true;
    } catch (const nlohmann::json::exception&) {
        fault = std::string("“") + key + "”的值类型不对";
        return false;
    }
}

// A key a later version added: absent is fine, present it must have the type.
template<class T> bool ReadOptional(const ordered_json& object, const char* key, T& value, std::string& fault)
{
    return object.find(key) == object.end() || ReadKey(object, key, value, fault);
}

// A key of the object that the file's version does not have: a newer
// program's value that importing would silently drop. Empty when none.
std::string UnknownKey(const ordered_json& object, const std::set<std::string>& known)
{
    for (const auto& item : object.items())
        if (!known.count(item.key()))
            return item.key();
    return "";
}

std::string UnknownKeyMessage(const std::string& key)
{
    return "含有本程序不认识的键“" + key + "”(可能由更新的程序写出)，为了不丢失其中的内容，拒绝导入";
}

// The keys of a member object in a file of the version.
std::set<std::string> MemberKeys(int version)
{
    std::set<std::string> keys = { "name", "type", "length", "comment" };
    for (const auto& field : MemberFields())
        if (field.jsonKey && field.fileVersion <= version)
            keys.insert(field.jsonKey);
    return keys;
}

// The keys versions 2 and later add to a member, as far as the file's
// version carries them.
bool ReadColumnData(const ordered_json& member, int version, TMemberEntry& entry, std::string& fault)
{
    for (const auto& field : MemberFields()) {
        if (field.since == 0 || !field.jsonKey || field.fileVersion > version)
            continue;
        if (field.kind == TFieldKind::Flag) {
            if (!ReadOptional(member, field.jsonKey, entry.*field.entryFlag, fault))
                return false;
        } else if (field.kind == TFieldKind::Integer) {
            int number = 0;
            if (!ReadOptional(member, field.jsonKey, number, fault))
                return false;
            entry.*field.entryText = number == 0 ? "" : std::to_string(number);
        } else if (!ReadOptional(member, field.jsonKey, entry.*field.entryText, fault)) {
            return false;
        }
    }
    return true;
}

bool ReadDatabase(const ordered_json& document, TProjectDatabase& database, std::string& fault)
{
    auto found = document.find("database");
    if (found == document.end())
        return true;
    if (!found->is_object()) {
        fault = "“database”应是一个对象";
        return false;
    }
    if (std::string key = UnknownKey(*found, { "url", "user", "driver", "dialect" }); !key.empty()) {
        fault = "“database”" + UnknownKeyMessage(key);
        return false;
    }
    return ReadOptional(*found, "url", database.url, fault) && ReadOptional(*found, "user", database.user, fault) &&
        ReadOptional(*found, "driver", database.driver, fault) &&
        ReadOptional(*found, "dialect", database.dialect, fault);
}

// Where a syntax error is: the parser reports the end of the token it could
// not take; a whole string there (after a missing comma, most often) is
// shown from its opening quote.
size_t ErrorOffset(std::string_view text, const nlohmann::json::parse_error& e)
{
    size_t offset = e.byte == 0 ? 0 : e.byte - 1;
    if (std::string_view(e.what()).find("unexpected string literal") == std::string_view::npos ||
        offset >= text.size() || text[offset] != '"')
        return offset;
    for (size_t i = offset; i-- > 0;) {
        size_t backslashes = 0;
        while (backslashes < i && text[i - 1 - backslashes] == '\\')
            ++backslashes;
        if (text[i] == '"' && backslashes % 2 == 0)
            return i;
    }
    return offset;
}

} // namespace

bool HasFieldValue(const TMember& m, const TMemberField& field)
{
    if (field.kind == TFieldKind::Text)
        return !(m.*field.getText)().empty();
    return (m.*field.getInt)() != 0;
}

TModelFileReader::TModelFileReader(std::string_view text, std::string fileName)
    : text_(text)
    , fileName_(std::move(fileName))
{
}

TCommandResult TModelFileReader::Refuse(TRefusal kind, const std::string& where, const std::string& message) const
{
    return { kind, "导入 " + fileName_ + " 失败：" + (where.empty() ? "" : where + "：") + message, 0 };
}

std::string TModelFileReader::At(size_t offset) const
{
    auto [line, column] = TextPosition(text_, offset);
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

std::string TModelFileReader::Line(size_t offset) const
{
    return "第 " + std::to_string(TextPosition(text_, offset).first) + " 行，";
}

std::string TModelFileReader::ClassAt(size_t c) const
{
    return c < layout_.classes.size() ? Line(layout_.classes[c]) : std::string();
}

std::string TModelFileReader::MemberAt(size_t c, size_t m) const
{
    return c < layout_.members.size() && m < layout_.members[c].size() ? Line(layout_.members[c][m]) : std::string();
}

std::string TModelFileReader::ClassWhere(const TFileClass& theClass) const
{
    return ClassAt(theClass.index) + "类 " + ShownName(theClass.name);
}

std::string TModelFileReader::MemberWhere(const TFileClass& theClass, const TFileMember& member) const
{
    return MemberAt(theClass.index, member.index) + "类 " + ShownName(theClass.name) + " 的成员 " +
        ShownName(member.entry.name);
}

std::optional<TCommandResult> TModelFileReader::Read(TFileModel& model)
{
    if (auto fault = RefuseEncoding(text_))
        return Refuse(TRefusal::Name, "", *fault);
    if (auto fault = ScanModelText(text_, layout_))
        return Refuse(TRefusal::Name, At(fault->offset), fault->message);
    if (auto refusal = ReadTop(model))
        return refusal;
    return std::nullopt;
}

std::optional<TCommandResult> TModelFileReader::ReadTop(TFileModel& model)
{
    auto refuse = [this](const std::string& where, const std::string& message) {
        return Refuse(TRefusal::Name, where, message);
    };
    ordered_json document;
    try {
        document = ordered_json::parse(text_.begin(), text_.end());
    } catch (const nlohmann::json::parse_error& e) {
        return refuse(At(ErrorOffset(text_, e)), "不是正确的 JSON 文本");
    } catch (const nlohmann::json::exception&) {
        return refuse("", "不是正确的 JSON 文本");
    }
    std::string fault, format;
    if (!document.is_object() || !ReadKey(document, "format", format, fault) || format != kModelFileFormat)
        return refuse("", "不是 javagen 的模型文件");
    if (!ReadKey(document, "version", version_, fault))
        return refuse("", fault);
    if (version_ > kModelFileVersion || version_ < 1)
        return refuse("",
            "文件的格式版本为 " + std::to_string(version_) + "，本程序只能读取版本 " +
                std::to_string(kModelFileVersion) + "，请使用更新的程序导入");
    model.version = version_;
    if (!ReadKey(document, "project", model.project, fault))
        return refuse("", fault);
    std::set<std::string> topKeys = { "format", "version", "project", "classes" };
    if (version_ >= kFileVersionDatabase)
        topKeys.insert("database");
    if (version_ >= kFileVersionTarget)
        topKeys.insert("target");
    if (version_ >= kFileVersionSettings)
        topKeys.insert({ "package", "pages" });
    if (version_ >= kFileVersionDatabaseKind)
        topKeys.insert("databaseKind");
    if (std::string key = UnknownKey(document, topKeys); !key.empty())
        return refuse("", UnknownKeyMessage(key));
    if (version_ >= kFileVersionTarget && !ReadOptional(document, "target", model.target, fault))
        return refuse("", fault);
    if (version_ >= kFileVersionDatabaseKind && !ReadOptional(document, "databaseKind", model.databaseKind, fault))
        return refuse("", fault);
    if (version_ >= kFileVersionSettings) {
        std::string packageName;
        if (document.contains("package")) {
            if (!ReadKey(document, "package", packageName, fault))
                return refuse("", fault);
            model.packageName = packageName;
        }
        if (!ReadOptional(document, "pages", model.pages, fault))
            return refuse("", fault);
    }
    ordered_json classes;
    if (!ReadKey(document, "classes", classes, fault) || !classes.is_array())
        return refuse("", fault.empty() ? "“classes”应是一个数组" : fault);
    if (version_ >= kFileVersionDatabase && !ReadDatabase(document, model.database, fault))
        return refuse("", fault);
    model.classes.resize(classes.size());
    for (size_t c = 0; c < classes.size(); ++c)
        if (auto refusal = ReadClass(classes[c], c, model.classes[c]))
            return refusal;
    return std::nullopt;
}

std::optional<TCommandResult> TModelFileReader::ReadClass(const ordered_json& object, size_t c, TFileClass& theClass)
{
    theClass.index = c;
    std::set<std::string> classKeys = { "name", "friendName", "members" };
    if (version_ >= kFileVersionTable)
        classKeys.insert("table");
    if (version_ >= kFileVersionReadOnly)
        classKeys.insert("readOnly");
    std::string fault;
    // Only objects have their start noted.
    if (!object.is_object() || !ReadKey(object, "name", theClass.name, fault) ||
        !ReadKey(object, "friendName", theClass.friendName, fault))
        return Refuse(TRefusal::Name, (object.is_object() ? ClassAt(c) : "") + "第 " + std::to_string(c + 1) + " 个类",
            fault.empty() ? "应是一个对象" : fault);
    if (std::string key = UnknownKey(object, classKeys); !key.empty())
        return Refuse(TRefusal::Name, ClassWhere(theClass), UnknownKeyMessage(key));
    if ((version_ >= kFileVersionTable && !ReadOptional(object, "table", theClass.table, fault)) ||
        (version_ >= kFileVersionReadOnly && !ReadOptional(object, "readOnly", theClass.readOnly, fault)))
        return Refuse(TRefusal::Name, ClassWhere(theClass), fault);
    ordered_json members;
    if (!ReadKey(object, "members", members, fault) || !members.is_array())
        return Refuse(TRefusal::Name, ClassWhere(theClass), fault.empty() ? "“members”应是一个数组" : fault);
    theClass.members.resize(members.size());
    for (size_t m = 0; m < members.size(); ++m)
        if (auto refusal = ReadMember(theClass, members[m], m, theClass.members[m]))
            return refusal;
    return std::nullopt;
}

std::optional<TCommandResult> TModelFileReader::ReadMember(
    const TFileClass& theClass, const ordered_json& object, size_t m, TFileMember& member)
{
    member.index = m;
    TMemberEntry& entry = member.entry;
    std::string fault;
    if (!object.is_object() || !ReadKey(object, "name", entry.name, fault))
        return Refuse(TRefusal::Name,
            (object.is_object() ? MemberAt(theClass.index, m) : "") + "类 " + ShownName(theClass.name) + " 的第 " +
                std::to_string(m + 1) + " 个成员",
            fault.empty() ? "应是一个对象" : fault);
    if (std::string key = UnknownKey(object, MemberKeys(version_)); !key.empty())
        return Refuse(TRefusal::Name, MemberWhere(theClass, member), UnknownKeyMessage(key));
    int length = 0;
    if (!ReadKey(object, "type", entry.type, fault) || !ReadKey(object, "length", length, fault) ||
        !ReadKey(object, "comment", entry.comment, fault))
        return Refuse(TRefusal::Name, MemberWhere(theClass, member), fault);
    for (const TMemberField* flag : EntryFlagFields())
        if (flag->since == 0 && !ReadKey(object, flag->jsonKey, entry.*flag->entryFlag, fault))
            return Refuse(TRefusal::Flags, MemberWhere(theClass, member), fault);
    if (version_ >= 2 && !ReadColumnData(object, version_, entry, fault))
        return Refuse(TRefusal::Flags, MemberWhere(theClass, member), fault);
    entry.lengthText = std::to_string(length);
    return std::nullopt;
}

ordered_json MemberObject(const TMember& m)
{
    ordered_json object;
    object["name"] = m.GetMemberName();
    object["type"] = m.GetMemberType();
    object["length"] = m.GetMemberLength();
    for (const TMemberField* flag : EntryFlagFields())
        if (flag->since == 0)
            object[flag->jsonKey] = (m.*flag->getInt)() == 1;
    object["comment"] = m.GetMemberComment();
    // What an import knows of the column, only where there is something.
    for (const auto& field : MemberFields()) {
        if (field.since == 0 || !field.jsonKey || !HasFieldValue(m, field))
            continue;
        if (field.kind == TFieldKind::Text)
            object[field.jsonKey] = (m.*field.getText)();
        else if (field.kind == TFieldKind::Flag)
            object[field.jsonKey] = (m.*field.getInt)() == 1;
        else
            object[field.jsonKey] = (m.*field.getInt)();
    }
    return object;
}
