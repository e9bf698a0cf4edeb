package com.$packageName.utils;

import java.io.IOException;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Map;
import java.util.regex.Pattern;

import javax.servlet.Filter;
import javax.servlet.FilterChain;
import javax.servlet.FilterConfig;
import javax.servlet.ServletException;
import javax.servlet.ServletRequest;
import javax.servlet.ServletResponse;
import javax.servlet.http.HttpServletRequest;
import javax.servlet.http.HttpServletRequestWrapper;
import javax.servlet.http.HttpServletResponse;
import javax.servlet.http.HttpSession;

import com.$packageName.action.LoginAction;

/**
 * 每个来自浏览器的请求都先经过这里(web.xml 中只对 REQUEST 生效, Struts 内部的转发不受影响):
 * 1. 拒绝文件上传(应用没有上传字段)和名称可疑的请求参数(框架内部属性、OGNL 表达式);
 * 2. 未登录时, 除登录页面、登录动作和静态文件外一律转到登录页面, 与请求路径怎样书写无关;
 * 3. 页面(.jsp)不能直接打开: 转到主页动作, 由动作准备好数据后再显示页面;
 * 4. 初始密码尚未修改时, 只能修改密码或注销.
 */
public class LoginFilter implements Filter {

    /*请求参数名: 最多四级的 Java 标识符, 以点分隔*/
    private static final Pattern PARAMETER = Pattern.compile("[A-Za-z_$][A-Za-z0-9_$]{0,63}(\\.[A-Za-z_$][A-Za-z0-9_$]{0,63}){0,3}");

    /*不能由请求参数设置的属性: 动作的错误和消息、框架对象*/
    private static final Pattern INTERNAL = Pattern.compile(
            "(actionErrors|actionMessages|fieldErrors|errorMessages|errors|texts|locale|container|class|session"
            + "|request|application|parameters|servletRequest|servletResponse|struts|dojo|top|context)(\\..*)?"
            + "|.*\\.class(\\..*)?");

    public void init(FilterConfig config) throws ServletException {
    }

    public void doFilter(ServletRequest request, ServletResponse response, FilterChain chain)
            throws IOException, ServletException {
        HttpServletRequest http = (HttpServletRequest) request;
        HttpServletResponse out = (HttpServletResponse) response;
        String contentType = http.getContentType();
        if (contentType != null && contentType.toLowerCase().startsWith("multipart/")) {
            out.sendError(HttpServletResponse.SC_UNSUPPORTED_MEDIA_TYPE);
            return;
        }
        for (Enumeration<String> names = http.getParameterNames(); names.hasMoreElements();) {
            String name = names.nextElement();
            if (!PARAMETER.matcher(name).matches() || INTERNAL.matcher(name).matches()) {
                out.sendError(HttpServletResponse.SC_BAD_REQUEST);
                return;
            }
        }
        String path = http.getServletPath() + (http.getPathInfo() == null ? "" : http.getPathInfo());
        String home = http.getContextPath();
        if (isPublic(path)) {
            chain.doFilter(request, response);
            return;
        }
        HttpSession session = http.getSession(false);
        if (!signedIn(session)) {
            if (path.equals("/pick.json")) {
                out.sendError(HttpServletResponse.SC_UNAUTHORIZED);
            } else {
                out.sendRedirect(home + "/login.jsp");
            }
            return;
        }
        if (session.getAttribute(LoginAction.SESSION_MUST_CHANGE) != null && !path.startsWith("/changePassword_")
                && !path.equals("/user_Logout.action")) {
            out.sendRedirect(home + "/changePassword_input.action");
            return;
        }
        if (path.endsWith(".jsp")) {
            out.sendRedirect(home + "/user_ShowUser.action");
            return;
        }
        chain.doFilter(http.getParameter("currentPage") == null ? http : new PageNumberRequest(http), response);
    }

    /*页码参数 currentPage 不是正整数时按第 1 页处理, 不让它成为转换错误或负的起始行*/
    private static final class PageNumberRequest extends HttpServletRequestWrapper {
        private final Map<String, String[]> parameters = new HashMap<String, String[]>();

        PageNumberRequest(HttpServletRequest request) {
            super(request);
            parameters.putAll(request.getParameterMap());
            String page = request.getParameter("currentPage").trim();
            parameters.put("currentPage", new String[] { page.matches("[0-9]{1,9}") && Integer.parseInt(page) > 0 ? page : "1" });
        }

        public String getParameter(String name) {
            String[] values = parameters.get(name);
            return values == null || values.length == 0 ? null : values[0];
        }

        public String[] getParameterValues(String name) {
            return parameters.get(name);
        }

        public Map<String, String[]> getParameterMap() {
            return java.util.Collections.unmodifiableMap(parameters);
        }
    }

    /*不登录也能访问的: 登录页面、登录动作、样式和脚本*/
    private static boolean isPublic(String path) {
        return path.equals("/") || path.equals("/login.jsp") || path.equals("/login_CheckLogin.action")
                || (path.startsWith("/static/") && path.indexOf("..") < 0);
    }

    /*会话中记录了登录管理员的用户名*/
    private static boolean signedIn(HttpSession session) {
        Object name = session == null ? null : session.getAttribute(LoginAction.SESSION_USERNAME);
        return name instanceof String && ((String) name).length() > 0;
    }

    public void destroy() {
    }
}
