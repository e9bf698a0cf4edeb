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

import com.shop.domain.Stock;

public class StockDAO {

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

    /*添加Stock信息*/
    public void AddStock(Stock stock) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            s.persist(stock);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*查询Stock信息*/
    public ArrayList<Stock> QueryStockInfo(String storeNo,int currentPage) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Stock stock where 1=1";
            if(!storeNo.equals("")) hql += " and stock.storeNo like :storeNo";
            hql += " order by stock.goodsNo, stock.storeNo";
            Query<Stock> q = s.createQuery(hql, Stock.class);
            if(!storeNo.equals("")) q.setParameter("storeNo", "%" + storeNo.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            /*计算当前显示页码的开始记录*/
            int startIndex = (Math.max(currentPage, 1)-1) * this.PAGE_SIZE;
            q.setFirstResult(startIndex);
            q.setMaxResults(this.PAGE_SIZE);
            return new ArrayList<Stock>(q.list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*函数功能：查询所有的Stock记录*/
    public ArrayList<Stock> QueryAllStockInfo() {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            /*添加、修改和列表页面: 对象太多时不读, 页面改用搜索框*/
            if(ChoiceLimit.tooMany(s, "Stock"))
                return new ArrayList<Stock>();
            return new ArrayList<Stock>(s.createQuery("From Stock stock order by stock.goodsNo, stock.storeNo", Stock.class).list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*计算总的页数和记录数*/
    public void CalculateTotalPageAndRecordNumber(String storeNo) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Stock stock where 1=1";
            if(!storeNo.equals("")) hql += " and stock.storeNo like :storeNo";
            Query<Long> q = s.createQuery("select count(*) " + hql, Long.class);
            if(!storeNo.equals("")) q.setParameter("storeNo", "%" + storeNo.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            recordNumber = q.uniqueResult().intValue();
            int mod = recordNumber % this.PAGE_SIZE;
            totalPage = recordNumber / this.PAGE_SIZE;
            if(mod != 0) totalPage++;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*根据主键获取对象, 不存在时返回 null*/
    public Stock GetStockByKey(Stock _key) {
        Session s = null;
        if(_key == null) return null;
        try {
            s = HibernateUtil.getSession();
            return s.find(Stock.class, _key);
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*更新Stock信息*/
    public void UpdateStock(Stock stock) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Stock _key = new Stock();
            _key.setGoodsNo(stock.getGoodsNo());
            _key.setStoreNo(stock.getStoreNo());
            Stock _found = s.find(Stock.class, _key, LockModeType.PESSIMISTIC_WRITE);
            if(_found == null)
                throw RowCheck.refused("gone", null, "该库存不存在，可能已被删除!");
            if(!RowCheck.unchanged(_found))
                throw RowCheck.refused("changed", _found, "该库存已被其他用户修改!");
            s.merge(stock);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*删除Stock信息, 主键不存在时报告*/
    public void DeleteStock(Stock _key) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Stock stock = _key == null ? null : s.find(Stock.class, _key);
            if(stock == null)
                throw new HibernateException("该Stock不存在!");
            s.remove(stock);
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
