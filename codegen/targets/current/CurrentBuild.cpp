// The build of a current-target application: pom.xml (Java 17, the pinned
// current frameworks, a war and Jetty 12 for a local run) and README.txt.
#include "codegen/core/DatabaseUse.h"
#include "codegen/targets/current/CurrentTarget.h"

#include "codegen/targets/legacy/WebPages.h"
#include "codegen/text/Printer.h"

namespace {

// The versions the generated application is built and tested with.
const char* const kStruts = "7.1.1";
const char* const kHibernate = "7.4.16.Final";
const char* const kConnector = "26.10.0";
const char* const kTags = "3.0.1";
const char* const kServlet = "6.0.0";
const char* const kLog4j = "2.25.2";
const char* const kJetty = "12.1.8";

void Dependency(TPrinter& out, const std::string& group, const std::string& artifact, const std::string& version,
    const std::string& scope = "")
{
    out.Print({ { "g", group }, { "a", artifact }, { "v", version } },
        "        <dependency>\n"
        "            <groupId>$g$</groupId>\n"
        "            <artifactId>$a$</artifactId>\n"
        "            <version>$v$</version>\n");
    if (!scope.empty())
        out.Print({ { "s", scope } }, "            <scope>$s$</scope>\n");
    out.Print("        </dependency>\n");
}

} // namespace

std::string BuildCurrentPom(const TGenInput& in)
{
    TPrinter::TVars vars = { { "id", ArtifactId(in) }, { "pkg", in.packageName }, { "jetty", kJetty } };
    TPrinter out;
    out.Print(vars,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- 构建: mvn package (得到 target/$id$.war); 本机运行: mvn jetty:run, 然后打开 http://127.0.0.1:8080/ -->\n"
        "<project xmlns=\"http://maven.apache.org/POM/4.0.0\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
        "         xsi:schemaLocation=\"http://maven.apache.org/POM/4.0.0 "
        "http://maven.apache.org/xsd/maven-4.0.0.xsd\">\n"
        "    <modelVersion>4.0.0</modelVersion>\n"
        "    <groupId>com.$pkg$</groupId>\n"
        "    <artifactId>$id$</artifactId>\n"
        "    <version>1.0</version>\n"
        "    <packaging>war</packaging>\n"
        "    <name>$id$</name>\n"
        "    <properties>\n"
        "        <!-- 生成的 Java 源文件和配置文件是 GBK 编码 -->\n"
        "        <project.build.sourceEncoding>GBK</project.build.sourceEncoding>\n"
        "        <!-- Struts 7 与 Hibernate 7 需要 Java 17 -->\n"
        "        <maven.compiler.release>17</maven.compiler.release>\n"
        "        <!-- mvn jetty:run 只在本机监听; 让别的机器访问: mvn jetty:run -Djetty.host=0.0.0.0 -->\n"
        "        <jetty.host>127.0.0.1</jetty.host>\n"
        "        <jetty.port>8080</jetty.port>\n"
        "    </properties>\n"
        "    <dependencies>\n");
    Dependency(out, "org.apache.struts", "struts2-core", kStruts);
    Dependency(out, "org.hibernate.orm", "hibernate-core", kHibernate);
    out.Print("        <!-- 连接池 HikariCP (设置见 src/hibernate.properties) -->\n");
    Dependency(out, "org.hibernate.orm", "hibernate-hikaricp", kHibernate);
    out.Print("        <!-- Struts 的日志经 java.util.logging 写到容器的日志中 -->\n");
    Dependency(out, "org.apache.logging.log4j", "log4j-to-jul", kLog4j);
    if (UsesPostgresql(in.database)) {
        out.Print("        <!-- PostgreSQL JDBC 驱动 -->\n");
        Dependency(out, "org.postgresql", "postgresql", kPostgresqlDriverVersion);
    } else {
        out.Print("        <!-- MySQL Connector/J: 也可连接 MariaDB -->\n");
        Dependency(out, "com.mysql", "mysql-connector-j", kConnector);
    }
    Dependency(out, "jakarta.servlet.jsp.jstl", "jakarta.servlet.jsp.jstl-api", kTags);
    Dependency(out, "org.glassfish.web", "jakarta.servlet.jsp.jstl", kTags);
    Dependency(out, "jakarta.servlet", "jakarta.servlet-api", kServlet, "provided");
    out.Print(vars,
        "    </dependencies>\n"
        "    <build>\n"
        "        <finalName>$id$</finalName>\n"
        "        <sourceDirectory>src</sourceDirectory>\n"
        "        <resources>\n"
        "            <resource>\n"
        "                <directory>src</directory>\n"
        "                <excludes>\n"
        "                    <exclude>**/*.java</exclude>\n"
        "                </excludes>\n"
        "            </resource>\n"
        "        </resources>\n"
        "        <plugins>\n"
        "            <plugin>\n"
        "                <groupId>org.apache.maven.plugins</groupId>\n"
        "                <artifactId>maven-compiler-plugin</artifactId>\n"
        "                <version>3.13.0</version>\n"
        "            </plugin>\n"
        "            <plugin>\n"
        "                <groupId>org.apache.maven.plugins</groupId>\n"
        "                <artifactId>maven-resources-plugin</artifactId>\n"
        "                <version>3.3.1</version>\n"
        "            </plugin>\n"
        "            <plugin>\n"
        "                <groupId>org.apache.maven.plugins</groupId>\n"
        "                <artifactId>maven-war-plugin</artifactId>\n"
        "                <version>3.4.0</version>\n"
        "                <configuration>\n"
        "                    <warSourceDirectory>WebRoot</warSourceDirectory>\n"
        "                </configuration>\n"
        "            </plugin>\n"
        "            <plugin>\n"
        "                <!-- mvn jetty:run: 在 http://127.0.0.1:8080/ 运行 (JVM 参数见 .mvn/jvm.config) -->\n"
        "                <groupId>org.eclipse.jetty.ee10</groupId>\n"
        "                <artifactId>jetty-ee10-maven-plugin</artifactId>\n"
        "                <version>$jetty$</version>\n"
        "                <configuration>\n"
        "                    <webAppSourceDirectory>WebRoot</webAppSourceDirectory>\n"
        "                    <httpConnector>\n"
        "                        <host>$${jetty.host}</host>\n"
        "                        <port>$${jetty.port}</port>\n"
        "                    </httpConnector>\n"
        "                    <webApp>\n"
        "                        <contextPath>/</contextPath>\n"
        "                    </webApp>\n"
        "                </configuration>\n"
        "            </plugin>\n"
        "        </plugins>\n"
        "    </build>\n"
        "</project>\n");
    return out.Str();
}

std::string BuildCurrentReadme(const TGenInput& in)
{
    TPrinter out;
    out.Print({ { "name", in.projectName }, { "war", ArtifactId(in) + ".war" } },
        "$name$\n"
        "\n"
        "目标框架: Struts 7.1.1 + Hibernate 7.4.16 (Jakarta EE 10: Servlet 6, Jakarta Tags 3.0), Java 17.\n"
        "\n"
        "构建与运行 (需要 JDK 17 或更新的版本和 Maven):\n"
        "  mvn package        得到 target/$war$, 放进 Tomcat 10.1 / Tomcat 11 / Jetty 12 (ee10) 的 webapps "
        "目录即可部署\n"
        "  mvn jetty:run      在本机启动, 浏览器打开 http://127.0.0.1:8080/\n"
        "                     (只在本机监听; 让别的机器访问: mvn jetty:run -Djetty.host=0.0.0.0)\n"
        "\n");
    TText notes;
    DatabaseNotes(notes, in.database);
    out.Append(notes.Str());
    if (!UploadActions(in.classes).empty())
        out.Print("  上传文件: 不超过列的容量, 也不超过数据库一次接受的大小 (MariaDB/MySQL 的 max_allowed_packet\n"
                  "        的一半, 启动后第一次上传时查询); 超过时表单上说明 \"文件太大...\", 什么也不保存.\n");
    if (!in.database.url.empty())
        out.Print("本工程从已有的数据库导入, 程序不在其中建表: 登录用的管理员表 t_admin 请先建好,\n"
                  "在该数据库中执行一次 sql/t_admin.sql 即可.\n");
    out.Print("\n"
              "第一次启动时, 如果还没有任何管理员, 会创建初始管理员:\n"
              "  用户名 admin, 密码 admin123; 第一次登录后必须先修改密码.\n"
              "密码以加盐散列(PBKDF2)保存.\n"
              "\n"
              "界面样式: WebRoot/static/ 中的 app.css 和 app.js, 许可见其中的 LICENSE.txt.\n");
    return out.Str();
}
