<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>商店</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a></div>
<div class="card">
<h1>商店</h1>
<p>当前用户: <c:out value="${sessionScope.username}"/> | <a href="${ctx}/changePassword_input.action">修改密码</a> | <form class="inline" method="post" action="${ctx}/user_Logout.action"><input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>"><button class="link" type="submit">注销</button></form></p>
<table class="grid">
<tr><th>业务</th><th>操作</th></tr>
<tr><td>分类</td><td><a href="${ctx}/Category/Category_QueryCategory.action">查询</a> <a href="${ctx}/Category/Category_AddView.action">添加</a></td></tr>
<tr><td>标签</td><td><a href="${ctx}/Tag/Tag_QueryTag.action">查询</a> <a href="${ctx}/Tag/Tag_AddView.action">添加</a></td></tr>
<tr><td>商品</td><td><a href="${ctx}/Goods/Goods_QueryGoods.action">查询</a> <a href="${ctx}/Goods/Goods_AddView.action">添加</a></td></tr>
<tr><td>库存</td><td><a href="${ctx}/Stock/Stock_QueryStock.action">查询</a> <a href="${ctx}/Stock/Stock_AddView.action">添加</a></td></tr>
<tr><td>商品一览</td><td><a href="${ctx}/GoodsView/GoodsView_QueryGoodsView.action">查询</a></td></tr>
</table>
</div>
</main>
</div>
</body>
</html>
