#include "TempModelTest.h"

#include "ModelBuilder.h"

#include "model/store/ClassDAO.h"
#include "model/store/DbHelper.h"
#include "model/store/ModelCheckReport.h"
#include "model/store/ProjectDAO.h"

#include <vector>

namespace {

struct TRecordingReport : IModelCheckReport {
    std::vector<std::string> events;
    int errorClassId = 0;
    void SetErrorClassId(int classId) override
    {
        errorClassId = classId;
        events.push_back("id " + std::to_string(classId));
    }
    void PrimaryMemberError() override { events.push_back("primary"); }
    void DisplayMemberError() override { events.push_back("display"); }
};

TMember Flagged(int projectId, int classId, const std::string& name, int pri, int display)
{
    TMember m = MakeMember(projectId, classId, name, "字符串");
    m.SetMemberIsPri(pri);
    m.SetMemberIsDisplay(display);
    return m;
}

} // namespace

using ProjectStoreTest = TempModelTest;
using ClassStoreTest = TempModelTest;

TEST_F(ProjectStoreTest, AddRenameCountAndList)
{
    TProjectDAO projects;
    projects.AddProject("图书馆");
    projects.AddProject("O'Reilly");
    EXPECT_EQ(projects.CountProjectsByName("图书馆"), 1);
    EXPECT_EQ(projects.CountProjectsByName("nothing"), 0);
    auto list = projects.ListProjects();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].text, "图书馆");
    EXPECT_EQ(list[1].text, "O'Reilly");
    projects.RenameProject(list[1].id, "Library");
    EXPECT_EQ(projects.ListProjects()[1].text, "Library");
    EXPECT_EQ(projects.CountOtherProjectsByName(list[1].id, "Library"), 0);
    EXPECT_EQ(projects.CountOtherProjectsByName(list[0].id, "Library"), 1);
}

TEST_F(ProjectStoreTest, DeleteRemovesClassesAndMembersButNothingElse)
{
    int doomed = PlantProject("doomed");
    int kept = PlantProject("kept");
    int doomedClass = PlantClass(doomed, "Book");
    int keptClass = PlantClass(kept, "Book");
    PlantMember(MakeMember(doomed, doomedClass, "title", "字符串"));
    PlantMember(MakeMember(kept, keptClass, "title", "字符串"));

    TProjectDAO().DeleteProject(doomed);
    TDbHelper db;
    EXPECT_EQ(TProjectDAO().ListProjects().size(), 1u);
    EXPECT_TRUE(TClassDAO().ListClasses(doomed).empty());
    EXPECT_EQ(db.QueryInteger("select count(*) from t_member where classId=?", { doomedClass }), 0);
    EXPECT_EQ(db.QueryInteger("select count(*) from t_member where classId=?", { keptClass }), 1);

    TProjectDAO().DeleteProject(9999);
    EXPECT_EQ(TProjectDAO().ListProjects().size(), 1u);
}

TEST_F(ProjectStoreTest, IdsAreNeverReusedAfterDelete)
{
    int first = PlantProject("a");
    TProjectDAO().DeleteProject(first);
    EXPECT_GT(PlantProject("b"), first);
}

TEST_F(ClassStoreTest, LookupsAndCounts)
{
    int project = PlantProject("p");
    int other = PlantProject("q");
    int book = PlantClass(project, "Book", "图书");
    PlantClass(other, "Book", "书");
    TClassDAO classes;
    EXPECT_EQ(classes.GetClassName(book), "Book");
    EXPECT_EQ(classes.GetFriendName(book), "图书");
    EXPECT_EQ(classes.GetClassName(777), "");
    EXPECT_EQ(classes.GetFriendName(777), "");
    EXPECT_EQ(classes.GetClassId(project, "Book"), book);
    EXPECT_EQ(classes.GetClassId(project, "Reader"), -1);
    EXPECT_EQ(classes.CountClassesByName(project, "Book"), 1);
    EXPECT_EQ(classes.CountClassesByName(project, "book"), 0);
    EXPECT_EQ(classes.CountOtherClassesByName(project, book, "Book"), 0);
}

TEST_F(ClassStoreTest, ListOtherClasses)
{
    int project = PlantProject("p");
    int only = PlantClass(project, "Only");
    EXPECT_TRUE(TClassDAO().ListOtherClasses(project, only).empty());
    int second = PlantClass(project, "Second");
    auto others = TClassDAO().ListOtherClasses(project, only);
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0].id, second);
    EXPECT_EQ(TClassDAO().ListOtherClasses(project, 4242).size(), 2u);
}

TEST_F(ClassStoreTest, DeleteRemovesMembersAndKeepsReferencesElsewhere)
{
    int project = PlantProject("p");
    int book = PlantClass(project, "Book");
    int reader = PlantClass(project, "Reader");
    PlantMember(MakeMember(project, book, "title", "字符串"));
    PlantMember(MakeMember(project, reader, "book", "Book"));
    TClassDAO().DeleteClass(book);
    TDbHelper db;
    EXPECT_EQ(db.QueryInteger("select count(*) from t_member where classId=?", { book }), 0);
    EXPECT_EQ(db.QueryText("select memberType from t_member where classId=?", { reader }), "Book");
    EXPECT_EQ(TClassDAO().ListClasses(project).size(), 1u);
}

TEST_F(ClassStoreTest, RenameRewritesReferencesOfTheSameProjectOnly)
{
    int project = PlantProject("p");
    int other = PlantProject("q");
    int book = PlantClass(project, "Book");
    int reader = PlantClass(project, "Reader");
    int otherReader = PlantClass(other, "Reader");
    PlantMember(MakeMember(project, reader, "book", "Book"));
    PlantMember(MakeMember(other, otherReader, "book", "Book"));

    TClassDAO().UpdateClass(project, book, "Novel", "小说");
    TDbHelper db;
    EXPECT_EQ(TClassDAO().GetClassName(book), "Novel");
    EXPECT_EQ(TClassDAO().GetFriendName(book), "小说");
    EXPECT_EQ(db.QueryText("select memberType from t_member where classId=?", { reader }), "Novel");
    EXPECT_EQ(db.QueryText("select memberType from t_member where classId=?", { otherReader }), "Book");

    TClassDAO().UpdateClass(project, book, "Novel", "长篇小说");
    EXPECT_EQ(db.QueryText("select memberType from t_member where classId=?", { reader }), "Novel");
}

TEST_F(ClassStoreTest, ChecksReportTheFirstFaultyClassOnly)
{
    int project = PlantProject("p");
    int a = PlantClass(project, "A");
    int b = PlantClass(project, "B");
    int c = PlantClass(project, "C");
    PlantMember(Flagged(project, a, "id", 1, 1));
    PlantMember(Flagged(project, b, "id", 1, 0));
    PlantMember(Flagged(project, b, "id2", 1, 0));
    // c has no member at all

    TRecordingReport report;
    auto classes = TClassDAO().ListClasses(project);
    EXPECT_FALSE(TClassDAO().CheckPrimaryMembers(classes, report));
    EXPECT_EQ(report.events, (std::vector<std::string> { "id " + std::to_string(b), "primary" }));

    TRecordingReport display;
    EXPECT_FALSE(TClassDAO().CheckDisplayMembers(classes, display));
    EXPECT_EQ(display.events, (std::vector<std::string> { "id " + std::to_string(b), "display" }));
    (void)c;

    TRecordingReport none;
    EXPECT_TRUE(TClassDAO().CheckPrimaryMembers({}, none));
    EXPECT_TRUE(TClassDAO().CheckDisplayMembers({}, none));
    EXPECT_TRUE(none.events.empty());
}
