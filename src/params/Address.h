#pragma once

#include <cstddef>

namespace dravinor::params {

// A byte's place in the controller's parameter image. A type of its own, so
// that a write's address and value cannot change places unnoticed: a number
// becomes an Address only where it is spelt out (a table's name, a typed
// address, a file's offset).
class Address {
public:
    constexpr explicit Address(int number) : number_(number) {}

    constexpr int number() const { return number_; }
    // The byte after it: a word's low byte after its high byte.
    constexpr Address next() const { return Address(number_ + 1); }
    // For indexing the image and address sets.
    constexpr std::size_t index() const { return static_cast<std::size_t>(number_); }

    // Spelt out rather than <=>: moc reads this header through the window's
    // headers and cannot parse <compare>.
    constexpr bool operator==(const Address&) const = default;
    friend constexpr bool operator<(Address a, Address b) { return a.number_ < b.number_; }
    friend constexpr bool operator<=(Address a, Address b) { return a.number_ <= b.number_; }
    friend constexpr bool operator>(Address a, Address b) { return a.number_ > b.number_; }
    friend constexpr bool operator>=(Address a, Address b) { return a.number_ >= b.number_; }

private:
    int number_;
};

}  // namespace dravinor::params
