package com.shop.domain;

import jakarta.persistence.*;

/** 商品一览 */
@Entity
@Table(name = "goods_view")
@org.hibernate.annotations.DynamicInsert
@org.hibernate.annotations.DynamicUpdate
@org.hibernate.annotations.Immutable
public class GoodsView {
    /** 商品编号 (列 goods_id) */
    @Id
    @Column(name = "goods_id")
    private int goodsId;
    public int getGoodsId() {
        return goodsId;
    }
    public void setGoodsId(int goodsId) {
        this.goodsId = goodsId;
    }

    /** 品名 (列 goods_name) */
    @Column(name = "goods_name", length = 60)
    private String goodsName;
    public String getGoodsName() {
        return goodsName;
    }
    public void setGoodsName(String goodsName) {
        this.goodsName = goodsName;
    }

}
