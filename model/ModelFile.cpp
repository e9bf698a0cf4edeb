#include "ModelFile.h"

#include "ClassDAO.h"
#include "DbHelper.h"
#include "MemberFields.h"
#include "MemberTypes.h"
#include "ModelSnapshot.h"
#include "ProjectDAO.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

using nlohmann::ordered_json;

namespace {

// Line and column (from 1) of a byte offset, for a syntax error.
std::pair<size_t, size_t> Position(const std::string& text, size_t offset)
{
    size_t line = 1, column = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column; // a character, not a continuation byte
        }
    }
    return { line, column };
}

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

// Whether a value is a whole number an int holds: get<int>() alone would
// take true as 1, 1.9 as 1 and wrap numbers that do not fit.
bool IsInt(const ordered_json& value)
{
    if (value.is_number_unsigned())
        return value.get<std::uint64_t>() <= static_cast<std::uint64_t>(std::numeric_limits<int>::max());
    if (!value.is_number_integer())
        return false;
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
        if (!IsInt(*found)) {
            fault = std::string("“") + key + "”的值类型不对";
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

// The keys version 2 adds to a member.
bool ReadColumnData(const ordered_json& member, TMemberEntry& entry, std::string& fault)
{
    for (const auto& field : MemberFields()) {
        if (field.since == 0 || !field.jsonKey)
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
    return ReadOptional(*found, "url", database.url, fault) && ReadOptional(*found, "user", database.user, fault) &&
        ReadOptional(*found, "driver", database.driver, fault) &&
        ReadOptional(*found, "dialect", database.dialect, fault);
}

} // namespace

TCommandResult ImportModel(const std::string& text, const std::string& fileName, const std::string& newName)
{
    TFileRefusal refuse(fileName);
    ordered_json document;
    try {
        document = ordered_json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        auto [line, column] = Position(text, e.byte == 0 ? 0 : e.byte - 1);
        return refuse(TRefusal::Name, "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列",
            "不是正确的 JSON 文本");
    }
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
    ordered_json classes;
    if (!Read(document, "classes", classes, fault) || !classes.is_array())
        return refuse(TRefusal::Name, "", fault.empty() ? "“classes”应是一个数组" : fault);
    if (!newName.empty())
        projectName = newName;
    TProjectDatabase database;
    if (version >= 2 && !ReadDatabase(document, database, fault))
        return refuse(TRefusal::Name, "", fault);

    TCommandResult result;
    TDbHelper().WriteAtomically([&] {
        auto fail = [&](const TCommandResult& refusal) {
            result = refusal;
            return false; // rolls the whole import back
        };
        TCommandResult project = TModelCommands::NewProject(projectName);
        if (!project.Done())
            return fail(refuse(project.refusal == TRefusal::Duplicate ? TRefusal::ProjectNameTaken : project.refusal,
                "工程“" + projectName + "”", project.message));
        int projectId = project.id;
        if (!database.Empty()) {
            TCommandResult set = TModelCommands::SetProjectDatabase(projectId, database);
            if (!set.Done())
                return fail(refuse(set.refusal, "工程“" + projectName + "”", set.message));
        }
        std::vector<std::pair<int, const ordered_json*>> added;
        for (size_t c = 0; c < classes.size(); ++c) {
            const ordered_json& object = classes[c];
            std::string name, friendName, where = "第 " + std::to_string(c + 1) + " 个类";
            if (!object.is_object() || !Read(object, "name", name, fault) ||
                !Read(object, "friendName", friendName, fault))
                return fail(refuse(TRefusal::Name, where, fault.empty() ? "应是一个对象" : fault));
            std::string table;
            if (version >= 2 && !ReadOptional(object, "table", table, fault))
                return fail(refuse(TRefusal::Name, "类 " + name, fault));
            TCommandResult added_class = TModelCommands::AddClass(projectId, name, friendName);
            if (added_class.Done() && !table.empty())
                added_class = TModelCommands::SetClassTable(added_class.id, table);
            if (!added_class.Done())
                return fail(refuse(added_class.refusal, "类 " + name, added_class.message));
            added.push_back({ added_class.id, &object });
        }
        for (const auto& [classId, object] : added) {
            std::string className = (*object)["name"].get<std::string>();
            ordered_json members;
            if (!Read(*object, "members", members, fault) || !members.is_array())
                return fail(refuse(TRefusal::Name, "类 " + className, fault.empty() ? "“members”应是一个数组" : fault));
            for (size_t m = 0; m < members.size(); ++m) {
                const ordered_json& member = members[m];
                std::string where = "类 " + className + " 的第 " + std::to_string(m + 1) + " 个成员";
                TMemberEntry entry;
                int length = 0;
                if (!member.is_object() || !Read(member, "name", entry.name, fault) ||
                    !Read(member, "type", entry.type, fault) || !Read(member, "length", length, fault) ||
                    !Read(member, "comment", entry.comment, fault))
                    return fail(refuse(TRefusal::Name, where, fault.empty() ? "应是一个对象" : fault));
                for (const TMemberField* flag : EntryFlagFields())
                    if (flag->since == 0 && !Read(member, flag->jsonKey, entry.*flag->entryFlag, fault))
                        return fail(refuse(TRefusal::Flags, where, fault));
                if (version >= 2 && !ReadColumnData(member, entry, fault))
                    return fail(refuse(TRefusal::Flags, where, fault));
                entry.lengthText = std::to_string(length);
                TCommandResult added_member = TModelCommands::AddMember(projectId, classId, entry);
                if (!added_member.Done())
                    return fail(refuse(
                        added_member.refusal, "类 " + className + " 的成员 " + entry.name, added_member.message));
            }
        }
        result = { TRefusal::None, "模型已导入为工程“" + projectName + "”!", projectId };
        return true;
    });
    return result;
}
