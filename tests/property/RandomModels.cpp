// Builds random models through the command layer (so only models a user
// could enter), generates each one and writes a description of it beside its tree.
//   random_models --seed S --count N --root DIR --templates DIR [--target legacy|current]
#include "ModelBuilder.h"
#include "RandomModel.h"
#include "codegen/run/AutoCode.h"
#include "model/store/DbHelper.h"

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class TWaitingListener : public IGenerationListener {
public:
    void CheckFailed(const TCheckResult& result) override { Fail(result.message); }
    void Progress(const std::string&) override { }
    void Done() override { }
    void Failed(const std::string& m) override { Fail(m); }
    void Finished() override
    {
        std::lock_guard<std::mutex> guard(lock_);
        finished_ = true;
        ended_.notify_all();
    }
    std::string Wait()
    {
        std::unique_lock<std::mutex> guard(lock_);
        ended_.wait(guard, [this] { return finished_; });
        return error_;
    }

private:
    void Fail(const std::string& m) { error_ = m; }
    std::mutex lock_;
    std::condition_variable ended_;
    bool finished_ = false;
    std::string error_;
};

std::string Argument(int argc, char** argv, const std::string& name, const std::string& fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] == name)
            return argv[i + 1];
    return fallback;
}

} // namespace

int main(int argc, char** argv)
{
    unsigned seed = static_cast<unsigned>(std::stoul(Argument(argc, argv, "--seed", "1")));
    int count = std::stoi(Argument(argc, argv, "--count", "10"));
    fs::path root = Argument(argc, argv, "--root", "random-models");
    std::string templates = Argument(argc, argv, "--templates", "template");
    std::string target = Argument(argc, argv, "--target", "legacy") == "current" ? "current" : kTargetLegacy;
    fs::create_directories(root);
    TDbHelper::SetDatabasePath((root / "projects.mdb").string());
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        unsigned modelSeed = seed * 100003u + static_cast<unsigned>(i);
        std::string project = "m" + std::to_string(i);
        std::string package = i % 3 == 0 ? "org.p" + std::to_string(i) : "p" + std::to_string(i);
        int projectId = EnterProject(project);
        std::ostringstream description;
        description << "seed " << modelSeed << " (run seed " << seed << ", model " << i << "), package " << package
                    << "\n";
        TModelMaker(modelSeed, description).Build(projectId, target == "current");

        TWaitingListener listener;
        TRunLocations locations { templates, root.string() };
        locations.target = target;
        RunGeneration({ projectId, project, package, locations }, listener);
        std::string error = listener.Wait();
        fs::create_directories(root / "projects" / project);
        std::ofstream(root / "projects" / project / "model.txt") << description.str();
        if (!error.empty()) {
            std::cerr << "generation failed for " << project << ": " << error << "\n" << description.str();
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
