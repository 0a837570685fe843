#include <gtest/gtest.h>

#include "json_reader.h"
#include "test_support.h"

// The reference tables the method tests rely on are readable.
TEST(ReferenceData, EveryJsonTableParses) {
  for (const char* name : {"gost30319_2_gerg91.json", "air_reduced_eos.json", "gost30319_3_vnic.json",
                           "aga8_92dc.json", "aga8_rgazprom10.json", "methane_setzmann_wagner.json",
                           "mr134_07_tables.json", "mr135_07_model.json"}) {
    EXPECT_NO_THROW(velmar::testing::readReferenceJson(name)) << name;
  }
}

TEST(ReferenceData, CsvTablesHaveRows) {
  EXPECT_EQ(velmar::testing::readReferenceCsv("gerg91_reference.csv").size(), 350u);
  EXPECT_EQ(velmar::testing::readReferenceCsv("aga8_detail_reference.csv").size(), 282u);
}
