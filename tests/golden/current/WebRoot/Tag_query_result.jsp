<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>标签列表</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / 标签 / 列表</div>
<c:set var="_pages" value="${totalPage > 0 ? totalPage : 1}"/>
<c:if test="${currentPage > _pages}">
<c:redirect url="/Tag/Tag_QueryTag.action">
<c:param name="currentPage" value="${_pages}"/>
</c:redirect>
</c:if>
<c:url var="lastUrl" value="/Tag/Tag_QueryTag.action">
<c:param name="currentPage" value="${_pages}"/>
</c:url>
<div class="card">
<h1>标签列表</h1>
<c:if test="${not empty param.refused}"><p class="notice">请求的参数不正确或记录不存在，已返回列表。</p></c:if>
<form class="query" method="get" action="${ctx}/Tag/Tag_QueryTag.action">
<input type="submit" value="查询">
<a class="btn" href="${ctx}/Tag/Tag_AddView.action">添加标签</a>
</form>
<p>共 ${recordNumber} 条记录，第 ${currentPage} / ${_pages} 页</p>
<table class="grid">
<tr><th>标签编号</th><th>标签</th><th>操作</th></tr>
<c:forEach items="${tagList}" var="_row">
<c:url var="modifyUrl" value="/Tag/Tag_ModifyTagQuery.action"><c:param name="tagId" value="${_row.tagId}"/></c:url>
<c:url var="deleteUrl" value="/Tag/Tag_DeleteTag.action"><c:param name="tagId" value="${_row.tagId}"/></c:url>
<tr><td><c:out value="${_row.tagId}"/></td><td><c:out value="${_row.label}"/></td><td><a href="${modifyUrl}">修改</a> <form class="inline" method="post" action="${deleteUrl}" onsubmit="return confirm('确定删除这条标签记录吗?')"><input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>"><button class="link danger" type="submit">删除</button></form></td></tr>
</c:forEach>
</table>
<c:url var="firstUrl" value="/Tag/Tag_QueryTag.action">
<c:param name="currentPage" value="1"/>
</c:url>
<c:url var="previousUrl" value="/Tag/Tag_QueryTag.action">
<c:param name="currentPage" value="${currentPage > 1 ? currentPage - 1 : 1}"/>
</c:url>
<c:url var="nextUrl" value="/Tag/Tag_QueryTag.action">
<c:param name="currentPage" value="${currentPage < _pages ? currentPage + 1 : _pages}"/>
</c:url>
<div class="pages">
<a href="${firstUrl}">首页</a> <a href="${previousUrl}">上一页</a>
<c:forEach var="_n" begin="${currentPage > 5 ? currentPage - 5 : 1}" end="${currentPage + 5 < _pages ? currentPage + 5 : _pages}">
<c:choose><c:when test="${_n == currentPage}"><span class="current">${_n}</span></c:when><c:otherwise>
<c:url var="pageUrl" value="/Tag/Tag_QueryTag.action">
<c:param name="currentPage" value="${_n}"/>
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
