#include "form/event_edge.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <vector>

namespace tubaro {
namespace {

struct Reports {
    std::vector<EventEdge::Report> seen;
    EventEdge edge{[this](const EventEdge::Report& report) { seen.push_back(report); }};
};

[[noreturn]] void fail(ErrorKind kind)
{
    throw CalcError(kind);
}

TEST(EventEdge, AnErrorStopsAtTheEdgeAndIsReportedOnceWithItsSource)
{
    Reports r;
    bool after_the_failing_step = false;
    r.edge.run(ControlId::Text_P, [&] {
        fail(ErrorKind::DivisionByZero);
        after_the_failing_step = true;
    });
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].source, ControlId::Text_P);
    EXPECT_EQ(r.seen[0].kind, ErrorKind::DivisionByZero);
    EXPECT_FALSE(after_the_failing_step);

    // The program goes on: the next event runs and succeeds.
    bool ran = false;
    r.edge.run(ControlId::Text_Y, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(r.seen.size(), 1u);
}

// A handler run inside another (a change run by an assignment) is no edge:
// its error ends the outer handler too, and is reported once, as coming
// from the outer event's control.
TEST(EventEdge, ANestedErrorEndsTheOuterHandler)
{
    Reports r;
    std::vector<const char*> steps;
    r.edge.run(ControlId::UpDown_D, [&] {
        steps.push_back("before the assignment");
        r.edge.run(ControlId::Text_D, [] { fail(ErrorKind::TypeMismatch); });
        steps.push_back("after the assignment");
    });
    EXPECT_EQ(steps, (std::vector<const char*>{"before the assignment"}));
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].source, ControlId::UpDown_D);
    EXPECT_EQ(r.seen[0].kind, ErrorKind::TypeMismatch);
}

TEST(EventEdge, AFailureOutsideTheFourKindsStopsThereTooWithoutAKind)
{
    Reports r;
    r.edge.run(std::nullopt, [] { throw std::bad_alloc(); });
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].source, std::nullopt);
    EXPECT_EQ(r.seen[0].kind, std::nullopt);
    // The edge is whole again for the next event.
    r.edge.run(ControlId::Text_L, [] { fail(ErrorKind::Overflow); });
    EXPECT_EQ(r.seen.back().source, ControlId::Text_L);
}

}  // namespace
}  // namespace tubaro
