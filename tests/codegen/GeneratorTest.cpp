#include "LiteralModel.h"

#include <gtest/gtest.h>

#include "codegen/targets/legacy/ActionOperate.h"
#include "codegen/targets/legacy/ConfigWriter.h"
#include "codegen/targets/legacy/DaoOperate.h"
#include "codegen/targets/legacy/DomainOperate.h"
#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/text/TextEscape.h"

#include "model/commands/ModelSnapshot.h"

#include <algorithm>
#include <stdexcept>

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A class of a literal model as a run hands it to the generators.
TClassData Load(const TLiteralModel& model, const std::string& className)
{
    for (auto& c : BuildClassData(LiteralSnapshot(model)))
        if (c.name == className)
            return c;
    throw std::runtime_error("no class " + className);
}

TLiteralClass& ClassOf(TLiteralModel& model, const std::string& name)
{
    return *std::find_if(model.begin(), model.end(), [&](const TLiteralClass& c) { return c.name == name; });
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1))
        ++n;
    return n;
}

} // namespace

TEST(TextEscapeTest, CommentsAndLiteralsAreOnlyChangedWhereNeeded)
{
    EXPECT_EQ(JavaCommentText("书名 plain"), "书名 plain");
    EXPECT_EQ(JavaCommentText("a*/b*/"), "a*\\/b*\\/");
    EXPECT_EQ(JavaCommentText("\\u002a/"), "\\\\u002a/");
    EXPECT_EQ(JavaCommentText("\\\\u0041"), "\\\\u0041");
    EXPECT_EQ(JavaStringText("该\"书\"\\号\r\n"), "该\\\"书\\\"\\\\号\\r\\n");
    EXPECT_EQ(JavaStringText("plain"), "plain");
    EXPECT_EQ(XmlCommentText("a--b"), "a- -b");
    EXPECT_EQ(XmlCommentText("a---b"), "a- - -b");
    EXPECT_EQ(XmlCommentText("end-"), "end- ");
    EXPECT_EQ(XmlCommentText("fine - here"), "fine - here");
    EXPECT_EQ(ReplaceAll("$className $classNames $CLASSNAME", "$className", "Book"), "Book Books $CLASSNAME");
    EXPECT_EQ(ReplaceAll("$a$a", "$a", "$a$a"), "$a$a$a$a");
    // Pages and messages: each entity or break stays whole.
    EXPECT_EQ(JspTemplateText("${7*6}#{x}&<\""), "&#36;{7*6}&#35;{x}&amp;&lt;&quot;");
    EXPECT_EQ(OgnlMessageText("${a}%{b}#{c}"), "$\u200B{a}%\u200B{b}#\u200B{c}");
}

// Eight megabytes of placeholders, replaced in one pass.
TEST(TextEscapeTest, PlaceholdersOfALargeTemplate)
{
    std::string line = "package com.$packageName.dao;\r\n";
    std::string text;
    for (size_t i = 0; text.size() < 8u << 20; ++i)
        text += line;
    std::string replaced = ReplaceAll(text, "$packageName", "org.example.verylongname");
    size_t lines = text.size() / line.size();
    EXPECT_EQ(replaced.size(), text.size() + lines * (std::string("org.example.verylongname").size() - 12));
    EXPECT_EQ(replaced.find("$packageName"), std::string::npos);
    EXPECT_EQ(replaced.substr(0, 44), "package com.org.example.verylongname.dao;\r\np");
}

TEST(JavaNamesTest, TypesOfMembers)
{
    EXPECT_EQ(JavaTypeOf("字符串"), "String");
    EXPECT_EQ(JavaTypeOf("日期型"), "String");
    EXPECT_EQ(JavaTypeOf("整型"), "int");
    EXPECT_EQ(JavaTypeOf("浮点型"), "float");
    EXPECT_EQ(JavaTypeOf("BookType"), "BookType");
    EXPECT_EQ(JavaTypeOf("字符串 "), "字符串 ");
    EXPECT_EQ(QueryTypeOf("日期型"), "String");
    EXPECT_EQ(QueryTypeOf("Book"), "Book");
    EXPECT_EQ(KeyTypeOf("字符串"), "String");
    EXPECT_EQ(KeyTypeOf("整型"), "int");
}

TEST(GeneratorTest, ConfigurationBlocks)
{
    TIdList classes = { { "Student", 1 }, { "ClassInfo", 2 } };
    std::string struts = BuildStrutsBlock("velmorantis", classes);
    EXPECT_EQ(Count(struts, "<package name="), 2u);
    EXPECT_LT(struts.find("Student"), struts.find("ClassInfo"));
    EXPECT_TRUE(Contains(struts,
        "\r\n           <action name=\"Student_*\" "
        "class=\"com.velmorantis.action.StudentAction\" method=\"{1}\">\r\n"));
    EXPECT_EQ(struts.substr(struts.size() - 6), "e>\r\n\r\n");
    EXPECT_EQ(BuildHibernateMappingLines("org/example", classes),
        "        <mapping resource=\"com/org/example/domain/Student.hbm.xml\" />\r\n"
        "        <mapping resource=\"com/org/example/domain/ClassInfo.hbm.xml\" />\r\n");
}

TEST(GeneratorTest, MappingOfAClassWithOnlyItsKey)
{
    TLiteralModel model = LibraryLiteral();
    ClassOf(model, "BookType").members.pop_back();
    EXPECT_EQ(BuildMappingContent(Load(model, "BookType")),
        "          <!-- 主键类型编号 -->\r\n"
        "          <id name=\"bookTypeId\" column=\"bookTypeId\">\r\n"
        "            <generator class=\"native\"/>\r\n"
        "          </id>\r\n"
        "\r\n");
}

TEST(GeneratorTest, DomainClassWithoutMembersIsFourLines)
{
    TClassData bare;
    bare.name = "Bare";
    EXPECT_EQ(TDomainOperate::BuildDomainClass("velmorantis", bare),
        "package com.velmorantis.domain;\r\n\r\npublic class Bare {\r\n}");
}

// Search values are bound as named parameters, never spliced into the HQL.
TEST(GeneratorTest, QueryConditionsBindTheirValues)
{
    TLiteralModel p = LibraryLiteral();
    std::string query = TDaoOperate::BuildQueryMethod(Load(p, "Book"));
    EXPECT_TRUE(Contains(query, "Info(String bookName,BookType bookType,String publishDate,int currentPage) { \r\n"));
    EXPECT_TRUE(Contains(
        query, "            if(!bookName.equals(\"\")) hql = hql + \" and book.bookName like :bookName\";\r\n"));
    EXPECT_TRUE(Contains(query,
        "            if(null != bookType && bookType.getBookTypeId()!=0) hql += \" and "
        "book.bookType.bookTypeId=:bookType\";\r\n"));
    EXPECT_TRUE(Contains(query,
        "            Query q = s.createQuery(hql);\r\n"
        "            if(!bookName.equals(\"\")) q.setString(\"bookName\", \"%\" + "
        R"(bookName.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");)"
        "\r\n"
        "            if(null != bookType && bookType.getBookTypeId()!=0) q.setInteger(\"bookType\", "
        "bookType.getBookTypeId());\r\n"));
    EXPECT_FALSE(Contains(query, "'%"));
    std::string count = TDaoOperate::BuildCalculateMethod(Load(p, "Reader"));
    EXPECT_TRUE(Contains(count, "CalculateTotalPageAndRecordNumber(String readerNo,Book book) {\r\n"));
    EXPECT_TRUE(Contains(count,
        "            if(null != book && !book.getIsbn().equals(\"\")) hql += \" and "
        "reader.book.isbn=:book\";\r\n"));
    EXPECT_TRUE(Contains(count,
        "            if(null != book && !book.getIsbn().equals(\"\")) q.setString(\"book\", "
        "book.getIsbn());\r\n"));
    TClassData bookType = Load(p, "BookType");
    EXPECT_TRUE(Contains(TDaoOperate::BuildQueryMethod(bookType), "QueryBookTypeInfo(int currentPage) { "));
    EXPECT_TRUE(Contains(TDaoOperate::BuildCalculateMethod(bookType), "CalculateTotalPageAndRecordNumber() {\r\n"));
}

TEST(GeneratorTest, ReferenceMembersThatAreNotQueryMembersGetImportsAndProperties)
{
    TLiteralModel p = TrickyLiteral();
    std::string action = TActionOperate::BuildActionClass("x", Load(p, "Person"));
    EXPECT_EQ(Count(action, "import com.x.dao.DeptDAO;\r\nimport com.x.domain.Dept;\r\n"), 2u);
    EXPECT_TRUE(Contains(action, "    /*关联对象属性: 所属部门 *\\/*/\r\n    private Dept homeDept;\r\n"));
    EXPECT_EQ(Count(action, "    private Dept workDept;\r\n"), 1u);

    // Without the trigger: every reference is a query member, imports as before.
    TLiteralModel bp = LibraryLiteral();
    std::string book = TActionOperate::BuildActionClass("x", Load(bp, "Book"));
    EXPECT_FALSE(Contains(book, "关联对象属性"));
    EXPECT_EQ(Count(book, "import com.x.dao.BookTypeDAO;\r\n"), 1u);
}

TEST(GeneratorTest, SecondReferenceToTheSameClassDeclaresNothingTwice)
{
    TLiteralModel p = TrickyLiteral();
    TClassData person = Load(p, "Person");
    std::string addView = TActionOperate::BuildAddViewAction(person);
    EXPECT_EQ(Count(addView, "DeptDAO deptDAO = new DeptDAO();"), 1u);
    std::string add = TActionOperate::BuildAddAction(person);
    EXPECT_EQ(Count(add, "DeptDAO deptDAO = new DeptDAO();"), 1u);
    EXPECT_TRUE(Contains(add,
        "            homeDept = deptDAO.GetDeptByDeptNo(person.getHomeDept().getDeptNo());\r\n"
        "            person.setHomeDept(homeDept);\r\n"
        "            if(null == homeDept) {\r\n"
        "                ctx.put(\"error\",  java.net.URLEncoder.encode(\"所选的Dept不存在!\"));\r\n"
        "                return \"error\";\r\n"
        "            }\r\n"
        "            workDept = deptDAO.GetDeptByDeptNo(person.getWorkDept().getDeptNo());\r\n"
        "            person.setWorkDept(workDept);\r\n"));
    std::string modify = TActionOperate::BuildModifyAction(person);
    EXPECT_EQ(Count(modify, "DeptDAO deptDAO = new DeptDAO();"), 1u);
    EXPECT_EQ(Count(modify, "deptDAO.GetDeptByDeptNo("), 2u);
    EXPECT_EQ(Count(TActionOperate::BuildModifyQueryAction(person), "List<Dept> deptList"), 1u);
    std::string query = TActionOperate::BuildQueryAction(person);
    EXPECT_EQ(Count(query, "List<Dept> deptList"), 1u);
}

TEST(GeneratorTest, PrimaryCommentIsEscapedInCommentAndLiteral)
{
    TLiteralModel p = TrickyLiteral();
    std::string add = TActionOperate::BuildAddAction(Load(p, "Dept"));
    EXPECT_TRUE(Contains(add, "        /*验证部门\"编号\" \\ 路径 \\\\u0041是否已经存在*/\r\n"));
    EXPECT_TRUE(Contains(add, "java.net.URLEncoder.encode(\"该部门\\\"编号\\\" \\\\ 路径 \\\\u0041已经存在!\"));\r\n"));
}

// Hibernate refuses two properties on one column; the second reference to a
// class takes its own member name as column, the first keeps the key's name.
TEST(GeneratorTest, SecondReferenceToOneClassGetsItsOwnColumn)
{
    TLiteralModel p = TrickyLiteral();
    std::string mapping = BuildMappingContent(Load(p, "Person"));
    EXPECT_TRUE(Contains(mapping, "<many-to-one name=\"homeDept\"\r\n            column=\"deptNo\"\r\n"));
    EXPECT_TRUE(Contains(mapping, "<many-to-one name=\"workDept\"\r\n            column=\"workDept\"\r\n"));
    TLiteralModel lp = LibraryLiteral();
    EXPECT_TRUE(Contains(BuildMappingContent(Load(lp, "Book")),
        "<many-to-one name=\"bookType\"\r\n            column=\"bookTypeId\"\r\n"));
}

// Saving cascades along many-to-one members only where no row can be reached
// twice: a class with two references (or a cycle of single references)
// would make Hibernate refuse the save.
TEST(GeneratorTest, CascadeOnlyAlongSingleReferenceChains)
{
    TLiteralModel lp = LibraryLiteral();
    EXPECT_TRUE(Contains(BuildMappingContent(Load(lp, "Reader")), "cascade=\"save-update\""));
    TLiteralModel p = TrickyLiteral();
    EXPECT_FALSE(Contains(BuildMappingContent(Load(p, "Person")), "cascade"));

    // A -> B -> A: a cycle of single references
    ClassOf(p, "Dept").members.push_back({ "boss", "Person", "", 0, "" });
    auto& person = ClassOf(p, "Person").members;
    person.erase(person.begin() + 2); // homeDept
    EXPECT_FALSE(Contains(BuildMappingContent(Load(p, "Dept")), "cascade"));
}

// A model imported from a database: what the generators write where the
// column data is present (a model without it is pinned by the golden trees).
TEST(GeneratorTest, ImportedModelMapsTheRealTablesAndTypes)
{
    TLiteralModel shop = {
        { "Supplier@supplier",
            { { "supplierId@supplier_id", "长整型", "pmg", 0, "编号" },
                { "name@supplier_name", "字符串", "d", 60, "" } } },
        { "Goods@goods",
            { { "goodsId@goods_id", "整型", "pma", 0, "编号" }, { "title@goods_title", "字符串", "dq", 80, "" },
                { "stock@stock", "整型", "n", 0, "" }, { "views@view_count", "长整型", "n", 0, "" },
                { "price@price", "定点数(10,2)", "n", 0, "" }, { "note@note", "字符串", "n", 65535, "" },
                { "listed@listed_at", "日期型", "m", 19, "" }, { "order@order", "字符串", "", 10, "" },
                { "status@status", "整型", "f", 0, "" }, { "created@created_at", "日期型", "f", 19, "" },
                { "updated@updated_at", "日期型", "F", 19, "" }, { "supplier@supplier_id", "Supplier", "n", 0, "" } } },
    };
    TClassData goods = Load(shop, "Goods");
    std::string mapping = BuildMappingContent(goods);
    const char* const mapped[] = {
        "<id name=\"goodsId\" column=\"goods_id\">\r\n            <generator class=\"assigned\"/>\r\n",
        "  name=\"title\"\r\n            column=\"goods_title\"\r\n            type=\"string\"\r\n",
        "<!-- 简单长整型属性:  -->\r\n          <property\r\n            name=\"views\"\r\n            "
        "column=\"view_count\"\r\n"
        "            type=\"long\"\r\n          />\r\n",
        "            type=\"big_decimal\"\r\n            precision=\"10\"\r\n            scale=\"2\"\r\n",
        // An optional text stores an empty field as NULL.
        "            column=\"note\"\r\n            \ttype=\"com.$packageName.utils.OptionalTextType\"\r\n"
        "            length=\"65535\"\r\n          />\r\n",
        "            \ttype=\"com.$packageName.utils.DateTextType\"\r\n            \tlength=\"19\"\r\n",
        "            column=\"`order`\"\r\n",
        "<many-to-one name=\"supplier\"\r\n            column=\"supplier_id\"\r\n            class=\"Supplier\"\r\n"
        "            lazy=\"false\"\r\n            outer-join=\"true\"\r\n          />\r\n",
    };
    for (const char* part : mapped)
        EXPECT_TRUE(Contains(mapping, part)) << part << "\nin\n" << mapping;
    // What the database fills: an empty number is left out by dynamic-insert,
    // a date's default must win, an ON UPDATE column is never written.
    for (const char* part : { "column=\"status\"\r\n            type=\"int\"\r\n\r\n          />\r\n",
             "            \tlength=\"19\"\r\n            insert=\"false\"\r\n          />\r\n",
             "            \tlength=\"19\"\r\n            insert=\"false\"\r\n            update=\"false\"\r\n"
             "          />\r\n" })
        EXPECT_TRUE(Contains(mapping, part)) << part << "\nin\n" << mapping;
    EXPECT_FALSE(Contains(mapping, "cascade"));
    EXPECT_TRUE(Contains(BuildMappingContent(Load(shop, "Supplier")),
        "<id name=\"supplierId\" column=\"supplier_id\">\r\n            <generator class=\"native\"/>\r\n"));

    std::string domain = TDomainOperate::BuildDomainClass("shop", goods);
    for (const char* field : { "    private Integer stock;", "    private Long views;",
             "    private java.math.BigDecimal price;", "    private Supplier supplier;", "    private int goodsId;",
             "    private Integer status;", "    /** 编号 (列 goods_id) */\r\n    private int goodsId;" })
        EXPECT_TRUE(Contains(domain, field)) << field;
    EXPECT_TRUE(Contains(TDaoOperate::BuildGetByMethod(Load(shop, "Supplier")),
        "public Supplier GetSupplierBySupplierId(long supplierId) {"));
    EXPECT_TRUE(
        Contains(TActionOperate::BuildActionClass("shop", Load(shop, "Supplier")), "    private long supplierId;"));

    // An optional reference: an empty selection stores none, an unknown key is refused.
    EXPECT_TRUE(Contains(TActionOperate::BuildAddAction(goods),
        "            SupplierDAO supplierDAO = new SupplierDAO();\r\n"
        "            if(null != goods.getSupplier() && goods.getSupplier().getSupplierId() != 0) {\r\n"
        "                supplier = supplierDAO.GetSupplierBySupplierId(goods.getSupplier().getSupplierId());\r\n"
        "                if(null == supplier) {\r\n"
        "                    ctx.put(\"error\",  java.net.URLEncoder.encode(\"所选的Supplier不存在!\"));\r\n"
        "                    return \"error\";\r\n"
        "                }\r\n"
        "            } else {\r\n"
        "                supplier = null;\r\n"
        "            }\r\n"
        "            goods.setSupplier(supplier);\r\n"));
}
