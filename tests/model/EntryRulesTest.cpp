#include "TempModelTest.h"

#include "ModelBuilder.h"
#include "model/rules/EntryRules.h"
#include "model/rules/JavaWords.h"
#include "model/store/ProjectDAO.h"

namespace {

class EntryRulesTest : public TempModelTest {
protected:
    void SetUp() override
    {
        TempModelTest::SetUp();
        project_ = PlantProject("Library");
        book_ = PlantClass(project_, "Book");
        bookType_ = PlantClass(project_, "BookType");
        title_ = PlantMember(MakeMember(project_, book_, "title", "字符串"));
    }

    TMemberEntry Entry(const std::string& name, const std::string& type, bool must = true)
    {
        TMemberEntry e;
        e.name = name;
        e.type = type;
        e.lengthText = "20";
        e.isMust = must;
        return e;
    }

    std::string Add(const TMemberEntry& e)
    {
        return CheckMemberEntry(TMemberDialog::Add, project_, book_, 0, e).message;
    }
    // The change dialog of the member title.
    std::string Change(const TMemberEntry& e)
    {
        return CheckMemberEntry(TMemberDialog::Change, project_, book_, title_, e).message;
    }

    int project_ = 0, book_ = 0, bookType_ = 0, title_ = 0;
};

} // namespace

TEST_F(EntryRulesTest, NewProjectInOrder)
{
    EXPECT_EQ(CheckNewProject("").message, "工程名称不能为空!");
    EXPECT_EQ(CheckNewProject("Library").message, "该工程名称已经存在!");
    EXPECT_EQ(CheckNewProject("a/b").message, "工程名称不能包含“/”或“\\”!");
    EXPECT_EQ(CheckNewProject("a\\b").message, "工程名称不能包含“/”或“\\”!");
    EXPECT_EQ(CheckNewProject("..").message, "工程名称不能是“.”或“..”!");
    EXPECT_EQ(CheckNewProject(".").message, "工程名称不能是“.”或“..”!");
    EXPECT_EQ(CheckNewProject("tab\there").message, "工程名称不能包含控制字符!");
    EXPECT_EQ(CheckNewProject("笑\xF0\x9F\x98\x80").message, "工程名称含有无法用 GBK 编码保存的字符!");
    EXPECT_TRUE(CheckNewProject("图书管理 O'Neil").Accepted());
}

TEST_F(EntryRulesTest, RenameProject)
{
    int other = PlantProject("Shop");
    EXPECT_EQ(CheckRenameProject(other, "").message, "工程项目名称不能为空!");
    EXPECT_EQ(CheckRenameProject(other, "Library").message, "该工程名称已经存在!");
    EXPECT_EQ(CheckRenameProject(other, "../x").message, "工程名称不能包含“/”或“\\”!");
    EXPECT_TRUE(CheckRenameProject(other, "Shop").Accepted());
    EXPECT_TRUE(CheckRenameProject(other, "商店").Accepted());
}

TEST_F(EntryRulesTest, AddClassInOrder)
{
    EXPECT_EQ(CheckAddClass(project_, "", "").message, "类名称不能为空!");
    EXPECT_EQ(CheckAddClass(project_, "reader", "").message, "友好名称不能为空");
    EXPECT_EQ(CheckAddClass(project_, "reader", "读者").message, "类名首个字母必须大写");
    EXPECT_EQ(CheckAddClass(project_, "1Reader", "读者").message, "类名首个字母必须大写");
    EXPECT_EQ(CheckAddClass(project_, "读者", "读者").message, "类名首个字母必须大写");
    EXPECT_EQ(CheckAddClass(project_, "Book", "图书").message, "该类名称已经存在!");
    EXPECT_EQ(CheckAddClass(project_, "Read-er", "读者").message, "类名称只能由英文字母、数字和下划线组成!");
    EXPECT_EQ(CheckAddClass(project_, "Reader 2", "读者").message, "类名称只能由英文字母、数字和下划线组成!");
    EXPECT_NE(CheckAddClass(project_, "Query", "查询").message.find("冲突"), std::string::npos);
    EXPECT_NE(CheckAddClass(project_, "ReaderDAO", "读者").message.find("DAO 或 Action"), std::string::npos);
    EXPECT_EQ(CheckAddClass(project_, "Reader", "\xF0\x9F\x98\x80").message, "友好名称含有无法用 GBK 编码保存的字符!");
    EXPECT_TRUE(CheckAddClass(project_, "Reader_2", "读者").Accepted());
}

TEST_F(EntryRulesTest, UpdateClassInItsOwnOrder)
{
    EXPECT_EQ(CheckUpdateClass(project_, book_, "", "").message, "类名称不能为空");
    EXPECT_EQ(CheckUpdateClass(project_, book_, "novel", "").message, "类名首个字母必须大写");
    EXPECT_EQ(CheckUpdateClass(project_, book_, "Novel", "").message, "友好名称不能为空");
    EXPECT_EQ(CheckUpdateClass(project_, book_, "BookType", "x").message, "该类名称已经存在!");
    EXPECT_EQ(CheckUpdateClass(project_, book_, "No vel", "x").message, "类名称只能由英文字母、数字和下划线组成!");
    EXPECT_TRUE(CheckUpdateClass(project_, book_, "Book", "新名").Accepted());
    // the class variable name "title" would clash with the member title
    EXPECT_NE(CheckUpdateClass(project_, book_, "Title", "x").message.find("冲突"), std::string::npos);
}

TEST_F(EntryRulesTest, PackageName)
{
    EXPECT_EQ(CheckPackageName("").message, "包名输入不能为空!");
    EXPECT_TRUE(CheckPackageName("velmorantis").Accepted());
    EXPECT_TRUE(CheckPackageName("org.example_2.app").Accepted());
    for (const char* bad : { "org..x", ".org", "org.", "org/x", "org.class", "1org", "org.2x", "组织", "a b", "a-b" })
        EXPECT_FALSE(CheckPackageName(bad).Accepted()) << bad;
}

TEST_F(EntryRulesTest, MemberChecksInTheDialogsOrder)
{
    EXPECT_EQ(Add(Entry("", "整型", false)), "成员名称输入不能为空!");
    EXPECT_EQ(Add(Entry("Title", "整型", false)), "成员属性首个字母必须小写");
    EXPECT_EQ(Add(Entry("_x", "字符串")), "成员属性首个字母必须小写");
    EXPECT_EQ(Add(Entry("published", "日期型", false)), "除了字符串类型外其他类型必须勾选是否必填标志!");
    EXPECT_EQ(Add(Entry("bookType", "BookType", false)), "除了字符串类型外其他类型必须勾选是否必填标志!");
    EXPECT_TRUE(Add(Entry("subtitle", "字符串", false)).empty());

    auto priFloat = Entry("price", "浮点型");
    priFloat.isPri = true;
    priFloat.queryFlag = true;
    EXPECT_EQ(Add(priFloat), "主键字段必须是整型或字符串型!");
    // the change dialog also refuses it, after its own checks
    EXPECT_EQ(Change(priFloat), "参与查询的字段不要设置整型或浮点型");
    priFloat.queryFlag = false;
    EXPECT_EQ(Change(priFloat), "主键字段必须是整型或字符串型!");

    auto queryInt = Entry("count", "整型");
    queryInt.queryFlag = true;
    EXPECT_EQ(Add(queryInt), "参与查询的字段不要设置整型或浮点型");
    auto queryRef = Entry("bookType", "BookType");
    queryRef.queryFlag = true;
    EXPECT_TRUE(Add(queryRef).empty());
}

TEST_F(EntryRulesTest, StricterMemberRules)
{
    const std::string choices =
        "简单类型(字符串、整型、浮点型、日期型、长整型、定点数、双精度、二进制)之一或本项目的其他类!";
    // The wrong type is named, and comes before the rules that read the type.
    for (const auto& [type, message] : std::vector<std::pair<std::string, std::string>> {
             { "", "请选择成员类型(" + choices.substr(0, choices.size() - 1) + ")!" },
             { "Ghost", "成员类型“Ghost”不存在，请选择" + choices },
             { "整形", "成员类型“整形”不存在，请选择" + choices + " 你是不是想用 整型?" },
             { "BookTyp", "成员类型“BookTyp”不存在，请选择" + choices + " 你是不是想用 BookType?" } })
        EXPECT_EQ(Add(Entry("thing", type, false)), message) << type;
    // A class may refer to itself: a manager, a parent category.
    EXPECT_EQ(Add(Entry("parent", "Book")), "");
    EXPECT_EQ(Add(Entry("na-me", "字符串")), "成员名称只能由英文字母、数字和下划线组成!");
    EXPECT_EQ(Add(Entry("名字", "字符串")), "成员属性首个字母必须小写");
    EXPECT_EQ(Add(Entry("n名", "字符串")), "成员名称只能由英文字母、数字和下划线组成!");
    EXPECT_NE(Add(Entry("class", "字符串")).find("Java 关键字"), std::string::npos);
    EXPECT_NE(Add(Entry("null", "字符串")).find("Java 关键字"), std::string::npos);
    EXPECT_NE(Add(Entry("aB", "字符串")).find("第二个字母"), std::string::npos);
    // A clash names the one rule it breaks.
    const std::string own = "(它是生成代码自己用的变量名(如 currentPage、totalPage、recordNumber))";
    for (auto [clash, why] :
        std::vector<std::pair<std::string, std::string>> { { "currentPage", own }, { "totalPage", own },
            { "recordNumber", own }, { "ctx", own }, { "s", own }, { "tx", own }, { "q", own }, { "hql", own },
            { "startIndex", own }, { "mod", own }, { "e", own }, { "book", "(它是类 Book 自己的变量名)" },
            { "bookDAO", "(它以 DAO 结尾(生成代码用“类变量名DAO”命名 DAO 对象))" },
            { "bookList", "(它以 List 结尾(生成代码用“类变量名List”命名对象列表))" },
            { "bookTypeList", "(它以 List 结尾(生成代码用“类变量名List”命名对象列表))" },
            { "db_book", "(它以 db_ 开头(生成代码用“db_类变量名”命名从数据库读出的对象))" } })
        EXPECT_EQ(
            Add(Entry(clash, "字符串")), "成员名称 " + clash + " 与生成代码中的变量名冲突" + why + "，请换一个名称!")
            << clash;
    EXPECT_NE(Add(Entry("order", "字符串")).find("保留字"), std::string::npos);
    // What the output cannot carry is refused with its limit.
    auto longComment = Entry("subtitle", "字符串");
    longComment.comment = std::string(4001, 'x');
    EXPECT_EQ(Add(longComment), "成员注释不能超过 4000 个字符(生成的 Java 代码容纳不下)!");
    EXPECT_FALSE(CheckPackageName(std::string(128, 'a') + "." + std::string(127, 'b')).Accepted());
    EXPECT_TRUE(CheckPackageName(std::string(127, 'a') + "." + std::string(127, 'b')).Accepted());
    // Words the pages' expression language or Struts read as something else.
    for (const char* word : { "lt", "gt", "le", "ge", "eq", "ne", "empty", "param", "header", "cookie", "pageContext",
             "sessionScope", "bor", "gte" })
        EXPECT_NE(Add(Entry(word, "字符串")).find("JSP 表达式语言或 Struts(OGNL)的保留字"), std::string::npos) << word;
    EXPECT_EQ(Add(Entry("title", "字符串")), "该成员名称已经存在!");
    EXPECT_TRUE(Change(Entry("title", "字符串")).empty());

    for (const char* length : { "", "0", "65536", "abc", "-1", "1e3", "99999999999" }) {
        auto e = Entry("subtitle", "字符串");
        e.lengthText = length;
        EXPECT_EQ(Add(e), "字符串类型的长度必须是 1 到 65535 之间的整数!") << length;
    }
    auto ignored = Entry("pages", "整型");
    ignored.lengthText = "not a number";
    EXPECT_TRUE(Add(ignored).empty());

    auto comment = Entry("subtitle", "字符串");
    comment.comment = "line\nbreak";
    EXPECT_EQ(Add(comment), "成员注释不能包含换行等控制字符!");
    comment.comment = "\xF0\x9F\x98\x80";
    EXPECT_EQ(Add(comment), "成员注释含有无法用 GBK 编码保存的字符!");
    comment.comment = "书名 */ -- \"'\\ \t";
    EXPECT_TRUE(Add(comment).empty());
}

// A many-to-many member names its link table and both of its columns and
// is none of what a column of the class's own table may be.
TEST_F(EntryRulesTest, ManyToManyMembers)
{
    const std::string names = "都必须是普通的 SQL 标识符!";
    const std::string flags = "多对多成员不能是主键、参与查询、下拉框显示、可为空或由数据库填写!";
    struct TCase {
        const char* type;
        const char* table;
        const char* linkColumn;
        const char* column;
        bool query;
        std::string refusal; // its end; empty: accepted
    } cases[] = {
        { "Book", "book_link", "book_id", "other_id", false, "" },
        { "Book", "book-link", "book_id", "other_id", false, names },
        { "Book", "book_link", "", "other_id", false, names },
        { "Book", "book_link", "book_id", "", false, names },
        { "字符串", "book_link", "book_id", "other_id", false, "多对多成员的类型必须是本项目的类!" },
        { "Book", "book_link", "book_id", "other_id", true, flags },
    };
    for (const auto& c : cases) {
        TMemberEntry e = Entry("linked", c.type, false);
        e.linkTable = c.table;
        e.linkColumn = c.linkColumn;
        e.columnName = c.column;
        e.queryFlag = c.query;
        std::string message = Add(e);
        if (c.refusal.empty())
            EXPECT_EQ(message, "") << c.table;
        else
            EXPECT_TRUE(message.size() >= c.refusal.size() &&
                message.compare(message.size() - c.refusal.size(), c.refusal.size(), c.refusal) == 0)
                << message;
    }
    TMemberEntry nullable = Entry("linked", "Book", false);
    nullable.linkTable = "book_link";
    nullable.linkColumn = "book_id";
    nullable.columnName = "other_id";
    nullable.nullable = true;
    EXPECT_EQ(Add(nullable), flags);
}

TEST_F(EntryRulesTest, MemberRecordSetsOnlyWhatDiffers)
{
    auto e = Entry("pages", "整型");
    e.lengthText = "77";
    e.isPri = true;
    e.queryDisplay = false;
    e.comment = "页数";
    TMember m = BuildMemberRecord(e, project_, book_, 0);
    EXPECT_EQ(m.GetMemberLength(), 0);
    EXPECT_EQ(m.GetMemberIsInteger(), 1);
    EXPECT_EQ(m.GetMemberIsFloat(), 0);
    EXPECT_EQ(m.GetMemberIsPri(), 1);
    EXPECT_EQ(m.GetMemberIsMust(), 1);
    EXPECT_EQ(m.GetMemberQueryDisplay(), 0);
    EXPECT_EQ(m.GetMemberComment(), "页数");
    EXPECT_EQ(m.GetProjectId(), project_);
    EXPECT_EQ(m.GetClassId(), book_);

    auto s = Entry("subtitle", "字符串", false);
    s.lengthText = "40";
    TMember t = BuildMemberRecord(s, project_, book_, 12);
    EXPECT_EQ(t.GetMemberId(), 12);
    EXPECT_EQ(t.GetMemberLength(), 40);
    EXPECT_EQ(t.GetMemberQueryDisplay(), 1);
    EXPECT_EQ(BuildMemberRecord(Entry("price", "浮点型"), project_, book_, 0).GetMemberIsFloat(), 1);
}

// The own class is not offered; bytes only where they can be generated
// (the current target), and entered there only.
TEST_F(EntryRulesTest, TypeChoicesExcludeTheOwnClass)
{
    EXPECT_EQ(MemberTypeChoices(project_, book_),
        (std::vector<std::string> { "字符串", "整型", "浮点型", "日期型", "长整型", "定点数", "双精度", "BookType" }));
    TMemberEntry bytes = Entry("cover", "二进制");
    bytes.nullable = true;
    EXPECT_EQ(Add(bytes),
        "二进制成员只能用于目标框架为 Struts 7 + Hibernate 7 的工程(上传和下载文件)：请先把工程的目标框架改为 "
        "current!");
    TProjectDAO().SetTarget(project_, "current");
    EXPECT_EQ(MemberTypeChoices(project_, book_),
        (std::vector<std::string> {
            "字符串", "整型", "浮点型", "日期型", "长整型", "定点数", "双精度", "二进制", "BookType" }));
    EXPECT_EQ(Add(bytes), "");
}

TEST(NamesTest, CasingChangesOnlyAnAsciiFirstLetter)
{
    EXPECT_EQ(ClassVariableName("BookType"), "bookType");
    EXPECT_EQ(ClassVariableName("书Type"), "书Type");
    EXPECT_EQ(ClassVariableName("bookType"), "bookType");
    EXPECT_EQ(CapitalizedName("isbnNo"), "IsbnNo");
    EXPECT_EQ(CapitalizedName("x"), "X");
    EXPECT_EQ(CapitalizedName("_x"), "_x");
    EXPECT_EQ(CapitalizedName(""), "");
}

// Found by the random-model compile test: the class variable name is a
// local or a field of the generated code, or a keyword.
TEST_F(EntryRulesTest, ClassVariableNameMustNotClashWithGeneratedCode)
{
    for (const char* name : { "S", "E", "Q", "Tx", "Hql", "Ctx", "Mod", "StartIndex", "CurrentPage", "TotalPage",
             "RecordNumber", "Java", "Int", "Class", "New", "Null", "True" }) {
        EXPECT_NE(CheckAddClass(project_, name, "x").message.find("变量名"), std::string::npos) << name;
        EXPECT_NE(CheckUpdateClass(project_, book_, name, "x").message.find("变量名"), std::string::npos) << name;
    }
    EXPECT_TRUE(CheckAddClass(project_, "Sx", "x").Accepted());
}

TEST_F(EntryRulesTest, RenameMayMakeAClassReferToItself)
{
    // A member left behind by a deleted class Ghost then refers to Book itself.
    PlantMember(MakeMember(project_, book_, "phantom", "Ghost"));
    EXPECT_TRUE(CheckUpdateClass(project_, book_, "Ghost", "x").Accepted());
}

// The class variable name is the alias of the generated HQL queries.
TEST_F(EntryRulesTest, ClassVariableNameMustNotBeAnHqlKeyword)
{
    for (const char* name : { "Member", "Count", "Select", "Where", "Sum", "Elements" })
        EXPECT_NE(CheckAddClass(project_, name, "x").message.find("Hibernate"), std::string::npos) << name;
    EXPECT_TRUE(CheckAddClass(project_, "Order", "订单").Accepted());
}

TEST_F(EntryRulesTest, NamesHaveALengthLimit)
{
    EXPECT_EQ(CheckAddClass(project_, "A" + std::string(64, 'a'), "x").message, "类名称不能超过 64 个字符!");
    EXPECT_TRUE(CheckAddClass(project_, "A" + std::string(63, 'a'), "x").Accepted());
    EXPECT_EQ(Add(Entry("a" + std::string(64, 'b'), "字符串")), "成员名称不能超过 64 个字符!");
    EXPECT_EQ(CheckNewProject(std::string(201, 'p')).message, "工程名称太长(最多 200 个字节，一个汉字占 3 个字节)!");
}

// The rules on what an import knows of a column, in their order.
TEST_F(EntryRulesTest, ColumnDataOfImportedMembers)
{
    struct TCase {
        const char* type;
        bool key;
        bool nullable;
        const char* column;
        const char* generator;
        const char* precision;
        const char* scale;
        const char* message;
    };
    const TCase cases[] = {
        { "整型", false, true, "stock", "", "", "", "" }, // a nullable number needs no 必填
        { "Book", false, true, "book_id", "", "", "", "" },
        { "定点数", false, false, "price", "", "10", "2", "" },
        { "长整型", true, false, "big_id", "native", "", "", "" },
        { "字符串", false, false, "bad name", "", "", "",
            "列名“bad name”不是普通的 SQL 标识符(只能由字母、数字、下划线和 $ 组成，不以数字开头，最长 64 个字符)!" },
        { "字符串", false, false, "1st", "", "", "",
            "列名“1st”不是普通的 SQL 标识符(只能由字母、数字、下划线和 $ 组成，不以数字开头，最长 64 个字符)!" },
        { "整型", true, true, "id", "", "", "", "主键字段不能允许为空!" },
        { "整型", true, false, "id", "auto", "", "",
            "主键的生成方式只能是 native(由数据库生成)或 assigned(由程序给出)!" },
        { "整型", false, false, "n", "native", "", "", "只有主键字段可以设置生成方式!" },
        { "字符串", true, false, "code", "native", "", "", "字符串类型的主键不能由数据库生成(native)!" },
        { "定点数", false, false, "p", "", "66", "2",
            "定点数的精度必须是 1 到 65 之间的整数，小数位数必须是 0 到 30 之间且不大于精度的整数!" },
        { "定点数", false, false, "p", "", "5", "6",
            "定点数的精度必须是 1 到 65 之间的整数，小数位数必须是 0 到 30 之间且不大于精度的整数!" },
        { "定点数", false, false, "p", "", "x", "",
            "定点数的精度必须是 1 到 65 之间的整数，小数位数必须是 0 到 30 之间且不大于精度的整数!" },
        { "浮点型", false, false, "p", "", "10", "2", "只有定点数类型可以设置精度和小数位数!" },
    };
    PlantMember(project_, bookType_, "typeId", "整型", "pm");
    for (const auto& c : cases) {
        TMemberEntry e = Entry(c.key ? "newKey" : "extra", c.type, !c.nullable);
        e.isPri = c.key;
        e.nullable = c.nullable;
        e.columnName = c.column;
        e.keyGenerator = c.generator;
        e.precision = c.precision;
        e.scale = c.scale;
        EXPECT_EQ(CheckMemberEntry(TMemberDialog::Change, project_, bookType_, 0, e).message, c.message)
            << c.type << " " << c.column;
    }
}

// The database settings land in hibernate.cfg.xml: class names for the
// driver and the dialect, a JDBC URL, no markup.
TEST(ProjectDatabaseRulesTest, OnlyClassNamesAndJdbcUrls)
{
    struct TCase {
        TProjectDatabase database;
        bool accepted;
    };
    const TCase cases[] = {
        { { "jdbc:mysql://h:3306/d?useUnicode=true&characterEncoding=UTF-8", "root", "com.mysql.jdbc.Driver",
              "org.hibernate.dialect.MySQL5InnoDBDialect" },
            true },
        { {}, true },
        { { "", "", "", "x</property><property name=\"hibernate.hbm2ddl.auto\">create" }, false },
        { { "", "", "com.mysql.jdbc.Driver;", "" }, false },
        { { "mysql://h/d", "", "", "" }, false },
        { { "jdbc:mysql://h/d\"><x", "", "", "" }, false },
        { { "jdbc:mysql://h/d", "a<b", "", "" }, false },
        { { "", "", "org.example.Outer$Driver", "" }, true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckProjectDatabase(c.database).Accepted(), c.accepted)
            << c.database.url << c.database.driver << c.database.dialect;
}
