// The chosen postal-code file in the environment file: kept across a restart, and an
// environment file written before the key existed reads as "none chosen".
#include <gtest/gtest.h>

#include "AddressForm/PostalFileChoice.h"
#include "Common/ShiftJis.h"
#include "Frame/PostalFileSetting.h"
#include "Param/TParameter.h"

namespace plomix {
namespace {

TEST(PostalFileSetting, SavedAndRestoredThroughTheEnvironmentFile) {
  const QString path = QString::fromUtf8("/home/利用者/郵便/KEN_ALL.CSV");
  TParameter saved;
  SetChosenPostalFile(path);
  SavePostalFileSetting(saved);
  SetChosenPostalFile({});
  RestorePostalFileSetting(saved);
  EXPECT_EQ(ChosenPostalFile(), path);

  TParameter older;  // no such line
  older.Add("Left=10");
  SetChosenPostalFile({});
  RestorePostalFileSetting(older);
  EXPECT_TRUE(ChosenPostalFile().isEmpty());
  SavePostalFileSetting(older);  // nothing chosen: no line written
  EXPECT_EQ(older.Count(), 1);
}

}  // namespace
}  // namespace plomix
