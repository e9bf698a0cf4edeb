#include "TempModelTest.h"

#include "ModelBuilder.h"
#include "RecordingListener.h"
#include "TreeCompare.h"
#include "codegen/core/Target.h"
#include "codegen/io/Templates.h"
#include "codegen/targets/legacy/SupportFiles.h"

#include "codegen/io/FileOperate.h"
#include "model/files/ModelFile.h"
#include "model/store/ClassDAO.h"
#include "model/store/DbHelper.h"
#include "model/store/MemberDAO.h"
#include "model/store/ProjectDAO.h"
#include "model/store/TextCodec.h"

#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class GenerationRunTest : public TempModelTest {
protected:
    TRunLocations Locations() const
    {
        TRunLocations locations;
        locations.templateDir = JAVAGEN_TEMPLATES;
        locations.rootDir = (dir_ / "out").string();
        return locations;
    }
    struct TRunResult {
        std::vector<std::string> events;
        std::vector<std::string> progress;
    };
    TRunResult Run(int projectId, const std::string& projectName, const std::string& packageName = "velmorantis")
    {
        TRecordingListener listener;
        listener.RunAndWait(projectId, projectName, packageName, Locations());
        return { listener.events, listener.progress };
    }
    fs::path Source(const std::string& project) const { return dir_ / "out" / "projects" / project / "src"; }
    bool NothingWritten() const { return !fs::exists(dir_ / "out"); }
};

std::vector<std::string> SupportLines(const std::string& prefix)
{
    std::vector<std::string> lines;
    for (const TSupportFile& file : SupportFileList())
        lines.push_back(prefix + file.kind + "/" + file.fileName + "移动完毕!");
    return lines;
}

} // namespace

TEST_F(GenerationRunTest, LibraryTreeMatchesGolden)
{
    int p = BuildLibraryModel("Library");
    auto run = Run(p, "Library");
    EXPECT_EQ(run.events, std::vector<std::string> { "done" });
    EXPECT_EQ(CompareWithGolden(Source("Library"), fs::path(JAVAGEN_GOLDEN) / "library"), "");
}

TEST_F(GenerationRunTest, TrickyTreeWithDottedPackageMatchesGolden)
{
    int p = BuildTrickyModel("公司");
    auto run = Run(p, "公司", "org.example");
    EXPECT_EQ(run.events, std::vector<std::string> { "done" });
    EXPECT_TRUE(fs::exists(Source("公司") / "com" / "org" / "example" / "dao" / "PersonDAO.java"));
    EXPECT_EQ(CompareWithGolden(Source("公司"), fs::path(JAVAGEN_GOLDEN) / "tricky"), "");
    EXPECT_EQ(run.progress.front(), "projects/公司/src/struts.xml生成完成!");
    EXPECT_EQ(run.progress.back(), "projects/公司/src/com/org/example/dao/PersonDAO.java生成完毕!");
}

// The current target's whole tree (sources, pages, build) for a model with
// what it alone carries: references and a self-reference, a composite key,
// a view, a link table, single and several choices, a 二进制 member.
TEST_F(GenerationRunTest, CurrentTargetTreeMatchesGolden)
{
    const fs::path golden = fs::path(JAVAGEN_GOLDEN);
    TCommandResult imported = ImportModel(TFileOperate::ReadFileBytes((golden / "current-model.json").string()), "m");
    ASSERT_TRUE(imported.Done()) << imported.message;
    TRecordingListener listener;
    TRunLocations locations = Locations();
    locations.webapp = true;
    locations.target = "current";
    ASSERT_TRUE(listener.RunAndWait(imported.id, "商店", "shop", locations));
    EXPECT_EQ(listener.events, std::vector<std::string> { "done" });
    fs::remove_all(dir_ / "out" / "projects" / "商店" / ".javagen"); // the run's lock, not output
    EXPECT_EQ(CompareWithGolden(dir_ / "out" / "projects" / "商店", golden / "current"), "");
}

TEST_F(GenerationRunTest, ProgressLinesComeInRunOrder)
{
    int p = BuildLibraryModel("Library");
    auto run = Run(p, "Library");
    const std::string pkg = "projects/Library/src/com/velmorantis/";
    std::vector<std::string> expected = { "projects/Library/src/struts.xml生成完成!",
        "projects/Library/src/hibernate.cfg.xml生成完成!" };
    for (const char* c : { "BookType", "Book", "Reader" })
        expected.push_back(pkg + "domain/" + c + ".hbm.xml生成完成!");
    for (const auto& line : SupportLines(pkg))
        expected.push_back(line);
    for (const char* kind : { "domain/", "action/", "dao/" })
        for (const char* c : { "BookType", "Book", "Reader" }) {
            std::string suffix = std::string(kind) == "domain/" ? "" : std::string(kind) == "dao/" ? "DAO" : "Action";
            expected.push_back(pkg + kind + c + suffix + ".java生成完毕!");
        }
    EXPECT_EQ(run.progress, expected);
}

TEST_F(GenerationRunTest, EmptyProjectGetsConfigurationAndSupportFiles)
{
    auto run = Run(PlantProject("Empty"), "Empty");
    EXPECT_EQ(run.events, std::vector<std::string> { "done" });
    ASSERT_EQ(run.progress.size(), 13u);
    std::string struts = ReadFileBytes(Source("Empty") / "struts.xml");
    EXPECT_EQ(struts.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(struts.find("$struts2ConfigString"), std::string::npos);
    EXPECT_FALSE(fs::exists(Source("Empty") / "com" / "velmorantis" / "dao" / "EmptyDAO.java"));
}

TEST_F(GenerationRunTest, PrimaryCheckStopsAtTheFirstFaultyClassAndWritesNothing)
{
    int p = PlantProject("P");
    int good = PlantClass(p, "Good", "好");
    int twice = PlantClass(p, "Twice", "两个主键");
    int none = PlantClass(p, "None", "没有主键");
    EnterMember(p, good, "goodId", "整型", "pmd");
    EnterMember(p, twice, "firstId", "整型", "pmd");
    EnterMember(p, twice, "secondId", "整型", "pm");
    EnterMember(p, none, "name", "字符串", "");
    auto run = Run(p, "P");
    EXPECT_EQ(run.events,
        (std::vector<std::string> {
            "id:" + std::to_string(twice), "error:Twice表主键设置错误，每个类只能设置一个主键!" }));
    EXPECT_TRUE(run.progress.empty());
    EXPECT_TRUE(NothingWritten());
}

TEST_F(GenerationRunTest, PrimaryErrorOfALaterClassWinsOverADisplayError)
{
    int p = PlantProject("P");
    int a = PlantClass(p, "A", "a");
    int b = PlantClass(p, "B", "b");
    int c = PlantClass(p, "C", "c");
    EnterMember(p, a, "codeA", "整型", "pmd");
    EnterMember(p, b, "codeB", "整型", "pm"); // no display member
    EnterMember(p, c, "codeC", "整型", "pmd");
    int keyC = EnterMember(p, c, "keyC", "整型", "pm");
    auto run = Run(p, "P");
    EXPECT_EQ(run.events,
        (std::vector<std::string> { "id:" + std::to_string(c), "error:C表主键设置错误，每个类只能设置一个主键!" }));
    TMemberDAO().DeleteMember(keyC);
    auto second = Run(p, "P");
    EXPECT_EQ(second.events,
        (std::vector<std::string> {
            "id:" + std::to_string(b), "error:B表显示成员设置错误，每个类有且只能设置一个显示成员!" }));
    EXPECT_TRUE(NothingWritten());
}

TEST_F(GenerationRunTest, MissingReferencedClassStopsTheRunBeforeWriting)
{
    int p = BuildLibraryModel("Library");
    TClassDAO().DeleteClass(TClassDAO().GetClassId(p, "BookType"));
    auto run = Run(p, "Library");
    EXPECT_EQ(run.events, std::vector<std::string> { "error:Book表的成员bookType引用的类BookType不存在!" });
    EXPECT_TRUE(NothingWritten());
}

TEST_F(GenerationRunTest, WriteFailureIsReportedAndStopsTheRun)
{
    int p = BuildLibraryModel("Library");
    fs::create_directories(dir_ / "out" / "projects" / "Library");
    std::ofstream(dir_ / "out" / "projects" / "Library" / "src") << "a file where a directory belongs";
    auto run = Run(p, "Library");
    ASSERT_EQ(run.events.size(), 1u);
    EXPECT_EQ(run.events[0].rfind("failed:", 0), 0u) << run.events[0];
    EXPECT_NE(run.events[0].find("src"), std::string::npos) << run.events[0];
    EXPECT_TRUE(run.progress.empty());
}

TEST_F(GenerationRunTest, ModelClassNamedAdminReplacesTheSupportClasses)
{
    // The entry rules refuse the name now; an older model may hold it.
    int p = PlantProject("P");
    int admin = PlantClass(p, "Admin", "管理员");
    EnterMember(p, admin, "username", "字符串", "pd");
    EnterMember(p, admin, "password", "字符串", "");
    auto run = Run(p, "P");
    EXPECT_EQ(run.events, std::vector<std::string> { "done" });
    fs::path pkg = Source("P") / "com" / "velmorantis";
    EXPECT_NE(ReadFileBytes(pkg / "domain" / "Admin.java").find("    private String username;\r\n"), std::string::npos);
    EXPECT_NE(GbkToUtf8(ReadFileBytes(pkg / "dao" / "AdminDAO.java"))
                  .find("public class AdminDAO {\r\n\r\n    /*每页显示记录数目*/"),
        std::string::npos);
}

TEST_F(GenerationRunTest, SecondRunReplacesEveryFile)
{
    int p = BuildLibraryModel("Library");
    Run(p, "Library");
    fs::path domain = Source("Library") / "com" / "velmorantis" / "domain" / "Book.java";
    std::string first = ReadFileBytes(domain);
    std::ofstream(domain, std::ios::app) << "garbage";
    Run(p, "Library");
    EXPECT_EQ(ReadFileBytes(domain), first);
    for (const auto& entry : fs::recursive_directory_iterator(dir_ / "out"))
        EXPECT_EQ(entry.path().filename().string().find(".javagen-"), std::string::npos) << entry.path();
}

// A copy of the templates to spoil.
fs::path CopyTemplates(const fs::path& to)
{
    fs::copy(JAVAGEN_TEMPLATES, to, fs::copy_options::recursive);
    return to;
}

TEST_F(GenerationRunTest, TemplateFaultsStopTheRunBeforeWriting)
{
    int p = BuildLibraryModel("Library");
    auto refusal = [&](const fs::path& templates) {
        TRecordingListener run;
        TRunLocations locations = Locations();
        locations.templateDir = templates.string();
        EXPECT_TRUE(run.RunAndWait(p, "Library", "velmorantis", locations, std::chrono::seconds(20)));
        EXPECT_TRUE(run.progress.empty());
        EXPECT_TRUE(NothingWritten());
        return run.events.size() == 1 ? run.events[0] : std::string("events: ") + std::to_string(run.events.size());
    };
    EXPECT_EQ(refusal(dir_ / "none"),
        "error:找不到模板目录 " + (dir_ / "none").string() + "：程序在 " + (dir_ / "none").string() +
            " 查找模板，该目录不存在。请从程序所在的目录启动程序。");

    fs::path missing = CopyTemplates(dir_ / "missing");
    fs::remove(missing / "src/com/packageName/domain/Admin-admin-validation.xml");
    EXPECT_EQ(refusal(missing),
        "error:找不到模板文件 " + (missing / "src/com/packageName/domain/Admin-admin-validation.xml").string() +
            "，无法生成代码。");

    fs::path directory = CopyTemplates(dir_ / "directory");
    fs::remove(directory / "src/struts.xml");
    fs::create_directory(directory / "src/struts.xml");
    EXPECT_EQ(refusal(directory), "error:文件 " + (directory / "src/struts.xml").string() + " 不是普通文件，无法读取");

    // A named pipe would block a reader for ever; it is refused unopened.
    fs::path pipe = CopyTemplates(dir_ / "pipe");
    fs::remove(pipe / "src/com/packageName/utils/HibernateUtil.java");
    ASSERT_EQ(mkfifo((pipe / "src/com/packageName/utils/HibernateUtil.java").c_str(), 0600), 0);
    EXPECT_EQ(refusal(pipe),
        "error:文件 " + (pipe / "src/com/packageName/utils/HibernateUtil.java").string() + " 不是普通文件，无法读取");

    fs::path notGbk = CopyTemplates(dir_ / "utf8");
    std::ofstream(notGbk / "src/hibernate.cfg.xml", std::ios::binary) << "\xFF\xFF broken";
    EXPECT_EQ(
        refusal(notGbk), "error:模板文件 " + (notGbk / "src/hibernate.cfg.xml").string() + " 不是 GBK 编码的文本。");
}

// A shared template's marked lines go to their target alone; a file in a
// target's folder takes the place of the shared one, which that target
// reads where its folder has none.
TEST_F(GenerationRunTest, TargetsReadTheirOwnTemplateLines)
{
    struct TCase {
        const char *text, *target, *expected;
    };
    const TCase cases[] = {
        { "a\r\n@@legacy@@b\r\n@@current@@c\r\nd\r\n", "legacy", "a\r\nb\r\nd\r\n" },
        { "a\r\n@@legacy@@b\r\n@@current@@c\r\nd\r\n", "current", "a\r\nc\r\nd\r\n" },
        { "@@current@@    indented\r\n@@current@@\r\n", "current", "    indented\r\n\r\n" },
        { "@@current@@last", "legacy", "" },
        { "x @@legacy@@ y\r\n", "current", "x @@legacy@@ y\r\n" }, // not at the line's start
        { "@@ a b @@\r\n@@@@\r\n", "legacy", "@@ a b @@\r\n@@@@\r\n" }, // names no target
        { "select @@max_allowed_packet\r\n", "legacy", "select @@max_allowed_packet\r\n" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(TargetLines(c.text, c.target), c.expected) << c.text << " for " << c.target;

    fs::path dir = dir_ / "targets";
    fs::create_directories(dir / "src");
    fs::create_directories(dir / "current/src");
    std::ofstream(dir / "src/shared.txt", std::ios::binary) << "all\r\n@@legacy@@old\r\n@@current@@new\r\n";
    std::ofstream(dir / "src/own.txt", std::ios::binary) << "shared\r\n";
    std::ofstream(dir / "current/src/own.txt", std::ios::binary) << "current's own\r\n";
    TTemplates templates = TTemplates::Load(dir.string(),
        { { "src/shared.txt" }, { "current/src/shared.txt" }, { "src/own.txt" }, { "current/src/own.txt" } },
        TemplateFolders());
    EXPECT_EQ(templates.Text("src/shared.txt"), "all\r\nold\r\n");
    EXPECT_EQ(templates.Text("current/src/shared.txt"), "all\r\nnew\r\n");
    EXPECT_EQ(templates.Text("src/own.txt"), "shared\r\n");
    EXPECT_EQ(templates.Text("current/src/own.txt"), "current's own\r\n");
}

// Names planted by another tool: each is refused before any file is written,
// naming the class and member.
TEST_F(GenerationRunTest, PlantedNamesAreRefusedBeforeWriting)
{
    struct TCase {
        const char* className;
        const char* memberName;
        const char* message;
    };
    const TCase cases[] = {
        { "../../../somewhere/X", "xId", "类名“../../../somewhere/X”不是合法的 Java 标识符，无法生成代码!" },
        { "Two Words", "xId", "类名“Two Words”不是合法的 Java 标识符，无法生成代码!" },
        { "Quote\"d", "xId", "类名“Quote\"d”不是合法的 Java 标识符，无法生成代码!" },
        { "Class", "xId", "类名“Class”的变量名“class”是 Java 关键字，无法生成代码!" },
        { "var", "xId", "类名“var”不能用作 Java 类名，无法生成代码!" },
        { "X", "class", "X表的成员“class”是 Java 关键字，无法生成代码!" },
        { "X", "a b", "X表的成员“a b”不是合法的 Java 标识符，无法生成代码!" },
        { "X", "*/", "X表的成员“*/”不是合法的 Java 标识符，无法生成代码!" },
        { "X", "1st", "X表的成员“1st”不是合法的 Java 标识符，无法生成代码!" },
    };
    int count = 0;
    for (const auto& c : cases) {
        std::string name = "P" + std::to_string(++count);
        int project = PlantProject(name);
        PlantMember(project, PlantClass(project, c.className, "x"), c.memberName, "整型", "pmd");
        auto run = Run(project, name);
        EXPECT_EQ(run.events, std::vector<std::string> { std::string("error:") + c.message }) << c.className;
        EXPECT_TRUE(NothingWritten()) << c.className;
    }
    EXPECT_FALSE(fs::exists(dir_ / "somewhere"));
}

TEST_F(GenerationRunTest, DuplicateNamesAreRefused)
{
    int p = BuildLibraryModel("Library");
    int member = PlantMember(p, ClassIdOf(p, "BookType"), "typeName", "字符串", "");
    EXPECT_EQ(Run(p, "Library").events,
        std::vector<std::string> { "error:BookType表中有两个名为“typeName”的成员，无法生成代码!" });
    // Two names, one getter: getTypeName.
    TDbHelper().ExecuteSql("update t_member set memberName='TypeName' where memberId=?", { member });
    EXPECT_EQ(Run(p, "Library").events,
        std::vector<std::string> { "error:BookType表的成员“typeName”和“TypeName”的 get/set 方法同名，无法生成代码!" });
    TDbHelper().ExecuteSql("delete from t_member where memberId=?", { member });
    PlantMember(p, PlantClass(p, "Reader", "again"), "readerId", "整型", "pmd");
    EXPECT_EQ(
        Run(p, "Library").events, std::vector<std::string> { "error:工程中有两个名为“Reader”的类，无法生成代码!" });
    EXPECT_TRUE(NothingWritten());
}

// A model edited outside the dialogs keeps generating as the stores would
// read it: a member name beginning with a Chinese character is used as it
// is, a flag other than 0 and 1 is neither set nor unset, a type with a
// trailing blank is a reference, and a referenced key is looked up among
// the rows of the run's project.
TEST_F(GenerationRunTest, HandEditedModelsAreReadAsTheStoresReadThem)
{
    int p = BuildLibraryModel("Library");
    int bookType = TClassDAO().GetClassId(p, "BookType");
    TDbHelper db;
    db.ExecuteSql("insert into t_member(projectId,classId,memberName,memberType,memberIsPri,queryFlag) "
                  "values (?,?,'名称x','字符串',2,2)",
        { p, bookType });
    auto run = Run(p, "Library");
    ASSERT_EQ(run.events, std::vector<std::string> { "done" });
    fs::path domain = Source("Library") / "com" / "velmorantis" / "domain";
    std::string java = GbkToUtf8(ReadFileBytes(domain / "BookType.java"));
    EXPECT_NE(java.find("    private String 名称x;\r\n    public String get名称x() {"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(domain / "BookType.hbm.xml").find("名称x"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(Source("Library") / "com/velmorantis/action/BookTypeAction.java").find("名称x"),
        std::string::npos);

    db.ExecuteSql("update t_member set memberType='字符串 ' where memberName='名称x'");
    EXPECT_EQ(
        Run(p, "Library").events, std::vector<std::string> { "error:BookType表的成员名称x引用的类字符串 不存在!" });

    db.ExecuteSql("delete from t_member where memberName='名称x'");
    db.ExecuteSql("update t_member set projectId=99 where memberName='bookTypeId'");
    EXPECT_EQ(
        Run(p, "Library").events, std::vector<std::string> { "error:Book表的成员bookType引用的类BookType没有主键!" });
}

// The run reads the model once: a class renamed while files are written
// changes nothing in this run's tree.
TEST_F(GenerationRunTest, ModelEditedDuringARunGivesOneConsistentTree)
{
    class TRenamingListener : public TRecordingListener {
    public:
        int projectId = 0;
        void Progress(const std::string& line) override
        {
            if (progress.empty()) {
                int classId = TClassDAO().GetClassId(projectId, "BookType");
                TClassDAO().UpdateClass(projectId, classId, "Kind", "种类");
            }
            TRecordingListener::Progress(line);
        }
    };
    int p = BuildLibraryModel("Library");
    TRenamingListener run;
    run.projectId = p;
    ASSERT_TRUE(run.RunAndWait(p, "Library", "velmorantis", Locations()));
    EXPECT_EQ(run.events, std::vector<std::string> { "done" });
    EXPECT_EQ(CompareWithGolden(Source("Library"), fs::path(JAVAGEN_GOLDEN) / "library"), "");
    EXPECT_EQ(TClassDAO().GetClassId(p, "BookType"), -1);
}

TEST_F(GenerationRunTest, OutputNamesTooLongForTheFileSystemAreRefused)
{
    int p = BuildLibraryModel("Library");
    std::string segment(300, 'a');
    EXPECT_EQ(Run(p, "Library", "org." + segment).events,
        std::vector<std::string> { "error:包名中的“" + segment + "”太长，目录名会超过文件系统允许的 255 字节!" });
    std::string longName = "L" + std::string(215, 'x');
    TDbHelper().ExecuteSql("update t_class set className=? where className='Reader'", { longName });
    TDbHelper().ExecuteSql("update t_member set memberType=? where memberType='Reader'", { longName });
    EXPECT_EQ(Run(p, "Library").events,
        std::vector<std::string> { "error:类名“" + longName + "”太长，生成的文件名会超过文件系统允许的 255 字节!" });
    EXPECT_TRUE(NothingWritten());
}

// A run killed while writing leaves a temporary file; the next run removes
// those of dead processes in the directories it writes, and nothing else.
TEST_F(GenerationRunTest, LeftoversOfAKilledRunAreRemoved)
{
    int p = BuildLibraryModel("Library");
    fs::path dao = Source("Library") / "com" / "velmorantis" / "dao";
    fs::create_directories(dao);
    // A pid far above any that runs (pid_max is at most 2^22).
    std::ofstream(dao / "BookDAO.java.javagen-99999999-3.tmp") << "torn";
    std::ofstream(dao / "Notes.javagen-1-2.tmp") << "pid 1 still runs";
    std::ofstream(dao / "mine.tmp") << "not ours";
    std::ofstream(dao / "X.javagen-abc-1.tmp") << "not our pattern";
    EXPECT_EQ(Run(p, "Library").events, std::vector<std::string> { "done" });
    EXPECT_FALSE(fs::exists(dao / "BookDAO.java.javagen-99999999-3.tmp"));
    EXPECT_TRUE(fs::exists(dao / "Notes.javagen-1-2.tmp"));
    EXPECT_TRUE(fs::exists(dao / "mine.tmp"));
    EXPECT_TRUE(fs::exists(dao / "X.javagen-abc-1.tmp"));
}

// A database written by another tool may hold a project name that would lead
// out of the projects directory: the run refuses it before writing anything.
TEST_F(GenerationRunTest, ProjectNameThatIsNoDirectoryNameIsRefused)
{
    auto run = Run(PlantProject("../escape"), "../escape");
    ASSERT_EQ(run.events.size(), 1u);
    EXPECT_EQ(run.events[0].rfind("failed:", 0), 0u) << run.events[0];
    EXPECT_TRUE(NothingWritten());
    EXPECT_FALSE(fs::exists(dir_ / "escape"));
}
