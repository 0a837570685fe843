#include "persistence/settings.h"

#include <cerrno>
#include <sys/stat.h>
#include <vector>

#include "core/code_page.h"
#include "core/input_record.h"
#include "core/program_files.h"
#include "core/safe_file.h"
#include "persistence/input_data_dialogs.h"
#include "persistence/input_file.h"
#include "persistence/settings.h"
#include "persistence/storage_context.h"

namespace velmar {

namespace {

// The settings file and the users list are a few short lines; anything
// larger is not ours.
constexpr size_t kMaxSettingsBytes = 1 << 20;

constexpr int kNameWidthAutomatic = 440;
constexpr int kNameWidthOwnNumbers = 272;
constexpr int kUsersBoxWidth = 260;

std::string_view line(const std::vector<std::string>& lines, size_t n) {
  return n <= lines.size() ? std::string_view(lines[n - 1]) : std::string_view();
}

int integerLine(const std::vector<std::string>& lines, size_t n, int otherwise) {
  return readIntegerLine(line(lines, n)).value_or(otherwise);
}

bool flagLine(const std::vector<std::string>& lines, size_t n, bool otherwise) {
  const std::optional<int> v = readIntegerLine(line(lines, n));
  return v ? *v != 0 : otherwise;
}

int codePoints(std::string_view text) {
  int n = 0;
  for (unsigned char ch : text) {
    if ((ch & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::string trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return std::string(text);
}

// The users list into NamePol with the default user selected; without the
// file the list is empty and there is no default user.
void loadUsers(StorageContext& s) {
  Settings& st = s.settings;
  const std::string path = programFilePath(s.files, kUsersFile);
  const TextLines users = readTextLines(path, kMaxSettingsBytes);
  st.usersListUnread.clear();
  if (users.truncated) st.usersListUnread = "файл списка слишком велик и прочитан не полностью";
  if (users.status == ReadStatus::CannotOpen) {
    struct stat info {};
    st.usersListUnread = ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)
                             ? "под этим именем на диске папка"
                             : "файл списка не удалось прочитать";
  }
  if (users.status != ReadStatus::Read) {
    st.defaultUser = -1;
    st.NamePol.setItems({}, -1);
    return;
  }
  st.NamePol.setItems(users.lines, st.defaultUser);
}

void setUsersTabEnabled(Settings& st, bool enabled) {
  st.NamePol.setEnabled(enabled);
  st.NameUmolch.setEnabled(enabled);
}

void hideNewUserBox(Settings& st) {
  st.NewUserBox.hide();
  setUsersTabEnabled(st, true);
}

void AddUserButtonClick(Settings& st) {
  st.NewUserName.setText({});
  st.NewUserSave.setEnabled(false);
  st.NewUserBox.show();
  setUsersTabEnabled(st, false);
}

// "Сохранить" of the new-user box: the name goes to the end of the list, the
// list to its file, and the new user becomes the current one.
void NewUserSaveClick(StorageContext& s, UserDialogs& dialogs) {
  Settings& st = s.settings;
  const std::string name = trimmed(st.NewUserName.text());
  if (codePoints(name) < kMinUserNameLength) return;
  hideNewUserBox(st);
  std::vector<std::string> users = st.NamePol.items();
  users.push_back(name);
  st.NamePol.setItems(users, static_cast<int>(users.size()) - 1);
  const std::string path = programFilePath(s.files, kUsersFile);
  // The names the window holds are not the whole stored list: writing them
  // would lose the others.
  std::string why = st.usersListUnread;
  if (why.empty() && (!makeProgramFolder(s.files) || !writeTextLines(path, users))) {
    why = describeWriteFailure(errno, path);
  }
  if (!why.empty()) {
    dialogs.showMessage("Список пользователей не сохранен в файл «" + path + "»: " + why +
                        ", на диске ничего не изменилось.");
    return;
  }
  std::vector<LostCharacters> lost;
  for (size_t i = 0; i < users.size(); ++i) {
    if (std::string c = charactersOutsideCp1251(users[i]); !c.empty()) {
      lost.push_back({static_cast<int>(i + 1), "пользователь", std::move(c)});
    }
  }
  if (!lost.empty()) dialogs.showMessage(lostCharactersMessage("Список пользователей сохранен", path, lost));
}

void FileZapButtonClick(StorageContext& s, UserDialogs& dialogs) {
  Settings& st = s.settings;
  FileDialog shown = st.OpenDialog1;
  shown.fileName = fileNameOfPath(st.startUpFile);
  const std::string chosen = dialogs.chooseFile(UserDialogs::Kind::Open, shown);
  if (chosen.empty()) return;
  st.startUpFile = userFilePath(s.files, chosen);
  st.OpenDialog1.fileName = st.startUpFile;
  st.NameFileZap.setText(fileNameOfPath(st.startUpFile));
}

void SaveSettingsButtonClick(StorageContext& s, UserDialogs& dialogs) {
  const std::string path = programFilePath(s.files, kSettingsFile);
  if (!SaveSettings(s)) {
    const int error = errno;
    dialogs.showMessage("Настройки не сохранены в файл «" + path + "»: " + describeWriteFailure(error, path) +
                        ", на диске ничего не изменилось.");
    return;
  }
  // The names and folders a file system holds may have characters the file
  // cannot: the next start would not find them.
  const Settings& st = s.settings;
  const struct {
    int line;
    const char* what;
    const std::string& text;
  } stored[] = {{2, "файл для загрузки при запуске", st.NameFileZap.text()},
                {3, "путь к нему", st.startUpFile},
                {6, "папка диалога загрузки", st.OpenDialog1.initialDir},
                {7, "папка диалога сохранения", st.SaveDialog1.initialDir}};
  std::vector<LostCharacters> lost;
  for (const auto& line : stored) {
    if (std::string c = charactersOutsideCp1251(line.text); !c.empty()) {
      lost.push_back({line.line, line.what, std::move(c)});
    }
  }
  if (!lost.empty()) dialogs.showMessage(lostCharactersMessage("Настройки сохранены", path, lost));
  if (s.settings.closeWindow) s.settings.closeWindow();
}

// "Закрыть": the stored settings come back, the changes made since they were
// stored are dropped. The dialogs keep the folders of this session's loads
// and saves.
void CloseButtonClick(StorageContext& s) {
  Settings& st = s.settings;
  const std::string loadFolder = st.OpenDialog1.initialDir;
  const std::string saveFolder = st.SaveDialog1.initialDir;
  if (st.closeWindow) st.closeWindow();
  hideNewUserBox(st);
  LoadSettings(s);
  st.OpenDialog1.initialDir = loadFolder;
  st.SaveDialog1.initialDir = saveFolder;
}

}  // namespace

Settings::Settings() {
  TipZap.setHint(
      "Если ВЫ отметите этот пункт, то при каждом запуске программы \n"
      "будет происходить загрузка исходных данных из указанного файла. \n"
      "В противном случае, программа будет загружать данные, \n"
      "сформированные при последнем сеансе работы");
  NameFileZap.setReadOnly(true);
  NameFileZap.setEnabled(false);
  FileZapButton.setEnabled(false);
  NewUserSave.setEnabled(false);
  NamePol.setWidth(kUsersBoxWidth);
  // A name of at least two characters can be saved.
  NewUserName.onChange = [this] { NewUserSave.setEnabled(codePoints(trimmed(NewUserName.text())) >= kMinUserNameLength); };
}

bool automaticNumbering(const Settings& settings) { return settings.Numer.index() != 1; }

std::string currentUser(const Settings& settings) { return settings.NamePol.selectedText(); }

std::optional<StoredSettings> readSettingsFile(const ProgramFiles& files) {
  const TextLines file = readTextLines(programFilePath(files, kSettingsFile), kMaxSettingsBytes);
  if (file.status != ReadStatus::Read) return std::nullopt;
  const std::vector<std::string>& lines = file.lines;
  StoredSettings st;
  st.TipZap = flagLine(lines, 1, st.TipZap);
  if (lines.size() >= 2) st.NameFileZap = lines[1];
  st.startUpFile = std::string(line(lines, 3));
  st.TipPos = flagLine(lines, 4, st.TipPos);
  st.TipSavePath = flagLine(lines, 5, st.TipSavePath);
  st.loadFolder = std::string(line(lines, 6));
  st.saveFolder = std::string(line(lines, 7));
  st.defaultUser = integerLine(lines, 8, st.defaultUser);
  const int numer = integerLine(lines, 9, 0);
  st.Numer = numer == 1 ? 1 : 0;
  return st;
}

bool storedTipPos(const ProgramFiles& files) {
  const std::optional<StoredSettings> st = readSettingsFile(files);
  return st && st->TipPos;
}

void NumerChange(StorageContext& s) {
  const bool automatic = automaticNumbering(s.settings);
  s.in.NomerR.setVisible(!automatic);
  s.in.LabelNomerR.setVisible(!automatic);
  s.in.NameIzmTrub.setWidth(automatic ? kNameWidthAutomatic : kNameWidthOwnNumbers);
}

void TipZapClick(StorageContext& s) {
  Settings& st = s.settings;
  const bool on = st.TipZap.checked();
  st.NameFileZap.setEnabled(on);
  st.FileZapButton.setEnabled(on);
  st.NameFileZap.setText(on ? fileNameOfPath(st.startUpFile) : std::string(kLastSessionText));
}

void ApplyDefaultSettings(StorageContext& s) {
  Settings& st = s.settings;
  st.TipZap.setChecked(false);
  TipZapClick(s);
  st.TipSavePath.setChecked(true);
  st.TipPos.setChecked(true);
  st.Numer.setIndex(0);
  NumerChange(s);
}

void LoadSettings(StorageContext& s) {
  Settings& st = s.settings;
  st.defaultUser = -1;
  if (const std::optional<StoredSettings> stored = readSettingsFile(s.files)) {
    st.TipZap.setChecked(stored->TipZap);
    st.NameFileZap.setEnabled(stored->TipZap);
    st.FileZapButton.setEnabled(stored->TipZap);
    st.NameFileZap.setText(stored->TipZap ? stored->NameFileZap : std::string(kLastSessionText));
    st.startUpFile = stored->startUpFile;
    st.OpenDialog1.fileName = stored->startUpFile;
    st.TipPos.setChecked(stored->TipPos);
    st.TipSavePath.setChecked(stored->TipSavePath);
    if (stored->TipSavePath) {
      if (!stored->loadFolder.empty()) st.OpenDialog1.initialDir = stored->loadFolder;
      if (!stored->saveFolder.empty()) st.SaveDialog1.initialDir = stored->saveFolder;
    }
    st.defaultUser = stored->defaultUser;
    st.Numer.setIndex(stored->Numer);
  } else {
    ApplyDefaultSettings(s);
  }
  loadUsers(s);
  NumerChange(s);
}

bool SaveSettings(StorageContext& s) {
  Settings& st = s.settings;
  const int defaultUser = st.NameUmolch.checked() ? st.NamePol.index() : st.defaultUser;
  const std::vector<std::string> lines = {
      st.TipZap.checked() ? "1" : "0",
      st.NameFileZap.text(),
      st.startUpFile,
      st.TipPos.checked() ? "1" : "0",
      st.TipSavePath.checked() ? "1" : "0",
      st.OpenDialog1.initialDir,
      st.SaveDialog1.initialDir,
      std::to_string(defaultUser),
      std::to_string(st.Numer.index() == 1 ? 1 : 0),
  };
  if (!makeProgramFolder(s.files) || !writeTextLines(programFilePath(s.files, kSettingsFile), lines)) return false;
  st.defaultUser = defaultUser;
  return true;
}

void SettingsFormShow(StorageContext& s) {
  s.settings.OpenDialog1.initialDir = programFolderPath(s.files);
  hideNewUserBox(s.settings);
}

void installSettingsRules(StorageContext& s, UserDialogs& dialogs) {
  Settings& st = s.settings;
  st.TipZap.onClick = [&s] { TipZapClick(s); };
  st.FileZapButton.onClick = [&s, &dialogs] { FileZapButtonClick(s, dialogs); };
  st.Numer.onChange = [&s] { NumerChange(s); };
  st.AddUserButton.onClick = [&st] { AddUserButtonClick(st); };
  st.NewUserSave.onClick = [&s, &dialogs] { NewUserSaveClick(s, dialogs); };
  st.NewUserCancel.onClick = [&st] { hideNewUserBox(st); };
  st.SaveSettingsButton.onClick = [&s, &dialogs] { SaveSettingsButtonClick(s, dialogs); };
  st.CloseButton.onClick = [&s] { CloseButtonClick(s); };
  st.DefaultsButton.onClick = [&s] { ApplyDefaultSettings(s); };
}

}  // namespace velmar
