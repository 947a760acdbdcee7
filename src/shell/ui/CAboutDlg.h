#pragma once
#include <QDialog>

class QLabel;

// Dialog 100, "About Nivara": the application icon, the name, a notice line,
// the version text (static 1003) and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int DialogId = 100;
    static constexpr int VersionId = 1003;
    // The application's picture (icon 128).
    static constexpr const char* AppIcon = "app_nivara";

    explicit CAboutDlg(QWidget* parent = nullptr);

    [[nodiscard]] QLabel* Version() const { return m_version; }

private:
    QLabel* m_version;
};
