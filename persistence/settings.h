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
#include <string>
#include <string_view>

#include "core/controls.h"

namespace velmar {

struct Session;
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

// The numbering of calculations is automatic (Numer item 0, "Автоматическая");
// otherwise the user gives the number in NomerR ("Произвольная").
bool automaticNumbering(const Settings& settings);

// The current user chosen in NamePol, empty when none is chosen.
std::string currentUser(const Settings& settings);

}  // namespace velmar
