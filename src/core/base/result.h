// Errors a user can cause come back as values carrying a message the window can show.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace discora {

struct Error
{
    std::string message;
};

template <typename T> class Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Error error) : m_value(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_value); }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<T>(m_value); }
    const T& value() const { return std::get<T>(m_value); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const std::string& error() const { return std::get<Error>(m_value).message; }

private:
    std::variant<T, Error> m_value;
};

struct Done
{
};
using Status = Result<Done>;
inline Status success()
{
    return Done{};
}

} // namespace discora
