// The web application of the current target: the shared pages, forms and
// checks in the words of Jakarta EE 10 (its web style); web.xml for Servlet
// 6; the filters and servlets ported; and a build for Java 17 with the
// current frameworks.
#include "codegen/targets/current/CurrentTarget.h"

#include "codegen/targets/legacy/WebPages.h"
#include "codegen/text/TextEscape.h"

#include <set>

namespace {

const char* const kUtils[] = { "EncodingFilter.java", "LoginFilter.java", "AppStartup.java", "InputFieldValidator.java",
    "PickServlet.java", "RowCheck.java", "ChoiceLimit.java" };

std::string CurrentTemplate(const std::string& name)
{
    return "current/src/com/packageName/utils/" + name;
}

// The words of Jakarta EE 10 and Struts 7 in the shared pages and web.xml:
// the tag libraries' URIs, the request attributes of a forward and an
// error, messages decoded as UTF-8, the Servlet 6.0 namespace, the Struts 7
// filters, and SameSite=Lax as a cookie attribute (the old comment trick is
// gone).
TGenInput Styled(const TGenInput& in)
{
    TGenInput styled = in;
    TWebStyle& web = styled.web;
    web.jstlCore = "jakarta.tags.core";
    web.jstlFunctions = "jakarta.tags.functions";
    web.servlet = "jakarta.servlet.";
    web.decodeCharset = ", java.nio.charset.StandardCharsets.UTF_8";
    web.webApp = { "<web-app xmlns=\"https://jakarta.ee/xml/ns/jakartaee\" "
                   "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"",
        "    xsi:schemaLocation=\"https://jakarta.ee/xml/ns/jakartaee "
        "https://jakarta.ee/xml/ns/jakartaee/web-app_6_0.xsd\" version=\"6.0\">" };
    web.strutsFilters = "org.apache.struts2.dispatcher.filter.";
    web.sessionCookie = { "            <http-only>true</http-only>", "            <attribute>",
        "                <attribute-name>SameSite</attribute-name>",
        "                <attribute-value>Lax</attribute-value>", "            </attribute>" };
    return styled;
}

class TCurrentWebGenerator : public IGenerator {
public:
    const char* Name() const override { return "pages"; }
    bool Enabled(const TGenInput& in) const override { return in.webapp; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        TFiles legacy;
        WebAppGenerator().ProjectFiles(Styled(in), legacy);
        std::set<std::string> utils(std::begin(kUtils), std::end(kUtils));
        for (auto& file : legacy) {
            // The offline ant route names the legacy jars.
            if (file.name == "build.xml" || file.dir == "WebRoot/WEB-INF/lib" || file.name == "AppInterceptor.java")
                continue;
            if (file.dir == in.KindDir("utils") && utils.count(file.name))
                file.text = FillTemplate(in.SubstitutePackage(in.templates.Text(CurrentTemplate(file.name))),
                    { { "$uploadActions", UploadActions(in.classes) } });
            else if (file.name == "hibernate.properties")
                file.text = BuildPoolProperties(in, true);
            else if (file.name == "pom.xml")
                file.text = BuildCurrentPom(in);
            else if (file.name == "README.txt" && file.dir.empty())
                file.text = BuildCurrentReadme(in);
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
        WebAppGenerator().ClassFiles(Styled(in), c, out);
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
