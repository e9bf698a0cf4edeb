package com.shop.dao;

import java.util.ArrayList;

import org.hibernate.Session;
import org.hibernate.Transaction;
import org.hibernate.query.Query;

import com.shop.utils.HibernateUtil;
import com.shop.domain.Admin;

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
            s.persist(admin);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*按用户名分页查询管理员信息, username 为空时不限制, 否则按包含匹配*/
    public ArrayList<Admin> QueryAdminInfo(String username, int currentPage) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            Query<Admin> q = createConditionQuery(s, "From Admin admin", username, " order by admin.username", Admin.class);
            /*计算当前显示页码的开始记录*/
            int startIndex = (Math.max(currentPage, 1) - 1) * this.PAGE_SIZE;
            q.setFirstResult(startIndex);
            q.setMaxResults(this.PAGE_SIZE);
            return new ArrayList<Admin>(q.list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*函数功能：查询所有的Admin记录*/
    public ArrayList<Admin> QueryAllAdminInfo() {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            return new ArrayList<Admin>(s.createQuery("From Admin admin order by admin.username", Admin.class).list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*计算总的页数和记录数, 条件与 QueryAdminInfo 相同*/
    public void CalculateTotalPageAndRecordNumber(String username) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            Query<Long> q = createConditionQuery(s, "select count(*) From Admin admin", username, "", Long.class);
            recordNumber = q.uniqueResult().intValue();
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
            return s.find(Admin.class, username);
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
            s.merge(admin);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
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
            Admin admin = s.find(Admin.class, username);
            if (admin != null)
                s.remove(admin);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*在 HQL 前缀后加上用户名条件(以绑定参数传值)和结尾部分, 返回创建好的查询*/
    private <T> Query<T> createConditionQuery(Session s, String head, String username, String tail, Class<T> type) {
        boolean byName = username != null && username.length() > 0;
        String hql = head + (byName ? " where admin.username like :username" : "") + tail;
        Query<T> q = s.createQuery(hql, type);
        if (byName) {
            q.setParameter("username", "%" + username.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
        }
        return q;
    }
}
