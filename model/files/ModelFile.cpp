// Import of a model file as a new project.
#include "model/files/ModelFile.h"

#include "model/files/ModelFileRead.h"
#include "model/files/ModelFileText.h"
#include "model/store/DbHelper.h"
#include "model/store/ProjectDAO.h"

namespace {

int ProjectIdByName(const std::string& name)
{
    for (const auto& entry : TProjectDAO().ListProjects())
        if (entry.text == name)
            return entry.id;
    return 0;
}

// One import: the file read whole, then the project, its settings, its
// classes and their members entered through the command layer in one
// transaction. The first fault refuses the whole file, naming where it is.
class TModelImport {
public:
    TModelImport(std::string_view text, const std::string& fileName)
        : reader_(text, fileName)
    {
    }

    TCommandResult Run(const std::optional<std::string>& newName)
    {
        if (auto refusal = reader_.Read(file_))
            return *refusal;
        if (newName)
            file_.project = *newName;
        TCommandResult result;
        TDbHelper().WriteAtomically([&] {
            result = Enter();
            return result.Done(); // a refusal rolls the whole import back
        });
        return result;
    }

private:
    TCommandResult Enter()
    {
        std::string shownProject = "工程“" + ShownName(file_.project) + "”";
        TCommandResult project = TModelCommands::NewProject(file_.project);
        if (!project.Done()) {
            if (project.refusal != TRefusal::Duplicate)
                return reader_.Refuse(project.refusal, shownProject, project.message);
            // The project that has the name, for an update instead.
            TCommandResult taken = reader_.Refuse(TRefusal::ProjectNameTaken, shownProject, project.message);
            taken.id = ProjectIdByName(file_.project);
            return taken;
        }
        int projectId = project.id;
        if (TCommandResult set = EnterProjectSettings(projectId, file_); !set.Done())
            return reader_.Refuse(set.refusal, shownProject, set.message);
        std::vector<int> classIds;
        for (const TFileClass& theClass : file_.classes) {
            TCommandResult added = EnterClass(projectId, theClass);
            if (!added.Done())
                return reader_.Refuse(added.refusal, reader_.ClassWhere(theClass), added.message);
            classIds.push_back(added.id);
        }
        for (size_t c = 0; c < file_.classes.size(); ++c)
            for (const TFileMember& member : file_.classes[c].members) {
                TCommandResult added = TModelCommands::AddMember(projectId, classIds[c], member.entry);
                if (!added.Done())
                    return reader_.Refuse(added.refusal, reader_.MemberWhere(file_.classes[c], member), added.message);
            }
        return { TRefusal::None, "模型已导入为工程“" + file_.project + "”!", projectId };
    }

    TModelFileReader reader_;
    TFileModel file_;
};

} // namespace

TCommandResult EnterProjectSettings(int projectId, const TFileModel& file)
{
    if (!file.database.Empty())
        if (TCommandResult set = TModelCommands::SetProjectDatabase(projectId, file.database); !set.Done())
            return set;
    if (!file.target.empty())
        if (TCommandResult set = TModelCommands::SetProjectTarget(projectId, file.target); !set.Done())
            return set;
    if (file.packageName)
        if (TCommandResult set = TModelCommands::SetProjectPackage(projectId, *file.packageName); !set.Done())
            return set;
    if (!file.databaseKind.empty())
        if (TCommandResult set = TModelCommands::SetProjectDatabaseKind(projectId, file.databaseKind); !set.Done())
            return set;
    if (file.pages)
        return TModelCommands::SetProjectWebapp(projectId, true);
    return { TRefusal::None, "", projectId };
}

TCommandResult EnterClass(int projectId, const TFileClass& theClass)
{
    TCommandResult added = TModelCommands::AddClass(projectId, theClass.name, theClass.friendName);
    if (added.Done() && (!theClass.table.empty() || theClass.readOnly))
        added = TModelCommands::SetClassTable(added.id, theClass.table, theClass.readOnly);
    return added;
}

TCommandResult ImportModel(
    std::string_view text, const std::string& fileName, const std::optional<std::string>& newName)
{
    return TModelImport(text, fileName).Run(newName);
}
