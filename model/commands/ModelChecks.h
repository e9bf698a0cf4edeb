#pragma once
#include "model/commands/ModelSnapshot.h"

#include <string>

// What a check made before generating found: nothing, or the first fault,
// with the class it concerns and the whole message to show.
enum class TCheckKind {
    Passed,
    PrimaryMember, // a class has not exactly one primary member
    DisplayMember, // a class has not exactly one display member
    Refused, // any other reason the model, the names or the templates cannot be generated
};

struct TCheckResult {
    TCheckKind kind = TCheckKind::Passed;
    int classId = 0; // the faulty class, when there is one
    std::string className;
    std::string message; // empty when passed

    bool Passed() const { return kind == TCheckKind::Passed; }
    static TCheckResult Refuse(std::string message) { return { TCheckKind::Refused, 0, "", std::move(message) }; }
};

// Every class has exactly one primary member; otherwise the first class
// that has not: its name followed by "表主键设置错误，每个类只能设置一个主键!".
TCheckResult CheckPrimaryMembers(const TModelSnapshot& snapshot);
// The same for display members: "表显示成员设置错误，每个类有且只能设置一个显示成员!".
TCheckResult CheckDisplayMembers(const TModelSnapshot& snapshot);
