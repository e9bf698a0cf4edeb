package com.$packageName.utils;

import java.nio.charset.Charset;

@@legacy@@import javax.servlet.ServletContextEvent;
@@legacy@@import javax.servlet.ServletContextListener;
@@current@@import jakarta.servlet.ServletContextEvent;
@@current@@import jakarta.servlet.ServletContextListener;

import org.hibernate.Session;
import org.hibernate.Transaction;
import org.hibernate.cfg.Configuration;

import com.$packageName.action.LoginAction;
import com.$packageName.dao.AdminDAO;
import com.$packageName.domain.Admin;

/**
 * 应用启动时(web.xml 中登记的监听器):
 * 1. JVM 的默认字符集必须能表示中文, 否则提示信息会变成 "????": 拒绝启动并说明原因;
 * 2. 还没有任何管理员时创建初始管理员 admin, 初始密码 admin123, 第一次登录后必须修改;
 * 3. 数据库有问题时(连不上、没有库或表、字符集不是 utf8mb4)在日志和登录页面上说明原因(DatabaseCheck);
 * 4. 由程序建表的工程(hibernate.hbm2ddl.auto 为 update 或 create)建好登录失败次数表 t_login_failure
 *    (从数据库导入的工程不建表: 它在 sql/t_admin.sql 中).
 */
public class AppStartup implements ServletContextListener {

    /*初始管理员的用户名和密码, 生成的 README.txt 中有说明*/
    public static final String FIRST_ADMIN = "admin";
    public static final String FIRST_PASSWORD = "admin123";

    /*应用属性: 库或表的字符集问题, 登录页面上显示*/
    public static final String CHARSET_PROBLEM = "charsetProblem";

    public void contextInitialized(ServletContextEvent event) {
        Charset charset = Charset.defaultCharset();
        if (!charset.newEncoder().canEncode("中文提示")) {
            String text = "应用启动失败: JVM 的默认字符集 " + charset.name()
                    + " 不能表示中文, 提示信息会变成问号. 请用 -Dfile.encoding=UTF-8 启动服务器(Java 18 起默认即为 UTF-8).";
            event.getServletContext().log(text);
            System.err.println(text);
            throw new IllegalStateException(text);
        }
        try {
            AdminDAO adminDAO = new AdminDAO();
            if (adminDAO.QueryAllAdminInfo().isEmpty()) {
                adminDAO.AddAdmin(new Admin(FIRST_ADMIN, LoginAction.initialPasswordHash(FIRST_PASSWORD)));
                event.getServletContext().log("已创建初始管理员 " + FIRST_ADMIN + ", 初始密码 " + FIRST_PASSWORD
                        + ", 第一次登录后必须修改密码.");
            }
        } catch (Exception e) {
            String text = "无法检查或创建初始管理员: " + DatabaseCheck.describe(e);
            event.getServletContext().setAttribute(LoginAction.ADMIN_PROBLEM, text);
            event.getServletContext().log(text + " " + e, e);
        }
        createFailureTable(event);
        String unfit = DatabaseCheck.charsetProblem();
        if (unfit != null) {
            event.getServletContext().setAttribute(CHARSET_PROBLEM, unfit);
            event.getServletContext().log(unfit);
        }
    }

    /*登录失败次数表, 与 sql/t_admin.sql 中的相同*/
    private static final String FAILURE_TABLE = "create table if not exists t_login_failure ("
            + "account varchar(200) not null primary key, failures integer not null, last_failure bigint not null)";

    private static void createFailureTable(ServletContextEvent event) {
        String auto = System.getProperty("hibernate.hbm2ddl.auto");
        if (auto == null) {
            auto = new Configuration().configure().getProperty("hibernate.hbm2ddl.auto");
        }
        if (auto == null || !(auto.equals("update") || auto.startsWith("create"))) {
            return;
        }
        Transaction tx = null;
        try {
            Session s = HibernateUtil.getSession();
            tx = s.beginTransaction();
@@legacy@@            s.createSQLQuery(FAILURE_TABLE).executeUpdate();
@@current@@            s.createNativeMutationQuery(FAILURE_TABLE).executeUpdate();
            tx.commit();
        } catch (RuntimeException e) {
            if (tx != null && tx.isActive()) {
                tx.rollback();
            }
            event.getServletContext().log("无法建立登录失败次数表 t_login_failure: " + e, e);
        } finally {
            HibernateUtil.closeSession();
        }
    }

    public void contextDestroyed(ServletContextEvent event) {
    }
}
