package com.$packageName.utils;

@@legacy@@import java.util.regex.Matcher;
import java.util.regex.Pattern;

@@legacy@@import javax.servlet.http.HttpServletRequest;
@@current@@import jakarta.servlet.http.HttpServletRequest;

@@current@@import org.apache.struts2.ActionContext;
@@current@@import org.apache.struts2.ActionInvocation;
import org.apache.struts2.ServletActionContext;
@@legacy@@
@@legacy@@import com.opensymphony.xwork2.ActionContext;
@@legacy@@import com.opensymphony.xwork2.ActionInvocation;
@@current@@import org.hibernate.Session;

/**
 * 添加、修改和列表页面中引用别的类的字段: 那个类的对象不超过 200 个时是下拉框, 超过时是搜索框(pick.json).
@@legacy@@ * 由个数决定, 不为此读整张表: 这些页面的请求中, 读取某个类全部对象(QueryAllXxxInfo)的语句加上条件
@@legacy@@ * "表中不超过 200 行", 超过时一行也不读; 页面得到空列表时再问一次个数(select count(*)).
@@current@@ * 由个数决定, 不为此读整张表: 这些页面的请求中, 读取某个类全部对象的 QueryAllXxxInfo 先数一数,
@@current@@ * 超过 MOST 个时返回空列表, 页面按记下的个数改用搜索框.
 * 同一请求中别的代码调用 QueryAllXxxInfo 也是如此; 要读全部对象, 请另写查询.
 */
public class ChoiceLimit {

    /*下拉框最多列出的对象个数*/
    public static final int MOST = 200;

@@legacy@@    /*读整张表、没有任何条件的查询: select 列... from 表 别名*/
@@legacy@@    private static final Pattern WHOLE_TABLE = Pattern.compile("(?is)\\s*select\\s+(?!count\\s*\\().+\\sfrom\\s+(\\S+)\\s+\\w+\\s*");
@@legacy@@
@@legacy@@    private static final Pattern CONDITION = Pattern.compile("(?i)\\s(where|join|order|group|having|union|limit|for)\\s");
@@legacy@@
    /*列出被引用类的对象的页面所属的动作方法: 添加、修改、列表*/
    private static final Pattern VIEWS = Pattern.compile("AddView|Query\\w+|Modify\\w+|Add\\w+");

@@legacy@@    /*请求属性: 页面已经知道的某个类的对象个数*/
@@current@@    /*请求属性: 已经数过的某个类的对象个数*/
    private static final String COUNTED = "_choiceCount.";

    /*当前请求是不是这些页面的动作*/
    public static boolean active() {
        ActionContext context = ActionContext.getContext();
        ActionInvocation invocation = context == null ? null : context.getActionInvocation();
        String method = invocation == null || invocation.getProxy() == null ? null : invocation.getProxy().getMethod();
        return method != null && VIEWS.matcher(method).matches();
    }

@@legacy@@    /*Hibernate 准备语句时(AppInterceptor): 这些页面读整张表的语句只在表不超过 MOST 行时读出各行*/
@@legacy@@    public static String limited(String sql) {
@@legacy@@        Matcher whole = WHOLE_TABLE.matcher(sql);
@@legacy@@        if (!whole.matches() || CONDITION.matcher(sql + " ").find() || !active()) {
@@legacy@@            return sql;
@@current@@    /*DAO 用: 这些页面的请求中, 某个类的对象是否多得不该全部读出(个数记在请求中, 页面据此改用搜索框)*/
@@current@@    public static boolean tooMany(Session s, String entity) {
@@current@@        if (!active()) {
@@current@@            return false;
        }
@@legacy@@        return sql + " where (select count(*) from " + whole.group(1) + ") <= " + MOST;
@@current@@        long n = s.createQuery("select count(*) from " + entity, Long.class).uniqueResult();
@@current@@        HttpServletRequest request = ServletActionContext.getRequest();
@@current@@        if (request != null) {
@@current@@            request.setAttribute(COUNTED + entity, n);
@@current@@        }
@@current@@        return n > MOST;
    }

@@legacy@@    /*页面用: 一个类的对象个数(列表为空时才问, 同一请求只问一次)*/
@@current@@    /*页面用: 一个类的对象个数(列表为空时才问, 同一请求只数一次)*/
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
@@legacy@@            long n = ((Number) HibernateUtil.getSession().createQuery("select count(*) from " + entity).uniqueResult())
@@legacy@@                    .longValue();
@@current@@            long n = HibernateUtil.getSession().createQuery("select count(*) from " + entity, Long.class).uniqueResult();
            if (request != null) {
                request.setAttribute(COUNTED + entity, n);
            }
            return n;
        } finally {
            HibernateUtil.closeSession();
        }
    }
}
