#include "../model/TempModel.h"

#include "GoldenModels.h"
#include "RecordingListener.h"
#include "TreeCompare.h"

#include "EntryRules.h"
#include "MemberDAO.h"
#include "ProjectDAO.h"
#include "TextCodec.h"

#include <fstream>

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
    for (const char* file : { "test/TestUtil.java", "utils/HibernateUtil.java", "utils/CardIdFieldValidator.java",
             "action/LoginAction.java", "action/LoginAction-login_CheckLogin-validation.xml", "action/UserAction.java",
             "action/ChangePasswordAction.java", "dao/AdminDAO.java", "domain/Admin.java", "domain/Admin.hbm.xml",
             "domain/Admin-admin-validation.xml" })
        lines.push_back(prefix + file + "移动完毕!");
    return lines;
}

void AddMember(int projectId, int classId, const std::string& name, const std::string& type, const std::string& flags)
{
    TMemberEntry e;
    e.name = name;
    e.type = type;
    e.lengthText = "20";
    e.isPri = flags.find('p') != std::string::npos;
    e.isMust = type != "字符串";
    e.isDisplay = flags.find('d') != std::string::npos;
    AddCheckedMember(projectId, classId, e);
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
    TProjectDAO().AddProject("Empty");
    auto run = Run(1, "Empty");
    EXPECT_EQ(run.events, std::vector<std::string> { "done" });
    ASSERT_EQ(run.progress.size(), 13u);
    std::string struts = ReadFileBytes(Source("Empty") / "struts.xml");
    EXPECT_EQ(struts.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(struts.find("$struts2ConfigString"), std::string::npos);
    EXPECT_FALSE(fs::exists(Source("Empty") / "com" / "velmorantis" / "dao" / "EmptyDAO.java"));
}

TEST_F(GenerationRunTest, PrimaryCheckStopsAtTheFirstFaultyClassAndWritesNothing)
{
    TProjectDAO().AddProject("P");
    TClassDAO classes;
    classes.AddClass(1, "Good", "好");
    classes.AddClass(1, "Twice", "两个主键");
    classes.AddClass(1, "None", "没有主键");
    AddMember(1, 1, "goodId", "整型", "pd");
    AddMember(1, 2, "firstId", "整型", "pd");
    AddMember(1, 2, "secondId", "整型", "p");
    AddMember(1, 3, "name", "字符串", "");
    auto run = Run(1, "P");
    EXPECT_EQ(run.events, (std::vector<std::string> { "id:2", "error:Twice表主键设置错误，每个类只能设置一个主键!" }));
    EXPECT_TRUE(run.progress.empty());
    EXPECT_TRUE(NothingWritten());
}

TEST_F(GenerationRunTest, PrimaryErrorOfALaterClassWinsOverADisplayError)
{
    TProjectDAO().AddProject("P");
    TClassDAO classes;
    classes.AddClass(1, "A", "a");
    classes.AddClass(1, "B", "b");
    classes.AddClass(1, "C", "c");
    AddMember(1, 1, "codeA", "整型", "pd");
    AddMember(1, 2, "codeB", "整型", "p"); // no display member
    AddMember(1, 3, "codeC", "整型", "pd");
    AddMember(1, 3, "keyC", "整型", "p");
    auto run = Run(1, "P");
    EXPECT_EQ(run.events, (std::vector<std::string> { "id:3", "error:C表主键设置错误，每个类只能设置一个主键!" }));
    TMemberDAO().DeleteMember(4);
    auto second = Run(1, "P");
    EXPECT_EQ(second.events,
        (std::vector<std::string> { "id:2", "error:B表显示成员设置错误，每个类有且只能设置一个显示成员!" }));
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
    TProjectDAO().AddProject("P");
    TClassDAO().AddClass(1, "Admin", "管理员");
    AddMember(1, 1, "username", "字符串", "pd");
    AddMember(1, 1, "password", "字符串", "");
    auto run = Run(1, "P");
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
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

TEST_F(GenerationRunTest, MissingTemplatesGiveEmptyFilesNotAnError)
{
    int p = BuildLibraryModel("Library");
    TRecordingListener run;
    TRunLocations locations = Locations();
    locations.templateDir = (dir_ / "no-templates").string();
    run.RunAndWait(p, "Library", "velmorantis", locations);
    EXPECT_EQ(run.events, std::vector<std::string> { "done" });
    EXPECT_EQ(ReadFileBytes(Source("Library") / "struts.xml"), "\xEF\xBB\xBF");
    EXPECT_EQ(ReadFileBytes(Source("Library") / "hibernate.cfg.xml"), "");
    EXPECT_FALSE(fs::exists(
        Source("Library") / "com" / "velmorantis" / "action" / "LoginAction-login_CheckLogin-validation.xml"));
    EXPECT_EQ(run.progress.size(), 2u + 3u + 11u + 9u);
}

// A database written by another tool may hold a project name that would lead
// out of the projects directory: the run refuses it before writing anything.
TEST_F(GenerationRunTest, ProjectNameThatIsNoDirectoryNameIsRefused)
{
    TDbHelper().ExecuteSql("insert into t_project(projectName) values ('../escape')");
    auto run = Run(1, "../escape");
    ASSERT_EQ(run.events.size(), 1u);
    EXPECT_EQ(run.events[0].rfind("failed:", 0), 0u) << run.events[0];
    EXPECT_TRUE(NothingWritten());
    EXPECT_FALSE(fs::exists(dir_ / "escape"));
}
