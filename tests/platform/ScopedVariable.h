// An environment variable set (or unset) for as long as one test needs it, and put back as it
// was afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace orvanto::testing {

class ScopedVariable {
  public:
    // Keeps the variable's value to put back; set() changes it.
    explicit ScopedVariable(const char* name) : m_name(name) {
        if (const char* saved = std::getenv(name)) {
            m_saved = saved;
        }
    }
    ScopedVariable(const char* name, const std::optional<std::string>& value)
        : ScopedVariable(name) {
        set(value);
    }
    ~ScopedVariable() { restore(); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    void set(const std::optional<std::string>& value) const {
        if (value) {
            ::setenv(m_name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(m_name.c_str());
        }
    }

    void restore() const { set(m_saved); }

  private:
    std::string m_name;
    std::optional<std::string> m_saved;
};

} // namespace orvanto::testing
