#pragma once
#include "Generator.h"

// utils/DateTextType.java: the Hibernate type of a date member imported from
// a database, which reads a DATETIME as the text it was written with. Made
// only for a project that has such a member.
const IGenerator& DateTextTypeGenerator();

// Whether the member maps through DateTextType.
bool UsesDateTextType(const TMember& member);
