<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>商品列表</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / 商品 / 列表</div>
<c:set var="_pages" value="${totalPage > 0 ? totalPage : 1}"/>
<c:if test="${currentPage > _pages}">
<c:redirect url="/Goods/Goods_QueryGoods.action">
<c:param name="currentPage" value="${_pages}"/>
<c:param name="goodsName" value="${goodsName}"/>
<c:param name="state" value="${state}"/>
<c:param name="category.categoryId" value="${empty category ? 0 : category.categoryId}"/>
</c:redirect>
</c:if>
<c:url var="lastUrl" value="/Goods/Goods_QueryGoods.action">
<c:param name="currentPage" value="${_pages}"/>
<c:param name="goodsName" value="${goodsName}"/>
<c:param name="state" value="${state}"/>
<c:param name="category.categoryId" value="${empty category ? 0 : category.categoryId}"/>
</c:url>
<div class="card">
<h1>商品列表</h1>
<c:if test="${not empty param.refused}"><p class="notice">请求的参数不正确或记录不存在，已返回列表。</p></c:if>
<jsp:useBean id="_choices" class="com.shop.utils.ChoiceLimit"/>
<form class="query" method="get" action="${ctx}/Goods/Goods_QueryGoods.action">
<label>品名: <input type="text" name="goodsName" value="<c:out value='${goodsName}'/>"></label>
<label>状态: <input type="text" name="state" value="<c:out value='${state}'/>"></label>
<label>分类: <c:choose><c:when test="${(empty categoryList ? _choices.count('Category') : fn:length(categoryList)) > 200}"><span class="picker" data-url="${ctx}/pick.json" data-entity="Category" data-display="title" data-none="0"><input type="hidden" name="category.categoryId" value="<c:out value='${category.categoryId}'/>"><input type="text" value="<c:out value='${category.title}'/>" placeholder="输入以搜索"></span></c:when><c:otherwise><select name="category.categoryId"><option value="0">全部</option><c:forEach items="${categoryList}" var="_item"><option value="<c:out value='${_item.categoryId}'/>"<c:if test="${_item.categoryId == category.categoryId}"> selected</c:if>><c:out value="${_item.title}"/></option></c:forEach></select></c:otherwise></c:choose></label>
<input type="submit" value="查询">
<a class="btn" href="${ctx}/Goods/Goods_AddView.action">添加商品</a>
</form>
<p>共 ${recordNumber} 条记录，第 ${currentPage} / ${_pages} 页</p>
<table class="grid">
<tr><th>商品编号</th><th>品名</th><th>价格</th><th>状态</th><th>标记</th><th>分类</th><th>修改时间</th><th>操作</th></tr>
<c:forEach items="${goodsList}" var="_row">
<c:url var="modifyUrl" value="/Goods/Goods_ModifyGoodsQuery.action"><c:param name="goodsId" value="${_row.goodsId}"/></c:url>
<c:url var="deleteUrl" value="/Goods/Goods_DeleteGoods.action"><c:param name="goodsId" value="${_row.goodsId}"/></c:url>
<tr><td><c:out value="${_row.goodsId}"/></td><td><c:out value="${_row.goodsName}"/></td><td><c:out value="${_row.price}"/></td><td><c:out value="${_row.state}"/></td><td><c:out value="${_row.flags}"/></td><td><c:out value="${_row.category.title}"/></td><td><c:out value="${_row.updatedAt}"/></td><td><a href="${modifyUrl}">修改</a> <form class="inline" method="post" action="${deleteUrl}" onsubmit="return confirm('确定删除这条商品记录吗?')"><input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>"><button class="link danger" type="submit">删除</button></form></td></tr>
</c:forEach>
</table>
<c:url var="firstUrl" value="/Goods/Goods_QueryGoods.action">
<c:param name="currentPage" value="1"/>
<c:param name="goodsName" value="${goodsName}"/>
<c:param name="state" value="${state}"/>
<c:param name="category.categoryId" value="${empty category ? 0 : category.categoryId}"/>
</c:url>
<c:url var="previousUrl" value="/Goods/Goods_QueryGoods.action">
<c:param name="currentPage" value="${currentPage > 1 ? currentPage - 1 : 1}"/>
<c:param name="goodsName" value="${goodsName}"/>
<c:param name="state" value="${state}"/>
<c:param name="category.categoryId" value="${empty category ? 0 : category.categoryId}"/>
</c:url>
<c:url var="nextUrl" value="/Goods/Goods_QueryGoods.action">
<c:param name="currentPage" value="${currentPage < _pages ? currentPage + 1 : _pages}"/>
<c:param name="goodsName" value="${goodsName}"/>
<c:param name="state" value="${state}"/>
<c:param name="category.categoryId" value="${empty category ? 0 : category.categoryId}"/>
</c:url>
<div class="pages">
<a href="${firstUrl}">首页</a> <a href="${previousUrl}">上一页</a>
<c:forEach var="_n" begin="${currentPage > 5 ? currentPage - 5 : 1}" end="${currentPage + 5 < _pages ? currentPage + 5 : _pages}">
<c:choose><c:when test="${_n == currentPage}"><span class="current">${_n}</span></c:when><c:otherwise>
<c:url var="pageUrl" value="/Goods/Goods_QueryGoods.action">
<c:param name="currentPage" value="${_n}"/>
<c:param name="goodsName" value="${goodsName}"/>
<c:param name="state" value="${state}"/>
<c:param name="category.categoryId" value="${empty category ? 0 : category.categoryId}"/>
</c:url>
<a href="${pageUrl}">${_n}</a></c:otherwise></c:choose>
</c:forEach>
<a href="${nextUrl}">下一页</a> <a href="${lastUrl}">末页</a>
</div>
</div>
</main>
</div>
</body>
</html>
