package com.shop.action;

import java.util.List;
import org.apache.struts2.ActionContext;
import org.apache.struts2.interceptor.parameter.StrutsParameter;
import org.apache.struts2.ActionSupport;
import com.shop.dao.StockDAO;
import com.shop.domain.Stock;
import com.shop.test.TestUtil;

public class StockAction extends ActionSupport {

    /*界面层需要查询的属性: 仓库*/
    private String storeNo;
    @StrutsParameter
    public void setStoreNo(String storeNo) {
        this.storeNo = storeNo;
    }
    public String getStoreNo() {
        return this.storeNo;
    }

    /*当前第几页*/
    private int currentPage;
    @StrutsParameter
    public void setCurrentPage(int currentPage) {
        this.currentPage = currentPage;
    }
    public int getCurrentPage() {
        return currentPage;
    }

    /*一共多少页*/
    private int totalPage;
    public void setTotalPage(int totalPage) {
        this.totalPage = totalPage;
    }
    public int getTotalPage() {
        return totalPage;
    }

    /*当前查询的总记录数目*/
    private int recordNumber;
    public void setRecordNumber(int recordNumber) {
        this.recordNumber = recordNumber;
    }
    public int getRecordNumber() {
        return recordNumber;
    }

    /*业务层对象*/
    StockDAO stockDAO = new StockDAO();

    /*待操作的Stock对象*/
    private Stock stock;
    public void setStock(Stock stock) {
        this.stock = stock;
    }
    @StrutsParameter(depth = 2)
    public Stock getStock() {
        return this.stock;
    }

    /*跳转到添加Stock视图*/
    public String AddView() {
        ActionContext ctx = ActionContext.getContext();
        return "add_view";
    }

    /*添加Stock信息*/
    public String AddStock() {
        ActionContext ctx = ActionContext.getContext();
        if(null == stock) {
            ctx.put("error",  java.net.URLEncoder.encode("Stock添加失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
        /*验证主键是否已经存在*/
        if(null != stockDAO.GetStockByKey(stock)) {
            ctx.put("error",  java.net.URLEncoder.encode("该库存已经存在!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
        try {
            stockDAO.AddStock(stock);
            ctx.put("message",  java.net.URLEncoder.encode("Stock添加成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "add_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Stock添加失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

    /*查询Stock信息*/
    public String QueryStock() {
        if(currentPage == 0) currentPage = 1;
        if(storeNo == null) storeNo = "";
        List<Stock> stockList = stockDAO.QueryStockInfo(storeNo, currentPage);
        /*计算总的页数和总的记录数*/
        stockDAO.CalculateTotalPageAndRecordNumber(storeNo);
        /*获取到总的页码数目*/
        totalPage = stockDAO.getTotalPage();
        /*当前查询条件下总记录数*/
        recordNumber = stockDAO.getRecordNumber();
        ActionContext ctx = ActionContext.getContext();
        ctx.put("stockList",  stockList);
        ctx.put("totalPage", totalPage);
        ctx.put("recordNumber", recordNumber);
        ctx.put("currentPage", currentPage);
        ctx.put("storeNo", storeNo);
        return "query_view";
    }

    /*查询要修改的Stock信息*/
    public String ModifyStockQuery() {
        ActionContext ctx = ActionContext.getContext();
        /*根据复合主键(页面传来的stock的主键成员)获取Stock对象*/
        Stock stock = stockDAO.GetStockByKey(this.stock);
        this.stock = stock;

        ctx.put("stock",  stock);
        return "modify_view";
    }

    /*更新修改Stock信息*/
    public String ModifyStock() {
        ActionContext ctx = ActionContext.getContext();
        try {
            stockDAO.UpdateStock(stock);
            ctx.put("message",  java.net.URLEncoder.encode("Stock信息更新成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "modify_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Stock信息更新失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
       }
   }

    /*删除Stock信息*/
    public String DeleteStock() {
        ActionContext ctx = ActionContext.getContext();
        try { 
            stockDAO.DeleteStock(stock);
            ctx.put("message",  java.net.URLEncoder.encode("Stock删除成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "delete_success";
        } catch (Exception e) { 
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Stock删除失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

}
