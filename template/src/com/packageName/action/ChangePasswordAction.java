package com.$packageName.action;

@@legacy@@import com.opensymphony.xwork2.ActionContext;
@@legacy@@import com.opensymphony.xwork2.ActionSupport;
@@current@@import org.apache.struts2.ActionContext;
@@current@@import org.apache.struts2.ActionSupport;
@@current@@import org.apache.struts2.interceptor.parameter.StrutsParameter;
import com.$packageName.dao.AdminDAO;
import com.$packageName.domain.Admin;

/**
 * 修改当前登录管理员的密码: 请求 changePassword_ChangePassword.
 * 表单有原密码、新密码和确认密码; 出错时返回 input 并给出字段错误.
 * changePassword_input 只显示表单. 新密码以加盐散列保存(LoginAction.hashPassword).
 */
public class ChangePasswordAction extends ActionSupport {
    private static final long serialVersionUID = 1L;

    /*新密码的长度范围, 与 Admin-admin-validation.xml 一致*/
    private static final int MIN_LENGTH = 6;
    private static final int MAX_LENGTH = 20;

    /*原密码*/
    private String oldPassword;
@@current@@    @StrutsParameter
    public void setOldPassword(String oldPassword) {
        this.oldPassword = oldPassword;
    }
    public String getOldPassword() {
        return oldPassword;
    }

    /*新密码*/
    private String newPassword;
@@current@@    @StrutsParameter
    public void setNewPassword(String newPassword) {
        this.newPassword = newPassword;
    }
    public String getNewPassword() {
        return newPassword;
    }

    /*再次输入的新密码*/
    private String confirmPassword;
@@current@@    @StrutsParameter
    public void setConfirmPassword(String confirmPassword) {
        this.confirmPassword = confirmPassword;
    }
    public String getConfirmPassword() {
        return confirmPassword;
    }

    /*业务层对象*/
    AdminDAO adminDAO = new AdminDAO();

    /*检查表单并修改密码*/
    @SuppressWarnings("deprecation")
    public String ChangePassword() {
        String username = UserAction.currentUsername();
        if (username == null) {
            return LOGIN;
        }
        if (oldPassword == null || oldPassword.length() == 0) {
            addFieldError("oldPassword", "请输入原密码!");
        }
        if (newPassword == null || newPassword.length() < MIN_LENGTH || newPassword.length() > MAX_LENGTH) {
            addFieldError("newPassword", "新密码长度必须在" + MIN_LENGTH + "到" + MAX_LENGTH + "个字符之间!");
        } else if (!newPassword.equals(confirmPassword)) {
            addFieldError("confirmPassword", "两次输入的新密码不一致!");
        }
        if (hasFieldErrors()) {
            return INPUT;
        }
        ActionContext ctx = ActionContext.getContext();
        try {
            Admin admin = adminDAO.GetAdminByUsername(username);
            if (admin == null) {
                ctx.getSession().remove(LoginAction.SESSION_USERNAME);
                return LOGIN;
            }
            if (!LoginAction.passwordMatches(oldPassword, admin.getPassword())) {
                addFieldError("oldPassword", "原密码不正确!");
                return INPUT;
            }
            if (LoginAction.passwordMatches(newPassword, admin.getPassword())) {
                addFieldError("newPassword", "新密码不能与原密码相同!");
                return INPUT;
            }
            admin.setPassword(LoginAction.hashPassword(newPassword));
            adminDAO.UpdateAdmin(admin);
            ctx.getSession().remove(LoginAction.SESSION_MUST_CHANGE);
            ctx.put("message",  java.net.URLEncoder.encode("密码修改成功!"));
            return SUCCESS;
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("密码修改失败!"));
            return ERROR;
        }
    }
}
