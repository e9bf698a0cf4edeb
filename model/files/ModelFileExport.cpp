// Export of a project as a model file: the canonical text of ModelFile.h.
#include "model/files/ModelFile.h"
#include "model/store/DatabaseKind.h"

#include "model/commands/ModelSnapshot.h"
#include "model/commands/ProjectSettings.h"
#include "model/files/ModelFileRead.h"
#include "model/store/MemberFields.h"
#include "model/store/MemberTypes.h"
#include "model/store/ProjectDAO.h"

#include <nlohmann/json.hpp>

#include <algorithm>

using nlohmann::ordered_json;

namespace {

std::string ProjectName(int projectId)
{
    for (const auto& entry : TProjectDAO().ListProjects())
        if (entry.id == projectId)
            return entry.text;
    return "";
}

// The oldest version that carries everything the model holds, so that an
// older program refuses a file it would read wrongly: 2 for column data,
// tables, a database or the types version 1 did not have; a field's own
// version for its value.
int VersionNeeded(const TModelSnapshot& snapshot)
{
    int version = snapshot.Database().Empty() ? 1 : 2;
    for (const auto& c : snapshot.Classes()) {
        if (!c.tableName.empty())
            version = std::max(version, 2);
        if (c.readOnly)
            version = std::max(version, 4);
        for (const auto& row : c.members) {
            const TMember& m = row.member;
            if (m.GetMemberType() == kTypeLong || m.GetMemberType() == kTypeDecimal)
                version = std::max(version, 2);
            if (m.GetMemberType() == kTypeDouble)
                version = std::max(version, 3);
            if (m.GetMemberType() == kTypeBinary)
                version = std::max(version, 5);
            for (const auto& field : MemberFields())
                if (field.since > 0 && HasFieldValue(m, field))
                    version = std::max(version, field.fileVersion);
        }
    }
    return version;
}

} // namespace

std::string ExportModel(int projectId)
{
    TModelSnapshot snapshot = TModelSnapshot::Read(projectId);
    // Written by hand around nlohmann's own text for each value, so that the
    // layout is fixed: two-space indent, one member object per line.
    auto value = [](const ordered_json& v) { return v.dump(-1, ' ', false, ordered_json::error_handler_t::replace); };
    std::string out = "{\n";
    out += "  \"format\": " + value(kModelFileFormat) + ",\n";
    // A target other than the default needs version 4; a stored
    // package or the pages version 6.
    TProjectSettings settings = ReadProjectSettings(projectId);
    bool otherTarget = settings.target != kTargetLegacy;
    int version = std::max(VersionNeeded(snapshot), otherTarget ? kFileVersionTarget : 1);
    if (settings.packageStored || settings.webapp)
        version = std::max(version, kFileVersionSettings);
    bool otherDatabase = settings.databaseKind != kDatabaseMysql;
    if (otherDatabase)
        version = std::max(version, kFileVersionDatabaseKind);
    out += "  \"version\": " + std::to_string(version) + ",\n";
    out += "  \"project\": " + value(ProjectName(projectId)) + ",\n";
    if (otherTarget)
        out += "  \"target\": " + value(settings.target) + ",\n";
    if (settings.packageStored)
        out += "  \"package\": " + value(settings.packageName) + ",\n";
    if (settings.webapp)
        out += "  \"pages\": true,\n";
    if (otherDatabase)
        out += "  \"databaseKind\": " + value(settings.databaseKind) + ",\n";
    const TProjectDatabase& database = snapshot.Database();
    if (!database.Empty()) {
        ordered_json object;
        object["url"] = database.url;
        object["user"] = database.user;
        object["driver"] = database.driver;
        object["dialect"] = database.dialect;
        out += "  \"database\": " + value(object) + ",\n";
    }
    out += "  \"classes\": [";
    const auto& classes = snapshot.Classes();
    for (size_t c = 0; c < classes.size(); ++c) {
        out += c == 0 ? "\n" : ",\n";
        out += "    {\n";
        out += "      \"name\": " + value(classes[c].className) + ",\n";
        out += "      \"friendName\": " + value(classes[c].friendName) + ",\n";
        if (!classes[c].tableName.empty())
            out += "      \"table\": " + value(classes[c].tableName) + ",\n";
        if (classes[c].readOnly)
            out += "      \"readOnly\": true,\n";
        out += "      \"members\": [";
        const auto& members = classes[c].members;
        for (size_t m = 0; m < members.size(); ++m)
            out += (m == 0 ? "\n        " : ",\n        ") + value(MemberObject(members[m].member));
        out += members.empty() ? "]\n" : "\n      ]\n";
        out += "    }";
    }
    out += classes.empty() ? "]\n" : "\n  ]\n";
    out += "}\n";
    return out;
}
