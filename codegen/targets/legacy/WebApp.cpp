// The pages struts.xml names for the whole application (login.jsp,
// main.jsp, message.jsp, error.jsp, changePassword.jsp), web.xml, the
// build and the list of the jars the application needs.
#include "codegen/targets/legacy/WebPages.h"

#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/targets/legacy/JspText.h"

namespace {

void AddFieldRow(TText& out, const std::string& label, const std::string& type, const std::string& name)
{
    out.Line("<tr><th>" + label + "</th><td><input type=\"" + type + "\" name=\"" + name + "\"" +
        (type == "text" ? " value=\"<c:out value='${" + name + "}'/>\"" : std::string()) + ">" + JspFieldErrors(name) +
        "</td></tr>");
}

// The text the Actions put URL-encoded (java.net.URLEncoder.encode, the
// JVM's default charset, which the application checks at start is
// Chinese-capable) under "message" or "error", decoded into ${text}.
void DecodeText(TText& out, const TWebStyle& web, const std::string& key)
{
    out.Line("<%");
    out.Line("    Object text = request.getAttribute(\"" + key + "\");");
    out.Line("    pageContext.setAttribute(\"text\", text == null ? \"\" : " + web.Decoded("text.toString()") + ");");
    out.Line("%>");
}

// message.jsp: what an Action did, and the way back to the list it came from.
std::string BuildMessagePage(const TWebStyle& web)
{
    TText out;
    JspFramedHead(out, web, true, "操作成功", "操作结果");
    DecodeText(out, web, "message");
    out.Print({},
        "<div class=\"card\">\n"
        "<h1>操作成功</h1>\n"
        "<p class=\"message\"><c:out value=\"$${text}\"/></p>\n");
    out.Line("<p><a class=\"btn\" href=\"javascript:history.back()\">返回</a> <a class=\"btn\" "
             "href=\"${ctx}/user_ShowUser.action\">返回主页</a></p>");
    out.Line("</div>");
    JspFramedTail(out);
    return out.Str();
}

// error.jsp: a refused add or modify of a class shows that class's form
// again, with what the user typed and the reason; anything else the reason.
std::string BuildErrorPage(const TGenInput& in)
{
    TText out;
    JspDirectives(out, in.web);
    out.Line("<c:set var=\"origin\" value=\"${requestScope['" + in.web.servlet + "forward.servlet_path']}\"/>");
    out.Line("<c:choose>");
    for (const auto& c : in.classes) {
        const std::string& C = c.name;
        out.Line("<c:when test=\"${origin == '/" + C + "/" + C + "_Add" + C + ".action' or origin == '/" + C + "/" + C +
            "_Modify" + C + ".action'}\"><jsp:include page=\"/" + C + "_add.jsp\"/></c:when>");
    }
    out.Line("<c:otherwise>");
    JspFramedHead(out, in.web, false, "操作失败", "操作结果");
    DecodeText(out, in.web, "error");
    out.Print({},
        "<div class=\"card\">\n"
        "<h1>操作失败</h1>\n"
        "<p class=\"error\"><c:out value=\"$${text}\"/></p>\n");
    out.Line("<p><a class=\"btn\" href=\"javascript:history.back()\">返回</a> <a class=\"btn\" "
             "href=\"${ctx}/user_ShowUser.action\">返回主页</a></p>");
    out.Line("</div>");
    JspFramedTail(out);
    out.Print({},
        "</c:otherwise>\n"
        "</c:choose>\n");
    return out.Str();
}

// Logging out changes the session: a POST with the anti-forgery token, shown
// as a link.
std::string LogoutForm()
{
    return "<form class=\"inline\" method=\"post\" action=\"${ctx}/user_Logout.action\">" + JspCsrfField() +
        "<button class=\"link\" type=\"submit\">注销</button></form>";
}

// WEB-INF/jspf/frame.jspf, included by every signed-in page: the top bar
// (project, user, 修改密码, 注销) and the menu of the classes by friendly
// name. It opens <div class="layout">, which the page closes.
std::string BuildFrame(const TGenInput& in)
{
    TText out;
    out.Print({},
        "<%@ page pageEncoding=\"UTF-8\" %>\n"
        "<header class=\"topbar\">\n");
    out.Line("<a class=\"brand\" href=\"${ctx}/user_ShowUser.action\">" + HtmlText(in.projectName) + "</a>");
    out.Print({},
        "<span class=\"user\">当前用户: <c:out value=\"$${sessionScope.username}\"/></span>\n"
        "<a href=\"$${ctx}/changePassword_input.action\">修改密码</a>\n");
    out.Line(LogoutForm());
    out.Print({},
        "</header>\n"
        "<div class=\"layout\">\n"
        "<nav class=\"menu\">\n"
        "<a href=\"$${ctx}/user_ShowUser.action\">首页</a>\n");
    for (const auto& c : in.classes) {
        const std::string& C = c.name;
        out.Line("<div class=\"menu-group\">" + HtmlText(c.friendName) + "</div>");
        out.Line("<a href=\"${ctx}/" + C + "/" + C + "_Query" + C + ".action\">" + HtmlText(c.friendName) + "列表</a>");
        if (!c.readOnly)
            out.Line("<a href=\"${ctx}/" + C + "/" + C + "_AddView.action\">添加" + HtmlText(c.friendName) + "</a>");
    }
    out.Line("</nav>");
    return out.Str();
}

// WEB-INF/fault.jsp: the error page of web.xml: a Chinese message for the
// status, no stack trace and no source.
std::string BuildFaultPage(const TWebStyle& web)
{
    TText out;
    out.Line("<%@ page contentType=\"text/html; charset=UTF-8\" pageEncoding=\"UTF-8\" isErrorPage=\"true\" %>");
    out.Line("<%@ taglib prefix=\"c\" uri=\"" + web.jstlCore + "\" %>");
    out.Line("<c:set var=\"ctx\" value=\"${pageContext.request.contextPath}\"/>");
    out.Line("<c:set var=\"status\" value=\"${requestScope['" + web.servlet + "error.status_code']}\"/>");
    out.Print({},
        "<!DOCTYPE html>\n"
        "<html lang=\"zh-CN\">\n"
        "<head>\n"
        "<meta charset=\"UTF-8\">\n"
        "<title>出错了</title>\n"
        "<link rel=\"stylesheet\" href=\"$${ctx}/static/app.css\">\n"
        "</head>\n"
        "<body class=\"plain\">\n"
        "<div class=\"card narrow\">\n"
        "<h1>出错了</h1>\n"
        "<p class=\"error\"><c:choose>\n"
        "<c:when test=\"$${status == 404}\">您访问的页面不存在。</c:when>\n"
        "<c:when test=\"$${status == 400}\">请求的参数不正确。</c:when>\n"
        "<c:when test=\"$${status == 401 or status == 403}\">没有权限访问，请先登录。</c:when>\n"
        "<c:when test=\"$${status == 405}\">不支持这种请求方式。</c:when>\n"
        "<c:when test=\"$${status == 415}\">不接受这种请求内容（本系统没有文件上传）。</c:when>\n"
        "<c:otherwise>服务器处理请求时出错，请稍后再试或联系管理员。</c:otherwise>\n"
        "</c:choose></p>\n"
        "<p><a class=\"btn\" href=\"$${ctx}/user_ShowUser.action\">返回主页</a></p>\n"
        "</div>\n");
    JspTail(out);
    return out.Str();
}

std::string BuildLoginPage(const TGenInput& in)
{
    TText out;
    JspHead(out, in.web, "系统登录");
    out.Print({},
        "<div class=\"login\">\n"
        "<form class=\"card narrow\" method=\"post\" action=\"$${ctx}/login_CheckLogin.action\">\n");
    out.Line(JspCsrfField());
    out.Line("<h1>" + HtmlText(in.projectName) + "</h1>");
    out.Line("<h2>系统登录</h2>");
    JspActionErrors(out);
    // What the application found wrong with the database when it started.
    out.Line("<c:if test=\"${not empty applicationScope.adminProblem and empty actionErrors}\"><ul "
             "class=\"errors\"><li><c:out value=\"${applicationScope.adminProblem}\"/></li></ul></c:if>");
    out.Line("<c:if test=\"${not empty applicationScope.charsetProblem}\"><ul class=\"errors\"><li><c:out "
             "value=\"${applicationScope.charsetProblem}\"/></li></ul></c:if>");
    out.Line("<table class=\"form\">");
    AddFieldRow(out, "用户名", "text", "username");
    AddFieldRow(out, "密码", "password", "password");
    out.Print({},
        "</table>\n"
        "<p><input class=\"btn primary\" type=\"submit\" value=\"登录\"></p>\n"
        "</form>\n"
        "</div>\n");
    JspTail(out);
    return out.Str();
}

std::string BuildChangePasswordPage(const TWebStyle& web)
{
    TText out;
    JspFramedHead(out, web, true, "修改密码", "修改密码");
    out.Print({},
        "<div class=\"card\">\n"
        "<h1>修改密码</h1>\n");
    out.Line("<c:if test=\"${not empty sessionScope.passwordMustChange}\"><p class=\"notice\">"
             "这是初始密码，请先设置新密码再使用系统。</p></c:if>");
    out.Line("<p>当前用户: <c:out value=\"${sessionScope.username}\"/></p>");
    JspActionErrors(out);
    out.Line("<form method=\"post\" action=\"${ctx}/changePassword_ChangePassword.action\">");
    out.Line(JspCsrfField());
    out.Line("<table class=\"form\">");
    AddFieldRow(out, "原密码", "password", "oldPassword");
    AddFieldRow(out, "新密码", "password", "newPassword");
    AddFieldRow(out, "确认新密码", "password", "confirmPassword");
    out.Line("</table>");
    out.Line("<p><input class=\"btn primary\" type=\"submit\" value=\"修改\"> <a class=\"btn\" "
             "href=\"${ctx}/user_ShowUser.action\">返回主页</a></p>");
    out.Print({},
        "</form>\n"
        "</div>\n");
    JspFramedTail(out);
    return out.Str();
}

// main.jsp: who is signed in, and every class by its friendly name with its
// query and add pages.
std::string BuildMainPage(const TGenInput& in)
{
    TText out;
    JspFramedHead(out, in.web, true, HtmlText(in.projectName), "");
    out.Line("<div class=\"card\">");
    out.Line("<h1>" + HtmlText(in.projectName) + "</h1>");
    out.Line("<p>当前用户: <c:out value=\"${sessionScope.username}\"/> | <a "
             "href=\"${ctx}/changePassword_input.action\">修改密码</a> | " +
        LogoutForm() + "</p>");
    out.Print({},
        "<table class=\"grid\">\n"
        "<tr><th>业务</th><th>操作</th></tr>\n");
    for (const auto& c : in.classes) {
        const std::string& C = c.name;
        std::string add = c.readOnly ? "" : " <a href=\"${ctx}/" + C + "/" + C + "_AddView.action\">添加</a>";
        out.Line("<tr><td>" + HtmlText(c.friendName) + "</td><td><a href=\"${ctx}/" + C + "/" + C + "_Query" + C +
            ".action\">查询</a>" + add + "</td></tr>");
    }
    out.Print({},
        "</table>\n"
        "</div>\n");
    JspFramedTail(out);
    return out.Str();
}

// The classes pick.json may answer for, each with the one member the pages
// show for it: "Book=title,BookType=typeName". A class keyed by several
// members is never offered by a picker.
std::string PickableClasses(const TGenInput& in)
{
    std::string list;
    for (const auto& c : in.classes) {
        if (c.CompositeKey())
            continue;
        for (const auto& m : c.members)
            if (m.member.GetMemberIsDisplay()) {
                list += (list.empty() ? "" : ",") + c.name + "=" + m.member.GetMemberName();
                break;
            }
    }
    return list;
}

std::string BuildWebXml(const TGenInput& in)
{
    const std::string utils = "com." + in.packageName + ".utils.";
    TText out;
    out.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    for (const std::string& line : in.web.webApp)
        out.Line(line);
    out.Line("    <display-name>" + HtmlText(in.projectName) + "</display-name>");
    out.Print({ { "utils", utils } },
        "    <!-- 启动时检查 JVM 的字符集, 没有管理员时创建初始管理员 -->\n"
        "    <listener>\n"
        "        <listener-class>$utils$AppStartup</listener-class>\n"
        "    </listener>\n"
        "    <!-- 请求参数按 UTF-8 读取 -->\n"
        "    <filter>\n"
        "        <filter-name>encoding</filter-name>\n"
        "        <filter-class>$utils$EncodingFilter</filter-class>\n"
        "    </filter>\n"
        "    <!-- 未登录时除登录外的一切请求都转到登录页面; 页面不能直接打开; 拒绝上传和可疑参数 -->\n"
        "    <filter>\n"
        "        <filter-name>login</filter-name>\n"
        "        <filter-class>$utils$LoginFilter</filter-class>\n"
        "    </filter>\n"
        "    <!-- Struts 分为两步: 先查出请求要执行的动作(login 据此检查权限、POST 和防伪令牌), 再执行它 -->\n"
        "    <filter>\n"
        "        <filter-name>struts2-prepare</filter-name>\n");
    out.Line("        <filter-class>" + in.web.strutsFilters + "StrutsPrepareFilter</filter-class>");
    out.Print({},
        "    </filter>\n"
        "    <filter>\n"
        "        <filter-name>struts2-execute</filter-name>\n");
    out.Line("        <filter-class>" + in.web.strutsFilters + "StrutsExecuteFilter</filter-class>");
    out.Line("    </filter>");
    for (const char* name : { "encoding", "struts2-prepare", "login", "struts2-execute" }) {
        out.Line("    <filter-mapping>");
        out.Line(std::string("        <filter-name>") + name + "</filter-name>");
        out.Print({},
            "        <url-pattern>/*</url-pattern>\n"
            "        <dispatcher>REQUEST</dispatcher>\n"
            "    </filter-mapping>\n");
    }
    out.Print({ { "utils", utils } },
        "    <!-- 会话: 30 分钟, 只用 Cookie(不把会话编号放进网址), 脚本不能读取 -->\n"
        "    <!-- 引用对象很多时, 输入框边输入边取候选 -->\n"
        "    <servlet>\n"
        "        <servlet-name>pick</servlet-name>\n"
        "        <servlet-class>$utils$PickServlet</servlet-class>\n"
        "        <!-- 可以查询的类和它们在页面上显示的成员(类名=显示成员), 其他的一概不答 -->\n"
        "        <init-param>\n"
        "            <param-name>shown</param-name>\n");
    out.Line("            <param-value>" + PickableClasses(in) + "</param-value>");
    out.Print({},
        "        </init-param>\n"
        "    </servlet>\n"
        "    <servlet-mapping>\n"
        "        <servlet-name>pick</servlet-name>\n"
        "        <url-pattern>/pick.json</url-pattern>\n"
        "    </servlet-mapping>\n"
        "    <session-config>\n"
        "        <session-timeout>30</session-timeout>\n"
        "        <cookie-config>\n");
    for (const std::string& line : in.web.sessionCookie)
        out.Line(line);
    out.Print({},
        "        </cookie-config>\n"
        "        <tracking-mode>COOKIE</tracking-mode>\n"
        "    </session-config>\n"
        "    <welcome-file-list>\n"
        "        <welcome-file>login.jsp</welcome-file>\n"
        "    </welcome-file-list>\n"
        "    <!-- 出错时显示中文说明, 不显示异常和源代码 -->\n");
    for (const char* code : { "400", "401", "403", "404", "405", "415", "500" }) {
        out.Line("    <error-page>");
        out.Line(std::string("        <error-code>") + code + "</error-code>");
        out.Print({},
            "        <location>/WEB-INF/fault.jsp</location>\n"
            "    </error-page>\n");
    }
    out.Print({},
        "    <error-page>\n"
        "        <exception-type>java.lang.Throwable</exception-type>\n"
        "        <location>/WEB-INF/fault.jsp</location>\n"
        "    </error-page>\n"
        "</web-app>\n");
    return out.Str();
}

// src/validators.xml: the validators the validation files may use besides
// XWork's own: the support files' card-id validator.
std::string BuildValidatorsXml(const TGenInput& in)
{
    TText out;
    out.Print({},
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE validators PUBLIC\n"
        "    \"-//Apache Struts//XWork Validator Config 1.0//EN\"\n"
        "    \"http://struts.apache.org/dtds/xwork-validator-config-1.0.dtd\">\n"
        "<validators>\n"
        "    <!-- 身份证号码校验器: <field-validator type=\"cardid\"> -->\n");
    out.Line("    <validator name=\"cardid\" class=\"com." + in.packageName + ".utils.CardIdFieldValidator\"/>");
    out.Line("    <!-- 按提交的原文校验(必填、数字、日期、长度): <field-validator type=\"input\"> -->");
    out.Line("    <validator name=\"input\" class=\"com." + in.packageName + ".utils.InputFieldValidator\"/>");
    out.Line("</validators>");
    return out.Str();
}

const char* const kEncodingFilter = "src/com/packageName/utils/EncodingFilter.java";
const char* const kLoginFilter = "src/com/packageName/utils/LoginFilter.java";
const char* const kAppStartup = "src/com/packageName/utils/AppStartup.java";
const char* const kInputValidator = "src/com/packageName/utils/InputFieldValidator.java";
const char* const kPickServlet = "src/com/packageName/utils/PickServlet.java";
const char* const kRowCheck = "src/com/packageName/utils/RowCheck.java";
const char* const kAppInterceptor = "src/com/packageName/utils/AppInterceptor.java";
const char* const kChoiceLimit = "src/com/packageName/utils/ChoiceLimit.java";
const char* const kDatabaseCheck = "src/com/packageName/utils/DatabaseCheck.java";
const char* const kStyleSheet = "WebRoot/static/app.css";
const char* const kScript = "WebRoot/static/app.js";
const char* const kStaticLicence = "WebRoot/static/LICENSE.txt";
const char* const kTomcatContext = "WebRoot/META-INF/context.xml";

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
        page("login.jsp", BuildLoginPage(in));
        page("main.jsp", BuildMainPage(in));
        page("message.jsp", BuildMessagePage(in.web));
        page("error.jsp", BuildErrorPage(in));
        page("changePassword.jsp", BuildChangePasswordPage(in.web));
        out.push_back({ "WebRoot/WEB-INF", "web.xml", BuildWebXml(in), TEncoding::Utf8, "生成完成!" });
        out.push_back({ "WebRoot/WEB-INF", "fault.jsp", BuildFaultPage(in.web), TEncoding::Utf8, done });
        out.push_back({ "WebRoot/WEB-INF/jspf", "frame.jspf", BuildFrame(in), TEncoding::Utf8, done });
        for (const char* file : { kStyleSheet, kScript, kStaticLicence }) {
            std::string name = std::string(file).substr(std::string(file).rfind('/') + 1);
            out.push_back({ "WebRoot/static", name, in.templates.Bytes(file), TEncoding::Bytes, "移动完毕!" });
        }
        out.push_back(
            { "WebRoot/META-INF", "context.xml", in.templates.Bytes(kTomcatContext), TEncoding::Bytes, "移动完毕!" });
        out.push_back({ in.SourceDir(), "validators.xml", BuildValidatorsXml(in), TEncoding::Utf8, "生成完成!" });
        for (const char* file : { kEncodingFilter, kLoginFilter, kAppStartup, kInputValidator, kPickServlet, kRowCheck,
                 kAppInterceptor, kChoiceLimit, kDatabaseCheck }) {
            std::string name = std::string(file).substr(std::string(file).rfind('/') + 1);
            out.push_back({ in.KindDir("utils"), name, in.SubstitutePackage(in.templates.Text(file)), TEncoding::Gbk,
                "移动完毕!" });
        }
        AddBuildFiles(in, out);
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
        return { "WebRoot", "WebRoot/WEB-INF", "WebRoot/WEB-INF/jspf", "WebRoot/WEB-INF/lib", "WebRoot/static",
            "WebRoot/META-INF", in.SourceDir(), in.KindDir("utils"), "", ".mvn" };
    }
    std::vector<TTemplateUse> TemplatesUsed() const override
    {
        return { { kEncodingFilter }, { kLoginFilter }, { kAppStartup }, { kInputValidator }, { kPickServlet },
            { kRowCheck }, { kAppInterceptor }, { kChoiceLimit }, { kDatabaseCheck }, { kStyleSheet, true },
            { kScript, true }, { kStaticLicence, true }, { kTomcatContext, true } };
    }
    int PreviewRank() const override { return 5; }
};

} // namespace

const IGenerator& WebAppGenerator()
{
    static const TWebAppGenerator generator;
    return generator;
}
