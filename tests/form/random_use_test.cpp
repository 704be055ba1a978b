#include <gtest/gtest.h>

#include "tests/support/random_use.h"
#include "tests/support/windowless_form.h"

namespace {

using tubaro::Quantity;

class WindowlessDriver final : public random_use::Driver {
public:
    explicit WindowlessDriver(const std::string& separator) : m_form(separator) {}

    void type(Quantity field, char key) override { m_form.type(field, std::string(1, key)); }
    void backspace(Quantity field) override { m_form.backspace(field); }
    void step(Quantity field, int direction) override { m_form.step(field, direction); }
    void click_option(Quantity mode) override { m_form.click_option(mode); }
    void click_check1() override { m_form.click_check1(); }
    void click_text1() override { m_form.click_text1(); }

    std::string text(Quantity field) const override { return m_form.text(field); }
    std::string designation() const override { return m_form.designation(); }
    std::string information() const override { return m_form.information(); }
    int options_set() const override { return m_form.options_set(); }
    std::optional<Quantity> mode() const override { return m_form.mode(); }
    bool spin_visible(Quantity field) const override { return m_form.spin_visible(field); }
    bool check1_checked() const override { return m_form.check1() != 0; }
    bool topmost() const override { return m_form.topmost(); }
    int errors_reported() const override { return static_cast<int>(m_form.errors().size()) + m_form.other_failures(); }

private:
    tubaro::WindowlessForm m_form;
};

struct RandomRun {
    const char* name;
    const char* separator;
    std::uint32_t generator_state;
};

class RandomUse : public testing::TestWithParam<RandomRun> {};

TEST_P(RandomUse, EveryEventKeepsEveryInvariant)
{
    WindowlessDriver window(GetParam().separator);
    const auto summary = random_use::run(window, GetParam().separator, 50'000, GetParam().generator_state);
    EXPECT_EQ(summary.failure, "");
    EXPECT_GT(summary.recalculations_checked, 1000);  // the run really exercised the results
}

INSTANTIATE_TEST_SUITE_P(Runs, RandomUse,
                         testing::Values(RandomRun{"Comma", ",", 20261207}, RandomRun{"Point", ".", 4242},
                                         RandomRun{"CommaAgain", ",", 7}),
                         [](const auto& row_info) { return std::string(row_info.param.name); });

}  // namespace
