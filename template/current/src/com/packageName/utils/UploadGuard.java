package com.$packageName.utils;

import jakarta.servlet.http.HttpServletRequest;
import jakarta.servlet.http.HttpServletResponse;

import org.apache.struts2.ActionInvocation;
import org.apache.struts2.ServletActionContext;
import org.apache.struts2.interceptor.AbstractInterceptor;

/**
 * 上传文件的请求(multipart)在 Struts 设置参数、执行动作之前先经过这里(struts.xml 中
 * 有二进制成员的类的 uploadStack): 过滤器读不到 multipart 请求体, 请求参数名和防伪令牌
 * 在这里按过滤器的规则核对, 不符时回答 400 / 403, 不设置任何参数.
 */
public class UploadGuard extends AbstractInterceptor {

    public String intercept(ActionInvocation invocation) throws Exception {
        HttpServletRequest request = ServletActionContext.getRequest();
        String contentType = request.getContentType();
        if (contentType == null || !contentType.toLowerCase().startsWith("multipart/")) {
            return invocation.invoke();
        }
        HttpServletResponse response = ServletActionContext.getResponse();
        if (!LoginFilter.NamesAcceptable(request.getParameterNames())) {
            response.sendError(HttpServletResponse.SC_BAD_REQUEST);
            return "none";
        }
        if (!LoginFilter.TokenMatches(request.getSession(false), request.getParameter("_csrf"))) {
            response.sendError(HttpServletResponse.SC_FORBIDDEN);
            return "none";
        }
        return invocation.invoke();
    }
}
