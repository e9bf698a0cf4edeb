// The build of a generated web application: pom.xml (Maven: the war and a
// local server), build.xml (ant, offline), the list of the jars for the
// offline route, and README.txt, which says how to build, start and sign in.
#include "codegen/core/DatabaseUse.h"
#include "codegen/targets/legacy/WebPages.h"

#include "codegen/targets/legacy/JspText.h"
#include "codegen/text/TextEscape.h"

namespace {

// The versions the generated application is built and tested with.
const char* const kStruts = "2.3.37";
const char* const kHibernate = "3.6.10.Final";
const char* const kConnector = "5.1.49";
const char* const kJetty = "9.4.57.v20241219";

void Dependency(TText& out, const std::string& group, const std::string& artifact, const std::string& version,
    const std::string& scope = "")
{
    out.Line("        <dependency>");
    out.Line("            <groupId>" + group + "</groupId>");
    out.Line("            <artifactId>" + artifact + "</artifactId>");
    out.Line("            <version>" + version + "</version>");
    if (!scope.empty())
        out.Line("            <scope>" + scope + "</scope>");
    out.Line("        </dependency>");
}

// pom.xml: `mvn package` gives target/ID.war; `mvn jetty:run` starts it on
// http://localhost:8080/ (the JVM flags in .mvn/jvm.config apply).
std::string BuildPom(const TGenInput& in)
{
    TText out;
    out.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.Line("<!-- 构建: mvn package (得到 target/" + ArtifactId(in) +
        ".war); 本机运行: mvn jetty:run, 然后打开 "
        "http://127.0.0.1:8080/ -->");
    out.Line("<project xmlns=\"http://maven.apache.org/POM/4.0.0\" "
             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"");
    out.Line("         xsi:schemaLocation=\"http://maven.apache.org/POM/4.0.0 "
             "http://maven.apache.org/xsd/maven-4.0.0.xsd\">");
    out.Line("    <modelVersion>4.0.0</modelVersion>");
    out.Line("    <groupId>com." + in.packageName + "</groupId>");
    out.Line("    <artifactId>" + ArtifactId(in) + "</artifactId>");
    out.Print({},
        "    <version>1.0</version>\n"
        "    <packaging>war</packaging>\n");
    // Maven expands ${...} in element text: the name is the artifact's, not the project's.
    out.Line("    <name>" + ArtifactId(in) + "</name>");
    out.Print({},
        "    <properties>\n"
        "        <!-- 生成的 Java 源文件和配置文件是 GBK 编码 -->\n"
        "        <project.build.sourceEncoding>GBK</project.build.sourceEncoding>\n"
        "        <maven.compiler.source>1.8</maven.compiler.source>\n"
        "        <maven.compiler.target>1.8</maven.compiler.target>\n"
        "        <!-- mvn jetty:run 只在本机监听; 让别的机器访问: mvn jetty:run -Djetty.host=0.0.0.0 -->\n"
        "        <jetty.host>127.0.0.1</jetty.host>\n"
        "        <jetty.port>8080</jetty.port>\n"
        "    </properties>\n"
        "    <dependencies>\n");
    // OGNL brings javassist 3.11 under its old name; one javassist only,
    // a current one: 3.12 cannot make Hibernate's proxies on Java 17
    // without opening java.lang ("Javassist Enhancement failed").
    out.Print({},
        "        <dependency>\n"
        "            <groupId>org.apache.struts</groupId>\n"
        "            <artifactId>struts2-core</artifactId>\n");
    out.Line("            <version>" + std::string(kStruts) + "</version>");
    out.Print({},
        "            <exclusions>\n"
        "                <exclusion>\n"
        "                    <groupId>javassist</groupId>\n"
        "                    <artifactId>javassist</artifactId>\n"
        "                </exclusion>\n"
        "            </exclusions>\n"
        "        </dependency>\n");
    Dependency(out, "org.hibernate", "hibernate-core", kHibernate);
    out.Line("        <!-- 连接池 c3p0 (设置见 src/hibernate.properties) -->");
    Dependency(out, "org.hibernate", "hibernate-c3p0", kHibernate);
    out.Line("        <!-- Hibernate 3.6 用 javassist 生成延迟加载的代理类; 3.29 在 Java 17 上不必开放 java.lang -->");
    Dependency(out, "org.javassist", "javassist", "3.29.2-GA");
    Dependency(out, "org.slf4j", "slf4j-simple", "1.6.1");
    out.Line("        <!-- MySQL Connector/J 5.1: DAO 类引用它的 com.mysql.jdbc.Statement; 也可连接 MariaDB 和 MySQL "
             "5.7/8 -->");
    Dependency(out, "mysql", "mysql-connector-java", kConnector);
    if (UsesPostgresql(in.database)) {
        out.Line("        <!-- PostgreSQL JDBC 驱动: 应用连接的数据库 -->");
        Dependency(out, "org.postgresql", "postgresql", kPostgresqlDriverVersion);
    }
    Dependency(out, "javax.servlet", "jstl", "1.2");
    Dependency(out, "javax.servlet", "javax.servlet-api", "3.1.0", "provided");
    out.Print({},
        "    </dependencies>\n"
        "    <build>\n");
    out.Line("        <finalName>" + ArtifactId(in) + "</finalName>");
    out.Print({},
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
        "                    <packagingExcludes>WEB-INF/lib/README.txt</packagingExcludes>\n"
        "                </configuration>\n"
        "            </plugin>\n"
        "            <plugin>\n"
        "                <!-- mvn jetty:run: 在 http://127.0.0.1:8080/ 运行 (JVM 参数见 .mvn/jvm.config) -->\n"
        "                <groupId>org.eclipse.jetty</groupId>\n"
        "                <artifactId>jetty-maven-plugin</artifactId>\n");
    out.Line(std::string("                <version>") + kJetty + "</version>");
    out.Print({},
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

// .mvn/jvm.config: the JVM of `mvn jetty:run` reads and writes UTF-8
// whatever the locale (the messages of the Actions need a Chinese-capable
// default charset).
std::string BuildJvmConfig()
{
    return "-Dfile.encoding=UTF-8\n";
}

// WEB-INF/lib/README.txt: the jars of the offline route, which the generator
// does not ship.
std::string BuildLibReadme(const TGenInput& in)
{
    TText out;
    out.Print({},
        "本目录存放应用程序需要的 jar 文件. 用 Maven 构建(mvn package)时不需要管它: Maven 会自动下载并打进 war.\n"
        "不用 Maven 而用 ant 离线构建时, 请把下面的 jar 放在这里:\n"
        "\n"
        "Struts 2.3.37:\n"
        "  struts2-core-2.3.37.jar, xwork-core-2.3.37.jar, ognl-3.0.21.jar, freemarker-2.3.28.jar,\n"
        "  commons-lang3-3.2.jar, commons-io-2.2.jar, commons-fileupload-1.3.3.jar\n"
        "Hibernate 3.6.10.Final 及其依赖:\n"
        "  hibernate-core-3.6.10.Final.jar, antlr-2.7.6.jar, commons-collections-3.1.jar, dom4j-1.6.1.jar,\n"
        "  hibernate-commons-annotations-3.2.0.Final.jar, hibernate-jpa-2.0-api-1.0.1.Final.jar, jta-1.1.jar,\n"
        "  javassist-3.29.2-GA.jar (只放这一个 javassist), slf4j-api-1.6.1.jar, slf4j-simple-1.6.1.jar\n"
        "连接池 c3p0:\n"
        "  hibernate-c3p0-3.6.10.Final.jar, c3p0-0.9.1.jar\n"
        "JSTL 1.2:\n"
        "  jstl-1.2.jar\n"
        "MySQL Connector/J 5.1.49 (生成的 DAO 类引用它的 com.mysql.jdbc.Statement):\n"
        "  mysql-connector-java-5.1.49.jar\n");
    if (UsesPostgresql(in.database))
        out.Print({ { "v", kPostgresqlDriverVersion } },
            "PostgreSQL JDBC $v$ (应用连接的数据库):\n"
            "  postgresql-$v$.jar, checker-qual-3.55.1.jar\n");
    out.Print({}, "\n");
    out.Line("有 Maven 的机器上可以一次取齐: mvn dependency:copy-dependencies -DincludeScope=runtime "
             "-DoutputDirectory=WebRoot/WEB-INF/lib");
    out.Line("Servlet API (javax.servlet-api-3.1.0.jar) 由 Web 容器提供, 不要放在这里; ant 编译时在 lib/provided/ "
             "或 -Dcontainer.lib=容器的 lib 目录 中找它.");
    return out.Str();
}

// build.xml: compiles src (GBK) against WEB-INF/lib and the servlet API
// (lib/provided/, or the container's lib directory), copies the
// configuration and mapping files, and builds dist/ID.war.
std::string BuildAntFile(const TGenInput& in)
{
    std::string war = ArtifactId(in) + ".war";
    TText out;
    out.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.Line("<!-- 离线构建: ant, 结果为 dist/" + war +
        ". 先把 WebRoot/WEB-INF/lib/README.txt 列出的 jar 放入 WebRoot/WEB-INF/lib, -->");
    out.Line("<!-- 把 javax.servlet-api-3.1.0.jar 放入 lib/provided (或用 ant -Dcontainer.lib=Tomcat 的 lib 目录) -->");
    out.Line("<project name=\"" + ArtifactId(in) + "\" default=\"war\" basedir=\".\">");
    out.Print({},
        "    <property name=\"src\" location=\"src\"/>\n"
        "    <property name=\"web\" location=\"WebRoot\"/>\n"
        "    <property name=\"build\" location=\"build/classes\"/>\n"
        "    <property name=\"dist\" location=\"dist\"/>\n"
        "    <property name=\"container.lib\" location=\"lib/provided\"/>\n"
        "    <path id=\"classpath\">\n"
        "        <fileset dir=\"$${web}/WEB-INF/lib\" includes=\"*.jar\"/>\n"
        "        <fileset dir=\"$${container.lib}\" includes=\"*servlet-api*.jar\" erroronmissingdir=\"false\"/>\n"
        "    </path>\n"
        "    <target name=\"check\">\n");
    out.Line(
        "        <available property=\"servlet.api\" classname=\"javax.servlet.Filter\" classpathref=\"classpath\"/>");
    out.Line("        <fail unless=\"servlet.api\" message=\"找不到 Servlet API: 请把 javax.servlet-api-3.1.0.jar 放入 "
             "lib/provided, 或用 ant -Dcontainer.lib=容器的 lib 目录\"/>");
    out.Line("        <available property=\"struts\" classname=\"com.opensymphony.xwork2.ActionSupport\" "
             "classpathref=\"classpath\"/>");
    out.Print({ { "war", war } },
        "        <fail unless=\"struts\" message=\"WebRoot/WEB-INF/lib 中缺少 jar: 见其中的 README.txt\"/>\n"
        "    </target>\n"
        "    <target name=\"compile\" depends=\"check\">\n"
        "        <mkdir dir=\"$${build}\"/>\n"
        "        <javac srcdir=\"$${src}\" destdir=\"$${build}\" encoding=\"GBK\" classpathref=\"classpath\"\n"
        "               includeantruntime=\"false\" source=\"1.8\" target=\"1.8\" debug=\"true\"/>\n"
        "        <copy todir=\"$${build}\">\n"
        "            <fileset dir=\"$${src}\" excludes=\"**/*.java\"/>\n"
        "        </copy>\n"
        "    </target>\n"
        "    <target name=\"war\" depends=\"compile\">\n"
        "        <mkdir dir=\"$${dist}\"/>\n"
        "        <war destfile=\"$${dist}/$war$\" webxml=\"$${web}/WEB-INF/web.xml\">\n"
        "            <fileset dir=\"$${web}\" excludes=\"WEB-INF/web.xml WEB-INF/lib/README.txt\"/>\n"
        "            <classes dir=\"$${build}\"/>\n"
        "        </war>\n"
        "    </target>\n"
        "    <target name=\"clean\">\n"
        "        <delete dir=\"build\"/>\n"
        "        <delete dir=\"$${dist}\"/>\n"
        "    </target>\n"
        "</project>\n");
    return out.Str();
}

// README.txt of the generated project: build, start, sign in.
std::string BuildProjectReadme(const TGenInput& in)
{
    std::string war = ArtifactId(in) + ".war";
    TText out;
    out.Line(in.projectName);
    out.Print({ { "war", war } },
        "\n"
        "构建与运行 (需要 JDK 8 或更新的版本和 Maven):\n"
        "  mvn package        得到 target/$war$, 放进 Tomcat 9 / Jetty 9 的 webapps 目录即可部署\n"
        "  mvn jetty:run      在本机启动, 浏览器打开 http://127.0.0.1:8080/\n"
        "                     (只在本机监听; 让别的机器访问: mvn jetty:run -Djetty.host=0.0.0.0)\n"
        "不用 Maven 时: 按 WebRoot/WEB-INF/lib/README.txt 放好 jar, 然后 ant, 得到 dist/$war$.\n"
        "\n");
    DatabaseNotes(out, in.database);
    if (!in.database.url.empty()) {
        out.Print({},
            "本工程从已有的数据库导入, 程序不在其中建表: 登录用的管理员表 t_admin 请先建好,\n"
            "在该数据库中执行一次 sql/t_admin.sql 即可.\n");
    }
    out.Print({},
        "\n"
        "第一次启动时, 如果还没有任何管理员, 会创建初始管理员:\n"
        "  用户名 admin, 密码 admin123; 第一次登录后必须先修改密码.\n"
        "密码以加盐散列(PBKDF2)保存; 以前以明文保存的密码在下次登录成功时自动改存为散列.\n"
        "\n"
        "字符集: 服务器的 JVM 默认字符集必须能表示中文, 否则应用拒绝启动并在日志中说明.\n"
        "Java 18 起默认就是 UTF-8; 更早的 Java 请在启动服务器时加 -Dfile.encoding=UTF-8\n");
    out.Line("(Tomcat: 在 bin/setenv.sh 中写 CATALINA_OPTS=\"-Dfile.encoding=UTF-8\"; mvn jetty:run 已由 "
             ".mvn/jvm.config 设置).");
    out.Print({},
        "\n"
        "界面样式: WebRoot/static/ 中的 app.css 和 app.js, 许可见其中的 LICENSE.txt.\n");
    return out.Str();
}

} // namespace

// src/hibernate.properties: the connection pool, read by Hibernate before
// hibernate.cfg.xml. Every connection goes back to the pool with its
// transaction rolled back, so no request keeps a snapshot of the database
// or a lock once it has ended.
std::string BuildPoolProperties(const TGenInput& in, bool current)
{
    TText out;
    out.Print({},
        "# 数据库连接池 (Hibernate 先读本文件, 再读 hibernate.cfg.xml).\n"
        "# 连接还给连接池时回滚未提交的事务: 请求结束后不留快照、不持有锁, 每个请求都看得到别人已提交的数据.\n"
        "# 读已提交(READ COMMITTED): 每条语句读最新提交的数据.\n"
        "hibernate.connection.isolation=2\n");
    if (current) {
        out.Print({},
            "# HikariCP: 最多 20 个连接, 至少保留 2 个空闲连接; 空闲 10 分钟关闭, 连接最长使用 30 分钟;\n"
            "# 取连接最多等 30 秒 (单位: 毫秒).\n"
            "hibernate.connection.provider_class=org.hibernate.hikaricp.internal.HikariCPConnectionProvider\n"
            "hibernate.hikari.maximumPoolSize=20\n"
            "hibernate.hikari.minimumIdle=2\n"
            "hibernate.hikari.idleTimeout=600000\n"
            "hibernate.hikari.maxLifetime=1800000\n"
            "hibernate.hikari.connectionTimeout=30000\n"
            "# SQL 方言: 认出经 MySQL Connector/J 连接的 MariaDB (见 utils/DialectChoice.java).\n");
        out.Line("hibernate.dialect_resolvers=com." + in.packageName + ".utils.DialectChoice");
    } else {
        out.Print({},
            "# c3p0: 最多 20 个连接, 至少 2 个; 空闲 300 秒关闭; 每 60 秒检查空闲连接;\n"
            "# 取连接最多等 30 秒 (单位: 毫秒).\n"
            "hibernate.connection.provider_class=org.hibernate.connection.C3P0ConnectionProvider\n"
            "hibernate.c3p0.min_size=2\n"
            "hibernate.c3p0.max_size=20\n"
            "hibernate.c3p0.timeout=300\n"
            "hibernate.c3p0.idle_test_period=60\n"
            "hibernate.c3p0.acquire_increment=2\n"
            "hibernate.c3p0.max_statements=0\n"
            "hibernate.c3p0.checkoutTimeout=30000\n");
        // Hibernate 7 has no interceptor here: its DAOs check the row themselves.
        out.Print({},
            "# 修改的记录写回之前在同一事务中锁住并重新读出, 已被别人修改或删除时拒绝保存 (utils/RowCheck.java);\n"
            "# 页面的下拉框按个数决定是否读出被引用类的全部对象 (utils/ChoiceLimit.java).\n");
        out.Line("hibernate.session_factory.interceptor=com." + in.packageName + ".utils.AppInterceptor");
    }
    return out.Str();
}

std::string ArtifactId(const TGenInput& in)
{
    std::string id = in.packageName.substr(in.packageName.rfind('.') + 1);
    return id.empty() ? "webapp" : id;
}

void DatabaseNotes(TText& out, const TProjectDatabase& database)
{
    out.Print({ { "charset", UsesPostgresql(database) ? "PostgreSQL, 编码 UTF8" : "字符集 utf8mb4" } },
        "数据库: 连接写在 src/hibernate.cfg.xml 中, 请改为实际的数据库、用户名和密码.\n"
        "  建库: 以管理员身份执行一次 sql/create_database.sql ($charset$, 中文和表情符号都能保存),\n");
    out.Line(
        "        其中的库名请与 hibernate.cfg.xml 中的一致. 库不存在、缺表或字符集不对时, 登录页面和日志会说明原因.");
    out.Line(
        "  连接池: 见 src/hibernate.properties (最多 20 个连接; 空闲连接按时关闭). 每个请求结束后连接的事务都已结束,");
    out.Print({},
        "        别的用户、别的程序实例或 SQL 客户端提交的数据, 下一个请求就能看到.\n"
        "  同时修改: 修改页面带着打开时这条记录各列的值的摘要; 保存时在同一事务中锁住并重新读出这条记录,\n"
        "        已被别人修改或删除时不保存, 说明原因, 您的输入留在表单上; 两人同时保存时后一个被告知.\n"
        "        核对后再次保存才会覆盖别人的修改. 表不需要版本列 (见 utils/RowCheck.java).\n"
        "  下拉框: 被引用的类超过 200 个对象时, 添加、修改和列表页面改用输入框搜索; 是否超过由 count 决定,\n"
        "        不为此读整张表 (见 utils/ChoiceLimit.java).\n"
        "  登录: 同一账号 (不论大小写、重音、全角半角) 连续 5 次密码错误后锁定 5 分钟, 失败次数记在表\n"
        "        t_login_failure 中. 多个实例 (负载均衡) 连同一个数据库即共用失败次数; 会话在各实例的内存中,\n"
        "        请在负载均衡上设置粘性会话 (同一用户总到同一实例), 或改用共享的会话存储.\n");
}

void AddBuildFiles(const TGenInput& in, TFiles& out)
{
    out.push_back({ "WebRoot/WEB-INF/lib", "README.txt", BuildLibReadme(in), TEncoding::Utf8, "生成完成!" });
    out.push_back({ "", "build.xml", BuildAntFile(in), TEncoding::Utf8, "生成完成!" });
    out.push_back({ "", "pom.xml", BuildPom(in), TEncoding::Utf8, "生成完成!" });
    out.push_back({ ".mvn", "jvm.config", BuildJvmConfig(), TEncoding::Utf8, "生成完成!" });
    out.push_back(
        { in.SourceDir(), "hibernate.properties", BuildPoolProperties(in, false), TEncoding::Utf8, "生成完成!" });
    out.push_back({ "", "README.txt", BuildProjectReadme(in), TEncoding::Utf8, "生成完成!" });
}
