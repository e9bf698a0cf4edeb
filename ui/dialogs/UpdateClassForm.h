#pragma once
#include "ui/dialogs/ClassForm.h"

#include <functional>

// "类更新": a new name and friendly name for an existing class.
class TUpdateClassForm : public TClassForm {
    Q_OBJECT

public:
    // context: the selected project and class; className: the class list's
    // entry; renamed: gives the entry its new name once stored.
    TUpdateClassForm(
        const TFormContext& context, const QString& className, std::function<void(const QString&)> renamed);

    int ClassId() const { return context_.classId; }

protected:
    void Accept() override;

private:
    std::function<void(const QString&)> renamed_;
};
