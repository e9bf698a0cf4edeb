package com.shop.domain;

import jakarta.persistence.*;

/** 商品 */
@Entity
@Table(name = "goods")
@org.hibernate.annotations.DynamicInsert
@org.hibernate.annotations.DynamicUpdate
public class Goods {
    /** 商品编号 (列 goods_id) */
    @Id
    @GeneratedValue(strategy = GenerationType.IDENTITY)
    @Column(name = "goods_id")
    private long goodsId;
    public long getGoodsId() {
        return goodsId;
    }
    public void setGoodsId(long goodsId) {
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

    /** 价格 (列 price) */
    @Column(name = "price", precision = 10, scale = 2)
    private java.math.BigDecimal price;
    public java.math.BigDecimal getPrice() {
        return price;
    }
    public void setPrice(java.math.BigDecimal price) {
        this.price = price;
    }

    /** 状态 (列 state) */
    @Column(name = "state", length = 10)
    private String state;
    public String getState() {
        return state;
    }
    public void setState(String state) {
        this.state = state;
    }

    /** 标记 (列 flags) */
    @Convert(converter = com.shop.utils.EmptyAsNull.class)
    @Column(name = "flags", length = 40)
    private String flags;
    public String getFlags() {
        return flags;
    }
    public void setFlags(String flags) {
        this.flags = flags;
    }

    /** 图片 (列 photo) */
    // 读取对象时只取第一个字节(判断有无内容); 完整内容由 GoodsDAO.GetGoodsPhotoBytes 读取
    @Lob
    @Column(name = "photo", length = 16777215, updatable = false)
    @org.hibernate.annotations.ColumnTransformer(read = "substring(photo, 1, 1)")
    private byte[] photo;
    public byte[] getPhoto() {
        return photo;
    }
    public void setPhoto(byte[] photo) {
        this.photo = photo;
    }

    /** 分类 (列 category_id) */
    @ManyToOne(fetch = FetchType.EAGER)
    @JoinColumn(name = "category_id")
    private Category category;
    public Category getCategory() {
        return category;
    }
    public void setCategory(Category category) {
        this.category = category;
    }

    /** 修改时间 (列 updated_at) */
    @Convert(converter = com.shop.utils.EmptyAsNull.class)
    @Column(name = "updated_at", length = 10, insertable = false, updatable = false)
    private String updatedAt;
    public String getUpdatedAt() {
        return updatedAt;
    }
    public void setUpdatedAt(String updatedAt) {
        this.updatedAt = updatedAt;
    }

    /** 标签 (联系表 goods_tag) */
    @ManyToMany(fetch = FetchType.EAGER)
    @JoinTable(name = "goods_tag", joinColumns = @JoinColumn(name = "goods_id"),
        inverseJoinColumns = @JoinColumn(name = "tag_id"))
    private java.util.Set<Tag> tags = new java.util.HashSet<Tag>();
    public java.util.Set<Tag> getTags() {
        return tags;
    }
    public void setTags(java.util.Set<Tag> tags) {
        this.tags = tags;
    }

    /** 添加时空着的可选文字和日期不写入, 数据库给它默认值(没有默认值时为 NULL) */
    @PrePersist
    void emptyAsDefault() {
        if (flags != null && flags.isEmpty())
            flags = null;
    }
    /** 读出的对象的文件内容只有第一个字节(见上): 记下它们来自哪个对象, 复制后添加时由 DAO 换成完整内容 */
    private static final java.util.Map<byte[], Object> loadedStandIns =
        java.util.Collections.synchronizedMap(new java.util.WeakHashMap<byte[], Object>());

    @PostLoad
    void rememberStandIns() {
        if (photo != null)
            loadedStandIns.put(photo, goodsId);
    }

    /** bytes 是读出的某个对象的photo时, 那个对象的键; 否则 null */
    public static Object copiedFromPhoto(byte[] bytes) {
        return bytes == null ? null : loadedStandIns.get(bytes);
    }

}
