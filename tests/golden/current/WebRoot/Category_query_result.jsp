<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>分类列表</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / 分类 / 列表</div>
<c:set var="_pages" value="${totalPage > 0 ? totalPage : 1}"/>
<c:if test="${currentPage > _pages}">
<c:redirect url="/Category/Category_QueryCategory.action">
<c:param name="currentPage" value="${_pages}"/>
<c:param name="title" value="${title}"/>
</c:redirect>
</c:if>
<c:url var="lastUrl" value="/Category/Category_QueryCategory.action">
<c:param name="currentPage" value="${_pages}"/>
<c:param name="title" value="${title}"/>
</c:url>
<div class="card">
<h1>分类列表</h1>
<c:if test="${not empty param.refused}"><p class="notice">请求的参数不正确或记录不存在，已返回列表。</p></c:if>
<form class="query" method="get" action="${ctx}/Category/Category_QueryCategory.action">
<label>名称: <input type="text" name="title" value="<c:out value='${title}'/>"></label>
<input type="submit" value="查询">
<a class="btn" href="${ctx}/Category/Category_AddView.action">添加分类</a>
</form>
<p>共 ${recordNumber} 条记录，第 ${currentPage} / ${_pages} 页</p>
<table class="grid">
<tr><th>分类编号</th><th>名称</th><th>上级分类</th><th>操作</th></tr>
<c:forEach items="${categoryList}" var="_row">
<c:url var="modifyUrl" value="/Category/Category_ModifyCategoryQuery.action"><c:param name="categoryId" value="${_row.categoryId}"/></c:url>
<c:url var="deleteUrl" value="/Category/Category_DeleteCategory.action"><c:param name="categoryId" value="${_row.categoryId}"/></c:url>
<tr><td><c:out value="${_row.categoryId}"/></td><td><c:out value="${_row.title}"/></td><td><c:out value="${_row.parent.title}"/></td><td><a href="${modifyUrl}">修改</a> <form class="inline" method="post" action="${deleteUrl}" onsubmit="return confirm('确定删除这条分类记录吗?')"><input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>"><button class="link danger" type="submit">删除</button></form></td></tr>
</c:forEach>
</table>
<c:url var="firstUrl" value="/Category/Category_QueryCategory.action">
<c:param name="currentPage" value="1"/>
<c:param name="title" value="${title}"/>
</c:url>
<c:url var="previousUrl" value="/Category/Category_QueryCategory.action">
<c:param name="currentPage" value="${currentPage > 1 ? currentPage - 1 : 1}"/>
<c:param name="title" value="${title}"/>
</c:url>
<c:url var="nextUrl" value="/Category/Category_QueryCategory.action">
<c:param name="currentPage" value="${currentPage < _pages ? currentPage + 1 : _pages}"/>
<c:param name="title" value="${title}"/>
</c:url>
<div class="pages">
<a href="${firstUrl}">首页</a> <a href="${previousUrl}">上一页</a>
<c:forEach var="_n" begin="${currentPage > 5 ? currentPage - 5 : 1}" end="${currentPage + 5 < _pages ? currentPage + 5 : _pages}">
<c:choose><c:when test="${_n == currentPage}"><span class="current">${_n}</span></c:when><c:otherwise>
<c:url var="pageUrl" value="/Category/Category_QueryCategory.action">
<c:param name="currentPage" value="${_n}"/>
<c:param name="title" value="${title}"/>
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
