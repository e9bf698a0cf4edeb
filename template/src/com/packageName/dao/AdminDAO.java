package com.$packageName.dao;

import java.util.ArrayList;
@@legacy@@import java.util.List;

@@legacy@@import org.hibernate.HibernateException;
@@legacy@@import org.hibernate.Query;
import org.hibernate.Session;
import org.hibernate.Transaction;
@@current@@import org.hibernate.query.Query;

import com.$packageName.utils.HibernateUtil;
import com.$packageName.domain.Admin;

/**
 * 系统管理员的数据访问.
 * 查询条件一律以命名参数绑定到 HQL 中, 不拼接到语句文本里.
 */
public class AdminDAO {

    /*每页显示记录数目*/
    private final int PAGE_SIZE = 10;

    /*保存查询后总的页数*/
    private int totalPage;
    public void setTotalPage(int totalPage) {
        this.totalPage = totalPage;
    }
    public int getTotalPage() {
        return totalPage;
    }

    /*保存查询到的总记录数*/
    private int recordNumber;
    public void setRecordNumber(int recordNumber) {
        this.recordNumber = recordNumber;
    }
    public int getRecordNumber() {
        return recordNumber;
    }

    /*添加管理员信息*/
    public void AddAdmin(Admin admin) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
@@legacy@@            s.save(admin);
@@current@@            s.persist(admin);
            tx.commit();
@@legacy@@        } catch (HibernateException e) {
@@legacy@@            if(tx != null)
@@current@@        } catch (RuntimeException e) {
@@current@@            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*按用户名分页查询管理员信息, username 为空时不限制, 否则按包含匹配*/
@@legacy@@    @SuppressWarnings("unchecked")
    public ArrayList<Admin> QueryAdminInfo(String username, int currentPage) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
@@legacy@@            Query q = createConditionQuery(s, "From Admin admin", username, " order by admin.username");
@@current@@            Query<Admin> q = createConditionQuery(s, "From Admin admin", username, " order by admin.username", Admin.class);
            /*计算当前显示页码的开始记录*/
            int startIndex = (Math.max(currentPage, 1) - 1) * this.PAGE_SIZE;
            q.setFirstResult(startIndex);
            q.setMaxResults(this.PAGE_SIZE);
@@legacy@@            List<Admin> adminList = q.list();
@@legacy@@            return new ArrayList<Admin>(adminList);
@@current@@            return new ArrayList<Admin>(q.list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*函数功能：查询所有的Admin记录*/
@@legacy@@    @SuppressWarnings("unchecked")
    public ArrayList<Admin> QueryAllAdminInfo() {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
@@legacy@@            Query q = s.createQuery("From Admin admin order by admin.username");
@@legacy@@            List<Admin> adminList = q.list();
@@legacy@@            return new ArrayList<Admin>(adminList);
@@current@@            return new ArrayList<Admin>(s.createQuery("From Admin admin order by admin.username", Admin.class).list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*计算总的页数和记录数, 条件与 QueryAdminInfo 相同*/
    public void CalculateTotalPageAndRecordNumber(String username) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
@@legacy@@            Query q = createConditionQuery(s, "select count(*) From Admin admin", username, "");
@@legacy@@            recordNumber = ((Number) q.uniqueResult()).intValue();
@@current@@            Query<Long> q = createConditionQuery(s, "select count(*) From Admin admin", username, "", Long.class);
@@current@@            recordNumber = q.uniqueResult().intValue();
            int mod = recordNumber % this.PAGE_SIZE;
            totalPage = recordNumber / this.PAGE_SIZE;
            if(mod != 0) totalPage++;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*根据主键获取对象, 不存在时返回 null*/
    public Admin GetAdminByUsername(String username) {
        if (username == null) {
            return null;
        }
        Session s = null;
        try {
            s = HibernateUtil.getSession();
@@legacy@@            Admin admin = (Admin)s.get(Admin.class, username);
@@legacy@@            return admin;
@@current@@            return s.find(Admin.class, username);
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*更新Admin信息*/
    public void UpdateAdmin(Admin admin) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
@@legacy@@            s.update(admin);
@@current@@            s.merge(admin);
            tx.commit();
@@legacy@@        } catch (HibernateException e) {
@@legacy@@            if(tx != null)
@@current@@        } catch (RuntimeException e) {
@@current@@            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*删除Admin信息, 用户名不存在时什么也不做*/
    public void DeleteAdmin(String username) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
@@legacy@@            Object admin = s.get(Admin.class, username);
@@current@@            Admin admin = s.find(Admin.class, username);
            if (admin != null)
@@legacy@@                s.delete(admin);
@@current@@                s.remove(admin);
            tx.commit();
@@legacy@@        } catch (HibernateException e) {
@@legacy@@            if(tx != null)
@@current@@        } catch (RuntimeException e) {
@@current@@            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*在 HQL 前缀后加上用户名条件(以绑定参数传值)和结尾部分, 返回创建好的查询*/
@@legacy@@    private Query createConditionQuery(Session s, String head, String username, String tail) {
@@current@@    private <T> Query<T> createConditionQuery(Session s, String head, String username, String tail, Class<T> type) {
        boolean byName = username != null && username.length() > 0;
        String hql = head + (byName ? " where admin.username like :username" : "") + tail;
@@legacy@@        Query q = s.createQuery(hql);
@@current@@        Query<T> q = s.createQuery(hql, type);
        if (byName) {
@@legacy@@            q.setString("username", "%" + username.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
@@current@@            q.setParameter("username", "%" + username.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
        }
        return q;
    }
}
