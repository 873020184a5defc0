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
    // What the grid was filled from: the matrix as it stood (MatrixVersion)
    // in its file, and the grid as filled or last taken over.
    uint32_t Version = 0;
    std::string SourceFile;
    Grid Taken{"GridMatrix", 2, 2};
};

inline constexpr const char* kMatrixEditorCloseQuestion =
    "The matrix was changed and not taken over. Take the changes over before closing? (No discards them)";

void LoadMatrixEditor(SharedState& s, MatrixEditorWindow& w);

// True when the matrix was opened again or changed elsewhere since the
// editor was filled: its grid no longer shows the matrix.
bool MatrixEditorOutOfDate(const SharedState& s, const MatrixEditorWindow& w);
// True when the grid holds edits not taken over.
bool MatrixEditorHasEdits(const MatrixEditorWindow& w);
// Refills an open editor that is out of date (opening a matrix refills the
// editor). Returns whether it was refilled.
bool SyncMatrixEditor(SharedState& s, MatrixEditorWindow& w);
// Closing the editor: edits not taken over are asked about (Yes takes them
// over, No discards them, Cancel keeps the window). Returns whether it closed.
bool CloseMatrixEditor(SharedState& s, MatrixEditorWindow& w);

// Takes the grid into the matrix. A price or value that is not a number is
// refused with one message listing the cells, and nothing is taken; an
// editor that is out of date takes nothing, says so and is filled again.
// Returns whether the grid was taken.
bool ApplyMatrixEditor(SharedState& s, MatrixEditorWindow& w);

// Adds an empty ingredient row at the end (at most 100 ingredients).
void AddIngredientRow(SharedState& s, MatrixEditorWindow& w);

// Removes ingredient `row` from the matrix, its limits and the formulas (the
// ingredients after it move up one place), asking first.
void RemoveIngredient(SharedState& s, MatrixEditorWindow& w, int row);

// Takes the grid and writes the matrix file it came from.
void SaveMatrixEditor(SharedState& s, MatrixEditorWindow& w);

}  // namespace tarvisol
