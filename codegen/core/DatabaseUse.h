#pragma once
#include "model/store/DatabaseKind.h"
#include "model/store/ProjectDatabase.h"

// Whether a project's application uses PostgreSQL (else MariaDB/MySQL).
inline bool UsesPostgresql(const TProjectDatabase& database)
{
    return database.kind == kDatabasePostgresql;
}

// The PostgreSQL JDBC driver both targets' builds take.
inline const char* const kPostgresqlDriverVersion = "42.7.14";
