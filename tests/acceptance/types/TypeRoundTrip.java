package javagen.acceptance;

import java.beans.PropertyDescriptor;
import java.beans.Introspector;

import com.kinds.dao.KindsDAO;
import com.kinds.domain.Kinds;

/**
 * Row 1 of the table kinds through the generated DAO: read, saved again as
 * an unchanged copy (what the modify page posts: every property set from
 * what it showed, an empty text for a NULL one), and added as row 2 with
 * every value read. column_types.sh compares the rows in SQL.
 */
public final class TypeRoundTrip {
    private static Kinds copy(Kinds from, boolean asPosted) throws Exception {
        Kinds to = new Kinds();
        for (PropertyDescriptor p : Introspector.getBeanInfo(Kinds.class).getPropertyDescriptors()) {
            if (p.getReadMethod() == null || p.getWriteMethod() == null)
                continue;
            Object value = p.getReadMethod().invoke(from);
            if (asPosted && value == null && p.getPropertyType() == String.class)
                value = "";
            p.getWriteMethod().invoke(to, value);
        }
        return to;
    }

    public static void main(String[] args) throws Exception {
        KindsDAO dao = new KindsDAO();
        Kinds first = dao.GetKindsById(1);
        if (first == null)
            throw new IllegalStateException("row 1 not found");
        dao.UpdateKinds(copy(first, true));
        Kinds second = copy(first, false);
        second.setId(2);
        dao.AddKinds(second);
        System.out.println("round trip done");
    }
}
