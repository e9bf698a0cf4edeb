// The pages struts.xml names for the whole application (login.jsp,
// main.jsp, message.jsp, error.jsp, changePassword.jsp), web.xml, the
// build and the list of the jars the application needs.
#include "WebPages.h"

#include "JavaNames.h"
#include "JspText.h"

namespace {

void AddFieldRow(TText& out, const std::string& label, const std::string& type, const std::string& name)
{
    out.Line("<tr><th>" + label + "</th><td><input type=\"" + type + "\" name=\"" + name + "\"" +
        (type == "text" ? " value=\"<c:out value='${" + name + "}'/>\"" : std::string()) + ">" + JspFieldErrors(name) +
        "</td></tr>");
}

// message.jsp and error.jsp: the Actions put their texts URL-encoded (with
// the platform's encoding, java.net.URLEncoder.encode) under "message" or
// "error"; they are decoded the same way and shown.
std::string BuildTextPage(const std::string& key, const std::string& title)
{
    TText out;
    JspHead(out, title);
    out.Line("<%");
    out.Line("    Object text = request.getAttribute(\"" + key + "\");");
    out.Line(
        "    pageContext.setAttribute(\"text\", text == null ? \"\" : java.net.URLDecoder.decode(text.toString()));");
    out.Line("%>");
    out.Line("<h1>" + title + "</h1>");
    out.Line("<p class=\"" + key + "\"><c:out value=\"${text}\"/></p>");
    out.Line("<p><a href=\"javascript:history.back()\">返回</a> | <a href=\"${ctx}/main.jsp\">返回主页</a></p>");
    JspTail(out);
    return out.Str();
}

std::string BuildLoginPage()
{
    TText out;
    JspHead(out, "系统登录");
    out.Line("<h1>系统登录</h1>");
    JspActionErrors(out);
    out.Line("<form method=\"post\" action=\"${ctx}/login_CheckLogin.action\">");
    out.Line("<table>");
    AddFieldRow(out, "用户名", "text", "username");
    AddFieldRow(out, "密码", "password", "password");
    out.Line("</table>");
    out.Line("<p><input type=\"submit\" value=\"登录\"></p>");
    out.Line("</form>");
    JspTail(out);
    return out.Str();
}

std::string BuildChangePasswordPage()
{
    TText out;
    JspHead(out, "修改密码");
    out.Line("<h1>修改密码</h1>");
    out.Line("<p>当前用户: <c:out value=\"${sessionScope.username}\"/></p>");
    JspActionErrors(out);
    out.Line("<form method=\"post\" action=\"${ctx}/changePassword_ChangePassword.action\">");
    out.Line("<table>");
    AddFieldRow(out, "原密码", "password", "oldPassword");
    AddFieldRow(out, "新密码", "password", "newPassword");
    AddFieldRow(out, "确认新密码", "password", "confirmPassword");
    out.Line("</table>");
    out.Line("<p><input type=\"submit\" value=\"修改\"> <a href=\"${ctx}/main.jsp\">返回主页</a></p>");
    out.Line("</form>");
    JspTail(out);
    return out.Str();
}

// main.jsp: who is signed in, and every class by its friendly name with its
// query and add pages.
std::string BuildMainPage(const TGenInput& in)
{
    TText out;
    JspHead(out, HtmlText(in.projectName));
    out.Line("<h1>" + HtmlText(in.projectName) + "</h1>");
    out.Line("<p>当前用户: <c:out value=\"${sessionScope.username}\"/> | <a "
             "href=\"${ctx}/changePassword.jsp\">修改密码</a> | "
             "<a href=\"${ctx}/user_Logout.action\">注销</a></p>");
    out.Line("<table>");
    out.Line("<tr><th>业务</th><th>操作</th></tr>");
    for (const auto& c : in.classes) {
        const std::string& C = c.name;
        out.Line("<tr><td>" + HtmlText(c.friendName) + "</td><td><a href=\"${ctx}/" + C + "/" + C + "_Query" + C +
            ".action\">查询</a> <a href=\"${ctx}/" + C + "/" + C + "_AddView.action\">添加</a></td></tr>");
    }
    out.Line("</table>");
    JspTail(out);
    return out.Str();
}

std::string BuildWebXml(const TGenInput& in)
{
    const std::string utils = "com." + in.packageName + ".utils.";
    TText out;
    out.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.Line("<web-app xmlns=\"http://java.sun.com/xml/ns/javaee\" "
             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"");
    out.Line("    xsi:schemaLocation=\"http://java.sun.com/xml/ns/javaee "
             "http://java.sun.com/xml/ns/javaee/web-app_2_5.xsd\" version=\"2.5\">");
    out.Line("    <display-name>" + HtmlText(in.projectName) + "</display-name>");
    out.Line("    <!-- 请求参数按 UTF-8 读取 -->");
    out.Line("    <filter>");
    out.Line("        <filter-name>encoding</filter-name>");
    out.Line("        <filter-class>" + utils + "EncodingFilter</filter-class>");
    out.Line("    </filter>");
    out.Line("    <!-- 未登录时访问各业务类的动作转到登录页面 -->");
    out.Line("    <filter>");
    out.Line("        <filter-name>login</filter-name>");
    out.Line("        <filter-class>" + utils + "LoginFilter</filter-class>");
    out.Line("    </filter>");
    out.Line("    <filter>");
    out.Line("        <filter-name>struts2</filter-name>");
    out.Line(
        "        <filter-class>org.apache.struts2.dispatcher.ng.filter.StrutsPrepareAndExecuteFilter</filter-class>");
    out.Line("    </filter>");
    for (const char* name : { "encoding", "login", "struts2" }) {
        out.Line("    <filter-mapping>");
        out.Line(std::string("        <filter-name>") + name + "</filter-name>");
        out.Line("        <url-pattern>/*</url-pattern>");
        out.Line("    </filter-mapping>");
    }
    out.Line("    <welcome-file-list>");
    out.Line("        <welcome-file>login.jsp</welcome-file>");
    out.Line("    </welcome-file-list>");
    out.Line("</web-app>");
    return out.Str();
}

// src/validators.xml: the validators the validation files may use besides
// XWork's own: the support files' card-id validator.
std::string BuildValidatorsXml(const TGenInput& in)
{
    TText out;
    out.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.Line("<!DOCTYPE validators PUBLIC");
    out.Line("    \"-//Apache Struts//XWork Validator Config 1.0//EN\"");
    out.Line("    \"http://struts.apache.org/dtds/xwork-validator-config-1.0.dtd\">");
    out.Line("<validators>");
    out.Line("    <!-- 身份证号码校验器: <field-validator type=\"cardid\"> -->");
    out.Line("    <validator name=\"cardid\" class=\"com." + in.packageName + ".utils.CardIdFieldValidator\"/>");
    out.Line("</validators>");
    return out.Str();
}

// WEB-INF/lib/README.txt: the jars the application needs, which the
// generator does not ship.
std::string BuildLibReadme()
{
    TText out;
    out.Line("本目录存放应用程序需要的 jar 文件(生成器不附带, 请自行下载后放在这里):");
    out.Line("");
    out.Line("Struts 2 (2.3 系列, 如 2.3.37):");
    out.Line("  struts2-core-2.3.37.jar, xwork-core-2.3.37.jar, ognl-3.0.21.jar, freemarker-2.3.28.jar,");
    out.Line("  commons-lang3-3.2.jar, commons-io-2.2.jar, commons-fileupload-1.4.jar, javassist-3.11.0.GA.jar");
    out.Line("Hibernate 3.6 (如 3.6.10.Final) 及其依赖:");
    out.Line("  hibernate3.jar, antlr-2.7.6.jar, commons-collections-3.1.jar, dom4j-1.6.1.jar,");
    out.Line("  hibernate-jpa-2.0-api-1.0.1.Final.jar, jta-1.1.jar, slf4j-api-1.6.1.jar (及一个 slf4j 实现)");
    out.Line("JSTL 1.2:");
    out.Line("  jstl-1.2.jar (或 taglibs-standard-impl-1.2.5.jar 与 taglibs-standard-spec-1.2.5.jar)");
    out.Line("MySQL Connector/J 5.1 (生成的 DAO 类引用它的 com.mysql.jdbc.Statement):");
    out.Line("  mysql-connector-java-5.1.49.jar");
    out.Line("");
    out.Line("Servlet API (servlet-api.jar) 由 Web 容器(Tomcat、Jetty)提供, 不要放在这里;");
    out.Line("编译时用 ant -Dcontainer.lib=容器的 lib 目录 指明它的位置.");
    return out.Str();
}

// build.xml: compiles src (GBK) against WEB-INF/lib, copies the
// configuration and mapping files, and builds dist/NAME.war.
std::string BuildAntFile(const TGenInput& in)
{
    TText out;
    out.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.Line("<!-- 编译并打包: ant (或 ant -Dcontainer.lib=Tomcat 的 lib 目录), 结果为 dist/" +
        HtmlText(in.projectName) + ".war -->");
    out.Line("<project name=\"" + HtmlText(in.projectName) + "\" default=\"war\" basedir=\".\">");
    out.Line("    <property name=\"src\" location=\"src\"/>");
    out.Line("    <property name=\"web\" location=\"WebRoot\"/>");
    out.Line("    <property name=\"build\" location=\"build/classes\"/>");
    out.Line("    <property name=\"dist\" location=\"dist\"/>");
    out.Line("    <property name=\"container.lib\" location=\"container-lib\"/>");
    out.Line("    <path id=\"classpath\">");
    out.Line("        <fileset dir=\"${web}/WEB-INF/lib\" includes=\"*.jar\"/>");
    out.Line("        <fileset dir=\"${container.lib}\" includes=\"*servlet-api*.jar\" erroronmissingdir=\"false\"/>");
    out.Line("    </path>");
    out.Line("    <target name=\"compile\">");
    out.Line("        <mkdir dir=\"${build}\"/>");
    out.Line("        <javac srcdir=\"${src}\" destdir=\"${build}\" encoding=\"GBK\" classpathref=\"classpath\"");
    out.Line("               includeantruntime=\"false\" source=\"1.8\" target=\"1.8\" debug=\"true\"/>");
    out.Line("        <copy todir=\"${build}\">");
    out.Line("            <fileset dir=\"${src}\" excludes=\"**/*.java\"/>");
    out.Line("        </copy>");
    out.Line("    </target>");
    out.Line("    <target name=\"war\" depends=\"compile\">");
    out.Line("        <mkdir dir=\"${dist}\"/>");
    out.Line(
        "        <war destfile=\"${dist}/" + HtmlText(in.projectName) + ".war\" webxml=\"${web}/WEB-INF/web.xml\">");
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

const char* const kEncodingFilter = "src/com/packageName/utils/EncodingFilter.java";
const char* const kLoginFilter = "src/com/packageName/utils/LoginFilter.java";

// The pages, web.xml, the filters and the build: asked for with --webapp.
class TWebAppGenerator : public IGenerator {
public:
    const char* Name() const override { return "pages"; }
    bool Enabled(const TGenInput& in) const override { return in.webapp; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        const char* done = "生成完毕!";
        auto page = [&](const std::string& name, std::string text) {
            out.push_back({ "WebRoot", name, std::move(text), TEncoding::Utf8, done });
        };
        page("login.jsp", BuildLoginPage());
        page("main.jsp", BuildMainPage(in));
        page("message.jsp", BuildTextPage("message", "操作成功"));
        page("error.jsp", BuildTextPage("error", "操作失败"));
        page("changePassword.jsp", BuildChangePasswordPage());
        out.push_back({ "WebRoot/WEB-INF", "web.xml", BuildWebXml(in), TEncoding::Utf8, "生成完成!" });
        out.push_back({ "WebRoot/WEB-INF/lib", "README.txt", BuildLibReadme(), TEncoding::Utf8, "生成完成!" });
        out.push_back({ in.SourceDir(), "validators.xml", BuildValidatorsXml(in), TEncoding::Utf8, "生成完成!" });
        for (const char* filter : { kEncodingFilter, kLoginFilter }) {
            std::string name = std::string(filter).substr(std::string(filter).rfind('/') + 1);
            out.push_back({ in.KindDir("utils"), name, in.SubstitutePackage(in.templates.Text(filter)), TEncoding::Gbk,
                "移动完毕!" });
        }
        out.push_back({ "", "build.xml", BuildAntFile(in), TEncoding::Utf8, "生成完成!" });
    }
    void ClassFiles(const TGenInput& in, const TClassData& c, TFiles& out) const override
    {
        out.push_back({ "WebRoot", c.name + "_add.jsp", BuildAddPage(in, c), TEncoding::Utf8, "生成完毕!" });
        out.push_back({ "WebRoot", c.name + "_query_result.jsp", BuildQueryPage(in, c), TEncoding::Utf8, "生成完毕!" });
        out.push_back({ "WebRoot", c.name + "_modify.jsp", BuildModifyPage(in, c), TEncoding::Utf8, "生成完毕!" });
    }
    std::vector<std::string> ClassFileNames(const std::string& className) const override
    {
        return { className + "_add.jsp", className + "_query_result.jsp", className + "_modify.jsp" };
    }
    std::vector<std::string> Directories(const TGenInput& in) const override
    {
        return { "WebRoot", "WebRoot/WEB-INF", "WebRoot/WEB-INF/lib", in.SourceDir(), in.KindDir("utils"), "" };
    }
    std::vector<TTemplateUse> TemplatesUsed() const override { return { { kEncodingFilter }, { kLoginFilter } }; }
    int PreviewRank() const override { return 5; }
};

} // namespace

const IGenerator& WebAppGenerator()
{
    static const TWebAppGenerator generator;
    return generator;
}
