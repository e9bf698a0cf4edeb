// "导出模型(&E)...", "导入模型(&I)..." and "从数据库导入(&D)...": the model in
// and out of the window.
#include "FormMain.h"
#include "ToolsCommands.h"

#include "ImportDbForm.h"
#include "ReportForm.h"
#include "UiText.h"

#include "FileOperate.h"
#include "ModelFile.h"
#include "ProjectSettings.h"
#include "SchemaMapping.h"
#include "TargetFacts.h"

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
bool UpdateFromFile(TFormMain& w, const std::string& text, const std::string& fileName, int projectId)
{
    TModelUpdate plan = UpdateModel(text, fileName, projectId, { true, false });
    if (!plan.result.Done()) {
        w.Message(Text(plan.result.message));
        return true;
    }
    QStringList lines;
    for (const auto& line : plan.plan)
        lines << Text(line);
    TReportForm report(&w, Text("导入模型"),
        Text("已有同名的工程。按文件更新它将做下列改动，此时还没有写入任何东西；选“取消”则把文件导入为一个新工程："),
        lines, Text("更新工程(&U)"));
    w.RunDialog(report);
    if (report.result() != QDialog::Accepted)
        return false;
    TModelUpdate update = UpdateModel(text, fileName, projectId, { false, false });
    if (update.result.refusal == TRefusal::Unconfirmed) {
        if (!w.Dialogs().ConfirmDefaultNo(&w, Text(update.result.message) + Text("。确定要导入吗？"), Text("导入模型")))
            return true;
        update = UpdateModel(text, fileName, projectId, { false, true });
    }
    if (!update.result.Done()) {
        w.Message(Text(update.result.message));
        return true;
    }
    w.ReloadProjects();
    w.SelectProject(projectId);
    w.Message(Text(update.result.message));
    return true;
}

} // namespace

void TToolsCommands::ExportModelFile()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        int projectId = w.SelectedProjectId();
        if (projectId < 0)
            return w.Message(Text("没有一个工程被选中！"));
        auto path =
            w.Dialogs().SaveFileName(&w, Text("导出模型"), w.SelectedProjectName() + Text(".json"), Text(kModelFilter));
        if (!path)
            return;
        TFileOperate::WriteDocument(path->toStdString(), ExportModel(projectId));
        w.Message(Text("工程“") + w.SelectedProjectName() + Text("”的模型已导出到 ") + *path);
    });
}

void TToolsCommands::ImportModelFile()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        auto path = w.Dialogs().OpenFileName(&w, Text("导入模型"), Text(kModelFilter));
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
            auto name = w.Dialogs().InputText(
                &w, Text("请输入工程名称"), Text(result.message) + Text("\n请为导入的工程输入一个新名称:"), QString());
            if (!name)
                return;
            result = ImportModel(text, fileName, name->toStdString());
        }
        if (!result.Done())
            return w.Message(Text(result.message));
        w.ReloadProjects();
        w.SelectProject(result.id);
        w.Message(Text(result.message));
    });
}

void TToolsCommands::ImportFromDatabase()
{
    TFormMain& w = window_;
    w.Guarded([this, &w] {
        TImportDbForm form(&w, w.Dialogs());
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
                w.Message(Text("没有可以导入的表。"));
                continue;
            }
            QStringList lines;
            for (const auto& line : plan.Report())
                lines << Text(line);
            TReportForm report(&w, Text("从数据库导入预览"),
                Text("将创建下列类和成员（改名和跳过的表、列列在最后），此时还没有写入任何东西："), lines,
                Text("导入(&I)"));
            w.RunDialog(report);
            if (report.result() == QDialog::Accepted)
                chosen = std::move(plan);
        }
        const TImportPlan& plan = *chosen;
        TCommandResult result = ApplyImportPlan(plan, form.Edt_ProjectName->text().toStdString());
        if (!result.Done())
            return w.Message(Text(result.message));
        w.ReloadProjects();
        w.SelectProject(result.id);
        w.Message(Text(result.message));
    });
}
