// "导出模型(&E)...", "导入模型(&I)..." and "从数据库导入(&D)...": the model in
// and out of the window.
#include "ui/commands/ToolsCommands.h"
#include "ui/run/Workbench.h"

#include "ui/dialogs/ImportDbForm.h"
#include "ui/dialogs/ReportForm.h"
#include "ui/dialogs/UiText.h"

#include "codegen/io/FileOperate.h"
#include "model/commands/ProjectSettings.h"
#include "model/files/ModelFile.h"
#include "model/import/SchemaMapping.h"
#include "model/rules/TargetFacts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

namespace {

const char* const kModelFilter = "javagen 模型文件 (*.json);;所有文件 (*)";

// The target the import dialog's check box stands for: the first that
// takes BLOB columns as files.
std::string FileTarget()
{
    for (const TTargetFacts& target : KnownTargets())
        if (target.binaryMembers)
            return target.name;
    return "";
}

// Offers to bring the project to the file: its change plan first, nothing
// written yet; a loss asked once more. False when the user would rather
// import the file as a new project.
bool UpdateFromFile(IWorkbench& w, const std::string& text, const std::string& fileName, int projectId)
{
    TModelUpdate plan = UpdateModel(text, fileName, projectId, { true, false });
    if (!plan.result.Done()) {
        Message(w, Text(plan.result.message));
        return true;
    }
    QStringList lines;
    for (const auto& line : plan.plan)
        lines << Text(line);
    TReportForm report(w.Owner(), Text("导入模型"),
        Text("已有同名的工程。按文件更新它将做下列改动，此时还没有写入任何东西；选“取消”则把文件导入为一个新工程："),
        lines, Text("更新工程(&U)"));
    w.RunDialog(report);
    if (report.result() != QDialog::Accepted)
        return false;
    TModelUpdate update = UpdateModel(text, fileName, projectId, { false, false });
    if (update.result.refusal == TRefusal::Unconfirmed) {
        if (!w.Dialogs().ConfirmDefaultNo(
                w.Owner(), Text(update.result.message) + Text("。确定要导入吗？"), Text("导入模型")))
            return true;
        update = UpdateModel(text, fileName, projectId, { false, true });
    }
    if (!update.result.Done()) {
        Message(w, Text(update.result.message));
        return true;
    }
    w.Lists().ReloadProjects();
    w.Lists().SelectProject(projectId);
    Message(w, Text(update.result.message));
    return true;
}

} // namespace

void TToolsCommands::ExportModelFile()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        int projectId = w.Lists().SelectedProjectId();
        if (projectId < 0)
            return Message(w, Text("没有一个工程被选中！"));
        auto path = w.Dialogs().SaveFileName(
            w.Owner(), Text("导出模型"), w.Lists().SelectedProjectName() + Text(".json"), Text(kModelFilter));
        if (!path)
            return;
        TFileOperate::WriteDocument(path->toStdString(), ExportModel(projectId));
        Message(w, Text("工程“") + w.Lists().SelectedProjectName() + Text("”的模型已导出到 ") + *path);
    });
}

void TToolsCommands::ImportModelFile()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        auto path = w.Dialogs().OpenFileName(w.Owner(), Text("导入模型"), Text(kModelFilter));
        if (!path)
            return;
        std::string text = TFileOperate::ReadFileBytes(path->toStdString());
        std::string fileName = QFileInfo(*path).fileName().toStdString();
        TCommandResult result = ImportModel(text, fileName);
        // A project of that name exists already: the file updates it, after
        // its plan is read, or comes in under a name the user gives.
        if (result.refusal == TRefusal::ProjectNameTaken && result.id > 0 &&
            UpdateFromFile(w, text, fileName, result.id))
            return;
        while (result.refusal == TRefusal::ProjectNameTaken) {
            auto name = w.Dialogs().InputText(w.Owner(), Text("请输入工程名称"),
                Text(result.message) + Text("\n请为导入的工程输入一个新名称:"), QString());
            if (!name)
                return;
            result = ImportModel(text, fileName, name->toStdString());
        }
        if (!result.Done())
            return Message(w, Text(result.message));
        w.Lists().ReloadProjects();
        w.Lists().SelectProject(result.id);
        Message(w, Text(result.message));
    });
}

void TToolsCommands::ImportFromDatabase()
{
    IWorkbench& w = window_;
    w.Guarded([this, &w] {
        TImportDbForm form(w.Owner(), w.Dialogs());
        form.Fill(lastDbConnection_);
        std::optional<TImportPlan> chosen;
        // Cancel in the preview goes back to the tables, not out of it all.
        while (!chosen) {
            w.RunDialog(form);
            if (form.result() != QDialog::Accepted || !form.Schema())
                return;
            lastDbConnection_ = form.Connection();
            lastDbConnection_.password.clear();
            TImportPlan plan = PlanSchemaImport(*form.Schema(), form.CheckedTables(), form.CB_TextQuery->isChecked(),
                form.CB_TargetCurrent->isChecked() ? FileTarget() : "");
            plan.database = DatabaseOf(form.Connection());
            if (plan.classes.empty()) {
                Message(w, Text("没有可以导入的表。"));
                continue;
            }
            QStringList lines;
            for (const auto& line : plan.Report())
                lines << Text(line);
            TReportForm report(w.Owner(), Text("从数据库导入预览"),
                Text("将创建下列类和成员（改名和跳过的表、列列在最后），此时还没有写入任何东西："), lines,
                Text("导入(&I)"));
            w.RunDialog(report);
            if (report.result() == QDialog::Accepted)
                chosen = std::move(plan);
        }
        const TImportPlan& plan = *chosen;
        TCommandResult result = ApplyImportPlan(plan, form.Edt_ProjectName->text().toStdString());
        if (!result.Done())
            return Message(w, Text(result.message));
        w.Lists().ReloadProjects();
        w.Lists().SelectProject(result.id);
        Message(w, Text(result.message));
    });
}
