-- 建库: 以 MariaDB/MySQL 管理员身份执行一次, 例如:
--   mariadb -u root -p < sql/create_database.sql      (MySQL: mysql -u root -p < sql/create_database.sql)
-- 库名 shop 与 src/hibernate.cfg.xml 中连接地址里的一致; 改名时两处一起改.
-- 字符集 utf8mb4: 中文和表情符号都能保存 (latin1 的库存不了中文, 应用启动时会在日志和登录页面说明).
CREATE DATABASE IF NOT EXISTS shop CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci;
-- 建议为应用另建账号, 把密码写进 src/hibernate.cfg.xml (去掉下面两行开头的 -- 并改密码):
-- CREATE USER 'shop'@'localhost' IDENTIFIED BY '请改为密码';
-- GRANT SELECT, INSERT, UPDATE, DELETE, CREATE, ALTER, INDEX, REFERENCES ON shop.* TO 'shop'@'localhost';
-- 由程序建表的工程: 启动时按映射建表; 从数据库导入的工程: 再执行一次 sql/t_admin.sql.
