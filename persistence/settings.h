#pragma once
// The program's settings: the settings window TForm1 "Настройка" as a
// toolkit-free model (its controls by name, with captions and hints, in a
// registry of its own that the Qt dialog binds to as the main window binds to
// the input record), the settings file "Velmar\nastrprg.nst", the users list
// "velmar\sppl.vdt" and the main window's two input-data file dialogs, whose
// folders and start-up file the settings keep.
//
// The controls act at once (the numbering and the current user are read by
// the next report), but are stored only by "Сохранить настройки".
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/controls.h"

namespace velmar {

struct StorageContext;
struct ProgramFiles;
class UserDialogs;

inline constexpr std::string_view kSettingsFile = "Velmar\\nastrprg.nst";
inline constexpr std::string_view kUsersFile = "velmar\\sppl.vdt";

// What NameFileZap shows while no file is loaded at start-up.
inline constexpr std::string_view kLastSessionText = "Последние введенные данные";

// A file dialog of the main window: the folder it opens in and the file it
// holds (the one last chosen in it, or the name it proposes).
struct FileDialog {
  std::string title;
  std::string initialDir;
  std::string fileName;
};

struct Settings {
  // Creates the settings window's controls as the program creates the
  // window: the new-user box hidden, NameUmolch unchecked, the hint of TipZap.
  Settings();
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  ControlRegistry registry;

  Container TForm1{registry, "TForm1", ControlKind::Form, nullptr, "Настройка"};
  Container SettingsPages{registry, "SettingsPages", ControlKind::PageControl, &TForm1};

  // --- Tab "Настройка" -------------------------------------------------------
  Container TabSettings{registry, "TabSettings", ControlKind::Tab, &SettingsPages, "Настройка"};
  CheckBox TipZap{registry, "TipZap", &TabSettings, "При запуске загружать файл:", false};
  // The file name (without folder) of the start-up file; read-only, chosen by "...".
  Edit NameFileZap{registry, "NameFileZap", &TabSettings,
                   EditTraits{.text = kLastSessionText, .kind = ValueKind::Text}};
  Button FileZapButton{registry, "FileZapButton", &TabSettings, "..."};
  CheckBox TipPos{registry, "TipPos", &TabSettings, "Запоминать позицию и размер окна при выходе из программы ",
                  true};
  CheckBox TipSavePath{registry, "TipSavePath", &TabSettings,
                       "Запоминать пути при сохранении и загрузке исходных данных", true};
  Label LabelNumer{registry, "LabelNumer", &TabSettings, "Нумерация расчетов"};
  ComboBox Numer{registry, "Numer", &TabSettings, {"Автоматическая", "Произвольная"}, 0};

  // --- Tab "Пользователи" ----------------------------------------------------
  Container TabUsers{registry, "TabUsers", ControlKind::Tab, &SettingsPages, "Пользователи"};
  Label LabelNamePol{registry, "LabelNamePol", &TabUsers, "Пользователь:"};
  ComboBox NamePol{registry, "NamePol", &TabUsers, {}, -1};
  CheckBox NameUmolch{registry, "NameUmolch", &TabUsers, "устанавливать по умолчанию", false};
  Button AddUserButton{registry, "AddUserButton", &TabUsers, "Добавить нового пользователя"};
  Container NewUserBox{registry, "NewUserBox", ControlKind::GroupBox, &TabUsers,
                       "Введите имя нового пользователя", false};
  Edit NewUserName{registry, "NewUserName", &NewUserBox, EditTraits{.text = "", .kind = ValueKind::Text}};
  Button NewUserSave{registry, "NewUserSave", &NewUserBox, "Сохранить"};
  Button NewUserCancel{registry, "NewUserCancel", &NewUserBox, "Отмена"};

  // --- The buttons under the tabs ------------------------------------------------
  Container ButtonsPanel{registry, "ButtonsPanel", ControlKind::Panel, &TForm1};
  Button SaveSettingsButton{registry, "SaveSettingsButton", &ButtonsPanel, "Сохранить настройки"};
  Button CloseButton{registry, "CloseButton", &ButtonsPanel, "Закрыть"};
  Button DefaultsButton{registry, "DefaultsButton", &ButtonsPanel, "По умолчанию"};

  // --- Run-time members --------------------------------------------------------
  // Line 8 of the settings file: the index of the default user in the users
  // list, -1 for none.
  int defaultUser = -1;
  // Why the users list on disk could not be read whole (empty when it was, or
  // when there is none): a user added then is not written over it.
  std::string usersListUnread;
  // The file loaded at start-up when TipZap is on (line 3): the stored path
  // until another file is chosen with "...".
  std::string startUpFile;
  // The main window's dialogs "Загрузка исходных данных" and "Сохранение
  // исходных данных"; the settings window chooses the start-up file with the
  // load dialog.
  FileDialog OpenDialog1{"Загрузка исходных данных", {}, {}};
  FileDialog SaveDialog1{"Сохранение исходных данных", {}, {}};

  // Closes the settings window; installed by the window that shows it.
  std::function<void()> closeWindow;
};

// "Velmar\nastrprg.nst" as stored, line by line; a line that is missing, or
// that should hold an integer and does not, gives the default of its setting.
struct StoredSettings {
  bool TipZap = false;                                 // line 1
  std::string NameFileZap = std::string(kLastSessionText);  // line 2
  std::string startUpFile;                             // line 3: the full path of the start-up file
  bool TipPos = true;                                  // line 4
  bool TipSavePath = true;                             // line 5
  std::string loadFolder;                              // line 6: the load dialog's folder
  std::string saveFolder;                              // line 7: the save dialog's folder
  int defaultUser = -1;                                // line 8
  int Numer = 0;                                       // line 9; a file of 8 lines gives 0
};

// The settings file, or nothing when it cannot be read.
std::optional<StoredSettings> readSettingsFile(const ProgramFiles& files);

// As the main window is created: whether the window geometry is restored
// (TipPos of the settings file; off when the file cannot be read).
bool storedTipPos(const ProgramFiles& files);

// Reads the settings file into the settings window and the users list into
// NamePol, selecting the default user; a missing settings file gives the
// defaults (ApplyDefaultSettings) and the users list is read all the same.
// Then the numbering rule.
void LoadSettings(StorageContext& s);

// Writes the settings file from the controls; line 8 is the current user's
// index when NameUmolch is checked, otherwise the default user stored before.
// False when it could not be written (the previous file is unchanged, errno
// says why).
bool SaveSettings(StorageContext& s);

// TipZap off (the start-up file's edit and "..." disabled), TipSavePath and
// TipPos on, automatic numbering with its effect on the main window. Nothing
// is written.
void ApplyDefaultSettings(StorageContext& s);

// The numbering rule, on every change of Numer and after LoadSettings: for
// automatic numbering NomerR and its label are hidden and NameIzmTrub is 440
// pixels wide; for the user's own numbers they are shown and NameIzmTrub is
// 272 pixels wide.
void NumerChange(StorageContext& s);

// TipZap checked: NameFileZap and "..." enabled, NameFileZap shows the start-up
// file's name; unchecked: both disabled, NameFileZap shows "Последние
// введенные данные".
void TipZapClick(StorageContext& s);

// The rules of the settings window's controls: TipZap, "...", Numer, the
// users tab, "Сохранить настройки", "Закрыть", "По умолчанию". "..." chooses
// the start-up file with the main window's load dialog; failed writes are
// told through the dialogs' message box.
void installSettingsRules(StorageContext& s, UserDialogs& dialogs);

// As the settings window is shown: the load dialog opens in the folder
// "Velmar" (the next "Загрузить" too), the new-user box is hidden.
void SettingsFormShow(StorageContext& s);

// Names of at least this many characters can be added as users.
inline constexpr int kMinUserNameLength = 2;

// The numbering of calculations is automatic (Numer item 0, "Автоматическая");
// otherwise the user gives the number in NomerR ("Произвольная").
bool automaticNumbering(const Settings& settings);

// The current user chosen in NamePol, empty when none is chosen.
std::string currentUser(const Settings& settings);

}  // namespace velmar
