#pragma once
// Qt's own texts in Japanese, as the rest of the application speaks: the
// buttons of the file, print and page-setup dialogs, the standard buttons of
// message boxes and the context menus of text fields. The catalogue comes
// with Qt's translations package; without it Qt's texts stay English.
class QCoreApplication;
class QTranslator;

namespace lum {

// Loads Qt's Japanese catalogue from Qt's translations folder and installs
// it on app; the translator (owned by app), or nullptr when there is none.
QTranslator* installQtTranslations(QCoreApplication& app);

}  // namespace lum
