#include "TempModelTest.h"

#include "ModelBuilder.h"

#include "model/store/DbHelper.h"
#include "model/store/MemberDAO.h"

#include <algorithm>

#include <vector>

namespace {

std::vector<std::string> Names(std::unique_ptr<TResultSet> rows)
{
    std::vector<std::string> names;
    for (; !rows->Eof(); rows->Next())
        names.push_back(rows->AsText("memberName"));
    return names;
}

using Names_t = std::vector<std::string>;

} // namespace

using MemberStoreTest = TempModelTest;

TEST_F(MemberStoreTest, NewRecordIsStoredWithItsStartingValues)
{
    TMemberDAO().AddMember(TMember());
    TDbHelper db;
    auto rows = db.OpenQuery("select * from t_member");
    ASSERT_FALSE(rows->Eof());
    for (const char* flag : { "memberIsPri", "memberIsMust", "memberIsInteger", "memberIsFloat", "queryFlag",
             "memberIsDisplay", "memberLength", "projectId", "classId" })
        EXPECT_EQ(rows->AsInteger(flag), 0) << flag;
    EXPECT_EQ(rows->AsInteger("memberQueryDisplay"), 1);
    EXPECT_EQ(rows->AsText("memberName"), "");
    EXPECT_EQ(rows->AsText("memberComment"), "");
}

TEST_F(MemberStoreTest, AddThenGetGivesEveryFieldBack)
{
    TMember m = MakeMember(5, 9, "isbn", "字符串");
    m.SetMemberLength(13);
    m.SetMemberIsPri(1);
    m.SetMemberComment("书号 'quoted' \"双引号\" -- ;");
    m.SetMemberIsMust(1);
    m.SetQueryFlag(1);
    m.SetMemberIsDisplay(1);
    m.SetMemberQueryDisplay(0);
    TMemberDAO members;
    members.AddMember(m);
    int id = TDbHelper().QueryInteger("select memberId from t_member");
    auto got = members.GetMember(id);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->GetMemberId(), id);
    EXPECT_EQ(got->GetProjectId(), 5);
    EXPECT_EQ(got->GetClassId(), 9);
    EXPECT_EQ(got->GetMemberName(), "isbn");
    EXPECT_EQ(got->GetMemberType(), "字符串");
    EXPECT_EQ(got->GetMemberLength(), 13);
    EXPECT_EQ(got->GetMemberIsPri(), 1);
    EXPECT_EQ(got->GetMemberComment(), m.GetMemberComment());
    EXPECT_EQ(got->GetMemberIsMust(), 1);
    EXPECT_EQ(got->GetMemberIsInteger(), 0);
    EXPECT_EQ(got->GetMemberIsFloat(), 0);
    EXPECT_EQ(got->GetQueryFlag(), 1);
    EXPECT_EQ(got->GetMemberIsDisplay(), 1);
    EXPECT_EQ(got->GetMemberQueryDisplay(), 0);
    EXPECT_FALSE(members.GetMember(id + 100));
}

TEST_F(MemberStoreTest, UpdateWritesValuesButKeepsTheRowInItsClass)
{
    TMemberDAO members;
    int id = PlantMember(MakeMember(1, 2, "title", "字符串"));
    auto m = *members.GetMember(id);
    m.SetClassId(3);
    m.SetProjectId(4);
    m.SetMemberName("name");
    m.SetMemberType("整型");
    m.SetMemberIsInteger(1);
    members.UpdateMember(m);
    auto got = *members.GetMember(id);
    EXPECT_EQ(got.GetClassId(), 2);
    EXPECT_EQ(got.GetProjectId(), 1);
    EXPECT_EQ(got.GetMemberName(), "name");
    EXPECT_EQ(got.GetMemberType(), "整型");
    EXPECT_EQ(got.GetMemberIsInteger(), 1);
    members.DeleteMember(id);
    members.DeleteMember(id + 555);
    EXPECT_FALSE(members.GetMember(id));
}

TEST_F(MemberStoreTest, OpenListsSelectTheirMembers)
{
    int p = PlantProject("p");
    int book = PlantClass(p, "Book");
    TMember key = MakeMember(p, book, "isbn", "字符串");
    key.SetMemberIsPri(1);
    PlantMember(key);
    TMember title = MakeMember(p, book, "title", "字符串");
    title.SetQueryFlag(1);
    PlantMember(title);
    PlantMember(MakeMember(p, book, "published", "日期型"));
    TMember type = MakeMember(p, book, "bookType", "BookType");
    type.SetQueryFlag(1);
    PlantMember(type);
    PlantMember(MakeMember(p, book, "blank", ""));
    PlantMember(MakeMember(p, book, "spaced", "字符串 "));

    TMemberDAO members;
    EXPECT_EQ(Names(members.OpenClassMembers(book)),
        (Names_t { "isbn", "title", "published", "bookType", "blank", "spaced" }));
    EXPECT_EQ(Names(members.OpenReferenceMembers(book)), (Names_t { "bookType", "blank", "spaced" }));
    EXPECT_EQ(Names(members.OpenQueryMembers(book)), (Names_t { "title", "bookType" }));
    EXPECT_EQ(
        Names(members.OpenNonPrimaryMembers(book)), (Names_t { "title", "published", "bookType", "blank", "spaced" }));
    EXPECT_TRUE(members.OpenClassMembers(999)->Eof());
}

TEST_F(MemberStoreTest, PrimaryMemberLookups)
{
    int p = PlantProject("p");
    int q = PlantProject("q");
    int none = PlantClass(p, "None");
    int two = PlantClass(p, "Two");
    int foreign = PlantClass(q, "Foreign");
    PlantMember(MakeMember(p, none, "x", "字符串"));
    for (const char* name : { "first", "second" }) {
        TMember m = MakeMember(p, two, name, "整型");
        m.SetMemberIsPri(1);
        PlantMember(m);
    }
    TMember f = MakeMember(q, foreign, "fid", "整型");
    f.SetMemberIsPri(1);
    PlantMember(f);

    TMemberDAO members;
    EXPECT_FALSE(members.GetPrimaryMember(none));
    EXPECT_EQ(members.GetPrimaryMember(two)->GetMemberName(), "first");
    EXPECT_EQ(members.GetPrimaryMemberByClassName(p, "Two")->GetMemberName(), "first");
    EXPECT_FALSE(members.GetPrimaryMemberByClassName(p, "Foreign"));
    EXPECT_FALSE(members.GetPrimaryMemberByClassName(p, "Missing"));
    EXPECT_TRUE(members.OpenNonPrimaryMembers(two)->Eof());
}

TEST_F(MemberStoreTest, MemberOfTypeGivesTheFirstOfSeveral)
{
    int p = PlantProject("p");
    int book = PlantClass(p, "Book");
    PlantMember(MakeMember(p, book, "mainAuthor", "Author"));
    PlantMember(MakeMember(p, book, "coAuthor", "Author"));
    TMemberDAO members;
    EXPECT_EQ(members.GetMemberOfType(book, "Author")->GetMemberName(), "mainAuthor");
    EXPECT_FALSE(members.GetMemberOfType(book, "Reader"));
}

// The generators visit members in this order; DAO parameters and Action
// arguments must agree, so rows come by ascending memberId whatever the
// storage order of the table is.
TEST_F(MemberStoreTest, RowsComeInAscendingKeyOrderAcrossInterleavedClasses)
{
    int p = PlantProject("p");
    int a = PlantClass(p, "A");
    int b = PlantClass(p, "B");
    TMemberDAO members;
    std::vector<std::string> expectA, expectB;
    for (int i = 0; i < 30; ++i) {
        std::string name = "m" + std::to_string(i);
        TMember m = MakeMember(p, i % 3 == 0 ? b : a, name, i % 2 ? "字符串" : "Ref");
        m.SetQueryFlag(1);
        members.AddMember(m);
        (i % 3 == 0 ? expectB : expectA).push_back(name);
        if (i % 7 == 6) {
            // delete an earlier member of A, so that the table has holes
            std::string victim = expectA.front();
            expectA.erase(expectA.begin());
            TDbHelper().ExecuteSql("delete from t_member where memberName=?", { victim });
        }
    }
    // Rewrite rows so the physical order differs from the key order.
    TDbHelper().ExecuteSql("update t_member set memberComment='x' where classId=?", { a });
    EXPECT_EQ(Names(members.OpenClassMembers(a)), expectA);
    EXPECT_EQ(Names(members.OpenClassMembers(b)), expectB);
    EXPECT_EQ(Names(members.OpenQueryMembers(a)), expectA);
    auto refs = Names(members.OpenReferenceMembers(b));
    EXPECT_TRUE(std::is_sorted(refs.begin(), refs.end(),
        [](const std::string& x, const std::string& y) { return std::stoi(x.substr(1)) < std::stoi(y.substr(1)); }));
    auto ids = TDbHelper().OpenQuery("select memberId from t_member where classId=? order by memberId desc", { a });
    EXPECT_EQ(ids->RecordCount(), static_cast<int>(expectA.size()));
}
