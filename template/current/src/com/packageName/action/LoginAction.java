package com.$packageName.action;

import java.security.MessageDigest;
import java.security.SecureRandom;
import java.security.spec.KeySpec;
import java.util.Base64;
import java.util.Map;
import java.util.concurrent.ConcurrentHashMap;

import javax.crypto.SecretKeyFactory;
import javax.crypto.spec.PBEKeySpec;
import jakarta.servlet.http.HttpServletRequest;

import org.apache.struts2.ServletActionContext;

import org.apache.struts2.ActionContext;
import org.apache.struts2.ActionSupport;
import org.apache.struts2.interceptor.parameter.StrutsParameter;
import com.$packageName.dao.AdminDAO;
import com.$packageName.domain.Admin;

/**
 * 系统管理员登录.
 * 请求 login_CheckLogin 调用 CheckLogin(); 表单先由
 * LoginAction-login_CheckLogin-validation.xml 校验用户名和密码不为空.
 * 登录成功后换一个新的会话编号, 会话中以 SESSION_USERNAME 为键保存管理员的用户名.
 * 密码以加盐的 PBKDF2 散列保存(见 hashPassword); 以前保存的明文密码在登录成功时改存为散列.
 * 同一用户名连续 5 次登录失败后锁定 5 分钟; 每次登录成功或失败都记入服务器日志.
 */
public class LoginAction extends ActionSupport {
    private static final long serialVersionUID = 1L;

    /*会话中保存当前登录管理员用户名的键*/
    public static final String SESSION_USERNAME = "username";

    /*会话中表示"必须先修改初始密码"的键, 与 LoginFilter 一致*/
    public static final String SESSION_MUST_CHANGE = "passwordMustChange";

    /*应用属性: 启动时发现的管理员表问题(AppStartup 写入), 登录失败时告诉用户*/
    public static final String ADMIN_PROBLEM = "adminProblem";

    /*散列的格式: pbkdf2$迭代次数$盐$散列值(Base64); 以 ! 开头表示初始密码, 登录后必须修改*/
    private static final String SCHEME = "pbkdf2";
    private static final String MUST_CHANGE = "!";
    private static final int ITERATIONS = 120000;

    /*连续失败多少次后锁定, 锁定多久*/
    private static final int MAX_FAILURES = 5;
    private static final long LOCK_MILLIS = 5 * 60 * 1000L;

    /*每个用户名连续失败的次数和最后一次失败的时间*/
    private static final Map<String, long[]> FAILURES = new ConcurrentHashMap<String, long[]>();

    /*登录表单: 用户名*/
    private String username;
    @StrutsParameter
    public void setUsername(String username) {
        this.username = username;
    }
    public String getUsername() {
        return username;
    }

    /*登录表单: 密码*/
    private String password;
    @StrutsParameter
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
        long[] failures = FAILURES.get(name);
        if (failures != null && failures[0] >= MAX_FAILURES && System.currentTimeMillis() - failures[1] < LOCK_MILLIS) {
            log("登录被拒绝(失败次数过多, 已锁定): " + name);
            addActionError("登录失败次数过多, 请 5 分钟后再试!");
            return INPUT;
        }
        Admin admin;
        try {
            admin = adminDAO.GetAdminByUsername(name);
        } catch (Exception e) {
            e.printStackTrace();
            // 启动时已查明的原因(如数据库中没有管理员表)比笼统的提示更有用
            Object problem = ServletActionContext.getServletContext().getAttribute(ADMIN_PROBLEM);
            addActionError(problem != null ? problem.toString() : "访问数据库失败, 请稍后再试!");
            return INPUT;
        }
        if (admin == null || !passwordMatches(password, admin.getPassword())) {
            long[] count = FAILURES.get(name);
            long now = System.currentTimeMillis();
            if (count == null || now - count[1] >= LOCK_MILLIS) {
                count = new long[] { 0, now };
            }
            FAILURES.put(name, new long[] { count[0] + 1, now });
            log("登录失败: " + name);
            addActionError("用户名或密码错误!");
            return INPUT;
        }
        FAILURES.remove(name);
        log("登录成功: " + name);
        if (!isHashed(admin.getPassword())) {
            /*以前保存的明文密码: 改存为散列*/
            try {
                admin.setPassword(hashPassword(password));
                adminDAO.UpdateAdmin(admin);
            } catch (Exception e) {
                e.printStackTrace();
            }
        }
        /*登录前的会话编号作废, 防止会话固定攻击*/
        HttpServletRequest request = ServletActionContext.getRequest();
        if (request != null) {
            request.getSession(true);
            request.changeSessionId();
        }
        Map<String, Object> session = ActionContext.getContext().getSession();
        session.put(SESSION_USERNAME, admin.getUsername());
        if (admin.getPassword() != null && admin.getPassword().startsWith(MUST_CHANGE)) {
            session.put(SESSION_MUST_CHANGE, Boolean.TRUE);
        }
        return SUCCESS;
    }

    /*写入服务器日志: 时间由容器记录, 这里加上来访地址*/
    private static void log(String text) {
        HttpServletRequest request = ServletActionContext.getRequest();
        String from = request == null ? "" : " (来自 " + request.getRemoteAddr() + ")";
        if (ServletActionContext.getServletContext() != null) {
            ServletActionContext.getServletContext().log(text + from);
        } else {
            System.out.println(text + from);
        }
    }

    /*密码的加盐散列, 保存到数据库中的就是它*/
    public static String hashPassword(String password) {
        byte[] salt = new byte[16];
        new SecureRandom().nextBytes(salt);
        return SCHEME + "$" + ITERATIONS + "$" + Base64.getEncoder().encodeToString(salt) + "$"
                + Base64.getEncoder().encodeToString(pbkdf2(password, salt, ITERATIONS));
    }

    /*初始密码的散列: 用它登录后必须先修改密码*/
    public static String initialPasswordHash(String password) {
        return MUST_CHANGE + hashPassword(password);
    }

    /*保存的是散列(而不是以前的明文密码)*/
    public static boolean isHashed(String stored) {
        return stored != null && (stored.startsWith(SCHEME + "$") || stored.startsWith(MUST_CHANGE + SCHEME + "$"));
    }

    /*输入的密码与保存的散列(或以前的明文密码)是否相符; 比较的时间与内容无关*/
    public static boolean passwordMatches(String password, String stored) {
        if (password == null || stored == null) {
            return false;
        }
        if (!isHashed(stored)) {
            return MessageDigest.isEqual(password.getBytes(java.nio.charset.StandardCharsets.UTF_8),
                    stored.getBytes(java.nio.charset.StandardCharsets.UTF_8));
        }
        String[] parts = (stored.startsWith(MUST_CHANGE) ? stored.substring(1) : stored).split("\\$");
        if (parts.length != 4) {
            return false;
        }
        try {
            int iterations = Integer.parseInt(parts[1]);
            byte[] salt = Base64.getDecoder().decode(parts[2]);
            byte[] expected = Base64.getDecoder().decode(parts[3]);
            return MessageDigest.isEqual(expected, pbkdf2(password, salt, iterations));
        } catch (RuntimeException e) {
            return false;
        }
    }

    private static byte[] pbkdf2(String password, byte[] salt, int iterations) {
        try {
            KeySpec spec = new PBEKeySpec(password.toCharArray(), salt, iterations, 256);
            return SecretKeyFactory.getInstance("PBKDF2WithHmacSHA256").generateSecret(spec).getEncoded();
        } catch (java.security.GeneralSecurityException e) {
            throw new IllegalStateException("JVM 不支持 PBKDF2WithHmacSHA256", e);
        }
    }
}
