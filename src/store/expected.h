// A value or the reason there is none: how the logic reports failures to the windows.
#pragma once

#include <utility>
#include <variant>

namespace tavrin {

template <class E> struct Unexpected {
    // A constructor of its own, so that Unexpected(e) works on compilers without parenthesized
    // aggregate initialisation.
    Unexpected(E e) : error(std::move(e)) {}
    E error;
};
template <class E> Unexpected(E) -> Unexpected<E>;

template <class T, class E> class Expected {
  public:
    Expected(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Expected(Unexpected<E> u) : v_(std::in_place_index<1>, std::move(u.error)) {}

    bool has_value() const { return v_.index() == 0; }
    explicit operator bool() const { return has_value(); }
    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const E& error() const { return std::get<1>(v_); }

  private:
    std::variant<T, E> v_;
};

// For operations that give nothing back but may fail.
struct Done {};

} // namespace tavrin
