package com.shop.action;

import java.util.List;
import org.apache.struts2.ActionContext;
import org.apache.struts2.interceptor.parameter.StrutsParameter;
import org.apache.struts2.ActionSupport;
import org.apache.struts2.ServletActionContext;
import org.apache.struts2.action.UploadedFilesAware;
import org.apache.struts2.dispatcher.multipart.UploadedFile;
import jakarta.servlet.http.HttpServletResponse;
import com.shop.utils.HibernateUtil;
import com.shop.dao.GoodsDAO;
import com.shop.domain.Goods;
import com.shop.dao.CategoryDAO;
import com.shop.domain.Category;
import com.shop.dao.TagDAO;
import com.shop.domain.Tag;
import com.shop.test.TestUtil;

public class GoodsAction extends ActionSupport implements UploadedFilesAware {

    /*界面层需要查询的属性: 品名*/
    private String goodsName;
    @StrutsParameter
    public void setGoodsName(String goodsName) {
        this.goodsName = goodsName;
    }
    public String getGoodsName() {
        return this.goodsName;
    }

    /*界面层需要查询的属性: 状态*/
    private String state;
    @StrutsParameter
    public void setState(String state) {
        this.state = state;
    }
    public String getState() {
        return this.state;
    }

    /*界面层需要查询的属性: 分类*/
    private Category category;
    public void setCategory(Category category) {
        this.category = category;
    }
    @StrutsParameter(depth = 1)
    public Category getCategory() {
        return this.category;
    }

    /*多对多属性所选对象的主键: 标签*/
    private String[] tagsKeys;
    @StrutsParameter
    public void setTagsKeys(String[] tagsKeys) {
        this.tagsKeys = tagsKeys;
    }
    public String[] getTagsKeys() {
        return this.tagsKeys;
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

    private long goodsId;
    @StrutsParameter
    public void setGoodsId(long goodsId) {
        this.goodsId = goodsId;
    }
    public long getGoodsId() {
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
    GoodsDAO goodsDAO = new GoodsDAO();

    /*待操作的Goods对象*/
    private Goods goods;
    public void setGoods(Goods goods) {
        this.goods = goods;
    }
    @StrutsParameter(depth = 2)
    public Goods getGoods() {
        return this.goods;
    }

    /*跳转到添加Goods视图*/
    public String AddView() {
        ActionContext ctx = ActionContext.getContext();
        /*查询所有的Category信息*/
        CategoryDAO categoryDAO = new CategoryDAO();
        List<Category> categoryList = categoryDAO.QueryAllCategoryInfo();
        ctx.put("categoryList", categoryList);
        TagDAO tagDAO = new TagDAO();
        List<Tag> tagList = tagDAO.QueryAllTagInfo();
        ctx.put("tagList", tagList);
        return "add_view";
    }

    /*添加Goods信息*/
    public String AddGoods() {
        ActionContext ctx = ActionContext.getContext();
        try {
            CategoryDAO categoryDAO = new CategoryDAO();
            category = categoryDAO.GetCategoryByCategoryId(goods.getCategory().getCategoryId());
            goods.setCategory(category);
            if(null == category) {
                ctx.put("error",  java.net.URLEncoder.encode("所选的Category不存在!", java.nio.charset.StandardCharsets.UTF_8));
                return "error";
            }
            {
                TagDAO _dao = new TagDAO();
                java.util.Set<Tag> _chosen = new java.util.HashSet<Tag>();
                java.util.Set<String> _seen = new java.util.HashSet<String>();
                if(null != tagsKeys) for(String _key : tagsKeys) {
                    if(null == _key || _key.trim().equals("") || !_seen.add(_key.trim())) continue;
                    Tag _one = null;
                    try {
                        _one = _dao.GetTagByTagId(Integer.parseInt(_key.trim()));
                    } catch (NumberFormatException _e) {
                        _one = null;
                    }
                    if(null == _one) {
                        ctx.put("error",  java.net.URLEncoder.encode("所选的Tag不存在!", java.nio.charset.StandardCharsets.UTF_8));
                        return "error";
                    }
                    _chosen.add(_one);
                }
                goods.setTags(_chosen);
            }
            if(null != goods.getFlags()) goods.setFlags(goods.getFlags().trim().replaceAll("\\s*,\\s*", ","));
            String _refused = TakeUploads(goods);
            if(null != _refused) {
                ctx.put("error",  java.net.URLEncoder.encode(_refused, java.nio.charset.StandardCharsets.UTF_8));
                return "error";
            }
            goodsDAO.AddGoods(goods);
            ctx.put("message",  java.net.URLEncoder.encode("Goods添加成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "add_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Goods添加失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

    /*查询Goods信息*/
    public String QueryGoods() {
        if(currentPage == 0) currentPage = 1;
        if(goodsName == null) goodsName = "";
        if(state == null) state = "";
        List<Goods> goodsList = goodsDAO.QueryGoodsInfo(goodsName, state, category, currentPage);
        /*计算总的页数和总的记录数*/
        goodsDAO.CalculateTotalPageAndRecordNumber(goodsName, state, category);
        /*获取到总的页码数目*/
        totalPage = goodsDAO.getTotalPage();
        /*当前查询条件下总记录数*/
        recordNumber = goodsDAO.getRecordNumber();
        ActionContext ctx = ActionContext.getContext();
        ctx.put("goodsList",  goodsList);
        ctx.put("totalPage", totalPage);
        ctx.put("recordNumber", recordNumber);
        ctx.put("currentPage", currentPage);
        ctx.put("goodsName", goodsName);
        ctx.put("state", state);
        ctx.put("category", category);
        CategoryDAO categoryDAO = new CategoryDAO();
        List<Category> categoryList = categoryDAO.QueryAllCategoryInfo();
        ctx.put("categoryList", categoryList);
        return "query_view";
    }

    /*查询要修改的Goods信息*/
    public String ModifyGoodsQuery() {
        ActionContext ctx = ActionContext.getContext();
        /*根据主键goodsId获取Goods对象*/
        Goods goods = goodsDAO.GetGoodsByGoodsId(goodsId);

        CategoryDAO categoryDAO = new CategoryDAO();
        List<Category> categoryList = categoryDAO.QueryAllCategoryInfo();
        ctx.put("categoryList", categoryList);
        TagDAO tagDAO = new TagDAO();
        List<Tag> tagList = tagDAO.QueryAllTagInfo();
        ctx.put("tagList", tagList);
        ctx.put("goods",  goods);
        return "modify_view";
    }

    /*更新修改Goods信息*/
    public String ModifyGoods() {
        ActionContext ctx = ActionContext.getContext();
        try {
            CategoryDAO categoryDAO = new CategoryDAO();
            category = categoryDAO.GetCategoryByCategoryId(goods.getCategory().getCategoryId());
            goods.setCategory(category);
            if(null == category) {
                ctx.put("error",  java.net.URLEncoder.encode("所选的Category不存在!", java.nio.charset.StandardCharsets.UTF_8));
                return "error";
            }
            {
                TagDAO _dao = new TagDAO();
                java.util.Set<Tag> _chosen = new java.util.HashSet<Tag>();
                java.util.Set<String> _seen = new java.util.HashSet<String>();
                if(null != tagsKeys) for(String _key : tagsKeys) {
                    if(null == _key || _key.trim().equals("") || !_seen.add(_key.trim())) continue;
                    Tag _one = null;
                    try {
                        _one = _dao.GetTagByTagId(Integer.parseInt(_key.trim()));
                    } catch (NumberFormatException _e) {
                        _one = null;
                    }
                    if(null == _one) {
                        ctx.put("error",  java.net.URLEncoder.encode("所选的Tag不存在!", java.nio.charset.StandardCharsets.UTF_8));
                        return "error";
                    }
                    _chosen.add(_one);
                }
                goods.setTags(_chosen);
            }
            if(null != goods.getFlags()) goods.setFlags(goods.getFlags().trim().replaceAll("\\s*,\\s*", ","));
            String _refused = CheckUploads();
            if(null != _refused) {
                ctx.put("error",  java.net.URLEncoder.encode(_refused, java.nio.charset.StandardCharsets.UTF_8));
                return "error";
            }
            goodsDAO.UpdateGoods(goods, _uploads);
            ctx.put("message",  java.net.URLEncoder.encode("Goods信息更新成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "modify_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Goods信息更新失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
       }
   }

    /*删除Goods信息*/
    public String DeleteGoods() {
        ActionContext ctx = ActionContext.getContext();
        try { 
            goodsDAO.DeleteGoods(goodsId);
            ctx.put("message",  java.net.URLEncoder.encode("Goods删除成功!", java.nio.charset.StandardCharsets.UTF_8));
            return "delete_success";
        } catch (Exception e) { 
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Goods删除失败!", java.nio.charset.StandardCharsets.UTF_8));
            return "error";
        }
    }

    /*上传的文件: 二进制成员的新内容, 按表单中的字段名; 空文件表示不更换*/
    private final java.util.Map<String, byte[]> _uploads = new java.util.HashMap<String, byte[]>();
    public void withUploadedFiles(java.util.List<UploadedFile> _files) {
        for (UploadedFile _file : _files) {
            if (_file.length() == null || _file.length() == 0)
                continue;
            try {
                _uploads.put(_file.getInputName(), java.nio.file.Files.readAllBytes(new java.io.File(_file.getAbsolutePath()).toPath()));
            } catch (java.io.IOException e) {
                addActionError("上传的文件无法读取!");
            }
        }
    }

    /*上传的文件超过列的容量时拒绝*/
    private String CheckUploads() {
        if (_uploads.containsKey("photoUpload") && _uploads.get("photoUpload").length > 16777215)
            return "图片的文件太大(最多 16777215 字节)!";
        for (byte[] _bytes : _uploads.values())
            if (_bytes.length > HibernateUtil.DatabaseLimit())
                return "文件太大: 数据库一次最多接受 " + HibernateUtil.DatabaseLimit() + " 字节(max_allowed_packet 的一半)!";
        return null;
    }

    /*添加时上传的文件随对象写入; 必填的二进制成员没有上传时拒绝*/
    private String TakeUploads(Goods goods) {
        String _refused = CheckUploads();
        if (null != _refused)
            return _refused;
        goods.setPhoto(_uploads.get("photoUpload"));
        return null;
    }

    /*下载Goods的photo(二进制列): 没有内容时回答 404*/
    public String DownloadGoodsPhoto() throws Exception {
        byte[] _bytes = goodsDAO.GetGoodsPhotoBytes(goodsId);
        HttpServletResponse _response = ServletActionContext.getResponse();
        if (_bytes == null || _bytes.length == 0) {
            _response.sendError(HttpServletResponse.SC_NOT_FOUND);
            return null;
        }
        _response.setContentType("application/octet-stream");
        _response.setHeader("Content-Disposition", "attachment; filename=\"Goods-photo.bin\"");
        _response.setHeader("Cache-Control", "no-store");
        _response.setContentLength(_bytes.length);
        _response.getOutputStream().write(_bytes);
        return null;
    }

}
