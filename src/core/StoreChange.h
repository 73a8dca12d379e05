#pragma once
// Property setters that act only on a real change.
#include <utility>

namespace tessora {

// Stores value in field; true when that changed the field.
template <typename T>
bool StoreChange(T& field, T value) {
  if (field == value) return false;
  field = std::move(value);
  return true;
}

}  // namespace tessora
