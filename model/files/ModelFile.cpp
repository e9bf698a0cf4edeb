#include "ModelFile.h"

#include "ClassDAO.h"
#include "DbHelper.h"
#include "MemberFields.h"
#include "MemberTypes.h"
#include "ModelFileText.h"
#include "ModelSnapshot.h"
#include "ProjectDAO.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <type_traits>
#include <utility>

using nlohmann::ordered_json;

namespace {

// A refusal naming the file (and where in it).
class TFileRefusal {
public:
    explicit TFileRefusal(std::string fileName)
        : fileName_(std::move(fileName))
    {
    }
    TCommandResult operator()(TRefusal kind, const std::string& where, const std::string& message) const
    {
        return { kind, "导入 " + fileName_ + " 失败：" + (where.empty() ? "" : where + "：") + message, 0 };
    }

private:
    std::string fileName_;
};

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
template<class T> bool Read(const ordered_json& object, const char* key, T& value, std::string& fault)
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
    return object.find(key) == object.end() || Read(object, key, value, fault);
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

namespace {

// One import of a model file: the document checked and read, then every
// class and member entered through the command layer in one transaction.
// The first fault refuses the whole file, naming where it is.
class TModelImport {
public:
    TModelImport(std::string_view text, const std::string& fileName)
        : text_(text)
        , refuse_(fileName)
    {
    }

    TCommandResult Run(const std::optional<std::string>& newName)
    {
        if (auto refusal = ReadDocument())
            return *refusal;
        if (newName)
            projectName_ = *newName;
        TCommandResult result;
        TDbHelper().WriteAtomically([&] {
            result = Enter();
            return result.Done(); // a refusal rolls the whole import back
        });
        return result;
    }

private:
    std::string At(size_t offset) const
    {
        auto [line, column] = TextPosition(text_, offset);
        return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
    }
    // Where a class or member object starts, for a refusal's message.
    std::string Line(size_t offset) const
    {
        return "第 " + std::to_string(TextPosition(text_, offset).first) + " 行，";
    }
    std::string ClassAt(size_t c) const
    {
        return c < layout_.classes.size() ? Line(layout_.classes[c]) : std::string();
    }
    std::string MemberAt(size_t c, size_t m) const
    {
        return c < layout_.members.size() && m < layout_.members[c].size() ? Line(layout_.members[c][m])
                                                                           : std::string();
    }
    TCommandResult Refuse(const std::string& where, const std::string& message) const
    {
        return refuse_(TRefusal::Name, where, message);
    }

    // The text, the JSON and the document's own keys; a refusal when any is wrong.
    std::optional<TCommandResult> ReadDocument()
    {
        if (auto fault = RefuseEncoding(text_))
            return Refuse("", *fault);
        if (auto fault = ScanModelText(text_, layout_))
            return Refuse(At(fault->offset), fault->message);
        try {
            document_ = ordered_json::parse(text_.begin(), text_.end());
        } catch (const nlohmann::json::parse_error& e) {
            return Refuse(At(ErrorOffset(text_, e)), "不是正确的 JSON 文本");
        } catch (const nlohmann::json::exception&) {
            return Refuse("", "不是正确的 JSON 文本");
        }
        std::string fault, format;
        if (!document_.is_object() || !Read(document_, "format", format, fault) || format != kModelFileFormat)
            return Refuse("", "不是 javagen 的模型文件");
        if (!Read(document_, "version", version_, fault))
            return Refuse("", fault);
        if (version_ > kModelFileVersion || version_ < 1)
            return Refuse("",
                "文件的格式版本为 " + std::to_string(version_) + "，本程序只能读取版本 " +
                    std::to_string(kModelFileVersion) + "，请使用更新的程序导入");
        if (!Read(document_, "project", projectName_, fault))
            return Refuse("", fault);
        std::set<std::string> topKeys = { "format", "version", "project", "classes" };
        if (version_ >= 2)
            topKeys.insert("database");
        if (version_ >= 4)
            topKeys.insert("target");
        if (std::string key = UnknownKey(document_, topKeys); !key.empty())
            return Refuse("", UnknownKeyMessage(key));
        if (version_ >= 4 && !ReadOptional(document_, "target", target_, fault))
            return Refuse("", fault);
        if (!Read(document_, "classes", classes_, fault) || !classes_.is_array())
            return Refuse("", fault.empty() ? "“classes”应是一个数组" : fault);
        if (version_ >= 2 && !ReadDatabase(document_, database_, fault))
            return Refuse("", fault);
        return std::nullopt;
    }

    // The project, its classes, then their members.
    TCommandResult Enter()
    {
        added_.clear();
        std::string shownProject = "工程“" + ShownName(projectName_) + "”";
        TCommandResult project = TModelCommands::NewProject(projectName_);
        if (!project.Done())
            return refuse_(project.refusal == TRefusal::Duplicate ? TRefusal::ProjectNameTaken : project.refusal,
                shownProject, project.message);
        projectId_ = project.id;
        if (!database_.Empty()) {
            TCommandResult set = TModelCommands::SetProjectDatabase(projectId_, database_);
            if (!set.Done())
                return refuse_(set.refusal, shownProject, set.message);
        }
        if (!target_.empty()) {
            TCommandResult set = TModelCommands::SetProjectTarget(projectId_, target_);
            if (!set.Done())
                return refuse_(set.refusal, shownProject, set.message);
        }
        for (size_t c = 0; c < classes_.size(); ++c)
            if (TCommandResult added = AddClass(c); !added.Done())
                return added;
        for (const TAdded& theClass : added_)
            if (TCommandResult members = AddMembers(theClass); !members.Done())
                return members;
        return { TRefusal::None, "模型已导入为工程“" + projectName_ + "”!", projectId_ };
    }

    TCommandResult AddClass(size_t c)
    {
        std::set<std::string> classKeys = { "name", "friendName", "members" };
        if (version_ >= 2)
            classKeys.insert("table");
        if (version_ >= 4)
            classKeys.insert("readOnly");
        const ordered_json& object = classes_[c];
        std::string name, friendName, fault;
        // Built only for a refusal: finding a line reads the text up to it.
        // Only objects have their start noted.
        bool named = false;
        auto where = [&] {
            return named ? ClassAt(c) + "类 " + ShownName(name)
                         : (object.is_object() ? ClassAt(c) : "") + "第 " + std::to_string(c + 1) + " 个类";
        };
        if (!object.is_object() || !Read(object, "name", name, fault) || !Read(object, "friendName", friendName, fault))
            return Refuse(where(), fault.empty() ? "应是一个对象" : fault);
        named = true;
        if (std::string key = UnknownKey(object, classKeys); !key.empty())
            return Refuse(where(), UnknownKeyMessage(key));
        std::string table;
        bool readOnly = false;
        if ((version_ >= 2 && !ReadOptional(object, "table", table, fault)) ||
            (version_ >= 4 && !ReadOptional(object, "readOnly", readOnly, fault)))
            return Refuse(where(), fault);
        TCommandResult added = TModelCommands::AddClass(projectId_, name, friendName);
        if (added.Done() && (!table.empty() || readOnly))
            added = TModelCommands::SetClassTable(added.id, table, readOnly);
        if (!added.Done())
            return refuse_(added.refusal, where(), added.message);
        added_.push_back({ added.id, c, ShownName(name) });
        return added;
    }

    struct TAdded {
        int classId;
        size_t index;
        std::string name;
    };

    TCommandResult AddMembers(const TAdded& theClass)
    {
        const ordered_json& object = classes_[theClass.index];
        ordered_json members;
        std::string fault;
        if (!Read(object, "members", members, fault) || !members.is_array())
            return Refuse(
                ClassAt(theClass.index) + "类 " + theClass.name, fault.empty() ? "“members”应是一个数组" : fault);
        for (size_t m = 0; m < members.size(); ++m)
            if (TCommandResult added = AddMember(theClass, members[m], m); !added.Done())
                return added;
        return { TRefusal::None, "", theClass.classId };
    }

    TCommandResult AddMember(const TAdded& theClass, const ordered_json& member, size_t m)
    {
        TMemberEntry entry;
        int length = 0;
        std::string fault;
        bool named = false;
        auto where = [&] {
            return named ? MemberAt(theClass.index, m) + "类 " + theClass.name + " 的成员 " + ShownName(entry.name)
                         : (member.is_object() ? MemberAt(theClass.index, m) : "") + "类 " + theClass.name + " 的第 " +
                    std::to_string(m + 1) + " 个成员";
        };
        if (!member.is_object() || !Read(member, "name", entry.name, fault))
            return Refuse(where(), fault.empty() ? "应是一个对象" : fault);
        named = true;
        if (std::string key = UnknownKey(member, MemberKeys(version_)); !key.empty())
            return Refuse(where(), UnknownKeyMessage(key));
        if (!Read(member, "type", entry.type, fault) || !Read(member, "length", length, fault) ||
            !Read(member, "comment", entry.comment, fault))
            return Refuse(where(), fault);
        for (const TMemberField* flag : EntryFlagFields())
            if (flag->since == 0 && !Read(member, flag->jsonKey, entry.*flag->entryFlag, fault))
                return refuse_(TRefusal::Flags, where(), fault);
        if (version_ >= 2 && !ReadColumnData(member, version_, entry, fault))
            return refuse_(TRefusal::Flags, where(), fault);
        entry.lengthText = std::to_string(length);
        TCommandResult added = TModelCommands::AddMember(projectId_, theClass.classId, entry);
        if (!added.Done())
            return refuse_(added.refusal, where(), added.message);
        return added;
    }

    std::string_view text_;
    TFileRefusal refuse_;
    TTextLayout layout_;
    ordered_json document_;
    ordered_json classes_;
    int version_ = 0;
    std::string target_; // empty: the legacy frameworks
    std::string projectName_;
    TProjectDatabase database_;
    int projectId_ = 0;
    std::vector<TAdded> added_;
};

} // namespace

TCommandResult ImportModel(
    std::string_view text, const std::string& fileName, const std::optional<std::string>& newName)
{
    return TModelImport(text, fileName).Run(newName);
}
