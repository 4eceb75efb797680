#pragma once

#include <utility>

namespace fw {

// Calls a function when the scope that holds the object is left, however it
// is left: for the one-off undo that has no handle class of its own.
template <typename Function> class ScopeExit {
public:
    explicit ScopeExit(Function function) : m_function(std::move(function)) {}
    ~ScopeExit() { m_function(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Function m_function;
};

} // namespace fw
