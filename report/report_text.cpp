#include "report/report_text.h"

#include <cmath>
#include <span>
#include <string>

#include "core/diameter_selection.h"
#include "core/input_record.h"
#include "core/program_files.h"
#include "core/report_record.h"
#include "core/units.h"
#include "gasprops/gas_properties.h"
#include "report/calculation_number.h"
#include "report/error_table_page.h"
#include "report/report_context.h"
#include "report/report_line.h"
#include "report/report_pages.h"

namespace velmar {

namespace {

// An edit that says "nothing" for the additional error of a pair.
bool givenText(const Edit& e) { return !e.text().empty() && e.text() != "0"; }

// The text lines and what they are built from.
class ReportLines {
 public:
  ReportLines(const ReportContext& s, std::vector<std::string>& lines)
      : s_(s), in_(s.in), r_(s.toOtchet), sep_(s.decimalSeparator), lines_(lines) {}

  void build();

 private:
  bool errorCalc() const { return in_.Raschet.index() == 1; }
  bool uncertainty() const { return in_.TipPogr.index() == 1; }

  void line(std::string_view name, std::string_view value = {}, std::string_view unit = {}) {
    AddReportLine(lines_, false, name, value, unit);
  }
  void star(std::string_view name, std::string_view value = {}, std::string_view unit = {}) {
    AddReportLine(lines_, true, name, value, unit);
  }
  void empty() { AddReportLine(lines_, false, {}, {}, {}); }

  std::string fixed(double v, int precision, int decimals) const { return formatFixed(v, precision, decimals, sep_); }
  // Rounded to n decimals, ties to even, then in general notation.
  std::string general(double v, int decimals) const {
    const double scale = std::pow(10.0, decimals);
    return formatGeneral(std::nearbyint(v * scale) / scale, sep_);
  }
  // The absolute pressure in the unit of a unit box.
  std::string pressureIn(const ComboBox& unit) const {
    double p = r_.pAbs;
    ConvertPressure(kPa_Pa, unit.index(), p);
    return fixed(p, 5, 3);
  }
  static std::string range(const Edit& low, const Edit& high, std::string_view between = " ... ") {
    return low.text() + std::string(between) + high.text();
  }

  // A main error with its type and unit, and the additional error beside it:
  // both when the additional one is given, else the main one alone.
  struct Half {
    const Edit& value;
    const ComboBox& type;
    std::string_view unit;
  };
  void errorPair(std::string_view what, Half main, Half extra) {
    const std::string tail = std::string(what) + " - ";
    if (givenText(extra.value)) {
      line("Основная погрешность " + tail + main.type.text(), main.value.text(), main.unit);
      line("Дополнительная погрешность " + tail + extra.type.text(), extra.value.text(), extra.unit);
    } else {
      line("Погрешность " + tail + main.type.text(), main.value.text(), main.unit);
    }
  }

  void instrument();
  void medium();
  void naturalGas();
  void gasMixture();
  void composition(const StringGrid& grid, int rows, std::span<const double> x, std::string_view errorName);
  void inputData();
  void diameterInputs();
  void measurementInputs();
  void diameterResults();
  void environment();
  void instruments();
  void computingDevice();
  void flowmeter();
  void densityMeters();
  void pressureInstruments();
  void thermometers();
  void results();

  const ReportContext& s_;
  const InputRecord& in_;
  const ReportRecord& r_;
  const char sep_;
  std::vector<std::string>& lines_;
};

void ReportLines::build() {
  empty();
  instrument();
  medium();
  inputData();
  if (in_.Raschet.index() == 2) {
    diameterResults();
    return;
  }
  if (errorCalc()) {
    environment();
    instruments();
  }
  results();
}

void ReportLines::instrument() {
  line("Расходомер (счетчик) - " + in_.TipSU.text());
  line(in_.Label1.caption() + ": " + in_.NameSU.text());
  if (errorCalc()) {
    line(uncertainty() ? "Вид расчета: Оценка неопределенности результатов измерений"
                       : "Вид расчета: Оценка погрешности результатов измерений");
  } else {
    line("Вид расчета: " + in_.Raschet.selectedText());
  }
}

void ReportLines::medium() {
  empty();
  const int sreda = in_.sreda.index();
  std::string name = in_.sreda.text();
  if (sreda == 1) name = in_.NamePrSred.text();
  // A mixture is named once a pass has passed its input checks.
  if (sreda == 2 && !in_.InputChecked) name = "Другая среда";
  line("ИЗМЕРЯЕМАЯ СРЕДА ", name);
  if (in_.pr_Rab.checked()) return;
  if (sreda == 0) {
    naturalGas();
  } else if (sreda == 1) {
    line("Плотность при рабочих условиях", in_.rPrSredStr.text(), "кг/м3");
    if (errorCalc()) {
      line("Погрешность определения плотности при рабочих условиях", in_.rPrSredPogrSisStr.text(), "%");
      line("Коэффициент влияния температуры на плотность среды", in_.KoefTPrSredStr.text());
      line("Коэффициент влияния давления на плотность среды", in_.KoefPPrSredStr.text());
    }
  } else if (sreda == 2) {
    gasMixture();
  } else {
    star("Плотность при рабочих условиях", fixed(r_.rho, 6, 3), "кг/м3");
    if (errorCalc())
      star("Относительная погрешность определения плотности при рабочих условиях", fixed(r_.dRho, 5, 3), "%");
    star("Плотность при стандартных условиях", fixed(r_.rhoSt, 6, 3), "кг/м3");
  }
}

void ReportLines::composition(const StringGrid& grid, int rows, std::span<const double> x, std::string_view errorName) {
  for (int row = 1; row <= rows; ++row) {
    // Row k shows element k, except the hydrogen sulphide of GSSSD MR 113-03:
    // its row 13 feeds element 14, element 13 being the water of the humidity.
    const bool sulphide113 = &grid == &in_.sost_113 && row == 13;
    const size_t i = static_cast<size_t>(sulphide113 ? row : row - 1);
    if (i >= x.size() || !(x[i] > 0)) continue;
    line("  " + grid.cell(0, row), grid.cell(1, row), "%");
    if (errorCalc()) line(errorName, grid.cell(2, row), " %");
  }
}

void ReportLines::naturalGas() {
  const int metod = in_.metod.index();
  line("Метод расчета коэффициента сжимаемости ", in_.metod.selectedText());
  if (metod == 1 || metod == 2) {
    line("Плотность при стандартных условиях (rc)", in_.rststr.text(), "кг/м3");
    if (errorCalc()) {
      line("Относительная погрешность определения плотности при стандартных условиях", in_.rstsisstr.text(), "%");
    }
    line("Содержание азота (n2)", in_.n2str.text(), "%");
    if (errorCalc()) line("  Погрешность определения ", in_.n2sisstr.text(), "%");
    line("Содержание двуокиси углерода (co2)", in_.co2str.text(), "%");
    if (errorCalc()) line("  Погрешность определения ", in_.co2sisstr.text(), "%");
  } else {
    empty();
    line("Компонентный состав:");
    constexpr std::string_view kError = "    Погрешность определения ";
    const CompositionVectors& c = s_.comp;
    if (metod == 0) composition(in_.sostav, 12, c.vnic.x, kError);
    if (metod == 3) composition(in_.sost_rgaz, 10, c.rgaz.x, kError);
    if (metod == 4) composition(in_.sost_iso, 21, c.iso.x, kError);
  }
  const bool fullComposition = metod == 0 || metod == 3 || metod == 4;
  star("Коэффициент сжимаемости", fixed(r_.K, 7, 5));
  if (metod == 3 || metod == 4) star("Фактор сжимаемости при рабочих условиях", fixed(r_.Z, 7, 5));
  star("Плотность при рабочих условиях", fixed(r_.rho, 6, 5), "кг/м3");
  if (errorCalc())
    star("Относительная погрешность определения плотности при рабочих условиях", fixed(r_.dRho, 5, 3), "%");
  if (fullComposition) star("Плотность при стандартных условиях", fixed(r_.rhoSt, 6, 5), "кг/м3");
  star("Скорость звука", fixed(r_.soundSpeed, 6, 4), "м/с");
  star("Динамическая вязкость", fixed(r_.mu * 1e6, 8, 3), "мкПа*с");
}

void ReportLines::gasMixture() {
  const int method = in_.Metod_s.index();
  line("Метод расчета - " + in_.Metod_s.selectedText());
  empty();
  line("Компонентный состав:");
  constexpr std::string_view kError = "  Погрешность определения ";
  const CompositionVectors& c = s_.comp;
  if (method == 0) {
    composition(in_.sost_113, 13, c.mr113.x, kError);
    line("  Абсолютная влажность", in_.Vlag113Str.text(), "г/м3");
  }
  if (method == 1) composition(in_.Sost_118, 18, c.mr118.x, kError);
  if (method == 2) composition(in_.sost_135, 16, c.mr135.x, kError);
  star("Плотность при стандартных условиях", general(r_.rhoSt, 4), "кг/м3");
  if (errorCalc()) star("Относительная погрешность плотности при стандартных условиях", general(r_.dRho, 3), "%");
  star("Плотность при рабочих условиях", fixed(r_.rho, 6, 3), "кг/м3");
  if (errorCalc()) star("Относительная погрешность плотности при рабочих условиях", fixed(r_.dRho, 5, 3), "%");
}

void ReportLines::inputData() {
  empty();
  if (in_.Raschet.index() == 2) {
    diameterInputs();
  } else {
    measurementInputs();
  }
}

void ReportLines::diameterInputs() {
  line(in_.Q_Tip.index() == 0 ? "Максимальный измеряемый расход при рабочих условиях"
                              : "Максимальный измеряемый расход, приведенный к стандартным условиям",
       in_.Q_Str.text(), "м3/ч");
  if (in_.pr_Rab.checked()) {
    line("Плотность при рабочих условиях ", in_.r_rab_str.text(), "кг/м3");
    if (in_.r_st_str.visible()) line("Плотность при стандартных условиях (rс)", in_.r_st_str.text(), "кг/м3");
    return;
  }
  line("Максимальная температура ", in_.T_str.text(), "°C");
  const bool gauge = in_.pr_Pbar_.checked();
  if (gauge) {
    line("Атмосферное давление ", in_.Pbar_str.text(), in_.Pbar_Ed.text());
    line("Минимальное избыточное давление ", in_.Pizb_str.text(), in_.Pizb_ed.text());
  }
  // Computed from the two above when the atmospheric pressure is given.
  AddReportLine(lines_, gauge, "Минимальное абсолютное давление ", pressureIn(in_.Pizb_ed), in_.Pizb_ed.text());
}

void ReportLines::measurementInputs() {
  line("Объем при рабочих условиях", in_.Qstr.text(), "м3");
  if (in_.PanelTau.visible()) line("Продолжительность периода измерений", in_.TauStr.text(), "ч");
  if (in_.pr_Rab.checked()) {
    line("Плотность при рабочих условиях (r)", in_.rrab_Str.text(), "кг/м3");
    line("Плотность при стандартных условиях (rс)", in_.rst_str.text(), "кг/м3");
    // Asked for only while no meter measures the standard density.
    if (errorCalc() && in_.rst_Pogrpanel.visible()) {
      line("Погрешность определения плотности при стандарнтных условиях", in_.rst_pogrStr.text(), "%");
    }
    return;
  }
  // The channel errors stand among the inputs when no computing device is used.
  const bool channels = errorCalc() && !in_.pr_IK.checked() && in_.TipIK.index() == 0;
  line("Температура (t)", in_.Tstr.text(), "°C");
  if (channels) star("Относительная погрешность измерения температуры", fixed(r_.dT, 5, 3), "%");
  if (in_.pr_Pbar.checked()) {
    line("Атмосферное давление (Pб)", in_.PbarStr.text(), in_.PbarEd.text());
    if (channels && in_.TipIzmBar.index() == 0) {
      star("Относительная погрешность измерения атмосферного давления", fixed(r_.dPb, 5, 3), "%");
    }
    line("Избыточное давление (P)", in_.PizbStr.text(), in_.PizbEd.text());
    if (channels) star("Относительная погрешность измерения избыточного давления", fixed(r_.dPizb, 5, 3), "%");
  }
  if (in_.PbarStr.value != 0) {
    star("Абсолютное давление", pressureIn(in_.PizbEd), in_.PizbEd.text());
  } else {
    line("Абсолютное давление (P)", pressureIn(in_.PizbEd), in_.PizbEd.text());
  }
  if (channels) star("Относительная погрешность измерения абсолютного давления", fixed(r_.dPabs, 5, 3), "%");
}

void ReportLines::diameterResults() {
  star("Расчетное число измерительный линий ", std::to_string(s_.diameter.LineCount));
  star("Внутренний диаметр расходомера, выбранный из стандартного ряда номинальных внутренних диаметров ",
       fixed(s_.diameter.SelectedDiameter, 5, 3), "мм");
}

void ReportLines::environment() {
  const struct {
    const CheckBox& box;
    const Edit& value;
  } ambient[] = {{in_.dPoCheck, in_.dPoStr},
                 {in_.ToCheck, in_.ToStr},
                 {in_.PizboCheck, in_.PizboStr},
                 {in_.PbaroCheck, in_.PbaroStr}};
  bool any = false;
  for (const auto& a : ambient) any = any || a.box.checked();
  if (!any) return;
  empty();
  line("ОКРУЖАЮЩАЯ СРЕДА");
  for (const auto& a : ambient) {
    if (a.box.checked()) line(a.box.caption(), a.value.text(), "°C");
  }
}

void ReportLines::instruments() {
  empty();
  if (in_.pr_IK.checked()) computingDevice();
  if (in_.PaneldP.visible()) flowmeter();
  if (in_.pr_Rab.checked()) {
    densityMeters();
  } else {
    pressureInstruments();
    thermometers();
  }
}

void ReportLines::computingDevice() {
  const InputRecord& in = in_;
  const int tip = in.TipIK.index();
  line("ВЫЧИСЛИТЕЛЬНОЕ УСТРОЙСТВО");
  line(tip == 0 ? "Относительная погрешность определения расхода " : "Относительная погрешность вычисления расхода ",
       in.CompPogrStr.text(), "%");
  line("Относительная погрешность определения времени измерений ", in.CompVrStr.text(), "%");
  const auto flowPair = [&] {
    errorPair("канала измерения расхода", {in.PogrKanaldPStr, in.TipPogrKanaldP, in.PogrKanaldPEd.text()},
              {in.PogrKanaldPdopStr, in.TipPogrKanaldPdop, in.PogrKanaldPdopEd.text()});
  };
  if (in.pr_Rab.checked()) {
    if (tip != 2) return;
    flowPair();
    errorPair("канала измерения плотности при рабочих условиях",
              {in.PogrKanalrrabStr, in.TipPogrKanalrrab, in.PogrKanalrrabEd.text()},
              {in.PogrKanalrrabdopStr, in.TipPogrKanalrrabdop, in.PogrKanalrrabdopEd.text()});
    if (in.pr_St.checked()) {
      errorPair("канала измерения плотности при стандартных условиях",
                {in.PogrKanalrstStr, in.TipPogrKanalrst, in.PogrKanalrstEd.text()},
                {in.PogrKanalrstdopStr, in.TipPogrKanalrstdop, in.PogrKanalrstdopEd.text()});
    }
    return;
  }
  // The ranges of the channels whose instruments are not described apart.
  if (!in.PaneldP.visible()) {
    line("Диапазон измерений расхода при рабочих условиях (Qн...Qв)", range(in.QpredMinStr, in.QpredMaxStr),
         in.QpredMaxEd.text());
  }
  if (!in.PanelT.visible()) line("Диапазон измерений температуры (tн...tв)", range(in.TminStr, in.TmaxStr), "°C");
  if (!in.PanelP.visible()) {
    line(in.pr_Pbar.checked() ? "Диапазон измерений избыточного давления (Pн...Pв)"
                              : "Диапазон измерений абсолютного давления (Pн...Pв)",
         range(in.PizbprednStr, in.PizbPredstr), in.PizbPredEd.text());
  }
  if (tip != 2) return;
  flowPair();
  errorPair("канала измерения  температуры", {in.PogrKanalTStr, in.TipPogrKanalT, in.PogrKanalTEd.text()},
            {in.PogrKanalTdopStr, in.TipPogrKanalTdop, in.PogrKanalTdopEd.text()});
  const Half gauge{in.PogrKanalPStr, in.TipPogrKanalP, in.PogrKanalPEd.text()};
  const Half gaugeExtra{in.PogrKanalPdopStr, in.TipPogrKanalPdop, in.PogrKanalPdopEd.text()};
  if (in.pr_Pbar.checked()) {
    errorPair("канала измерения избыточного давления", gauge, gaugeExtra);
    if (in.PogrKanalPbarStr.visible()) {
      errorPair("канала измерения атмосферного давления",
                {in.PogrKanalPbarStr, in.TipPogrKanalPbar, in.PogrKanalPbarEd.text()},
                {in.PogrKanalPbardopStr, in.TipPogrKanalPbardop, in.PogrKanalPbardopEd.text()});
    }
  } else {
    errorPair("канала измерения абсолютного давления", gauge, gaugeExtra);
  }
}

void ReportLines::flowmeter() {
  const InputRecord& in = in_;
  empty();
  line("СРЕДСТВА ИЗМЕРЕНИЯ РАСХОДА");
  if (in.PanelQmax.visible()) {
    line("Диапазон измеряемого расхода при рабочих условиях (Qн...Qв)", range(in.QpredMinStr, in.QpredMaxStr), "м3/ч");
  }
  const bool extra = givenText(in.dp1dopStr);
  if (in.dP1dopcheck.checked() && extra) {
    line("Погрешность расходомера (счетчика) в диапазоне от " + in.Diap1minStr.text() + " до " + in.Diap1maxStr.text() +
             " " + in.Diap1Ed.text() + " - " + in.dP1tipPogr.text(),
         in.dP1sisstr.text(), "%");
    line("Погрешность расходомера (счетчика) в диапазоне от " + in.Diap2minStr.text() + " до " + in.Diap2maxStr.text() +
             " " + in.Diap2Ed.text() + " - " + in.dP1dopdiapTipPogr.text(),
         in.dP1dopsisStr.text(), "%");
  } else if (!in.dP1dopcheck.checked() && extra) {
    line("Основная погрешность расходомера (счетчика) - " + in.dP1tipPogr.text(), in.dP1sisstr.text(), "%");
  } else {
    line("Погрешность расходомера (счетчика) - " + in.dP1tipPogr.text(), in.dP1sisstr.text(), "%");
  }
  if (extra)
    line("Дополнительная погрешность расходомера (счетчика) - " + in.dp1tipdopPogr.text(), in.dp1dopStr.text(), "%");
  if (in.dP2check.checked())
    errorPair("2-го преобразователя", {in.dP2sisstr, in.dP2tipPogr, "%"}, {in.dp2dopStr, in.dP2tipdopPogr, "%"});
  if (in.dP3check.checked())
    errorPair("3-го преобразователя", {in.dP3sisstr, in.dP3tipPogr, "%"}, {in.dp3dopStr, in.dP3tipdopPogr, "%"});
}

void ReportLines::densityMeters() {
  const InputRecord& in = in_;
  empty();
  line("СРЕДСТВА ИЗМЕРЕНИЯ ПЛОТНОСТИ ПРИ РАБОЧИХ УСЛОВИЯХ");
  line("Диапазон измерений СИ плотности при рабочих условиях (rн - rв)", range(in.rrabMinStr, in.rrabMaxStr, "..."),
       "кг/м3");
  // The errors of the meters stand where the window asks for them: not when
  // the computing device's error covers its transducers.
  if (in.Panelrrab.visible()) {
    errorPair("СИ плотности при рабочих условиях", {in.rrab1pogrStr, in.rrab1TipPogr, in.rrab1Ed.text()},
              {in.rrab1dopPogrStr, in.rrab1tipdopPogr, in.rrab1dopEd.text()});
    if (in.rrab2Check.checked()) {
      errorPair("2-го преобразователя", {in.rrab2PogrStr, in.rrab2TipPogr, in.rrab2Ed.text()},
                {in.rrab2dopPogrStr, in.rrab2tipdopPogr, in.rrab2dopEd.text()});
    }
    if (in.rrab3check.checked()) {
      errorPair("3-го преобразователя", {in.rrab3PogrStr, in.rrab3TipPogr, in.rrab3Ed.text()},
                {in.rrab3doppogrStr, in.rrab3tipdopPogr, in.rrab3dopEd.text()});
    }
  }
  if (!in.pr_St.checked()) return;
  empty();
  line("СРЕДСТВА ИЗМЕРЕНИЯ ПЛОТНОСТИ ПРИ СТАНДАРТНЫХ УСЛОВИЯХ");
  line("Диапазон измерений СИ плотности при стандартных условиях (rн - rв)", range(in.rstMinStr, in.rstMaxStr, "..."),
       "кг/м3");
  if (!in.Panelrst.visible()) return;
  errorPair("СИ плотности при стандартных условиях", {in.rst1PogrStr, in.rst1TipPogr, in.rst1Ed.text()},
            {in.rst1dopPogrStr, in.rst1tipdopPogr, in.rst1dopEd.text()});
  if (in.rst2Check.checked()) {
    errorPair("2-го преобразователя", {in.rst2PogrStr, in.rst2TipPogr, in.rst2ed.text()},
              {in.rst2dopPogrStr, in.rst2tipdopPogr, in.rst2dopEd.text()});
  }
  if (in.rst3Check.checked()) {
    errorPair("3-го преобразователя", {in.rst3PogrStr, in.rst3TipPogr, in.rst3Ed.text()},
              {in.rst3dopPogrStr, in.rst3tipdopPogr, in.rst3dopEd.text()});
  }
}

void ReportLines::pressureInstruments() {
  const InputRecord& in = in_;
  if (in.PanelP.visible()) {
    empty();
    line("СРЕДСТВА ИЗМЕРЕНИЯ ДАВЛЕНИЯ");
    line("Диапазон измерений манометра (Pн...Рв)", range(in.PizbprednStr, in.PizbPredstr), in.PizbPredEd.text());
    errorPair("1-го преобразователя (манометра)", {in.P1sisstr, in.P1tipPogr, in.P1Ed.text()},
              {in.P1dopStr, in.P1tipdopPogr, in.P1dopEd.text()});
    if (in.P2check.checked()) {
      errorPair("2-го преобразователя", {in.P2sisstr, in.P2tipPogr, in.P2Ed.text()},
                {in.P2dopStr, in.P2tipdopPogr, in.P2dopEd.text()});
    }
    if (in.P3check.checked()) {
      errorPair("3-го преобразователя", {in.P3sisstr, in.P3tipPogr, in.P3ed.text()},
                {in.P3dopStr, in.P3tipdopPogr, in.P3dopEd.text()});
    }
  }
  if (in.pr_Pbar.checked()) {
    empty();
    const std::string span = range(in.PbarMinStr, in.PbarMaxStr);
    if (in.TipIzmBar.index() == 1) {
      line("Атмосферное давление принимается условно-постоянным");
      line("Диапазон изменения атмосферного давления", span, in.PbarPredEd.text());
    } else if (in.TipIzmBar.index() == 0) {
      line("Диапазон измерений СИ атмосферного давления (Pбн - Pбв)", span, in.PbarPredEd.text());
      errorPair("СИ атмосферного давления", {in.PbarPogrStr, in.PbarTipPogr, in.PbarPogrEd.text()},
                {in.PbarDopPogrStr, in.PbarTipdopPogr, in.PbardopPogrEd.text()});
    }
  }
}

void ReportLines::thermometers() {
  const InputRecord& in = in_;
  if (!in.PanelT.visible()) return;
  empty();
  line("СРЕДСТВА ИЗМЕРЕНИЯ ТЕМПЕРАТУРЫ");
  line("Диапазон измерений термометра (tн - tв)", range(in.TminStr, in.TmaxStr), "°C");
  if (in.T11check.checked()) {
    if (in.Tclass.index() != 4) line("Термометр сопротивления  - " + in.Tclass.text());
    line("Абсолютная погрешность термометра сопротивления ", in.T11str.text() + "+" + in.T12str.text() + "* |t|", "°C");
  } else {
    errorPair("1-го преобразователя (термометра)", {in.T1sisstr, in.T1tipPogr, in.T1ed.text()},
              {in.T1dopStr, in.T1tipdopPogr, in.T1dopEd.text()});
  }
  if (in.T2check.checked()) {
    errorPair("2-го преобразователя", {in.T2sisstr, in.T2tipPogr, in.T2ed.text()},
              {in.T2dopStr, in.T2tipdopPogr, in.T2dopEd.text()});
  }
  if (in.T3check.checked()) {
    errorPair("3-го преобразователя", {in.T3sisstr, in.T3tipPogr, in.T3ed.text()},
              {in.T3dopStr, in.T3tipdopPogr, in.T3dopEd.text()});
  }
}

void ReportLines::results() {
  const InputRecord& in = in_;
  empty();
  line("РЕЗУЛЬТАТЫ РАСЧЕТА");
  // The channel errors, unless the computing device's error covers every
  // channel with the flowmeter.
  const bool deviceCoversAll = in.pr_IK.checked() && in.TipIK.index() == 0 && !in.TipIkQ.checked();
  if (errorCalc() && !deviceCoversAll) {
    const std::string what =
        std::string("Относительная") + (uncertainty() ? " расширенная неопределенность результата " : " погрешность ");
    const auto channel = [&](std::string_view ending, double value) {
      star(what + std::string(ending), fixed(value, 8, 2), "%");
    };
    if (in.pr_Rab.checked()) {
      channel("измерений расхода при рабочих условиях", r_.dQ);
      channel("измерений плотности при рабочих условиях", r_.dRho);
      if (in.pr_St.checked()) channel("измерений плотности при стандартных условиях", r_.dRhoSt);
    } else {
      if (in.TipIkQ.checked() && in.TipIkQ.visible()) channel("измерений расхода при рабочих условиях", r_.dQ);
      if (in.T1check.checked()) channel("измерений температуры", r_.dT);
      if (in.P1check.checked()) {
        if (in.pr_Pbar.checked()) {
          channel("измерений избыточного давления", r_.dPizb);
          channel("измерений атмосферного давления", r_.dPb);
        }
        channel("измерений абсолютного давления", r_.dPabs);
      }
    }
  }
  if (errorCalc() || !in.TabSheet14.visible()) {
    star(in.pr_Rab.checked() ? "Объем, приведенный к стандартным условиям"
                             : "Объем при заданных температуре и давлении, приведенный к стандартным условиям",
         fixed(r_.Vc, 8, 6), "м3");
  } else {
    star("Объем сухой части влажного газа, приведенный к стандартным условиям", fixed(r_.Vdry, 8, 6), "м3");
    star("Объем влажного газа, приведенный к стандартным условиям", fixed(r_.Vwet, 8, 6), "м3");
  }
  if (in.PanelTau.visible()) star("Средний расход при рабочих условиях", fixed(r_.Qavg, 6, 3), "м3/ч");
  if (errorCalc()) {
    star(uncertainty() ? "Расширенная неопределенность результата измерения объема, приведенного к стандартным условиям"
                       : "Относительная погрешность измерения объема, приведенного к стандартным условиям",
         fixed(r_.dVol, 6, 3), "%");
  }
  empty();
}

}  // namespace

ReportDocument BuildReportText(const ReportContext& s, const ReportSettings& settings, std::string_view date) {
  const InputRecord& in = s.in;
  ReportDocument doc;
  const long long stored = settings.number ? *settings.number : ReadCalculationNumber(s.files);
  const std::string number = settings.Numer == 1 ? in.NomerR.text() : std::to_string(stored);
  doc.numberLine = " Расчет N " + number + "  от " + std::string(date);
  doc.name = in.NameIzmTrub.text();
  doc.standardsLine = s.reportPages.standardsLine;
  ReportLines(s, doc.lines).build();
  if (in.Raschet.index() == 1) doc.errorTables = fillErrorTablePage(s, settings);
  return doc;
}

}  // namespace velmar
