// The web application of the current target: the legacy target's pages,
// forms and checks, which hold nothing framework-specific but the names
// Jakarta EE renamed; web.xml for Servlet 6; the filters and servlets
// ported; and a build for Java 17 with the current frameworks.
#include "CurrentTarget.h"

#include "TextEscape.h"
#include "WebPages.h"

#include <set>

namespace {

const char* const kUtils[] = { "EncodingFilter.java", "LoginFilter.java", "AppStartup.java", "InputFieldValidator.java",
    "PickServlet.java", "RowCheck.java", "ChoiceLimit.java" };

std::string CurrentTemplate(const std::string& name)
{
    return "current/src/com/packageName/utils/" + name;
}

// A page with the names Jakarta EE 10 gives: the tag libraries' URIs, the
// request attributes of a forward and an error; the Actions' messages are
// encoded as UTF-8.
std::string JakartaPage(std::string text)
{
    text = ReplaceAll(text, "uri=\"http://java.sun.com/jsp/jstl/core\"", "uri=\"jakarta.tags.core\"");
    text = ReplaceAll(text, "uri=\"http://java.sun.com/jsp/jstl/functions\"", "uri=\"jakarta.tags.functions\"");
    text = ReplaceAll(text, "'javax.servlet.", "'jakarta.servlet.");
    for (const char* value : { "request.getAttribute(\"error\").toString()", "text.toString()" })
        text = ReplaceAll(text, std::string("java.net.URLDecoder.decode(") + value + ")",
            std::string("java.net.URLDecoder.decode(") + value + ", java.nio.charset.StandardCharsets.UTF_8)");
    return text;
}

// web.xml for Servlet 6.0: the Jakarta namespace, the Struts 7 filter, and
// SameSite=Lax as a cookie attribute (the old comment trick is gone).
std::string JakartaWebXml(std::string text)
{
    text = ReplaceAll(text,
        "<web-app xmlns=\"http://xmlns.jcp.org/xml/ns/javaee\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\r\n"
        "    xsi:schemaLocation=\"http://xmlns.jcp.org/xml/ns/javaee "
        "http://xmlns.jcp.org/xml/ns/javaee/web-app_3_1.xsd\" version=\"3.1\">",
        "<web-app xmlns=\"https://jakarta.ee/xml/ns/jakartaee\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\r\n"
        "    xsi:schemaLocation=\"https://jakarta.ee/xml/ns/jakartaee "
        "https://jakarta.ee/xml/ns/jakartaee/web-app_6_0.xsd\" version=\"6.0\">");
    text = ReplaceAll(text, "org.apache.struts2.dispatcher.ng.filter.", "org.apache.struts2.dispatcher.filter.");
    text = ReplaceAll(text,
        "            <!-- Jetty 9.4: SameSite=Lax (Tomcat: META-INF/context.xml) -->\r\n"
        "            <comment>__SAME_SITE_LAX__</comment>\r\n"
        "            <http-only>true</http-only>\r\n",
        "            <http-only>true</http-only>\r\n"
        "            <attribute>\r\n"
        "                <attribute-name>SameSite</attribute-name>\r\n"
        "                <attribute-value>Lax</attribute-value>\r\n"
        "            </attribute>\r\n");
    return text;
}

class TCurrentWebGenerator : public IGenerator {
public:
    const char* Name() const override { return "pages"; }
    bool Enabled(const TGenInput& in) const override { return in.webapp; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        TFiles legacy;
        WebAppGenerator().ProjectFiles(in, legacy);
        std::set<std::string> utils(std::begin(kUtils), std::end(kUtils));
        for (auto& file : legacy) {
            // The offline ant route names the legacy jars.
            if (file.name == "build.xml" || file.dir == "WebRoot/WEB-INF/lib" || file.name == "AppInterceptor.java")
                continue;
            if (file.dir == in.KindDir("utils") && utils.count(file.name))
                file.text = ReplaceAll(in.SubstitutePackage(in.templates.Text(CurrentTemplate(file.name))),
                    "$uploadActions", UploadActions(in.classes));
            else if (file.name == "web.xml")
                file.text = JakartaWebXml(file.text);
            else if (file.name == "hibernate.properties")
                file.text = BuildPoolProperties(in, true);
            else if (file.name == "pom.xml")
                file.text = BuildCurrentPom(in);
            else if (file.name == "README.txt" && file.dir.empty())
                file.text = BuildCurrentReadme(in);
            else if (file.encoding == TEncoding::Utf8)
                file.text = JakartaPage(file.text);
            out.push_back(std::move(file));
        }
        // MariaDB told from MySQL behind MySQL Connector/J (src/hibernate.properties).
        out.push_back({ in.KindDir("utils"), "DialectChoice.java",
            in.SubstitutePackage(in.templates.Text(CurrentTemplate("DialectChoice.java"))), TEncoding::Gbk,
            "移动完毕!" });
        // An upload form is checked before Struts sets its fields.
        if (!UploadActions(in.classes).empty())
            out.push_back({ in.KindDir("utils"), "UploadGuard.java",
                in.SubstitutePackage(in.templates.Text(CurrentTemplate("UploadGuard.java"))), TEncoding::Gbk,
                "移动完毕!" });
    }
    void ClassFiles(const TGenInput& in, const TClassData& c, TFiles& out) const override
    {
        TFiles legacy;
        WebAppGenerator().ClassFiles(in, c, legacy);
        for (auto& file : legacy) {
            file.text = JakartaPage(file.text);
            out.push_back(std::move(file));
        }
    }
    std::vector<std::string> ClassFileNames(const std::string& className) const override
    {
        return WebAppGenerator().ClassFileNames(className);
    }
    std::vector<std::string> Directories(const TGenInput& in) const override
    {
        std::vector<std::string> dirs;
        for (const auto& dir : WebAppGenerator().Directories(in))
            if (dir != "WebRoot/WEB-INF/lib")
                dirs.push_back(dir);
        return dirs;
    }
    std::vector<TTemplateUse> TemplatesUsed() const override
    {
        std::vector<TTemplateUse> uses = WebAppGenerator().TemplatesUsed();
        for (const char* name : kUtils)
            uses.push_back({ CurrentTemplate(name) });
        uses.push_back({ CurrentTemplate("UploadGuard.java") });
        uses.push_back({ CurrentTemplate("DialectChoice.java") });
        return uses;
    }
    int PreviewRank() const override { return 5; }
};

} // namespace

const IGenerator& CurrentWebGenerator()
{
    static const TCurrentWebGenerator generator;
    return generator;
}
