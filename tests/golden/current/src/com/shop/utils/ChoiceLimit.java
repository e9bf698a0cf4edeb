package com.shop.utils;

import java.util.regex.Pattern;

import jakarta.servlet.http.HttpServletRequest;

import org.apache.struts2.ActionContext;
import org.apache.struts2.ActionInvocation;
import org.apache.struts2.ServletActionContext;
import org.hibernate.Session;

/**
 * 添加、修改和列表页面中引用别的类的字段: 那个类的对象不超过 200 个时是下拉框, 超过时是搜索框(pick.json).
 * 由个数决定, 不为此读整张表: 这些页面的请求中, 读取某个类全部对象的 QueryAllXxxInfo 先数一数,
 * 超过 MOST 个时返回空列表, 页面按记下的个数改用搜索框.
 * 同一请求中别的代码调用 QueryAllXxxInfo 也是如此; 要读全部对象, 请另写查询.
 */
public class ChoiceLimit {

    /*下拉框最多列出的对象个数*/
    public static final int MOST = 200;

    /*列出被引用类的对象的页面所属的动作方法: 添加、修改、列表*/
    private static final Pattern VIEWS = Pattern.compile("AddView|Query\\w+|Modify\\w+|Add\\w+");

    /*请求属性: 已经数过的某个类的对象个数*/
    private static final String COUNTED = "_choiceCount.";

    /*当前请求是不是这些页面的动作*/
    public static boolean active() {
        ActionContext context = ActionContext.getContext();
        ActionInvocation invocation = context == null ? null : context.getActionInvocation();
        String method = invocation == null || invocation.getProxy() == null ? null : invocation.getProxy().getMethod();
        return method != null && VIEWS.matcher(method).matches();
    }

    /*DAO 用: 这些页面的请求中, 某个类的对象是否多得不该全部读出(个数记在请求中, 页面据此改用搜索框)*/
    public static boolean tooMany(Session s, String entity) {
        if (!active()) {
            return false;
        }
        long n = s.createQuery("select count(*) from " + entity, Long.class).uniqueResult();
        HttpServletRequest request = ServletActionContext.getRequest();
        if (request != null) {
            request.setAttribute(COUNTED + entity, n);
        }
        return n > MOST;
    }

    /*页面用: 一个类的对象个数(列表为空时才问, 同一请求只数一次)*/
    public long count(String entity) {
        if (entity == null || !entity.matches("[A-Za-z_$][A-Za-z0-9_$]*")) {
            return 0;
        }
        HttpServletRequest request = ActionContext.getContext() == null ? null : ServletActionContext.getRequest();
        Object known = request == null ? null : request.getAttribute(COUNTED + entity);
        if (known instanceof Number) {
            return ((Number) known).longValue();
        }
        try {
            long n = HibernateUtil.getSession().createQuery("select count(*) from " + entity, Long.class).uniqueResult();
            if (request != null) {
                request.setAttribute(COUNTED + entity, n);
            }
            return n;
        } finally {
            HibernateUtil.closeSession();
        }
    }
}
