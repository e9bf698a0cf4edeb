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

TCommandResult ImportModel(
    std::string_view text, const std::string& fileName, const std::optional<std::string>& newName)
{
    TFileRefusal refuse(fileName);
    if (auto fault = RefuseEncoding(text))
        return refuse(TRefusal::Name, "", *fault);
    auto at = [&](size_t offset) {
        auto [line, column] = TextPosition(text, offset);
        return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
    };
    TTextLayout layout;
    if (auto fault = ScanModelText(text, layout))
        return refuse(TRefusal::Name, at(fault->offset), fault->message);
    ordered_json document;
    try {
        document = ordered_json::parse(text.begin(), text.end());
    } catch (const nlohmann::json::parse_error& e) {
        return refuse(TRefusal::Name, at(ErrorOffset(text, e)), "不是正确的 JSON 文本");
    } catch (const nlohmann::json::exception&) {
        return refuse(TRefusal::Name, "", "不是正确的 JSON 文本");
    }
    // Where a class or member object starts, for a refusal's message.
    auto line = [&](size_t offset) { return "第 " + std::to_string(TextPosition(text, offset).first) + " 行，"; };
    auto classAt = [&](size_t c) { return c < layout.classes.size() ? line(layout.classes[c]) : std::string(); };
    auto memberAt = [&](size_t c, size_t m) {
        return c < layout.members.size() && m < layout.members[c].size() ? line(layout.members[c][m]) : std::string();
    };

    std::string fault, format, projectName;
    int version = 0;
    if (!document.is_object() || !Read(document, "format", format, fault) || format != kModelFileFormat)
        return refuse(TRefusal::Name, "", "不是 javagen 的模型文件");
    if (!Read(document, "version", version, fault))
        return refuse(TRefusal::Name, "", fault);
    if (version > kModelFileVersion || version < 1)
        return refuse(TRefusal::Name, "",
            "文件的格式版本为 " + std::to_string(version) + "，本程序只能读取版本 " +
                std::to_string(kModelFileVersion) + "，请使用更新的程序导入");
    if (!Read(document, "project", projectName, fault))
        return refuse(TRefusal::Name, "", fault);
    std::set<std::string> topKeys = { "format", "version", "project", "classes" };
    if (version >= 2)
        topKeys.insert("database");
    if (std::string key = UnknownKey(document, topKeys); !key.empty())
        return refuse(TRefusal::Name, "", UnknownKeyMessage(key));
    const std::set<std::string> classKeys = version >= 2
        ? std::set<std::string> { "name", "friendName", "members", "table" }
        : std::set<std::string> { "name", "friendName", "members" };
    const std::set<std::string> memberKeys = MemberKeys(version);
    ordered_json classes;
    if (!Read(document, "classes", classes, fault) || !classes.is_array())
        return refuse(TRefusal::Name, "", fault.empty() ? "“classes”应是一个数组" : fault);
    if (newName)
        projectName = *newName;
    TProjectDatabase database;
    if (version >= 2 && !ReadDatabase(document, database, fault))
        return refuse(TRefusal::Name, "", fault);

    TCommandResult result;
    TDbHelper().WriteAtomically([&] {
        auto fail = [&](const TCommandResult& refusal) {
            result = refusal;
            return false; // rolls the whole import back
        };
        std::string shownProject = "工程“" + ShownName(projectName) + "”";
        TCommandResult project = TModelCommands::NewProject(projectName);
        if (!project.Done())
            return fail(refuse(project.refusal == TRefusal::Duplicate ? TRefusal::ProjectNameTaken : project.refusal,
                shownProject, project.message));
        int projectId = project.id;
        if (!database.Empty()) {
            TCommandResult set = TModelCommands::SetProjectDatabase(projectId, database);
            if (!set.Done())
                return fail(refuse(set.refusal, shownProject, set.message));
        }
        struct TAdded {
            int classId;
            size_t index;
            std::string name;
        };
        std::vector<TAdded> added;
        for (size_t c = 0; c < classes.size(); ++c) {
            const ordered_json& object = classes[c];
            std::string name, friendName;
            // Built only for a refusal: finding a line reads the text up to
            // it. Only objects have their start noted.
            bool named = false;
            auto where = [&] {
                return named ? classAt(c) + "类 " + ShownName(name)
                             : (object.is_object() ? classAt(c) : "") + "第 " + std::to_string(c + 1) + " 个类";
            };
            if (!object.is_object() || !Read(object, "name", name, fault) ||
                !Read(object, "friendName", friendName, fault))
                return fail(refuse(TRefusal::Name, where(), fault.empty() ? "应是一个对象" : fault));
            named = true;
            if (std::string key = UnknownKey(object, classKeys); !key.empty())
                return fail(refuse(TRefusal::Name, where(), UnknownKeyMessage(key)));
            std::string table;
            if (version >= 2 && !ReadOptional(object, "table", table, fault))
                return fail(refuse(TRefusal::Name, where(), fault));
            TCommandResult addedClass = TModelCommands::AddClass(projectId, name, friendName);
            if (addedClass.Done() && !table.empty())
                addedClass = TModelCommands::SetClassTable(addedClass.id, table);
            if (!addedClass.Done())
                return fail(refuse(addedClass.refusal, where(), addedClass.message));
            added.push_back({ addedClass.id, c, ShownName(name) });
        }
        for (const TAdded& theClass : added) {
            const ordered_json& object = classes[theClass.index];
            ordered_json members;
            if (!Read(object, "members", members, fault) || !members.is_array())
                return fail(refuse(TRefusal::Name, classAt(theClass.index) + "类 " + theClass.name,
                    fault.empty() ? "“members”应是一个数组" : fault));
            for (size_t m = 0; m < members.size(); ++m) {
                const ordered_json& member = members[m];
                TMemberEntry entry;
                int length = 0;
                bool named = false;
                auto where = [&] {
                    return named
                        ? memberAt(theClass.index, m) + "类 " + theClass.name + " 的成员 " + ShownName(entry.name)
                        : (member.is_object() ? memberAt(theClass.index, m) : "") + "类 " + theClass.name + " 的第 " +
                            std::to_string(m + 1) + " 个成员";
                };
                if (!member.is_object() || !Read(member, "name", entry.name, fault))
                    return fail(refuse(TRefusal::Name, where(), fault.empty() ? "应是一个对象" : fault));
                named = true;
                if (std::string key = UnknownKey(member, memberKeys); !key.empty())
                    return fail(refuse(TRefusal::Name, where(), UnknownKeyMessage(key)));
                if (!Read(member, "type", entry.type, fault) || !Read(member, "length", length, fault) ||
                    !Read(member, "comment", entry.comment, fault))
                    return fail(refuse(TRefusal::Name, where(), fault));
                for (const TMemberField* flag : EntryFlagFields())
                    if (flag->since == 0 && !Read(member, flag->jsonKey, entry.*flag->entryFlag, fault))
                        return fail(refuse(TRefusal::Flags, where(), fault));
                if (version >= 2 && !ReadColumnData(member, version, entry, fault))
                    return fail(refuse(TRefusal::Flags, where(), fault));
                entry.lengthText = std::to_string(length);
                TCommandResult addedMember = TModelCommands::AddMember(projectId, theClass.classId, entry);
                if (!addedMember.Done())
                    return fail(refuse(addedMember.refusal, where(), addedMember.message));
            }
        }
        result = { TRefusal::None, "模型已导入为工程“" + projectName + "”!", projectId };
        return true;
    });
    return result;
}
