// Builds random models through the command layer (so only models a user
// could enter), generates each one and writes a description of it beside its tree.
//   random_models --seed S --count N --root DIR --templates DIR
#include "AutoCode.h"
#include "ClassDAO.h"
#include "DbHelper.h"
#include "EntryRules.h"
#include "MemberTypes.h"
#include "ModelBuilder.h"
#include "ModelCommands.h"

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <random>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

class TWaitingListener : public IGenerationListener {
public:
    void SetErrorClassId(int) override { }
    void PrimaryMemberError() override { Fail("primary member check failed"); }
    void DisplayMemberError() override { Fail("display member check failed"); }
    void ModelRefused(const std::string& m) override { Fail(m); }
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

// Texts that must survive every place a comment lands.
const std::vector<std::string> kAwkward = { "*/", "/*", "--", "-", "\"", "'", "\\", "\\u0041", "\\u002a/", "\\\\u0022",
    "<", ">", "&", "]]>", "$className", "$packageName", "图书", "名称", "\t", "%", ";", "//", "${x}", "?", "注释*",
    "*" };

class TModelMaker {
public:
    TModelMaker(unsigned seed, std::ostream& description)
        : random_(seed)
        , out_(description)
    {
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    std::string Identifier(char first)
    {
        static const std::string rest = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
        std::string name(1, first);
        int length = Pick(0, 9);
        for (int i = 0; i < length; ++i)
            name += rest[static_cast<size_t>(Pick(0, static_cast<int>(rest.size()) - 1))];
        return name;
    }

    std::string Comment()
    {
        std::string text;
        int parts = Pick(0, 4);
        for (int i = 0; i < parts; ++i)
            text += kAwkward[static_cast<size_t>(Pick(0, static_cast<int>(kAwkward.size()) - 1))];
        if (Chance(20))
            text += "-";
        return text;
    }

    void Build(int projectId)
    {
        int classCount = Pick(1, 5);
        std::vector<int> classIds;
        for (int i = 0; i < classCount; ++i) {
            for (int attempt = 0; attempt < 50; ++attempt) {
                std::string name = Identifier(static_cast<char>('A' + Pick(0, 25)));
                std::string friendName = Chance(50) ? "类" + std::to_string(i) : Comment() + "x";
                TCommandResult added = TModelCommands::AddClass(projectId, name, friendName);
                if (!added.Done())
                    continue;
                classIds.push_back(added.id);
                out_ << "class " << name << "\n";
                break;
            }
        }
        // Keys and display members first, so references always find a key.
        for (int classId : classIds)
            AddMember(projectId, classId, Chance(50) ? kTypeInteger : kTypeString, true, true);
        for (int classId : classIds) {
            int count = Pick(0, 7);
            for (int i = 0; i < count; ++i) {
                auto types = MemberTypeChoices(projectId, classId);
                std::string type;
                if (types.size() > 4 && Chance(40))
                    type = types[static_cast<size_t>(Pick(4, static_cast<int>(types.size()) - 1))];
                else
                    type = types[static_cast<size_t>(Pick(0, 3))];
                AddMember(projectId, classId, type, false, false);
            }
        }
    }

private:
    void AddMember(int projectId, int classId, const std::string& type, bool primary, bool display)
    {
        for (int attempt = 0; attempt < 50; ++attempt) {
            TMemberEntry e;
            e.name = Identifier(static_cast<char>('a' + Pick(0, 25)));
            e.type = type;
            e.lengthText = std::to_string(Pick(1, 300));
            e.isPri = primary;
            e.isDisplay = display;
            e.isMust = type != kTypeString || Chance(50);
            e.queryFlag = type != kTypeInteger && type != kTypeFloat && Chance(50);
            e.queryDisplay = Chance(70);
            e.comment = Comment();
            if (!TModelCommands::AddMember(projectId, classId, e).Done())
                continue;
            out_ << "  " << TClassDAO().GetClassName(classId) << "." << e.name << " : " << e.type
                 << (e.isPri ? " primary" : "") << (e.isDisplay ? " display" : "") << (e.queryFlag ? " query" : "")
                 << " /*" << e.comment << "*/\n";
            return;
        }
    }

    std::mt19937 random_;
    std::ostream& out_;
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
        TModelMaker(modelSeed, description).Build(projectId);

        TWaitingListener listener;
        TRunLocations locations { templates, root.string() };
        TAutoCode::Start(new TAutoCode(projectId, project, package, listener, locations));
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
