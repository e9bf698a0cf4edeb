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
import com.org.example.domain.Dept;
import com.org.example.domain.Person;

public class PersonDAO {

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
    public void AddPerson(Person person) throws Exception {
        Session s = null;
        Transaction tx = null;
        try { 
            s = HibernateUtil.getSession();
            tx = s.beginTransaction(); 
            s.save(person);
            tx.commit();
        } catch (HibernateException e) {
            if(tx != null)
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*查询Person信息*/
    public ArrayList<Person> QueryPersonInfo(String personName,Dept workDept,int currentPage) { 
        Session s = null; 
        try {
            s = HibernateUtil.getSession();
            String hql = "From Person person where 1=1";
            if(!personName.equals("")) hql = hql + " and person.personName like :personName";
            if(null != workDept && !workDept.getDeptNo().equals("")) hql += " and person.workDept.deptNo=:workDept";
            hql += " order by person.personId";
            Query q = s.createQuery(hql);
            if(!personName.equals("")) q.setString("personName", "%" + personName.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            if(null != workDept && !workDept.getDeptNo().equals("")) q.setString("workDept", workDept.getDeptNo());
            /*计算当前显示页码的开始记录*/
            int startIndex = (currentPage-1) * this.PAGE_SIZE;
            q.setFirstResult(startIndex);
            q.setMaxResults(this.PAGE_SIZE);
            List personList = q.list();
            return (ArrayList<Person>) personList;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*函数功能：查询所有的Person记录*/
    public ArrayList<Person> QueryAllPersonInfo() {
        Session s = null; 
        try {
            s = HibernateUtil.getSession();
            String hql = "From Person";
            Query q = s.createQuery(hql);
            List personList = q.list();
            return (ArrayList<Person>) personList;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*计算总的页数和记录数*/
    public void CalculateTotalPageAndRecordNumber(String personName,Dept workDept) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Person person where 1=1";
            if(!personName.equals("")) hql = hql + " and person.personName like :personName";
            if(null != workDept && !workDept.getDeptNo().equals("")) hql += " and person.workDept.deptNo=:workDept";
            Query q = s.createQuery("select count(*) " + hql);
            if(!personName.equals("")) q.setString("personName", "%" + personName.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            if(null != workDept && !workDept.getDeptNo().equals("")) q.setString("workDept", workDept.getDeptNo());
            recordNumber = ((Number) q.uniqueResult()).intValue();
            int mod = recordNumber % this.PAGE_SIZE;
            totalPage = recordNumber / this.PAGE_SIZE;
            if(mod != 0) totalPage++;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*根据主键获取对象*/
    public Person GetPersonByPersonId(int personId) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            Person person = (Person)s.get(Person.class, personId);
            return person;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*更新Person信息*/
    public void UpdatePerson(Person person) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            s.update(person);
            tx.commit();
        } catch (HibernateException e) {
            if(tx != null)
            	  tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*删除Person信息*/
    public void DeletePerson (int personId) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Object person = s.get(Person.class, personId);
            s.delete(person);
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
