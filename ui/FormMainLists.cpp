// The window's lists: the project selector, the class list and the member
// table, filled from the read layer, and what is selected in them.
#include "DbHelper.h"
#include "FormMain.h"

#include <QSettings>

#include "FillingScope.h"
#include "UiText.h"

#include "DbHelper.h"
#include "ModelReads.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTableWidget>

// ---- refresh operations -------------------------------------------------

void TFormMain::ReloadProjects()
{
    TFillingScope filling(filling_);
    CB_Project->clear();
    TIdList projects = ReadProjects();
    for (const auto& entry : projects)
        CB_Project->addItem(Text(entry.text), entry.id);
    LB_Object->clear();
    if (projects.empty()) {
        state_.ShowProject(-1);
        ClearMembers();
        RefreshStatus();
        return;
    }
    CB_Project->setCurrentIndex(0);
    if (rememberedProjectIndex_ != -1 && rememberedProjectIndex_ < CB_Project->count())
        CB_Project->setCurrentIndex(rememberedProjectIndex_);
    ReloadClasses(SelectedProjectId());
}

void TFormMain::ReloadClasses(int projectId)
{
    if (projectId >= 0)
        QSettings("javagen", "workbench")
            .setValue("lastProject", QStringList({ Text(TDbHelper::DatabasePath()), QString::number(projectId) }));
    LoadProjectSettings();
    TFillingScope filling(filling_);
    LB_Object->clear();
    for (const TClassRow& row : ReadClasses(projectId)) {
        auto* item = new QListWidgetItem(Text(row.className), LB_Object);
        item->setData(Qt::UserRole, row.classId);
        item->setData(Qt::UserRole + 1, Text(row.friendName));
        item->setToolTip(Text(row.className) + Text("（") + Text(row.friendName) + Text("）"));
    }
    FilterClasses(Edt_ClassFilter->text());
    if (LB_Object->count() == 0) {
        // No class, no members: nothing of another project stays editable.
        ClearMembers();
        RefreshStatus();
        return;
    }
    LB_Object->setCurrentRow(0);
    ReloadMembers(SelectedClassId());
    RefreshStatus();
}

void TFormMain::SelectClass(int classId)
{
    for (int row = 0; row < LB_Object->count(); ++row)
        if (LB_Object->item(row)->data(Qt::UserRole).toInt() == classId) {
            LB_Object->setCurrentRow(row);
            ReloadMembers(classId);
            RefreshStatus();
            return;
        }
}

void TFormMain::FilterClasses(const QString& text)
{
    for (int row = 0; row < LB_Object->count(); ++row) {
        QListWidgetItem* item = LB_Object->item(row);
        bool shown = text.isEmpty() || item->text().contains(text, Qt::CaseInsensitive) ||
            item->data(Qt::UserRole + 1).toString().contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
    }
}

void TFormMain::ClearMembers()
{
    LV_Member->clearContents();
    LV_Member->setRowCount(0);
}

void TFormMain::ReloadMembers(int classId)
{
    ClearMembers();
    for (const TMemberRow& member : ReadClassMembers(classId)) {
        int row = LV_Member->rowCount();
        LV_Member->insertRow(row);
        int column = 0;
        // Texts a narrow column cuts off show whole as a tooltip.
        auto put = [&](const QString& text, bool whole = false) {
            auto* item = new QTableWidgetItem(text);
            if (whole)
                item->setToolTip(text);
            LV_Member->setItem(row, column++, item);
        };
        put(QString::number(member.memberId));
        put(Text(member.name), true);
        put(Text(member.type), true);
        put(Text(member.length));
        for (bool flag : member.flags)
            put(Text(flag ? "是" : "否"));
        put(Text(member.comment), true);
    }
}

// ---- selection ----------------------------------------------------------

void TFormMain::SelectProject(int projectId)
{
    int index = CB_Project->findData(projectId);
    if (index < 0 || index == CB_Project->currentIndex())
        return;
    CB_Project->setCurrentIndex(index);
    ReloadClasses(projectId);
}

void TFormMain::ShowProjectNamed(const QString& name)
{
    int index = CB_Project->findText(name, Qt::MatchExactly);
    if (index >= 0 && index != CB_Project->currentIndex()) {
        CB_Project->setCurrentIndex(index);
        ReloadClasses(SelectedProjectId());
    }
}

void TFormMain::RememberProjectIndex(bool forget)
{
    rememberedProjectIndex_ = forget ? -1 : CB_Project->currentIndex();
}

int TFormMain::SelectedProjectId() const
{
    int index = CB_Project->currentIndex();
    return index < 0 ? -1 : CB_Project->itemData(index).toInt();
}

QString TFormMain::SelectedProjectName() const
{
    int index = CB_Project->currentIndex();
    return index < 0 ? QString() : CB_Project->itemText(index);
}

int TFormMain::SelectedClassId() const
{
    QListWidgetItem* item = LB_Object->currentRow() < 0 ? nullptr : LB_Object->item(LB_Object->currentRow());
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

int TFormMain::SelectedMemberId() const
{
    QList<QTableWidgetItem*> selected = LV_Member->selectedItems();
    if (selected.isEmpty())
        return -1;
    QTableWidgetItem* caption = LV_Member->item(selected.first()->row(), 0);
    return caption ? caption->text().toInt() : -1;
}

QString TFormMain::SelectedClassText() const
{
    QListWidgetItem* entry = LB_Object->currentItem();
    return entry ? entry->text() : QString();
}

QString TFormMain::SelectedMemberName() const
{
    QList<QTableWidgetItem*> selected = LV_Member->selectedItems();
    QTableWidgetItem* name = selected.isEmpty() ? nullptr : LV_Member->item(selected.first()->row(), 1);
    return name ? name->text() : QString();
}

void TFormMain::RemoveSelectedClass()
{
    TFillingScope filling(filling_);
    delete LB_Object->takeItem(LB_Object->currentRow());
    LB_Object->setCurrentItem(nullptr);
    LB_Object->clearSelection();
    ClearMembers();
}

void TFormMain::SetSelectedClassText(const QString& className)
{
    if (QListWidgetItem* item = LB_Object->currentItem())
        item->setText(className);
    RefreshStatus();
}
