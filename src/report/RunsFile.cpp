#include "report/RunsFile.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "nutrition/Requirements.h"
#include "shared/Numbers.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

using nlohmann::json;

constexpr std::size_t kMaxText = 100000;
constexpr std::size_t kMaxList = 1000;

// A value the reader cannot use; what names the place in the file.
struct Refused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// --- Writing: every field of a snapshot under its key.
struct Writer {
    json& j;
    void operator()(const char* k, double& x) { j[k] = std::isfinite(x) ? json(x) : json(nullptr); }
    void operator()(const char* k, int& x, int, int) { j[k] = x; }
    void operator()(const char* k, bool& x) { j[k] = x; }
    void operator()(const char* k, std::string& x) { j[k] = Windows1252ToUtf8(x); }
    void operator()(const char* k, std::vector<double>& v, std::size_t) {
        json a = json::array();
        for (double x : v) a.push_back(std::isfinite(x) ? json(x) : json(nullptr));
        j[k] = std::move(a);
    }
    void operator()(const char* k, std::vector<std::string>& v, std::size_t) {
        json a = json::array();
        for (const std::string& x : v) a.push_back(Windows1252ToUtf8(x));
        j[k] = std::move(a);
    }
    void operator()(const char* k, std::vector<std::vector<double>>& rows, std::size_t, std::size_t) {
        json a = json::array();
        for (const std::vector<double>& row : rows) {
            json r = json::array();
            for (double x : row) r.push_back(std::isfinite(x) ? json(x) : json(nullptr));
            a.push_back(std::move(r));
        }
        j[k] = std::move(a);
    }
    template <std::size_t N>
    void operator()(const char* k, std::array<double, N>& v) {
        json a = json::array();
        for (double x : v) a.push_back(std::isfinite(x) ? json(x) : json(nullptr));
        j[k] = std::move(a);
    }
    void operator()(const char* k, Table2<double, 2, 200>& t) {
        json rows = json::array();
        for (int r = 0; r <= 2; ++r) {
            json a = json::array();
            for (int c = 0; c <= 200; ++c) a.push_back(std::isfinite(t(r, c)) ? json(t(r, c)) : json(nullptr));
            rows.push_back(std::move(a));
        }
        j[k] = std::move(rows);
    }
    template <class T, class F>
    void List(const char* k, std::vector<T>& v, std::size_t, F fields) {
        json a = json::array();
        for (T& x : v) {
            json e = json::object();
            Writer w{e};
            fields(w, x);
            a.push_back(std::move(e));
        }
        j[k] = std::move(a);
    }
    template <class T, class F>
    void Object(const char* k, T& x, F fields) {
        json e = json::object();
        Writer w{e};
        fields(w, x);
        j[k] = std::move(e);
    }
    template <class T, std::size_t N, class F>
    void Fixed(const char* k, std::array<T, N>& v, F fields) {
        json a = json::array();
        for (T& x : v) {
            json e = json::object();
            Writer w{e};
            fields(w, x);
            a.push_back(std::move(e));
        }
        j[k] = std::move(a);
    }
};

// --- Reading: a key that is missing keeps its default; a key of the wrong
// kind or out of range refuses the file.
struct Reader {
    const json& j;
    std::string where;

    const json* At(const char* k) const {
        auto it = j.find(k);
        return it == j.end() ? nullptr : &*it;
    }
    std::string Place(const char* k) const { return where + "." + k; }
    static double Number(const json& v, const std::string& place) {
        if (v.is_null()) return std::numeric_limits<double>::quiet_NaN();
        if (!v.is_number()) throw Refused(place + " is not a number");
        return v.get<double>();
    }
    static std::string Text(const json& v, const std::string& place) {
        if (!v.is_string()) throw Refused(place + " is not a text");
        const auto& u = v.get_ref<const std::string&>();
        if (u.size() > kMaxText) throw Refused(place + " is too long");
        bool lossless = true;
        std::string bytes = Utf8ToWindows1252(u, &lossless);
        if (!lossless) throw Refused(place + " holds a character the location's text cannot hold");
        return bytes;
    }
    static const json& Array(const json& v, const std::string& place, std::size_t max) {
        if (!v.is_array()) throw Refused(place + " is not a list");
        if (v.size() > max) throw Refused(place + " has more than " + std::to_string(max) + " entries");
        return v;
    }

    void operator()(const char* k, double& x) {
        if (const json* v = At(k)) x = Number(*v, Place(k));
    }
    void operator()(const char* k, int& x, int lo, int hi) {
        const json* v = At(k);
        if (!v) return;
        if (!v->is_number_integer()) throw Refused(Place(k) + " is not a whole number");
        const auto n = v->get<long long>();
        if (n < lo || n > hi)
            throw Refused(Place(k) + " is " + std::to_string(n) + ", outside " + std::to_string(lo) + ".." + std::to_string(hi));
        x = static_cast<int>(n);
    }
    void operator()(const char* k, bool& x) {
        const json* v = At(k);
        if (!v) return;
        if (!v->is_boolean()) throw Refused(Place(k) + " is not true or false");
        x = v->get<bool>();
    }
    void operator()(const char* k, std::string& x) {
        if (const json* v = At(k)) x = Text(*v, Place(k));
    }
    void operator()(const char* k, std::vector<double>& out, std::size_t max) {
        const json* v = At(k);
        if (!v) return;
        const json& a = Array(*v, Place(k), max);
        out.clear();
        for (std::size_t i = 0; i < a.size(); ++i) out.push_back(Number(a[i], Place(k) + "[" + std::to_string(i) + "]"));
    }
    void operator()(const char* k, std::vector<std::string>& out, std::size_t max) {
        const json* v = At(k);
        if (!v) return;
        const json& a = Array(*v, Place(k), max);
        out.clear();
        for (std::size_t i = 0; i < a.size(); ++i) out.push_back(Text(a[i], Place(k) + "[" + std::to_string(i) + "]"));
    }
    void operator()(const char* k, std::vector<std::vector<double>>& out, std::size_t maxRows, std::size_t maxCols) {
        const json* v = At(k);
        if (!v) return;
        const json& a = Array(*v, Place(k), maxRows);
        out.clear();
        for (std::size_t r = 0; r < a.size(); ++r) {
            const std::string place = Place(k) + "[" + std::to_string(r) + "]";
            const json& row = Array(a[r], place, maxCols);
            std::vector<double>& values = out.emplace_back();
            for (std::size_t c = 0; c < row.size(); ++c)
                values.push_back(Number(row[c], place + "[" + std::to_string(c) + "]"));
        }
    }
    template <std::size_t N>
    void operator()(const char* k, std::array<double, N>& out) {
        const json* v = At(k);
        if (!v) return;
        const json& a = Array(*v, Place(k), N);
        for (std::size_t i = 0; i < a.size(); ++i) out[i] = Number(a[i], Place(k) + "[" + std::to_string(i) + "]");
    }
    void operator()(const char* k, Table2<double, 2, 200>& t) {
        const json* v = At(k);
        if (!v) return;
        const json& rows = Array(*v, Place(k), 3);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::string place = Place(k) + "[" + std::to_string(r) + "]";
            const json& a = Array(rows[r], place, 201);
            for (std::size_t c = 0; c < a.size(); ++c)
                t(static_cast<int>(r), static_cast<int>(c)) = Number(a[c], place + "[" + std::to_string(c) + "]");
        }
    }
    template <class T, class F>
    void List(const char* k, std::vector<T>& out, std::size_t max, F fields) {
        const json* v = At(k);
        if (!v) return;
        const json& a = Array(*v, Place(k), max);
        out.clear();
        for (std::size_t i = 0; i < a.size(); ++i) {
            const std::string place = Place(k) + "[" + std::to_string(i) + "]";
            if (!a[i].is_object()) throw Refused(place + " is not a record");
            Reader r{a[i], place};
            T x{};
            fields(r, x);
            out.push_back(std::move(x));
        }
    }
    template <class T, class F>
    void Object(const char* k, T& out, F fields) {
        const json* v = At(k);
        if (!v) return;
        if (!v->is_object()) throw Refused(Place(k) + " is not a record");
        Reader r{*v, Place(k)};
        fields(r, out);
    }
    template <class T, std::size_t N, class F>
    void Fixed(const char* k, std::array<T, N>& out, F fields) {
        const json* v = At(k);
        if (!v) return;
        const json& a = Array(*v, Place(k), N);
        for (std::size_t i = 0; i < a.size(); ++i) {
            const std::string place = Place(k) + "[" + std::to_string(i) + "]";
            if (!a[i].is_object()) throw Refused(place + " is not a record");
            Reader r{a[i], place};
            fields(r, out[i]);
        }
    }
};

// --- The fields, once for both directions.
template <class V>
void DietFields(V& v, RunDiet& d) {
    v("number", d.Number, 1, 8);
    v("name", d.Name);
    v("price", d.Price);
    v("allotment", d.Allotment);
    v("nutrients", d.Nutrients, 122);
    v("formulated", d.Formulated);
    v("infeasible", d.Infeasible);
    v("formula", d.Formula, 100);
    v("nutrient_min", d.NutrientMin, 121);
    v("nutrient_max", d.NutrientMax, 121);
    v("ingredient_min", d.IngredientMin, 100);
    v("ingredient_max", d.IngredientMax, 100);
    v("loaded_nutrient_min", d.LoadedNutrientMin, 121);
    v("reached", d.Reached);
    v("end_age", d.EndAge);
    v("end_weight", d.EndWeight);
    v("daily_gain", d.DailyGain);
    v("total_feed", d.TotalFeed);
    v("feed_eaten", d.FeedEaten);
}

template <class V>
void SexFields(V& v, RunSexFigures& f) {
    v("live_weight", f.LiveWeight);
    v("feed", f.Feed);
    v("cost", f.Cost);
    v("feed_gain", f.FeedGain);
    v("back_fat", f.BackFat);
    v("loin_area", f.LoinArea);
    v("lean", f.Lean);
    v("yield", f.Yield);
}

template <class V>
void MeasuredFields(V& v, MeasuredPoint& p) {
    v("age", p.Age);
    v("weight", p.Weight);
    v("feed", p.Feed);
}

template <class V>
void DayFields(V& v, RunDayRow& r) {
    v("age", r.Age);
    v("weight", r.Weight);
    v("daily_feed", r.DailyFeed);
    v("total_feed", r.TotalFeed);
    v("pigs", r.Pigs);
    v("back_fat", r.BackFat);
    v("loin_area", r.LoinArea);
    v("lean", r.Lean);
    v("yield", r.Yield);
}

// The requirements keep the days the run grew; the rest is worked out again
// from them and the run's diets when the file is read.
template <class V>
void RequirementDayFields(V& v, RequirementDay& d) {
    v("age", d.Age, 0, 200);
    v("weight", d.Weight);
    v("feed", d.Feed);
    v("protein_deposition", d.ProteinDeposition);
    v("share", d.Share);
    v("diet", d.Diet, 0, 8);
    v("diet_share", d.DietShare);
    v("next_diet", d.NextDiet, 0, 8);
    v("feed_share", d.FeedShare);
}

template <class V>
void BalanceFields(V& v, NutrientBalance& b) {
    v("n_computed", b.NitrogenComputed);
    v("p_computed", b.PhosphorusComputed);
    v("n_missing", b.NitrogenMissing);
    v("p_missing", b.PhosphorusMissing);
    v("n_intake", b.NIntake);
    v("n_retained", b.NRetained);
    v("n_excreted", b.NExcreted);
    v("p_intake", b.PIntake);
    v("p_retained", b.PRetained);
    v("p_excreted", b.PExcreted);
    v("gain", b.Gain);
    v("days_on_feed", b.DaysOnFeed);
    v("empty_days", b.EmptyDays);
    v("batches_per_year", b.BatchesPerYear);
    v("n_excreted_per_place_year", b.NExcretedPerPlaceYear);
    v("p2o5_excreted_per_place_year", b.P2O5ExcretedPerPlaceYear);
}

// A nutrient-response day: the limiting factors go through whole numbers.
template <class V>
void ResponseDayFields(V& v, ResponseDayFigures& d) {
    v("age", d.Age, 0, 200);
    v("weight", d.Weight);
    v("feed_supplied", d.FeedSupplied);
    v("feed_eaten", d.FeedEaten);
    v("protein_deposition_g", d.ProteinDeposition);
    v("lipid_deposition_g", d.LipidDeposition);
    v("body_protein", d.BodyProtein);
    v("body_lipid", d.BodyLipid);
    int males = d.LimitingMales, females = d.LimitingFemales;
    v("limiting_males", males, -1, 13);
    v("limiting_females", females, -1, 13);
    d.LimitingMales = static_cast<int8_t>(males);
    d.LimitingFemales = static_cast<int8_t>(females);
    v("diet", d.Diet, 0, 8);
    v("next_diet", d.NextDiet, 0, 8);
    v("diet_share", d.DietShare);
    v("feed_share", d.FeedShare);
    v("share", d.Share);
}

template <class V>
void SnapshotFields(V& v, RunSnapshot& r) {
    v("source", r.Source);
    // A run kept before the nutrient-response model has neither: the documented curve.
    v("model", r.Model);
    v("genotype", r.Genotype);
    v("start_weight", r.StartWeight);
    v("start_age", r.StartAge, 0, 200);
    v("final_weight", r.FinalWeight);
    v("herd_sex", r.HerdSex, -1, 2);
    v("sim_sex", r.SimSex, 0, 2);
    v("pigs", r.PigCount, 0, 2000000000);
    v("energy_unit", r.EnergyUnit, 0, 4);
    v("weight_unit", r.WeightUnit, 0, 2);
    v("price_unit", r.PriceUnit, 0, 4);
    v("currency", r.Currency);
    v("curve", r.Curve);
    v("formulation", r.Formulation, -1, 2);
    v("formulation_name", r.FormulationName);
    v("measured_total_feed", r.MeasuredTotalFeed);
    v("measured_final_age", r.MeasuredFinalAge);
    v.List("measured_herd", r.MeasuredHerd, 15, [](auto& w, MeasuredPoint& p) { MeasuredFields(w, p); });
    v.List("diets", r.Diets, 8, [](auto& w, RunDiet& d) { DietFields(w, d); });
    v("ingredient_names", r.IngredientNames, 100);
    v("ingredient_prices", r.IngredientPrices, 100);
    v("nutrient_names", r.NutrientNames, 121);
    v("ingredient_matrix", r.IngredientMatrix, 100, 121);
    v("run_failed", r.RunFailed);
    v("reached_final_weight", r.ReachedFinalWeight);
    v("results_valid", r.ResultsValid);
    v("final_age", r.FinalAge);
    v("total_feed", r.TotalFeed);
    v("cost_per_pig", r.CostPerPig);
    v("cost_per_tonne", r.CostPerTonne);
    v("feed_gain", r.FeedGain);
    v("energy_per_gain", r.EnergyPerGain);
    v.Fixed("sexes", r.Sexes, [](auto& w, RunSexFigures& f) { SexFields(w, f); });
    v("carcass", r.Carcass);
    v.List("days", r.Days, 201, [](auto& w, RunDayRow& d) { DayFields(w, d); });
    v("day_growth", r.DayGrowth);
    v("day_feed", r.DayFeed);
    v("messages", r.Messages, kMaxList);
    v.List("requirement_days", r.Nutrition.Requirements.Days, 201,
           [](auto& w, RequirementDay& d) { RequirementDayFields(w, d); });
    v.Object("nutrient_balance", r.Nutrition.Balance, [](auto& w, NutrientBalance& b) { BalanceFields(w, b); });
    v.List("response_days", r.ResponseDays, 201, [](auto& w, ResponseDayFigures& d) { ResponseDayFields(w, d); });
}

template <class V>
void KeptFields(V& v, KeptRun& k) {
    v("name", k.Name);
    v("kept", k.Kept);
}

}  // namespace

std::string RunsFileOf(const SharedState& s) {
    const std::string& pig = s.PigFile;
    if (pig.size() < 4 || pig.compare(pig.size() - 4, 4, ".pig") != 0) return {};
    return pig.substr(0, pig.size() - 4) + ".runs";
}

std::string RunsFileText(const std::vector<KeptRun>& runs) {
    json doc = json::object();
    doc["format"] = kRunsFormat;
    doc["version"] = kRunsVersion;
    json list = json::array();
    for (const KeptRun& k : runs) {
        KeptRun copy = k;
        json e = json::object();
        Writer w{e};
        KeptFields(w, copy);
        json run = json::object();
        Writer rw{run};
        SnapshotFields(rw, copy.Run);
        e["run"] = std::move(run);
        list.push_back(std::move(e));
    }
    doc["runs"] = std::move(list);
    return doc.dump(1, '\t') + "\n";
}

bool ParseRunsText(std::string_view text, std::vector<KeptRun>& runs, std::string& error) {
    runs.clear();
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) return true;
    try {
        const json doc = json::parse(text.begin(), text.end());
        if (!doc.is_object() || !doc.contains("format") || doc["format"] != kRunsFormat)
            throw Refused("it is not a kept-runs file");
        if (!doc.contains("version") || !doc["version"].is_number_integer())
            throw Refused("its version is missing");
        if (doc["version"].get<long long>() > kRunsVersion || doc["version"].get<long long>() < 1)
            throw Refused("it was written by another version of the program (version " + doc["version"].dump() + ")");
        if (!doc.contains("runs")) throw Refused("it holds no list of runs");
        const json& list = Reader::Array(doc["runs"], "runs", kMaxKeptRuns);
        std::vector<KeptRun> read;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string place = "runs[" + std::to_string(i) + "]";
            if (!list[i].is_object()) throw Refused(place + " is not a record");
            KeptRun k;
            Reader r{list[i], place};
            KeptFields(r, k);
            if (k.Name.empty()) throw Refused(place + " has no name");
            if (FindKeptRun(read, k.Name) >= 0) throw Refused(place + ": the name is kept twice");
            const auto it = list[i].find("run");
            if (it == list[i].end() || !it->is_object()) throw Refused(place + ".run is missing");
            Reader rr{*it, place + ".run"};
            SnapshotFields(rr, k.Run);
            if (k.Run.Source.empty()) k.Run.Source = "Growth";
            if (k.Run.Model != "documented" && k.Run.Model != "response")
                throw Refused(place + ".run.model is neither \"documented\" nor \"response\"");
            if (k.Run.Model == "documented") {
                k.Run.Genotype.clear();
                k.Run.ResponseDays.clear();
            }
            if (!k.Run.Nutrition.Requirements.Days.empty())
                k.Run.Nutrition.Requirements = RequirementsOf(k.Run, k.Run.Nutrition.Requirements.Days);
            read.push_back(std::move(k));
        }
        runs = std::move(read);
        return true;
    } catch (const Refused& e) {
        error = e.what();
    } catch (const json::exception& e) {
        error = std::string("it is not readable JSON (") + e.what() + ")";
    } catch (const std::exception& e) {
        error = e.what();
    }
    runs.clear();
    return false;
}

bool ReadRunsFile(const std::string& path, std::vector<KeptRun>& runs, std::string& error) {
    runs.clear();
    if (!FileExists(path)) return true;
    std::string text;
    if (!ReadTextFile(path, text, error)) return false;
    std::string why;
    if (!ParseRunsText(text, runs, why)) {
        error = "The kept runs file " + path + " cannot be read: " + why;
        return false;
    }
    return true;
}

bool SaveRunsFile(const std::string& path, const std::vector<KeptRun>& runs, std::string& error) {
    return SaveAtomic(path, RunsFileText(runs), error);
}

}  // namespace tarvisol
