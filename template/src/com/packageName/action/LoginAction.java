package com.$packageName.action;

import java.security.MessageDigest;
import java.security.SecureRandom;
import java.security.spec.KeySpec;
import java.util.Base64;
import java.text.Normalizer;
import java.util.HashMap;
import java.util.Locale;
import java.util.Map;

import javax.crypto.SecretKeyFactory;
import javax.crypto.spec.PBEKeySpec;
@@legacy@@import javax.servlet.http.HttpServletRequest;
@@current@@import jakarta.servlet.http.HttpServletRequest;

import org.apache.struts2.ServletActionContext;

@@legacy@@import com.opensymphony.xwork2.ActionContext;
@@legacy@@import com.opensymphony.xwork2.ActionSupport;
@@current@@import org.apache.struts2.ActionContext;
@@current@@import org.apache.struts2.ActionSupport;
@@current@@import org.apache.struts2.interceptor.parameter.StrutsParameter;
import org.hibernate.HibernateException;
import org.hibernate.Session;
import org.hibernate.Transaction;

import com.$packageName.dao.AdminDAO;
import com.$packageName.domain.Admin;
import com.$packageName.utils.HibernateUtil;

/**
 * 系统管理员登录.
 * 请求 login_CheckLogin 调用 CheckLogin(); 表单先由
 * LoginAction-login_CheckLogin-validation.xml 校验用户名和密码不为空.
 * 登录成功后换一个新的会话编号, 会话中以 SESSION_USERNAME 为键保存管理员的用户名.
 * 密码以加盐的 PBKDF2 散列保存(见 hashPassword); 以前保存的明文密码在登录成功时改存为散列.
 * 同一账号连续 5 次登录失败后锁定 5 分钟; 每次登录成功或失败都记入服务器日志.
 * 失败次数按账号计(数据库按其排序规则找到的账号: 大小写、重音、全角半角不同的写法是同一个账号),
 * 记在数据库表 t_login_failure 中, 同一数据库上的多个应用实例共用; 每次尝试先原子地占用一次计数再核对密码,
 * 同时发来的许多请求在一个锁定期内最多核对 5 个密码. 不存在的用户名同样计数、同样锁定、同样计算一次散列,
 * 响应和耗时都不透露用户名是否存在.
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

    /*数据库中还没有表 t_login_failure 时(从数据库导入的工程尚未执行 sql/t_admin.sql), 失败次数暂记在本实例的内存中*/
    private static final Map<String, long[]> FAILURES = new HashMap<String, long[]>();

    /*用户名不存在时与之核对的散列: 与核对真实账号的密码耗时相同*/
    private static final String DUMMY_HASH = hashPassword("javagen-no-such-account");

    /*登录表单: 用户名*/
    private String username;
@@current@@    @StrutsParameter
    public void setUsername(String username) {
        this.username = username;
    }
    public String getUsername() {
        return username;
    }

    /*登录表单: 密码*/
    private String password;
@@current@@    @StrutsParameter
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
            // 启动时已查明的原因(如数据库中没有管理员表)比笼统的提示更有用
            Object problem = ServletActionContext.getServletContext().getAttribute(ADMIN_PROBLEM);
            addActionError(problem != null ? problem.toString() : "访问数据库失败, 请稍后再试!");
            return INPUT;
        }
        /*数据库已经可以访问: 启动时查明的问题不再显示*/
        ServletActionContext.getServletContext().removeAttribute(ADMIN_PROBLEM);
        String account = admin != null ? admin.getUsername() : "?" + folded(name);
        boolean allowed;
        try {
            allowed = reserveAttempt(account);
        } catch (HibernateException e) {
            e.printStackTrace();
            addActionError("访问数据库失败, 请稍后再试!");
            return INPUT;
        }
        if (!allowed) {
            passwordMatches(password, DUMMY_HASH);
            log("登录被拒绝(失败次数过多, 已锁定): " + name);
            addActionError("登录失败次数过多, 请 5 分钟后再试!");
            return INPUT;
        }
        boolean matches = passwordMatches(password, admin != null ? admin.getPassword() : DUMMY_HASH);
        if (admin == null || !matches) {
            log("登录失败: " + name);
            addActionError("用户名或密码错误!");
            return INPUT;
        }
        clearFailures(account);
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

    /*不存在的用户名的计数键: 去掉重音、全角转半角、转小写, 不同写法计在一起*/
    private static String folded(String name) {
        return Normalizer.normalize(name, Normalizer.Form.NFKD).replaceAll("\\p{M}", "").toLowerCase(Locale.ROOT);
    }

    /*为一次登录尝试占用一次计数: 未锁定时计数加一(超过锁定期的从 1 重新计)并返回 true, 已锁定时返回 false.
      一条带条件的 UPDATE 完成判断和计数, 并发的请求由数据库的行锁排队*/
    private static boolean reserveAttempt(String account) {
        long now = System.currentTimeMillis();
        for (int attempt = 0; attempt < 2; attempt++) {
            Transaction tx = null;
            try {
                Session s = HibernateUtil.getSession();
                tx = s.beginTransaction();
                int changed;
@@legacy@@                changed = s.createSQLQuery("update t_login_failure set failures = case when last_failure < :expired"
@@current@@                changed = s.createNativeMutationQuery("update t_login_failure set failures = case when last_failure < :expired"
                        + " then 1 else failures + 1 end, last_failure = :now where account = :account"
                        + " and (failures < :max or last_failure < :expired)")
@@legacy@@                        .setLong("expired", now - LOCK_MILLIS).setLong("now", now)
@@legacy@@                        .setString("account", account).setInteger("max", MAX_FAILURES).executeUpdate();
@@legacy@@                if (changed == 0 && ((Number) s.createSQLQuery("select count(*) from t_login_failure where account = :account")
@@legacy@@                        .setString("account", account).uniqueResult()).longValue() == 0) {
@@legacy@@                    changed = s.createSQLQuery("insert into t_login_failure (account, failures, last_failure)"
@@legacy@@                            + " values (:account, 1, :now)").setString("account", account).setLong("now", now)
@@current@@                        .setParameter("expired", now - LOCK_MILLIS).setParameter("now", now)
@@current@@                        .setParameter("account", account).setParameter("max", MAX_FAILURES).executeUpdate();
@@current@@                if (changed == 0 && s.createNativeQuery("select count(*) from t_login_failure where account = :account",
@@current@@                        Long.class).setParameter("account", account).getSingleResult().longValue() == 0) {
@@current@@                    changed = s.createNativeMutationQuery("insert into t_login_failure (account, failures, last_failure)"
@@current@@                            + " values (:account, 1, :now)").setParameter("account", account).setParameter("now", now)
                            .executeUpdate();
                }
                tx.commit();
                return changed == 1;
            } catch (HibernateException e) {
                if (tx != null && tx.isActive()) {
                    tx.rollback();
                }
                if (!tableMissing(e) && attempt == 0) {
                    continue; // 两个请求同时插入同一账号的第一行: 再试一次, 这次走 UPDATE
                }
                if (!tableMissing(e)) {
                    throw e;
                }
            } finally {
                HibernateUtil.closeSession();
            }
            return reserveInMemory(account, now);
        }
        return false;
    }

    /*成功登录后计数清零*/
    private static void clearFailures(String account) {
        synchronized (FAILURES) {
            FAILURES.remove(account);
        }
        Transaction tx = null;
        try {
            Session s = HibernateUtil.getSession();
            tx = s.beginTransaction();
@@legacy@@            s.createSQLQuery("update t_login_failure set failures = 0 where account = :account")
@@legacy@@                    .setString("account", account).executeUpdate();
@@current@@            s.createNativeMutationQuery("update t_login_failure set failures = 0 where account = :account")
@@current@@                    .setParameter("account", account).executeUpdate();
            tx.commit();
        } catch (HibernateException e) {
            if (tx != null && tx.isActive()) {
                tx.rollback();
            }
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*没有表 t_login_failure: 错误说明中提到了这个表*/
    private static boolean tableMissing(Throwable e) {
        for (Throwable t = e; t != null; t = t.getCause() == t ? null : t.getCause()) {
            if (String.valueOf(t.getMessage()).toLowerCase(Locale.ROOT).contains("t_login_failure")) {
                if (!missingReported) {
                    missingReported = true;
                    log("数据库中没有表 t_login_failure: 登录失败次数暂记在本实例的内存中, 多个实例之间不共享;"
                            + " 请在数据库中执行一次 sql/t_admin.sql.");
                }
                return true;
            }
        }
        return false;
    }
    private static volatile boolean missingReported;

    private static boolean reserveInMemory(String account, long now) {
        synchronized (FAILURES) {
            long[] count = FAILURES.get(account);
            if (count != null && count[0] >= MAX_FAILURES && now - count[1] < LOCK_MILLIS) {
                return false;
            }
            if (count == null || now - count[1] >= LOCK_MILLIS) {
                count = new long[] { 0, now };
            }
            FAILURES.put(account, new long[] { count[0] + 1, now });
            return true;
        }
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
