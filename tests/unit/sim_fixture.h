#pragma once
// A fresh simulated desktop and one program run per test, told in stories,
// and tables' case names.

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>

#include "story.h"

namespace nookshade::test {

using sim::kBackspace, sim::kSpace, sim::kLShift, sim::kRShift, sim::kLCtrl, sim::kRCtrl,
    sim::kLAlt, sim::kRAlt, sim::kLWin;

// Names a table's case after its `name`, so that a failure says which case.
inline std::string CaseName(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return out;
}
template <typename Param>
std::string NameOf(const ::testing::TestParamInfo<Param>& info) {
  return CaseName(info.param.name);
}

class SimTest : public ::testing::Test, public sim::World {
 protected:
  std::optional<std::string> Stored(const SettingKey& key) const {
    return desktop.StoredString(SettingPath(kAppName, key.section), std::string(key.key));
  }
};

// A table's case told as a story.
struct Story {
  const char* name;
  const char* steps;
  const char* outcome;
};

inline void PrintTo(const Story& story, std::ostream* out) { *out << story.steps; }

class StoryTest : public SimTest, public ::testing::WithParamInterface<Story> {};

}  // namespace nookshade::test
