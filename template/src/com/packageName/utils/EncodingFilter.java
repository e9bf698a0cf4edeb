package com.$packageName.utils;

import java.io.IOException;

@@legacy@@import javax.servlet.Filter;
@@legacy@@import javax.servlet.FilterChain;
@@legacy@@import javax.servlet.FilterConfig;
@@legacy@@import javax.servlet.ServletException;
@@legacy@@import javax.servlet.ServletRequest;
@@legacy@@import javax.servlet.ServletResponse;
@@current@@import jakarta.servlet.Filter;
@@current@@import jakarta.servlet.FilterChain;
@@current@@import jakarta.servlet.FilterConfig;
@@current@@import jakarta.servlet.ServletException;
@@current@@import jakarta.servlet.ServletRequest;
@@current@@import jakarta.servlet.ServletResponse;

/**
 * 请求参数按 UTF-8 读取(页面都是 UTF-8 编码), 在 web.xml 中排在最前面.
 */
public class EncodingFilter implements Filter {

    public void init(FilterConfig config) throws ServletException {
    }

    public void doFilter(ServletRequest request, ServletResponse response, FilterChain chain)
            throws IOException, ServletException {
        if (request.getCharacterEncoding() == null) {
            request.setCharacterEncoding("UTF-8");
        }
        chain.doFilter(request, response);
    }

    public void destroy() {
    }
}
