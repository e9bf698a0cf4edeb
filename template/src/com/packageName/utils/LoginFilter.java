package com.$packageName.utils;

import java.io.IOException;

import javax.servlet.Filter;
import javax.servlet.FilterChain;
import javax.servlet.FilterConfig;
import javax.servlet.ServletException;
import javax.servlet.ServletRequest;
import javax.servlet.ServletResponse;
import javax.servlet.http.HttpServletRequest;
import javax.servlet.http.HttpServletResponse;
import javax.servlet.http.HttpSession;

import com.$packageName.action.LoginAction;

/**
 * 未登录时访问各业务类的动作(它们都在以类名命名的名字空间中, 如 /Book/Book_QueryBook.action)
 * 转到登录页面; 登录、注销、修改密码和页面本身不受限制.
 */
public class LoginFilter implements Filter {

    public void init(FilterConfig config) throws ServletException {
    }

    public void doFilter(ServletRequest request, ServletResponse response, FilterChain chain)
            throws IOException, ServletException {
        HttpServletRequest http = (HttpServletRequest) request;
        String path = http.getServletPath();
        boolean business = path.indexOf('/', 1) > 0 && path.endsWith(".action");
        if (business && !signedIn(http)) {
            ((HttpServletResponse) response).sendRedirect(http.getContextPath() + "/login.jsp");
            return;
        }
        chain.doFilter(request, response);
    }

    /*会话中记录了登录管理员的用户名*/
    private static boolean signedIn(HttpServletRequest request) {
        HttpSession session = request.getSession(false);
        Object name = session == null ? null : session.getAttribute(LoginAction.SESSION_USERNAME);
        return name instanceof String && ((String) name).length() > 0;
    }

    public void destroy() {
    }
}
