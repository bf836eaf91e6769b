#pragma once
// Set<E>: the class library's set type over an enumeration with values 0..63.
#include <cstdint>
#include <initializer_list>

template <class E>
class Set {
public:
  constexpr Set() = default;
  constexpr Set(std::initializer_list<E> items) {
    for (E e : items) FBits |= Bit(e);
  }
  static constexpr Set FromBits(std::uint64_t bits) { Set s; s.FBits = bits; return s; }
  constexpr std::uint64_t Bits() const { return FBits; }

  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr Set& Include(E e) { FBits |= Bit(e); return *this; }
  constexpr Set& Exclude(E e) { FBits &= ~Bit(e); return *this; }

  constexpr Set operator+(Set o) const { return FromBits(FBits | o.FBits); }
  constexpr Set operator-(Set o) const { return FromBits(FBits & ~o.FBits); }
  constexpr Set operator*(Set o) const { return FromBits(FBits & o.FBits); }
  constexpr Set operator+(E e) const { return FromBits(FBits | Bit(e)); }
  constexpr Set operator-(E e) const { return FromBits(FBits & ~Bit(e)); }
  constexpr Set& operator+=(Set o) { FBits |= o.FBits; return *this; }
  constexpr Set& operator-=(Set o) { FBits &= ~o.FBits; return *this; }
  constexpr Set& operator*=(Set o) { FBits &= o.FBits; return *this; }
  constexpr Set& operator+=(E e) { FBits |= Bit(e); return *this; }
  constexpr Set& operator-=(E e) { FBits &= ~Bit(e); return *this; }
  constexpr bool operator==(const Set&) const = default;
  // a <= b: every member of a is in b.
  constexpr bool operator<=(Set o) const { return (FBits & ~o.FBits) == 0; }
  constexpr bool operator>=(Set o) const { return o <= *this; }

private:
  static constexpr std::uint64_t Bit(E e) { return std::uint64_t(1) << static_cast<unsigned>(e); }
  std::uint64_t FBits = 0;
};
