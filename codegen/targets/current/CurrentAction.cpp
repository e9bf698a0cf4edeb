// An Action class on Struts 7: the shared builder's class in the words of
// org.apache.struts2, with @StrutsParameter on exactly what the pages bind
// (Struts 7 binds nothing else) and messages encoded as UTF-8.
#include "codegen/targets/current/CurrentTarget.h"

#include "codegen/targets/legacy/ActionOperate.h"
#include "codegen/targets/legacy/JavaNames.h"

namespace {

// A refusal of the files goes back to the form, as any refusal does.
std::string RefusedBy(const std::string& call)
{
    return "            String _refused = " + call +
        ";\r\n"
        "            if(null != _refused) {\r\n"
        "                ctx.put(\"error\",  java.net.URLEncoder.encode(_refused, "
        "java.nio.charset.StandardCharsets.UTF_8));\r\n"
        "                return \"error\";\r\n"
        "            }\r\n";
}

} // namespace

std::string BuildCurrentActionClass(const std::string& packageName, const TClassData& data)
{
    TActionStyle style;
    style.frameworkImports = { "import org.apache.struts2.ActionContext;",
        "import org.apache.struts2.interceptor.parameter.StrutsParameter;",
        "import org.apache.struts2.ActionSupport;" };
    // What the pages send: the query conditions, the page, the key, the
    // object's fields (and its references' keys), a set's chosen keys.
    style.boundSetter = "    @StrutsParameter";
    style.boundObject = "    @StrutsParameter(depth = 2)";
    style.boundReference = "    @StrutsParameter(depth = 1)";
    style.deprecatedEncode = false;
    if (!BinaryMembers(data).empty()) {
        // Imported, so that a field named org or jakarta does not hide them.
        for (const char* line :
            { "import org.apache.struts2.ServletActionContext;", "import org.apache.struts2.action.UploadedFilesAware;",
                "import org.apache.struts2.dispatcher.multipart.UploadedFile;",
                "import jakarta.servlet.http.HttpServletResponse;" })
            style.frameworkImports.push_back(line);
        style.frameworkImports.push_back("import com." + packageName + ".utils.HibernateUtil;");
        style.implements = " implements UploadedFilesAware";
        style.beforeAdd = RefusedBy("TakeUploads(" + ClassVariableName(data.name) + ")");
        // The object and its new files are saved in one transaction.
        style.beforeUpdate = RefusedBy("CheckUploads()");
        style.updateArguments = ", _uploads";
        style.methods = BuildUploadMethods(data);
    }
    return TActionOperate::BuildActionClass(packageName, data, style);
}
