// The units are only what the user sees: the same herd and diets typed in
// pounds, Mcal or MJ, priced per short ton, grow as they do typed in
// kilograms and kcal per tonne; the boxes show the same run converted back.
#include <gtest/gtest.h>

#include <string>

#include "growth/GrowthRun.h"
#include "shared/Numbers.h"
#include "shared/Units.h"
#include "support/MainWindowFixture.h"

namespace tarvisol {
namespace {

struct UnitSystem {
    int energy, weight, price;
};

// The fixture's programme (kg, kcal/kg, per tonne) typed in the given units.
void TypeIn(testing::MainWindowFixture& x, UnitSystem u) {
    SharedState& s = *x.s;
    MainWindow& w = *x.w;
    const auto weight = [&](const std::string& kg) { return FormatExact(Val(kg) / WeightFactor(u.weight)); };
    w.Text1.Text = weight(w.Text1.Text);
    w.Text3.Text = weight(w.Text3.Text);
    for (int d = 1; d <= 3; ++d) {
        Grid& g = w.Griddiets;
        g.SetTextMatrix(2, d, FormatExact(Val(g.TextMatrix(2, d)) * PriceFactor(1) / PriceFactor(u.price)));
        g.SetTextMatrix(3, d, weight(g.TextMatrix(3, d)));
        g.SetTextMatrix(4, d, FormatExact(Val(g.TextMatrix(4, d)) / EnergyFactor(u.energy)));
    }
    s.EnergyUnit() = static_cast<int16_t>(u.energy);
    s.WeightUnit() = static_cast<int16_t>(u.weight);
    s.PriceUnit() = static_cast<int16_t>(u.price);
}

TEST(UnitSystems, GrowthGivesTheSameRunInEveryUnitSystem) {
    testing::MainWindowFixture metric;
    ASSERT_EQ(Growth(*metric.s), GrowthOutcome::Results);
    const double kg = NumVal(std::string_view(metric.w->Text4.Text));
    for (const UnitSystem u : {UnitSystem{1, 1, 3}, UnitSystem{3, 1, 3}, UnitSystem{2, 0, 2}, UnitSystem{4, 0, 1},
                               UnitSystem{0, 2, 4}}) {
        SCOPED_TRACE(std::to_string(u.energy) + "/" + std::to_string(u.weight) + "/" + std::to_string(u.price));
        testing::MainWindowFixture x;
        TypeIn(x, u);
        ASSERT_EQ(Growth(*x.s), GrowthOutcome::Results);
        // Inside, the run is the metric one.
        EXPECT_EQ(x.s->FinalAge, metric.s->FinalAge);
        EXPECT_NEAR(x.s->CumFeed(0), metric.s->CumFeed(0), 1e-9 * metric.s->CumFeed(0));
        for (int d = 1; d <= 3; ++d)
            for (int c = 1; c <= 3; ++c)
                EXPECT_NEAR(x.s->DietResults(d, c), metric.s->DietResults(d, c), 1e-9 * (1 + metric.s->DietResults(d, c)))
                    << d << " " << c;
        // Unit-free figures show alike; the total feed shows in the unit chosen.
        EXPECT_EQ(x.w->Text5.Text, metric.w->Text5.Text);
        EXPECT_EQ(x.w->TextPrice.Text, metric.w->TextPrice.Text);
        EXPECT_EQ(x.w->TextF2G.Text, metric.w->TextF2G.Text);
        EXPECT_NEAR(NumVal(std::string_view(x.w->Text4.Text)) * WeightFactor(u.weight), kg,
                    0.006 * WeightFactor(u.weight) + 0.006);
    }
}

}  // namespace
}  // namespace tarvisol
