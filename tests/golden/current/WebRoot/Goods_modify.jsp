<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>修改商品</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / <a href="${ctx}/Goods/Goods_QueryGoods.action">商品</a> / 修改</div>
<c:if test="${empty goods}"><c:redirect url="/Goods/Goods_QueryGoods.action"><c:param name="refused" value="1"/></c:redirect></c:if>
<jsp:useBean id="_choices" class="com.shop.utils.ChoiceLimit"/>
<c:if test="${categoryList == null}">
<jsp:useBean id="categoryDAO" class="com.shop.dao.CategoryDAO"/>
<c:set var="categoryList" value="${categoryDAO.QueryAllCategoryInfo()}"/>
</c:if>
<c:if test="${tagList == null}">
<jsp:useBean id="tagDAO" class="com.shop.dao.TagDAO"/>
<c:set var="tagList" value="${tagDAO.QueryAllTagInfo()}"/>
</c:if>
<div class="card">
<h1>修改商品</h1>
<c:if test="${not empty actionErrors}">
<ul class="errors">
<c:forEach items="${actionErrors}" var="_e"><li><c:out value="${_e}"/></li></c:forEach>
</ul>
</c:if>
<form method="post" action="${ctx}/Goods/Goods_ModifyGoods.action" enctype="multipart/form-data">
<input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>">
<input type="hidden" name="_loaded" value="<%= com.shop.utils.RowCheck.of(request.getAttribute("goods")) %>">
<table class="form">
<tr><th>商品编号</th><td><c:out value="${goods.goodsId}"/><input type="hidden" name="goods.goodsId" value="<c:out value='${goods.goodsId}'/>"></td></tr>
<tr><th>品名<span class="required">*</span></th><td><input type="text" name="goods.goodsName" maxlength="60" value="<c:out value='${not empty paramValues["goods.goodsName"] ? param["goods.goodsName"] : goods.goodsName}'/>"><c:forEach items="${fieldErrors['goods.goodsName']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>价格<span class="required">*</span></th><td><input type="number" step="any" name="goods.price" value="<c:out value='${not empty paramValues["goods.price"] ? param["goods.price"] : goods.price}'/>"><c:forEach items="${fieldErrors['goods.price']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>状态<span class="required">*</span></th><td><c:set var="_choice" value='${not empty paramValues["goods.state"] ? param["goods.state"] : goods.state}'/><select name="goods.state"><% for (String _v : "OnSale|soldOut|Draft".split("\\|", -1)) { pageContext.setAttribute("_v", _v); %><option value="<c:out value='${_v}'/>"${_choice == _v ? ' selected' : ''}><c:out value="${_v}"/></option><% } %></select><c:forEach items="${fieldErrors['goods.state']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>标记</th><td><c:set var="_chosen" value='${not empty paramValues["goods.flags"] ? paramValues["goods.flags"] : fn:split(goods.flags, ",")}'/><select name="goods.flags" multiple size="2"><% for (String _v : "new|hot".split("\\|", -1)) { pageContext.setAttribute("_v", _v); %><c:set var="_sel" value="${false}"/><c:forEach items="${_chosen}" var="_c"><c:if test="${fn:trim(_c) == _v}"><c:set var="_sel" value="${true}"/></c:if></c:forEach><option value="<c:out value='${_v}'/>"${_sel ? ' selected' : ''}><c:out value="${_v}"/></option><% } %></select><c:forEach items="${fieldErrors['goods.flags']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>图片</th><td><input type="file" name="photoUpload"><c:if test="${not empty goods.photo}"><c:url var="_download" value="/Goods/Goods_DownloadGoodsPhoto.action"><c:param name="goodsId" value="${goods.goodsId}"/></c:url> 已有内容(<a href="<c:out value='${_download}'/>">下载</a>)，不选择文件则保留</c:if></td></tr>
<tr><th>分类<span class="required">*</span></th><td><c:choose><c:when test="${(empty categoryList ? _choices.count('Category') : fn:length(categoryList)) > 200}"><span class="picker" data-url="${ctx}/pick.json" data-entity="Category" data-display="title" data-none="0"><input type="hidden" name="goods.category.categoryId" value="<c:out value='${(not empty paramValues["goods.category.categoryId"] ? param["goods.category.categoryId"] : goods.category.categoryId)}'/>"><input type="text" value="<c:out value='${goods.category.title}'/>" placeholder="输入以搜索"></span></c:when><c:otherwise><select name="goods.category.categoryId"><c:forEach items="${categoryList}" var="_item"><option value="<c:out value='${_item.categoryId}'/>"<c:if test="${fn:trim(_item.categoryId) == fn:trim((not empty paramValues['goods.category.categoryId'] ? param['goods.category.categoryId'] : goods.category.categoryId))}"> selected</c:if>><c:out value="${_item.title}"/></option></c:forEach></select></c:otherwise></c:choose><c:forEach items="${fieldErrors['goods.category.categoryId']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>标签</th><td><c:choose><c:when test="${(empty tagList ? _choices.count('Tag') : fn:length(tagList)) > 200}"><span class="picker multi" data-url="${ctx}/pick.json" data-entity="Tag" data-display="label" data-name="tagsKeys"><c:choose><c:when test="${empty paramValues['tagsKeys']}"><c:forEach items="${goods.tags}" var="_o"><span class="chosen"><input type="hidden" name="tagsKeys" value="<c:out value='${_o.tagId}'/>"><c:out value="${_o.label}"/><button type="button" class="remove" title="移除">×</button></span></c:forEach></c:when><c:otherwise><c:forEach items="${paramValues['tagsKeys']}" var="_k"><span class="chosen"><input type="hidden" name="tagsKeys" value="<c:out value='${_k}'/>">#<c:out value="${_k}"/><button type="button" class="remove" title="移除">×</button></span></c:forEach></c:otherwise></c:choose><input type="text" placeholder="输入以搜索并添加"></span></c:when><c:otherwise>
<select name="tagsKeys" multiple size="6"><c:forEach items="${tagList}" var="_item"><c:set var="_chosen" value="${false}"/><c:forEach items="${paramValues['tagsKeys']}" var="_k"><c:if test="${fn:trim(_k) == fn:trim(_item.tagId)}"><c:set var="_chosen" value="${true}"/></c:if></c:forEach><c:if test="${empty paramValues['tagsKeys']}"><c:forEach items="${goods.tags}" var="_o"><c:if test="${fn:trim(_o.tagId) == fn:trim(_item.tagId)}"><c:set var="_chosen" value="${true}"/></c:if></c:forEach></c:if><option value="<c:out value='${_item.tagId}'/>"${_chosen ? ' selected' : ''}><c:out value="${_item.label}"/></option></c:forEach></select></c:otherwise></c:choose><c:forEach items="${fieldErrors['tagsKeys']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
</table>
<p><span class="required">*</span> 为必填项</p>
<p><input class="btn primary" type="submit" value="保存"> <a class="btn" href="${ctx}/Goods/Goods_QueryGoods.action">返回列表</a> <a class="btn" href="${ctx}/user_ShowUser.action">返回主页</a></p>
</form>
</div>
</main>
</div>
</body>
</html>
