package com.shop.domain;

import jakarta.persistence.*;

/** 标签 */
@Entity
@Table(name = "tag")
@org.hibernate.annotations.DynamicInsert
@org.hibernate.annotations.DynamicUpdate
public class Tag {
    /** 标签编号 (列 tag_id) */
    @Id
    @GeneratedValue(strategy = GenerationType.IDENTITY)
    @Column(name = "tag_id")
    private int tagId;
    public int getTagId() {
        return tagId;
    }
    public void setTagId(int tagId) {
        this.tagId = tagId;
    }

    /** 标签 (列 label) */
    @Column(name = "label", length = 20)
    private String label;
    public String getLabel() {
        return label;
    }
    public void setLabel(String label) {
        this.label = label;
    }

}
