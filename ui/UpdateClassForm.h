#pragma once
#include "ClassForm.h"

// "类更新": a new name and friendly name for an existing class.
class TUpdateClassForm : public TClassForm {
    Q_OBJECT

public:
    TUpdateClassForm(TFormMain& owner, int classId);

    int ClassId() const { return classId_; }

protected:
    void Accept() override;

private:
    // The class list's entry text and the stored friendly name.
    void FillFields();

    int classId_;
};
