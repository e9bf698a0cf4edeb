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

import com.shop.domain.Category;
import com.shop.domain.Category;

public class CategoryDAO {

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

    /*添加Category信息*/
    public void AddCategory(Category category) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            s.persist(category);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*查询Category信息*/
    public ArrayList<Category> QueryCategoryInfo(String title,int currentPage) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Category category where 1=1";
            if(!title.equals("")) hql += " and category.title like :title";
            hql += " order by category.categoryId";
            Query<Category> q = s.createQuery(hql, Category.class);
            if(!title.equals("")) q.setParameter("title", "%" + title.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            /*计算当前显示页码的开始记录*/
            int startIndex = (Math.max(currentPage, 1)-1) * this.PAGE_SIZE;
            q.setFirstResult(startIndex);
            q.setMaxResults(this.PAGE_SIZE);
            return new ArrayList<Category>(q.list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*函数功能：查询所有的Category记录*/
    public ArrayList<Category> QueryAllCategoryInfo() {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            /*添加、修改和列表页面: 对象太多时不读, 页面改用搜索框*/
            if(ChoiceLimit.tooMany(s, "Category"))
                return new ArrayList<Category>();
            return new ArrayList<Category>(s.createQuery("From Category category order by category.categoryId", Category.class).list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*计算总的页数和记录数*/
    public void CalculateTotalPageAndRecordNumber(String title) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Category category where 1=1";
            if(!title.equals("")) hql += " and category.title like :title";
            Query<Long> q = s.createQuery("select count(*) " + hql, Long.class);
            if(!title.equals("")) q.setParameter("title", "%" + title.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            recordNumber = q.uniqueResult().intValue();
            int mod = recordNumber % this.PAGE_SIZE;
            totalPage = recordNumber / this.PAGE_SIZE;
            if(mod != 0) totalPage++;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*根据主键获取对象, 不存在时返回 null*/
    public Category GetCategoryByCategoryId(long categoryId) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            return s.find(Category.class, categoryId);
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*更新Category信息*/
    public void UpdateCategory(Category category) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Category _found = s.find(Category.class, category.getCategoryId(), LockModeType.PESSIMISTIC_WRITE);
            if(_found == null)
                throw RowCheck.refused("gone", null, "该分类不存在，可能已被删除!");
            if(!RowCheck.unchanged(_found))
                throw RowCheck.refused("changed", _found, "该分类已被其他用户修改!");
            s.merge(category);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*删除Category信息, 主键不存在时报告*/
    public void DeleteCategory(long categoryId) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Category category = s.find(Category.class, categoryId);
            if(category == null)
                throw new HibernateException("该Category不存在!");
            s.remove(category);
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
