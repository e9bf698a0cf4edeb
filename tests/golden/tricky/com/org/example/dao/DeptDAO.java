package com.org.example.dao;

import java.util.ArrayList;
import java.util.List;
import java.util.List;

import org.hibernate.HibernateException;
import org.hibernate.Query;
import org.hibernate.Session;
import org.hibernate.Transaction;
import com.mysql.jdbc.Statement;
import com.org.example.utils.HibernateUtil;

import com.org.example.domain.Dept;

public class DeptDAO {

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

    /*添加图书信息*/
    public void AddDept(Dept dept) throws Exception {
        Session s = null;
        Transaction tx = null;
        try { 
            s = HibernateUtil.getSession();
            tx = s.beginTransaction(); 
            s.save(dept);
            tx.commit();
        } catch (HibernateException e) {
            if(tx != null)
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*查询Dept信息*/
    public ArrayList<Dept> QueryDeptInfo(String deptName,int currentPage) { 
        Session s = null; 
        try {
            s = HibernateUtil.getSession();
            String hql = "From Dept dept where 1=1";
            if(!deptName.equals("")) hql = hql + " and dept.deptName like :deptName";
            hql += " order by dept.deptNo";
            Query q = s.createQuery(hql);
            if(!deptName.equals("")) q.setString("deptName", "%" + deptName.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            /*计算当前显示页码的开始记录*/
            int startIndex = (currentPage-1) * this.PAGE_SIZE;
            q.setFirstResult(startIndex);
            q.setMaxResults(this.PAGE_SIZE);
            List deptList = q.list();
            return (ArrayList<Dept>) deptList;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*函数功能：查询所有的Dept记录*/
    public ArrayList<Dept> QueryAllDeptInfo() {
        Session s = null; 
        try {
            s = HibernateUtil.getSession();
            String hql = "From Dept";
            Query q = s.createQuery(hql);
            List deptList = q.list();
            return (ArrayList<Dept>) deptList;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*计算总的页数和记录数*/
    public void CalculateTotalPageAndRecordNumber(String deptName) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Dept dept where 1=1";
            if(!deptName.equals("")) hql = hql + " and dept.deptName like :deptName";
            Query q = s.createQuery("select count(*) " + hql);
            if(!deptName.equals("")) q.setString("deptName", "%" + deptName.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            recordNumber = ((Number) q.uniqueResult()).intValue();
            int mod = recordNumber % this.PAGE_SIZE;
            totalPage = recordNumber / this.PAGE_SIZE;
            if(mod != 0) totalPage++;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*根据主键获取对象*/
    public Dept GetDeptByDeptNo(String deptNo) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            Dept dept = (Dept)s.get(Dept.class, deptNo);
            return dept;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*更新Dept信息*/
    public void UpdateDept(Dept dept) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            s.update(dept);
            tx.commit();
        } catch (HibernateException e) {
            if(tx != null)
            	  tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*删除Dept信息*/
    public void DeleteDept (String deptNo) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Object dept = s.get(Dept.class, deptNo);
            s.delete(dept);
            tx.commit();
        } catch (HibernateException e) {
            if(tx != null)
            	  tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

}
