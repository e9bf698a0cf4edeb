#pragma once
#include "codegen/core/Generator.h"

// The Hibernate types of members imported from a database, each in utils/
// and made only for a project that has such a member:
// DateTextType.java reads and writes a date or time column as the text it
// holds (no time zone, fraction kept) and an empty date as NULL;
// OptionalTextType.java stores an empty optional text as NULL.
const IGenerator& DateTextTypeGenerator();
const IGenerator& OptionalTextTypeGenerator();

// Whether the member maps through DateTextType.
bool UsesDateTextType(const TMember& member);
// Whether the member maps through OptionalTextType.
bool UsesOptionalTextType(const TMember& member);

// Whether the application writes the member's column when it adds a row:
// not a column the database always fills, nor a text or date whose default
// must win (an empty number or reference is left out by dynamic-insert).
bool InsertedByApplication(const TMember& member);
// Whether it writes the column when it saves a changed row.
bool UpdatedByApplication(const TMember& member);
