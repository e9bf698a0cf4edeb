// The current target (Struts 7, Hibernate 7, Jakarta EE 10): the same
// files by the same names, in what those frameworks require.
#include "LiteralModel.h"

#include <gtest/gtest.h>

#include "GeneratedFiles.h"

#include <map>

namespace {

std::map<std::string, std::string> CurrentFiles(const TLiteralModel& model, const TProjectDatabase& database = {})
{
    return GeneratedFiles(model, "current", database);
}

} // namespace

TEST(CurrentTargetTest, EachFileIsWhatTheCurrentFrameworksRequire)
{
    TLiteralModel shop = { { "Category",
                               { { "categoryId", "整型", "pmg", 0, "编号" }, { "name", "字符串", "mdq", 20, "" } } },
        { "Goods@goods",
            { { "goodsId@goods_id", "长整型", "pmag", 0, "编号" }, { "title@title", "字符串", "mdq", 40, "名称" },
                { "category@category_id", "Category", "mq", 0, "分类" }, { "note@note", "字符串", "n", 200, "备注" },
                { "listed@listed_at", "日期型", "n", 19, "上架" }, { "price@price", "定点数(10,2)", "n", 0, "" },
                { "updated@updated_at", "日期型", "F", 19, "" } } } };
    auto files = CurrentFiles(
        shop, { "jdbc:mysql://db/shop", "u", "com.mysql.jdbc.Driver", "org.hibernate.dialect.MySQL5InnoDBDialect" });
    for (const char* legacyOnly :
        { "src/com/shop/domain/Goods.hbm.xml", "build.xml", "WebRoot/WEB-INF/lib/README.txt" })
        EXPECT_EQ(files.count(legacyOnly), 0u) << legacyOnly;
    struct TPart {
        const char* file;
        const char* text;
    } parts[] = {
        { "src/struts.xml", "\"-//Apache Software Foundation//DTD Struts Configuration 6.5//EN\"" },
        { "src/struts.xml", "<constant name=\"struts.parameters.requireAnnotations\" value=\"true\" />" },
        { "src/struts.xml", "<allowed-methods>AddView,AddGoods,QueryGoods,ModifyGoodsQuery,ModifyGoods,DeleteGoods" },
        { "src/hibernate.cfg.xml", "<mapping class=\"com.shop.domain.Goods\" />" },
        // MySQL or MariaDB: Hibernate 7 picks the dialect from the connection.
        { "src/hibernate.cfg.xml",
            "        <!-- SQL 方言: 不设置, Hibernate 按连接的数据库选择 (MySQL: MySQLDialect, MariaDB: "
            "MariaDBDialect) "
            "-->\r\n" },
        { "src/hibernate.cfg.xml", ">com.mysql.cj.jdbc.Driver</property>" },
        { "src/com/shop/domain/Goods.java",
            "@Entity\r\n@Table(name = \"goods\")\r\n@org.hibernate.annotations.DynamicInsert" },
        { "src/com/shop/domain/Goods.java",
            "    @Id\r\n    @GeneratedValue(strategy = GenerationType.IDENTITY)\r\n    @Column(name = \"goods_id\")\r\n"
            "    private long goodsId;" },
        { "src/com/shop/domain/Goods.java",
            "    @ManyToOne(fetch = FetchType.EAGER)\r\n    @JoinColumn(name = \"category_id\")\r\n" },
        { "src/com/shop/domain/Goods.java",
            "    @Convert(converter = com.shop.utils.EmptyAsNull.class)\r\n    @Column(name = \"note\", length = "
            "200)" },
        { "src/com/shop/domain/Goods.java", "    @Column(name = \"price\", precision = 10, scale = 2)" },
        { "src/com/shop/domain/Goods.java",
            "    @Column(name = \"updated_at\", length = 19, insertable = false, updatable = false)" },
        { "src/com/shop/domain/Category.java", "@Table(name = \"t_Category\")\r\npublic class Category {" },
        { "src/com/shop/dao/GoodsDAO.java", "            Query<Goods> q = s.createQuery(hql, Goods.class);" },
        { "src/com/shop/dao/GoodsDAO.java", "q.setParameter(\"category\", category.getCategoryId());" },
        { "src/com/shop/dao/GoodsDAO.java", "Query<Long> q = s.createQuery(\"select count(*) \" + hql, Long.class);" },
        { "src/com/shop/dao/GoodsDAO.java", "            s.persist(goods);" },
        { "src/com/shop/dao/GoodsDAO.java", "            s.merge(goods);" },
        { "src/com/shop/dao/GoodsDAO.java", "                throw new HibernateException(\"该Goods不存在!\");" },
        { "src/com/shop/dao/GoodsDAO.java", "        } catch (RuntimeException e) {" },
        { "src/com/shop/action/GoodsAction.java", "import org.apache.struts2.ActionSupport;" },
        { "src/com/shop/action/GoodsAction.java", "    @StrutsParameter(depth = 2)\r\n    public Goods getGoods() {" },
        { "src/com/shop/action/GoodsAction.java", "    @StrutsParameter\r\n    public void setTitle(String title) {" },
        { "src/com/shop/action/GoodsAction.java",
            "    @StrutsParameter(depth = 1)\r\n    public Category getCategory() {" },
        { "src/com/shop/action/GoodsAction.java", "    @StrutsParameter\r\n    public void setCurrentPage(int" },
        { "src/com/shop/action/GoodsAction.java", ", java.nio.charset.StandardCharsets.UTF_8)" },
        { "src/com/shop/action/LoginAction.java", "    @StrutsParameter\r\n    public void setUsername(" },
        { "src/com/shop/utils/HibernateUtil.java", "package com.shop.utils;" },
        { "WebRoot/WEB-INF/web.xml", "https://jakarta.ee/xml/ns/jakartaee/web-app_6_0.xsd\" version=\"6.0\">" },
        { "WebRoot/WEB-INF/web.xml", "<filter-class>org.apache.struts2.dispatcher.filter.StrutsPrepareFilter" },
        { "WebRoot/WEB-INF/web.xml", "<filter-class>org.apache.struts2.dispatcher.filter.StrutsExecuteFilter" },
        // A save of a row deleted or changed since its form was opened is
        // refused, never an insert or an overwrite; the row is locked first.
        { "src/com/shop/dao/GoodsDAO.java",
            "            Goods _found = s.find(Goods.class, goods.getGoodsId(), LockModeType.PESSIMISTIC_WRITE);\r\n"
            "            if(_found == null)\r\n"
            "                throw RowCheck.refused(\"gone\", null, \"该友好不存在，可能已被删除!\");\r\n"
            "            if(!RowCheck.unchanged(_found))\r\n"
            "                throw RowCheck.refused(\"changed\", _found, \"该友好已被其他用户修改!\");\r\n"
            "            s.merge(goods);" },
        { "WebRoot/Goods_modify.jsp",
            "<input type=\"hidden\" name=\"_loaded\" value=\"<%= "
            "com.shop.utils.RowCheck.of(request.getAttribute(\"goods\")) %>\">" },
        { "src/com/shop/utils/RowCheck.java", "import org.apache.struts2.ActionContext;" },
        { "src/hibernate.properties",
            "hibernate.connection.provider_class=org.hibernate.hikaricp.internal.HikariCPConnectionProvider" },
        { "src/hibernate.properties", "hibernate.dialect_resolvers=com.shop.utils.DialectChoice" },
        { "src/com/shop/utils/DialectChoice.java", "public class DialectChoice implements DialectResolver {" },
        { "pom.xml", "<artifactId>hibernate-hikaricp</artifactId>\r\n            <version>7.4.16.Final</version>" },
        { "pom.xml", "<artifactId>jetty-ee10-maven-plugin</artifactId>\r\n                <version>12.1.8</version>" },
        { "pom.xml", "<host>${jetty.host}</host>" },
        { "pom.xml", "<jetty.host>127.0.0.1</jetty.host>" },
        { "WebRoot/WEB-INF/web.xml", "<attribute-name>SameSite</attribute-name>" },
        { "WebRoot/Goods_add.jsp", "<%@ taglib prefix=\"c\" uri=\"jakarta.tags.core\" %>" },
        { "WebRoot/Goods_add.jsp", "requestScope['jakarta.servlet.forward.servlet_path']" },
        { "WebRoot/Goods_add.jsp", ".toString(), java.nio.charset.StandardCharsets.UTF_8)" },
        { "pom.xml", "<artifactId>struts2-core</artifactId>\r\n            <version>7.1.1</version>" },
        { "pom.xml", "<maven.compiler.release>17</maven.compiler.release>" },
        { "src/com/shop/utils/LoginFilter.java", "import jakarta.servlet.Filter;" },
    };
    for (const auto& part : parts)
        EXPECT_NE(files[part.file].find(part.text), std::string::npos) << part.file << ": " << part.text;
    for (const auto& [path, text] : files)
        for (const char* legacy : { "com.opensymphony.xwork2", "javax.servlet", "org.hibernate.Query;", "s.save(",
                 "java.sun.com/jsp/jstl", "dispatcher.ng.filter" })
            EXPECT_EQ(text.find(legacy), std::string::npos) << path << ": " << legacy;
}

// A PostgreSQL project, on each target: its driver, URL, dialect, build
// and scripts are PostgreSQL's, and nothing of MariaDB/MySQL's is left
// where it would not work; a file (二进制) is a bytea, not a large object.
TEST(DatabaseKindTest, PostgresqlProjectsNameTheirDriverDialectAndScripts)
{
    const TLiteralModel shop = { { "Goods",
        { { "goodsId", "整型", "pmg", 0, "编号" }, { "title", "字符串", "mdq", 40, "名称" },
            { "photo", "二进制", "n", 65535, "照片" } } } };
    TProjectDatabase postgresql;
    postgresql.kind = "postgresql";
    struct TPart {
        const char *target, *file, *text;
        bool present;
    };
    const TPart parts[] = {
        { "legacy", "src/hibernate.cfg.xml", ">org.postgresql.Driver</property>", true },
        { "legacy", "src/hibernate.cfg.xml", ">jdbc:postgresql://localhost:5432/javaweb</property>", true },
        { "legacy", "src/hibernate.cfg.xml", "<!-- PostgreSQL 的 SQL 方言 -->\r\n", true },
        { "legacy", "src/hibernate.cfg.xml", ">org.hibernate.dialect.PostgreSQLDialect</property>", true },
        { "legacy", "src/hibernate.cfg.xml", "MySQL", false },
        { "legacy", "pom.xml", "<artifactId>postgresql</artifactId>\r\n            <version>42.7.14</version>", true },
        // The legacy DAO classes name a class of MySQL Connector/J: it stays.
        { "legacy", "pom.xml", "<artifactId>mysql-connector-java</artifactId>", true },
        { "legacy", "WebRoot/WEB-INF/lib/README.txt", "postgresql-42.7.14.jar", true },
        { "legacy", "README.txt", "(PostgreSQL, 编码 UTF8, 中文和表情符号都能保存)", true },
        { "legacy", "sql/create_database.sql", "CREATE DATABASE javaweb ENCODING 'UTF8' TEMPLATE template0;\r\n",
            true },
        { "legacy", "sql/t_admin.sql", "COMMENT ON COLUMN t_admin.password IS '密码的加盐散列';\r\n", true },
        { "legacy", "sql/t_admin.sql", "ENGINE", false },
        { "current", "src/hibernate.cfg.xml", ">org.postgresql.Driver</property>", true },
        { "current", "src/hibernate.cfg.xml", "(PostgreSQL: PostgreSQLDialect) -->\r\n", true },
        { "current", "src/hibernate.cfg.xml", "mysql", false },
        { "current", "pom.xml", "<artifactId>postgresql</artifactId>", true },
        { "current", "pom.xml", "mysql-connector-j", false },
        { "current", "sql/t_admin.sql", "  last_failure BIGINT NOT NULL\r\n);\r\n", true },
        { "current", "src/com/shop/domain/Goods.java",
            "取\r\n    @Column(name = \"photo\", length = 65535, updatable = false)\r\n", true },
        { "current", "src/com/shop/domain/Goods.java", "@Lob", false },
        // Hibernate 7 gives PostgreSQL "escape ''" unless the query names one.
        { "current", "src/com/shop/dao/GoodsDAO.java", "like :title escape '\\\\'\";", true },
        { "legacy", "src/com/shop/dao/GoodsDAO.java", "like :title\";", true },
    };
    std::map<std::string, std::map<std::string, std::string>> files;
    for (const char* target : { "legacy", "current" })
        files[target] = GeneratedFiles(shop, target, postgresql);
    for (const auto& part : parts) {
        const std::string& text = files[part.target][part.file];
        ASSERT_FALSE(text.empty()) << part.target << " " << part.file;
        EXPECT_EQ(text.find(part.text) != std::string::npos, part.present)
            << part.target << " " << part.file << ": " << part.text;
    }
}
