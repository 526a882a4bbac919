// The record list keeps its three fields in step and is a well-behaved item model.
#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

#include "Records/RecordList.h"

namespace plomix {
namespace {

using Strings = std::vector<std::string>;

TEST(RecordList, EveryChangeKeepsTheThreeListsInStepUnderTheModelTester) {
  TRecordList list;
  QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
  list.Replace({"1", "2", "3"}, {"u1", "u2", "u3"}, {"d1", "d2", "d3"});
  list.Insert(1, {"9", "u9", "d9"});
  list.Exchange(0, 3);
  list.Delete(2);
  list.SetComments(0, "x", "y");
  list.ReplaceComments(rfCommentDown, {"a", "b", "c"});
  EXPECT_EQ(list.List(rfCode), (Strings{"3", "9", "1"}));
  EXPECT_EQ(list.List(rfCommentUp), (Strings{"x", "u9", "u1"}));
  EXPECT_EQ(list.List(rfCommentDown), (Strings{"a", "b", "c"}));
}

TEST(RecordList, FindCodeComparesBytesExactlyAndReturnsTheFirstMatch) {
  TRecordList list;
  list.Replace({"abc", "ABC", "abc"}, {"", "", ""}, {"", "", ""});
  EXPECT_EQ(list.FindCode("ABC"), 1);
  EXPECT_EQ(list.FindCode("abc"), 0);
  EXPECT_EQ(list.FindCode("ab"), -1);
}

TEST(RecordList, RefusesListsOfUnequalLength) {
  TRecordList list;
  EXPECT_THROW(list.Replace({"1", "2"}, {""}, {"", ""}), std::invalid_argument);
  list.Replace({"1"}, {""}, {""});
  EXPECT_THROW(list.ReplaceComments(rfCommentUp, {}), std::invalid_argument);
  EXPECT_EQ(list.Count(), 1);
}

TEST(RecordList, ShowsShiftJisFieldsAsUnicode) {
  TRecordList list;
  list.Replace({"\x83\x65\x83\x58\x83\x67"}, {""}, {""});  // テスト in Shift-JIS
  EXPECT_EQ(list.data(list.index(0, rfCode)).toString(), QString::fromUtf8("テスト"));
}

}  // namespace
}  // namespace plomix
