#pragma once
#include <utility>
// The ingredient matrix, the per-diet restrictions, the formulated diets and
// the LP working tables. Module-level tables of the shared record; nothing is
// allocated per formulation.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "shared/Table.h"

namespace tarvisol {

// A table stored column-major, rows 1..Rows by columns ColLo..ColHi: element
// (r, c) sits at position (r - 1) + Rows x (c - ColLo). This is the layout the
// solver reads, so data() can be handed to it as is.
template <int Rows, int ColLo, int ColHi>
class ColumnMajorTable {
    static_assert(Rows > 0 && ColHi >= ColLo);

public:
    static constexpr int RowCount = Rows;
    static constexpr std::size_t Size = static_cast<std::size_t>(Rows) * static_cast<std::size_t>(ColHi - ColLo + 1);

    double& operator()(int r, int c) {
        if (static_cast<unsigned>(r - 1) >= static_cast<unsigned>(Rows) ||
            static_cast<unsigned>(c - ColLo) > static_cast<unsigned>(ColHi - ColLo))
            RaiseSubscriptOutOfRange();
        return v_[static_cast<std::size_t>(r - 1) + static_cast<std::size_t>(Rows) * static_cast<std::size_t>(c - ColLo)];
    }
    double operator()(int r, int c) const { return const_cast<ColumnMajorTable&>(*this)(r, c); }
    double* data() { return v_.data(); }
    const double* data() const { return v_.data(); }
    void Fill(double x) { v_.fill(x); }

private:
    std::array<double, Size> v_{};
};

// Models and bases the solver keeps between re-solves of the same diet. The
// formulation layer owns what it points to; here it is only a handle. A copy
// of the record starts with an empty cache, so private copies used for
// parallel work never share a solver model (they simply solve cold first).
class LpSolverCache {
public:
    LpSolverCache() = default;
    LpSolverCache(const LpSolverCache&) noexcept {}
    LpSolverCache& operator=(const LpSolverCache& other) noexcept {
        if (this != &other) Reset();
        return *this;
    }
    ~LpSolverCache() { Reset(); }

    void* Get() const { return ptr_; }
    void Set(void* ptr, void (*destroy)(void*)) noexcept {
        Reset();
        ptr_ = ptr;
        destroy_ = destroy;
    }
    void Reset() noexcept {
        if (ptr_ && destroy_) destroy_(ptr_);
        ptr_ = nullptr;
        destroy_ = nullptr;
    }
    void Swap(LpSolverCache& other) noexcept {
        std::swap(ptr_, other.ptr_);
        std::swap(destroy_, other.destroy_);
    }

private:
    void* ptr_ = nullptr;
    void (*destroy_)(void*) = nullptr;
};

struct FormulationState {
    // Ingredient matrix. Column c = 1 is the weight column (100 for every
    // loaded ingredient); nutrient k sits in column k + 1.
    int16_t IngredientCount = 0;
    int32_t NutrientCount = 0;
    Array1<std::string, 0, 100> IngredientNames;
    Array1<std::string, 0, 121> NutrientNames;
    Array1<double, 0, 260> IngredientPrices;
    Table2<double, 121, 100> IngredientMatrix;  // (column, ingredient)

    // Restrictions: (diet, bound, index). Bound 1 minimum, 2 maximum; for
    // nutrients bound 0 is the minimum as it was when the user started editing.
    Table3<double, 8, 2, 121> NutrientLimits;
    Table3<double, 8, 2, 100> IngredientLimits;
    Table3<double, 8, 2, 121> FileNutrientLimits;
    Table3<double, 8, 2, 100> FileIngredientLimits;
    Table3<double, 8, 2, 121> LoadedNutrientLimits;
    Array1<double, 0, 10> ProteinRange;

    // Formulated diets.
    Table2<double, 8, 100> DietFormula;  // (diet, ingredient), percent
    Array1<double, 0, 10> DietPrice;
    // The diets grid's price cell of a diet as it was before an infeasible
    // formulation replaced it with the weight sum and " Infeas": what a save
    // of the diets writes for it.
    Array1<std::string, 0, 8> PriceBeforeMark;
    Array1<int16_t, 0, 8> DietFaults;
    // Why the last formulation of a diet gave no formula it stands behind
    // (refused layout, value too large for the solver, no optimal solution,
    // prices missing); empty when the diet was formulated.
    Array1<std::string, 0, 8> DietLpReason;

    // Stage of the feed-weight optimisation asking for a formulation; 0 outside it.
    double OptimiseStage = 0;

    // --- LP working tables, rebuilt for every diet.
    // Column 0 = right-hand side, column j = coefficient of ingredient j.
    ColumnMajorTable<320, 0, 260> LpTable;
    Array1<int32_t, 1, 320> LpRowSense;  // 1 at least, -1 at most, 0 equality or empty row
    int16_t LpRowCount = 0;
    Array1<int16_t, 1, 221> LpNutrientColumns;  // matrix column of nutrient row r
    int16_t LpNutrientRows = 0;                 // NR: used length of LpNutrientColumns
    double LpScratchValue = 0;
    ColumnMajorTable<260, 1, 2> LpSolution;  // (j, 1) = percent of ingredient j
    ColumnMajorTable<420, 1, 3> LpRowResults;
    Array1<double, 1, 900> LpColumnResults;
    ColumnMajorTable<260, 1, 3> LpWork1;
    ColumnMajorTable<260, 1, 2> LpWork2;
    ColumnMajorTable<320, 1, 2> LpWork3;
    // Set by BuildLp when the diet does not fit the layout (more than 61
    // nutrient minimum rows or more than 320 rows): nothing was built, and
    // LPCOST counts the diet infeasible without calling the solver.
    bool LpRefused = false;
    // Extent of LpTable written since it was last cleared (rows 1..LpUsedRows,
    // columns 1..LpUsedColumns); BuildLp clears only that block.
    int16_t LpUsedRows = 0;
    int16_t LpUsedColumns = 0;
    LpSolverCache LpCache;

    // Raised whenever the matrix is loaded or edited (MatrixVersion) and
    // whenever ingredient numbers may have changed meaning: ingredients
    // loaded, added or removed (IngredientListVersion). Editors filled from
    // the tables compare them to know they are out of date.
    uint32_t MatrixVersion = 0;
    uint32_t IngredientListVersion = 0;
    // The last diet the restriction files read since the matrix was loaded
    // name: the restriction writers keep every diet up to it, whatever the
    // number of diets in use.
    int16_t RestrictionDiets = 0;

    // --- Paths of the formulation files in use.
    std::string MatrixFile;
    std::string IngredientRestrictionFile;
    std::string NutrientRestrictionFile;
    std::string DietFile;
};

}  // namespace tarvisol
