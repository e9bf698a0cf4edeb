#pragma once
#include "codegen/core/ClassData.h"
#include "codegen/core/Generator.h"
#include "model/store/IdList.h"

#include <map>
#include <set>

#include <string>

// struts.xml, hibernate.cfg.xml and one Hibernate mapping file per class.
const IGenerator& StrutsConfigGenerator();
const IGenerator& HibernateConfigGenerator();
const IGenerator& MappingFileGenerator();

// The database names both targets map to, so that the same tables serve
// either: a table or column name with a reserved word (a column named
// order) in the back quotes Hibernate turns into the database's own; a
// member's column (its own name unless it came from a database); a
// reference's column (an imported foreign key's own, else the referenced
// key's name unless another property of the class has it), noted in columns.
std::string Quoted(const std::string& name);
std::string ColumnOf(const TMember& m);
std::string ReferenceColumn(const TClassMember& mapped, std::set<std::string>& columns);

// What a target adds to a class's package in struts.xml: lines after its
// opening tag, and methods the wildcard may call besides the six.
struct TStrutsPackageExtras {
    std::string afterOpening;
    std::string moreMethods; // ",DownloadGoodsPhoto"
};

// The generated blocks and files, for the generators above and for tests.
// readOnlyClasses (views) may only be queried; extras by class name.
std::string BuildStrutsBlock(const std::string& packageName, const TIdList& classes,
    const std::set<std::string>& readOnlyClasses = {}, const std::map<std::string, TStrutsPackageExtras>& extras = {});
std::string BuildHibernateMappingLines(const std::string& packagePath, const TIdList& classes);
// identity: an auto-increment key is numbered by the database's identity
// column (a PostgreSQL table of the user's), not by Hibernate's "native".
std::string BuildMappingContent(const TClassData& c, bool identity = false);
// The whole mapping file of a class: its template filled in.
std::string BuildMappingFile(const TGenInput& in, const TClassData& c);
