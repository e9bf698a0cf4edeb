#pragma once
#include <string>
#include <vector>

// What an Action class says in the words of its target's frameworks. The
// shared builder (TActionOperate) prints the class from the model and asks
// the style only for these; the default is the legacy target's text.
struct TActionStyle {
    // The framework's imports, after "import java.util.List;".
    std::vector<std::string> frameworkImports = { "import com.opensymphony.xwork2.ActionContext;",
        "import com.opensymphony.xwork2.ActionSupport;" };
    std::string implements; // " implements UploadedFilesAware": after "extends ActionSupport"
    // Annotation lines before what the pages bind; empty for none: a setter
    // the pages call, the getter of the class's object (its fields bound)
    // and of a query reference (its key bound).
    std::string boundSetter;
    std::string boundObject;
    std::string boundReference;
    // The add method's @SuppressWarnings("deprecation"), for
    // URLEncoder.encode without a charset.
    bool deprecatedEncode = true;
    // The file uploads: lines before the DAO's Add and Update calls, the
    // Update call's further arguments, methods at the end of the class.
    std::string beforeAdd;
    std::string beforeUpdate;
    std::string updateArguments;
    std::string methods;

    // java.net.URLEncoder.encode(<literal>), with the charset when the
    // frameworks deprecate the call without one.
    std::string Encoded(const std::string& literal) const
    {
        return "java.net.URLEncoder.encode(" + literal +
            (deprecatedEncode ? "" : ", java.nio.charset.StandardCharsets.UTF_8") + ")";
    }
};
