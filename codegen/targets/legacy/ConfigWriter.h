#pragma once
#include "ClassData.h"
#include "Generator.h"
#include "IdList.h"

#include <set>

#include <string>

// struts.xml, hibernate.cfg.xml and one Hibernate mapping file per class.
const IGenerator& StrutsConfigGenerator();
const IGenerator& HibernateConfigGenerator();
const IGenerator& MappingFileGenerator();

// The generated blocks and files, for the generators above and for tests.
// readOnlyClasses (views) may only be queried.
std::string BuildStrutsBlock(
    const std::string& packageName, const TIdList& classes, const std::set<std::string>& readOnlyClasses = {});
std::string BuildHibernateMappingLines(const std::string& packagePath, const TIdList& classes);
std::string BuildMappingContent(const TClassData& c);
// The whole mapping file of a class: its template filled in.
std::string BuildMappingFile(const TGenInput& in, const TClassData& c);
