package com.$packageName.domain;
@@current@@
@@current@@import jakarta.persistence.Column;
@@current@@import jakarta.persistence.Entity;
@@current@@import jakarta.persistence.Id;
@@current@@import jakarta.persistence.Table;

/**
 * 系统管理员: 用户名是主键, 由程序指定.
 */
@@current@@@Entity
@@current@@@Table(name = "t_admin")
public class Admin {
    /*用户名*/
@@current@@    @Id
@@current@@    @Column(name = "username", length = 20)
    private String username;
    public String getUsername() {
        return username;
    }
    public void setUsername(String username) {
        this.username = username;
    }

    /*登录密码*/
@@current@@    @Column(name = "password", length = 128)
    private String password;
    public String getPassword() {
        return password;
    }
    public void setPassword(String password) {
        this.password = password;
    }

    public Admin() {
    }

    public Admin(String username, String password) {
        this.username = username;
        this.password = password;
    }

    /*调试输出时不显示密码*/
    public String toString() {
        return "Admin[username=" + username + "]";
    }
}
