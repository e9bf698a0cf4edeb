#pragma once
#include "codegen/core/Generator.h"

// sql/t_admin.sql of a project imported from a database: the statement that
// creates the administrators' table the login reads. The program creates no
// table in the user's database; the user runs the script once.
const IGenerator& AdminTableScriptGenerator();
