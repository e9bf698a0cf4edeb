package javagen.acceptance;

import java.math.BigDecimal;
import java.sql.Connection;
import java.sql.ResultSet;
import java.sql.ResultSetMetaData;
import java.sql.Statement;
import java.util.HashSet;
import java.util.List;
import java.util.Set;

import com.shop.dao.AdminDAO;
import com.shop.dao.CategoryDAO;
import com.shop.dao.GoodsDAO;
import com.shop.dao.GoodsTagDAO;
import com.shop.dao.GoodsViewDAO;
import com.shop.dao.MemoDAO;
import com.shop.dao.SupplierDAO;
import com.shop.domain.Admin;
import com.shop.domain.Category;
import com.shop.domain.Goods;
import com.shop.domain.GoodsTag;
import com.shop.domain.Memo;
import com.shop.domain.Supplier;
import com.shop.utils.HibernateUtil;

import org.hibernate.Transaction;

/**
 * Drives the DAO classes generated from the imported shop schema against
 * the very tables FillShop filled (chosen by the -Dhibernate.* properties):
 * pages, searches by each query member, finds by key, updates one member
 * (no other column and no other table's row changes), adds with a generated
 * and with an assigned key, deletes; every value must read back exactly.
 * Prints a line per failed check and "N passed, M failed"; exits 1 on a
 * failure.
 */
public final class DatabaseFirst {

    private int passed;
    private int failed;

    private void check(boolean ok, String what) {
        if (ok) {
            passed++;
        } else {
            failed++;
            System.out.println("FAILED: " + what);
        }
    }

    /** A row (or a whole table) as text, read through JDBC. */
    private static String rows(String sql) throws Exception {
        StringBuilder out = new StringBuilder();
        try (Connection c = FillShop.connect(); Statement s = c.createStatement(); ResultSet r = s.executeQuery(sql)) {
            ResultSetMetaData meta = r.getMetaData();
            while (r.next()) {
                for (int i = 1; i <= meta.getColumnCount(); i++) {
                    out.append(meta.getColumnName(i).toLowerCase()).append('=').append(r.getString(i)).append(';');
                }
                out.append('\n');
            }
        }
        return out.toString();
    }

    /** Hibernate 3 tells wasRolledBack(), Hibernate 7 getStatus(). */
    private static boolean rolledBack(Transaction t) {
        try {
            return (Boolean) t.getClass().getMethod("wasRolledBack").invoke(t);
        } catch (NoSuchMethodException e) {
            try {
                return String.valueOf(t.getClass().getMethod("getStatus").invoke(t)).equals("ROLLED_BACK");
            } catch (ReflectiveOperationException f) {
                return false;
            }
        } catch (ReflectiveOperationException e) {
            return false;
        }
    }

    private Goods byName(GoodsDAO dao, String name) {
        List<Goods> found = dao.QueryGoodsInfo(name, "", 1);
        for (Goods g : found) {
            if (g.getGoodsName().equals(name)) {
                return g;
            }
        }
        return null;
    }

    private void run() throws Exception {
        GoodsDAO goodsDAO = new GoodsDAO();
        // On a database of its own Hibernate makes the tables first (the
        // first session does), and they are filled then.
        if (Boolean.getBoolean("javagen.fill")) {
            goodsDAO.QueryAllGoodsInfo();
            FillShop.main(new String[0]);
        }
        goodsDAO.CalculateTotalPageAndRecordNumber("", "");
        check(goodsDAO.getRecordNumber() == 25, "25 goods counted: " + goodsDAO.getRecordNumber());
        check(goodsDAO.getTotalPage() == 3, "3 pages");
        Set<Integer> seen = new HashSet<Integer>();
        int listed = 0;
        for (int page = 1; page <= 3; page++) {
            List<Goods> rows = goodsDAO.QueryGoodsInfo("", "", page);
            check(rows.size() == (page < 3 ? 10 : 5), "page " + page + " holds " + rows.size());
            for (Goods g : rows) {
                seen.add(g.getGoodsId());
                listed++;
            }
        }
        check(seen.size() == 25 && listed == 25, "the pages hold every goods once");

        goodsDAO.CalculateTotalPageAndRecordNumber("铅笔", "");
        check(goodsDAO.getRecordNumber() == 9, "9 pencils found by name");
        goodsDAO.CalculateTotalPageAndRecordNumber("", "第1");
        check(goodsDAO.getRecordNumber() == 10, "10 goods found by description: " + goodsDAO.getRecordNumber());
        if (!Boolean.getBoolean("javagen.fill")) {
            GoodsViewDAO viewDAO = new GoodsViewDAO();
            viewDAO.CalculateTotalPageAndRecordNumber("");
            check(viewDAO.getRecordNumber() == 25, "the view's rows counted: " + viewDAO.getRecordNumber());
        }
        CategoryDAO categoryDAO = new CategoryDAO();
        categoryDAO.CalculateTotalPageAndRecordNumber("文具");
        check(categoryDAO.getRecordNumber() == 1, "a category found by its name");
        SupplierDAO supplierDAO = new SupplierDAO();
        supplierDAO.CalculateTotalPageAndRecordNumber("乙");
        check(supplierDAO.getRecordNumber() == 1, "a supplier found by its name");

        Goods bare = byName(goodsDAO, "苹果1");
        check(bare != null, "the goods with NULLs is found");
        check(bare != null && bare.getStock() == null && bare.getPrice() == null && bare.getViewCount() == null
            && bare.getSupplier() == null && bare.getDescription() == null, "NULLs read back as null");
        check(bare != null && bare.getCategory() != null && "水果".equals(bare.getCategory().getCategoryName()),
            "the required reference is loaded");
        // What the modify page posts for that row: "" for its NULL text and
        // date. An unchanged save leaves the row as it was.
        String bareRow = rows("select * from goods where goods_id = " + bare.getGoodsId());
        Goods posted = new Goods();
        posted.setGoodsId(bare.getGoodsId());
        posted.setGoodsName(bare.getGoodsName());
        posted.setCategory(bare.getCategory());
        posted.setListedAt(bare.getListedAt());
        posted.setDescription("");
        posted.setExpires("");
        posted.setStatus(bare.getStatus());
        posted.setCreatedAt(bare.getCreatedAt());
        goodsDAO.UpdateGoods(posted);
        check(bareRow.equals(rows("select * from goods where goods_id = " + bare.getGoodsId())),
            "an unchanged save keeps NULLs:\n" + bareRow + rows("select * from goods where goods_id = "
                + bare.getGoodsId()));

        Goods big = byName(goodsDAO, "大苹果");
        check(big != null, "the goods with large values is found");
        Goods found = big == null ? null : goodsDAO.GetGoodsByGoodsId(big.getGoodsId());
        check(found != null && found.getViewCount() == 5000000000L, "a BIGINT above 2^31 reads back");
        check(found != null && found.getPrice().compareTo(new BigDecimal("1234567.89")) == 0,
            "a DECIMAL reads back to the cent: " + (found == null ? null : found.getPrice()));
        check(found != null && FillShop.longText().equals(found.getDescription()), "the long text reads back");
        check(found != null && "2024-01-02 03:04:05".equals(found.getListedAt()),
            "the DATETIME reads back as its text: " + (found == null ? null : found.getListedAt()));
        check(found != null && found.getSupplier() != null && "甲供应商".equals(found.getSupplier().getSupplierName()),
            "the optional reference is loaded");

        // One member changed: nothing else in the row, nothing in other tables.
        String where = " where goods_id = " + found.getGoodsId();
        String before = rows("select * from goods" + where);
        String others = rows("select * from category order by category_id")
            + rows("select * from supplier order by supplier_id");
        found.setStock(42);
        goodsDAO.UpdateGoods(found);
        String after = rows("select * from goods" + where);
        check(after.contains("stock=42;"), "the update is stored");
        // updated_at is the database's (ON UPDATE CURRENT_TIMESTAMP).
        check(before.replaceAll("(stock|updated_at)=[^;]*;", "").equals(after.replaceAll("(stock|updated_at)=[^;]*;", "")),
            "no other column of the row changed:\n" + before + after);
        check(others.equals(rows("select * from category order by category_id")
                + rows("select * from supplier order by supplier_id")),
            "no row of another table was written");

        Goods added = new Goods();
        added.setGoodsName("新商品");
        added.setCategory(categoryDAO.GetCategoryByCategoryId(2));
        added.setListedAt("2025-06-07 08:09:10");
        added.setPrice(new BigDecimal("0.01"));
        added.setDescription("");
        added.setExpires("");
        goodsDAO.AddGoods(added);
        check(added.getGoodsId() != 0, "the database assigns the new goods' key");
        check(rows("select description, expires from goods where goods_id = " + added.getGoodsId())
            .equals("description=null;expires=null;\n"), "empty optional text and date are stored as NULL");
        if (System.getProperty("hibernate.connection.url", "").startsWith("jdbc:mysql:")) {
            check(rows("select status, created_at is not null as c, updated_at is not null as u from goods"
                + " where goods_id = " + added.getGoodsId()).equals("status=1;c=1;u=1;\n"),
                "columns left empty get the database's defaults");
        }
        // The current target's DAO leaves an empty optional text or date out
        // of the INSERT (the legacy one does so in the web application).
        if ("current".equals(System.getProperty("javagen.target"))) {
            MemoDAO memoDAO = new MemoDAO();
            Memo empty = new Memo();
            empty.setTitle("空着");
            empty.setNote("");
            empty.setShelfDate("");
            memoDAO.AddMemo(empty);
            check(rows("select note, shelf_date from memo where memo_id = " + empty.getMemoId())
                .equals("note=;shelf_date=2000-01-01;\n"), "empty nullable columns with a default get the default: "
                + rows("select note, shelf_date from memo where memo_id = " + empty.getMemoId()));
            Memo typed = new Memo();
            typed.setTitle("填写");
            typed.setNote("写了");
            typed.setShelfDate("2024-05-06");
            memoDAO.AddMemo(typed);
            check(rows("select note, shelf_date from memo where memo_id = " + typed.getMemoId())
                .equals("note=写了;shelf_date=2024-05-06;\n"), "typed values win over the defaults");
        }
        Goods back = goodsDAO.GetGoodsByGoodsId(added.getGoodsId());
        check(back != null && back.getSupplier() == null && back.getStock() == null
            && back.getPrice().compareTo(new BigDecimal("0.01")) == 0, "the added goods reads back");

        Category kind = new Category();
        kind.setCategoryId(100);
        kind.setCategoryName("玩具");
        categoryDAO.AddCategory(kind);
        check("玩具".equals(categoryDAO.GetCategoryByCategoryId(100).getCategoryName()),
            "a category is added with the key the program assigns");

        // A table referring to itself: the parent category is a reference.
        Category apple = categoryDAO.GetCategoryByCategoryId(4);
        check(apple != null && apple.getParent() != null && "水果".equals(apple.getParent().getCategoryName()),
            "a category's parent reads back");
        check(categoryDAO.GetCategoryByCategoryId(1).getParent() == null, "a category without a parent has none");
        Category fuji = new Category();
        fuji.setCategoryId(101);
        fuji.setCategoryName("富士");
        fuji.setParent(apple);
        categoryDAO.AddCategory(fuji);
        check(rows("select parent_id from category where category_id = 101").equals("parent_id=4;\n"),
            "a category is added under its parent: " + rows("select parent_id from category where category_id = 101"));
        categoryDAO.DeleteCategory(101);
        Supplier supplier = new Supplier();
        supplier.setSupplierName("丙供应商");
        supplierDAO.AddSupplier(supplier);
        check(supplier.getSupplierId() > 0, "the database assigns a BIGINT key");
        // A link table's pairs: the supplier's categories, stored and read back.
        java.util.Set<Category> sold = new java.util.HashSet<Category>();
        sold.add(categoryDAO.GetCategoryByCategoryId(1));
        sold.add(categoryDAO.GetCategoryByCategoryId(2));
        supplier.setCategorySet(sold);
        supplierDAO.UpdateSupplier(supplier);
        Supplier reread = supplierDAO.GetSupplierBySupplierId(supplier.getSupplierId());
        check(reread != null && reread.getCategorySet().size() == 2, "the many-to-many pairs are stored");
        reread.getCategorySet().clear();
        supplierDAO.UpdateSupplier(reread);
        check(supplierDAO.GetSupplierBySupplierId(supplier.getSupplierId()).getCategorySet().isEmpty(),
            "the many-to-many pairs are removed");
        supplier.setCategorySet(sold);
        supplierDAO.UpdateSupplier(supplier);

        goodsDAO.DeleteGoods(added.getGoodsId());
        check(goodsDAO.GetGoodsByGoodsId(added.getGoodsId()) == null, "the goods is deleted");
        categoryDAO.DeleteCategory(100);
        supplierDAO.DeleteSupplier(supplier.getSupplierId());
        check(categoryDAO.GetCategoryByCategoryId(100) == null && supplierDAO.GetSupplierBySupplierId(
            supplier.getSupplierId()) == null, "the category and the supplier are deleted");
        goodsDAO.CalculateTotalPageAndRecordNumber("", "");
        check(goodsDAO.getRecordNumber() == 25, "25 goods again");

        // A delete of a missing key fails, and no transaction is left open.
        boolean refused = false;
        try {
            goodsDAO.DeleteGoods(999999);
        } catch (Exception e) {
            refused = true;
        }
        check(refused, "deleting a missing goods fails");
        Transaction open = HibernateUtil.getSession().beginTransaction();
        HibernateUtil.closeSession();
        check(rolledBack(open), "closing the session rolls back what was not committed");

        // A composite key: rows found, changed and deleted by both key columns.
        GoodsTagDAO tagDAO = new GoodsTagDAO();
        tagDAO.AddGoodsTag(tag(1, "新品", 3));
        tagDAO.AddGoodsTag(tag(1, "热卖", null));
        tagDAO.AddGoodsTag(tag(2, "新品", 1));
        GoodsTag newTag = tagDAO.GetGoodsTagByKey(tag(1, "新品", null));
        check(newTag != null && newTag.getWeight() == 3, "a row of a composite key is found by its key");
        check(tagDAO.GetGoodsTagByKey(tag(3, "新品", null)) == null && tagDAO.GetGoodsTagByKey(null) == null,
            "a key of no row finds none");
        newTag.setWeight(5);
        tagDAO.UpdateGoodsTag(newTag);
        check(rows("select goods_id, weight from goods_tag where tag = '新品' order by goods_id")
            .equals("goods_id=1;weight=5;\ngoods_id=2;weight=1;\n"), "an update changes the one row of its key");
        boolean twice = false;
        try {
            tagDAO.AddGoodsTag(tag(1, "热卖", 9));
        } catch (Exception e) {
            twice = true;
        }
        check(twice, "a second row with the same composite key is refused");
        tagDAO.CalculateTotalPageAndRecordNumber();
        check(tagDAO.getRecordNumber() == 3 && tagDAO.QueryGoodsTagInfo(1).size() == 3, "3 tags are listed");
        tagDAO.DeleteGoodsTag(tag(1, "热卖", null));
        check(rows("select count(*) as n from goods_tag").equals("n=2;\n"), "a delete removes the one row of its key");
        boolean missing = false;
        try {
            tagDAO.DeleteGoodsTag(tag(1, "热卖", null));
        } catch (Exception e) {
            missing = e.getMessage() != null && e.getMessage().contains("不存在");
        }
        check(missing, "deleting a composite key of no row says it does not exist");

        // Bytes (the current target): a new file is written with the object
        // in one transaction, read with the object, kept by a save without one.
        java.lang.reflect.Method updateWithFiles = null;
        try {
            updateWithFiles = GoodsDAO.class.getMethod("UpdateGoods", Goods.class, java.util.Map.class);
        } catch (NoSuchMethodException e) {
            check(!GoodsDAO.class.getSimpleName().isEmpty(), "the legacy target has no bytes");
        }
        if (updateWithFiles != null) {
            byte[] photo = new byte[100000];
            new java.util.Random(3).nextBytes(photo);
            String rest = "select goods_name, stock, price, description, listed_at, status from goods where goods_id = 2";
            String restBefore = rows(rest);
            java.util.Map<String, byte[]> files = new java.util.HashMap<String, byte[]>();
            files.put("photoUpload", photo);
            updateWithFiles.invoke(goodsDAO, goodsDAO.GetGoodsByGoodsId(2), files);
            java.lang.reflect.Method getPhoto = GoodsDAO.class.getMethod("GetGoodsPhotoBytes", int.class);
            Goods withPhoto = goodsDAO.GetGoodsByGoodsId(2);
            byte[] marker = (byte[]) Goods.class.getMethod("getPhoto").invoke(withPhoto);
            check(marker != null && marker.length == 1 && marker[0] == photo[0],
                "a row is read with the first byte of its bytes only");
            byte[] read = (byte[]) getPhoto.invoke(goodsDAO, 2);
            check(java.util.Arrays.equals(photo, read), "the bytes read back");
            goodsDAO.UpdateGoods(withPhoto);
            Goods.class.getMethod("setPhoto", byte[].class).invoke(withPhoto, (Object) null);
            updateWithFiles.invoke(goodsDAO, withPhoto, new java.util.HashMap<String, byte[]>());
            read = (byte[]) getPhoto.invoke(goodsDAO, 2);
            check(java.util.Arrays.equals(photo, read), "a save of the object keeps the bytes");
            check(getPhoto.invoke(goodsDAO, 999999) == null, "no row, no bytes");
            // A loaded object copied into a new one: the copy gets the whole file.
            Goods original = goodsDAO.GetGoodsByGoodsId(2);
            Goods copy = new Goods();
            for (java.beans.PropertyDescriptor d : java.beans.Introspector.getBeanInfo(Goods.class).getPropertyDescriptors())
                if (d.getReadMethod() != null && d.getWriteMethod() != null && !d.getName().equals("goodsId"))
                    d.getWriteMethod().invoke(copy, d.getReadMethod().invoke(original));
            copy.setGoodsName("复制的商品");
            goodsDAO.AddGoods(copy);
            check(java.util.Arrays.equals(photo, (byte[]) getPhoto.invoke(goodsDAO, copy.getGoodsId())),
                "a copy of a loaded object is added with the whole file, not the first byte");
            goodsDAO.DeleteGoods(copy.getGoodsId());
            check(rows(rest).equals(restBefore), "writing the bytes changes no other column");
        }

        // The login's table, made by sql/t_admin.sql on MariaDB.
        AdminDAO adminDAO = new AdminDAO();
        adminDAO.AddAdmin(new Admin("admin", "pbkdf2$1$salt$hash"));
        check(adminDAO.GetAdminByUsername("admin") != null, "an administrator is stored and found");
    }

    private static GoodsTag tag(int goodsId, String tag, Integer weight) {
        GoodsTag t = new GoodsTag();
        t.setGoodsId(goodsId);
        t.setTag(tag);
        t.setWeight(weight);
        return t;
    }

    public static void main(String[] args) {
        DatabaseFirst test = new DatabaseFirst();
        try {
            test.run();
        } catch (Exception e) {
            e.printStackTrace(System.out);
            test.failed++;
        }
        System.out.println(test.passed + " passed, " + test.failed + " failed");
        System.exit(test.failed == 0 ? 0 : 1);
    }
}
