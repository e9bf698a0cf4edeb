// javagen-cli export and import: a project as a model file and back, with
// the file's refusals on stderr and exit status 1.
#include "ModelBuilder.h"
#include "RawSqlite.h"
#include "RunCommand.h"
#include "TempModelTest.h"

#include "model/files/ModelFile.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// The library model is entered by the test itself, in the database that
// javagen-cli opens by default in the temporary directory.
class CliModelFileTest : public TempModelTest {
protected:
    void SetUp() override
    {
        TempModelTest::SetUp();
        library_ = BuildLibraryModel("图书馆");
    }
    TProcessResult Cli(const std::vector<std::string>& args) { return RunCommand(JAVAGEN_CLI, args, dir_.string()); }
    void Write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }

    int library_ = 0;
};

} // namespace

TEST_F(CliModelFileTest, ExportsToStandardOutputAndToAFile)
{
    std::string expected = ExportModel(library_);
    auto out = Cli({ "export", "图书馆" });
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.out, expected);
    EXPECT_EQ(out.err, "");
    EXPECT_EQ(Cli({ "export", "图书馆", "-" }).out, expected);

    auto file = Cli({ "export", "图书馆", "library.json" });
    EXPECT_EQ(file.status, 0);
    EXPECT_EQ(file.out, "");
    EXPECT_EQ(file.err, "工程“图书馆”的模型已导出到 library.json\n");
    EXPECT_EQ(Slurp(dir_ / "library.json"), expected);

    auto missing = Cli({ "export", "没有" });
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "找不到工程: 没有\n");
}

// Only a regular file or a new one is written: a pipe would block, a device
// could act, a link could point anywhere.
TEST_F(CliModelFileTest, ExportRefusesWhatIsNotARegularFile)
{
    ASSERT_EQ(mkfifo((dir_ / "pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(dir_ / "folder");
    std::filesystem::create_symlink("/dev/null", dir_ / "link");
    for (auto [target, what] : std::vector<std::pair<std::string, std::string>> {
             { "pipe", "是一个命名管道" }, { "folder", "是一个目录" }, { "link", "是一个符号链接" } }) {
        auto refused = Cli({ "export", "图书馆", target });
        EXPECT_EQ(refused.status, 3) << target;
        EXPECT_EQ(refused.err, "无法写入 " + target + "：它" + what + "，只能写入普通文件或新文件\n");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(dir_ / "pipe"));
    EXPECT_EQ(Cli({ "export", "图书馆", "nowhere/m.json" }).err, "无法写入 nowhere/m.json：目录 nowhere 不存在\n");
}

TEST_F(CliModelFileTest, ImportUnderANewName)
{
    ASSERT_EQ(Cli({ "export", "图书馆", "library.json" }).status, 0);
    std::string before = ModelContents(dbPath_);
    auto taken = Cli({ "import", "library.json" });
    EXPECT_EQ(taken.status, 1);
    EXPECT_EQ(taken.out, "");
    EXPECT_EQ(taken.err, "导入 library.json 失败：工程“图书馆”：该工程名称已经存在!\n");
    EXPECT_EQ(ModelContents(dbPath_), before);

    auto renamed = Cli({ "import", "library.json", "--name", "图书馆二" });
    EXPECT_EQ(renamed.status, 0);
    EXPECT_EQ(renamed.out, "模型已导入为工程“图书馆二”!\n");
    EXPECT_EQ(renamed.err, "");
    std::string original = Slurp(dir_ / "library.json");
    std::string copy = Cli({ "export", "图书馆二" }).out;
    std::string renamedLine = "  \"project\": \"图书馆二\",\n";
    ASSERT_NE(copy.find(renamedLine), std::string::npos) << copy;
    copy.replace(copy.find(renamedLine), renamedLine.size(), "  \"project\": \"图书馆\",\n");
    EXPECT_EQ(copy, original);
    EXPECT_EQ(Cli({ "project", "list" }).out, "1\t图书馆\n2\t图书馆二\n");
}

TEST_F(CliModelFileTest, RefusedFileExitsWithOneAndWritesNothing)
{
    std::string text = ExportModel(library_);
    text.replace(text.find("\"BookType\","), std::string("\"BookType\",").size(), "\"bookType\",");
    Write("lower.json", text);
    Write("broken.json", "{\n  \"format\": \"javagen-model\",\n  \"version\": 1,\n  \"project\": \"新\",\n  [\n}\n");
    std::string before = ModelContents(dbPath_);

    auto lower = Cli({ "import", "lower.json", "--name", "新" });
    EXPECT_EQ(lower.status, 1);
    EXPECT_EQ(lower.out, "");
    EXPECT_EQ(lower.err, "导入 lower.json 失败：第 6 行，类 bookType：类名首个字母必须大写\n");

    auto broken = Cli({ "import", "broken.json" });
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err, "导入 broken.json 失败：第 5 行第 3 列：不是正确的 JSON 文本\n");

    // Standard input is the file "-"; here it is empty.
    auto empty = Cli({ "import", "-", "--name", "新" });
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "导入 标准输入 失败：第 1 行第 1 列：不是正确的 JSON 文本\n");

    auto absent = Cli({ "import", "absent.json", "--name", "新" });
    EXPECT_EQ(absent.status, 3);
    EXPECT_NE(absent.err.find("absent.json"), std::string::npos) << absent.err;
    EXPECT_EQ(ModelContents(dbPath_), before);
}

// --into: the plan on standard output; a loss refused (status 1) until
// --yes; --dry-run writes nothing; options that do not go together are
// usage errors.
TEST_F(CliModelFileTest, ImportIntoAProjectShowsThePlanAndWantsYesForALoss)
{
    std::string text = ExportModel(library_);
    const std::string intro = "{\"name\":\"introduction\"";
    size_t from = text.find(",\n        " + intro);
    ASSERT_NE(from, std::string::npos) << text;
    text.erase(from, text.find('\n', from + 2) - from);
    Write("less.json", text);
    const std::string plan = "变更计划(工程“图书馆”)：新增类 0 个，修改类 1 个，删除类 0 个；新增成员 0 个，修改成员 0 "
                             "个，删除成员 1 个。\n  类 Book 删除成员 introduction\n";
    std::string before = ModelContents(dbPath_);

    struct TCase {
        std::vector<std::string> args;
        int status;
        std::string out, err;
        bool writes;
    };
    const std::vector<TCase> cases = {
        { { "--dry-run" }, 0, plan + "试运行：工程“图书馆”没有改动。\n", "", false },
        { {}, 1, plan,
            "导入 less.json 失败：工程“图书馆”：这次导入会丢失内容(删除类 Book 的成员 "
            "introduction)，需要确认：请核对上面的变更计划，确认后加 --yes 再次导入。\n",
            false },
        { { "--name", "新" }, 2, "", "--name 和 --into 不能一起使用：--into 按文件更新已有的工程，不改它的名称。",
            false },
        { { "--yes" }, 0, plan + "模型已导入到工程“图书馆”!\n", "", true },
    };
    for (const TCase& c : cases) {
        std::vector<std::string> args = { "import", "less.json", "--into", "图书馆" };
        args.insert(args.end(), c.args.begin(), c.args.end());
        auto run = Cli(args);
        EXPECT_EQ(run.status, c.status) << args.back();
        EXPECT_EQ(run.out, c.out) << args.back();
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << args.back();
        EXPECT_EQ(ModelContents(dbPath_) != before, c.writes) << args.back();
    }
    EXPECT_EQ(Cli({ "export", "图书馆" }).out, text);
    EXPECT_EQ(Cli({ "import", "less.json", "--yes" }).status, 2);
    auto missing = Cli({ "import", "less.json", "--into", "没有" });
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "找不到工程: 没有\n");
}
