#pragma once
#include "ClassForm.h"

// "添加类": a new class of the selected project.
class TAddClassForm : public TClassForm {
    Q_OBJECT

public:
    explicit TAddClassForm(TFormMain& owner);

protected:
    void Accept() override;
};
