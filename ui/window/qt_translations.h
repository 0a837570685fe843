#pragma once
// Qt's own texts in Russian, whatever the system language: the buttons and
// labels of the file dialogs and message boxes, the context menu of every
// edit, the print dialog and the print preview's tool bar. The translations
// are Qt's own catalogues (Debian's qt6-translations-l10n).
class QCoreApplication;

namespace velmar::window {

// Installs the Russian catalogues of Qt's own texts into the application;
// false when they are not installed (Qt's texts then stay English).
bool installQtTranslations(QCoreApplication& app);

}  // namespace velmar::window
