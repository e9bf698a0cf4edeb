#include "codegen/targets/legacy/LegacyTarget.h"

#include "codegen/targets/legacy/ActionOperate.h"
#include "codegen/targets/legacy/AdminTableScript.h"
#include "codegen/targets/legacy/ColumnTypes.h"
#include "codegen/targets/legacy/ConfigWriter.h"
#include "codegen/targets/legacy/DaoOperate.h"
#include "codegen/targets/legacy/DomainOperate.h"
#include "codegen/targets/legacy/SupportFiles.h"
#include "codegen/targets/legacy/WebPages.h"

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
