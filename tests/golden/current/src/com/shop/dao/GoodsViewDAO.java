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

import com.shop.domain.GoodsView;

public class GoodsViewDAO {

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

    /*添加GoodsView信息*/
    public void AddGoodsView(GoodsView goodsView) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            s.persist(goodsView);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*查询GoodsView信息*/
    public ArrayList<GoodsView> QueryGoodsViewInfo(String goodsName,int currentPage) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From GoodsView goodsView where 1=1";
            if(!goodsName.equals("")) hql += " and goodsView.goodsName like :goodsName";
            hql += " order by goodsView.goodsId";
            Query<GoodsView> q = s.createQuery(hql, GoodsView.class);
            if(!goodsName.equals("")) q.setParameter("goodsName", "%" + goodsName.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            /*计算当前显示页码的开始记录*/
            int startIndex = (Math.max(currentPage, 1)-1) * this.PAGE_SIZE;
            q.setFirstResult(startIndex);
            q.setMaxResults(this.PAGE_SIZE);
            return new ArrayList<GoodsView>(q.list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*函数功能：查询所有的GoodsView记录*/
    public ArrayList<GoodsView> QueryAllGoodsViewInfo() {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            /*添加、修改和列表页面: 对象太多时不读, 页面改用搜索框*/
            if(ChoiceLimit.tooMany(s, "GoodsView"))
                return new ArrayList<GoodsView>();
            return new ArrayList<GoodsView>(s.createQuery("From GoodsView goodsView order by goodsView.goodsId", GoodsView.class).list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*计算总的页数和记录数*/
    public void CalculateTotalPageAndRecordNumber(String goodsName) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From GoodsView goodsView where 1=1";
            if(!goodsName.equals("")) hql += " and goodsView.goodsName like :goodsName";
            Query<Long> q = s.createQuery("select count(*) " + hql, Long.class);
            if(!goodsName.equals("")) q.setParameter("goodsName", "%" + goodsName.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            recordNumber = q.uniqueResult().intValue();
            int mod = recordNumber % this.PAGE_SIZE;
            totalPage = recordNumber / this.PAGE_SIZE;
            if(mod != 0) totalPage++;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*根据主键获取对象, 不存在时返回 null*/
    public GoodsView GetGoodsViewByGoodsId(int goodsId) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            return s.find(GoodsView.class, goodsId);
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*更新GoodsView信息*/
    public void UpdateGoodsView(GoodsView goodsView) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            GoodsView _found = s.find(GoodsView.class, goodsView.getGoodsId(), LockModeType.PESSIMISTIC_WRITE);
            if(_found == null)
                throw RowCheck.refused("gone", null, "该商品一览不存在，可能已被删除!");
            if(!RowCheck.unchanged(_found))
                throw RowCheck.refused("changed", _found, "该商品一览已被其他用户修改!");
            s.merge(goodsView);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*删除GoodsView信息, 主键不存在时报告*/
    public void DeleteGoodsView(int goodsId) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            GoodsView goodsView = s.find(GoodsView.class, goodsId);
            if(goodsView == null)
                throw new HibernateException("该GoodsView不存在!");
            s.remove(goodsView);
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
