#pragma once

#include <cstdint>

// States of a picture cell. Writers store one whole value; readers test bits,
// because the solver's write-back adds csNewFlag to a decided value.
constexpr int32_t csUnknown = 0;
constexpr int32_t csFilled = 1;
constexpr int32_t csEmpty = 2;
constexpr int32_t csMaybeFilled = 4;
constexpr int32_t csMaybeEmpty = 8;
constexpr int32_t csNewFlag = 16;

constexpr bool IsCellDecided(int32_t value) {
  return (value & (csFilled | csEmpty)) != 0;
}
constexpr bool IsCellFilled(int32_t value) {
  return (value & csFilled) != 0;
}
constexpr bool IsCellMightBe(int32_t value) {
  return (value & (csMaybeFilled | csMaybeEmpty)) != 0;
}
