package com.shop.dao;

import java.util.ArrayList;

import org.hibernate.HibernateException;
import org.hibernate.Session;
import org.hibernate.Transaction;
import org.hibernate.query.Query;
import com.shop.utils.HibernateUtil;
import com.shop.utils.ChoiceLimit;
import com.shop.utils.RowCheck;
import jakarta.persistence.LockModeType;

import com.shop.domain.Tag;

public class TagDAO {

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

    /*添加Tag信息*/
    public void AddTag(Tag tag) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            s.persist(tag);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*查询Tag信息*/
    public ArrayList<Tag> QueryTagInfo(int currentPage) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Tag tag where 1=1";
            hql += " order by tag.tagId";
            Query<Tag> q = s.createQuery(hql, Tag.class);
            /*计算当前显示页码的开始记录*/
            int startIndex = (Math.max(currentPage, 1)-1) * this.PAGE_SIZE;
            q.setFirstResult(startIndex);
            q.setMaxResults(this.PAGE_SIZE);
            return new ArrayList<Tag>(q.list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*函数功能：查询所有的Tag记录*/
    public ArrayList<Tag> QueryAllTagInfo() {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            /*添加、修改和列表页面: 对象太多时不读, 页面改用搜索框*/
            if(ChoiceLimit.tooMany(s, "Tag"))
                return new ArrayList<Tag>();
            return new ArrayList<Tag>(s.createQuery("From Tag tag order by tag.tagId", Tag.class).list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*计算总的页数和记录数*/
    public void CalculateTotalPageAndRecordNumber() {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Tag tag where 1=1";
            Query<Long> q = s.createQuery("select count(*) " + hql, Long.class);
            recordNumber = q.uniqueResult().intValue();
            int mod = recordNumber % this.PAGE_SIZE;
            totalPage = recordNumber / this.PAGE_SIZE;
            if(mod != 0) totalPage++;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*根据主键获取对象, 不存在时返回 null*/
    public Tag GetTagByTagId(int tagId) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            return s.find(Tag.class, tagId);
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*更新Tag信息*/
    public void UpdateTag(Tag tag) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Tag _found = s.find(Tag.class, tag.getTagId(), LockModeType.PESSIMISTIC_WRITE);
            if(_found == null)
                throw RowCheck.refused("gone", null, "该标签不存在，可能已被删除!");
            if(!RowCheck.unchanged(_found))
                throw RowCheck.refused("changed", _found, "该标签已被其他用户修改!");
            s.merge(tag);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*删除Tag信息, 主键不存在时报告*/
    public void DeleteTag(int tagId) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Tag tag = s.find(Tag.class, tagId);
            if(tag == null)
                throw new HibernateException("该Tag不存在!");
            s.remove(tag);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

}
