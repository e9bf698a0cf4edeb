package com.velmorantis.action;

import java.util.Map;

import com.opensymphony.xwork2.ActionContext;
import com.opensymphony.xwork2.ActionSupport;
import com.velmorantis.dao.AdminDAO;
import com.velmorantis.domain.Admin;

/**
 * 系统管理员登录.
 * 请求 login_CheckLogin 调用 CheckLogin(); 表单先由
 * LoginAction-login_CheckLogin-validation.xml 校验用户名和密码不为空.
 * 登录成功后会话中以 SESSION_USERNAME 为键保存管理员的用户名.
 */
public class LoginAction extends ActionSupport {
    private static final long serialVersionUID = 1L;

    /*会话中保存当前登录管理员用户名的键*/
    public static final String SESSION_USERNAME = "username";

    /*登录表单: 用户名*/
    private String username;
    public void setUsername(String username) {
        this.username = username;
    }
    public String getUsername() {
        return username;
    }

    /*登录表单: 密码*/
    private String password;
    public void setPassword(String password) {
        this.password = password;
    }
    public String getPassword() {
        return password;
    }

    /*业务层对象*/
    AdminDAO adminDAO = new AdminDAO();

    /*校验用户名和密码, 成功后记入会话*/
    public String CheckLogin() {
        String name = username == null ? "" : username.trim();
        Admin admin;
        try {
            admin = adminDAO.GetAdminByUsername(name);
        } catch (Exception e) {
            e.printStackTrace();
            addActionError("访问数据库失败, 请稍后再试!");
            return INPUT;
        }
        if (admin == null || admin.getPassword() == null || !admin.getPassword().equals(password)) {
            addActionError("用户名或密码错误!");
            return INPUT;
        }
        Map<String, Object> session = ActionContext.getContext().getSession();
        session.put(SESSION_USERNAME, admin.getUsername());
        return SUCCESS;
    }
}
