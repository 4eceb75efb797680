#pragma once

#include <clocale>
#include <cstdlib>
#include <optional>
#include <stdlib.h>
#include <string>

// Sets an environment variable (or removes it) for the life of the object
// and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        Set(value);
    }
    ~ScopedEnv() { Set(m_old); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            setenv(m_name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }
    std::string m_name;
    std::optional<std::string> m_old;
};

// Sets the LC_CTYPE locale for the life of the object.
class ScopedCtypeLocale {
public:
    explicit ScopedCtypeLocale(const char* name) : m_old(std::setlocale(LC_CTYPE, nullptr)) {
        m_ok = std::setlocale(LC_CTYPE, name) != nullptr;
    }
    ~ScopedCtypeLocale() { std::setlocale(LC_CTYPE, m_old.c_str()); }
    ScopedCtypeLocale(const ScopedCtypeLocale&) = delete;
    ScopedCtypeLocale& operator=(const ScopedCtypeLocale&) = delete;
    bool ok() const { return m_ok; }

private:
    std::string m_old;
    bool m_ok = false;
};
