#pragma once
#include "ClassDAO.h"
#include "Member.h"
#include "MemberDAO.h"
#include "ProjectDAO.h"

#include <string>

// Small helpers that put rows in place directly through the stores.
inline int AddProjectNamed(const std::string& name)
{
    TProjectDAO projects;
    projects.AddProject(name);
    return projects.ListProjects().back().id;
}

inline int AddClassNamed(int projectId, const std::string& name, const std::string& friendName = "友好")
{
    TClassDAO classes;
    classes.AddClass(projectId, name, friendName);
    return classes.GetClassId(projectId, name);
}

inline TMember MakeMember(int projectId, int classId, const std::string& name, const std::string& type)
{
    TMember m;
    m.SetProjectId(projectId);
    m.SetClassId(classId);
    m.SetMemberName(name);
    m.SetMemberType(type);
    return m;
}

inline void AddMemberRow(const TMember& m)
{
    TMemberDAO().AddMember(m);
}
