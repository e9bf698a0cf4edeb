#pragma once
#include "codegen/core/Generator.h"

#include <vector>

// The generators of the current target (Struts 7, Hibernate 7, Jakarta EE
// 10), in the order a run writes their files. The classes, methods and
// names are the legacy target's, so that a hand-edited legacy tree merges
// into them; what the frameworks now require differs.
const std::vector<const IGenerator*>& CurrentGenerators();

// The per-class Java of the target.
std::string BuildEntityClass(const TGenInput& in, const TClassData& c);
// withPages: the DAO serves the generated pages (--webapp): a save checks the
// row its form was opened on, and QueryAll counts before it reads.
// postgresql: a LIKE names its escape (Hibernate 7 gives PostgreSQL none).
std::string BuildCurrentDaoClass(
    const std::string& packageName, const TClassData& c, bool withPages, bool postgresql = false);
std::string BuildCurrentActionClass(const std::string& packageName, const TClassData& c);
// Bytes (二进制 members): the members, the paths of the actions that take
// a file ("/C/C_AddC.action", ... as Java strings), and the Action's
// upload and download methods.
std::vector<TMember> BinaryMembers(const TClassData& c);
// The most bytes a member's column holds (its length; 16 MB at most, what
// a request may carry).
long long BinaryCapacity(const TMember& m);
std::string UploadActions(const std::vector<TClassData>& classes);
std::string BuildUploadMethods(const TClassData& c);
// struts.xml and hibernate.cfg.xml.
std::string BuildCurrentStrutsConfig(const TGenInput& in);
std::string BuildCurrentHibernateConfig(const TGenInput& in);
// The build: pom.xml and README.txt.
std::string BuildCurrentPom(const TGenInput& in);
std::string BuildCurrentReadme(const TGenInput& in);
