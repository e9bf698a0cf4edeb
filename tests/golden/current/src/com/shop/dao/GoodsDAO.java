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
import com.shop.domain.Goods;

public class GoodsDAO {

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

    /*添加Goods信息*/
    public void AddGoods(Goods goods) throws Exception {
        // 从读出的对象复制来的photo只有第一个字节: 添加前从原来的记录读出完整内容
        Object _fromPhoto = Goods.copiedFromPhoto(goods.getPhoto());
        if (_fromPhoto != null)
            goods.setPhoto(GetGoodsPhotoBytes((Long) _fromPhoto));
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            s.persist(goods);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*查询Goods信息*/
    public ArrayList<Goods> QueryGoodsInfo(String goodsName,String state,Category category,int currentPage) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Goods goods where 1=1";
            if(!goodsName.equals("")) hql += " and goods.goodsName like :goodsName";
            if(!state.equals("")) hql += " and goods.state like :state";
            if(null != category && category.getCategoryId()!=0) hql += " and goods.category.categoryId=:category";
            hql += " order by goods.goodsId";
            Query<Goods> q = s.createQuery(hql, Goods.class);
            if(!goodsName.equals("")) q.setParameter("goodsName", "%" + goodsName.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            if(!state.equals("")) q.setParameter("state", "%" + state.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            if(null != category && category.getCategoryId()!=0) q.setParameter("category", category.getCategoryId());
            /*计算当前显示页码的开始记录*/
            int startIndex = (Math.max(currentPage, 1)-1) * this.PAGE_SIZE;
            q.setFirstResult(startIndex);
            q.setMaxResults(this.PAGE_SIZE);
            return new ArrayList<Goods>(q.list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*函数功能：查询所有的Goods记录*/
    public ArrayList<Goods> QueryAllGoodsInfo() {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            /*添加、修改和列表页面: 对象太多时不读, 页面改用搜索框*/
            if(ChoiceLimit.tooMany(s, "Goods"))
                return new ArrayList<Goods>();
            return new ArrayList<Goods>(s.createQuery("From Goods goods order by goods.goodsId", Goods.class).list());
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*计算总的页数和记录数*/
    public void CalculateTotalPageAndRecordNumber(String goodsName,String state,Category category) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            String hql = "From Goods goods where 1=1";
            if(!goodsName.equals("")) hql += " and goods.goodsName like :goodsName";
            if(!state.equals("")) hql += " and goods.state like :state";
            if(null != category && category.getCategoryId()!=0) hql += " and goods.category.categoryId=:category";
            Query<Long> q = s.createQuery("select count(*) " + hql, Long.class);
            if(!goodsName.equals("")) q.setParameter("goodsName", "%" + goodsName.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            if(!state.equals("")) q.setParameter("state", "%" + state.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%");
            if(null != category && category.getCategoryId()!=0) q.setParameter("category", category.getCategoryId());
            recordNumber = q.uniqueResult().intValue();
            int mod = recordNumber % this.PAGE_SIZE;
            totalPage = recordNumber / this.PAGE_SIZE;
            if(mod != 0) totalPage++;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*根据主键获取对象, 不存在时返回 null*/
    public Goods GetGoodsByGoodsId(long goodsId) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            return s.find(Goods.class, goodsId);
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*更新Goods信息*/
    public void UpdateGoods(Goods goods) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Goods _found = s.find(Goods.class, goods.getGoodsId(), LockModeType.PESSIMISTIC_WRITE);
            if(_found == null)
                throw RowCheck.refused("gone", null, "该商品不存在，可能已被删除!");
            if(!RowCheck.unchanged(_found))
                throw RowCheck.refused("changed", _found, "该商品已被其他用户修改!");
            s.merge(goods);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*删除Goods信息, 主键不存在时报告*/
    public void DeleteGoods(long goodsId) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Goods goods = s.find(Goods.class, goodsId);
            if(goods == null)
                throw new HibernateException("该Goods不存在!");
            s.remove(goods);
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*更新Goods信息和上传的新文件(二进制列)*/
    public void UpdateGoods(Goods goods, java.util.Map<String, byte[]> _files) throws Exception {
        Session s = null;
        Transaction tx = null;
        try {
            s = HibernateUtil.getSession();
            tx = s.beginTransaction();
            Goods _found = s.find(Goods.class, goods.getGoodsId(), LockModeType.PESSIMISTIC_WRITE);
            if(_found == null)
                throw RowCheck.refused("gone", null, "该商品不存在，可能已被删除!");
            if(!RowCheck.unchanged(_found))
                throw RowCheck.refused("changed", _found, "该商品已被其他用户修改!");
            s.merge(goods);
            if(_files.containsKey("photoUpload"))
                s.createNativeMutationQuery("update goods set photo = :v where goods_id = :k")
                    .setParameter("v", _files.get("photoUpload")).setParameter("k", goods.getGoodsId()).executeUpdate();
            tx.commit();
        } catch (RuntimeException e) {
            if(tx != null && tx.isActive())
                tx.rollback();
            throw e;
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*读取photo的内容(二进制列), 没有对象或没有内容时返回 null*/
    public byte[] GetGoodsPhotoBytes(long goodsId) {
        Session s = null;
        try {
            s = HibernateUtil.getSession();
            return s.doReturningWork(_connection -> {
                try (java.sql.PreparedStatement _st = _connection.prepareStatement("select photo from goods where goods_id = ?")) {
                    _st.setObject(1, goodsId);
                    try (java.sql.ResultSet _r = _st.executeQuery()) {
                        return _r.next() ? _r.getBytes(1) : null;
                    }
                }
            });
        } finally {
            HibernateUtil.closeSession();
        }
    }

}
