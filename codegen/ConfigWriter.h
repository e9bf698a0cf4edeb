#pragma once
#include "IdList.h"
#include "RunContext.h"

#include <string>

// struts.xml, hibernate.cfg.xml and one Hibernate mapping file per class.
void WriteStrutsConfig(const TRunContext& run, const TIdList& classes);
// hibernate.cfg.xml, then WriteMappingFile for every class in list order.
void WriteHibernateConfig(const TRunContext& run, const TIdList& classes);
void WriteMappingFile(const TRunContext& run, int classId, const std::string& className, const std::string& path);

// The generated blocks, for the writers above and their tests.
std::string BuildStrutsBlock(const std::string& packageName, const TIdList& classes);
std::string BuildHibernateMappingLines(const std::string& packagePath, const TIdList& classes);
std::string BuildMappingContent(int projectId, int classId);
