#pragma once
// A form's code binds its controls once, by name, as the form is made, to
// typed members: a misspelt name or a missing element fails then (error
// 730, "no such control"), not in a handler that rarely runs.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/forms/form.h"
#include "platform/forms/form_error.h"

namespace forms {

// The elements 0 to N-1 of a control array, which must have exactly N.
template <std::size_t N>
std::array<Control*, N> BindArray(const Form& form, std::string_view name) {
  std::array<Control*, N> elements{};
  for (std::size_t i = 0; i < N; ++i) elements[i] = &form.Item(name, static_cast<int>(i));
  if (form.Has(name, static_cast<int>(N)))
    throw Error(kErrNoSuchControl, "The control array '" + std::string(name) + "' has more than " +
                                       std::to_string(N) + " elements");
  return elements;
}

}  // namespace forms
