// An Action class on Struts 7: the legacy target's class, whose logic is the
// same, on org.apache.struts2, with @StrutsParameter on exactly what the
// pages bind (Struts 7 binds nothing else) and messages encoded as UTF-8.
#include "CurrentTarget.h"

#include "ActionOperate.h"
#include "JavaNames.h"
#include "TextEscape.h"

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

// java.net.URLEncoder.encode("...") with the charset named: the call
// without one is deprecated and takes the platform's.
std::string EncodedAsUtf8(const std::string& text)
{
    const std::string call = "java.net.URLEncoder.encode(\"";
    std::string out;
    size_t from = 0;
    for (size_t at = text.find(call); at != std::string::npos; at = text.find(call, from)) {
        size_t end = at + call.size();
        while (end < text.size() && text[end] != '"')
            end += text[end] == '\\' ? 2 : 1;
        if (end + 1 >= text.size() || text[end + 1] != ')')
            break; // not a literal argument: left as it is
        out += text.substr(from, end + 1 - from) + ", java.nio.charset.StandardCharsets.UTF_8";
        from = end + 1;
    }
    return out + text.substr(from);
}

// A class with bytes takes the files of its add and modify forms.
std::string WithUploads(std::string text, const std::string& packageName, const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    // Imported, so that a field named org or jakarta does not hide them.
    text = ReplaceAll(text, "import org.apache.struts2.ActionSupport;\r\n",
        "import org.apache.struts2.ActionSupport;\r\nimport org.apache.struts2.ServletActionContext;\r\n"
        "import org.apache.struts2.action.UploadedFilesAware;\r\n"
        "import org.apache.struts2.dispatcher.multipart.UploadedFile;\r\n"
        "import jakarta.servlet.http.HttpServletResponse;\r\n"
        "import com." +
            packageName + ".utils.HibernateUtil;\r\n");
    text = ReplaceAll(text, "public class " + C + "Action extends ActionSupport {",
        "public class " + C + "Action extends ActionSupport implements UploadedFilesAware {");
    // A refusal of the files goes back to the form, as any refusal does.
    auto refusedBy = [](const std::string& call) {
        return "            String _refused = " + call +
            ";\r\n"
            "            if(null != _refused) {\r\n"
            "                ctx.put(\"error\",  java.net.URLEncoder.encode(_refused, "
            "java.nio.charset.StandardCharsets.UTF_8));\r\n"
            "                return \"error\";\r\n"
            "            }\r\n";
    };
    text = ReplaceAll(text, "            " + c + "DAO.Add" + C + "(" + c + ");\r\n",
        refusedBy("TakeUploads(" + c + ")") + "            " + c + "DAO.Add" + C + "(" + c + ");\r\n");
    // The object and its new files are saved in one transaction.
    text = ReplaceAll(text, "            " + c + "DAO.Update" + C + "(" + c + ");\r\n",
        refusedBy("CheckUploads()") + "            " + c + "DAO.Update" + C + "(" + c + ", _uploads);\r\n");
    size_t end = text.rfind('}');
    return text.substr(0, end) + BuildUploadMethods(data) + text.substr(end);
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
    text = EncodedAsUtf8(text);

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
    if (!BinaryMembers(data).empty())
        text = WithUploads(text, packageName, data);
    Annotate(text, "    public void set" + CapitalizedName(data.primary.GetMemberName()) + "(", "    @StrutsParameter");
    for (const auto& m : data.collections)
        Annotate(text, "    public void set" + CapitalizedName(m.name + "Keys") + "(", "    @StrutsParameter");
    return text;
}
