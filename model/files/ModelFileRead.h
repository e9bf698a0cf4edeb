#pragma once
#include "model/commands/ModelCommands.h"
#include "model/files/ModelFileText.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TMember;
struct TMemberField;

// A model file read into plain records, every key checked, before anything
// is entered: the import into a new project and the update of an existing
// one enter the same records through the same rules.

struct TFileMember {
    TMemberEntry entry;
    size_t index = 0; // position in its class's "members"
};

struct TFileClass {
    std::string name;
    std::string friendName;
    std::string table; // version 2
    bool readOnly = false; // version 4
    std::vector<TFileMember> members;
    size_t index = 0; // position in "classes"
};

struct TFileModel {
    int version = 0;
    std::string project;
    std::string target; // version 4; empty: the legacy frameworks
    std::optional<std::string> packageName; // version 6; none: not stored
    bool pages = false; // version 6
    std::string databaseKind; // version 7; empty: MariaDB/MySQL
    TProjectDatabase database; // version 2
    std::vector<TFileClass> classes;
};

// The first version whose files carry each setting: a file of an older one
// says nothing of it, a file of this one or later means the default when
// the key is absent.
inline constexpr int kFileVersionDatabase = 2;
inline constexpr int kFileVersionTable = 2;
inline constexpr int kFileVersionTarget = 4;
inline constexpr int kFileVersionReadOnly = 4;
inline constexpr int kFileVersionSettings = 6; // "package" and "pages"
inline constexpr int kFileVersionDatabaseKind = 7;

class TModelFileReader {
public:
    TModelFileReader(std::string_view text, std::string fileName);

    // The file's model, or the refusal naming the fault and where it is.
    std::optional<TCommandResult> Read(TFileModel& model);

    // "导入 FILE 失败：WHERE：MESSAGE".
    TCommandResult Refuse(TRefusal kind, const std::string& where, const std::string& message) const;
    // Where an object is, for a refusal: "第 N 行，类 Book", "第 N 行，类
    // Book 的成员 isbn". Built only for a refusal: a line reads the text up
    // to it.
    std::string ClassWhere(const TFileClass& theClass) const;
    std::string MemberWhere(const TFileClass& theClass, const TFileMember& member) const;
    const std::string& FileName() const { return fileName_; }

private:
    std::optional<TCommandResult> ReadTop(TFileModel& model);
    std::optional<TCommandResult> ReadClass(const nlohmann::ordered_json& object, size_t c, TFileClass& theClass);
    std::optional<TCommandResult> ReadMember(
        const TFileClass& theClass, const nlohmann::ordered_json& object, size_t m, TFileMember& member);
    std::string At(size_t offset) const;
    std::string Line(size_t offset) const;
    std::string ClassAt(size_t c) const;
    std::string MemberAt(size_t c, size_t m) const;

    std::string_view text_;
    std::string fileName_;
    TTextLayout layout_;
    int version_ = 0;
};

// A member as the model file's canonical text writes it.
nlohmann::ordered_json MemberObject(const TMember& member);
// Whether a field of a later version holds anything but its default.
bool HasFieldValue(const TMember& member, const TMemberField& field);

// Entering a file's records through the command layer (inside the caller's
// transaction): the settings a new project takes from the file, and a new
// class with its table.
TCommandResult EnterProjectSettings(int projectId, const TFileModel& file);
TCommandResult EnterClass(int projectId, const TFileClass& theClass);
