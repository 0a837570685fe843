#pragma once
// InputRecord: one measuring point as the main window shows it. Every control
// of the main window is a typed member named as the window names it, so that
// a misspelt name does not compile; each also registers itself by name in
// `registry` for the generic consumers (the input-data file, the batch tool,
// the window binding, the tests). A control is declared once, here, with its
// kind, parent, caption, items, default item, initial text and default
// visibility. Parents are declared before their children.
//
// Stored units of the value fields: pressures in Pa whatever unit box was
// chosen, temperatures in °C, densities in kg/m3, volumes in m3, flows in m3/h,
// the period in hours, contents in mole %, errors in % unless absolute.
#include <string>

#include "core/controls.h"

namespace velmar {

#define VELMAR_BOX(name, kind, parent, caption, visible) \
  Container name { registry, #name, ControlKind::kind, parent, caption, visible }
#define VELMAR_EDIT(name, parent, ...) \
  Edit name { registry, #name, parent, EditTraits{__VA_ARGS__} }
#define VELMAR_COMBO(name, parent, index, visible, ...) \
  ComboBox name { registry, #name, parent, {__VA_ARGS__}, index, visible }
#define VELMAR_RADIO(name, parent, caption, index, visible, ...) \
  RadioGroup name { registry, #name, parent, caption, {__VA_ARGS__}, index, visible }
#define VELMAR_CHECK(name, parent, caption, checked, visible) \
  CheckBox name { registry, #name, parent, caption, checked, visible }
#define VELMAR_LABEL(name, parent, caption, visible) \
  Label name { registry, #name, parent, caption, visible }
// The "f(x).." button beside an error field opens the formula editor for it.
#define VELMAR_FX(field, parent, visible) \
  Button field##Fx { registry, #field "Fx", parent, "f(x)..", "Ввести формулу", visible }

#define VELMAR_PRESSURE_UNITS "Па", "кПа", "МПа", "бар", "кгс/см2", "кгс/м2", "мм рт.ст.", "мм вод.ст."
#define VELMAR_KINDS3 "относительная", "приведенная", "абсолютная"
#define VELMAR_KINDS2 "относительная", "приведенная"
#define VELMAR_ADDITION "геометрически сложить", "арифметически сложить"

#define VELMAR_POS(n) .check = {CheckRule::Positive, n}
#define VELMAR_NNEG(n) .check = {CheckRule::NonNegative, n}
#define VELMAR_ABS0(n) .check = {CheckRule::NotBelowAbsoluteZero, n}

struct InputRecord {
  // Creates the window's controls as the main window is created: design-time
  // texts and items, the grids' headings and widths.
  InputRecord();
  InputRecord(const InputRecord&) = delete;
  InputRecord& operator=(const InputRecord&) = delete;

  ControlRegistry registry;

  // --- Run-time members ------------------------------------------------------
  std::string PrevText;       // text of the edit in which a key last went down
  const Edit* PrevTextOwner = nullptr;  // that edit
  bool InputChanged = false;  // set by every input event; a running pass restarts
  bool CalcIdle = true;       // false while a section runs that must not be re-entered
  // Set once a pass has passed its input checks (the report names a gas
  // mixture only then).
  bool InputChecked = false;

  // --- The main window ---------------------------------------------------------
  VELMAR_BOX(TForm2, Form, nullptr, "Программный комплекс \"Велмар\"", true);

  // Menus. "Просмотр" and "Печать" are enabled only when no message is raised.
  VELMAR_BOX(MenuData, Panel, &TForm2, "Исходные данные", true);
  MenuItem MenuSave{registry, "MenuSave", &MenuData, "Сохранить"};
  MenuItem MenuLoad{registry, "MenuLoad", &MenuData, "Загрузить"};
  MenuItem MenuReset{registry, "MenuReset", &MenuData, "Очистить окна ввода"};
  MenuItem MenuSettings{registry, "MenuSettings", &TForm2, "Настройка программы"};
  VELMAR_BOX(MenuReport, Panel, &TForm2, "Отчет", true);
  MenuItem N2_{registry, "N2_", &MenuReport, "Просмотр"};
  MenuItem N9{registry, "N9", &MenuReport, "Печать"};
  MenuItem MenuReportPdf{registry, "MenuReportPdf", &MenuReport, "Сохранить в PDF…"};
  MenuItem MenuReportInspector{registry, "MenuReportInspector", &MenuReport, "Инспектор отчетов"};

  // The two result panes: results, messages.
  Memo Memo1{registry, "Memo1", &TForm2};
  Memo Memo2{registry, "Memo2", &TForm2};

  // Status line.
  VELMAR_BOX(Panel3, Panel, &TForm2, "", true);
  VELMAR_LABEL(InitTextStr, &Panel3, "", true);
  VELMAR_BOX(PanelDate, Panel, &Panel3, "", true);
  ProgressBar ProgressBar1{registry, "ProgressBar1", &Panel3, false};
  VELMAR_BOX(Panel4, Panel, &Panel3, "", true);

  // The about window, last in the menu bar.
  MenuItem MenuAbout{registry, "MenuAbout", &TForm2, "О программе"};

  PageControl PageControl1{registry, "PageControl1", &TForm2};

  // --- Tab "Вид расчета" -------------------------------------------------------
  VELMAR_BOX(TabSheet1, Tab, &PageControl1, "Вид расчета", true);
  VELMAR_RADIO(Raschet, &TabSheet1, "Вид расчета", 0, true,
               "Расчет объема, приведенного к стандартным условиям",
               "Оценка погрешности                    результатов измерений",
               "Расчет внутреннего диаметра расходомера");
  VELMAR_COMBO(TipPogr, &TabSheet1, 1, true, "погрешности", "неопределенности");
  VELMAR_COMBO(VlTip, &TabSheet1, 1, true, "сухого газа", "сухой части влажного газа");
  VELMAR_EDIT(NameIzmTrub, &TabSheet1, .text = "Расчет 1", .kind = ValueKind::Text,
              .caption = "Название расчета");
  VELMAR_LABEL(LabelNomerR, &TabSheet1, "Номер расчета", false);
  VELMAR_EDIT(NomerR, &TabSheet1, .text = "0", .kind = ValueKind::Text, .visible = false);
  VELMAR_COMBO(TipSU, &TabSheet1, 3, true, "Турбинный", "Вихревой", "Ротационный", "Ультразвуковой");
  VELMAR_LABEL(Label1, &TabSheet1, "Название, модель", true);
  VELMAR_EDIT(NameSU, &TabSheet1, .text = "", .kind = ValueKind::Text);

  // --- Tab "Измеряемая среда" --------------------------------------------------
  VELMAR_BOX(TabSheet2, Tab, &PageControl1, "Измеряемая среда", true);
  VELMAR_COMBO(sreda, &TabSheet2, 0, true, "Природный газ", "Другая среда", "Смесь газов", "Азот",
               "Ацетилен", "Кислород", "Диоксид углерода", "Аммиак", "Аргон", "Водород", "Воздух");
  VELMAR_CHECK(pr_Rab, &TabSheet2, "Применяется средство измерения плотности при рабочих условиях", false, true);
  VELMAR_CHECK(pr_St, &TabSheet2, "Применяется средство измерения плотности при стандартных условиях", false,
               false);
  VELMAR_RADIO(metod, &TabSheet2, "Метод расчета коэффициента сжимаемости", 0, true,
               "ВНИЦ СМВ      ГОСТ 30319.3-96", "GERG 91 мод. ГОСТ 30319.2-96",
               "NX-19 мод.       ГОСТ 30319.2-96", "Р Газпром 5.3-2009", "ГОСТ Р 8.662-2009");
  VELMAR_RADIO(Metod_s, &TabSheet2, "Метод расчета", 0, false, "ГСССД МР 113-03", "ГСССД МР 118-05",
               "ГСССД МР 135-07");
  Memo Memo_113{registry, "Memo_113", &TabSheet2,
                {"ГСССД МР 113-03: плотность, фактор сжимаемости влажного нефтяного газа",
                 "в диапазоне температур 263...500 К и давлений 0,1...15 МПа"},
                false};
  Memo Memo_118{registry, "Memo_118", &TabSheet2,
                {"ГСССД МР 118-05: плотность, фактор сжимаемости умеренно сжатых газовых смесей",
                 "в диапазоне температур 200...400 К и давлений до 10 МПа"},
                false};
  Memo Memo_135{registry, "Memo_135", &TabSheet2,
                {"ГСССД МР 135-07: плотность, фактор сжимаемости технически важных газов и их смесей",
                 "в диапазоне температур 233...333 К и давлений до 5 МПа"},
                false};
  VELMAR_RADIO(Koef_mu, &TabSheet2, "Метод расчета дин. вязкости", 2, false, "ГОСТ 30319 (полный состав)",
               "ГОСТ 30319 (неполный состав)", "Р Газпром 5.3-2009");
  // Humidity of the gas kept with the input data, not used by any calculation.
  VELMAR_CHECK(pr_vlag, &TabSheet2, "Влажность газа", false, false);
  VELMAR_EDIT(VlagStr, &TabSheet2, .text = "0", .kind = ValueKind::Text, .visible = false);

  // Parameters of the gas (GERG-91 mod., NX-19 mod.).
  VELMAR_BOX(NepolnBox, GroupBox, &TabSheet2, "Параметры газа", false);
  VELMAR_LABEL(Label57, &NepolnBox, "Погрешность определения", false);
  VELMAR_EDIT(rststr, &NepolnBox, .text = "0", .caption = "Плотность при стандартных условиях (rc), кг/м3");
  VELMAR_COMBO(rstTipPogr, &NepolnBox, 0, false, "относительная, %", "абсолютная, кг/м3");
  VELMAR_EDIT(rstsisstr, &NepolnBox, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(161),
              .errorKind = &rstTipPogr, .relativeBase = &rststr, .visible = false);
  VELMAR_FX(rstsisstr, &NepolnBox, false);
  VELMAR_EDIT(rstslstr, &NepolnBox, .text = "0", .visible = false);
  VELMAR_EDIT(n2str, &NepolnBox, .text = "0", .caption = "Содержание азота (n2), %");
  VELMAR_COMBO(n2TipPogr, &NepolnBox, 0, false, "относительная, %", "абсолютная, %");
  VELMAR_EDIT(n2sisstr, &NepolnBox, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(162),
              .errorKind = &n2TipPogr, .relativeBase = &n2str, .visible = false);
  VELMAR_FX(n2sisstr, &NepolnBox, false);
  VELMAR_EDIT(n2slstr, &NepolnBox, .text = "0", .visible = false);
  VELMAR_EDIT(co2str, &NepolnBox, .text = "0", .caption = "Содержание двуокиси углерода (co2), %");
  VELMAR_COMBO(co2TipPogr, &NepolnBox, 0, false, "относительная, %", "абсолютная, %");
  VELMAR_EDIT(co2sisstr, &NepolnBox, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(163),
              .errorKind = &co2TipPogr, .relativeBase = &co2str, .visible = false);
  VELMAR_FX(co2sisstr, &NepolnBox, false);
  VELMAR_EDIT(co2slstr, &NepolnBox, .text = "0", .visible = false);

  // Composition of the gas: one grid visible at a time.
  VELMAR_BOX(PolnBox, GroupBox, &TabSheet2, "Состав газа", true);
  StringGrid sostav{registry, "sostav", &PolnBox, 3, 13};
  StringGrid sost_rgaz{registry, "sost_rgaz", &PolnBox, 3, 12, 1, 0, false};
  StringGrid sost_iso{registry, "sost_iso", &PolnBox, 3, 23, 1, 0, false};
  VELMAR_BOX(PanelMR113, Panel, &PolnBox, "", false);
  StringGrid sost_113{registry, "sost_113", &PanelMR113, 3, 15};
  VELMAR_EDIT(Vlag113Str, &PanelMR113, .text = "0", .prevTextOnKeyUp = true,
              .caption = "Абс. влажность при раб. условиях, г/м3 ");
  StringGrid Sost_118{registry, "Sost_118", &PolnBox, 3, 20, 1, 0, false};
  StringGrid sost_135{registry, "sost_135", &PolnBox, 3, 18, 1, 0, false};
  // An older mixture grid, kept with the input data only.
  VELMAR_BOX(SostavBox, GroupBox, &PolnBox, "", false);
  StringGrid SostavSmes{registry, "SostavSmes", &SostavBox, 3, 17};
  VELMAR_CHECK(TipPogrMetan, &PolnBox, "Неопределенность компонентного состава по ГОСТ 31371.7", false, false);
  VELMAR_BOX(PanelMetan, Panel, &PolnBox, "", false);
  VELMAR_RADIO(TipMetan, &PanelMetan, "Определение  метана", 0, true, "по разности", "впрямую");

  // Another medium: its name and properties.
  VELMAR_BOX(NamePrSredPanel, GroupBox, &TabSheet2, "Название среды", false);
  ComboBox NamePrSred{registry, "NamePrSred", &NamePrSredPanel, {}, -1, true, true};
  VELMAR_BOX(PrSredPanel, GroupBox, &TabSheet2, "Свойства среды", false);
  VELMAR_EDIT(rPrSredStr, &PrSredPanel, .text = "rPrSredStr", VELMAR_POS(39),
              .caption = "Плотность при рабочих условиях, кг/м3");
  VELMAR_COMBO(rPrSredTipPogr, &PrSredPanel, 0, false, "относительная", "абсолютная");
  VELMAR_EDIT(rPrSredPogrSisStr, &PrSredPanel, .text = "0", VELMAR_NNEG(40), .visible = false,
              .caption = "Погрешность определения плотности при рабочих условиях");
  VELMAR_LABEL(rLabel, &PrSredPanel, "%", false);
  VELMAR_EDIT(KoefTPrSredStr, &PrSredPanel, .text = "KoefTPrSredStr", VELMAR_NNEG(41), .visible = false,
              .caption = "Коэффициент влияния температуры на плотность среды");
  VELMAR_EDIT(KoefPPrSredStr, &PrSredPanel, .text = "KoefPPrSredStr", VELMAR_NNEG(42), .visible = false,
              .caption = "Коэффициент влияния давления на плотность среды");
  VELMAR_EDIT(rstPrSredStr, &PrSredPanel, .text = "rstPrSredStr", VELMAR_NNEG(45),
              .caption = "Плотность при стандартных условиях, кг/м3");
  VELMAR_COMBO(rstPrSredTipPogr, &PrSredPanel, 0, false, "относительная", "абсолютная");
  VELMAR_EDIT(rstPrSredPogrSisStr, &PrSredPanel, .text = "0", VELMAR_NNEG(46), .visible = false,
              .caption = "Погрешность определения плотности при стандартных условиях");
  VELMAR_LABEL(rstLabel, &PrSredPanel, "%", false);

  // Measurement inputs of a volume or error calculation.
  VELMAR_BOX(GroupBox4, GroupBox, &TabSheet2, "Параметры измерения", true);
  VELMAR_BOX(PanelV, Panel, &GroupBox4, "", true);
  VELMAR_EDIT(Qstr, &PanelV, .text = "0", VELMAR_POS(38), .caption = "Объем при рабочих условиях, м3");
  VELMAR_BOX(PanelTau, Panel, &PanelV, "", false);
  VELMAR_EDIT(TauStr, &PanelTau, .text = "0", VELMAR_POS(36), .caption = "Продолжительность периода измерений, ч");
  VELMAR_BOX(rrab_panel, Panel, &GroupBox4, "", false);
  VELMAR_EDIT(rrab_Str, &rrab_panel, .text = "0", VELMAR_POS(115), .parseOnKeyDown = true,
              .caption = "Плотность при рабочих условиях (r), кг/м3");
  VELMAR_BOX(rst_panel, Panel, &GroupBox4, "", false);
  VELMAR_EDIT(rst_str, &rst_panel, .text = "0", VELMAR_POS(116), .parseOnKeyDown = true,
              .caption = "Плотность при стандартных условиях (rс), кг/м3");
  VELMAR_BOX(rst_Pogrpanel, Panel, &GroupBox4, "", false);
  VELMAR_COMBO(rst_pogrTip, &rst_Pogrpanel, 0, true, "относительная", "абсолютная");
  VELMAR_EDIT(rst_pogrStr, &rst_Pogrpanel, .text = "0", VELMAR_NNEG(117), .parseOnKeyDown = true,
              .caption = "Погрешность определения плотности при стандартных условиях");
  VELMAR_BOX(PanelTP, Panel, &GroupBox4, "", true);
  VELMAR_LABEL(LabelT, &PanelTP, "Температура ", true);
  VELMAR_EDIT(Tstr, &PanelTP, .text = "0", .kind = ValueKind::TemperatureLike);
  VELMAR_COMBO(Ted, &PanelTP, 0, true, "°C");
  VELMAR_LABEL(Label4, &PanelTP, "Избыточное давление (P)", true);
  VELMAR_COMBO(PizbEd, &PanelTP, 0, true, VELMAR_PRESSURE_UNITS);
  VELMAR_EDIT(PizbStr, &PanelTP, .text = "0", .unit = &PizbEd);
  VELMAR_CHECK(pr_Pbar, &PanelTP, "Атмосферное давление (Pб)", true, true);
  VELMAR_COMBO(PbarEd, &PanelTP, 0, true, VELMAR_PRESSURE_UNITS);
  VELMAR_EDIT(PbarStr, &PanelTP, .text = "0", VELMAR_POS(56), .unit = &PbarEd);

  // Inputs of a diameter calculation.
  VELMAR_BOX(GroupBox13, GroupBox, &TabSheet2, "Исходные данные для расчета диаметра", false);
  VELMAR_EDIT(Q_Str, &GroupBox13, .text = "0", VELMAR_POS(155), .caption = "Максимальный измеряемый расход");
  VELMAR_COMBO(Q_Ed, &GroupBox13, 0, true, "м3/ч");
  VELMAR_COMBO(Q_Tip, &GroupBox13, 1, true, "при рабочих условиях", "приведенный к стандартным условиям");
  VELMAR_BOX(Panel8, Panel, &GroupBox13, "", true);
  VELMAR_EDIT(T_str, &Panel8, .text = "0", .kind = ValueKind::TemperatureLike, .parseOnKeyDown = true,
              .caption = "Максимальная температура");
  VELMAR_COMBO(T_ed, &Panel8, 0, true, "°C");
  VELMAR_CHECK(pr_Pbar_, &Panel8, "Атмосферное давление ", false, true);
  VELMAR_COMBO(Pbar_Ed, &Panel8, 0, false, VELMAR_PRESSURE_UNITS);
  VELMAR_EDIT(Pbar_str, &Panel8, .text = "0", VELMAR_POS(156), .unit = &Pbar_Ed, .parseOnKeyDown = true,
              .visible = false);
  VELMAR_LABEL(Label61, &Panel8, "Минимальное абсолютное давление", true);
  VELMAR_COMBO(Pizb_ed, &Panel8, 0, true, VELMAR_PRESSURE_UNITS);
  VELMAR_EDIT(Pizb_str, &Panel8, .text = "0", VELMAR_POS(157), .unit = &Pizb_ed);
  VELMAR_BOX(Panel6, Panel, &GroupBox13, "", false);
  VELMAR_EDIT(r_rab_str, &Panel6, .text = "0", VELMAR_POS(158), .parseOnKeyDown = true, .visible = false,
              .caption = "Плотность при рабочих условиях, кг/м3");
  VELMAR_EDIT(r_st_str, &Panel6, .text = "0", VELMAR_POS(159), .parseOnKeyDown = true, .visible = false,
              .caption = "Плотность при стандартных условиях, кг/м3");

  // --- Tab "Влажность газа" ----------------------------------------------------
  VELMAR_BOX(TabSheet14, Tab, &PageControl1, "Влажность газа", true);
  VELMAR_COMBO(TipVl, &TabSheet14, 1, true, "относительная, %", "абсолютная");
  VELMAR_EDIT(VlStr, &TabSheet14, .text = "0", VELMAR_NNEG(160), .caption = "Влажность газа");
  VELMAR_COMBO(TipAbsVl, &TabSheet14, 0, true, " г на 1 м3 сухого газа",
               " г на 1 м3 сухого газа при стандартных условиях", " г на 1 м3 влажного газа");

  // --- Tab "Трубопровод (ИТ)", never shown; its fields are kept with the input
  // data and printed by the report.
  VELMAR_BOX(TabSheet4, Tab, &PageControl1, "Трубопровод (ИТ)", false);
  VELMAR_EDIT(D20Str, &TabSheet4, .text = "0",
              .caption = "Средний внутренний диаметр входного участка корпуса расходомера, мм");
  VELMAR_EDIT(D20itStr, &TabSheet4, .text = "0",
              .caption = "Средний внутренний диаметр трубопровода (фланца) у расходомера, мм");
  VELMAR_CHECK(ustupCheck, &TabSheet4, "Проверить влияние уступа", false, true);
  VELMAR_BOX(MatTrBox, GroupBox, &TabSheet4, "Материал трубопровода", true);
  ComboBox MatTr{registry, "MatTr", &MatTrBox, {}, -1};
  ComboBox NamePrTr{registry, "NamePrTr", &MatTrBox, {}, -1};
  VELMAR_EDIT(KlinTRStr, &MatTrBox, .text = "0",
              .caption = "Средний коэффициент линейного расширения материала, 1/°C");
  VELMAR_EDIT(ModUprTrStr, &MatTrBox, .text = "0", .kind = ValueKind::Text, .caption = "Модуль упругости");
  VELMAR_EDIT(PredTekTrStr, &MatTrBox, .text = "0", .kind = ValueKind::Text, .caption = "Предел текучести");

  // --- Tab "Средства измерения" ------------------------------------------------
  VELMAR_BOX(TabSheet6, Tab, &PageControl1, "Средства измерения", false);
  PageControl PageControl3{registry, "PageControl3", &TabSheet6};

  // Page "Вычислительное устройство".
  VELMAR_BOX(TabSheet7, Tab, &PageControl3, "Вычислительное устройство", true);
  VELMAR_CHECK(pr_IK, &TabSheet7, "предусмотрено", true, true);
  VELMAR_BOX(PanelComp, Panel, &TabSheet7, "", true);
  VELMAR_EDIT(CompPogrStr, &PanelComp, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(86),
              .caption = "Относительная погрешность вычислителя, %");
  VELMAR_EDIT(CompVrStr, &PanelComp, .text = "0", VELMAR_NNEG(90),
              .caption = "Погрешность определения времени относительная, % ");
  VELMAR_RADIO(TipIK, &PanelComp, "Погрешность вычислителя", 0, true,
               "включая измерительные каналы с первичными преобразователями", "включая измерительные каналы",
               "без учета погрешности измерительных каналов");
  VELMAR_CHECK(TipIkQ, &PanelComp, "за  исключением расходомера (счетчика)", true, true);
  // Measuring channels, counted when the device's error excludes them.
  VELMAR_BOX(PanelIK, Panel, &PanelComp, "Погрешность измерительных каналов", false);
  VELMAR_BOX(PanelIKdP, Panel, &PanelIK, "Расхода", true);
  VELMAR_COMBO(TipPogrKanaldP, &PanelIKdP, 1, true, VELMAR_KINDS2);
  VELMAR_COMBO(PogrKanaldPEd, &PanelIKdP, 0, true, "%");
  VELMAR_EDIT(PogrKanaldPStr, &PanelIKdP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(91),
              .errorKind = &TipPogrKanaldP, .channelError = true);
  VELMAR_FX(PogrKanaldPStr, &PanelIKdP, true);
  VELMAR_COMBO(TipPogrKanaldPdop, &PanelIKdP, 1, true, VELMAR_KINDS2);
  VELMAR_COMBO(PogrKanaldPdopEd, &PanelIKdP, 0, true, "%");
  VELMAR_EDIT(PogrKanaldPdopStr, &PanelIKdP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(126),
              .errorKind = &TipPogrKanaldPdop, .channelError = true);
  VELMAR_FX(PogrKanaldPdopStr, &PanelIKdP, true);
  VELMAR_COMBO(TipAddKanaldP, &PanelIKdP, 0, true, VELMAR_ADDITION);
  VELMAR_BOX(PanelIKTP, Panel, &PanelIK, "", true);
  VELMAR_BOX(PanelIKT, Panel, &PanelIKTP, "Температуры", true);
  VELMAR_COMBO(TipPogrKanalT, &PanelIKT, 2, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalTEd, &PanelIKT, 0, true, "°С");
  VELMAR_EDIT(PogrKanalTStr, &PanelIKT, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(92),
              .errorKind = &TipPogrKanalT, .channelError = true);
  VELMAR_FX(PogrKanalTStr, &PanelIKT, true);
  VELMAR_COMBO(TipPogrKanalTdop, &PanelIKT, 2, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalTdopEd, &PanelIKT, 0, true, "°С");
  VELMAR_EDIT(PogrKanalTdopStr, &PanelIKT, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(127),
              .errorKind = &TipPogrKanalTdop, .channelError = true);
  VELMAR_FX(PogrKanalTdopStr, &PanelIKT, true);
  VELMAR_COMBO(TipAddKanalT, &PanelIKT, 0, true, VELMAR_ADDITION);
  VELMAR_BOX(PanelIKP, Panel, &PanelIKTP, "", true);
  VELMAR_LABEL(Label118, &PanelIKP, "Избыточного давления", true);
  VELMAR_COMBO(TipPogrKanalP, &PanelIKP, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalPEd, &PanelIKP, 0, true, "%");
  VELMAR_EDIT(PogrKanalPStr, &PanelIKP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(93),
              .unit = &PogrKanalPEd, .errorKind = &TipPogrKanalP, .channelError = true);
  VELMAR_FX(PogrKanalPStr, &PanelIKP, true);
  VELMAR_COMBO(TipPogrKanalPdop, &PanelIKP, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalPdopEd, &PanelIKP, 0, true, "%");
  VELMAR_EDIT(PogrKanalPdopStr, &PanelIKP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(128),
              .unit = &PogrKanalPdopEd, .errorKind = &TipPogrKanalPdop, .channelError = true);
  VELMAR_FX(PogrKanalPdopStr, &PanelIKP, true);
  VELMAR_COMBO(TipAddKanalP, &PanelIKP, 0, true, VELMAR_ADDITION);
  VELMAR_BOX(PanelIKPbar, Panel, &PanelIKTP, "Атмосферного давления", true);
  VELMAR_COMBO(TipPogrKanalPbar, &PanelIKPbar, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalPbarEd, &PanelIKPbar, 0, true, "%");
  VELMAR_EDIT(PogrKanalPbarStr, &PanelIKPbar, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(94),
              .unit = &PogrKanalPbarEd, .errorKind = &TipPogrKanalPbar, .channelError = true);
  VELMAR_FX(PogrKanalPbarStr, &PanelIKPbar, true);
  VELMAR_COMBO(TipPogrKanalPbardop, &PanelIKPbar, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalPbardopEd, &PanelIKPbar, 0, true, "%");
  VELMAR_EDIT(PogrKanalPbardopStr, &PanelIKPbar, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(129),
              .unit = &PogrKanalPbardopEd, .errorKind = &TipPogrKanalPbardop, .channelError = true);
  VELMAR_FX(PogrKanalPbardopStr, &PanelIKPbar, true);
  VELMAR_COMBO(TipAddKanalPbar, &PanelIKPbar, 0, true, VELMAR_ADDITION);
  VELMAR_BOX(rrabIKpanel, Panel, &PanelIK, "Плотности при рабочих условиях", false);
  VELMAR_COMBO(TipPogrKanalrrab, &rrabIKpanel, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalrrabEd, &rrabIKpanel, 0, true, "%");
  VELMAR_EDIT(PogrKanalrrabStr, &rrabIKpanel, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(113),
              .errorKind = &TipPogrKanalrrab, .channelError = true);
  VELMAR_FX(PogrKanalrrabStr, &rrabIKpanel, true);
  VELMAR_COMBO(TipPogrKanalrrabdop, &rrabIKpanel, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalrrabdopEd, &rrabIKpanel, 0, true, "%");
  VELMAR_EDIT(PogrKanalrrabdopStr, &rrabIKpanel, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(130),
              .errorKind = &TipPogrKanalrrabdop, .channelError = true);
  VELMAR_FX(PogrKanalrrabdopStr, &rrabIKpanel, true);
  VELMAR_COMBO(TipAddKanalrrab, &rrabIKpanel, 0, true, VELMAR_ADDITION);
  VELMAR_BOX(rstIkpanel, Panel, &PanelIK, "Плотности при стандартных условиях", false);
  VELMAR_COMBO(TipPogrKanalrst, &rstIkpanel, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalrstEd, &rstIkpanel, 0, true, "%");
  VELMAR_EDIT(PogrKanalrstStr, &rstIkpanel, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(114),
              .errorKind = &TipPogrKanalrst, .channelError = true);
  VELMAR_FX(PogrKanalrstStr, &rstIkpanel, true);
  VELMAR_COMBO(TipPogrKanalrstdop, &rstIkpanel, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(PogrKanalrstdopEd, &rstIkpanel, 0, true, "%");
  VELMAR_EDIT(PogrKanalrstdopStr, &rstIkpanel, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(131),
              .errorKind = &TipPogrKanalrstdop, .channelError = true);
  VELMAR_FX(PogrKanalrstdopStr, &rstIkpanel, true);
  VELMAR_COMBO(TipAddKanalrst, &rstIkpanel, 0, true, VELMAR_ADDITION);

  // Page "Расходомер (счетчик)".
  VELMAR_BOX(TabSheet10, Tab, &PageControl3, "Расходомер (счетчик)", true);
  VELMAR_BOX(PanelQmax, Panel, &TabSheet10, "", false);
  VELMAR_COMBO(QpredMaxEd, &PanelQmax, 1, true, "м3/с", "м3/ч");
  VELMAR_EDIT(QpredMaxStr, &PanelQmax, .text = "0", VELMAR_NNEG(28),
              .caption = "Верхний предел измерений расходомера (Qв)");
  VELMAR_COMBO(QpredMinEd, &PanelQmax, 1, true, "м3/с", "м3/ч");
  VELMAR_EDIT(QpredMinStr, &PanelQmax, .text = "0", .caption = "Нижний предел измерений расходомера (Qн)");
  VELMAR_BOX(PaneldP, Panel, &TabSheet10, "", true);
  VELMAR_LABEL(LabeldPErr, &PaneldP, "Погрешность,  %            ", false);
  VELMAR_LABEL(LabeldPMain, &PaneldP, "Основная", false);
  VELMAR_LABEL(LabeldPDop, &PaneldP, "Дополнительная", false);
  VELMAR_CHECK(dP1check, &PaneldP, "Расходомер (счетчик)", true, true);
  VELMAR_COMBO(dP1tipPogr, &PaneldP, 1, true, VELMAR_KINDS2);
  VELMAR_EDIT(dP1sisstr, &PaneldP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(72),
              .errorKind = &dP1tipPogr);
  VELMAR_FX(dP1sisstr, &PaneldP, true);
  VELMAR_COMBO(dp1tipdopPogr, &PaneldP, 1, true, VELMAR_KINDS2);
  VELMAR_EDIT(dp1dopStr, &PaneldP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(132),
              .errorKind = &dp1tipdopPogr);
  VELMAR_FX(dp1dopStr, &PaneldP, true);
  VELMAR_COMBO(TipAdddP1, &PaneldP, 0, true, VELMAR_ADDITION);
  VELMAR_CHECK(dP1dopcheck, &PaneldP, "в дополнительном диапазоне", false, true);
  VELMAR_EDIT(Diap1minStr, &PaneldP, .text = "10", VELMAR_NNEG(164), .caption = "Основной диапазон от");
  VELMAR_EDIT(Diap1maxStr, &PaneldP, .text = "100", VELMAR_NNEG(166), .caption = "до");
  VELMAR_COMBO(Diap1Ed, &PaneldP, 0, false, "% от Qв", "м3/ч");
  VELMAR_LABEL(LabelDiap2, &PaneldP, "  от                до", false);
  VELMAR_EDIT(Diap2minStr, &PaneldP, .text = "1", VELMAR_NNEG(165), .visible = false);
  VELMAR_EDIT(Diap2maxStr, &PaneldP, .text = "", .kind = ValueKind::Text, .visible = false);
  VELMAR_COMBO(Diap2Ed, &PaneldP, 0, false, "% от Qв", "м3/ч");
  VELMAR_COMBO(dP1dopdiapTipPogr, &PaneldP, 1, false, VELMAR_KINDS2);
  VELMAR_EDIT(dP1dopsisStr, &PaneldP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(167),
              .errorKind = &dP1dopdiapTipPogr, .visible = false);
  VELMAR_FX(dP1dopsisStr, &PaneldP, false);
  VELMAR_CHECK(dP2check, &PaneldP, "2-й преобразователь", false, true);
  VELMAR_COMBO(dP2tipPogr, &PaneldP, 1, false, VELMAR_KINDS2);
  VELMAR_EDIT(dP2sisstr, &PaneldP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(73),
              .errorKind = &dP2tipPogr, .visible = false);
  VELMAR_FX(dP2sisstr, &PaneldP, false);
  VELMAR_COMBO(dP2tipdopPogr, &PaneldP, 1, false, VELMAR_KINDS2);
  VELMAR_EDIT(dp2dopStr, &PaneldP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(133),
              .errorKind = &dP2tipdopPogr, .visible = false);
  VELMAR_FX(dp2dopStr, &PaneldP, false);
  VELMAR_COMBO(TipAdddP2, &PaneldP, 0, false, VELMAR_ADDITION);
  VELMAR_CHECK(dP3check, &PaneldP, "3-й преобразователь", false, false);
  VELMAR_COMBO(dP3tipPogr, &PaneldP, 1, false, VELMAR_KINDS2);
  VELMAR_EDIT(dP3sisstr, &PaneldP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(74),
              .errorKind = &dP3tipPogr, .visible = false);
  VELMAR_FX(dP3sisstr, &PaneldP, false);
  VELMAR_COMBO(dP3tipdopPogr, &PaneldP, 1, false, VELMAR_KINDS2);
  VELMAR_EDIT(dp3dopStr, &PaneldP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(134),
              .errorKind = &dP3tipdopPogr, .visible = false);
  VELMAR_FX(dp3dopStr, &PaneldP, false);
  VELMAR_COMBO(TipAdddP3, &PaneldP, 0, false, VELMAR_ADDITION);

  // Page "СИ температуры".
  VELMAR_BOX(TabSheet9, Tab, &PageControl3, "СИ температуры", true);
  VELMAR_EDIT(TminStr, &TabSheet9, .text = "0", .kind = ValueKind::TemperatureLike, VELMAR_ABS0(79),
              .caption = "Диапазон измерений термометра (tн - tв) от");
  VELMAR_EDIT(TmaxStr, &TabSheet9, .text = "0", .kind = ValueKind::TemperatureLike, VELMAR_ABS0(80),
              .caption = "до");
  VELMAR_COMBO(TpredEd, &TabSheet9, 0, true, "°C");
  VELMAR_CHECK(T1check, &TabSheet9, "1-й преобразователь (чуствительный элемент)", true, true);
  VELMAR_BOX(PanelT, Panel, &TabSheet9, "", true);
  VELMAR_LABEL(LabelTMain, &PanelT, "Основная", false);
  VELMAR_LABEL(LabelTDop, &PanelT, "Дополнительная", false);
  VELMAR_CHECK(T11check, &PanelT, "термометр-сопротивление ", true, true);
  VELMAR_COMBO(Tclass, &PanelT, 0, true, "класса АА", "класса А", "класса Б", "класса В", "с индивидуальной МХ");
  VELMAR_EDIT(T11str, &PanelT, .text = "0", VELMAR_NNEG(84));
  VELMAR_LABEL(LabelTclass, &PanelT, " +          * |t|", true);
  VELMAR_EDIT(T12str, &PanelT, .text = "0", VELMAR_NNEG(85));
  VELMAR_COMBO(T1tipPogr, &PanelT, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(T1ed, &PanelT, 0, false, "°C");
  VELMAR_EDIT(T1sisstr, &PanelT, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(81),
              .errorKind = &T1tipPogr, .visible = false);
  VELMAR_FX(T1sisstr, &PanelT, false);
  VELMAR_COMBO(T1tipdopPogr, &PanelT, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(T1dopEd, &PanelT, 0, false, "°C");
  VELMAR_EDIT(T1dopStr, &PanelT, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(135),
              .errorKind = &T1tipdopPogr, .visible = false);
  VELMAR_FX(T1dopStr, &PanelT, false);
  VELMAR_COMBO(TipAddT1, &PanelT, 0, false, VELMAR_ADDITION);
  VELMAR_CHECK(T2check, &PanelT, "2-й преобразователь", false, true);
  VELMAR_COMBO(T2tipPogr, &PanelT, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(T2ed, &PanelT, 0, false, "°C");
  VELMAR_EDIT(T2sisstr, &PanelT, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(82),
              .errorKind = &T2tipPogr, .visible = false);
  VELMAR_FX(T2sisstr, &PanelT, false);
  VELMAR_COMBO(T2tipdopPogr, &PanelT, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(T2dopEd, &PanelT, 0, false, "°C");
  VELMAR_EDIT(T2dopStr, &PanelT, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(136),
              .errorKind = &T2tipdopPogr, .visible = false);
  VELMAR_FX(T2dopStr, &PanelT, false);
  VELMAR_COMBO(TipAddT2, &PanelT, 0, false, VELMAR_ADDITION);
  VELMAR_CHECK(T3check, &PanelT, "3-й преобразователь", false, false);
  VELMAR_COMBO(T3tipPogr, &PanelT, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(T3ed, &PanelT, 0, false, "°C");
  VELMAR_EDIT(T3sisstr, &PanelT, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(83),
              .errorKind = &T3tipPogr, .visible = false);
  VELMAR_FX(T3sisstr, &PanelT, false);
  VELMAR_COMBO(T3tipdopPogr, &PanelT, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(T3dopEd, &PanelT, 0, false, "°C");
  VELMAR_EDIT(T3dopStr, &PanelT, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(137),
              .errorKind = &T3tipdopPogr, .visible = false);
  VELMAR_FX(T3dopStr, &PanelT, false);
  VELMAR_COMBO(TipAddT3, &PanelT, 0, false, VELMAR_ADDITION);

  // Page "СИ давления".
  VELMAR_BOX(TabSheet8, Tab, &PageControl3, "СИ давления", true);
  VELMAR_BOX(PizbBox, GroupBox, &TabSheet8, "Избыточное давление (P)", true);
  VELMAR_COMBO(PizbPredEd, &PizbBox, 4, true, VELMAR_PRESSURE_UNITS);
  VELMAR_EDIT(PizbPredstr, &PizbBox, .text = "0", .unit = &PizbPredEd,
              .caption = "Верхний предел измерений манометра (Pв)");
  VELMAR_LABEL(Label119, &PizbBox, "Нижний предел измерений манометра (Pн)", true);
  VELMAR_COMBO(PizbPrednEd, &PizbBox, 4, true, VELMAR_PRESSURE_UNITS);
  VELMAR_EDIT(PizbprednStr, &PizbBox, .text = "0", VELMAR_NNEG(95), .unit = &PizbPrednEd);
  VELMAR_CHECK(P1check, &PizbBox, "1-й преобразователь (манометр)", true, true);
  VELMAR_BOX(PanelP, Panel, &PizbBox, "", true);
  VELMAR_COMBO(P1tipPogr, &PanelP, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(P1Ed, &PanelP, 0, true, "%");
  VELMAR_EDIT(P1sisstr, &PanelP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(75), .unit = &P1Ed,
              .errorKind = &P1tipPogr);
  VELMAR_FX(P1sisstr, &PanelP, true);
  VELMAR_COMBO(P1tipdopPogr, &PanelP, 1, true, VELMAR_KINDS3);
  VELMAR_COMBO(P1dopEd, &PanelP, 0, true, "%");
  VELMAR_EDIT(P1dopStr, &PanelP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(138), .unit = &P1dopEd,
              .errorKind = &P1tipdopPogr);
  VELMAR_FX(P1dopStr, &PanelP, true);
  VELMAR_COMBO(TipAddP1, &PanelP, 0, true, VELMAR_ADDITION);
  VELMAR_CHECK(P2check, &PanelP, "2-й преобразователь", false, true);
  VELMAR_COMBO(P2tipPogr, &PanelP, 1, false, VELMAR_KINDS3);
  VELMAR_COMBO(P2Ed, &PanelP, 0, false, "%");
  VELMAR_EDIT(P2sisstr, &PanelP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(76), .unit = &P2Ed,
              .errorKind = &P2tipPogr, .visible = false);
  VELMAR_FX(P2sisstr, &PanelP, false);
  VELMAR_COMBO(P2tipdopPogr, &PanelP, 1, false, VELMAR_KINDS3);
  VELMAR_COMBO(P2dopEd, &PanelP, 0, false, "%");
  VELMAR_EDIT(P2dopStr, &PanelP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(139), .unit = &P2dopEd,
              .errorKind = &P2tipdopPogr, .visible = false);
  VELMAR_FX(P2dopStr, &PanelP, false);
  VELMAR_COMBO(TipAddP2, &PanelP, 0, false, VELMAR_ADDITION);
  VELMAR_CHECK(P3check, &PanelP, "3-й преобразователь", false, false);
  VELMAR_COMBO(P3tipPogr, &PanelP, 1, false, VELMAR_KINDS3);
  VELMAR_COMBO(P3ed, &PanelP, 0, false, "%");
  VELMAR_EDIT(P3sisstr, &PanelP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(77), .unit = &P3ed,
              .errorKind = &P3tipPogr, .visible = false);
  VELMAR_FX(P3sisstr, &PanelP, false);
  VELMAR_COMBO(P3tipdopPogr, &PanelP, 1, false, VELMAR_KINDS3);
  VELMAR_COMBO(P3dopEd, &PanelP, 0, false, "%");
  VELMAR_EDIT(P3dopStr, &PanelP, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(140), .unit = &P3dopEd,
              .errorKind = &P3tipdopPogr, .visible = false);
  VELMAR_FX(P3dopStr, &PanelP, false);
  VELMAR_COMBO(TipAddP3, &PanelP, 0, false, VELMAR_ADDITION);
  VELMAR_BOX(PbarBox, GroupBox, &TabSheet8, "Атмосферное давление ", true);
  VELMAR_COMBO(TipIzmBar, &PbarBox, 0, true, "Измеряется", "Принимается условно-постоянным");
  VELMAR_LABEL(Label47, &PbarBox,
               "Диапазон измерений СИ атмосферного давления  (Pбн - Pбв)  от                           до  ",
               true);
  VELMAR_LABEL(Label114, &PbarBox, "Диапазон изменения атмосферного давления      от                           до",
               false);
  VELMAR_COMBO(PbarPredEd, &PbarBox, 6, true, VELMAR_PRESSURE_UNITS);
  VELMAR_EDIT(PbarMinStr, &PbarBox, .text = "0", .unit = &PbarPredEd);
  VELMAR_EDIT(PbarMaxStr, &PbarBox, .text = "0", .unit = &PbarPredEd);
  VELMAR_LABEL(LabelPbarErr, &PbarBox, "Погрешность", true);
  VELMAR_LABEL(LabelPbarMain, &PbarBox, "Основная", true);
  VELMAR_LABEL(LabelPbarDop, &PbarBox, "Дополнительная", true);
  ComboBox PbarTipPogr{registry, "PbarTipPogr", &PbarBox, {"относительная, %", "приведенная, %", "абсолютная"}, 2};
  ComboBox PbarPogrEd{registry, "PbarPogrEd", &PbarBox, {VELMAR_PRESSURE_UNITS}, 6};
  VELMAR_EDIT(PbarPogrStr, &PbarBox, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(78),
              .unit = &PbarPogrEd, .errorKind = &PbarTipPogr);
  VELMAR_FX(PbarPogrStr, &PbarBox, true);
  ComboBox PbarTipdopPogr{registry, "PbarTipdopPogr", &PbarBox,
                          {"относительная, %", "приведенная, %", "абсолютная"}, 2};
  ComboBox PbardopPogrEd{registry, "PbardopPogrEd", &PbarBox, {VELMAR_PRESSURE_UNITS}, 6};
  VELMAR_EDIT(PbarDopPogrStr, &PbarBox, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(141),
              .unit = &PbardopPogrEd, .errorKind = &PbarTipdopPogr);
  VELMAR_FX(PbarDopPogrStr, &PbarBox, true);
  VELMAR_COMBO(TipAddPbar, &PbarBox, 0, true, VELMAR_ADDITION);

  // Page "СИ плотности".
  VELMAR_BOX(TabSheet3, Tab, &PageControl3, "СИ плотности", false);
  VELMAR_BOX(rrabPanel, GroupBox, &TabSheet3, "Плотность при рабочих условиях", true);
  VELMAR_EDIT(rrabMinStr, &rrabPanel, .text = "0", VELMAR_NNEG(101),
              .caption = "Диапазон измерений СИ плотности (rн - rв) от");
  VELMAR_EDIT(rrabMaxStr, &rrabPanel, .text = "0", VELMAR_POS(102), .caption = "до");
  VELMAR_BOX(Panelrrab, Panel, &rrabPanel, "", false);
  VELMAR_CHECK(rrab1Check, &Panelrrab, "СИ плотности", true, true);
  VELMAR_COMBO(rrab1TipPogr, &Panelrrab, 2, true, VELMAR_KINDS3);
  VELMAR_COMBO(rrab1Ed, &Panelrrab, 0, true, "кг/м3");
  VELMAR_EDIT(rrab1pogrStr, &Panelrrab, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(107),
              .errorKind = &rrab1TipPogr);
  VELMAR_FX(rrab1pogrStr, &Panelrrab, true);
  VELMAR_COMBO(rrab1tipdopPogr, &Panelrrab, 2, true, VELMAR_KINDS3);
  VELMAR_COMBO(rrab1dopEd, &Panelrrab, 0, true, "кг/м3");
  VELMAR_EDIT(rrab1dopPogrStr, &Panelrrab, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(142),
              .errorKind = &rrab1tipdopPogr);
  VELMAR_FX(rrab1dopPogrStr, &Panelrrab, true);
  VELMAR_COMBO(TipAddrrab1, &Panelrrab, 0, true, VELMAR_ADDITION);
  VELMAR_CHECK(rrab2Check, &Panelrrab, "2-й преобразователь", false, true);
  VELMAR_COMBO(rrab2TipPogr, &Panelrrab, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(rrab2Ed, &Panelrrab, 0, false, "кг/м3");
  VELMAR_EDIT(rrab2PogrStr, &Panelrrab, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(108),
              .errorKind = &rrab2TipPogr, .visible = false);
  VELMAR_FX(rrab2PogrStr, &Panelrrab, false);
  VELMAR_COMBO(rrab2tipdopPogr, &Panelrrab, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(rrab2dopEd, &Panelrrab, 0, false, "кг/м3");
  VELMAR_EDIT(rrab2dopPogrStr, &Panelrrab, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(143),
              .errorKind = &rrab2tipdopPogr, .visible = false);
  VELMAR_FX(rrab2dopPogrStr, &Panelrrab, false);
  VELMAR_COMBO(TipAddrrab2, &Panelrrab, 0, false, VELMAR_ADDITION);
  VELMAR_CHECK(rrab3check, &Panelrrab, "3-й преобразователь", false, false);
  VELMAR_COMBO(rrab3TipPogr, &Panelrrab, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(rrab3Ed, &Panelrrab, 0, false, "кг/м3");
  VELMAR_EDIT(rrab3PogrStr, &Panelrrab, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(109),
              .errorKind = &rrab3TipPogr, .visible = false);
  VELMAR_FX(rrab3PogrStr, &Panelrrab, false);
  VELMAR_COMBO(rrab3tipdopPogr, &Panelrrab, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(rrab3dopEd, &Panelrrab, 0, false, "кг/м3");
  VELMAR_EDIT(rrab3doppogrStr, &Panelrrab, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(144),
              .errorKind = &rrab3tipdopPogr, .visible = false);
  VELMAR_FX(rrab3doppogrStr, &Panelrrab, false);
  VELMAR_COMBO(TipAddrrab3, &Panelrrab, 0, false, VELMAR_ADDITION);
  VELMAR_BOX(rstPanel, GroupBox, &TabSheet3, "Плотность при стандартных условиях", false);
  VELMAR_EDIT(rstMinStr, &rstPanel, .text = "0", VELMAR_NNEG(104),
              .caption = "Диапазон измерений СИ плотности (rсн - rсв) от");
  VELMAR_EDIT(rstMaxStr, &rstPanel, .text = "0", VELMAR_NNEG(105), .caption = "до");
  VELMAR_BOX(Panelrst, Panel, &rstPanel, "", false);
  VELMAR_CHECK(rst1Check, &Panelrst, "СИ плотности", true, true);
  VELMAR_COMBO(rst1TipPogr, &Panelrst, 2, true, VELMAR_KINDS3);
  VELMAR_COMBO(rst1Ed, &Panelrst, 0, true, "кг/м3");
  VELMAR_EDIT(rst1PogrStr, &Panelrst, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(110),
              .errorKind = &rst1TipPogr);
  VELMAR_FX(rst1PogrStr, &Panelrst, true);
  VELMAR_COMBO(rst1tipdopPogr, &Panelrst, 2, true, VELMAR_KINDS3);
  VELMAR_COMBO(rst1dopEd, &Panelrst, 0, true, "кг/м3");
  VELMAR_EDIT(rst1dopPogrStr, &Panelrst, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(145),
              .errorKind = &rst1tipdopPogr);
  VELMAR_FX(rst1dopPogrStr, &Panelrst, true);
  VELMAR_COMBO(TipAddrst1, &Panelrst, 0, true, VELMAR_ADDITION);
  VELMAR_CHECK(rst2Check, &Panelrst, "2-й преобразователь", false, true);
  VELMAR_COMBO(rst2TipPogr, &Panelrst, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(rst2ed, &Panelrst, 0, false, "кг/м3");
  VELMAR_EDIT(rst2PogrStr, &Panelrst, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(111),
              .errorKind = &rst2TipPogr, .visible = false);
  VELMAR_FX(rst2PogrStr, &Panelrst, false);
  VELMAR_COMBO(rst2tipdopPogr, &Panelrst, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(rst2dopEd, &Panelrst, 0, false, "кг/м3");
  VELMAR_EDIT(rst2dopPogrStr, &Panelrst, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(146),
              .errorKind = &rst2tipdopPogr, .visible = false);
  VELMAR_FX(rst2dopPogrStr, &Panelrst, false);
  VELMAR_COMBO(TipAddrst2, &Panelrst, 0, false, VELMAR_ADDITION);
  VELMAR_CHECK(rst3Check, &Panelrst, "3-й преобразователь", false, false);
  VELMAR_COMBO(rst3TipPogr, &Panelrst, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(rst3Ed, &Panelrst, 0, false, "кг/м3");
  VELMAR_EDIT(rst3PogrStr, &Panelrst, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(112),
              .errorKind = &rst3TipPogr, .visible = false);
  VELMAR_FX(rst3PogrStr, &Panelrst, false);
  VELMAR_COMBO(rst3tipdopPogr, &Panelrst, 2, false, VELMAR_KINDS3);
  VELMAR_COMBO(rst3dopEd, &Panelrst, 0, false, "кг/м3");
  VELMAR_EDIT(rst3dopPogrStr, &Panelrst, .text = "0", .kind = ValueKind::ErrorValue, VELMAR_NNEG(147),
              .errorKind = &rst3tipdopPogr, .visible = false);
  VELMAR_FX(rst3dopPogrStr, &Panelrst, false);
  VELMAR_COMBO(TipAddrst3, &Panelrst, 0, false, VELMAR_ADDITION);

  // --- Tab "Окружающая среда": ambient temperatures at the instruments --------
  VELMAR_BOX(TabSheet15, Tab, &PageControl1, "Окружающая среда", false);
  VELMAR_CHECK(dPoCheck, &TabSheet15,
               "Температура окружающей среды в месте установки вычислительного устройства (to1)", false, true);
  VELMAR_EDIT(dPoStr, &TabSheet15, .text = "20", .check = {CheckRule::Range, 171, -50, 70}, .visible = false);
  VELMAR_CHECK(ToCheck, &TabSheet15, "Температура окружающей среды в месте установки СИ температуры (to2)", false,
               true);
  VELMAR_EDIT(ToStr, &TabSheet15, .text = "20", .check = {CheckRule::Range, 172, -50, 70}, .visible = false);
  VELMAR_CHECK(PizboCheck, &TabSheet15,
               "Температура окружающей среды в месте установки СИ избыточного давления (to3)", false, true);
  VELMAR_EDIT(PizboStr, &TabSheet15, .text = "20", .check = {CheckRule::Range, 173, -50, 70}, .visible = false);
  VELMAR_CHECK(PbaroCheck, &TabSheet15,
               "Температура окружающей среды в месте установки СИ атмосферного давления (to4)", false, true);
  VELMAR_EDIT(PbaroStr, &TabSheet15, .text = "20", .check = {CheckRule::Range, 174, -50, 70}, .visible = false);

  // --- Tab "Теплоизоляция", never shown; its fields are kept with the input data.
  VELMAR_BOX(TabSheet17, Tab, &PageControl1, "Теплоизоляция", false);
  VELMAR_EDIT(TminHStr, &TabSheet17, .text = "-30", .kind = ValueKind::Text);
  VELMAR_EDIT(TmaxHStr, &TabSheet17, .text = "0", .kind = ValueKind::Text);
  VELMAR_EDIT(TminTStr, &TabSheet17, .text = "0", .kind = ValueKind::Text);
  VELMAR_EDIT(TmaxTStr, &TabSheet17, .text = "30", .kind = ValueKind::Text);
  VELMAR_EDIT(TvminStr, &TabSheet17, .text = "-40", .kind = ValueKind::Text);
  VELMAR_EDIT(TvmaxStr, &TabSheet17, .text = "40", .kind = ValueKind::Text);
  VELMAR_EDIT(TvpminStr, &TabSheet17, .text = "5", .kind = ValueKind::Text);
  VELMAR_EDIT(TvpmaxStr, &TabSheet17, .text = "30", .kind = ValueKind::Text);
  VELMAR_EDIT(VlagVstr, &TabSheet17, .text = "70", .kind = ValueKind::Text);
  VELMAR_EDIT(VeterStr, &TabSheet17, .text = "4", .kind = ValueKind::Text);
  ComboBox Raspol{registry, "Raspol", &TabSheet17, {}, -1};
  ComboBox Napravl{registry, "Napravl", &TabSheet17, {}, -1};
  VELMAR_EDIT(hVertStr, &TabSheet17, .text = "5", .kind = ValueKind::Text);
  VELMAR_EDIT(D20nStr, &TabSheet17, .text = "216", .kind = ValueKind::Text);
  ComboBox Opora{registry, "Opora", &TabSheet17, {}, -1};
  VELMAR_EDIT(TeploPrTrStr, &TabSheet17, .text = "47", .kind = ValueKind::Text);
  ComboBox Poverh{registry, "Poverh", &TabSheet17, {}, -1};
  ComboBox TipIz{registry, "TipIz", &TabSheet17, {}, -1};
  VELMAR_EDIT(TeploPrIzStr, &TabSheet17, .text = "0,05", .kind = ValueKind::Text);
  ComboBox TipPoverhIzol{registry, "TipPoverhIzol", &TabSheet17, {}, -1};
  ComboBox RaspolGT{registry, "RaspolGT", &TabSheet17, {}, -1};
  VELMAR_EDIT(dlUnvInStr, &TabSheet17, .text = "5", .kind = ValueKind::Text);
  VELMAR_EDIT(dStenkiGTStr, &TabSheet17, .text = "3", .kind = ValueKind::Text);
  VELMAR_EDIT(UgolGTStr, &TabSheet17, .text = "90", .kind = ValueKind::Text);
  ComboBox MatGT{registry, "MatGT", &TabSheet17, {}, -1};
  VELMAR_EDIT(TeploPrGTStr, &TabSheet17, .text = "17", .kind = ValueKind::Text);
  VELMAR_EDIT(dlinaCeStr, &TabSheet17, .text = "5", .kind = ValueKind::Text);

  // --- Tab "Расчет погрешностей": control points and the two error tables -----
  VELMAR_BOX(TabSheet11, Tab, &PageControl1, "Расчет погрешностей", false);
  VELMAR_BOX(KTpanel, GroupBox, &TabSheet11, "Контрольные точки", false);
  VELMAR_COMBO(KTtip, &KTpanel, 0, true, "расход при рабочих условиях", "расход при стандартных условиях");
  VELMAR_COMBO(KT1ed, &KTpanel, 0, true, "%");
  VELMAR_COMBO(KT2ed, &KTpanel, 0, true, "%");
  VELMAR_COMBO(KT3ed, &KTpanel, 0, true, "%");
  VELMAR_COMBO(KT4ed, &KTpanel, 0, true, "%");
  VELMAR_COMBO(KT5ed, &KTpanel, 0, true, "%");
  VELMAR_COMBO(KT6ed, &KTpanel, 0, true, "%");
  VELMAR_EDIT(KT1str, &KTpanel, .text = "0", VELMAR_NNEG(27), .caption = "1");
  VELMAR_EDIT(KT2str, &KTpanel, .text = "0", VELMAR_NNEG(27), .caption = "2");
  VELMAR_EDIT(KT3str, &KTpanel, .text = "0", VELMAR_NNEG(27), .caption = "3");
  VELMAR_EDIT(KT4str, &KTpanel, .text = "0", VELMAR_NNEG(27), .caption = "4");
  VELMAR_EDIT(KT5str, &KTpanel, .text = "0", VELMAR_NNEG(27), .caption = "5");
  VELMAR_EDIT(KT6str, &KTpanel, .text = "0", VELMAR_NNEG(27), .caption = "6");
  VELMAR_BOX(GroupBox5, GroupBox, &KTpanel, "Изменение температуры", true);
  VELMAR_EDIT(KTTminStr, &GroupBox5, .text = "0", .kind = ValueKind::TemperatureLike, VELMAR_ABS0(21),
              .restoreIntoEmpty = true, .caption = "от");
  VELMAR_EDIT(KTTmaxStr, &GroupBox5, .text = "0", .kind = ValueKind::TemperatureLike, VELMAR_ABS0(22),
              .restoreIntoEmpty = true, .caption = "до");
  VELMAR_COMBO(KTTed, &GroupBox5, 0, true, "°C");
  VELMAR_BOX(GroupBox6, GroupBox, &KTpanel, "Изменение изб. давления", true);
  VELMAR_COMBO(KTPed, &GroupBox6, 0, true, VELMAR_PRESSURE_UNITS);
  VELMAR_EDIT(KTPminStr, &GroupBox6, .text = "0", VELMAR_NNEG(23), .unit = &KTPed, .caption = "от");
  VELMAR_EDIT(KTPmaxStr, &GroupBox6, .text = "0", VELMAR_NNEG(24), .unit = &KTPed, .caption = "до");
  VELMAR_BOX(GroupBox3, GroupBox, &KTpanel, "Изменение плотности при раб. условиях", false);
  VELMAR_EDIT(KTrrabminStr, &GroupBox3, .text = "0", .kind = ValueKind::TemperatureLike, VELMAR_POS(122),
              .caption = "от");
  VELMAR_EDIT(KTrrabMaxStr, &GroupBox3, .text = "0", .kind = ValueKind::TemperatureLike, VELMAR_POS(123),
              .caption = "до");
  VELMAR_BOX(GroupBox12, GroupBox, &KTpanel, "Изменение плотности при ст. условиях", false);
  VELMAR_EDIT(KTrstMinStr, &GroupBox12, .text = "0", .kind = ValueKind::TemperatureLike, VELMAR_POS(124),
              .caption = "от");
  VELMAR_EDIT(KTrstMaxStr, &GroupBox12, .text = "0", .kind = ValueKind::TemperatureLike, VELMAR_POS(125),
              .caption = "до");
  PageControl PageControl2{registry, "PageControl2", &TabSheet11};
  VELMAR_BOX(TabSheet12, Tab, &PageControl2, "Неопределенность измерения расхода", true);
  StringGrid TablPogr{registry, "TablPogr", &TabSheet12, 7, 9, 3, 2};
  VELMAR_LABEL(TextT, &TabSheet12, "Температура ,°C", true);
  VELMAR_LABEL(TextP, &TabSheet12, "Изб. давление ,Па", true);
  VELMAR_LABEL(TextdP, &TabSheet12, "Расход при раб. усл., м3/ч", true);
  VELMAR_LABEL(TextQ, &TabSheet12, "Расход при станд. усл., м3/ч   /   неопределенность, %", true);
  VELMAR_BOX(TabSheet13, Tab, &PageControl2, "неопределенность измерения объема", true);
  StringGrid TablPogrk{registry, "TablPogrk", &TabSheet13, 7, 9, 3, 2};
  VELMAR_LABEL(TextTk, &TabSheet13, "Температура ,°C", true);
  VELMAR_LABEL(TextPk, &TabSheet13, "Изб. давление ,Па", true);
  VELMAR_LABEL(TextdPk, &TabSheet13, "Расход при раб. усл., м3/ч", true);
  VELMAR_LABEL(TextQk, &TabSheet13, "Неопределенность, %", true);

  // --- Tab "Параметры расчета": the diameter calculation ----------------------
  VELMAR_BOX(TabSheet5, Tab, &PageControl1, "Параметры расчета", false);
  VELMAR_BOX(GroupBoxStrad, GroupBox, &TabSheet5, "Стандартный ряд номинальных ", true);
  VELMAR_LABEL(LabelStrad, &GroupBoxStrad, "внутренних диаметров расходомера (мм)", true);
  StringGrid strad{registry, "strad", &GroupBoxStrad, 1, 50, 0, 0};
  Button Button46{registry, "Button46", &GroupBoxStrad, "Упорядочить"};
  VELMAR_EDIT(uMaxStr, &TabSheet5, .text = "0", VELMAR_POS(153),
              .caption = "Максимальная допустимая скорость потока через расходомер, м/с");
  VELMAR_EDIT(uMaxDstr, &TabSheet5, .text = "0", VELMAR_POS(154),
              .caption = "Максимальная допустимая скорость потока в трубопроводе, м/с");
};

#undef VELMAR_BOX
#undef VELMAR_EDIT
#undef VELMAR_COMBO
#undef VELMAR_RADIO
#undef VELMAR_CHECK
#undef VELMAR_LABEL
#undef VELMAR_FX
#undef VELMAR_PRESSURE_UNITS
#undef VELMAR_KINDS3
#undef VELMAR_KINDS2
#undef VELMAR_ADDITION
#undef VELMAR_POS
#undef VELMAR_NNEG
#undef VELMAR_ABS0

}  // namespace velmar
