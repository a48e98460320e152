#pragma once

class QCoreApplication;
class QLocale;

namespace tessmet {

// Installs the translations the program carries for `locale`: Tessmet's own texts (string
// table, menus, toolbars) and Qt's texts for its standard dialogs and buttons, taken from the
// Qt installation when present. Only Japanese is carried; any other locale keeps the English
// source texts and installs nothing. The translators belong to `app`. Returns how many were
// installed (0, 1 when Qt's own file is missing, or 2).
int InstallTranslations(QCoreApplication& app, const QLocale& locale);

// Resource path of the compiled Japanese translation.
inline constexpr const char* kJapaneseTranslation = ":/tessmet/i18n/tessmet_ja.qm";

}  // namespace tessmet
