#pragma once

// Where the model checks report the first faulty class: the class id is
// handed over first, then the error is reported, so the receiver can name
// the class with TClassDAO::GetClassName.
class IModelCheckReport {
public:
    virtual ~IModelCheckReport() = default;
    virtual void SetErrorClassId(int classId) = 0;
    virtual void PrimaryMemberError() = 0;
    virtual void DisplayMemberError() = 0;
};
