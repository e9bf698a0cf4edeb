#include "model/store/ResultSet.h"

#include "model/store/DbError.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <strings.h>

TResultSet::TResultSet(std::vector<std::string> columns, std::vector<TRow> rows)
    : columns_(std::move(columns))
    , rows_(std::move(rows))
{
}

void TResultSet::Next()
{
    if (!Eof())
        ++position_;
}

size_t TResultSet::ColumnIndex(const std::string& column) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (strcasecmp(columns_[i].c_str(), column.c_str()) == 0)
            return i;
    throw TDbError("查询结果中没有列 " + column);
}

const std::string& TResultSet::Cell(size_t index, const std::string& column) const
{
    if (Eof())
        throw TDbError("查询结果已到末尾，无法读取列 " + column);
    if (index >= rows_[position_].size())
        throw TDbError("查询结果中没有列 " + column);
    const auto& cell = rows_[position_][index];
    if (!cell)
        throw TDbError("列 " + column + " 的值为空(NULL)，无法读取");
    return *cell;
}

std::string TResultSet::AsText(const std::string& column) const
{
    return Cell(ColumnIndex(column), column);
}

std::string TResultSet::AsText(size_t index) const
{
    return Cell(index, "#" + std::to_string(index + 1));
}

int ParseInteger(const std::string& text, const std::string& column)
{
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        throw TDbError("列 " + column + " 的值 '" + text + "' 不是有效的整数");
    return static_cast<int>(value);
}

int TResultSet::AsInteger(const std::string& column) const
{
    return ParseInteger(AsText(column), column);
}

int TResultSet::AsInteger(size_t index) const
{
    return ParseInteger(AsText(index), "#" + std::to_string(index + 1));
}
