#pragma once
#include "ui/dialogs/ClassForm.h"

// "添加类": a new class of the selected project.
class TAddClassForm : public TClassForm {
    Q_OBJECT

public:
    // context: the selected project; reload shows its classes again.
    explicit TAddClassForm(const TFormContext& context);

protected:
    void Accept() override;
};
