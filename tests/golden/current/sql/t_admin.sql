-- 管理员表 t_admin: 登录时读取. 从数据库导入的工程使用已有的数据库, 程序不建表.
-- 请在应用使用的数据库中执行一次, 例如:
--   mysql -h 主机 -u 用户名 -p 数据库名 < sql/t_admin.sql
-- 然后启动应用: 还没有管理员时创建初始管理员 admin, 密码 admin123, 第一次登录后必须修改.
-- 数据库: jdbc:mysql://127.0.0.1:3306/shop?useUnicode=true&characterEncoding=UTF-8
CREATE TABLE IF NOT EXISTS t_admin (
  username VARCHAR(20) NOT NULL PRIMARY KEY COMMENT '用户名',
  password VARCHAR(128) NOT NULL COMMENT '密码的加盐散列'
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COMMENT='管理员';
-- 登录失败次数: 按账号计, 同一数据库上的多个应用实例共用.
CREATE TABLE IF NOT EXISTS t_login_failure (
  account VARCHAR(200) NOT NULL PRIMARY KEY COMMENT '账号',
  failures INTEGER NOT NULL COMMENT '连续失败次数',
  last_failure BIGINT NOT NULL COMMENT '最后一次尝试的时间(毫秒)'
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COMMENT='登录失败次数';
