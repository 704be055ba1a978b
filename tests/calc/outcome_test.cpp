#include "calc/outcome.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/long.h"
#include "calc/number_text.h"

namespace tubaro {
namespace {

TEST(Capture, AResultIsKept)
{
    const Outcome<Long> read = capture([] { return text_to_long("30,5", ","); });
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), 30);
    EXPECT_EQ(read.error(), std::nullopt);
    EXPECT_EQ(read.value_or_raise(), 30);
}

TEST(Capture, AnErrorBecomesItsKindAndIsRaisedAgainOnDemand)
{
    const Outcome<Long> read = capture([] { return text_to_long("2147483648", ","); });
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.error(), ErrorKind::Overflow);
    try {
        (void)read.value_or_raise();
        FAIL() << "no error raised";
    } catch (const CalcError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Overflow);
    }
}

TEST(Capture, OnlyTheFourKindsAreCaught)
{
    EXPECT_THROW(capture([]() -> std::string { throw std::bad_alloc(); }), std::bad_alloc);
}

}  // namespace
}  // namespace tubaro
