#pragma once
#include "ClassData.h"
#include "IdList.h"
#include "RunContext.h"

#include <string>
#include <vector>

// struts.xml, hibernate.cfg.xml and one Hibernate mapping file per class.
void WriteStrutsConfig(const TRunContext& run, const TIdList& classes);
// hibernate.cfg.xml, then WriteMappingFile for every class in list order.
void WriteHibernateConfig(const TRunContext& run, const std::vector<TClassData>& classes);
void WriteMappingFile(const TRunContext& run, const TClassData& c);

// The generated blocks and files, for the writers above, previews and tests.
std::string BuildStrutsBlock(const std::string& packageName, const TIdList& classes);
std::string BuildHibernateMappingLines(const std::string& packagePath, const TIdList& classes);
std::string BuildMappingContent(const TClassData& c);
// The whole mapping file of a class: its template filled in.
std::string BuildMappingFile(const TRunContext& run, const TClassData& c);
