#include "codegen/text/Printer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

// What a template prints: variables, a dollar sign, CR LF line ends, the
// indent on the lines begun under it and not on empty ones.
TEST(PrinterTest, TemplatesPrintAsTheTextTheyEmit)
{
    struct TCase {
        size_t indent;
        std::string text;
        std::string printed;
    };
    const TPrinter::TVars vars = { { "C", "Book" }, { "c", "book" }, { "empty", "" } };
    for (const auto& [indent, text, printed] : std::vector<TCase> {
             { 0, "$C$ $c$ = new $C$();\n", "Book book = new Book();\r\n" },
             { 0, "$${ctx}$$ and $empty$.\n", "${ctx}$ and .\r\n" },
             { 4, "a\n\nb", "    a\r\n\r\n    b" },
             { 2, "$c$\n$empty$\n", "  book\r\n\r\n" },
             { 0, "no line end", "no line end" },
         }) {
        TPrinter out;
        out.Indent(indent);
        out.Print(vars, text);
        EXPECT_EQ(out.Str(), printed) << text;
    }
}

TEST(PrinterTest, AVariableWithoutAValueIsTheGeneratorsFault)
{
    TPrinter out;
    EXPECT_THROW(out.Print({ { "C", "Book" } }, "$C$ $c$\n"), std::logic_error);
    EXPECT_THROW(out.Print("open $C\n"), std::logic_error);
}
