#pragma once
#include "ui/run/Workbench.h"

#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTableWidget;
class TWorkbenchState;

// The window's lists: the project selector, the class list and the member
// table, filled from the read layer, and what is selected in them.
class TModelLists : public IModelLists {
public:
    struct TWidgets {
        QComboBox* projects;
        QLineEdit* classFilter;
        QListWidget* classes;
        QTableWidget* members;
    };
    // shown: a project's classes are about to be shown (its settings are
    // read); changed: what the status bar says may have changed.
    TModelLists(TWidgets widgets, TWorkbenchState& state, std::function<void()> shown, std::function<void()> changed);

    int SelectedProjectId() const override;
    QString SelectedProjectName() const override;
    int SelectedClassId() const override;
    QString SelectedClassText() const override;
    int SelectedMemberId() const override;
    QString SelectedMemberName() const override;

    void ReloadProjects() override;
    void ReloadClasses(int projectId) override;
    void ReloadMembers(int classId) override;
    void ReloadSelectedMembers() override;
    void SelectProject(int projectId) override;
    void SelectClass(int classId) override;
    void ShowProjectNamed(const QString& name) override;
    void RememberProjectIndex(bool forget) override;
    void RemoveSelectedClass() override;
    void SetSelectedClassText(const QString& className) override;

    // Hides the classes whose class and friendly name do not contain the text.
    void FilterClasses(const QString& text);
    void ClearMembers();
    int RememberedProjectIndex() const { return rememberedProjectIndex_; }
    // True while the program fills or changes the lists: their change
    // signals are not the user's choices then.
    bool Filling() const { return filling_; }

private:
    TWidgets widgets_;
    TWorkbenchState& state_;
    std::function<void()> shown_;
    std::function<void()> changed_;
    int rememberedProjectIndex_ = -1;
    bool filling_ = false;
};
