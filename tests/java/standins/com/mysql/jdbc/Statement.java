/*
 * Compile-only stand-in for the MySQL Connector/J interface of the same name,
 * which the generated DAO classes import without using. It never runs.
 */
package com.mysql.jdbc;

public interface Statement extends java.sql.Statement {
}
