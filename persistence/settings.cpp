#include "persistence/settings.h"

namespace velmar {

Settings::Settings() {
  TipZap.setHint(
      "Если ВЫ отметите этот пункт, то при каждом запуске программы \n"
      "будет происходить загрузка исходных данных из указанного файла. \n"
      "В противном случае, программа будет загружать данные, \n"
      "сформированные при последнем сеансе работы");
  NameFileZap.setReadOnly(true);
  NameFileZap.setEnabled(false);
  FileZapButton.setEnabled(false);
}

bool automaticNumbering(const Settings& settings) { return settings.Numer.index() != 1; }

std::string currentUser(const Settings& settings) { return settings.NamePol.selectedText(); }

}  // namespace velmar
