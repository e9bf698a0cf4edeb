#include "TempModel.h"

#include "codegen/core/Target.h"

#include "model/store/DbHelper.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

TTempModel::TTempModel()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "javagen-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory from " + pattern);
    dir_ = pattern;
    TDbHelper::SetDatabasePath(DbPath());
    InstallTargets(); // as each program does at start
}

TTempModel::~TTempModel()
{
    TDbHelper::CloseSharedConnection();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}
