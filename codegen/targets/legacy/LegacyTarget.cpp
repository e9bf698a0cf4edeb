#include "LegacyTarget.h"

#include "ActionOperate.h"
#include "AdminTableScript.h"
#include "ColumnTypes.h"
#include "ConfigWriter.h"
#include "DaoOperate.h"
#include "DomainOperate.h"
#include "SupportFiles.h"
#include "WebPages.h"

const std::vector<const IGenerator*>& LegacyGenerators()
{
    static const std::vector<const IGenerator*> list = {
        &StrutsConfigGenerator(),
        &HibernateConfigGenerator(),
        &MappingFileGenerator(),
        &SupportFileGenerator(),
        &DomainClassGenerator(),
        &ActionClassGenerator(),
        &DaoClassGenerator(),
        &DateTextTypeGenerator(),
        &OptionalTextTypeGenerator(),
        &AdminTableScriptGenerator(),
        &WebAppGenerator(),
        &ValidationGenerator(),
    };
    return list;
}
