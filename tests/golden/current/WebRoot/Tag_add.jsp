<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<c:set var="_origin" value="${requestScope['jakarta.servlet.forward.servlet_path']}"/>
<c:if test="${_origin != '/Tag/Tag_AddView.action' and _origin != '/Tag/Tag_AddTag.action' and _origin != '/Tag/Tag_ModifyTag.action'}">
<c:redirect url="/Tag/Tag_QueryTag.action"><c:param name="refused" value="1"/></c:redirect>
</c:if>
<c:set var="_modifying" value="${_origin == '/Tag/Tag_ModifyTag.action'}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title><c:choose><c:when test="${_modifying}">修改标签</c:when><c:otherwise>添加标签</c:otherwise></c:choose></title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / <a href="${ctx}/Tag/Tag_QueryTag.action">标签</a> / <c:choose><c:when test="${_modifying}">修改</c:when><c:otherwise>添加</c:otherwise></c:choose></div>
<div class="card">
<h1><c:choose><c:when test="${_modifying}">修改标签</c:when><c:otherwise>添加标签</c:otherwise></c:choose></h1>
<c:if test="${not empty actionErrors}">
<ul class="errors">
<c:forEach items="${actionErrors}" var="_e"><li><c:out value="${_e}"/></li></c:forEach>
</ul>
</c:if>
<c:if test="${not empty requestScope.error}">
<%
    pageContext.setAttribute("_refusal", java.net.URLDecoder.decode(request.getAttribute("error").toString(), java.nio.charset.StandardCharsets.UTF_8));
%>
<ul class="errors"><li>标签未保存: <c:out value="${_refusal}"/></li>
<c:if test="${requestScope._rowRefusal == 'gone'}"><li>该标签不存在，可能已被删除!</li></c:if>
<c:if test="${requestScope._rowRefusal == 'changed'}"><li>该标签在您打开后已被其他用户修改，您的输入尚未保存：请核对，再次保存将覆盖其修改!</li></c:if>
</ul>
</c:if>
<form method="post" action="${ctx}/Tag/${_modifying ? 'Tag_ModifyTag' : 'Tag_AddTag'}.action">
<input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>">
<c:if test="${_modifying}"><input type="hidden" name="_loaded" value="<c:out value='${empty requestScope._rowNow ? param._loaded : requestScope._rowNow}'/>"></c:if>
<table class="form">
<c:choose><c:when test="${_modifying}">
<tr><th>标签编号</th><td><c:out value="${tag.tagId}"/><input type="hidden" name="tag.tagId" value="<c:out value='${tag.tagId}'/>"></td></tr>
</c:when><c:otherwise>
</c:otherwise></c:choose>
<tr><th>标签<span class="required">*</span></th><td><input type="text" name="tag.label" maxlength="20" value="<c:out value='${not empty paramValues["tag.label"] ? param["tag.label"] : tag.label}'/>"><c:forEach items="${fieldErrors['tag.label']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
</table>
<p><span class="required">*</span> 为必填项</p>
<p><input class="btn primary" type="submit" value="保存"> <a class="btn" href="${ctx}/Tag/Tag_QueryTag.action">返回列表</a> <a class="btn" href="${ctx}/user_ShowUser.action">返回主页</a></p>
</form>
</div>
</main>
</div>
</body>
</html>
