#pragma once
#include "model/commands/ModelSnapshot.h"

#include <string>
#include <vector>

// Models written as literals, for tests of the checks and generators that
// need no database. Flags are letters as in ModelBuilder: p primary,
// m required, q query, d display, h hidden on the query page; and n for a
// column that may hold NULL, g and a for a key the database generates or the
// program assigns, f and F for a column the database fills by default or
// always. What an import knows is written into the names: a class
// "Book@book" maps to the table book, a member "bookName@book_name" to the
// column book_name; a type "定点数(10,2)" has its precision and scale; a
// class "Sales@sales_view!" is a view's read-only class.
struct TLiteralMember {
    std::string name;
    std::string type;
    std::string flags;
    int length = 0;
    std::string comment;
};

struct TLiteralClass {
    std::string name;
    std::vector<TLiteralMember> members;
    std::string friendName = "友好";
};

using TLiteralModel = std::vector<TLiteralClass>;

// Project 1; classes numbered from 1 and members from 1 in literal order,
// memberIsInteger and memberIsFloat following the type as the dialogs set them.
TModelSnapshot LiteralSnapshot(const TLiteralModel& classes);

// The rows BuildLibraryModel and BuildTrickyModel enter.
TLiteralModel LibraryLiteral();
TLiteralModel TrickyLiteral();
