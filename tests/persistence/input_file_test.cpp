// The input-data file: its 585 lines, the round trip of every stored control,
// older and foreign files.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/code_page.h"
#include "measuring_point/input_data.h"
#include "persistence/input_file.h"
#include "persistence/input_file_table.h"
#include "persistence/reference_lists.h"
#include "persistence_fixture.h"

namespace velmar {
namespace {

using testing::FilePoint;
using testing::readBytes;
using testing::writeBytes;

// "" when the files are equal, else the first line where they differ.
std::string firstDifference(const std::string& a, const std::string& b) {
  if (a == b) return {};
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  const size_t line = static_cast<size_t>(std::count(a.begin(), a.begin() + static_cast<long>(i), '\n')) + 1;
  return "line " + std::to_string(line);
}

const FileLine& lineNo(int n) { return inputFileLines().at(static_cast<size_t>(n - 1)); }

TEST(InputFileTable, LinesStandWhereTheFormatPutsThem) {
  ASSERT_EQ(inputFileLines().size(), 585u);
  struct Expect {
    int line;
    LineKind kind;
    std::string_view control;
    int col, row;
    char block;
  };
  const Expect expected[] = {
      {1, LineKind::Index, "Raschet", 0, 0, 0},       {4, LineKind::Cell, "sostav", 1, 1, 0},
      {5, LineKind::Cell, "sostav", 2, 1, 0},         {6, LineKind::CellCopy, "sostav", 2, 1, 0},
      {39, LineKind::CellCopy, "sostav", 2, 12, 0},   {40, LineKind::Index, "TipSU", 0, 0, 0},
      {112, LineKind::ComboText, "KT2ed", 0, 0, 0},   {124, LineKind::Text, "NamePrSred", 0, 0, 0},
      {136, LineKind::Index, "NamePrTr", 0, 0, 0},    {137, LineKind::Kept, "", 0, 0, 0},
      {138, LineKind::Cell, "SostavSmes", 1, 1, 0},   {169, LineKind::Cell, "SostavSmes", 2, 16, 0},
      {196, LineKind::Text, "dlinaCeStr", 0, 0, 0},   {197, LineKind::Cell, "sost_rgaz", 1, 1, 0},
      {258, LineKind::Cell, "sost_iso", 2, 21, 0},    {261, LineKind::Text, "CompVrStr", 0, 0, 0},
      {329, LineKind::Cell, "sost_135", 2, 16, 0},    {346, LineKind::Text, "PizbprednStr", 0, 0, 0},
      {372, LineKind::Cell, "sost_113", 2, 13, 0},    {377, LineKind::Text, "NameSU", 0, 0, 0},
      {379, LineKind::Check, "pr_St", 0, 0, 0},       {413, LineKind::Index, "rst_pogrTip", 0, 0, 0},
      {414, LineKind::Check, "TipIkQ", 0, 0, 'A'},    {415, LineKind::Index, "TipPogr", 0, 0, 0},
      {495, LineKind::Index, "TipAddrst3", 0, 0, 0},  {496, LineKind::Text, "D20itStr", 0, 0, 'B'},
      {497, LineKind::Check, "ustupCheck", 0, 0, 'C'}, {510, LineKind::Text, "uMaxDstr", 0, 0, 'D'},
      {511, LineKind::Cell, "strad", 0, 0, 'D'},      {560, LineKind::Cell, "strad", 0, 49, 'D'},
      {561, LineKind::Check, "pr_Pbar_", 0, 0, 'D'},  {565, LineKind::Index, "TipAbsVl", 0, 0, 'E'},
      {567, LineKind::Index, "TipMetan", 0, 0, 'F'},  {570, LineKind::Index, "co2TipPogr", 0, 0, 'G'},
      {576, LineKind::Text, "dP1dopsisStr", 0, 0, 'H'}, {577, LineKind::Check, "dP1dopcheck", 0, 0, 'I'},
      {581, LineKind::Check, "PbaroCheck", 0, 0, 'J'}, {585, LineKind::Text, "PbaroStr", 0, 0, 'J'},
  };
  for (const Expect& e : expected) {
    const FileLine& l = lineNo(e.line);
    EXPECT_EQ(l.kind, e.kind) << "line " << e.line;
    EXPECT_EQ(l.control, e.control) << "line " << e.line;
    EXPECT_EQ(l.col, e.col) << "line " << e.line;
    EXPECT_EQ(l.row, e.row) << "line " << e.line;
    EXPECT_EQ(l.block, e.block) << "line " << e.line;
  }
}

TEST(InputFileTable, EveryLineNamesAControlOfItsKind) {
  InputRecord in;
  for (size_t i = 0; i < inputFileLines().size(); ++i) {
    const FileLine& l = inputFileLines()[i];
    if (l.kind == LineKind::Kept) continue;
    const Control* c = in.registry.find(l.control);
    ASSERT_NE(c, nullptr) << "line " << i + 1 << ": " << l.control;
    const ControlKind k = c->kind();
    switch (l.kind) {
      case LineKind::Index: EXPECT_TRUE(k == ControlKind::ComboBox || k == ControlKind::RadioGroup) << i + 1; break;
      case LineKind::Check: EXPECT_EQ(k, ControlKind::CheckBox) << i + 1; break;
      case LineKind::Text:
        EXPECT_TRUE(k == ControlKind::Edit || (k == ControlKind::ComboBox && static_cast<const ComboBox*>(c)->editable()))
            << i + 1;
        break;
      case LineKind::ComboText: EXPECT_EQ(k, ControlKind::ComboBox) << i + 1; break;
      case LineKind::Cell:
      case LineKind::CellCopy: {
        ASSERT_EQ(k, ControlKind::StringGrid) << i + 1;
        const auto* g = static_cast<const StringGrid*>(c);
        EXPECT_LT(l.row, g->rowCount()) << i + 1;
        break;
      }
      case LineKind::Kept: break;
    }
  }
}

// Puts a value other than the current one into every stored control, as a
// user would: choices and check boxes through their events, texts typed, grid
// cells edited, the kept line set. Error fields get formulas, texts Cyrillic
// letters, one temperature a lone "-".
void changeEveryStoredControl(FilePoint& p) {
  Session& s = p.s;
  InputRecord& in = s.in;
  // Three stored pipe materials give NamePrTr a list.
  for (int k = 0; k < 4; ++k) writeBytes(p.programFile("spprm." + std::to_string(k)), "Сталь 20\r\nСталь 45\r\nМедь\r\n");
  LoadPipeMaterials(s);
  p.choose(in.Raschet, 1);
  p.choose(in.Tclass, 4);  // individual coefficients: T11str and T12str can be typed
  // The automatic uncertainty of the composition first: it fills column 2 of
  // the grids as their contents are typed (and the way methane is found
  // changes its uncertainty).
  p.check(in.TipPogrMetan, true);
  p.choose(in.TipMetan, 1);
  int n = 0;
  for (const FileLine& l : inputFileLines()) {
    ++n;
    if (l.kind == LineKind::Kept) {
      s.files.keptLine = "строка 137 из файла";
      continue;
    }
    Control* c = in.registry.find(l.control);
    switch (l.kind) {
      case LineKind::Index: {
        auto& choice = static_cast<Choice&>(*c);
        if (&choice == &in.Raschet || &choice == &in.Tclass || &choice == &in.TipMetan) break;
        if (choice.count() == 0) {
          choice.setIndex(3 + n % 5);  // a box of the hidden pages keeps any index
        } else if (choice.count() > 1) {
          const int next = (choice.index() + 1) % choice.count();
          if (choice.enabled()) p.choose(choice, next); else choice.setIndex(next);
        }
        break;
      }
      case LineKind::Check:
        if (c == &in.TipPogrMetan) break;
        p.check(static_cast<CheckBox&>(*c), !static_cast<CheckBox&>(*c).checked()); break;
      case LineKind::Text: {
        if (c->kind() == ControlKind::ComboBox) {
          typeComboText(s, static_cast<ComboBox&>(*c), "Газ попутный  ");
          break;
        }
        auto& e = static_cast<Edit&>(*c);
        std::string text = std::to_string(n) + ",25";
        if (!e.isValueEdit()) text = "Текст " + std::to_string(n) + " — №";
        if (e.traits().kind == ValueKind::ErrorValue && n % 3 == 0) text = "0,01*Q+" + std::to_string(n);
        if (&e == &in.Tstr) text.assign(1, '-');
        e.setText(text);
        break;
      }
      case LineKind::ComboText: break;  // follows KT1ed
      case LineKind::Cell: {
        auto& g = static_cast<StringGrid&>(*c);
        if (&g == &in.strad) {
          editCell(s, g, 0, l.row, l.row < 20 ? std::to_string(40 + 10 * l.row) : "");
        } else if (l.row < g.rowCount() - 1 || &g == &in.SostavSmes) {
          editCell(s, g, l.col, l.row, l.col == 1 ? std::to_string(l.row % 4) + ",5" : "0,7");
        }
        break;
      }
      case LineKind::CellCopy:
      case LineKind::Kept: break;
    }
  }
  p.settle();
}

TEST(InputFile, SaveResetLoadGivesBackEveryStoredControl) {
  FilePoint p;
  const std::vector<std::string> fresh = inputFileTexts(p.s);
  changeEveryStoredControl(p);
  const std::string file = p.folder.file("point.vdt");
  ASSERT_EQ(SaveInputFile(p.s, file), 0);
  const std::vector<std::string> before = inputFileTexts(p.s);
  int changed = 0;
  for (size_t i = 0; i < before.size(); ++i) changed += before[i] != fresh[i];
  EXPECT_GT(changed, 500) << "the test should change nearly every line";
  EXPECT_EQ(p.s.in.NamePrSred.text(), "Газ попутный") << "the name is saved without its trailing blanks";

  ResetInputs(p.s);
  p.settle();
  EXPECT_NE(inputFileTexts(p.s), before);
  ASSERT_EQ(LoadInputFile(p.s, file), 0);
  p.settle();
  const std::vector<std::string> after = inputFileTexts(p.s);
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(after[i], before[i]) << "line " << i + 1 << " (" << inputFileLines()[i].control << ")";
  }

  const std::string bytes = readBytes(file);
  // 585 lines, each ended by CR LF, the Cyrillic letters as Windows-1251 bytes.
  size_t lines = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ++lines;
      EXPECT_EQ(bytes[i - 1], '\r');
    }
  }
  EXPECT_EQ(lines, 585u);
  EXPECT_EQ(bytes.back(), '\n');
  EXPECT_FALSE(isValidUtf8(bytes));
  EXPECT_NE(bytes.find(utf8ToCp1251("строка 137 из файла")), std::string::npos);
  EXPECT_EQ(before[53], "0,01*Q+54 = 54") << "a formula is stored with its display part";

  const std::string again = p.folder.file("again.vdt");
  ASSERT_EQ(SaveInputFile(p.s, again), 0);
  EXPECT_EQ(firstDifference(readBytes(again), bytes), "") << "a second save of the loaded state is the same file";

  // A program started afresh that loads the file and saves it at once writes
  // the same file: the formulas' display parts are worked out after the last
  // line is read.
  FilePoint fresh2;
  for (int k = 0; k < 4; ++k) {
    const std::string name = "spprm." + std::to_string(k);
    writeBytes(fresh2.programFile(name), readBytes(p.programFile(name)));
  }
  ASSERT_EQ(LoadInputFile(fresh2.s, file), 0);
  const std::string third = fresh2.folder.file("third.vdt");
  ASSERT_EQ(SaveInputFile(fresh2.s, third), 0);
  EXPECT_EQ(firstDifference(readBytes(third), bytes), "");
}

}  // namespace
}  // namespace velmar

namespace velmar {
namespace {

// The lines a fresh window would write, as a file's bytes (first n lines).
std::string freshFileLines(FilePoint& p, size_t n) {
  std::string bytes;
  const std::vector<std::string> lines = inputFileTexts(p.s);
  for (size_t i = 0; i < n && i < lines.size(); ++i) bytes += utf8ToCp1251(lines[i]) + "\r\n";
  return bytes;
}

TEST(InputFile, AFileEndingBeforeTheBlocksKeepsTheirControlsAndZeroesTheRest) {
  FilePoint p;
  auto& in = p.s.in;
  FillDefaultDiameters(p.s);
  const std::string file = p.folder.file("old.vdt");
  writeBytes(file, freshFileLines(p, 413));
  // Values the blocks hold before the load, each unlike a fresh window's.
  p.check(in.TipIkQ, false);                          // A
  p.type(in.D20itStr, "77");                          // B
  p.check(in.ustupCheck, true);                       // C
  p.type(in.uMaxStr, "21");                           // D
  editCell(p.s, in.strad, 0, 20, "900");              // D
  p.choose(in.TipVl, 0);                              // E
  p.choose(in.TipMetan, 1);                           // F
  p.type(in.dPoStr, "25");                            // J
  // Lines 415 to 495 lie outside the blocks.
  p.choose(in.TipAdddP1, 1);
  p.type(in.dp1dopStr, "0,3");
  ASSERT_EQ(in.TipPogr.index(), 1);

  LoadNote note;
  ASSERT_EQ(LoadInputFile(p.s, file, &note), 0);
  EXPECT_EQ(note.stop, LoadNote::Stop::None);
  EXPECT_FALSE(in.TipIkQ.checked());
  EXPECT_EQ(in.D20itStr.text(), "77");
  EXPECT_TRUE(in.ustupCheck.checked());
  EXPECT_EQ(in.uMaxStr.text(), "21");
  EXPECT_EQ(in.strad.cell(0, 15), "900") << "the series is ordered after the load";
  EXPECT_EQ(in.TipVl.index(), 0);
  EXPECT_EQ(in.TipMetan.index(), 1);
  EXPECT_EQ(in.dPoStr.text(), "25");
  EXPECT_EQ(in.TipPogr.index(), 0);
  EXPECT_EQ(in.TipAdddP1.index(), 0);
  EXPECT_EQ(in.dp1dopStr.text(), "");
}

// A file that ends right before a block is an older file; one that ends
// anywhere else (inside a line, inside a block, inside lines 415-495 that
// came with block A) is damaged: it is read as far as it goes and the note
// names the last line read.
TEST(InputFile, AFileEndingOutsideABlockBoundaryIsDamaged) {
  FilePoint p;
  const struct {
    size_t lines;
    bool lastLineEnded;
    LoadNote::Stop stop;
  } cases[] = {
      {585, true, LoadNote::Stop::None},     {585, false, LoadNote::Stop::None},
      {413, true, LoadNote::Stop::None},     {495, true, LoadNote::Stop::None},
      {496, true, LoadNote::Stop::None},     {561, true, LoadNote::Stop::None},
      {577, true, LoadNote::Stop::None},     {1, true, LoadNote::Stop::CutShort},
      {200, true, LoadNote::Stop::CutShort}, {413, false, LoadNote::Stop::CutShort},
      {414, true, LoadNote::Stop::CutShort}, {450, true, LoadNote::Stop::CutShort},
      {520, true, LoadNote::Stop::CutShort}, {584, true, LoadNote::Stop::CutShort},
  };
  for (const auto& c : cases) {
    std::string bytes = freshFileLines(p, c.lines);
    if (!c.lastLineEnded) bytes.resize(bytes.size() - 2);
    writeBytes(p.folder.file("cut.vdt"), bytes);
    LoadNote note;
    ASSERT_EQ(LoadInputFile(p.s, p.folder.file("cut.vdt"), &note), 0) << c.lines;
    EXPECT_EQ(note.stop, c.stop) << c.lines << (c.lastLineEnded ? "" : " without its line end");
    EXPECT_EQ(note.line, c.stop == LoadNote::Stop::None ? 0 : static_cast<int>(c.lines)) << c.lines;
  }
}

TEST(InputFile, ALineThatShouldBeAnIntegerStopsTheReadingAndAPassStillRuns) {
  struct Case {
    const char* what;
    int line;         // the line replaced, from 1
    std::string text;
  };
  const Case cases[] = {
      {"text on line 1", 1, "Расчет объема"},
      {"empty index line", 3, ""},
      {"a number too large for an index", 40, "99999999999"},
      {"a check line that is text", 48, "да"},
  };
  for (const Case& c : cases) {
    FilePoint p;
    auto& in = p.s.in;
    std::vector<std::string> lines = inputFileTexts(p.s);
    lines[static_cast<size_t>(c.line - 1)] = c.text;
    lines[91] = "35";  // Tstr, after every replaced line
    std::string bytes;
    for (const auto& l : lines) bytes += utf8ToCp1251(l) + "\r\n";
    const std::string file = p.folder.file("shifted.vdt");
    writeBytes(file, bytes);
    p.type(in.Tstr, "12");
    p.settle();
    in.Memo2.setLines({});
    LoadNote note;
    ASSERT_EQ(LoadInputFile(p.s, file, &note), 0) << c.what;
    EXPECT_EQ(note.stop, LoadNote::Stop::NotAnInteger) << c.what;
    EXPECT_EQ(note.line, c.line) << c.what;
    EXPECT_EQ(describeLoadNote(note), "reading stopped at line " + std::to_string(c.line) + ": it should hold an integer");
    EXPECT_EQ(in.Tstr.text(), "12") << c.what << ": the lines after the stop are not read";
    EXPECT_FALSE(in.Memo2.lines().empty()) << c.what << ": a pass ran";
    EXPECT_TRUE(p.timer.running()) << c.what << ": a second pass is scheduled";
  }
}

TEST(InputFile, AnIndexBeyondTheItemsLeavesNoSelection) {
  FilePoint p;
  auto& in = p.s.in;
  // A material list of two, and a file written with a longer one.
  for (int k = 0; k < 4; ++k) writeBytes(p.programFile("spprm." + std::to_string(k)), "Сталь 20\r\nМедь\r\n");
  std::vector<std::string> lines = inputFileTexts(p.s);
  lines[135] = "5";   // NamePrTr
  lines[46] = "7";    // QpredMaxEd has two items
  lines[0] = "1";
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\r\n";
  writeBytes(p.folder.file("long_list.vdt"), bytes);
  ASSERT_EQ(LoadInputFile(p.s, p.folder.file("long_list.vdt")), 0);
  EXPECT_EQ(in.NamePrTr.count(), 2);
  EXPECT_EQ(in.NamePrTr.index(), -1);
  EXPECT_EQ(in.QpredMaxEd.index(), -1);

  lines[135] = "1";
  bytes.clear();
  for (const auto& l : lines) bytes += l + "\r\n";
  writeBytes(p.folder.file("short_list.vdt"), bytes);
  ASSERT_EQ(LoadInputFile(p.s, p.folder.file("short_list.vdt")), 0);
  EXPECT_EQ(in.NamePrTr.index(), 1);
  EXPECT_EQ(in.NamePrTr.text(), "Медь");
}

TEST(InputFile, ChoicesOutsideTheirItemsDoNotBreakTheCalculation) {
  // A foreign file may select nothing in the kind of calculation, the medium
  // and the methods; the pass must still end with result or message lines.
  for (const char* raschet : {"-1", "3", "1000"}) {
    FilePoint p;
    std::vector<std::string> lines = inputFileTexts(p.s);
    lines[0] = raschet;
    lines[1] = "42";    // sreda
    lines[2] = "-7";    // metod
    lines[329] = "9";   // Metod_s
    lines[332] = "5";   // TipIK
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    writeBytes(p.folder.file("odd.vdt"), bytes);
    ASSERT_EQ(LoadInputFile(p.s, p.folder.file("odd.vdt")), 0);
    p.settle();
    for (const auto& l : p.memo1()) EXPECT_EQ(l.find("nan"), std::string::npos) << l;
  }
}

TEST(InputFile, ReadsLineFeedsUtf8AndWindows1251Alike) {
  FilePoint p;
  auto& in = p.s.in;
  std::vector<std::string> lines = inputFileTexts(p.s);
  lines[122] = "Узел учета №3";  // NameIzmTrub
  std::string lf;
  std::string cp1251;
  for (const auto& l : lines) {
    lf += l + "\n";
    cp1251 += utf8ToCp1251(l) + "\r\n";
  }
  for (const auto& [name, bytes] : {std::pair{"utf8_lf.vdt", lf}, std::pair{"cp1251_crlf.vdt", cp1251},
                                    std::pair{"utf8_mark.vdt", "\xEF\xBB\xBF" + lf}}) {
    in.NameIzmTrub.setText("");
    writeBytes(p.folder.file(name), bytes);
    LoadNote note;
    ASSERT_EQ(LoadInputFile(p.s, p.folder.file(name), &note), 0) << name;
    EXPECT_EQ(note.stop, LoadNote::Stop::None) << name << ": " << describeLoadNote(note);
    EXPECT_EQ(in.NameIzmTrub.text(), "Узел учета №3") << name;
  }
  // A carriage return inside a line reads as the blank a save would write
  // for it, so that a load and a save of the file read the same.
  lines[122] = "Узел\rучета";
  lines[3] = "90\r";  // sostav cell (1, 1)
  std::string stray;
  for (const auto& l : lines) stray += l + "\r\n";
  writeBytes(p.folder.file("stray_cr.vdt"), stray);
  ASSERT_EQ(LoadInputFile(p.s, p.folder.file("stray_cr.vdt")), 0);
  EXPECT_EQ(in.NameIzmTrub.text(), "Узел учета");
  EXPECT_EQ(in.sostav.cell(1, 1), "90 ");
}

TEST(InputFile, MissingAndUnopenableFilesChangeNothing) {
  FilePoint p;
  auto& in = p.s.in;
  p.type(in.Qstr, "55");
  EXPECT_EQ(LoadInputFile(p.s, p.folder.file("none.vdt")), 1);
  EXPECT_EQ(LoadInputFile(p.s, p.folder.path), 2) << "a folder";
  EXPECT_EQ(in.Qstr.text(), "55");
  EXPECT_TRUE(in.CalcIdle);
  EXPECT_EQ(SaveInputFile(p.s, p.folder.file("no/such/folder/x.vdt")), 1);
  EXPECT_EQ(SaveInputFile(p.s, p.folder.path), 1) << "a folder cannot be overwritten";
}

TEST(InputFile, ForeignFilesLoadWithoutACrashOrAHang) {
  std::mt19937 random(11);
  std::string noise(200000, '\0');
  for (char& ch : noise) ch = static_cast<char>(random() & 0xFF);
  std::string longLines;
  for (int i = 0; i < 600; ++i) longLines += std::string(100000, static_cast<char>('0' + i % 10)) + "\r\n";
  struct Case {
    const char* what;
    std::string bytes;
    LoadNote::Stop stop;
    int line;
  };
  const Case cases[] = {
      {"random bytes", noise, LoadNote::Stop::NotAnInteger, 1},
      {"10 MB of one line", std::string(10 << 20, '7'), LoadNote::Stop::FileTooLarge, 1},
      {"lines of 100 000 characters", longLines, LoadNote::Stop::LineTooLong, 1},
  };
  for (const Case& c : cases) {
    FilePoint p;
    writeBytes(p.folder.file("foreign.vdt"), c.bytes);
    LoadNote note;
    EXPECT_EQ(LoadInputFile(p.s, p.folder.file("foreign.vdt"), &note), 0) << c.what;
    EXPECT_EQ(note.stop, c.stop) << c.what;
    EXPECT_EQ(note.line, c.line) << c.what;
    p.settle();
    EXPECT_TRUE(p.s.in.CalcIdle) << c.what;
  }
  FilePoint p;
  writeBytes(p.folder.file("empty.vdt"), "");
  EXPECT_EQ(LoadInputFile(p.s, p.folder.file("empty.vdt")), kEmptyInputFile) << "no bytes hold no input data";
  LoadNote note;
  EXPECT_EQ(LoadInputFile(p.s, "/dev/zero", &note), 0);
  EXPECT_EQ(note.stop, LoadNote::Stop::FileTooLarge);
  EXPECT_EQ(describeLoadNote(note), "reading stopped at line 1: the file is larger than 4194304 bytes");
}

}  // namespace
}  // namespace velmar
