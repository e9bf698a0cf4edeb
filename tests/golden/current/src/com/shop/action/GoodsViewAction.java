package com.shop.action;

import java.util.List;
import org.apache.struts2.ActionContext;
import org.apache.struts2.interceptor.parameter.StrutsParameter;
import org.apache.struts2.ActionSupport;
import com.shop.dao.GoodsViewDAO;
import com.shop.domain.GoodsView;
import com.shop.test.TestUtil;

public class GoodsViewAction extends ActionSupport {

    /*界面层需要查询的属性: 品名*/
    private String goodsName;
    @StrutsParameter
    public void setGoodsName(String goodsName) {
        this.goodsName = goodsName;
    }
    public String getGoodsName() {
        return this.goodsName;
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

    private int goodsId;
    @StrutsParameter
    public void setGoodsId(int goodsId) {
        this.goodsId = goodsId;
    }
    public int getGoodsId() {
        return goodsId;
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
    GoodsViewDAO goodsViewDAO = new GoodsViewDAO();

    /*待操作的GoodsView对象*/
    private GoodsView goodsView;
    public void setGoodsView(GoodsView goodsView) {
        this.goodsView = goodsView;
    }
    @StrutsParameter(depth = 2)
    public GoodsView getGoodsView() {
        return this.goodsView;
    }

    /*跳转到添加GoodsView视图*/
    public String AddView() {
        ActionContext ctx = ActionContext.getContext();
        return "add_view";
    }

    /*添加GoodsView信息*/
    public String AddGoodsView() {
        ActionContext ctx = ActionContext.getContext();
        try {
            goodsViewDAO.AddGoodsView(goodsView);
            ctx.put("message",  java.net.URLEncoder.encode("GoodsView添加成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "add_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("GoodsView添加失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

    /*查询GoodsView信息*/
    public String QueryGoodsView() {
        if(currentPage == 0) currentPage = 1;
        if(goodsName == null) goodsName = "";
        List<GoodsView> goodsViewList = goodsViewDAO.QueryGoodsViewInfo(goodsName, currentPage);
        /*计算总的页数和总的记录数*/
        goodsViewDAO.CalculateTotalPageAndRecordNumber(goodsName);
        /*获取到总的页码数目*/
        totalPage = goodsViewDAO.getTotalPage();
        /*当前查询条件下总记录数*/
        recordNumber = goodsViewDAO.getRecordNumber();
        ActionContext ctx = ActionContext.getContext();
        ctx.put("goodsViewList",  goodsViewList);
        ctx.put("totalPage", totalPage);
        ctx.put("recordNumber", recordNumber);
        ctx.put("currentPage", currentPage);
        ctx.put("goodsName", goodsName);
        return "query_view";
    }

    /*查询要修改的GoodsView信息*/
    public String ModifyGoodsViewQuery() {
        ActionContext ctx = ActionContext.getContext();
        /*根据主键goodsId获取GoodsView对象*/
        GoodsView goodsView = goodsViewDAO.GetGoodsViewByGoodsId(goodsId);

        ctx.put("goodsView",  goodsView);
        return "modify_view";
    }

    /*更新修改GoodsView信息*/
    public String ModifyGoodsView() {
        ActionContext ctx = ActionContext.getContext();
        try {
            goodsViewDAO.UpdateGoodsView(goodsView);
            ctx.put("message",  java.net.URLEncoder.encode("GoodsView信息更新成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "modify_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("GoodsView信息更新失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
       }
   }

    /*删除GoodsView信息*/
    public String DeleteGoodsView() {
        ActionContext ctx = ActionContext.getContext();
        try { 
            goodsViewDAO.DeleteGoodsView(goodsId);
            ctx.put("message",  java.net.URLEncoder.encode("GoodsView删除成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "delete_success";
        } catch (Exception e) { 
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("GoodsView删除失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

}
