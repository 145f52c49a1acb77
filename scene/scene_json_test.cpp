#include "scene/scene_json.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

// The page's script reads its measures from the layout object, under these
// names; the picture draws with the same constants, the legend's words for
// the findings' mark among them.
TEST(ScenaJson, CarriesTheMeasuresThePageShares) {
  const std::string json = scena_in_json(scena{});
  EXPECT_NE(json.find("\"layout\":{\"mark\":9,\"lane0\":17,\"lane\":14,\"font\":11,\"small\":10,\"gutter\":170,"
                      "\"family\":\"DejaVu Sans, Verdana, Arial, sans-serif\",\"above\":0.95,\"below\":0.27,"
                      "\"end\":\"#6a1b9a\",\"fault\":\"#d50000\","
                      "\"faultKey\":\"error or timetable finding where it points\"}"),
            std::string::npos)
      << json;
}

}  // namespace
}  // namespace sb
