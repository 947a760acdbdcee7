#pragma once

class QCoreApplication;

// The toolkit's own texts (message box buttons, file, print and preview
// dialogs) in the interface language: Japanese loads the toolkit's Japanese
// catalogue, English removes it again.
class CFrameworkTranslation {
public:
    // True when the texts of `language` (1033 or 1041) are in place.
    static bool Install(QCoreApplication& application, int language);
};
