// An Action class on Struts 7: the legacy target's class, whose logic is the
// same, on org.apache.struts2, with @StrutsParameter on exactly what the
// pages bind (Struts 7 binds nothing else) and messages encoded as UTF-8.
#include "CurrentTarget.h"

#include "ActionOperate.h"
#include "JavaNames.h"
#include "TextEscape.h"

#include <regex>

namespace {

// Puts the annotation line before the line that starts with the text; the
// legacy class has each accessor once.
void Annotate(std::string& text, const std::string& lineStart, const std::string& annotation)
{
    size_t at = text.find("\r\n" + lineStart);
    std::string line = annotation + "\r\n";
    bool annotated =
        at != std::string::npos && at + 2 >= line.size() && text.compare(at + 2 - line.size(), line.size(), line) == 0;
    if (at != std::string::npos && !annotated)
        text.insert(at + 2, line);
}

} // namespace

std::string BuildCurrentActionClass(const std::string& packageName, const TClassData& data)
{
    std::string text = TActionOperate::BuildActionClass(packageName, data);
    text = ReplaceAll(text, "import com.opensymphony.xwork2.ActionContext;",
        "import org.apache.struts2.ActionContext;\r\nimport org.apache.struts2.interceptor.parameter.StrutsParameter;");
    text =
        ReplaceAll(text, "import com.opensymphony.xwork2.ActionSupport;", "import org.apache.struts2.ActionSupport;");
    text = ReplaceAll(text, "    @SuppressWarnings(\"deprecation\")\r\n", "");
    static const std::regex encode(R"(java\.net\.URLEncoder\.encode\(("(?:[^"\\]|\\.)*")\))");
    text = std::regex_replace(text, encode, "java.net.URLEncoder.encode($1, java.nio.charset.StandardCharsets.UTF_8)");

    // What the pages send: the query conditions, the page, the key, the
    // object's fields (and its references' keys), a set's chosen keys.
    const std::string& C = data.name;
    Annotate(text, "    public " + C + " get" + C + "() {", "    @StrutsParameter(depth = 2)");
    for (const auto& m : data.queryMembers) {
        if (m.textLike)
            Annotate(text, "    public void set" + CapitalizedName(m.name) + "(", "    @StrutsParameter");
        else
            Annotate(text, "    public " + m.type + " get" + CapitalizedName(m.name) + "() {",
                "    @StrutsParameter(depth = 1)");
    }
    Annotate(text, "    public void setCurrentPage(", "    @StrutsParameter");
    Annotate(text, "    public void set" + CapitalizedName(data.primary.GetMemberName()) + "(", "    @StrutsParameter");
    for (const auto& m : data.collections)
        Annotate(text, "    public void set" + CapitalizedName(m.name + "Keys") + "(", "    @StrutsParameter");
    return text;
}
