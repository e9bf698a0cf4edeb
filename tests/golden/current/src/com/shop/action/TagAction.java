package com.shop.action;

import java.util.List;
import org.apache.struts2.ActionContext;
import org.apache.struts2.interceptor.parameter.StrutsParameter;
import org.apache.struts2.ActionSupport;
import com.shop.dao.TagDAO;
import com.shop.domain.Tag;
import com.shop.test.TestUtil;

public class TagAction extends ActionSupport {

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

    private int tagId;
    @StrutsParameter
    public void setTagId(int tagId) {
        this.tagId = tagId;
    }
    public int getTagId() {
        return tagId;
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
    TagDAO tagDAO = new TagDAO();

    /*待操作的Tag对象*/
    private Tag tag;
    public void setTag(Tag tag) {
        this.tag = tag;
    }
    @StrutsParameter(depth = 2)
    public Tag getTag() {
        return this.tag;
    }

    /*跳转到添加Tag视图*/
    public String AddView() {
        ActionContext ctx = ActionContext.getContext();
        return "add_view";
    }

    /*添加Tag信息*/
    public String AddTag() {
        ActionContext ctx = ActionContext.getContext();
        try {
            tagDAO.AddTag(tag);
            ctx.put("message",  java.net.URLEncoder.encode("Tag添加成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "add_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Tag添加失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

    /*查询Tag信息*/
    public String QueryTag() {
        if(currentPage == 0) currentPage = 1;
        List<Tag> tagList = tagDAO.QueryTagInfo(currentPage);
        /*计算总的页数和总的记录数*/
        tagDAO.CalculateTotalPageAndRecordNumber();
        /*获取到总的页码数目*/
        totalPage = tagDAO.getTotalPage();
        /*当前查询条件下总记录数*/
        recordNumber = tagDAO.getRecordNumber();
        ActionContext ctx = ActionContext.getContext();
        ctx.put("tagList",  tagList);
        ctx.put("totalPage", totalPage);
        ctx.put("recordNumber", recordNumber);
        ctx.put("currentPage", currentPage);
        return "query_view";
    }

    /*查询要修改的Tag信息*/
    public String ModifyTagQuery() {
        ActionContext ctx = ActionContext.getContext();
        /*根据主键tagId获取Tag对象*/
        Tag tag = tagDAO.GetTagByTagId(tagId);

        ctx.put("tag",  tag);
        return "modify_view";
    }

    /*更新修改Tag信息*/
    public String ModifyTag() {
        ActionContext ctx = ActionContext.getContext();
        try {
            tagDAO.UpdateTag(tag);
            ctx.put("message",  java.net.URLEncoder.encode("Tag信息更新成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "modify_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Tag信息更新失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
       }
   }

    /*删除Tag信息*/
    public String DeleteTag() {
        ActionContext ctx = ActionContext.getContext();
        try { 
            tagDAO.DeleteTag(tagId);
            ctx.put("message",  java.net.URLEncoder.encode("Tag删除成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "delete_success";
        } catch (Exception e) { 
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Tag删除失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

}
