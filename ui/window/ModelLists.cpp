// The window's lists: the project selector, the class list and the member
// table, filled from the read layer, and what is selected in them.
#include "ui/window/ModelLists.h"

#include "model/commands/ModelReads.h"
#include "model/store/DbHelper.h"
#include "ui/dialogs/UiText.h"
#include "ui/run/WorkbenchState.h"
#include "ui/window/FillingScope.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTableWidget>

TModelLists::TModelLists(
    TWidgets widgets, TWorkbenchState& state, std::function<void()> shown, std::function<void()> changed)
    : widgets_(widgets)
    , state_(state)
    , shown_(std::move(shown))
    , changed_(std::move(changed))
{
}

// ---- refresh operations -------------------------------------------------

void TModelLists::ReloadProjects()
{
    TFillingScope filling(filling_);
    widgets_.projects->clear();
    TIdList projects = ReadProjects();
    for (const auto& entry : projects)
        widgets_.projects->addItem(Text(entry.text), entry.id);
    widgets_.classes->clear();
    if (projects.empty()) {
        state_.ShowProject(-1);
        ClearMembers();
        changed_();
        return;
    }
    widgets_.projects->setCurrentIndex(0);
    if (rememberedProjectIndex_ != -1 && rememberedProjectIndex_ < widgets_.projects->count())
        widgets_.projects->setCurrentIndex(rememberedProjectIndex_);
    ReloadClasses(SelectedProjectId());
}

void TModelLists::ReloadClasses(int projectId)
{
    if (projectId >= 0)
        QSettings("javagen", "workbench")
            .setValue("lastProject", QStringList({ Text(TDbHelper::DatabasePath()), QString::number(projectId) }));
    shown_();
    TFillingScope filling(filling_);
    widgets_.classes->clear();
    for (const TClassRow& row : ReadClasses(projectId)) {
        auto* item = new QListWidgetItem(Text(row.className), widgets_.classes);
        item->setData(Qt::UserRole, row.classId);
        item->setData(Qt::UserRole + 1, Text(row.friendName));
        item->setToolTip(Text(row.className) + Text("（") + Text(row.friendName) + Text("）"));
    }
    FilterClasses(widgets_.classFilter->text());
    if (widgets_.classes->count() == 0) {
        // No class, no members: nothing of another project stays editable.
        ClearMembers();
        changed_();
        return;
    }
    widgets_.classes->setCurrentRow(0);
    ReloadMembers(SelectedClassId());
    changed_();
}

void TModelLists::SelectClass(int classId)
{
    for (int row = 0; row < widgets_.classes->count(); ++row)
        if (widgets_.classes->item(row)->data(Qt::UserRole).toInt() == classId) {
            widgets_.classes->setCurrentRow(row);
            ReloadMembers(classId);
            changed_();
            return;
        }
}

void TModelLists::FilterClasses(const QString& text)
{
    for (int row = 0; row < widgets_.classes->count(); ++row) {
        QListWidgetItem* item = widgets_.classes->item(row);
        bool shown = text.isEmpty() || item->text().contains(text, Qt::CaseInsensitive) ||
            item->data(Qt::UserRole + 1).toString().contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
    }
}

void TModelLists::ClearMembers()
{
    widgets_.members->clearContents();
    widgets_.members->setRowCount(0);
}

void TModelLists::ReloadMembers(int classId)
{
    ClearMembers();
    for (const TMemberRow& member : ReadClassMembers(classId)) {
        int row = widgets_.members->rowCount();
        widgets_.members->insertRow(row);
        int column = 0;
        // Texts a narrow column cuts off show whole as a tooltip.
        auto put = [&](const QString& text, bool whole = false) {
            auto* item = new QTableWidgetItem(text);
            if (whole)
                item->setToolTip(text);
            widgets_.members->setItem(row, column++, item);
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

void TModelLists::SelectProject(int projectId)
{
    int index = widgets_.projects->findData(projectId);
    if (index < 0 || index == widgets_.projects->currentIndex())
        return;
    widgets_.projects->setCurrentIndex(index);
    ReloadClasses(projectId);
}

void TModelLists::ShowProjectNamed(const QString& name)
{
    int index = widgets_.projects->findText(name, Qt::MatchExactly);
    if (index >= 0 && index != widgets_.projects->currentIndex()) {
        widgets_.projects->setCurrentIndex(index);
        ReloadClasses(SelectedProjectId());
    }
}

void TModelLists::RememberProjectIndex(bool forget)
{
    rememberedProjectIndex_ = forget ? -1 : widgets_.projects->currentIndex();
}

int TModelLists::SelectedProjectId() const
{
    int index = widgets_.projects->currentIndex();
    return index < 0 ? -1 : widgets_.projects->itemData(index).toInt();
}

QString TModelLists::SelectedProjectName() const
{
    int index = widgets_.projects->currentIndex();
    return index < 0 ? QString() : widgets_.projects->itemText(index);
}

int TModelLists::SelectedClassId() const
{
    QListWidgetItem* item =
        widgets_.classes->currentRow() < 0 ? nullptr : widgets_.classes->item(widgets_.classes->currentRow());
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

int TModelLists::SelectedMemberId() const
{
    QList<QTableWidgetItem*> selected = widgets_.members->selectedItems();
    if (selected.isEmpty())
        return -1;
    QTableWidgetItem* caption = widgets_.members->item(selected.first()->row(), 0);
    return caption ? caption->text().toInt() : -1;
}

QString TModelLists::SelectedClassText() const
{
    QListWidgetItem* entry = widgets_.classes->currentItem();
    return entry ? entry->text() : QString();
}

QString TModelLists::SelectedMemberName() const
{
    QList<QTableWidgetItem*> selected = widgets_.members->selectedItems();
    QTableWidgetItem* name = selected.isEmpty() ? nullptr : widgets_.members->item(selected.first()->row(), 1);
    return name ? name->text() : QString();
}

void TModelLists::RemoveSelectedClass()
{
    TFillingScope filling(filling_);
    delete widgets_.classes->takeItem(widgets_.classes->currentRow());
    widgets_.classes->setCurrentItem(nullptr);
    widgets_.classes->clearSelection();
    ClearMembers();
}

void TModelLists::SetSelectedClassText(const QString& className)
{
    if (QListWidgetItem* item = widgets_.classes->currentItem())
        item->setText(className);
    changed_();
}

void TModelLists::ReloadSelectedMembers()
{
    if (SelectedClassId() >= 0)
        ReloadMembers(SelectedClassId());
}
