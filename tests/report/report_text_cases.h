#pragma once
// The measuring points whose report texts the tests hold line by line.
#include <functional>
#include <string>
#include <vector>

#include "persistence/reference_lists.h"
#include "report_fixture.h"

namespace velmar::testing {

struct ReportCase {
  const char* name;
  std::function<void(ReportPoint&)> setUp;
};

inline const std::vector<ReportCase>& reportCases();

// Sets up the measuring point of the named case.
inline void setUpCase(ReportPoint& p, const std::string& name) {
  for (const ReportCase& c : reportCases()) {
    if (name == c.name) return c.setUp(p);
  }
  ADD_FAILURE() << "no report case " << name;
}

inline const std::vector<ReportCase>& reportCases() {
  static const std::vector<ReportCase> cases = {
      // Natural gas by GERG-91 mod.: the volume of dry gas.
      {"VolumeGerg91",
       [](ReportPoint& p) {
         p.gerg91Example();
         p.choose(p.s.in.TipSU, 3);
         p.type(p.s.in.NameSU, "ИРВИС-РС4");
         p.settle();
       }},
      // The worked error calculation by GERG-91 mod.
      {"ErrorGerg91", [](ReportPoint& p) { p.example("gerg91_error.args"); }},
      // Natural gas by R Gazprom 5.3 with its composition, worded as uncertainties.
      {"UncertaintyRGazprom", [](ReportPoint& p) { p.example("rgazprom_error.args"); }},
      // A mixture by GSSSD MR 135-07: the rows of zero content stay out.
      {"MixtureMR135", [](ReportPoint& p) { p.example("mr135_mixture.args"); }},
      // A wet mixture by GSSSD MR 113-03 with hydrogen sulphide, an error
      // calculation: the last grid row stands for the last component, the
      // humidity follows the rows.
      {"MixtureMR113",
       [](ReportPoint& p) {
         p.set({{"Raschet", "1"},
                {"TipPogr", "0"},
                {"sreda", "2"},
                {"Metod_s", "0"},
                {"sost_113[1,1]", "90"},
                {"sost_113[2,1]", "0,5"},
                {"sost_113[1,2]", "5"},
                {"sost_113[1,3]", "2"},
                {"sost_113[1,11]", "2"},
                {"sost_113[1,13]", "1"},
                {"sost_113[2,13]", "3"},
                {"Vlag113Str", "0,50"},
                {"Tstr", "10"},
                {"PizbStr", "2000000"},
                {"PbarStr", "101325"},
                {"Qstr", "500"},
                {"TauStr", "5"},
                // No computing device: the channel errors stand among the inputs.
                {"pr_IK", "0"},
                {"QpredMaxStr", "160"},
                {"QpredMinStr", "8"},
                {"dP1tipPogr", "0"},
                {"dP1sisstr", "1,00"},
                {"TminStr", "-40"},
                {"TmaxStr", "60"},
                {"Tclass", "1"},
                {"PizbPredEd", "0"},
                {"PizbPredstr", "4000000"},
                {"PizbprednStr", "0"},
                {"P1tipPogr", "1"},
                {"P1sisstr", "0,25"},
                {"PbarPredEd", "0"},
                {"PbarMinStr", "80000"},
                {"PbarMaxStr", "110000"},
                {"TipIzmBar", "0"},
                {"PbarTipPogr", "2"},
                {"PbarPogrStr", "200"},
                {"ToCheck", "1"},
                {"ToStr", "-10,0"},
                {"KTtip", "0"},
                {"KT1ed", "1"},
                {"KT1str", "100"},
                {"KTTminStr", "0"},
                {"KTTmaxStr", "20"},
                {"KTPminStr", "1500000"},
                {"KTPmaxStr", "2500000"}});
         p.settle();
         // A calculation the report is enabled for: no message raised.
         for (const auto& m : p.memo2()) ADD_FAILURE() << m;
       }},
      // Wet natural gas by GERG-91 mod.: the volumes of the dry part and of the wet gas.
      {"WetGerg91", [](ReportPoint& p) { p.example("gerg91_wet.args"); }},
      // Measured densities at working and standard conditions, an error
      // calculation whose computing device has its own channels.
      {"MeasuredDensities",
       [](ReportPoint& p) {
         p.set({{"Raschet", "1"},
                {"TipPogr", "0"},
                {"VlTip", "0"},
                {"pr_Rab", "1"},
                {"pr_St", "1"},
                {"rrab_Str", "40,50"},
                {"rst_str", "0,6800"},
                {"rst_pogrStr", "0,2"},
                {"Qstr", "1000"},
                {"TauStr", "10"},
                {"pr_IK", "1"},
                {"TipIK", "2"},
                {"CompPogrStr", "0,05"},
                {"CompVrStr", "0,01"},
                {"PogrKanaldPStr", "0,1"},
                {"PogrKanaldPdopStr", "0,05"},
                {"PogrKanalrrabStr", "0,1"},
                {"PogrKanalrstStr", "0,1"},
                {"QpredMaxStr", "160"},
                {"QpredMinStr", "8"},
                {"dP1dopcheck", "1"},
                {"Diap1Ed", "0"},
                {"Diap1minStr", "20"},
                {"dP1sisstr", "1"},
                {"dP1dopsisStr", "2"},
                {"dp1dopStr", "0,3"},
                {"dP2check", "1"},
                {"dP2sisstr", "0,1"},
                {"rrabMinStr", "1"},
                {"rrabMaxStr", "100"},
                {"rrab1pogrStr", "0,2"},
                {"rrab1dopPogrStr", "0,1"},
                {"rrab2Check", "1"},
                {"rrab2PogrStr", "0,05"},
                {"rstMinStr", "0,6"},
                {"rstMaxStr", "1,0"},
                {"rst1PogrStr", "0,002"},
                {"KTtip", "0"},
                {"KT1ed", "1"},
                {"KT1str", "100"},
                {"KTrrabminStr", "35"},
                {"KTrrabMaxStr", "45"},
                {"KTrstMinStr", "0,67"},
                {"KTrstMaxStr", "0,69"}});
         p.settle();
         for (const auto& m : p.memo2()) ADD_FAILURE() << m;
       }},
      // Nitrogen by GSSSD MR 134-07.
      {"Nitrogen", [](ReportPoint& p) { p.example("nitrogen.args"); }},
      // Another medium with its entered densities, an uncertainty calculation.
      {"OtherMedium",
       [](ReportPoint& p) {
         p.set({{"Raschet", "1"},
                {"VlTip", "0"},
                {"sreda", "1"},
                {"NamePrSred", "Пропан-бутан"},
                {"rPrSredStr", "1,250"},
                {"rPrSredPogrSisStr", "0,5"},
                {"KoefTPrSredStr", "0,002"},
                {"KoefPPrSredStr", "0,001"},
                {"rstPrSredStr", "1,1"},
                {"Tstr", "20"},
                {"PizbStr", "100000"},
                {"PbarStr", "101325"},
                {"Qstr", "10"},
                {"TauStr", "2"}});
         p.settle();
       }},
      // The diameter of natural gas by GERG-91 mod. from the default series.
      {"Diameter",
       [](ReportPoint& p) {
         FillDefaultDiameters(p.s);
         p.gerg91Example();
         p.set({{"Raschet", "2"},
                {"Q_Str", "1000"},
                {"T_str", "20"},
                {"pr_Pbar_", "1"},
                {"Pbar_str", "101325"},
                {"Pizb_str", "500000"},
                {"uMaxStr", "20"},
                {"uMaxDstr", "25"}});
         p.settle();
       }},
  };
  return cases;
}

}  // namespace velmar::testing
