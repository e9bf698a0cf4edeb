#pragma once
#include <stdexcept>

// A model that cannot be generated (found by a generator); ends the run.
class TGenerationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
