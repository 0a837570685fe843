#include "persistence/input_reset.h"

#include <string>
#include <string_view>

#include "core/composition_grid_texts.h"
#include "core/input_record.h"
#include "persistence/storage_context.h"

namespace velmar {

namespace {

struct Default {
  std::string_view names;  // space-separated controls
  std::string_view value;  // edit text, item index or check state
};

// In the order the window's "Очистить окна ввода" sets them.
constexpr Default kDefaults[] = {
    // Kind of calculation and medium.
    {"Raschet sreda TipSU", "0"},
    {"metod TipPogr", "1"},
    {"NameIzmTrub NameSU", ""},
    {"NamePrSred", "0"},
    // Main conditions and the gas parameters.
    {"Qstr TauStr QpredMinStr Tstr PizbStr PbarStr", "0"},
    {"Ted PbarEd", "0"},
    {"pr_Pbar", "1"},
    {"rststr n2str co2str rstsisstr rstslstr n2sisstr n2slstr co2sisstr co2slstr", "0"},
    // Control points.
    {"KT1str KT2str KT3str KT4str KT5str KT6str KTTminStr KTTmaxStr KTPminStr KTPmaxStr", "0"},
    {"KTrrabminStr KTrrabMaxStr KTrstMinStr KTrstMaxStr", "0"},
    {"KTTed KTtip", "0"},
    // Flowmeter.
    {"QpredMaxStr", "0"},
    {"QpredMaxEd dP1check", "1"},
    {"dP2check dP3check", "0"},
    {"dP1tipPogr dP2tipPogr dP3tipPogr dp1tipdopPogr dP2tipdopPogr dP3tipdopPogr", "1"},
    {"dP1sisstr dP2sisstr dP3sisstr dp1dopStr dp2dopStr dp3dopStr", "0"},
    // Pressure instruments.
    {"PizbPredstr PizbprednStr", "0"},
    {"PizbPredEd", "4"},
    {"P1check", "1"},
    {"P2check P3check", "0"},
    {"P1tipPogr P2tipPogr P3tipPogr P1tipdopPogr P2tipdopPogr P3tipdopPogr", "1"},
    {"P1sisstr P2sisstr P3sisstr P1dopStr P2dopStr P3dopStr", "0"},
    {"PbarMinStr PbarMaxStr PbarPogrStr PbarDopPogrStr", "0"},
    {"PbarPredEd", "6"},
    {"PbarTipPogr PbarTipdopPogr", "2"},
    {"TipIzmBar", "0"},
    // Temperature instrument.
    {"TminStr TmaxStr TpredEd", "0"},
    {"Tclass T1check", "1"},
    {"T2check T3check", "0"},
    {"T1tipPogr T2tipPogr T3tipPogr T1tipdopPogr T2tipdopPogr T3tipdopPogr", "2"},
    {"T1sisstr T2sisstr T3sisstr T1dopStr T2dopStr T3dopStr", "0"},
    {"T11check", "1"},
    {"T11str T12str", "0"},
    // Computing device and measuring channels.
    {"pr_IK TipIkQ", "1"},
    {"TipIK CompPogrStr CompVrStr", "0"},
    {"TipPogrKanaldP TipPogrKanalP TipPogrKanalPbar TipPogrKanalrrab TipPogrKanalrst", "1"},
    {"TipPogrKanaldPdop TipPogrKanalPdop TipPogrKanalPbardop TipPogrKanalrrabdop TipPogrKanalrstdop", "1"},
    {"TipPogrKanalT TipPogrKanalTdop", "2"},
    {"PogrKanaldPStr PogrKanalTStr PogrKanalPStr PogrKanalPbarStr PogrKanalrrabStr PogrKanalrstStr", "0"},
    {"PogrKanaldPdopStr PogrKanalTdopStr PogrKanalPdopStr PogrKanalPbardopStr PogrKanalrrabdopStr "
     "PogrKanalrstdopStr",
     "0"},
    // Density meters.
    {"pr_Rab pr_St rst_pogrTip", "0"},
    {"rrab_Str rst_str rst_pogrStr rrabMinStr rrabMaxStr rstMinStr rstMaxStr", "0"},
    {"rrab1Check rst1Check", "1"},
    {"rrab2Check rrab3check rst2Check rst3Check", "0"},
    {"rrab1TipPogr rrab2TipPogr rrab3TipPogr rrab1tipdopPogr rrab2tipdopPogr rrab3tipdopPogr", "2"},
    {"rst1TipPogr rst2TipPogr rst3TipPogr rst1tipdopPogr rst2tipdopPogr rst3tipdopPogr", "2"},
    {"rrab1pogrStr rrab2PogrStr rrab3PogrStr rrab1dopPogrStr rrab2dopPogrStr rrab3doppogrStr", "0"},
    {"rst1PogrStr rst2PogrStr rst3PogrStr rst1dopPogrStr rst2dopPogrStr rst3dopPogrStr", "0"},
    // Another medium.
    {"rPrSredStr rPrSredPogrSisStr KoefTPrSredStr KoefPPrSredStr rstPrSredStr rstPrSredPogrSisStr", "0"},
    {"rPrSredTipPogr rstPrSredTipPogr", "0"},
    // Pipeline (KlinTRStr is set with the system's decimal separator below).
    {"D20Str D20itStr", "0"},
    {"MatTr", "11"},
    {"ModUprTrStr PredTekTrStr", "200"},
    {"NamePrTr", "-1"},
    {"ustupCheck", "0"},
    // Ambient temperatures of the instruments.
    {"dPoCheck ToCheck PizboCheck PbaroCheck", "0"},
    {"dPoStr ToStr PizboStr PbaroStr", "20"},
    // Humidity.
    {"pr_vlag VlagStr VlStr", "0"},
    // Diameter calculation.
    {"Q_Str Q_Ed T_str pr_Pbar_ Pbar_str Pizb_str r_rab_str r_st_str uMaxStr uMaxDstr", "0"},
    {"Pbar_Ed Pizb_ed", "1"},
    // The hidden page "Теплоизоляция".
    {"TminHStr", "-30"},
    {"TmaxHStr TminTStr", "0"},
    {"TmaxTStr", "30"},
    {"TvminStr", "-40"},
    {"TvmaxStr", "40"},
    {"TvpminStr hVertStr dlUnvInStr dlinaCeStr", "5"},
    {"TvpmaxStr", "30"},
    {"VlagVstr", "70"},
    {"VeterStr", "4"},
    {"Raspol Napravl Opora TipPoverhIzol RaspolGT MatGT", "0"},
    {"D20nStr", "216"},
    {"TeploPrTrStr", "47"},
    {"Poverh TipIz", "1"},
    {"TeploPrIzStr", "0,05"},
    {"dStenkiGTStr", "3"},
    {"UgolGTStr", "90"},
    {"TeploPrGTStr", "17"},
};

// A stored value into a control, as a load puts it: an edit's text (which
// it parses), an item index, a check state; no rule runs.
void setDefault(Control& c, std::string_view value) {
  const std::string text(value);
  switch (c.kind()) {
    case ControlKind::Edit: static_cast<Edit&>(c).setText(text); break;
    case ControlKind::CheckBox: static_cast<CheckBox&>(c).setChecked(text != "0"); break;
    case ControlKind::ComboBox:
      if (static_cast<ComboBox&>(c).editable()) {
        static_cast<ComboBox&>(c).setText(text);
        break;
      }
      [[fallthrough]];
    case ControlKind::RadioGroup: static_cast<Choice&>(c).setIndex(std::stoi(text)); break;
    default: break;
  }
}

void forEachName(std::string_view names, auto&& f) {
  while (!names.empty()) {
    const size_t space = names.find(' ');
    if (space != 0) f(names.substr(0, space));
    names = space == std::string_view::npos ? std::string_view{} : names.substr(space + 1);
  }
}

// The component names in column 0, contents and uncertainties of every
// component row "0", the remainder "100".
void resetCompositionGrid(InputRecord& in, StringGrid& grid) {
  writeComponentNames(in, grid);
  const int last = grid.rowCount() - 1;
  for (int row = 1; row < last; ++row) {
    grid.setCell(1, row, "0");
    grid.setCell(2, row, "0");
  }
  grid.setCell(1, last, "100");
}

void clearDataCells(StringGrid& grid) {
  for (int row = grid.fixedRows(); row < grid.rowCount(); ++row) {
    for (int col = grid.fixedCols(); col < grid.colCount(); ++col) grid.setCell(col, row, {});
  }
}

}  // namespace

void resetInputValues(StorageContext& s) {
  InputRecord& in = s.in;
  in.CalcIdle = false;
  in.PrevTextOwner = nullptr;
  // The control points take the pressure unit the main pressure had.
  const int pressureUnit = in.PizbEd.index();
  for (const Default& d : kDefaults) {
    forEachName(d.names, [&](std::string_view name) {
      if (Control* c = in.registry.find(name)) setDefault(*c, d.value);
    });
  }
  in.PizbEd.setIndex(0);
  in.KTPed.setIndex(pressureUnit);
  if (in.KT1ed.count() > 0) in.KT1ed.setIndex(0);
  in.NamePrTr.setText({});
  in.KlinTRStr.setText(std::string("0") + s.decimalSeparator + "00001");
  for (StringGrid* g : {&in.sostav, &in.sost_rgaz, &in.sost_iso, &in.Sost_118, &in.sost_113, &in.sost_135}) {
    resetCompositionGrid(in, *g);
  }
  clearDataCells(in.TablPogr);
  clearDataCells(in.TablPogrk);
}

}  // namespace velmar
