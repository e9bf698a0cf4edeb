package com.shop.utils;

import jakarta.servlet.http.HttpServletRequest;
import jakarta.servlet.http.HttpServletResponse;

import org.apache.struts2.ActionInvocation;
import org.apache.struts2.ServletActionContext;
import org.apache.struts2.dispatcher.multipart.MultiPartRequestWrapper;
import org.apache.struts2.inject.Inject;
import org.apache.struts2.interceptor.AbstractInterceptor;
import org.apache.struts2.interceptor.ValidationAware;

/**
 * 上传文件的请求(multipart)在 Struts 设置参数、执行动作之前先经过这里(struts.xml 中
 * 有二进制成员的类的 uploadStack): 过滤器读不到 multipart 请求体, 请求参数名和防伪令牌
 * 在这里按过滤器的规则核对, 不符时回答 400 / 403, 不设置任何参数.
 */
public class UploadGuard extends AbstractInterceptor {

    /*一个上传请求最多的字节数(struts.xml 的 struts.multipart.maxSize), 提示用*/
    private String requestLimit = "";

    @Inject(value = "struts.multipart.maxSize", required = false)
    public void setRequestLimit(String requestLimit) {
        this.requestLimit = requestLimit;
    }

    /*最多读掉多少没读完的请求体*/
    private static final long DRAIN_LIMIT = 64L * 1024 * 1024;

    /*把没读完的请求体读掉(最多 DRAIN_LIMIT 字节): 否则容器会断开连接, 浏览器看不到回答*/
    private static void drain(HttpServletRequest request) {
        try {
            java.io.InputStream in = request.getInputStream();
            byte[] buffer = new byte[65536];
            long total = 0;
            for (int n = in.read(buffer); n > 0 && total < DRAIN_LIMIT; n = in.read(buffer)) {
                total += n;
            }
        } catch (java.io.IOException | IllegalStateException e) {
            /*读不了就算了: 容器自己处理*/
        }
    }

    public String intercept(ActionInvocation invocation) throws Exception {
        HttpServletRequest request = ServletActionContext.getRequest();
        String contentType = request.getContentType();
        if (contentType == null || !contentType.toLowerCase().startsWith("multipart/")) {
            return invocation.invoke();
        }
        HttpServletResponse response = ServletActionContext.getResponse();
        /*请求体超过上限(struts.xml 的 struts.multipart.maxSize)时 Struts 读不出任何参数: 回到表单说明, 什么也不做*/
        if (request instanceof MultiPartRequestWrapper && ((MultiPartRequestWrapper) request).hasErrors()
                && invocation.getAction() instanceof ValidationAware) {
            ((ValidationAware) invocation.getAction()).addActionError("文件太大: 整个表单最多 " + requestLimit + " 字节, 请选择较小的文件!");
            drain(request);
            return "input";
        }
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
