#pragma once
// The nutrient-response model in the growth run: the location's genotype
// grown on the record's programme, written into the record's day tables the
// way the documented engine writes them, so that everything after the run
// (costing, the daily table, the snapshot, requirements, balance, market and
// herd) reads it the same way for both models.
#include <string>

#include "response/GenotypeCurves.h"
#include "response/ResponsivePig.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Whether the location grows its pig on the nutrient-response model.
inline bool RunsResponseModel(const SharedState& s) { return s.Model.Kind == GrowthModelKind::Response; }

// The herd sex the run grows: 0 mixed (barrows and gilts, each half the
// herd), 1 males, 2 females.
int ResponseHerdSex(const SharedState& s);

// The record's programme (diets 1..DietCount: net energy, SID amino acids,
// allotments) as the response model takes it.
response::ResponseProgramme ResponseProgrammeOf(const SharedState& s);

// Grows the location's genotype from DayGrowth(0, StartAge) to FinalWeight
// on the programme in the record. Fills what the documented engine fills for
// the pig of the run (DayGrowth, DayFeed and BodyFat row 0, DietResults,
// CumFeed, CumFeedByDay, CurrentDietIndex, RunLastDay, FinalAge, RunFailed
// and the daily grid's age, weight and feed columns), the sexes' own day
// tables (rows 1 and 2) and s.Response. The pig of a mixed herd is the mean
// of a barrow and a gilt grown side by side.
void GrowResponsePig(SharedState& s);

// Grows the pig on the location's model: the documented curve (GrowPig) or
// the nutrient response.
void GrowLocationPig(SharedState& s);

// After the run, as the documented split of the sexes: each sex's share of
// the programme's feed (CumFeed 1 and 2) from its own days.
void ResponseSexTotals(SharedState& s);

// The carcass of each sex from its own body, into the results grid's columns
// 10..13 (the mean of the sexes grown, on the same days the documented
// carcass shows) and CarcassTable.
void ResponseCarcassOutputs(SharedState& s);

// "Response model, <genotype>" or "Documented curve", as the results name the model.
std::string GrowthModelLine(const SharedState& s);

}  // namespace tarvisol
