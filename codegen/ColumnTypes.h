#pragma once
#include "Generator.h"

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
