-- Korvane database, version 1. Each statement ends with ";" at the end of its line.
-- Texts: '' is refused (NULL is allowed) and lengths are counted in characters.
PRAGMA application_id = 1263687246;
PRAGMA user_version = 1;

CREATE TABLE 客户资料 (
    ID   INTEGER PRIMARY KEY AUTOINCREMENT,
    姓名 TEXT COLLATE NOCASE CHECK (姓名 <> '' AND length(姓名) <= 50),
    电话 TEXT COLLATE NOCASE CHECK (电话 <> '' AND length(电话) <= 100)
) STRICT;

CREATE TABLE 付款方式 (
    ID   INTEGER PRIMARY KEY AUTOINCREMENT,
    方式 TEXT COLLATE NOCASE CHECK (方式 <> '' AND length(方式) <= 50)
) STRICT;

CREATE TABLE 商品名称 (
    ID   INTEGER PRIMARY KEY AUTOINCREMENT,
    名称 TEXT COLLATE NOCASE CHECK (名称 <> '' AND length(名称) <= 50),
    单价 TEXT COLLATE NOCASE CHECK (单价 <> '' AND length(单价) <= 50)
) STRICT;
CREATE INDEX 商品名称_名称 ON 商品名称 (名称);

CREATE TABLE 用户登录 (
    ID     INTEGER PRIMARY KEY AUTOINCREMENT,
    用户名 TEXT COLLATE NOCASE CHECK (用户名 <> '' AND length(用户名) <= 50),
    权限   TEXT COLLATE NOCASE CHECK (权限 <> '' AND length(权限) <= 50),
    密码   TEXT COLLATE NOCASE CHECK (密码 <> '' AND length(密码) <= 50)
) STRICT;

CREATE TABLE 销售记录 (
    ID       INTEGER PRIMARY KEY AUTOINCREMENT,
    销售票号 TEXT COLLATE NOCASE CHECK (销售票号 <> '' AND length(销售票号) <= 50),
    销售时间 TEXT COLLATE NOCASE CHECK (销售时间 GLOB
             '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'),
    数量     TEXT COLLATE NOCASE CHECK (数量 <> '' AND length(数量) <= 50),
    金额     TEXT COLLATE NOCASE CHECK (金额 <> '' AND length(金额) <= 50),
    收银员   TEXT COLLATE NOCASE CHECK (收银员 <> '' AND length(收银员) <= 50),
    备注     TEXT COLLATE NOCASE CHECK (备注 <> '')
) STRICT;
CREATE INDEX 销售记录_销售时间 ON 销售记录 (销售时间);

CREATE TABLE 销售详情 (
    ID   INTEGER PRIMARY KEY AUTOINCREMENT,
    关联 INTEGER DEFAULT 0 REFERENCES 销售记录 (ID) ON UPDATE CASCADE ON DELETE CASCADE
         CHECK (关联 BETWEEN -2147483648 AND 2147483647),
    名称 TEXT COLLATE NOCASE CHECK (名称 <> '' AND length(名称) <= 50),
    数量 TEXT COLLATE NOCASE CHECK (数量 <> '' AND length(数量) <= 50),
    单价 TEXT COLLATE NOCASE CHECK (单价 <> '' AND length(单价) <= 50),
    金额 TEXT COLLATE NOCASE CHECK (金额 <> '' AND length(金额) <= 50),
    折后 TEXT COLLATE NOCASE CHECK (折后 <> '' AND length(折后) <= 50),
    备注 TEXT COLLATE NOCASE CHECK (备注 <> '')
) STRICT;
CREATE INDEX 销售详情_关联 ON 销售详情 (关联);

CREATE TABLE 配置文件 (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    店名           TEXT COLLATE NOCASE CHECK (店名 <> '' AND length(店名) <= 50),
    全局单号格式   TEXT COLLATE NOCASE CHECK (全局单号格式 <> '' AND length(全局单号格式) <= 50),
    单号格式       TEXT COLLATE NOCASE CHECK (单号格式 <> '' AND length(单号格式) <= 50),
    备注           TEXT COLLATE NOCASE CHECK (备注 <> ''),
    客户           TEXT COLLATE NOCASE CHECK (客户 <> '' AND length(客户) <= 50),
    电话           TEXT COLLATE NOCASE CHECK (电话 <> '' AND length(电话) <= 50),
    折扣           TEXT COLLATE NOCASE CHECK (折扣 <> '' AND length(折扣) <= 50),
    付款方式的选中 TEXT COLLATE NOCASE CHECK (付款方式的选中 <> '' AND length(付款方式的选中) <= 50),
    保存销售记录   TEXT COLLATE NOCASE CHECK (保存销售记录 <> '' AND length(保存销售记录) <= 50),
    显示打印完毕   TEXT COLLATE NOCASE CHECK (显示打印完毕 <> '' AND length(显示打印完毕) <= 50),
    提示再次打印   TEXT COLLATE NOCASE CHECK (提示再次打印 <> '' AND length(提示再次打印) <= 50),
    打印单价       TEXT COLLATE NOCASE CHECK (打印单价 <> '' AND length(打印单价) <= 50),
    纸张边距       TEXT COLLATE NOCASE CHECK (纸张边距 <> '' AND length(纸张边距) <= 50),
    打印偏差       TEXT COLLATE NOCASE CHECK (打印偏差 <> '' AND length(打印偏差) <= 50),
    用户登录       TEXT COLLATE NOCASE CHECK (用户登录 <> '' AND length(用户登录) <= 50),
    直接登录       TEXT COLLATE NOCASE CHECK (直接登录 <> '' AND length(直接登录) <= 50),
    logo高度       INTEGER CHECK (logo高度 BETWEEN -2147483648 AND 2147483647),
    logo宽度       INTEGER CHECK (logo宽度 BETWEEN -2147483648 AND 2147483647),
    logo偏差       INTEGER CHECK (logo偏差 BETWEEN -2147483648 AND 2147483647),
    是否打印logo   TEXT COLLATE NOCASE CHECK (是否打印logo <> '' AND length(是否打印logo) <= 50),
    logo           BLOB
) STRICT;
