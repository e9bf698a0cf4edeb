package javagen.acceptance;

import com.wide.dao.HubDAO;
import com.wide.domain.Hub;

/**
 * Row 1 of hub through the generated DAO, then the name of each table it
 * reaches in two steps: what wide_joins.sh checks.
 */
public final class WideJoins {
    public static void main(String[] args) throws Exception {
        Hub hub = new HubDAO().GetHubById(1);
        if (hub == null)
            throw new IllegalStateException("row 1 not found");
        for (int m = 1; m <= 8; ++m) {
            Object mid = Hub.class.getMethod("getMid" + m).invoke(hub);
            for (int l = 1; l <= 8; ++l) {
                Object leaf = mid.getClass().getMethod("getLeaf" + l).invoke(mid);
                System.out.println(leaf.getClass().getMethod("getName").invoke(leaf));
            }
        }
    }
}
