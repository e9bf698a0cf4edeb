package com.shop.utils;

import jakarta.persistence.AttributeConverter;
import jakarta.persistence.Converter;

/**
 * 页面上空着的可选文字和日期保存为 NULL; 读出时原样返回.
 * 日期以数据库中的文字读写(不经过 JVM 的时区, 小数秒和超过 24 小时的时间原样保留).
 */
@Converter
public class EmptyAsNull implements AttributeConverter<String, String> {
    public String convertToDatabaseColumn(String value) {
        return value == null || value.isEmpty() ? null : value;
    }

    public String convertToEntityAttribute(String column) {
        return column;
    }
}
