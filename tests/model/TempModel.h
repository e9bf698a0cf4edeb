#pragma once
#include "DbHelper.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh temporary directory whose projects.mdb the shared connection opens.
class TempModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "javagen-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        dbPath_ = (dir_ / "projects.mdb").string();
        TDbHelper::SetDatabasePath(dbPath_);
    }
    void TearDown() override
    {
        TDbHelper::CloseSharedConnection();
        std::filesystem::remove_all(dir_);
    }

    std::filesystem::path dir_;
    std::string dbPath_;
};
