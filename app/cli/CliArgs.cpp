#include "CliArgs.h"

TCliArgs::TCliArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
    const std::set<std::string>& switches)
{
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.rfind("--", 0) != 0 || word == "--") {
            positional_.push_back(word);
            continue;
        }
        if (valueOptions.count(word)) {
            if (i + 1 >= words.size())
                throw TUsageError("选项 " + word + " 缺少取值");
            values_[word] = words[++i];
        } else if (switches.count(word)) {
            switches_.insert(word);
        } else {
            throw TUsageError("未知选项: " + word);
        }
    }
}

void TCliArgs::ExpectPositional(size_t n, const std::string& usage) const
{
    if (positional_.size() != n)
        throw TUsageError("用法: javagen-cli " + usage);
}

bool TCliArgs::Has(const std::string& option) const
{
    return values_.count(option) > 0;
}

std::string TCliArgs::Value(const std::string& option, const std::string& fallback) const
{
    auto it = values_.find(option);
    return it == values_.end() ? fallback : it->second;
}
