package com.$packageName.utils;

import java.io.IOException;
import java.security.MessageDigest;
import java.security.SecureRandom;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Map;
import java.util.regex.Pattern;

@@legacy@@import javax.servlet.Filter;
@@legacy@@import javax.servlet.FilterChain;
@@legacy@@import javax.servlet.FilterConfig;
@@legacy@@import javax.servlet.ServletException;
@@legacy@@import javax.servlet.ServletRequest;
@@legacy@@import javax.servlet.ServletResponse;
@@legacy@@import javax.servlet.http.HttpServletRequest;
@@legacy@@import javax.servlet.http.HttpServletRequestWrapper;
@@legacy@@import javax.servlet.http.HttpServletResponse;
@@legacy@@import javax.servlet.http.HttpSession;
@@current@@import jakarta.servlet.Filter;
@@current@@import jakarta.servlet.FilterChain;
@@current@@import jakarta.servlet.FilterConfig;
@@current@@import jakarta.servlet.ServletException;
@@current@@import jakarta.servlet.ServletRequest;
@@current@@import jakarta.servlet.ServletResponse;
@@current@@import jakarta.servlet.http.HttpServletRequest;
@@current@@import jakarta.servlet.http.HttpServletRequestWrapper;
@@current@@import jakarta.servlet.http.HttpServletResponse;
@@current@@import jakarta.servlet.http.HttpSession;

@@current@@import org.apache.struts2.config.entities.ActionConfig;
import org.apache.struts2.dispatcher.Dispatcher;
import org.apache.struts2.dispatcher.mapper.ActionMapping;

@@legacy@@import com.opensymphony.xwork2.config.entities.ActionConfig;
import com.$packageName.action.LoginAction;

/**
 * 每个来自浏览器的请求都先经过这里(web.xml 中只对 REQUEST 生效, Struts 内部的转发不受影响).
 * 它排在 StrutsPrepareFilter 之后、StrutsExecuteFilter 之前: 请求要执行哪个动作(命名空间、动作名、方法)
 * 由 Struts 自己的动作映射查出, 不从网址文字中猜测, 怎样书写路径都一样:
@@legacy@@ * 1. 拒绝文件上传(应用没有上传字段)和名称可疑的请求参数(框架内部属性、OGNL 表达式);
@@current@@ * 1. 拒绝名称可疑的请求参数(框架内部属性、OGNL 表达式), 以及有二进制成员的类的添加、修改之外的文件上传;
 * 2. 未登录时, 除登录页面、登录动作和静态文件外一律转到登录页面, 与请求路径怎样书写无关;
 * 3. 页面(.jsp)不能直接打开: 转到主页动作, 由动作准备好数据后再显示页面;
 * 4. 初始密码尚未修改时, 只能修改密码或注销;
 * 5. 除只显示数据的方法(主页、添加页面、查询、修改页面、下载、修改密码的表单)外, 动作一律只接受 POST,
 *    并且必须带有会话中的防伪令牌 _csrf(登录、注销、修改密码、添加、修改、删除都在其中);
 * 6. 每个响应都禁止被其他网站嵌入框架, 禁止浏览器猜测内容类型.
 */
public class LoginFilter implements Filter {

    /*请求参数名: 最多四级的 Java 标识符, 以点分隔*/
    private static final Pattern PARAMETER = Pattern.compile("[A-Za-z_$][A-Za-z0-9_$]{0,63}(\\.[A-Za-z_$][A-Za-z0-9_$]{0,63}){0,3}");

    /*不能由请求参数设置的属性: 动作的错误和消息、框架对象*/
    private static final Pattern INTERNAL = Pattern.compile(
            "(actionErrors|actionMessages|fieldErrors|errorMessages|errors|texts|locale|container|class|session"
            + "|request|application|parameters|servletRequest|servletResponse|struts|dojo|top|context)(\\..*)?"
            + "|.*\\.class(\\..*)?");

@@current@@    /*可以上传文件的动作: 有二进制成员的类的添加和修改*/
@@current@@    private static final java.util.Set<String> UPLOADS = new java.util.HashSet<String>(
@@current@@            java.util.Arrays.asList(new String[] { $uploadActions }));
@@current@@
    /*会话中保存防伪令牌的键, 页面中的表单以隐藏字段 _csrf 提交它*/
    public static final String SESSION_CSRF = "csrfToken";

    private static final SecureRandom RANDOM = new SecureRandom();
@@current@@
@@current@@    public void init(FilterConfig config) throws ServletException {
@@current@@    }
@@current@@
@@current@@    /*请求参数名是否都可以接受(上传文件的动作对 multipart 请求体中的参数再核对一次)*/
@@current@@    public static boolean NamesAcceptable(Enumeration<String> names) {
@@current@@        while (names.hasMoreElements()) {
@@current@@            String name = names.nextElement();
@@current@@            if (!PARAMETER.matcher(name).matches() || INTERNAL.matcher(name).matches()) {
@@current@@                return false;
@@current@@            }
@@current@@        }
@@current@@        return true;
@@current@@    }

    /*提交的防伪令牌是否就是会话中的令牌*/
    public static boolean TokenMatches(HttpSession session, String sent) {
        Object token = session == null ? null : session.getAttribute(SESSION_CSRF);
        return token instanceof String && sent != null && MessageDigest.isEqual(
                ((String) token).getBytes(java.nio.charset.StandardCharsets.UTF_8),
                sent.getBytes(java.nio.charset.StandardCharsets.UTF_8));
@@legacy@@    }
@@legacy@@
@@legacy@@    public void init(FilterConfig config) throws ServletException {
    }

    public void doFilter(ServletRequest request, ServletResponse response, FilterChain chain)
            throws IOException, ServletException {
        HttpServletRequest http = (HttpServletRequest) request;
        HttpServletResponse out = (HttpServletResponse) response;
        out.setHeader("X-Frame-Options", "DENY");
        out.setHeader("Content-Security-Policy", "frame-ancestors 'none'");
        out.setHeader("X-Content-Type-Options", "nosniff");
        out.setHeader("Referrer-Policy", "same-origin");
@@current@@        String path = http.getServletPath() + (http.getPathInfo() == null ? "" : http.getPathInfo());
        String contentType = http.getContentType();
@@legacy@@        if (contentType != null && contentType.toLowerCase().startsWith("multipart/")) {
@@current@@        boolean upload = contentType != null && contentType.toLowerCase().startsWith("multipart/");
@@current@@        if (upload && !UPLOADS.contains(path)) {
            out.sendError(HttpServletResponse.SC_UNSUPPORTED_MEDIA_TYPE);
            return;
        }
@@legacy@@        for (Enumeration<String> names = http.getParameterNames(); names.hasMoreElements();) {
@@legacy@@            String name = names.nextElement();
@@legacy@@            if (!PARAMETER.matcher(name).matches() || INTERNAL.matcher(name).matches()) {
@@legacy@@                out.sendError(HttpServletResponse.SC_BAD_REQUEST);
@@legacy@@                return;
@@legacy@@            }
@@current@@        if (!NamesAcceptable(http.getParameterNames())) {
@@current@@            out.sendError(HttpServletResponse.SC_BAD_REQUEST);
@@current@@            return;
        }
@@legacy@@        String path = http.getServletPath() + (http.getPathInfo() == null ? "" : http.getPathInfo());
        String home = http.getContextPath();
        ActionConfig action = actionOf(http);
        String method = action == null ? null : methodOf(http, action);
        if (action != null && !readsOnly(action.getClassName(), method)) {
            if (!"POST".equals(http.getMethod())) {
                out.sendError(HttpServletResponse.SC_METHOD_NOT_ALLOWED);
                return;
            }
@@legacy@@            if (!TokenMatches(http.getSession(false), http.getParameter("_csrf"))) {
@@current@@            /*上传文件的表单以 multipart 提交, 这里读不到请求体中的令牌: 由动作在处理前核对(TokenMatches)*/
@@current@@            if (!upload && !TokenMatches(http.getSession(false), http.getParameter("_csrf"))) {
                out.sendError(HttpServletResponse.SC_FORBIDDEN);
                return;
            }
        }
        /*页面中的表单要用到令牌: 登录页面开始会话, 以后每个请求都在会话中找得到它*/
        HttpSession page = path.equals("/login.jsp") || path.equals("/") ? http.getSession(true) : http.getSession(false);
        if (page != null && !path.startsWith("/static/")) {
            if (page.getAttribute(SESSION_CSRF) == null) {
                byte[] bytes = new byte[24];
                RANDOM.nextBytes(bytes);
                page.setAttribute(SESSION_CSRF, java.util.Base64.getUrlEncoder().withoutPadding().encodeToString(bytes));
            }
        }
        if (isPublic(path, action, method)) {
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
        if (session.getAttribute(LoginAction.SESSION_MUST_CHANGE) != null && !passwordOrLogout(action, method)) {
            out.sendRedirect(home + "/changePassword_input.action");
            return;
        }
        if (path.endsWith(".jsp")) {
            out.sendRedirect(home + "/user_ShowUser.action");
            return;
        }
        chain.doFilter(http.getParameter("currentPage") == null ? http : new PageNumberRequest(http), response);
    }

    /*页码参数 currentPage 为 0 或负数时按第 1 页处理, 太大时按 LAST_PAGE 处理, 不让起始行为负或溢出*/
    private static final class PageNumberRequest extends HttpServletRequestWrapper {
        private static final int LAST_PAGE = 100000000;

        private final Map<String, String[]> parameters = new HashMap<String, String[]>();

        PageNumberRequest(HttpServletRequest request) {
            super(request);
            parameters.putAll(request.getParameterMap());
            String page = request.getParameter("currentPage").trim();
            /*不是数字的页码照原样交给 Struts: 转换错误时回到列表并说明*/
            parameters.put("currentPage", new String[] { clamped(page) });
        }

        /*整数页码限制在 1 到 LAST_PAGE 之间(再大的页码乘上每页行数会超出 int)*/
        private static String clamped(String page) {
            if (!page.matches("[-+]?[0-9]+")) {
                return page;
            }
            java.math.BigInteger number = new java.math.BigInteger(page.startsWith("+") ? page.substring(1) : page);
            if (number.signum() <= 0) {
                return "1";
            }
            return number.compareTo(java.math.BigInteger.valueOf(LAST_PAGE)) > 0 ? String.valueOf(LAST_PAGE) : number.toString();
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

    /*这个请求要执行的动作: StrutsPrepareFilter 找出的动作映射, 在 Struts 的配置中查到的动作(与 Struts 执行时的查法相同);
      不是动作(页面、静态文件、pick.json)或没有这个动作(Struts 回答 404)时为 null*/
    private static ActionConfig actionOf(HttpServletRequest http) {
        Object mapping = http.getAttribute("struts.actionMapping");
        Dispatcher dispatcher = Dispatcher.getInstance();
        if (!(mapping instanceof ActionMapping) || dispatcher == null) {
            return null;
        }
        ActionMapping found = (ActionMapping) mapping;
        return dispatcher.getConfigurationManager().getConfiguration().getRuntimeConfiguration()
                .getActionConfig(found.getNamespace(), found.getName());
    }

    /*动作要调用的方法: 映射指定的, 否则配置中的(通配符已展开), 都没有时为 execute*/
    private static String methodOf(HttpServletRequest http, ActionConfig action) {
        String method = ((ActionMapping) http.getAttribute("struts.actionMapping")).getMethod();
        if (method == null || method.length() == 0) {
            method = action.getMethodName();
        }
        return method == null || method.length() == 0 ? "execute" : method;
    }

    /*只显示数据、不修改数据的方法: 主页、修改密码的表单, 各业务类的添加页面、查询、修改页面和下载.
      其余的一律算作修改数据(登录、注销、修改密码, 各业务类的添加、修改、删除, 以及将来新加的方法)*/
    private static boolean readsOnly(String className, String method) {
        String name = className.substring(className.lastIndexOf('.') + 1);
        if (name.equals("UserAction")) {
            return method.equals("ShowUser");
        }
        if (name.equals("ChangePasswordAction")) {
            return method.equals("input");
        }
        if (name.equals("LoginAction") || !name.endsWith("Action")) {
            return false;
        }
        String c = name.substring(0, name.length() - "Action".length());
        return method.equals("AddView") || method.equals("Query" + c) || method.equals("Modify" + c + "Query")
                || method.startsWith("Download" + c);
    }

    /*不登录也能访问的: 登录页面、登录动作、样式和脚本; 路径指向别的动作时不算*/
    private static boolean isPublic(String path, ActionConfig action, String method) {
        if (action != null) {
            return action.getClassName().endsWith(".LoginAction") && method.equals("CheckLogin");
        }
        return path.equals("/") || path.equals("/login.jsp") || (path.startsWith("/static/") && path.indexOf("..") < 0);
    }

    /*初始密码尚未修改时可以执行的: 修改密码和注销*/
    private static boolean passwordOrLogout(ActionConfig action, String method) {
        return action != null && (action.getClassName().endsWith(".ChangePasswordAction")
                || (action.getClassName().endsWith(".UserAction") && method.equals("Logout")));
    }

    /*会话中记录了登录管理员的用户名*/
    private static boolean signedIn(HttpSession session) {
        Object name = session == null ? null : session.getAttribute(LoginAction.SESSION_USERNAME);
        return name instanceof String && ((String) name).length() > 0;
    }

    public void destroy() {
    }
}
