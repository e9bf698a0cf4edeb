<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>商品一览列表</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / 商品一览 / 列表</div>
<c:set var="_pages" value="${totalPage > 0 ? totalPage : 1}"/>
<c:if test="${currentPage > _pages}">
<c:redirect url="/GoodsView/GoodsView_QueryGoodsView.action">
<c:param name="currentPage" value="${_pages}"/>
<c:param name="goodsName" value="${goodsName}"/>
</c:redirect>
</c:if>
<c:url var="lastUrl" value="/GoodsView/GoodsView_QueryGoodsView.action">
<c:param name="currentPage" value="${_pages}"/>
<c:param name="goodsName" value="${goodsName}"/>
</c:url>
<div class="card">
<h1>商品一览列表</h1>
<c:if test="${not empty param.refused}"><p class="notice">请求的参数不正确或记录不存在，已返回列表。</p></c:if>
<form class="query" method="get" action="${ctx}/GoodsView/GoodsView_QueryGoodsView.action">
<label>品名: <input type="text" name="goodsName" value="<c:out value='${goodsName}'/>"></label>
<input type="submit" value="查询">
</form>
<p>共 ${recordNumber} 条记录，第 ${currentPage} / ${_pages} 页</p>
<table class="grid">
<tr><th>商品编号</th><th>品名</th></tr>
<c:forEach items="${goodsViewList}" var="_row">
<tr><td><c:out value="${_row.goodsId}"/></td><td><c:out value="${_row.goodsName}"/></td></tr>
</c:forEach>
</table>
<c:url var="firstUrl" value="/GoodsView/GoodsView_QueryGoodsView.action">
<c:param name="currentPage" value="1"/>
<c:param name="goodsName" value="${goodsName}"/>
</c:url>
<c:url var="previousUrl" value="/GoodsView/GoodsView_QueryGoodsView.action">
<c:param name="currentPage" value="${currentPage > 1 ? currentPage - 1 : 1}"/>
<c:param name="goodsName" value="${goodsName}"/>
</c:url>
<c:url var="nextUrl" value="/GoodsView/GoodsView_QueryGoodsView.action">
<c:param name="currentPage" value="${currentPage < _pages ? currentPage + 1 : _pages}"/>
<c:param name="goodsName" value="${goodsName}"/>
</c:url>
<div class="pages">
<a href="${firstUrl}">首页</a> <a href="${previousUrl}">上一页</a>
<c:forEach var="_n" begin="${currentPage > 5 ? currentPage - 5 : 1}" end="${currentPage + 5 < _pages ? currentPage + 5 : _pages}">
<c:choose><c:when test="${_n == currentPage}"><span class="current">${_n}</span></c:when><c:otherwise>
<c:url var="pageUrl" value="/GoodsView/GoodsView_QueryGoodsView.action">
<c:param name="currentPage" value="${_n}"/>
<c:param name="goodsName" value="${goodsName}"/>
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
