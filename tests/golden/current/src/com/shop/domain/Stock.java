package com.shop.domain;

import jakarta.persistence.*;

/** 库存 */
@Entity
@Table(name = "stock")
@org.hibernate.annotations.DynamicInsert
@org.hibernate.annotations.DynamicUpdate
public class Stock implements java.io.Serializable {
    /** 商品 (列 goods_no) */
    @Id
    @Column(name = "goods_no")
    private int goodsNo;
    public int getGoodsNo() {
        return goodsNo;
    }
    public void setGoodsNo(int goodsNo) {
        this.goodsNo = goodsNo;
    }

    /** 仓库 (列 store_no) */
    @Id
    @Column(name = "store_no", length = 10)
    private String storeNo;
    public String getStoreNo() {
        return storeNo;
    }
    public void setStoreNo(String storeNo) {
        this.storeNo = storeNo;
    }

    /** 数量 (列 amount) */
    @Column(name = "amount")
    private int amount;
    public int getAmount() {
        return amount;
    }
    public void setAmount(int amount) {
        this.amount = amount;
    }

    /*复合主键: 主键成员都相等的两个对象是同一个对象*/
    @Override
    public boolean equals(Object _other) {
        if (this == _other)
            return true;
        if (!(_other instanceof Stock))
            return false;
        Stock _that = (Stock) _other;
        return java.util.Objects.equals(goodsNo, _that.goodsNo) && java.util.Objects.equals(storeNo, _that.storeNo);
    }
    @Override
    public int hashCode() {
        return java.util.Objects.hash(goodsNo, storeNo);
    }

}
