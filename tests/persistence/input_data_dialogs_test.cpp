// "Сохранить" and "Загрузить" of the menu "Исходные данные": what the dialogs
// propose and where they open, and the sentence a failed save or load gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "core/code_page.h"

#include "measuring_point/input_data.h"
#include "persistence/input_data_dialogs.h"
#include "persistence/input_file.h"
#include "persistence/settings.h"
#include "persistence_fixture.h"
#include "scripted_dialogs.h"

namespace velmar {
namespace {

using testing::readBytes;
using testing::writeBytes;

struct MenuPoint : testing::FilePoint {
  MenuPoint() {
    std::filesystem::create_directories(folder.file("вход"));
    std::filesystem::create_directories(folder.file("выход"));
    s.settings.OpenDialog1.initialDir = folder.path;
    s.settings.SaveDialog1.initialDir = folder.path;
  }
  testing::ScriptedDialogs dialogs;
};

TEST(InputDataDialogs, TheSaveDialogProposesTheCalculationNameAndAddsTheExtension) {
  MenuPoint p;
  std::string longName;
  for (int i = 0; i < 200; ++i) longName += "ж";
  const struct {
    std::string name;
    std::string proposed;
  } names[] = {
      {"ГРС: точка \"1\". Линия, 2; итог", "ГРС  точка  1   Линия  2  итог"},
      {"Узел 1/2 \\ линия", "Узел 1 2   линия"},  // a folder separator would split the name
      {"Узел: \"ГРС-1\", ввод.2; A/B", "Узел   ГРС-1   ввод 2  A B"},
      {"  точка 5.  ", "точка 5"},
      {longName, longName.substr(0, 250)},  // with ".vdt" within the 255 bytes of a name
      {"", ""},
  };
  for (const auto& n : names) {
    p.type(p.s.in.NameIzmTrub, n.name);
    p.dialogs.answers = {""};
    EXPECT_FALSE(MenuSaveClick(p.s, p.dialogs));
    ASSERT_FALSE(p.dialogs.shown.empty());
    const auto& shown = p.dialogs.shown.back();
    EXPECT_EQ(shown.kind, UserDialogs::Kind::Save);
    EXPECT_EQ(shown.dialog.title, "Сохранение исходных данных");
    EXPECT_EQ(shown.dialog.fileName, n.proposed);
  }
  EXPECT_EQ(kInputFileFilter, "Файлы программы \"Велмар\"  (*.vdt)");

  const struct {
    const char* typed;
    const char* written;
  } files[] = {{"точка", "точка.vdt"}, {"точка.vdt", "точка.vdt"}, {"архив.txt", "архив.txt"}};
  for (const auto& f : files) {
    p.dialogs.answers = {p.folder.file(std::string("выход/") + f.typed)};
    EXPECT_TRUE(MenuSaveClick(p.s, p.dialogs)) << f.typed;
    EXPECT_TRUE(std::filesystem::exists(p.folder.file(std::string("выход/") + f.written))) << f.typed;
  }
  EXPECT_TRUE(p.dialogs.messages.empty());
}

// After a successful load or save the dialog opens in that file's folder;
// each dialog keeps its own folder, and a failed or cancelled one keeps it.
TEST(InputDataDialogs, LoadAndSaveRememberTheirFolders) {
  MenuPoint p;
  const std::string in = p.folder.file("вход");
  const std::string out = p.folder.file("выход");
  p.type(p.s.in.NameIzmTrub, "ГРС Северная");
  p.dialogs.answers = {out + "/северная.vdt"};
  ASSERT_TRUE(MenuSaveClick(p.s, p.dialogs));
  EXPECT_EQ(p.s.settings.SaveDialog1.initialDir, out);
  EXPECT_EQ(p.s.settings.OpenDialog1.initialDir, p.folder.path);

  std::filesystem::copy_file(out + "/северная.vdt", in + "/копия.vdt");
  p.type(p.s.in.NameIzmTrub, "изменено");
  p.dialogs.answers = {in + "/копия.vdt"};
  ASSERT_TRUE(MenuLoadClick(p.s, p.dialogs).loaded);
  EXPECT_EQ(p.s.in.NameIzmTrub.text(), "ГРС Северная");
  EXPECT_EQ(p.s.settings.OpenDialog1.initialDir, in);
  EXPECT_EQ(p.s.settings.SaveDialog1.initialDir, out);

  // The next dialogs open there, the load dialog on the file last loaded.
  p.dialogs.answers = {"", ""};
  MenuLoadClick(p.s, p.dialogs);
  MenuSaveClick(p.s, p.dialogs);
  ASSERT_EQ(p.dialogs.shown.size(), 4u);
  EXPECT_EQ(p.dialogs.shown[2].dialog.title, "Загрузка исходных данных");
  EXPECT_EQ(p.dialogs.shown[2].dialog.initialDir, in);
  EXPECT_EQ(p.dialogs.shown[2].dialog.fileName, "копия.vdt");
  EXPECT_EQ(p.dialogs.shown[3].dialog.initialDir, out);

  // A failed load and a failed save leave the folders as they were.
  p.dialogs.answers = {p.folder.file("нет/такого.vdt"), p.folder.file("нет/такой.vdt")};
  EXPECT_FALSE(MenuLoadClick(p.s, p.dialogs).loaded);
  EXPECT_FALSE(MenuSaveClick(p.s, p.dialogs));
  EXPECT_EQ(p.s.settings.OpenDialog1.initialDir, in);
  EXPECT_EQ(p.s.settings.SaveDialog1.initialDir, out);

  // Loading a file does not change the start-up file of the settings.
  p.s.settings.startUpFile = "/data/узел.vdt";
  p.dialogs.answers = {in + "/копия.vdt"};
  ASSERT_TRUE(MenuLoadClick(p.s, p.dialogs).loaded);
  EXPECT_EQ(p.s.settings.startUpFile, "/data/узел.vdt");
}

TEST(InputDataDialogs, AFailedSaveOrLoadSaysWhyInOneSentence) {
  MenuPoint p;
  const std::string existing = p.folder.file("выход/точка.vdt");
  p.type(p.s.in.NameIzmTrub, "первая");
  p.dialogs.answers = {existing};
  ASSERT_TRUE(MenuSaveClick(p.s, p.dialogs));
  const std::string before = readBytes(existing);
  std::filesystem::create_directories(p.folder.file("выход/папка.vdt"));
  writeBytes(p.folder.file("вход/чужой.vdt"), "текст вместо номера\r\n1\r\n");

  struct Case {
    const char* title;
    bool save;
    std::string file;
    bool done;
    std::string message;  // "" : none
  };
  const std::string missingFolder = p.folder.file("нет/точка.vdt");
  const std::string folderFile = p.folder.file("выход/папка.vdt");
  const std::string missing = p.folder.file("вход/нет.vdt");
  const std::string foreign = p.folder.file("вход/чужой.vdt");
  const std::string empty = p.folder.file("вход/пустой.vdt");
  writeBytes(empty, "");
  const std::string pipe = p.folder.file("выход/канал.vdt");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const Case cases[] = {
      {"save into a missing folder", true, missingFolder, false,
       "Исходные данные не сохранены в файл «" + missingFolder + "»: нет такой папки, на диске ничего не изменилось."},
      {"save over a folder", true, folderFile, false,
       "Исходные данные не сохранены в файл «" + folderFile +
           "»: под этим именем на диске папка, на диске ничего не изменилось."},
      {"save over a named pipe", true, pipe, false,
       "Исходные данные не сохранены в файл «" + pipe +
           "»: под этим именем на диске канал (FIFO), а не файл, на диске ничего не изменилось."},
      {"load a missing file", false, missing, false,
       "Исходные данные не загружены: файл «" + missing + "» не найден."},
      {"load a folder", false, folderFile, false,
       "Исходные данные не загружены: файл «" + folderFile + "» не удалось прочитать."},
      {"load a foreign file", false, foreign, true,
       "Исходные данные из файла «" + foreign +
           "» загружены не полностью: строка 1 не содержит целого числа, остальные окна ввода сохранили прежние "
           "значения."},
      {"load an empty file", false, empty, false, "Исходные данные не загружены: файл «" + empty + "» пуст."},
      {"cancel", false, "", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    p.dialogs.messages.clear();
    p.type(p.s.in.NameIzmTrub, "вторая");
    p.dialogs.answers = {c.file};
    EXPECT_EQ(c.save ? MenuSaveClick(p.s, p.dialogs) : MenuLoadClick(p.s, p.dialogs).loaded, c.done);
    if (c.message.empty()) {
      EXPECT_TRUE(p.dialogs.messages.empty());
    } else {
      ASSERT_EQ(p.dialogs.messages.size(), 1u);
      EXPECT_EQ(p.dialogs.messages[0], c.message);
    }
    EXPECT_EQ(p.s.in.NameIzmTrub.text(), "вторая") << "the window keeps its values";
  }
  EXPECT_EQ(readBytes(existing), before);
  EXPECT_TRUE(std::filesystem::is_directory(folderFile));
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

// A load that did not read or take everything says so in the status line and
// lists it in a message; the inputs not taken show the texts they had, the
// ones the calculation uses.
TEST(InputDataDialogs, ALoadSaysWhatItDidNotTake) {
  MenuPoint p;
  ResetInputs(p.s);  // as the program starts without a session file
  p.gerg91Example();
  p.choose(p.s.in.metod, 0);  // GOST 30319.3 reads the composition grid
  p.cell(p.s.in.sostav, 1, 1, "90");
  const std::string saved = p.folder.file("вход/точка.vdt");
  ASSERT_EQ(SaveInputFile(p.s, saved), 0);
  const std::string full = readBytes(saved);
  const auto withLines = [&](std::vector<std::pair<int, std::string>> lines) {
    std::vector<std::string> texts = inputFileTexts(p.s);
    for (const auto& [n, text] : lines) texts[static_cast<size_t>(n - 1)] = text;
    std::string bytes;
    for (const std::string& t : texts) bytes += utf8ToCp1251(t) + "\r\n";
    return bytes;
  };
  const std::string path = p.folder.file("вход/файл.vdt");
  const std::string notTaken = "Не все значения из файла «" + path + "» приняты: ";
  const std::string cut = "Исходные данные из файла «" + path + "» загружены не полностью: файл поврежден — он "
                          "обрывается на строке 450";
  const struct {
    const char* title;
    std::string bytes;
    std::string status;
    bool problem;
    std::string message;  // "" : none
  } cases[] = {
      {"every value taken", full, "Загружены данные из файл.vdt", false, ""},
      {"another decimal separator", withLines({{4, "90.5"}, {92, "15.5"}}),
       notTaken + "файл записан с другим десятичным разделителем («.»); эти окна ввода сохранили прежние значения",
       true,
       notTaken + "файл записан с другим десятичным разделителем («.»); эти окна ввода сохранили прежние значения:\n"
                  "строка 4 (sostav[1,1]): «90.5» — число с десятичным разделителем «.», а в системе принят «,»\n"
                  "строка 92 (Tstr): «15.5» — число с десятичным разделителем «.», а в системе принят «,»"},
      {"no number", withLines({{374, "2O"}}),
       notTaken + "в файле есть тексты, которые не являются числами; эти окна ввода сохранили прежние значения", true,
       notTaken + "в файле есть тексты, которые не являются числами; эти окна ввода сохранили прежние значения:\n"
                  "строка 374 (Qstr): «2O» — не число"},
      {"cut short", full.substr(0, [&] {
         size_t at = 0;
         for (int i = 0; i < 450; ++i) at = full.find('\n', at) + 1;
         return at;
       }()),
       cut, true, cut + "."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    writeBytes(path, c.bytes);
    p.dialogs.messages.clear();
    p.dialogs.answers = {path};
    const LoadResult r = MenuLoadClick(p.s, p.dialogs);
    EXPECT_TRUE(r.loaded);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.problem, c.problem);
    EXPECT_EQ(p.dialogs.messages, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    // What the inputs show is what the pass computes with.
    EXPECT_EQ(p.s.in.Tstr.text(), "20");
    EXPECT_EQ(p.s.in.sostav.cell(1, 1), "90");
    p.settle();
    EXPECT_EQ(p.s.in.Tstr.value, 20.0);
    EXPECT_EQ(p.s.comp.vnic.x[0], 90.0);
  }
}

// Characters Windows-1251 lacks are written as "?", and the save says which
// inputs lost which.
TEST(InputDataDialogs, ASaveSaysWhichCharactersItCouldNotWrite) {
  MenuPoint p;
  p.type(p.s.in.NameIzmTrub, "Узел Ø100 м³");
  p.type(p.s.in.NameSU, "Ø 5 № 7");
  const std::string path = p.folder.file("выход/узел.vdt");
  p.dialogs.answers = {path};
  ASSERT_TRUE(MenuSaveClick(p.s, p.dialogs));
  ASSERT_EQ(p.dialogs.messages.size(), 1u);
  EXPECT_EQ(p.dialogs.messages[0], "Исходные данные сохранены в файл «" + path +
                                       "», но символы, которых нет в кодировке Windows-1251, записаны в нем как «?»:\n"
                                       "строка 123 (NameIzmTrub): «Ø», «³»\n"
                                       "строка 377 (NameSU): «Ø»");
  const std::string bytes = readBytes(path);
  EXPECT_NE(bytes.find(utf8ToCp1251("\r\nУзел ?100 м?\r\n")), std::string::npos);
  EXPECT_NE(bytes.find(utf8ToCp1251("\r\n? 5 № 7\r\n")), std::string::npos);
}

TEST(InputDataDialogs, PathsAndTheDefaultExtension) {
  const struct {
    const char* path;
    const char* folder;
    const char* name;
    const char* withSuffix;
  } cases[] = {
      {"/data/узел.vdt", "/data", "узел.vdt", "/data/узел.vdt"},
      {"/data/узел", "/data", "узел", "/data/узел.vdt"},
      {"/узел", "/", "узел", "/узел.vdt"},
      {"узел", "", "узел", "узел.vdt"},
      {"/data.old/узел", "/data.old", "узел", "/data.old/узел.vdt"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(folderOfPath(c.path), c.folder) << c.path;
    EXPECT_EQ(fileNameOfPath(c.path), c.name) << c.path;
    EXPECT_EQ(withDefaultSuffix(c.path), c.withSuffix) << c.path;
  }
}

}  // namespace
}  // namespace velmar
