#include "persistence/input_file_table.h"

namespace velmar {

namespace {

// Consecutive lines of one kind. For a grid, `names` is the grid and the
// lines are its rows firstRow..lastRow, each storing the cells of `cols`
// ("122": cell (1, r), cell (2, r) and cell (2, r) again).
struct Group {
  LineKind kind;
  std::string_view names;  // space-separated
  char block = 0;
  bool givenBack = false;
  int firstRow = 0;
  int lastRow = 0;
  std::string_view cols = {};
};

using K = LineKind;

Group grid(std::string_view name, int firstRow, int lastRow, std::string_view cols, char block = 0) {
  return {K::Cell, name, block, false, firstRow, lastRow, cols};
}

const std::vector<Group>& groups() {
  static const std::vector<Group> g = {
      {K::Index, "Raschet sreda metod"},
      grid("sostav", 1, 12, "122"),
      {K::Index, "TipSU"},
      {K::Text, "D20Str"},
      {K::Index, "MatTr"},
      {K::Text, "KlinTRStr ModUprTrStr PredTekTrStr QpredMaxStr"},
      {K::Index, "QpredMaxEd"},
      {K::Check, "dP1check dP2check"},
      {K::Check, "dP3check", 0, true},
      {K::Index, "dP1tipPogr dP2tipPogr dP3tipPogr"},
      {K::Text, "dP1sisstr dP2sisstr dP3sisstr PizbPredstr"},
      {K::Index, "PizbPredEd"},
      {K::Check, "P1check P2check"},
      {K::Check, "P3check", 0, true},
      {K::Index, "P1tipPogr P2tipPogr P3tipPogr"},
      {K::Text, "P1sisstr P2sisstr P3sisstr PbarMinStr PbarMaxStr"},
      {K::Index, "PbarPredEd PbarTipPogr"},
      {K::Text, "PbarPogrStr TminStr TmaxStr"},
      {K::Index, "TpredEd"},
      {K::Check, "T1check T2check"},
      {K::Check, "T3check", 0, true},
      {K::Index, "T1tipPogr T2tipPogr T3tipPogr"},
      {K::Text, "T1sisstr T2sisstr T3sisstr"},
      {K::Check, "T11check"},
      {K::Text, "T11str T12str CompPogrStr"},
      {K::Index, "Ted PbarEd PizbEd"},
      {K::Text, "Tstr PbarStr PizbStr rststr rstsisstr rstslstr n2str n2sisstr n2slstr co2str co2sisstr co2slstr"},
      {K::Index, "KTtip"},
      {K::Text, "KT1str KT2str KT3str KT4str KT5str KT6str"},
      {K::Index, "KT1ed"},
      {K::ComboText, "KT2ed KT3ed KT4ed KT5ed KT6ed"},
      {K::Text, "KTTminStr KTTmaxStr KTPminStr KTPmaxStr"},
      {K::Index, "KTTed"},
      {K::Index, "KTPed", 0, true},
      {K::Text, "NameIzmTrub NamePrSred rPrSredStr"},
      {K::Index, "rPrSredTipPogr"},
      {K::Text, "rPrSredPogrSisStr KoefTPrSredStr KoefPPrSredStr rstPrSredStr"},
      {K::Index, "rstPrSredTipPogr"},
      {K::Text, "rstPrSredPogrSisStr NomerR"},
      {K::Check, "pr_vlag"},
      {K::Text, "VlagStr"},
      {K::Index, "NamePrTr"},
      {K::Kept, ""},
      grid("SostavSmes", 1, 16, "12"),
      {K::Text, "TminHStr TmaxHStr TminTStr TmaxTStr TvminStr TvmaxStr TvpminStr TvpmaxStr VlagVstr VeterStr"},
      {K::Index, "Raspol Napravl"},
      {K::Text, "hVertStr D20nStr"},
      {K::Index, "Opora"},
      {K::Text, "TeploPrTrStr"},
      {K::Index, "Poverh TipIz"},
      {K::Text, "TeploPrIzStr"},
      {K::Index, "TipPoverhIzol RaspolGT"},
      {K::Text, "dlUnvInStr dStenkiGTStr UgolGTStr"},
      {K::Index, "MatGT"},
      {K::Text, "TeploPrGTStr dlinaCeStr"},
      grid("sost_rgaz", 1, 10, "12"),
      grid("sost_iso", 1, 21, "12"),
      {K::Index, "Koef_mu"},
      {K::Check, "pr_Pbar"},
      {K::Text, "CompVrStr"},
      grid("Sost_118", 1, 18, "12"),
      grid("sost_135", 1, 16, "12"),
      {K::Index, "Metod_s TipIzmBar"},
      {K::Check, "pr_IK"},
      {K::Index, "TipIK TipPogrKanaldP TipPogrKanalT TipPogrKanalP TipPogrKanalPbar"},
      {K::Text, "PogrKanaldPStr PogrKanalTStr PogrKanalPStr PogrKanalPbarStr"},
      {K::Index, "PogrKanaldPEd PogrKanalTEd PogrKanalPEd PogrKanalPbarEd", 0, true},
      {K::Text, "PizbprednStr"},
      grid("sost_113", 1, 13, "12"),
      {K::Text, "Vlag113Str Qstr QpredMinStr TauStr NameSU"},
      {K::Check, "pr_Rab"},
      {K::Check, "pr_St", 0, true},
      {K::Text, "rrab_Str rst_str rst_pogrStr"},
      {K::Index, "TipPogrKanalrrab"},
      {K::Text, "PogrKanalrrabStr"},
      {K::Index, "TipPogrKanalrst"},
      {K::Text, "PogrKanalrstStr rrabMinStr rrabMaxStr"},
      {K::Check, "rrab1Check"},
      {K::Index, "rrab1TipPogr"},
      {K::Text, "rrab1pogrStr"},
      {K::Check, "rrab2Check"},
      {K::Index, "rrab2TipPogr"},
      {K::Text, "rrab2PogrStr"},
      {K::Check, "rrab3check", 0, true},
      {K::Index, "rrab3TipPogr"},
      {K::Text, "rrab3PogrStr rstMinStr rstMaxStr"},
      {K::Check, "rst1Check"},
      {K::Index, "rst1TipPogr"},
      {K::Text, "rst1PogrStr"},
      {K::Check, "rst2Check"},
      {K::Index, "rst2TipPogr"},
      {K::Text, "rst2PogrStr"},
      {K::Check, "rst3Check", 0, true},
      {K::Index, "rst3TipPogr"},
      {K::Text, "rst3PogrStr KTrrabminStr KTrrabMaxStr KTrstMinStr KTrstMaxStr"},
      {K::Index, "rst_pogrTip"},
      {K::Check, "TipIkQ", 'A'},
      {K::Index,
       "TipPogr TipPogrKanaldPdop TipPogrKanalTdop TipPogrKanalPdop TipPogrKanalPbardop TipPogrKanalrrabdop "
       "TipPogrKanalrstdop"},
      {K::Text,
       "PogrKanaldPdopStr PogrKanalTdopStr PogrKanalPdopStr PogrKanalPbardopStr PogrKanalrrabdopStr "
       "PogrKanalrstdopStr"},
      {K::Index,
       "PogrKanaldPdopEd PogrKanalTdopEd PogrKanalPdopEd PogrKanalPbardopEd PogrKanalrrabdopEd PogrKanalrstdopEd", 0,
       true},
      {K::Index,
       "TipAddKanaldP TipAddKanalT TipAddKanalP TipAddKanalPbar TipAddKanalrrab TipAddKanalrst "
       "dp1tipdopPogr dP2tipdopPogr dP3tipdopPogr"},
      {K::Text, "dp1dopStr dp2dopStr dp3dopStr"},
      {K::Index, "TipAdddP1 TipAdddP2 TipAdddP3 Tclass T1tipdopPogr T2tipdopPogr T3tipdopPogr"},
      {K::Text, "T1dopStr T2dopStr T3dopStr"},
      {K::Index, "TipAddT1 TipAddT2 TipAddT3"},
      {K::Index, "P1Ed P2Ed P3ed", 0, true},
      {K::Index, "P1tipdopPogr P2tipdopPogr P3tipdopPogr"},
      {K::Text, "P1dopStr P2dopStr P3dopStr"},
      {K::Index, "P1dopEd P2dopEd P3dopEd", 0, true},
      {K::Index, "TipAddP1 TipAddP2 TipAddP3 PbarTipdopPogr"},
      {K::Text, "PbarDopPogrStr"},
      {K::Index, "PbardopPogrEd", 0, true},
      {K::Index, "TipAddPbar rrab1tipdopPogr rrab2tipdopPogr rrab3tipdopPogr"},
      {K::Text, "rrab1dopPogrStr rrab2dopPogrStr rrab3doppogrStr"},
      {K::Index, "TipAddrrab1 TipAddrrab2 TipAddrrab3 rst1tipdopPogr rst2tipdopPogr rst3tipdopPogr"},
      {K::Text, "rst1dopPogrStr rst2dopPogrStr rst3dopPogrStr"},
      {K::Index, "TipAddrst1 TipAddrst2 TipAddrst3"},
      {K::Text, "D20itStr", 'B'},
      {K::Check, "ustupCheck", 'C'},
      {K::Text, "Q_Str", 'D'},
      {K::Index, "Q_Ed Q_Tip", 'D'},
      {K::Text, "T_str", 'D'},
      {K::Index, "T_ed", 'D'},
      {K::Text, "Pbar_str", 'D'},
      {K::Index, "Pbar_Ed", 'D'},
      {K::Text, "Pizb_str", 'D'},
      {K::Index, "Pizb_ed", 'D'},
      {K::Text, "r_rab_str r_st_str uMaxStr uMaxDstr", 'D'},
      grid("strad", 0, 49, "0", 'D'),
      {K::Check, "pr_Pbar_", 'D'},
      {K::Index, "VlTip TipVl", 'E'},
      {K::Text, "VlStr", 'E'},
      {K::Index, "TipAbsVl", 'E'},
      {K::Check, "TipPogrMetan", 'F'},
      {K::Index, "TipMetan", 'F'},
      {K::Index, "rstTipPogr n2TipPogr co2TipPogr", 'G'},
      {K::Text, "Diap1minStr Diap1maxStr Diap2minStr", 'H'},
      {K::Index, "Diap1Ed dP1dopdiapTipPogr", 'H'},
      {K::Text, "dP1dopsisStr", 'H'},
      {K::Check, "dP1dopcheck", 'I'},
      {K::Check, "dPoCheck ToCheck PizboCheck PbaroCheck", 'J'},
      {K::Text, "dPoStr ToStr PizboStr PbaroStr", 'J'},
  };
  return g;
}

std::vector<FileLine> expand() {
  std::vector<FileLine> lines;
  for (const Group& g : groups()) {
    if (g.kind == K::Kept) {
      lines.push_back({K::Kept, {}});
      continue;
    }
    if (g.kind == K::Cell) {
      for (int row = g.firstRow; row <= g.lastRow; ++row) {
        for (size_t k = 0; k < g.cols.size(); ++k) {
          const bool again = g.cols.substr(0, k).find(g.cols[k]) != std::string_view::npos;
          lines.push_back({again ? K::CellCopy : K::Cell, g.names, g.cols[k] - '0', row, g.block});
        }
      }
      continue;
    }
    std::string_view names = g.names;
    while (!names.empty()) {
      const size_t space = names.find(' ');
      const std::string_view name = names.substr(0, space);
      if (!name.empty()) lines.push_back({g.kind, name, 0, 0, g.block, g.givenBack});
      names = space == std::string_view::npos ? std::string_view{} : names.substr(space + 1);
    }
  }
  return lines;
}

}  // namespace

const std::vector<FileLine>& inputFileLines() {
  static const std::vector<FileLine> lines = expand();
  return lines;
}

}  // namespace velmar
