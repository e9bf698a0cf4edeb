// The build of a generated web application: pom.xml (Maven: the war and a
// local server), build.xml (ant, offline), the list of the jars for the
// offline route, and README.txt, which says how to build, start and sign in.
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
    out.Line("    <version>1.0</version>");
    out.Line("    <packaging>war</packaging>");
    // Maven expands ${...} in element text: the name is the artifact's, not the project's.
    out.Line("    <name>" + ArtifactId(in) + "</name>");
    out.Line("    <properties>");
    out.Line("        <!-- 生成的 Java 源文件和配置文件是 GBK 编码 -->");
    out.Line("        <project.build.sourceEncoding>GBK</project.build.sourceEncoding>");
    out.Line("        <maven.compiler.source>1.8</maven.compiler.source>");
    out.Line("        <maven.compiler.target>1.8</maven.compiler.target>");
    out.Line("        <!-- mvn jetty:run 只在本机监听; 让别的机器访问: mvn jetty:run -Djetty.host=0.0.0.0 -->");
    out.Line("        <jetty.host>127.0.0.1</jetty.host>");
    out.Line("        <jetty.port>8080</jetty.port>");
    out.Line("    </properties>");
    out.Line("    <dependencies>");
    // OGNL brings javassist 3.11 under its old name; one javassist only,
    // a current one: 3.12 cannot make Hibernate's proxies on Java 17
    // without opening java.lang ("Javassist Enhancement failed").
    out.Line("        <dependency>");
    out.Line("            <groupId>org.apache.struts</groupId>");
    out.Line("            <artifactId>struts2-core</artifactId>");
    out.Line("            <version>" + std::string(kStruts) + "</version>");
    out.Line("            <exclusions>");
    out.Line("                <exclusion>");
    out.Line("                    <groupId>javassist</groupId>");
    out.Line("                    <artifactId>javassist</artifactId>");
    out.Line("                </exclusion>");
    out.Line("            </exclusions>");
    out.Line("        </dependency>");
    Dependency(out, "org.hibernate", "hibernate-core", kHibernate);
    out.Line("        <!-- 连接池 c3p0 (设置见 src/hibernate.properties) -->");
    Dependency(out, "org.hibernate", "hibernate-c3p0", kHibernate);
    out.Line("        <!-- Hibernate 3.6 用 javassist 生成延迟加载的代理类; 3.29 在 Java 17 上不必开放 java.lang -->");
    Dependency(out, "org.javassist", "javassist", "3.29.2-GA");
    Dependency(out, "org.slf4j", "slf4j-simple", "1.6.1");
    out.Line("        <!-- MySQL Connector/J 5.1: DAO 类引用它的 com.mysql.jdbc.Statement; 也可连接 MariaDB 和 MySQL "
             "5.7/8 -->");
    Dependency(out, "mysql", "mysql-connector-java", kConnector);
    Dependency(out, "javax.servlet", "jstl", "1.2");
    Dependency(out, "javax.servlet", "javax.servlet-api", "3.1.0", "provided");
    out.Line("    </dependencies>");
    out.Line("    <build>");
    out.Line("        <finalName>" + ArtifactId(in) + "</finalName>");
    out.Line("        <sourceDirectory>src</sourceDirectory>");
    out.Line("        <resources>");
    out.Line("            <resource>");
    out.Line("                <directory>src</directory>");
    out.Line("                <excludes>");
    out.Line("                    <exclude>**/*.java</exclude>");
    out.Line("                </excludes>");
    out.Line("            </resource>");
    out.Line("        </resources>");
    out.Line("        <plugins>");
    out.Line("            <plugin>");
    out.Line("                <groupId>org.apache.maven.plugins</groupId>");
    out.Line("                <artifactId>maven-compiler-plugin</artifactId>");
    out.Line("                <version>3.13.0</version>");
    out.Line("            </plugin>");
    out.Line("            <plugin>");
    out.Line("                <groupId>org.apache.maven.plugins</groupId>");
    out.Line("                <artifactId>maven-resources-plugin</artifactId>");
    out.Line("                <version>3.3.1</version>");
    out.Line("            </plugin>");
    out.Line("            <plugin>");
    out.Line("                <groupId>org.apache.maven.plugins</groupId>");
    out.Line("                <artifactId>maven-war-plugin</artifactId>");
    out.Line("                <version>3.4.0</version>");
    out.Line("                <configuration>");
    out.Line("                    <warSourceDirectory>WebRoot</warSourceDirectory>");
    out.Line("                    <packagingExcludes>WEB-INF/lib/README.txt</packagingExcludes>");
    out.Line("                </configuration>");
    out.Line("            </plugin>");
    out.Line("            <plugin>");
    out.Line("                <!-- mvn jetty:run: 在 http://127.0.0.1:8080/ 运行 (JVM 参数见 .mvn/jvm.config) -->");
    out.Line("                <groupId>org.eclipse.jetty</groupId>");
    out.Line("                <artifactId>jetty-maven-plugin</artifactId>");
    out.Line(std::string("                <version>") + kJetty + "</version>");
    out.Line("                <configuration>");
    out.Line("                    <webAppSourceDirectory>WebRoot</webAppSourceDirectory>");
    out.Line("                    <httpConnector>");
    out.Line("                        <host>${jetty.host}</host>");
    out.Line("                        <port>${jetty.port}</port>");
    out.Line("                    </httpConnector>");
    out.Line("                    <webApp>");
    out.Line("                        <contextPath>/</contextPath>");
    out.Line("                    </webApp>");
    out.Line("                </configuration>");
    out.Line("            </plugin>");
    out.Line("        </plugins>");
    out.Line("    </build>");
    out.Line("</project>");
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
std::string BuildLibReadme()
{
    TText out;
    out.Line("本目录存放应用程序需要的 jar 文件. 用 Maven 构建(mvn package)时不需要管它: Maven 会自动下载并打进 war.");
    out.Line("不用 Maven 而用 ant 离线构建时, 请把下面的 jar 放在这里:");
    out.Line("");
    out.Line("Struts 2.3.37:");
    out.Line("  struts2-core-2.3.37.jar, xwork-core-2.3.37.jar, ognl-3.0.21.jar, freemarker-2.3.28.jar,");
    out.Line("  commons-lang3-3.2.jar, commons-io-2.2.jar, commons-fileupload-1.3.3.jar");
    out.Line("Hibernate 3.6.10.Final 及其依赖:");
    out.Line("  hibernate-core-3.6.10.Final.jar, antlr-2.7.6.jar, commons-collections-3.1.jar, dom4j-1.6.1.jar,");
    out.Line("  hibernate-commons-annotations-3.2.0.Final.jar, hibernate-jpa-2.0-api-1.0.1.Final.jar, jta-1.1.jar,");
    out.Line("  javassist-3.29.2-GA.jar (只放这一个 javassist), slf4j-api-1.6.1.jar, slf4j-simple-1.6.1.jar");
    out.Line("连接池 c3p0:");
    out.Line("  hibernate-c3p0-3.6.10.Final.jar, c3p0-0.9.1.jar");
    out.Line("JSTL 1.2:");
    out.Line("  jstl-1.2.jar");
    out.Line("MySQL Connector/J 5.1.49 (生成的 DAO 类引用它的 com.mysql.jdbc.Statement):");
    out.Line("  mysql-connector-java-5.1.49.jar");
    out.Line("");
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
    out.Line("    <property name=\"src\" location=\"src\"/>");
    out.Line("    <property name=\"web\" location=\"WebRoot\"/>");
    out.Line("    <property name=\"build\" location=\"build/classes\"/>");
    out.Line("    <property name=\"dist\" location=\"dist\"/>");
    out.Line("    <property name=\"container.lib\" location=\"lib/provided\"/>");
    out.Line("    <path id=\"classpath\">");
    out.Line("        <fileset dir=\"${web}/WEB-INF/lib\" includes=\"*.jar\"/>");
    out.Line("        <fileset dir=\"${container.lib}\" includes=\"*servlet-api*.jar\" erroronmissingdir=\"false\"/>");
    out.Line("    </path>");
    out.Line("    <target name=\"check\">");
    out.Line(
        "        <available property=\"servlet.api\" classname=\"javax.servlet.Filter\" classpathref=\"classpath\"/>");
    out.Line("        <fail unless=\"servlet.api\" message=\"找不到 Servlet API: 请把 javax.servlet-api-3.1.0.jar 放入 "
             "lib/provided, 或用 ant -Dcontainer.lib=容器的 lib 目录\"/>");
    out.Line("        <available property=\"struts\" classname=\"com.opensymphony.xwork2.ActionSupport\" "
             "classpathref=\"classpath\"/>");
    out.Line("        <fail unless=\"struts\" message=\"WebRoot/WEB-INF/lib 中缺少 jar: 见其中的 README.txt\"/>");
    out.Line("    </target>");
    out.Line("    <target name=\"compile\" depends=\"check\">");
    out.Line("        <mkdir dir=\"${build}\"/>");
    out.Line("        <javac srcdir=\"${src}\" destdir=\"${build}\" encoding=\"GBK\" classpathref=\"classpath\"");
    out.Line("               includeantruntime=\"false\" source=\"1.8\" target=\"1.8\" debug=\"true\"/>");
    out.Line("        <copy todir=\"${build}\">");
    out.Line("            <fileset dir=\"${src}\" excludes=\"**/*.java\"/>");
    out.Line("        </copy>");
    out.Line("    </target>");
    out.Line("    <target name=\"war\" depends=\"compile\">");
    out.Line("        <mkdir dir=\"${dist}\"/>");
    out.Line("        <war destfile=\"${dist}/" + war + "\" webxml=\"${web}/WEB-INF/web.xml\">");
    out.Line("            <fileset dir=\"${web}\" excludes=\"WEB-INF/web.xml WEB-INF/lib/README.txt\"/>");
    out.Line("            <classes dir=\"${build}\"/>");
    out.Line("        </war>");
    out.Line("    </target>");
    out.Line("    <target name=\"clean\">");
    out.Line("        <delete dir=\"build\"/>");
    out.Line("        <delete dir=\"${dist}\"/>");
    out.Line("    </target>");
    out.Line("</project>");
    return out.Str();
}

// README.txt of the generated project: build, start, sign in.
std::string BuildProjectReadme(const TGenInput& in)
{
    std::string war = ArtifactId(in) + ".war";
    TText out;
    out.Line(in.projectName);
    out.Line("");
    out.Line("构建与运行 (需要 JDK 8 或更新的版本和 Maven):");
    out.Line("  mvn package        得到 target/" + war + ", 放进 Tomcat 9 / Jetty 9 的 webapps 目录即可部署");
    out.Line("  mvn jetty:run      在本机启动, 浏览器打开 http://127.0.0.1:8080/");
    out.Line("                     (只在本机监听; 让别的机器访问: mvn jetty:run -Djetty.host=0.0.0.0)");
    out.Line("不用 Maven 时: 按 WebRoot/WEB-INF/lib/README.txt 放好 jar, 然后 ant, 得到 dist/" + war + ".");
    out.Line("");
    DatabaseNotes(out);
    if (!in.database.url.empty()) {
        out.Line("本工程从已有的数据库导入, 程序不在其中建表: 登录用的管理员表 t_admin 请先建好,");
        out.Line("在该数据库中执行一次 sql/t_admin.sql 即可.");
    }
    out.Line("");
    out.Line("第一次启动时, 如果还没有任何管理员, 会创建初始管理员:");
    out.Line("  用户名 admin, 密码 admin123; 第一次登录后必须先修改密码.");
    out.Line("密码以加盐散列(PBKDF2)保存; 以前以明文保存的密码在下次登录成功时自动改存为散列.");
    out.Line("");
    out.Line("字符集: 服务器的 JVM 默认字符集必须能表示中文, 否则应用拒绝启动并在日志中说明.");
    out.Line("Java 18 起默认就是 UTF-8; 更早的 Java 请在启动服务器时加 -Dfile.encoding=UTF-8");
    out.Line("(Tomcat: 在 bin/setenv.sh 中写 CATALINA_OPTS=\"-Dfile.encoding=UTF-8\"; mvn jetty:run 已由 "
             ".mvn/jvm.config 设置).");
    out.Line("");
    out.Line("界面样式: WebRoot/static/ 中的 app.css 和 app.js, 许可见其中的 LICENSE.txt.");
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
    out.Line("# 数据库连接池 (Hibernate 先读本文件, 再读 hibernate.cfg.xml).");
    out.Line("# 连接还给连接池时回滚未提交的事务: 请求结束后不留快照、不持有锁, 每个请求都看得到别人已提交的数据.");
    out.Line("# 读已提交(READ COMMITTED): 每条语句读最新提交的数据.");
    out.Line("hibernate.connection.isolation=2");
    if (current) {
        out.Line("# HikariCP: 最多 20 个连接, 至少保留 2 个空闲连接; 空闲 10 分钟关闭, 连接最长使用 30 分钟;");
        out.Line("# 取连接最多等 30 秒 (单位: 毫秒).");
        out.Line("hibernate.connection.provider_class=org.hibernate.hikaricp.internal.HikariCPConnectionProvider");
        out.Line("hibernate.hikari.maximumPoolSize=20");
        out.Line("hibernate.hikari.minimumIdle=2");
        out.Line("hibernate.hikari.idleTimeout=600000");
        out.Line("hibernate.hikari.maxLifetime=1800000");
        out.Line("hibernate.hikari.connectionTimeout=30000");
        out.Line("# SQL 方言: 认出经 MySQL Connector/J 连接的 MariaDB (见 utils/DialectChoice.java).");
        out.Line("hibernate.dialect_resolvers=com." + in.packageName + ".utils.DialectChoice");
    } else {
        out.Line("# c3p0: 最多 20 个连接, 至少 2 个; 空闲 300 秒关闭; 每 60 秒检查空闲连接;");
        out.Line("# 取连接最多等 30 秒 (单位: 毫秒).");
        out.Line("hibernate.connection.provider_class=org.hibernate.connection.C3P0ConnectionProvider");
        out.Line("hibernate.c3p0.min_size=2");
        out.Line("hibernate.c3p0.max_size=20");
        out.Line("hibernate.c3p0.timeout=300");
        out.Line("hibernate.c3p0.idle_test_period=60");
        out.Line("hibernate.c3p0.acquire_increment=2");
        out.Line("hibernate.c3p0.max_statements=0");
        out.Line("hibernate.c3p0.checkoutTimeout=30000");
        // Hibernate 7 has no interceptor here: its DAOs check the row themselves.
        out.Line("# 修改的记录写回之前在同一事务中锁住并重新读出, 已被别人修改或删除时拒绝保存 (utils/RowCheck.java);");
        out.Line("# 页面的下拉框按个数决定是否读出被引用类的全部对象 (utils/ChoiceLimit.java).");
        out.Line("hibernate.session_factory.interceptor=com." + in.packageName + ".utils.AppInterceptor");
    }
    return out.Str();
}

std::string ArtifactId(const TGenInput& in)
{
    std::string id = in.packageName.substr(in.packageName.rfind('.') + 1);
    return id.empty() ? "webapp" : id;
}

void DatabaseNotes(TText& out)
{
    out.Line("数据库: 连接写在 src/hibernate.cfg.xml 中, 请改为实际的数据库、用户名和密码.");
    out.Line("  建库: 以管理员身份执行一次 sql/create_database.sql (字符集 utf8mb4, 中文和表情符号都能保存),");
    out.Line(
        "        其中的库名请与 hibernate.cfg.xml 中的一致. 库不存在、缺表或字符集不对时, 登录页面和日志会说明原因.");
    out.Line(
        "  连接池: 见 src/hibernate.properties (最多 20 个连接; 空闲连接按时关闭). 每个请求结束后连接的事务都已结束,");
    out.Line("        别的用户、别的程序实例或 SQL 客户端提交的数据, 下一个请求就能看到.");
    out.Line("  同时修改: 修改页面带着打开时这条记录各列的值的摘要; 保存时在同一事务中锁住并重新读出这条记录,");
    out.Line("        已被别人修改或删除时不保存, 说明原因, 您的输入留在表单上; 两人同时保存时后一个被告知.");
    out.Line("        核对后再次保存才会覆盖别人的修改. 表不需要版本列 (见 utils/RowCheck.java).");
    out.Line("  下拉框: 被引用的类超过 200 个对象时, 添加、修改和列表页面改用输入框搜索; 是否超过由 count 决定,");
    out.Line("        不为此读整张表 (见 utils/ChoiceLimit.java).");
    out.Line("  登录: 同一账号 (不论大小写、重音、全角半角) 连续 5 次密码错误后锁定 5 分钟, 失败次数记在表");
    out.Line("        t_login_failure 中. 多个实例 (负载均衡) 连同一个数据库即共用失败次数; 会话在各实例的内存中,");
    out.Line("        请在负载均衡上设置粘性会话 (同一用户总到同一实例), 或改用共享的会话存储.");
}

void AddBuildFiles(const TGenInput& in, TFiles& out)
{
    out.push_back({ "WebRoot/WEB-INF/lib", "README.txt", BuildLibReadme(), TEncoding::Utf8, "生成完成!" });
    out.push_back({ "", "build.xml", BuildAntFile(in), TEncoding::Utf8, "生成完成!" });
    out.push_back({ "", "pom.xml", BuildPom(in), TEncoding::Utf8, "生成完成!" });
    out.push_back({ ".mvn", "jvm.config", BuildJvmConfig(), TEncoding::Utf8, "生成完成!" });
    out.push_back(
        { in.SourceDir(), "hibernate.properties", BuildPoolProperties(in, false), TEncoding::Utf8, "生成完成!" });
    out.push_back({ "", "README.txt", BuildProjectReadme(in), TEncoding::Utf8, "生成完成!" });
}
