#pragma once
// The ingredient matrix editor: names, prices and nutrient values of every
// ingredient in one grid, ingredients added and removed, saved as the
// location's matrix file.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct MatrixEditorWindow {
    std::string Caption = "Ingredient Matrix";
    // Row 0 headers; row i ingredient i: column 0 name, 1 price, then matrix
    // columns 2..NutrientCount in columns 2.. (the weight column is always 100).
    Grid GridMatrix{"GridMatrix", 2, 2};
    bool Visible = false;
};

void LoadMatrixEditor(SharedState& s, MatrixEditorWindow& w);

// Takes the grid into the matrix. A price or value that is not a number is
// refused with one message listing the cells, and nothing is taken; returns
// whether the grid was taken.
bool ApplyMatrixEditor(SharedState& s, MatrixEditorWindow& w);

// Adds an empty ingredient row at the end (at most 100 ingredients).
void AddIngredientRow(SharedState& s, MatrixEditorWindow& w);

// Removes ingredient `row` from the matrix, its limits and the formulas (the
// ingredients after it move up one place), asking first.
void RemoveIngredient(SharedState& s, MatrixEditorWindow& w, int row);

// Takes the grid and writes the matrix file.
void SaveMatrixEditor(SharedState& s, MatrixEditorWindow& w);

}  // namespace tarvisol
