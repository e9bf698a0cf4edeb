package com.shop.action;

import java.util.List;
import org.apache.struts2.ActionContext;
import org.apache.struts2.interceptor.parameter.StrutsParameter;
import org.apache.struts2.ActionSupport;
import com.shop.dao.CategoryDAO;
import com.shop.domain.Category;
import com.shop.dao.CategoryDAO;
import com.shop.domain.Category;
import com.shop.test.TestUtil;

public class CategoryAction extends ActionSupport {

    /*界面层需要查询的属性: 名称*/
    private String title;
    @StrutsParameter
    public void setTitle(String title) {
        this.title = title;
    }
    public String getTitle() {
        return this.title;
    }

    /*关联对象属性: 上级分类*/
    private Category parent;
    public void setParent(Category parent) {
        this.parent = parent;
    }
    public Category getParent() {
        return this.parent;
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

    private long categoryId;
    @StrutsParameter
    public void setCategoryId(long categoryId) {
        this.categoryId = categoryId;
    }
    public long getCategoryId() {
        return categoryId;
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
    CategoryDAO categoryDAO = new CategoryDAO();

    /*待操作的Category对象*/
    private Category category;
    public void setCategory(Category category) {
        this.category = category;
    }
    @StrutsParameter(depth = 2)
    public Category getCategory() {
        return this.category;
    }

    /*跳转到添加Category视图*/
    public String AddView() {
        ActionContext ctx = ActionContext.getContext();
        /*查询所有的Category信息*/
        List<Category> db_categoryList = categoryDAO.QueryAllCategoryInfo();
        ctx.put("db_categoryList", db_categoryList);
        return "add_view";
    }

    /*添加Category信息*/
    public String AddCategory() {
        ActionContext ctx = ActionContext.getContext();
        try {
            CategoryDAO categoryDAO = new CategoryDAO();
            if(null != category.getParent() && category.getParent().getCategoryId() != 0) {
                parent = categoryDAO.GetCategoryByCategoryId(category.getParent().getCategoryId());
                if(null == parent) {
                    ctx.put("error",  java.net.URLEncoder.encode("所选的Category不存在!", java.nio.charset.StandardCharsets.UTF_8));
                    return "error";
                }
            } else {
                parent = null;
            }
            category.setParent(parent);
            categoryDAO.AddCategory(category);
            ctx.put("message",  java.net.URLEncoder.encode("Category添加成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "add_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Category添加失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

    /*查询Category信息*/
    public String QueryCategory() {
        if(currentPage == 0) currentPage = 1;
        if(title == null) title = "";
        List<Category> categoryList = categoryDAO.QueryCategoryInfo(title, currentPage);
        /*计算总的页数和总的记录数*/
        categoryDAO.CalculateTotalPageAndRecordNumber(title);
        /*获取到总的页码数目*/
        totalPage = categoryDAO.getTotalPage();
        /*当前查询条件下总记录数*/
        recordNumber = categoryDAO.getRecordNumber();
        ActionContext ctx = ActionContext.getContext();
        ctx.put("categoryList",  categoryList);
        ctx.put("totalPage", totalPage);
        ctx.put("recordNumber", recordNumber);
        ctx.put("currentPage", currentPage);
        ctx.put("title", title);
        return "query_view";
    }

    /*查询要修改的Category信息*/
    public String ModifyCategoryQuery() {
        ActionContext ctx = ActionContext.getContext();
        /*根据主键categoryId获取Category对象*/
        Category category = categoryDAO.GetCategoryByCategoryId(categoryId);

        List<Category> db_categoryList = categoryDAO.QueryAllCategoryInfo();
        ctx.put("db_categoryList", db_categoryList);
        ctx.put("category",  category);
        return "modify_view";
    }

    /*更新修改Category信息*/
    public String ModifyCategory() {
        ActionContext ctx = ActionContext.getContext();
        try {
            CategoryDAO categoryDAO = new CategoryDAO();
            if(null != category.getParent() && category.getParent().getCategoryId() != 0) {
                parent = categoryDAO.GetCategoryByCategoryId(category.getParent().getCategoryId());
                if(null == parent) {
                    ctx.put("error",  java.net.URLEncoder.encode("所选的Category不存在!", java.nio.charset.StandardCharsets.UTF_8));
                    return "error";
                }
            } else {
                parent = null;
            }
            category.setParent(parent);
            categoryDAO.UpdateCategory(category);
            ctx.put("message",  java.net.URLEncoder.encode("Category信息更新成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "modify_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Category信息更新失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
       }
   }

    /*删除Category信息*/
    public String DeleteCategory() {
        ActionContext ctx = ActionContext.getContext();
        try { 
            categoryDAO.DeleteCategory(categoryId);
            ctx.put("message",  java.net.URLEncoder.encode("Category删除成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "delete_success";
        } catch (Exception e) { 
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Category删除失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

}
