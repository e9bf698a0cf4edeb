package com.$packageName.action;

import java.util.Map;

@@legacy@@import com.opensymphony.xwork2.ActionContext;
@@legacy@@import com.opensymphony.xwork2.ActionSupport;
@@current@@import org.apache.struts2.ActionContext;
@@current@@import org.apache.struts2.ActionSupport;
import com.$packageName.dao.AdminDAO;
import com.$packageName.domain.Admin;

/**
 * 当前登录的管理员: user_ShowUser 显示其信息, user_Logout 注销.
 * 未登录时返回 login, 转到登录页面.
 */
public class UserAction extends ActionSupport {
    private static final long serialVersionUID = 1L;

    /*当前登录的管理员, 供页面显示*/
    private Admin admin;
    public Admin getAdmin() {
        return admin;
    }

    /*业务层对象*/
    AdminDAO adminDAO = new AdminDAO();

    /*会话中记录的登录用户名, 未登录时为 null*/
    public static String currentUsername() {
        Object value = ActionContext.getContext().getSession().get(LoginAction.SESSION_USERNAME);
        if (value instanceof String && ((String) value).length() > 0) {
            return (String) value;
        }
        return null;
    }

    /*显示当前登录的管理员*/
    @SuppressWarnings("deprecation")
    public String ShowUser() {
        String username = currentUsername();
        if (username == null) {
            return LOGIN;
        }
        try {
            admin = adminDAO.GetAdminByUsername(username);
        } catch (Exception e) {
            e.printStackTrace();
            ActionContext.getContext().put("error",  java.net.URLEncoder.encode("访问数据库失败, 请稍后再试!"));
            return ERROR;
        }
        if (admin == null) {
            /*管理员已被删除, 作注销处理*/
            ActionContext.getContext().getSession().remove(LoginAction.SESSION_USERNAME);
            return LOGIN;
        }
        ActionContext.getContext().put("admin", admin);
        return SUCCESS;
    }

    /*注销: 从会话中去掉登录信息, 并使整个会话失效*/
    public String Logout() {
        Map<String, Object> session = ActionContext.getContext().getSession();
        session.remove(LoginAction.SESSION_USERNAME);
        session.remove(LoginAction.SESSION_MUST_CHANGE);
@@legacy@@        javax.servlet.http.HttpServletRequest request = org.apache.struts2.ServletActionContext.getRequest();
@@legacy@@        javax.servlet.http.HttpSession http = request == null ? null : request.getSession(false);
@@current@@        jakarta.servlet.http.HttpServletRequest request = org.apache.struts2.ServletActionContext.getRequest();
@@current@@        jakarta.servlet.http.HttpSession http = request == null ? null : request.getSession(false);
        if (http != null) {
            http.invalidate();
        }
        return "logout";
    }
}
