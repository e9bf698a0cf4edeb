#pragma once
#include <string>
#include <vector>

// What the pages and web.xml say in the words of a target's servlet
// container and frameworks; the shared page builders print everything else
// from the model. The default is the legacy target's text (Servlet 3.1,
// javax, Struts 2.3).
struct TWebStyle {
    std::string jstlCore = "http://java.sun.com/jsp/jstl/core"; // taglib URIs
    std::string jstlFunctions = "http://java.sun.com/jsp/jstl/functions";
    std::string servlet = "javax.servlet."; // the request attributes of a forward and an error
    // URLDecoder.decode's charset argument, when the call without one is
    // deprecated: ", java.nio.charset.StandardCharsets.UTF_8".
    std::string decodeCharset;
    // web.xml: the opening <web-app ...> (two lines), the package of the
    // Struts filters, the session cookie's settings.
    std::vector<std::string> webApp = { "<web-app xmlns=\"http://xmlns.jcp.org/xml/ns/javaee\" "
                                        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"",
        "    xsi:schemaLocation=\"http://xmlns.jcp.org/xml/ns/javaee "
        "http://xmlns.jcp.org/xml/ns/javaee/web-app_3_1.xsd\" version=\"3.1\">" };
    std::string strutsFilters = "org.apache.struts2.dispatcher.ng.filter.";
    std::vector<std::string> sessionCookie = {
        "            <!-- Jetty 9.4: SameSite=Lax (Tomcat: META-INF/context.xml) -->",
        "            <comment>__SAME_SITE_LAX__</comment>", "            <http-only>true</http-only>"
    };

    // java.net.URLDecoder.decode(<value>[, charset])
    std::string Decoded(const std::string& value) const
    {
        return "java.net.URLDecoder.decode(" + value + decodeCharset + ")";
    }
};
