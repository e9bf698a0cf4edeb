#pragma once
#include "TempModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

// A test on a fresh model database: dir_ is its temporary directory,
// dbPath_ the projects.mdb there that the shared connection opens.
class TempModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model_ = std::make_unique<TTempModel>();
        dir_ = model_->Dir();
        dbPath_ = model_->DbPath();
    }
    void TearDown() override { model_.reset(); }

    std::unique_ptr<TTempModel> model_;
    std::filesystem::path dir_;
    std::string dbPath_;
};
