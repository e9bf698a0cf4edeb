#pragma once
#include "Member.h"

#include <string>
#include <vector>

// A query member as the DAO and Action generators need it, with what the
// referenced class's primary member tells about its key.
struct TQueryMember {
    std::string name;
    std::string type;
    bool textLike = false; // 字符串 or 日期型: String parameter, like condition
    bool integerKey = false; // reference whose class has an 整型 key
    std::string keyName; // Rk: member name of the referenced primary member
    std::string keyCapital; // R': its capitalised form
};

// The class's query members in store order; reference members are resolved
// against the project's classes (TGenerationError when one is missing).
std::vector<TQueryMember> LoadQueryMembers(int projectId, int classId);

// A reference member of the class and its referenced class's key.
struct TReferenceMember {
    std::string name;
    std::string type; // R, the referenced class name
    int queryFlag = 0;
    std::string comment;
    std::string keyCapital; // Q
};

std::vector<TReferenceMember> LoadReferenceMembers(int projectId, int classId);

// The class's primary member (TGenerationError when it has none).
TMember RequirePrimaryMember(int classId);
