#pragma once
#include "codegen/core/ClassData.h"
#include "codegen/core/Generator.h"
#include "codegen/text/TextBuilder.h"

#include <string>

// The web application struts.xml names, asked for with --webapp: the pages
// under WebRoot/ (UTF-8, JSP with EL and JSTL 1.2 only, so that they run on
// any Struts 2), WEB-INF/web.xml, the filters, the build, and per class its
// three pages and the validation files beside its Action.
const IGenerator& WebAppGenerator();
const IGenerator& ValidationGenerator();

// The build files of the application: pom.xml, .mvn/jvm.config, build.xml,
// the offline list of jars and README.txt.
void AddBuildFiles(const TGenInput& in, TFiles& out);
// src/hibernate.properties: the connection pool of the legacy (c3p0) or the
// current target (HikariCP).
std::string BuildPoolProperties(const TGenInput& in, bool current);
// The README's lines on the database: how to create it, the pool.
void DatabaseNotes(TText& out, const TProjectDatabase& database);
// The application's Maven artifact and war name: the last part of the
// package name (a Java name, so no project name reaches Maven's ${...}).
std::string ArtifactId(const TGenInput& in);

// The pages of one class; field names are what its Action binds.
std::string BuildAddPage(const TGenInput& in, const TClassData& c);
std::string BuildModifyPage(const TGenInput& in, const TClassData& c);
std::string BuildQueryPage(const TGenInput& in, const TClassData& c);
