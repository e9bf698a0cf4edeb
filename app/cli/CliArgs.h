#pragma once
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// Wrong use of the command line: exit status 2.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Refused by an entry rule or not found: exit status 1.
class TRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The words of one command: positional words, "--name VALUE" options and
// "--flag" switches, in any order after the command words.
class TCliArgs {
public:
    TCliArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
        const std::set<std::string>& switches);

    const std::vector<std::string>& Positional() const { return positional_; }
    // Exactly n positional words, or a usage error naming the form.
    void ExpectPositional(size_t n, const std::string& usage) const;
    bool Has(const std::string& option) const;
    std::string Value(const std::string& option, const std::string& fallback = "") const;
    bool Switch(const std::string& name) const { return switches_.count(name) > 0; }

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> switches_;
};
