// The files of --webapp where a fault would open the application: the
// checks of each field, the guards of web.xml, the build's pinned versions.
#include "LiteralModel.h"

#include <gtest/gtest.h>

#include "GeneratedFiles.h"
#include "codegen/core/Generator.h"
#include "codegen/core/Target.h"
#include "codegen/io/Templates.h"
#include "codegen/targets/legacy/ConfigWriter.h"
#include "codegen/targets/legacy/WebPages.h"

#include "model/commands/ModelSnapshot.h"

#include <map>
#include <pugixml.hpp>

namespace {

// Every file a --webapp run writes for a model (the library model by
// default), by its path.
std::map<std::string, std::string> WebFiles(const TLiteralModel& model = LibraryLiteral(),
    const TProjectDatabase& database = {}, const std::string& projectName = "图书馆")
{
    return GeneratedFiles(model, kTargetLegacy, database, "velmorantis", projectName);
}

// The rules of one field in a validation file, in order: "required int".
std::string RulesOf(const std::string& file, const std::string& field)
{
    size_t at = file.find("<field name=\"" + field + "\">");
    if (at == std::string::npos)
        return "(none)";
    size_t end = file.find("</field>", at);
    std::string rules;
    for (size_t p = file.find("name=\"rule\">", at); p < end; p = file.find("name=\"rule\">", p + 1)) {
        size_t from = p + 12;
        rules += (rules.empty() ? "" : " ") + file.substr(from, file.find('<', from) - from);
    }
    return rules;
}

// The files of the first class of the classes, by file name, on the
// legacy target with the pages, for an imported project.
std::map<std::string, std::string> FirstClassFiles(const std::vector<TSnapshotClass>& classes)
{
    static const TTemplates templates = TTemplates::Load(JAVAGEN_TEMPLATES, AllTemplatesUsed(), TemplateFolders());
    const std::vector<TClassData> data = BuildClassData(TModelSnapshot(1, classes));
    TGenInput in { "velmorantis", "velmorantis", templates, data, true, { "jdbc:mysql://db/shop", "u", "d", "x" },
        "商店" };
    TFiles files;
    for (const IGenerator* generator : Generators())
        if (generator->Enabled(in))
            generator->ClassFiles(in, data[0], files);
    std::map<std::string, std::string> byName;
    for (const auto& file : files)
        byName[file.name] = file.text;
    return byName;
}

} // namespace

TEST(WebAppTest, EveryFieldIsCheckedAsSentBeforeAnythingIsStored)
{
    auto files = WebFiles();
    const std::string dir = "src/com/velmorantis/action/";
    struct TCase {
        const char* file;
        const char* field;
        const char* rules;
    };
    const TCase cases[] = {
        // A required number left empty is an error, never 0.
        { "BookAction-Book_AddBook-validation.xml", "book.price", "required float" },
        { "BookAction-Book_AddBook-validation.xml", "book.stock", "required int" },
        { "BookAction-Book_AddBook-validation.xml", "book.publishDate", "required date" },
        // A text key: required, within the model's length.
        { "BookAction-Book_AddBook-validation.xml", "book.isbn", "required maxlength" },
        { "BookAction-Book_AddBook-validation.xml", "book.bookType.bookTypeId", "required" },
        // An optional text is only bounded.
        { "BookAction-Book_AddBook-validation.xml", "book.introduction", "maxlength" },
        // A key the database makes is not sent on add, and comes back on modify.
        { "BookTypeAction-BookType_AddBookType-validation.xml", "bookType.bookTypeId", "(none)" },
        { "BookTypeAction-BookType_ModifyBookType-validation.xml", "bookType.bookTypeId", "required int" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(RulesOf(files[dir + c.file], c.field), c.rules) << c.file << " " << c.field;
    EXPECT_NE(files[dir + "BookAction-Book_AddBook-validation.xml"].find(
                  "<param name=\"maxLength\">13</param>\r\n            <message>书号不能超过13个字符!</message>"),
        std::string::npos);
    EXPECT_NE(files["src/validators.xml"].find(
                  "<validator name=\"input\" class=\"com.velmorantis.utils.InputFieldValidator\"/>"),
        std::string::npos);
}

TEST(WebAppTest, TheApplicationIsGuardedAndBuiltWithPinnedFrameworks)
{
    auto files = WebFiles();
    struct TCase {
        const char* file;
        const char* part;
    };
    const TCase cases[] = {
        { "WebRoot/WEB-INF/web.xml", "<listener-class>com.velmorantis.utils.AppStartup</listener-class>" },
        { "WebRoot/WEB-INF/web.xml",
            "<filter-name>login</filter-name>\r\n        <url-pattern>/*</url-pattern>\r\n        "
            "<dispatcher>REQUEST</dispatcher>" },
        // The login filter sits between Struts' two steps: it judges the action the request maps to.
        { "WebRoot/WEB-INF/web.xml",
            "<filter-name>struts2-prepare</filter-name>\r\n        <url-pattern>/*</url-pattern>\r\n        "
            "<dispatcher>REQUEST</dispatcher>\r\n    </filter-mapping>\r\n    <filter-mapping>\r\n        "
            "<filter-name>login</filter-name>" },
        { "WebRoot/WEB-INF/web.xml", "<param-value>BookType=typeName,Book=bookName,Reader=readerNo</param-value>" },
        { "WebRoot/WEB-INF/jspf/frame.jspf",
            "<form class=\"inline\" method=\"post\" action=\"${ctx}/user_Logout.action\">" },
        { "src/hibernate.properties",
            "hibernate.connection.provider_class=org.hibernate.connection.C3P0ConnectionProvider" },
        { "src/hibernate.properties", "hibernate.connection.isolation=2" },
        // A modify is checked against the row its form was opened on.
        { "src/hibernate.properties", "hibernate.session_factory.interceptor=com.velmorantis.utils.AppInterceptor" },
        { "WebRoot/Book_add.jsp",
            "<c:if test=\"${_modifying}\"><input type=\"hidden\" name=\"_loaded\" value=\"<c:out "
            "value='${empty requestScope._rowNow ? param._loaded : requestScope._rowNow}'/>\"></c:if>" },
        { "WebRoot/Book_add.jsp",
            "<c:if test=\"${requestScope._rowRefusal == 'changed'}\"><li>该图书在您打开后已被其他用户修改" },
        { "pom.xml", "<artifactId>hibernate-c3p0</artifactId>\r\n            <version>3.6.10.Final</version>" },
        { "pom.xml", "<host>${jetty.host}</host>" },
        { "sql/create_database.sql",
            "CREATE DATABASE IF NOT EXISTS javaweb CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci;" },
        { "sql/t_admin.sql", "CREATE TABLE IF NOT EXISTS t_login_failure (" },
        { "README.txt", "sql/create_database.sql" },
        { "WebRoot/WEB-INF/web.xml",
            "<error-code>500</error-code>\r\n        <location>/WEB-INF/fault.jsp</location>" },
        { "WebRoot/WEB-INF/web.xml", "<exception-type>java.lang.Throwable</exception-type>" },
        { "WebRoot/WEB-INF/web.xml", "<http-only>true</http-only>" },
        { "WebRoot/WEB-INF/web.xml", "<tracking-mode>COOKIE</tracking-mode>" },
        { "WebRoot/WEB-INF/fault.jsp", "isErrorPage=\"true\"" },
        { "pom.xml", "<artifactId>struts2-core</artifactId>\r\n            <version>2.3.37</version>" },
        { "pom.xml", "<artifactId>hibernate-core</artifactId>\r\n            <version>3.6.10.Final</version>" },
        { "pom.xml", "<artifactId>mysql-connector-java</artifactId>\r\n            <version>5.1.49</version>" },
        { "pom.xml", "<project.build.sourceEncoding>GBK</project.build.sourceEncoding>" },
        { ".mvn/jvm.config", "-Dfile.encoding=UTF-8" },
        { "build.xml", "encoding=\"GBK\"" },
        { "README.txt", "用户名 admin, 密码 admin123" },
        // Every text input says how long it may be.
        { "WebRoot/Book_add.jsp", "name=\"book.introduction\" rows=\"4\" cols=\"60\" maxlength=\"500\"" },
        { "WebRoot/Book_add.jsp", "name=\"book.isbn\" maxlength=\"13\"" },
        // A refused add shows the form again with the reason.
        { "WebRoot/error.jsp", "<jsp:include page=\"/Book_add.jsp\"/>" },
    };
    for (const auto& c : cases)
        EXPECT_NE(files[c.file].find(c.part), std::string::npos) << c.file << " lacks " << c.part;
    // No page reaches a CDN: the look comes with the application.
    for (const auto& [path, text] : files)
        EXPECT_EQ(text.find("//cdn"), std::string::npos) << path;
}

TEST(WebAppTest, OnlyTheOperationsOfAnActionCanBeCalled)
{
    std::string struts = BuildStrutsBlock("velmorantis", { { "Book", 1 } });
    EXPECT_NE(
        struts.find("           <result name=\"modify_view\">/Book_modify.jsp</result>\r\n"
                    "             <allowed-methods>AddView,AddBook,QueryBook,ModifyBookQuery,ModifyBook,DeleteBook"
                    "</allowed-methods>\r\n"
                    "           </action>\r\n"),
        std::string::npos);
}

// A view's class is listed and queried; nothing reaches its writing operations.
TEST(WebAppTest, AViewsClassIsOnlyListedAndQueried)
{
    TLiteralModel shop = { { "Goods@goods", { { "goodsId@goods_id", "整型", "pmag", 0, "编号" } } },
        { "Sales@sales_view!",
            { { "goodsId@goods_id", "整型", "pmda", 0, "编号" }, { "total@total", "整型", "", 0, "" } } } };
    auto files = WebFiles(shop, { "jdbc:mysql://db/shop", "u", "com.mysql.jdbc.Driver", "x" }, "商店");
    const std::string& struts = files["src/struts.xml"];
    EXPECT_NE(struts.find("<allowed-methods>QuerySales</allowed-methods>"), std::string::npos);
    EXPECT_NE(struts.find("<allowed-methods>AddView,AddGoods,"), std::string::npos);
    EXPECT_NE(files["src/com/velmorantis/domain/Sales.hbm.xml"].find(" mutable=\"false\""), std::string::npos);
    EXPECT_EQ(files["src/com/velmorantis/domain/Goods.hbm.xml"].find("mutable"), std::string::npos);
    struct TPage {
        const char* path;
        const char* absent; // no way to a writing operation of the view
        const char* present;
    } pages[] = {
        { "WebRoot/Sales_query_result.jsp", "Sales_AddView", "Sales_QuerySales.action" },
        { "WebRoot/Sales_query_result.jsp", "Sales_DeleteSales", "<c:out value=\"${_row.total}\"/>" },
        { "WebRoot/Sales_query_result.jsp", "Sales_ModifySalesQuery", "</td></tr>" },
        { "WebRoot/main.jsp", "Sales_AddView", "Sales_QuerySales.action" },
        { "WebRoot/Goods_query_result.jsp", "Sales_", "Goods_DeleteGoods" },
        { "WebRoot/main.jsp", "Sales_Modify", "Goods_AddView" },
    };
    for (const auto& page : pages) {
        const std::string& text = files[page.path];
        EXPECT_EQ(text.find(page.absent), std::string::npos) << page.path << " " << page.absent;
        EXPECT_NE(text.find(page.present), std::string::npos) << page.path << " " << page.present;
    }
}

// A many-to-many member is a set mapped on its link table, a field of the
// domain class, keys the Action turns into objects, a multiple selection.
TEST(WebAppTest, AManyToManyMemberIsASetChosenFromAMultipleSelection)
{
    TLiteralModel shop = {
        { "Goods@goods",
            { { "goodsId@goods_id", "长整型", "pmag", 0, "编号" }, { "tagSet@tag_id", "Tag", "", 0, "标签" } } },
        { "Tag@tag", { { "tagId@tag_id", "整型", "pmag", 0, "" }, { "label@label", "字符串", "d", 20, "" } } }
    };
    TModelSnapshot snapshot = LiteralSnapshot(shop);
    std::vector<TSnapshotClass> classes = snapshot.TakeClasses();
    classes[0].members[1].member.SetLinkTable("goods_tag");
    classes[0].members[1].member.SetLinkColumn("goods_id");
    const std::vector<TClassData> data = BuildClassData(TModelSnapshot(1, classes));
    ASSERT_EQ(data[0].collections.size(), 1u);
    EXPECT_EQ(data[0].members.size(), 1u);
    EXPECT_TRUE(data[0].references.empty());
    std::map<std::string, std::string> byName = FirstClassFiles(classes);
    struct TPart {
        const char* file;
        const char* text;
    } parts[] = {
        { "Goods.hbm.xml", "<set name=\"tagSet\" table=\"goods_tag\" lazy=\"false\">" },
        { "Goods.hbm.xml", "<key column=\"goods_id\"/>" },
        { "Goods.hbm.xml", "<many-to-many class=\"Tag\" column=\"tag_id\"/>" },
        { "Goods.java", "    private java.util.Set<Tag> tagSet = new java.util.HashSet<Tag>();" },
        { "GoodsAction.java", "    private String[] tagSetKeys;" },
        { "GoodsAction.java", "_one = _dao.GetTagByTagId(Integer.parseInt(_key.trim()));" },
        { "GoodsAction.java", "        List<Tag> tagList = tagDAO.QueryAllTagInfo();" },
        { "Goods_add.jsp", "<select name=\"tagSetKeys\" multiple size=\"6\"><c:forEach items=\"${tagList}\"" },
        { "Goods_modify.jsp", "<c:forEach items=\"${goods.tagSet}\" var=\"_o\">" },
        // Over 200 tags: counted, not read, and chosen with a picker that adds keys.
        { "Goods_add.jsp", "<jsp:useBean id=\"_choices\" class=\"com.velmorantis.utils.ChoiceLimit\"/>" },
        { "Goods_add.jsp", "<c:if test=\"${tagList == null}\">" },
        { "Goods_add.jsp",
            "<c:when test=\"${(empty tagList ? _choices.count('Tag') : fn:length(tagList)) > 200}\"><span "
            "class=\"picker multi\" data-url=\"${ctx}/pick.json\" data-entity=\"Tag\" data-display=\"label\" "
            "data-name=\"tagSetKeys\">" },
    };
    for (const auto& part : parts)
        EXPECT_NE(byName[part.file].find(part.text), std::string::npos) << part.file << ": " << part.text;
    // Add and Modify each make the set from the keys.
    const std::string& action = byName["GoodsAction.java"];
    size_t first = action.find("Integer.parseInt"), second = action.find("Integer.parseInt", first + 1);
    EXPECT_NE(second, std::string::npos);
    EXPECT_EQ(action.find("Integer.parseInt", second + 1), std::string::npos);
}

// A text of several choices (a SET column): a multiple selection whose every
// value is checked, joined by "," for the column.
TEST(WebAppTest, ATextOfSeveralChoicesIsAMultipleSelection)
{
    TLiteralModel shop = { { "Goods@goods",
        { { "goodsId@goods_id", "整型", "pmagd", 0, "编号" }, { "tags@tags", "字符串", "n", 20, "标签" } } } };
    TModelSnapshot snapshot = LiteralSnapshot(shop);
    std::vector<TSnapshotClass> classes = snapshot.TakeClasses();
    classes[0].members[1].member.SetMemberChoices("新品|热卖");
    classes[0].members[1].member.SetChoiceMode("several");
    std::map<std::string, std::string> byName = FirstClassFiles(classes);
    struct TPart {
        const char* file;
        const char* text;
    } parts[] = {
        { "Goods_add.jsp", "<select name=\"goods.tags\" multiple size=\"2\">" },
        { "Goods_add.jsp", "fn:split(goods.tags, \",\")" },
        { "GoodsAction-Goods_AddGoods-validation.xml", "<param name=\"rule\">choices</param>" },
        { "GoodsAction.java", "goods.setTags(goods.getTags().trim().replaceAll(\"\\\\s*,\\\\s*\", \",\"));" },
    };
    for (const auto& part : parts)
        EXPECT_NE(byName[part.file].find(part.text), std::string::npos) << part.file << ": " << part.text;
}

// A decimal with a precision is checked against the column's digits:
// nothing is rounded away, nothing too large reaches the database.
TEST(WebAppTest, ADecimalIsCheckedAgainstTheDigitsOfItsColumn)
{
    TLiteralModel shop = { { "Goods@goods",
        { { "goodsId@goods_id", "整型", "pmagd", 0, "编号" }, { "price@price", "定点数", "n", 0, "价格" } } } };
    TModelSnapshot snapshot = LiteralSnapshot(shop);
    std::vector<TSnapshotClass> classes = snapshot.TakeClasses();
    classes[0].members[1].member.SetMemberPrecision(10);
    classes[0].members[1].member.SetMemberScale(2);
    std::map<std::string, std::string> byName = FirstClassFiles(classes);
    for (const char* file :
        { "GoodsAction-Goods_AddGoods-validation.xml", "GoodsAction-Goods_ModifyGoods-validation.xml" }) {
        EXPECT_EQ(RulesOf(byName[file], "goods.price"), "decimal digits") << file;
        EXPECT_NE(
            byName[file].find("<param name=\"precision\">10</param>\r\n            <param name=\"scale\">2</param>\r\n"
                              "            <message>价格最多8位整数、2位小数!</message>"),
            std::string::npos)
            << file;
    }
}

// Model text from any way in (the dialogs, the CLI, a model file, a
// database's comments) is shown, never evaluated: no "${" or "#{" reaches
// the JSP engine, no "${" or "%{" a Struts message, no markup or placeholder
// changes a configuration file.
TEST(WebAppTest, HostileModelTextIsShownNeverEvaluated)
{
    const std::string hostile[] = { "${7*6}", "#{7*6}", "%{#application}", "-- $packageName $className --",
        "</property><property name=\"hibernate.hbm2ddl.auto\">create</property>", "${user.home}" };
    for (const std::string& text : hostile) {
        TLiteralModel model = LibraryLiteral();
        for (auto& c : model) {
            c.friendName = text;
            for (auto& m : c.members)
                m.comment = text;
        }
        TProjectDatabase database { "jdbc:mysql://localhost/x?a=1&b=" + text, "u" + text, "com.mysql.jdbc.Driver",
            "org.hibernate.dialect.MySQLDialect" + text };
        for (const auto& [path, file] : WebFiles(model, database, "工程" + text)) {
            auto endsWith = [&](const std::string& end) {
                return path.size() >= end.size() && path.compare(path.size() - end.size(), end.size(), end) == 0;
            };
            // Where an engine evaluates text: the pages (JSP EL), Struts'
            // messages (OGNL), Maven and Ant (${property}).
            std::vector<const char*> openers;
            if (endsWith(".jsp") || endsWith(".jspf"))
                openers = { "${7", "#{7", "${user.home" };
            else if (endsWith("-validation.xml") || endsWith(".properties"))
                openers = { "${7", "%{#", "${user.home" };
            else if (endsWith("pom.xml") || endsWith("build.xml"))
                openers = { "${user.home" };
            for (const char* opener : openers)
                EXPECT_EQ(file.find(opener), std::string::npos) << text << " reaches " << path;
            bool xml = endsWith(".xml");
            if (xml) {
                pugi::xml_document document;
                pugi::xml_parse_result parsed = document.load_buffer(file.data(), file.size(),
                    pugi::parse_default | pugi::parse_comments | pugi::parse_doctype, pugi::encoding_utf8);
                EXPECT_TRUE(parsed) << text << ": " << path << " is not well-formed: " << parsed.description();
            }
        }
        auto files = WebFiles(model, database);
        pugi::xml_document config;
        config.load_string(files["src/hibernate.cfg.xml"].c_str());
        EXPECT_FALSE(config.select_node("//property[@name='hibernate.hbm2ddl.auto']")) << text;
        EXPECT_EQ(files["src/com/velmorantis/domain/Book.hbm.xml"].find("-- velmorantis"), std::string::npos) << text;
    }
}

// Columns the database fills: a default that must win shows on the add page
// only for a failed modify coming back; an ON UPDATE column on no form. A
// project from a database gets the administrators' table script.
TEST(WebAppTest, ColumnsTheDatabaseFillsAreLeftToIt)
{
    TLiteralModel shop = { { "Goods@goods",
        { { "goodsId@goods_id", "整型", "pmag", 0, "编号" }, { "title@title", "字符串", "dm", 20, "名称" },
            { "created@created_at", "日期型", "f", 19, "创建时间" },
            { "updated@updated_at", "日期型", "F", 19, "修改时间" } } } };
    auto files = WebFiles(shop, { "jdbc:mysql://db/shop", "u", "com.mysql.jdbc.Driver", "x" }, "商店");
    const std::string& add = files["WebRoot/Goods_add.jsp"];
    const std::string& modify = files["WebRoot/Goods_modify.jsp"];
    size_t created = add.find("name=\"goods.created\"");
    ASSERT_NE(created, std::string::npos);
    EXPECT_LT(add.rfind("<c:if test=\"${_modifying}\">", created), created);
    EXPECT_GT(add.rfind("<c:if test=\"${_modifying}\">", created), add.rfind("</c:if>", created));
    EXPECT_NE(modify.find("name=\"goods.created\""), std::string::npos);
    for (const std::string* page : { &add, &modify })
        EXPECT_EQ(page->find("goods.updated"), std::string::npos);
    EXPECT_NE(files["sql/t_admin.sql"].find("CREATE TABLE IF NOT EXISTS t_admin ("), std::string::npos);
    EXPECT_NE(files["sql/create_database.sql"].find("CREATE DATABASE IF NOT EXISTS shop CHARACTER SET utf8mb4"),
        std::string::npos);
}
