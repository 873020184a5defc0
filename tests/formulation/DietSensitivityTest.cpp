// Shadow prices, limit ranges, reduced costs and price ranges of formulated
// diets, each checked against re-solves of the same diet with the limit or
// price moved just inside and just outside what the sensitivity reports.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "formulation/DietSensitivity.h"
#include "formulation/Formulate.h"
#include "formulation/LpRowPlan.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;

namespace {

class DietSensitivityTest : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    // Formulates diet d again; the diet price, or NaN when infeasible.
    double Resolve(int d) {
        FormulateDiet(*s, d);
        return s->DietFaults(d) == 0 ? s->DietPrice(d) : std::nan("");
    }
    DietSensitivity Sensitivity(int d) {
        DietSensitivity out;
        const std::string why = ComputeDietSensitivity(*s, d, out);
        EXPECT_EQ(why, "");
        return out;
    }
    // The price of a formula at the current ingredient prices.
    double CostOf(const std::vector<double>& formula) const {
        double c = 0;
        for (int j = 1; j <= s->IngredientCount; ++j) c += formula[static_cast<std::size_t>(j)] * s->IngredientPrices(j) / 100;
        return c;
    }
    std::vector<double> Formula(int d) const {
        std::vector<double> f(static_cast<std::size_t>(s->IngredientCount) + 1, 0.0);
        for (int j = 1; j <= s->IngredientCount; ++j) f[static_cast<std::size_t>(j)] = s->DietFormula(d, j);
        return f;
    }
    static double Tol(double v) { return 1e-7 * std::max(1.0, std::fabs(v)); }
    // Which ingredients diet d includes and which of its limits bind.
    std::vector<bool> Signature(int d, const DietSensitivity& r) const {
        std::vector<bool> sig;
        for (int j = 1; j <= s->IngredientCount; ++j) {
            const double x = s->DietFormula(d, j);
            sig.push_back(x > 1e-7);
            for (int b = 1; b <= 2; ++b) {
                const double lim = s->IngredientLimits(d, b, j);
                sig.push_back(lim > 0 && lim < 100 && std::fabs(x - lim) <= 1e-7 * lim);
            }
        }
        for (const NutrientSensitivity& n : r.nutrients) {
            const double lim = s->NutrientLimits(d, n.bound, n.nutrient);
            sig.push_back(std::fabs(s->DietNutrients(d, n.nutrient) - lim) <= Tol(lim));
        }
        return sig;
    }
};

// The toy diet's duals by hand: energy 10/13 and protein 9000/13 per unit of
// the objective (price x percent), i.e. 1/130 and 90/13 per unit of the limit.
TEST_F(DietSensitivityTest, ToyDietShadowPricesAreTheHandComputedDuals) {
    LoadToyMatrix();
    FormulateDiet(*s, 1);
    const DietSensitivity r = Sensitivity(1);
    ASSERT_EQ(r.nutrients.size(), 2u);
    EXPECT_EQ(r.nutrients[0].name, "Net ENERGY");
    EXPECT_TRUE(r.nutrients[0].binding);
    EXPECT_NEAR(r.nutrients[0].shadowPrice, 1.0 / 130, 1e-10);
    EXPECT_EQ(r.nutrients[1].name, "PROTEIN");
    EXPECT_NEAR(r.nutrients[1].shadowPrice, 90.0 / 13, 1e-8);
    EXPECT_NEAR(r.price, 1790.0 / 13, 1e-8);
    for (const auto& i : r.ingredients) {
        EXPECT_EQ(i.atLimit, 0);
        EXPECT_EQ(i.reducedCost, 0);
        EXPECT_LT(i.priceLow, i.price);
        EXPECT_GT(i.priceHigh, i.price);
    }
}

// Every binding nutrient limit of the demo diets: moving it a little, and most
// of the way to an end of its range, changes the diet price by shadow price x
// change; just past an end the formula is another. Non-binding limits cost
// nothing.
TEST_F(DietSensitivityTest, DemoShadowPricesMatchFiniteDifferences) {
    LoadDemo();
    RunLp(*s);
    int checked = 0, outside = 0;
    for (int d = 1; d <= s->DietCount; ++d) {
        const DietSensitivity r = Sensitivity(d);
        ASSERT_FALSE(r.nutrients.empty());
        for (const NutrientSensitivity& n : r.nutrients) {
            double& limit = s->NutrientLimits(d, n.bound, n.nutrient);
            const double original = limit;
            if (!n.binding) {
                EXPECT_EQ(n.shadowPrice, 0) << n.name;
                EXPECT_TRUE(n.bound == 1 ? n.limitHigh >= n.content - Tol(n.content) : n.limitLow <= n.content + Tol(n.content));
            }
            EXPECT_LE(n.limitLow, n.limit);
            EXPECT_GE(n.limitHigh, n.limit);
            if (n.bound == 1) EXPECT_GE(n.shadowPrice, -1e-12) << n.name;
            if (n.bound == 2) EXPECT_LE(n.shadowPrice, 1e-12) << n.name;
            for (int side : {-1, 1}) {
                const double end = side > 0 ? n.limitHigh : n.limitLow;
                const double room = std::fabs(end - n.limit);
                if (!(room > 1e-9 * std::max(1.0, std::fabs(n.limit)))) continue;
                const double step = side * std::min(1e-3 * std::max(1.0, std::fabs(n.limit)), room / 2);
                limit = original + step;
                const double moved = Resolve(d);
                limit = original;
                ASSERT_FALSE(std::isnan(moved)) << n.name;
                EXPECT_NEAR((moved - r.price) / step, n.shadowPrice, 1e-6 * std::max(1.0, std::fabs(n.shadowPrice)))
                    << "diet " << d << " " << n.name << " " << BoundWord(n.bound) << " side " << side;
                ++checked;
                if (!std::isfinite(end)) continue;
                // Far inside the range the shadow price still holds: a range
                // reported too wide fails here.
                const double far = 0.9 * (end - original);
                limit = original + far;
                const double inside = Resolve(d);
                ASSERT_FALSE(std::isnan(inside)) << n.name;
                EXPECT_NEAR(inside - r.price, n.shadowPrice * far, 1e-6 * std::max(1.0, std::fabs(n.shadowPrice * far)))
                    << "diet " << d << " " << n.name << " " << BoundWord(n.bound) << " side " << side;
                // Just past the end the formula is another: an ingredient comes
                // in or goes out, or another limit binds or lets go (or the diet
                // cannot be made at all). The formula before is that of the
                // limit where it was, solved again.
                limit = original;
                Resolve(d);
                const std::vector<bool> before = Signature(d, r);
                limit = end + side * 1e-3 * std::max(1.0, std::fabs(end));
                const double beyond = Resolve(d);
                if (!std::isnan(beyond)) {
                    const std::vector<bool> after = Signature(d, r);
                    EXPECT_NE(after, before) << "diet " << d << " " << n.name << " " << BoundWord(n.bound) << " side " << side;
                }
                limit = original;
                Resolve(d);
                ++outside;
            }
        }
        Resolve(d);
    }
    EXPECT_GT(checked, 20);
    EXPECT_GT(outside, 5);
}

// Every ingredient of the demo diets: a price moved inside its range leaves the
// formula optimal; just outside a finite end, another formula is cheaper, or,
// where the solve is degenerate, the basis behind the formula changes. An
// ingredient held at a limit costs its reduced cost per 1 % of that limit.
TEST_F(DietSensitivityTest, DemoPriceRangesHoldInsideAndBreakJustOutside) {
    LoadDemo();
    RunLp(*s);
    int inside = 0, outside = 0, degenerate = 0, held = 0;
    for (int d = 1; d <= s->DietCount; ++d) {
        const DietSensitivity r = Sensitivity(d);
        const std::vector<double> formula = Formula(d);
        for (const IngredientSensitivity& i : r.ingredients) {
            double& price = s->IngredientPrices(i.ingredient);
            const double original = price;
            EXPECT_LE(i.priceLow, i.price);
            EXPECT_GE(i.priceHigh, i.price);
            if (i.inclusion == 0 && i.atLimit == 0) EXPECT_NEAR(i.reducedCost, i.price - i.priceLow, 1e-9) << i.name;
            for (int side : {-1, 1}) {
                const double end = side > 0 ? i.priceHigh : i.priceLow;
                if (!(std::fabs(end - original) > 1e-9 * std::max(1.0, original))) continue;
                const double span = std::isfinite(end) ? std::fabs(end - original) : std::max(1.0, original);
                price = original + side * 0.9 * span;
                const double optimum = Resolve(d);
                EXPECT_NEAR(CostOf(formula), optimum, Tol(optimum)) << "diet " << d << " " << i.name << " side " << side;
                ++inside;
                if (!std::isfinite(end)) {
                    price = original;
                    continue;
                }
                price = end + side * (0.01 + 1e-3 * std::fabs(end));
                const double cheaper = Resolve(d);
                if (cheaper < CostOf(formula) - 1e-9 * std::fabs(cheaper)) {
                    ++outside;
                } else {
                    // A degenerate end (a basic variable at zero): the same
                    // formula, but the solve's basis changed there, so the
                    // basis of the new solve no longer holds at the old price.
                    EXPECT_NEAR(cheaper, CostOf(formula), Tol(cheaper)) << "diet " << d << " " << i.name;
                    const DietSensitivity past = Sensitivity(d);
                    for (const IngredientSensitivity& p : past.ingredients)
                        if (p.ingredient == i.ingredient)
                            EXPECT_FALSE(p.priceLow <= original && original <= p.priceHigh)
                                << "diet " << d << " " << i.name << " side " << side;
                    ++degenerate;
                }
                price = original;
            }
            if (i.atLimit != 0 && s->IngredientLimits(d, 2, i.ingredient) >= 0) {
                double& limit = s->IngredientLimits(d, i.atLimit, i.ingredient);
                const double was = limit;
                const double step = i.atLimit == 1 ? 0.01 : -0.01;
                limit = was + step;
                const double moved = Resolve(d);
                limit = was;
                if (!std::isnan(moved)) {
                    EXPECT_NEAR((moved - r.price) / step, i.reducedCost, 1e-6 * std::max(1.0, std::fabs(i.reducedCost)))
                        << "diet " << d << " " << i.name;
                    ++held;
                }
            }
        }
        Resolve(d);
    }
    EXPECT_GT(inside, 30);
    EXPECT_GT(outside, 15);
    EXPECT_LT(degenerate, outside / 4);
    EXPECT_GT(held, 2);
}

// Two identical ingredients at the same price: whichever the solver takes, a
// price rise of the one taken, or a fall of the one left out, changes the
// formula, so neither range may extend that way; every range reported still
// keeps the formula optimal inside.
TEST_F(DietSensitivityTest, TiedIngredientsGetNoRangeBeyondTheTie) {
    LoadToyMatrix();
    s->IngredientCount = 4;
    s->IngredientNames(4) = "A twin";
    s->IngredientPrices(4) = s->IngredientPrices(1);
    for (int c = 1; c <= 15; ++c) s->IngredientMatrix(c, 4) = s->IngredientMatrix(c, 1);
    FormulateDiet(*s, 1);
    ASSERT_EQ(s->DietFaults(1), 0);
    const DietSensitivity r = Sensitivity(1);
    const std::vector<double> formula = Formula(1);
    for (int j : {1, 4}) {
        const IngredientSensitivity& i = r.ingredients[static_cast<std::size_t>(j - 1)];
        if (i.inclusion > 0) {
            EXPECT_EQ(i.priceHigh, i.price) << i.name;
        } else {
            EXPECT_EQ(i.priceLow, i.price) << i.name;
            EXPECT_EQ(i.reducedCost, 0) << i.name;
        }
    }
    for (const IngredientSensitivity& i : r.ingredients) {
        for (double end : {i.priceLow, i.priceHigh}) {
            if (!std::isfinite(end) || end == i.price) continue;
            s->IngredientPrices(i.ingredient) = i.price + 0.9 * (end - i.price);
            const double optimum = Resolve(1);
            EXPECT_NEAR(CostOf(formula), optimum, Tol(optimum)) << i.name;
            s->IngredientPrices(i.ingredient) = i.price;
        }
    }
}

// A limit met with a second limit at the same point (premix minimum = maximum):
// the range of each stops at that point, where the other one takes over.
TEST_F(DietSensitivityTest, MinimumEqualToMaximumGivesNoRangeBeyondIt) {
    LoadToyMatrix();
    s->IngredientLimits(1, 1, 3) = 10;
    s->IngredientLimits(1, 2, 3) = 10;
    FormulateDiet(*s, 1);
    ASSERT_EQ(s->DietFaults(1), 0);
    const DietSensitivity r = Sensitivity(1);
    const IngredientSensitivity& c = r.ingredients[2];
    EXPECT_NE(c.atLimit, 0);
    // C is held below its least-cost share (180/13 %): more of it saves.
    EXPECT_LT(c.reducedCost, 0);
    // Raising the fixed inclusion by 0.01 % changes the price by the reduced cost per 1 %.
    s->IngredientLimits(1, 1, 3) = s->IngredientLimits(1, 2, 3) = 10.01;
    EXPECT_NEAR((Resolve(1) - r.price) / 0.01, c.reducedCost, 1e-6 * std::fabs(c.reducedCost));
}

TEST_F(DietSensitivityTest, NoFiguresForAnInfeasibleStaleOrUnformulatedDiet) {
    LoadToyMatrix();
    DietSensitivity out;
    EXPECT_EQ(ComputeDietSensitivity(*s, 1, out), "Diet 1 has not been formulated yet: press Run LP");
    FormulateDiet(*s, 1);
    EXPECT_EQ(ComputeDietSensitivity(*s, 1, out), "");
    s->IngredientPrices(2) = 301;
    EXPECT_EQ(ComputeDietSensitivity(*s, 1, out),
              "Diet 1 changed since it was formulated (matrix, prices or limits): press Run LP again");
    s->IngredientPrices(2) = 300;
    s->NutrientLimits(1, 1, 2) = 17;
    EXPECT_NE(ComputeDietSensitivity(*s, 1, out), "");
    s->NutrientLimits(1, 1, 2) = 60;
    FormulateDiet(*s, 1);
    EXPECT_EQ(ComputeDietSensitivity(*s, 1, out), "Diet 1 is infeasible: it has no formula to read");
    EXPECT_TRUE(out.nutrients.empty());
}

// The plan names the rows BuildLp lays out, in the first formulation of a diet
// and in later ones (after LPCOST has recorded the weight's 100 %).
TEST_F(DietSensitivityTest, PlanIsTheLayoutBuildLpWrites) {
    LoadDemo();
    s->IngredientLimits(2, 2, 4) = -1;  // an excluded ingredient
    s->NutrientLimits(3, 2, 16) = 0.5;  // a maximum alone on a further nutrient
    for (int pass = 0; pass < 2; ++pass) {
        for (int d = 1; d <= s->DietCount; ++d) {
            int32_t dd = d;
            BuildLp(*s, dd);
            const LpRowPlan plan = PlanLpRows(*s, d);
            ASSERT_FALSE(plan.refused);
            EXPECT_EQ(plan.rowCount, s->LpRowCount) << "diet " << d << " pass " << pass;
            std::vector<const LpPlannedRow*> planned;
            for (const LpPlannedRow& p : plan.rows) {
                bool any = false;
                for (int j = 1; j <= s->IngredientCount; ++j) any = any || PlannedCoefficient(*s, p, j) != 0;
                if (any) planned.push_back(&p);
            }
            std::size_t next = 0;
            for (int row = 1; row <= s->LpRowCount; ++row) {
                bool any = false;
                for (int j = 1; j <= s->IngredientCount; ++j) any = any || s->LpTable(row, j) != 0;
                if (!any) continue;
                ASSERT_LT(next, planned.size());
                const LpPlannedRow& p = *planned[next++];
                EXPECT_EQ(p.tableRow, row);
                EXPECT_EQ(p.sense, s->LpRowSense(row)) << row;
                EXPECT_EQ(p.rhs, s->LpTable(row, 0)) << row;
                for (int j = 1; j <= s->IngredientCount; ++j) EXPECT_EQ(PlannedCoefficient(*s, p, j), s->LpTable(row, j));
            }
            EXPECT_EQ(next, planned.size());
            LPCOST(*s, d);
        }
    }
}

}  // namespace
