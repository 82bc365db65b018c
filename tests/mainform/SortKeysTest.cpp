#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>

#include "mainform/SortKeys.h"

namespace {

using mainform::numberSortKey;

QStringList sortedByKey(QStringList values) {
    std::stable_sort(values.begin(), values.end(), [](const QString& a, const QString& b) {
        return numberSortKey(a) < numberSortKey(b);
    });
    return values;
}

TEST(SortKeys, InvertDigitsSwapsDigitsAndBlanksMinus) {
    EXPECT_EQ(mainform::InvertDigits("0123456789"), "9876543210");
    EXPECT_EQ(mainform::InvertDigits("-1.5x"), " 8.4x");
}

TEST(SortKeys, KeysHaveTheFixedWidth) {
    EXPECT_EQ(numberSortKey("12.5"), QString(28, '0') + "12." + "5" + QString(29, '0'));
    EXPECT_EQ(numberSortKey("0").size(), 61);
    EXPECT_EQ(numberSortKey("-3").size(), 62);
    EXPECT_EQ(numberSortKey("New"), "");
    EXPECT_EQ(numberSortKey(""), "");
}

struct OrderCase {
    QStringList values;
    QStringList sorted;
};

class NumberOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(NumberOrder, KeysOrderLikeNumbers) {
    EXPECT_EQ(sortedByKey(GetParam().values), GetParam().sorted);
}

INSTANTIATE_TEST_SUITE_P(
    SortKeys, NumberOrder,
    ::testing::Values(OrderCase{{"10", "9", "2"}, {"2", "9", "10"}},
                      OrderCase{{"3", "New", "1", "2"}, {"New", "1", "2", "3"}},
                      OrderCase{{"5", "-3", "0", "-12"}, {"-12", "-3", "0", "5"}},
                      OrderCase{{"2.5", "2.25", "-0.5", "-0.25"},
                                {"-0.5", "-0.25", "2.25", "2.5"}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(SortKeys, NumericTextAsTyped) {
    for (const char* yes : {"12", " 7 ", "2.5", "-3", ".5", "1e3"})
        EXPECT_TRUE(mainform::isNumeric(yes)) << yes;
    for (const char* no : {"", "-", "1a", "a1", "1.2.3", "--1"})
        EXPECT_FALSE(mainform::isNumeric(no)) << no;
}

TEST(SortKeys, SlideNumbersRoundHalvesToEven) {
    EXPECT_EQ(mainform::roundHalfEven(2.5), 2);
    EXPECT_EQ(mainform::roundHalfEven(3.5), 4);
    EXPECT_EQ(mainform::roundHalfEven(4.4), 4);
}

}  // namespace
