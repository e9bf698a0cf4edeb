package com.shop.utils;

import java.util.regex.Matcher;
import java.util.regex.Pattern;

import org.hibernate.dialect.DatabaseVersion;
import org.hibernate.dialect.Dialect;
import org.hibernate.dialect.MariaDBDialect;
import org.hibernate.engine.jdbc.dialect.spi.DialectResolutionInfo;
import org.hibernate.engine.jdbc.dialect.spi.DialectResolver;

/**
 * SQL 方言(src/hibernate.properties 中的 hibernate.dialect_resolvers 指定本类):
 * MySQL Connector/J 连接 MariaDB 时, 服务器版本报为 "5.5.5-10.11.6-MariaDB", Hibernate 会把它当成 MySQL 5.5
 * (警告 "The 5.5.5 version for MySQLDialect is no longer supported", 还会写出 MariaDB 不认识的 "for update of").
 * 这里认出 MariaDB 和它真正的版本; 其他数据库(包括 MySQL)由 Hibernate 自己判断.
 */
public class DialectChoice implements DialectResolver {
    private static final long serialVersionUID = 1L;

    private static final Pattern MARIADB = Pattern.compile("(?:5\\.5\\.5-)?([0-9]+)\\.([0-9]+)\\.([0-9]+)-MariaDB.*");

    public Dialect resolveDialect(DialectResolutionInfo info) {
        String version = info.getDatabaseVersion();
        Matcher mariadb = version == null ? null : MARIADB.matcher(version);
        if (mariadb == null || !mariadb.matches()) {
            return null;
        }
        return new MariaDBDialect(DatabaseVersion.make(Integer.valueOf(mariadb.group(1)), Integer.valueOf(mariadb.group(2)),
                Integer.valueOf(mariadb.group(3))));
    }
}
