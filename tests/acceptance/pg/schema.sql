CREATE TYPE mood AS ENUM ('Happy', 'sad', 'O''K');
CREATE TABLE category (
  category_id serial PRIMARY KEY,
  name varchar(40) NOT NULL UNIQUE,
  parent_id integer REFERENCES category(category_id)
);
COMMENT ON TABLE category IS '分类';
COMMENT ON COLUMN category.name IS '名称';
CREATE TABLE item (
  item_id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  code uuid NOT NULL DEFAULT gen_random_uuid(),
  title text NOT NULL,
  short char(4),
  qty smallint DEFAULT 0,
  amount integer,
  price numeric(10,2),
  weight real,
  ratio double precision,
  active boolean DEFAULT true,
  made date,
  at_time time(3),
  at_tz timetz,
  stamp timestamp(3),
  stamp_tz timestamptz,
  photo bytea,
  doc json,
  docb jsonb,
  feel mood,
  tags text[],
  total numeric(12,2) GENERATED ALWAYS AS (price * amount) STORED,
  category_id integer REFERENCES category(category_id)
);
COMMENT ON COLUMN item.title IS '标题';
CREATE TABLE tag (tag_id integer PRIMARY KEY, label varchar(20));
CREATE TABLE item_tag (item_id bigint NOT NULL REFERENCES item(item_id), tag_id integer NOT NULL REFERENCES tag(tag_id), PRIMARY KEY (item_id, tag_id));
CREATE TABLE line (order_no integer, line_no integer, note varchar(10), PRIMARY KEY (order_no, line_no));
CREATE VIEW item_view AS SELECT item_id, title FROM item;
CREATE FUNCTION touch() RETURNS trigger AS $$ BEGIN RETURN NEW; END $$ LANGUAGE plpgsql;
CREATE TRIGGER item_touch BEFORE INSERT OR UPDATE ON item FOR EACH ROW EXECUTE FUNCTION touch();
INSERT INTO category (name) VALUES ('图书'), ('文具');
INSERT INTO tag VALUES (1, '新'), (2, '热');
INSERT INTO item (title, short, qty, amount, price, feel, category_id) VALUES ('《Java》 & 100%', 'ab', 1, 3, 9.50, 'O''K', 1);
INSERT INTO item_tag VALUES (1, 1);
INSERT INTO line VALUES (1, 1, 'x');
