#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace calvern {

// Names one after another in one text, each found by its place: a table of a few hundred
// names takes a few pages this way, where a string object for each took three times as many.
// A name replaced or dropped stays in the text, unreferenced, until its table starts a new one.
class NameText {
 public:
  struct Place {
    std::uint32_t at = 0;
    std::uint32_t size = 0;
  };
  Place Add(std::string_view name) {
    const Place place{static_cast<std::uint32_t>(text_.size()),
                      static_cast<std::uint32_t>(name.size())};
    text_.append(name);
    return place;
  }
  std::string_view operator[](Place place) const {
    return std::string_view(text_).substr(place.at, place.size);
  }

 private:
  std::string text_;
};

}  // namespace calvern
