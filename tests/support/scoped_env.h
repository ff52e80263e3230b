// Sets or removes environment variables for one scope, restoring them after.
#pragma once

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

class ScopedEnv {
  public:
    ScopedEnv() = default;
    // One variable; a null value removes it.
    ScopedEnv(const char* name, const char* value) {
        Set(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

    // nullopt removes the variable.
    ScopedEnv& Set(const std::string& name, const std::optional<std::string>& value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
        return *this;
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};
