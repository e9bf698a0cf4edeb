<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>库存列表</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / 库存 / 列表</div>
<c:set var="_pages" value="${totalPage > 0 ? totalPage : 1}"/>
<c:if test="${currentPage > _pages}">
<c:redirect url="/Stock/Stock_QueryStock.action">
<c:param name="currentPage" value="${_pages}"/>
<c:param name="storeNo" value="${storeNo}"/>
</c:redirect>
</c:if>
<c:url var="lastUrl" value="/Stock/Stock_QueryStock.action">
<c:param name="currentPage" value="${_pages}"/>
<c:param name="storeNo" value="${storeNo}"/>
</c:url>
<div class="card">
<h1>库存列表</h1>
<c:if test="${not empty param.refused}"><p class="notice">请求的参数不正确或记录不存在，已返回列表。</p></c:if>
<form class="query" method="get" action="${ctx}/Stock/Stock_QueryStock.action">
<label>仓库: <input type="text" name="storeNo" value="<c:out value='${storeNo}'/>"></label>
<input type="submit" value="查询">
<a class="btn" href="${ctx}/Stock/Stock_AddView.action">添加库存</a>
</form>
<p>共 ${recordNumber} 条记录，第 ${currentPage} / ${_pages} 页</p>
<table class="grid">
<tr><th>商品</th><th>仓库</th><th>数量</th><th>操作</th></tr>
<c:forEach items="${stockList}" var="_row">
<c:url var="modifyUrl" value="/Stock/Stock_ModifyStockQuery.action"><c:param name="stock.goodsNo" value="${_row.goodsNo}"/><c:param name="stock.storeNo" value="${_row.storeNo}"/></c:url>
<c:url var="deleteUrl" value="/Stock/Stock_DeleteStock.action"><c:param name="stock.goodsNo" value="${_row.goodsNo}"/><c:param name="stock.storeNo" value="${_row.storeNo}"/></c:url>
<tr><td><c:out value="${_row.goodsNo}"/></td><td><c:out value="${_row.storeNo}"/></td><td><c:out value="${_row.amount}"/></td><td><a href="<c:out value='${modifyUrl}'/>">修改</a> <form class="inline" method="post" action="<c:out value='${deleteUrl}'/>" onsubmit="return confirm('确定删除这条库存记录吗?')"><input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>"><button class="link danger" type="submit">删除</button></form></td></tr>
</c:forEach>
</table>
<c:url var="firstUrl" value="/Stock/Stock_QueryStock.action">
<c:param name="currentPage" value="1"/>
<c:param name="storeNo" value="${storeNo}"/>
</c:url>
<c:url var="previousUrl" value="/Stock/Stock_QueryStock.action">
<c:param name="currentPage" value="${currentPage > 1 ? currentPage - 1 : 1}"/>
<c:param name="storeNo" value="${storeNo}"/>
</c:url>
<c:url var="nextUrl" value="/Stock/Stock_QueryStock.action">
<c:param name="currentPage" value="${currentPage < _pages ? currentPage + 1 : _pages}"/>
<c:param name="storeNo" value="${storeNo}"/>
</c:url>
<div class="pages">
<a href="${firstUrl}">首页</a> <a href="${previousUrl}">上一页</a>
<c:forEach var="_n" begin="${currentPage > 5 ? currentPage - 5 : 1}" end="${currentPage + 5 < _pages ? currentPage + 5 : _pages}">
<c:choose><c:when test="${_n == currentPage}"><span class="current">${_n}</span></c:when><c:otherwise>
<c:url var="pageUrl" value="/Stock/Stock_QueryStock.action">
<c:param name="currentPage" value="${_n}"/>
<c:param name="storeNo" value="${storeNo}"/>
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
