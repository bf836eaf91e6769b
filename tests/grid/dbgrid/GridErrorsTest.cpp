// The grid's error and the test that fields can all be modified.
#include <gtest/gtest.h>

#include "grid/DBGridGx/GridErrors.h"
#include "platform/data/DBClient.h"
#include "platform/rtl/Exceptions.h"

namespace {

TEST(GridErrors, TheGridErrorCarriesItsMessage) {
  try {
    RaiseInvalidGridOperation("Grid requested to display more than 256 columns");
    FAIL() << "no error";
  } catch (const EInvalidGridOperation& E) {
    EXPECT_EQ(E.Message(), "Grid requested to display more than 256 columns");
  }
}

TEST(GridErrors, AllFieldsCanModify) {
  TClientDataSet DataSet(nullptr);
  DataSet.FieldDefs().Add("A", ftInteger);
  DataSet.FieldDefs().Add("B", ftString, 10);
  DataSet.CreateDataSet();
  TList Fields;
  EXPECT_TRUE(AllFieldsCanModify(&Fields));
  Fields.Add(DataSet.FieldByName("A"));
  Fields.Add(DataSet.FieldByName("B"));
  EXPECT_TRUE(AllFieldsCanModify(&Fields));
  DataSet.FieldByName("B")->SetReadOnly(true);
  EXPECT_FALSE(AllFieldsCanModify(&Fields));
}

}  // namespace
