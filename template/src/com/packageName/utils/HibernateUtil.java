package com.$packageName.utils;

import java.util.Properties;

import org.hibernate.HibernateException;
@@legacy@@import org.hibernate.Interceptor;
@@legacy@@import org.hibernate.InvalidMappingException;
import org.hibernate.Session;
import org.hibernate.SessionFactory;
import org.hibernate.Transaction;
import org.hibernate.cfg.Configuration;

/**
 * Hibernate 会话工具类.
 * 整个应用共用一个 SessionFactory, 在第一次需要时按类路径根目录下的
 * hibernate.cfg.xml 创建; 每个线程持有自己的 Session, 由 getSession()
 * 打开, 由 closeSession() 关闭.
 */
public class HibernateUtil {

    /*名称以此开头的 Java 系统属性会覆盖配置文件中的同名设置*/
    private static final String OVERRIDE_PREFIX = "hibernate.";
@@legacy@@
@@legacy@@    /*指定拦截器类的设置(可写在 hibernate.properties 中)*/
@@legacy@@    private static final String INTERCEPTOR = "hibernate.session_factory.interceptor";

    /*全局唯一的会话工厂, 创建失败时保持为 null, 下次调用时重新创建*/
    private static SessionFactory sessionFactory;

    /*每个线程当前使用的会话*/
    private static final ThreadLocal<Session> threadSession = new ThreadLocal<Session>();

    private HibernateUtil() {
    }

    /*返回会话工厂, 第一次调用时创建*/
    public static synchronized SessionFactory getSessionFactory() throws HibernateException {
        if (sessionFactory == null) {
            sessionFactory = buildSessionFactory();
        }
        return sessionFactory;
    }

    /*按 hibernate.cfg.xml 创建会话工厂*/
    private static SessionFactory buildSessionFactory() throws HibernateException {
        try {
            /* 每次都使用新的 Configuration: 对同一个 Configuration 再次 configure()
               会因映射重复而抛出 DuplicateMappingException, 掩盖第一次失败的真正原因 */
            Configuration cfg = new Configuration();
            cfg.configure();
            /* 以 "hibernate." 开头的系统属性覆盖配置文件中的设置, 这样测试或运维人员
               可以用 -Dhibernate.connection.url=... 等参数换数据库而不必修改文件 */
            Properties system = System.getProperties();
            for (String name : system.stringPropertyNames()) {
                if (name.startsWith(OVERRIDE_PREFIX)) {
                    cfg.setProperty(name, system.getProperty(name));
                }
            }
@@legacy@@            /* Hibernate 3.6 不读 hibernate.session_factory.interceptor(以后的版本读): 这里按它设置拦截器 */
@@legacy@@            String interceptor = cfg.getProperty(INTERCEPTOR);
@@legacy@@            if (interceptor != null && interceptor.trim().length() > 0) {
@@legacy@@                cfg.setInterceptor((Interceptor) Class.forName(interceptor.trim()).newInstance());
@@legacy@@            }
            return cfg.buildSessionFactory();
@@legacy@@        } catch (ReflectiveOperationException e) {
@@legacy@@            throw new HibernateException("创建 Hibernate 拦截器失败: " + describe(e), e);
        } catch (RuntimeException e) {
@@legacy@@            throw new HibernateException("创建 Hibernate 会话工厂失败(请检查 hibernate.cfg.xml 与映射文件): "
@@current@@            throw new HibernateException("创建 Hibernate 会话工厂失败(请检查 hibernate.cfg.xml 与领域类的注解): "
                    + describe(e), e);
        }
    }

@@legacy@@    /*异常的说明: 附上出错的映射文件和最底层的原因, 让配置错误的真正原因直接出现在消息中*/
@@current@@    /*异常的说明: 附上最底层的原因, 让配置错误的真正原因直接出现在消息中*/
    private static String describe(Throwable e) {
        StringBuilder text = new StringBuilder(e.toString());
        Throwable root = e;
        for (Throwable t = e; t != null; t = t.getCause() == t ? null : t.getCause()) {
@@legacy@@            if (t instanceof InvalidMappingException) {
@@legacy@@                text.append(" (映射文件: ").append(((InvalidMappingException) t).getPath()).append(')');
@@legacy@@            }
            root = t;
        }
        if (root != e) {
            text.append("; 原因: ").append(root.toString());
        }
        return text.toString();
    }

    /*返回当前线程的会话, 没有或已关闭时新开一个*/
    public static Session getSession() throws HibernateException {
        Session s = threadSession.get();
        if (s == null || !s.isOpen()) {
            s = getSessionFactory().openSession();
            threadSession.set(s);
        }
        return s;
    }

    /*关闭当前线程的会话; 未提交的事务先回滚(例如删除不存在的记录时抛出的异常不是 HibernateException, 不经过 DAO 的回滚)*/
    public static void closeSession() throws HibernateException {
        Session s = threadSession.get();
        threadSession.remove();
        if (s != null && s.isOpen()) {
            try {
                Transaction tx = s.getTransaction();
                if (tx != null && tx.isActive()) {
                    tx.rollback();
                }
            } finally {
                s.close();
            }
        }
    }

    /*关闭当前线程的会话和会话工厂, 释放数据库连接; 之后再调用 getSession() 会重新创建工厂*/
    public static synchronized void shutdown() throws HibernateException {
        closeSession();
        if (sessionFactory != null) {
            SessionFactory factory = sessionFactory;
            sessionFactory = null;
            factory.close();
        }
    }
@@current@@
@@current@@    /*数据库一次接受的文件字节数, 第一次用到时查询; 负数表示还没有查*/
@@current@@    private static volatile long databaseLimit = -1;
@@current@@
@@current@@    /*数据库一次接受的文件字节数: MariaDB/MySQL 的 max_allowed_packet 的一半减去语句的其余部分
@@current@@      (驱动发送的语句中文件可能占两倍的字节); 不是这两种数据库时不限*/
@@current@@    public static long DatabaseLimit() {
@@current@@        if (databaseLimit < 0) {
@@current@@            long limit = Long.MAX_VALUE;
@@current@@            try {
@@current@@                limit = HibernateUtil.getSession().doReturningWork(connection -> {
@@current@@                    try (java.sql.Statement st = connection.createStatement();
@@current@@                            java.sql.ResultSet r = st.executeQuery("select @@max_allowed_packet")) {
@@current@@                        return r.next() ? r.getLong(1) / 2 - 65536 : Long.MAX_VALUE;
@@current@@                    }
@@current@@                });
@@current@@            } catch (RuntimeException e) {
@@current@@                limit = Long.MAX_VALUE;
@@current@@            } finally {
@@current@@                HibernateUtil.closeSession();
@@current@@            }
@@current@@            databaseLimit = limit;
@@current@@        }
@@current@@        return databaseLimit;
@@current@@    }
}
